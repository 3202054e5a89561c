#pragma once

#include <windows.h>

namespace dbmconv::win32 {

// The window's dealings with the display's resolution, on every Windows from 7
// SP1. Functions newer than Windows 7 are looked up here at run time, once,
// each with the fallback for the systems that lack it:
//   Windows 10 1703 on (per-monitor v2): the frame follows the window's DPI;
//   Windows 10 1607 on: the DPI of the window, and the frame, metrics and
//     fonts at any DPI (user32); a per-monitor (v1) window's frame follows its
//     DPI only when it asks for that as it is made;
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

    // For WM_NCCREATE: has the frame drawn at the window's DPI where Windows
    // can (1607 on), as it always is from 1703; before, the frame stays at the
    // system's DPI on every monitor. frameAround follows what it got.
    void scaleFrameWithDpi(HWND window);
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
    using EnableNonClientDpiScalingFunction = BOOL(WINAPI*)(HWND);
    using GetWindowDpiAwarenessContextFunction = HANDLE(WINAPI*)(HWND);
    using AreDpiAwarenessContextsEqualFunction = BOOL(WINAPI*)(HANDLE, HANDLE);

    [[nodiscard]] int scaledFromSystem(int value, UINT dpi) const;

    UINT systemDpi_ = USER_DEFAULT_SCREEN_DPI;
    GetDpiForWindowFunction getDpiForWindow_ = nullptr;
    AdjustWindowRectExForDpiFunction adjustWindowRectExForDpi_ = nullptr;
    GetSystemMetricsForDpiFunction getSystemMetricsForDpi_ = nullptr;
    SystemParametersInfoForDpiFunction systemParametersInfoForDpi_ = nullptr;
    EnableNonClientDpiScalingFunction enableNonClientDpiScaling_ = nullptr;
    GetWindowDpiAwarenessContextFunction getWindowDpiAwarenessContext_ = nullptr;
    AreDpiAwarenessContextsEqualFunction areDpiAwarenessContextsEqual_ = nullptr;
    bool frameFollowsDpi_ = false;
    HMODULE shcore_ = nullptr;
    GetDpiForMonitorFunction getDpiForMonitor_ = nullptr;
};

} // namespace dbmconv::win32
