#include "key_filter.h"

#include <commctrl.h>
#include <imm.h>

#include <string>

namespace dbmconv::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr std::int16_t kEnter = 13;

LRESULT typed(HWND edit, wchar_t character, LPARAM keyData, const KeyPressHandler& filter)
{
    auto code = static_cast<std::int16_t>(static_cast<std::uint16_t>(character));
    filter(code);
    if (code == 0 || code == kEnter) {
        return 0;
    }
    return DefSubclassProc(edit, WM_CHAR, static_cast<WPARAM>(static_cast<std::uint16_t>(code)), keyData);
}

// What an input method commits, through the filter as typing brings it in one
// piece, put in as one replacement of the selection.
void insertCommitted(HWND edit, std::u16string_view text, const KeyPressHandler& filter)
{
    const std::u16string kept = TypedIntoText1(filter, text);
    if (!kept.empty()) {
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(kept.c_str())));
    }
}

// The whole of a composition's result.
void committed(HWND edit, const KeyPressHandler& filter)
{
    const HIMC context = ImmGetContext(edit);
    if (context == nullptr) {
        return;
    }
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    std::u16string text(bytes > 0 ? static_cast<std::size_t>(bytes) / sizeof(char16_t) : 0, u'\0');
    if (!text.empty()) {
        ImmGetCompositionStringW(context, GCS_RESULTSTR, text.data(), bytes);
    }
    ImmReleaseContext(edit, context);
    insertCommitted(edit, text, filter);
}

LRESULT CALLBACK filteredEdit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    const auto& filter = *reinterpret_cast<const KeyPressHandler*>(data);
    switch (message) {
    case WM_GETDLGCODE: {
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
        if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
            return code | DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_CHAR:
        return typed(edit, static_cast<wchar_t>(wParam), lParam, filter);
    case WM_IME_CHAR: {
        // (a result that the system hands over a character at a time)
        const auto character = static_cast<char16_t>(wParam);
        insertCommitted(edit, std::u16string_view(&character, 1), filter);
        return 0;
    }
    case WM_IME_COMPOSITION:
        if ((lParam & GCS_RESULTSTR) != 0) {
            committed(edit, filter);
            const LPARAM rest = lParam & ~static_cast<LPARAM>(GCS_RESULTSTR | GCS_RESULTREADSTR | GCS_RESULTCLAUSE | GCS_RESULTREADCLAUSE);
            return rest != 0 ? DefSubclassProc(edit, message, wParam, rest) : 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, filteredEdit, kSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

} // namespace

void installKeyFilter(HWND edit, const KeyPressHandler& filter)
{
    SetWindowSubclass(edit, filteredEdit, kSubclassId, reinterpret_cast<DWORD_PTR>(&filter));
}

} // namespace dbmconv::win32
