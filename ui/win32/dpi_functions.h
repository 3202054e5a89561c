#pragma once

#include <windows.h>

namespace dbmconv::win32 {

// The window's dealings with the display's resolution, on every Windows from 7
// SP1. Functions newer than Windows 7 are looked up here at run time, once,
// each with the fallback for the systems that lack it:
//   Windows 10 1607 on: the DPI of the window, and the frame, metrics and
//     fonts at any DPI (user32);
//   Windows 8.1: the DPI of the window's monitor (shcore.dll, loaded from the
//     system folder); the frame, metrics and fonts are the system's, scaled;
//   Windows 7 and 8: the system's DPI, for every window.
// The program imports none of these functions, so it starts wherever one is
// missing.
class DpiFunctions {
public:
    DpiFunctions();
    ~DpiFunctions();
    DpiFunctions(const DpiFunctions&) = delete;
    DpiFunctions& operator=(const DpiFunctions&) = delete;

    // The DPI the window is drawn at now.
    [[nodiscard]] UINT dpiOfWindow(HWND window) const;
    // The window rectangle around a client area of the given size at `dpi`.
    [[nodiscard]] SIZE frameAround(SIZE client, DWORD style, DWORD exStyle, UINT dpi) const;
    // GetSystemMetrics at `dpi`.
    [[nodiscard]] int systemMetric(int index, UINT dpi) const;
    // The font of message boxes at `dpi`; false when the system gives none.
    [[nodiscard]] bool messageFont(UINT dpi, LOGFONTW& font) const;

private:
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
    using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

    [[nodiscard]] int scaledFromSystem(int value, UINT dpi) const;

    UINT systemDpi_ = USER_DEFAULT_SCREEN_DPI;
    GetDpiForWindowFunction getDpiForWindow_ = nullptr;
    AdjustWindowRectExForDpiFunction adjustWindowRectExForDpi_ = nullptr;
    GetSystemMetricsForDpiFunction getSystemMetricsForDpi_ = nullptr;
    SystemParametersInfoForDpiFunction systemParametersInfoForDpi_ = nullptr;
    HMODULE shcore_ = nullptr;
    GetDpiForMonitorFunction getDpiForMonitor_ = nullptr;
};

} // namespace dbmconv::win32
