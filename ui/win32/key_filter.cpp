#include "key_filter.h"

#include <commctrl.h>
#include <imm.h>

#include <string>

namespace dbmconv::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr std::int16_t kEnter = 13;

LRESULT typed(HWND edit, wchar_t character, LPARAM keyData, const KeyFilter& filter)
{
    auto code = static_cast<std::int16_t>(static_cast<std::uint16_t>(character));
    filter(code);
    if (code == 0 || code == kEnter) {
        return 0;
    }
    return DefSubclassProc(edit, WM_CHAR, static_cast<WPARAM>(static_cast<std::uint16_t>(code)), keyData);
}

// An input method's committed text, one character at a time through the filter.
void committed(HWND edit, const KeyFilter& filter)
{
    const HIMC context = ImmGetContext(edit);
    if (context == nullptr) {
        return;
    }
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    std::wstring text(bytes > 0 ? static_cast<std::size_t>(bytes) / sizeof(wchar_t) : 0, L'\0');
    if (!text.empty()) {
        ImmGetCompositionStringW(context, GCS_RESULTSTR, text.data(), bytes);
    }
    ImmReleaseContext(edit, context);
    for (const wchar_t character : text) {
        typed(edit, character, 1, filter);
    }
}

LRESULT CALLBACK filteredEdit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    const auto& filter = *reinterpret_cast<const KeyFilter*>(data);
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
    case WM_IME_CHAR:
        return typed(edit, static_cast<wchar_t>(wParam), lParam, filter);
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

void installKeyFilter(HWND edit, const KeyFilter& filter)
{
    SetWindowSubclass(edit, filteredEdit, kSubclassId, reinterpret_cast<DWORD_PTR>(&filter));
}

} // namespace dbmconv::win32
