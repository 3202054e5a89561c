// The yardstick for start-up on Windows: a bare window with the same five
// standard controls, fonts, caption and size, the same manifest, and no logic
// at all.
#include "control_fonts.h"
#include "dpi_functions.h"
#include "win32_text.h"
#include "window_layout_twips.h"
#include "window_texts.h"

#include <windows.h>

#include <commctrl.h>

namespace {

LRESULT CALLBACK bareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    namespace layout = dbmconv::layout;
    using dbmconv::win32::toPixels;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = bareProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassExW(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    const std::wstring caption = dbmconv::toWide(dbmconv::texts::kWindowCaption);
    HWND window = CreateWindowExW(0, L"BareWindow", caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    const dbmconv::win32::DpiFunctions dpiFunctions;
    const UINT dpi = dpiFunctions.dpiOfWindow(window);
    const dbmconv::win32::Font font = dbmconv::win32::controlFont(dpi);
    const dbmconv::win32::Font message = dbmconv::win32::messageFont(dpiFunctions, dpi);
    auto create = [&](const wchar_t* windowClassName, std::u16string_view text, DWORD controlStyle,
                      layout::TwipsRect twips, HFONT controlFont) {
        const std::wstring wide = dbmconv::toWide(text);
        HWND control = CreateWindowExW(0, windowClassName, wide.c_str(), WS_CHILD | WS_VISIBLE | controlStyle,
                                       toPixels(twips.left, dpi), toPixels(twips.top, dpi),
                                       toPixels(twips.width, dpi), toPixels(twips.height, dpi), window, nullptr,
                                       instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);
        return control;
    };
    create(WC_BUTTONW, dbmconv::texts::kCalculateCaption, WS_TABSTOP | BS_PUSHBUTTON, layout::kCommand1, message.get());
    create(WC_EDITW, u"", WS_TABSTOP | ES_READONLY | WS_BORDER, layout::kText2, font.get());
    create(WC_EDITW, u"", WS_TABSTOP | WS_BORDER, layout::kText1, font.get());
    HWND combo = create(WC_COMBOBOXW, u"", WS_TABSTOP | CBS_DROPDOWN, layout::kCombo1, font.get());
    for (const auto mode : dbmconv::texts::kModeList) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(dbmconv::toWide(mode).c_str()));
    }
    create(WC_STATICW, dbmconv::texts::kCaptionWatts, SS_LEFT, layout::kLabel1, font.get());

    const SIZE frame = dpiFunctions.frameAround(
        {toPixels(layout::kClientWidth, dpi), toPixels(layout::kClientHeight, dpi)}, style, 0, dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(window, showCommand);

    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
