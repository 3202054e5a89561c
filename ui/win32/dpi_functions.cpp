#include "dpi_functions.h"

#include "run_time_lookup.h"

namespace dbmconv::win32 {

namespace {

constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI

} // namespace

DpiFunctions::DpiFunctions()
{
    if (const HDC screen = GetDC(nullptr)) {
        systemDpi_ = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
        ReleaseDC(nullptr, screen);
    }
    // user32 is loaded already: the program imports it.
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    getDpiForWindow_ = lookUp<GetDpiForWindowFunction>(user32, "GetDpiForWindow", kWindows10);
    adjustWindowRectExForDpi_ =
        lookUp<AdjustWindowRectExForDpiFunction>(user32, "AdjustWindowRectExForDpi", kWindows10);
    getSystemMetricsForDpi_ = lookUp<GetSystemMetricsForDpiFunction>(user32, "GetSystemMetricsForDpi", kWindows10);
    systemParametersInfoForDpi_ =
        lookUp<SystemParametersInfoForDpiFunction>(user32, "SystemParametersInfoForDpi", kWindows10);
    enableNonClientDpiScaling_ =
        lookUp<EnableNonClientDpiScalingFunction>(user32, "EnableNonClientDpiScaling", kWindows10);
    getWindowDpiAwarenessContext_ =
        lookUp<GetWindowDpiAwarenessContextFunction>(user32, "GetWindowDpiAwarenessContext", kWindows10);
    areDpiAwarenessContextsEqual_ =
        lookUp<AreDpiAwarenessContextsEqualFunction>(user32, "AreDpiAwarenessContextsEqual", kWindows10);
    if (getDpiForWindow_ == nullptr && kWindows81 <= DBMCONV_RUN_AS_WINDOWS) {
        shcore_ = loadSystemLibrary(L"shcore.dll");
        getDpiForMonitor_ = lookUp<GetDpiForMonitorFunction>(shcore_, "GetDpiForMonitor", kWindows81);
    }
}

DpiFunctions::~DpiFunctions()
{
    if (shcore_ != nullptr) {
        FreeLibrary(shcore_);
    }
}

void DpiFunctions::scaleFrameWithDpi(HWND window)
{
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, which 1607 does not know
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    const bool v2 = getWindowDpiAwarenessContext_ != nullptr && areDpiAwarenessContextsEqual_ != nullptr
                    && areDpiAwarenessContextsEqual_(getWindowDpiAwarenessContext_(window), perMonitorV2);
    frameFollowsDpi_ = v2 || (enableNonClientDpiScaling_ != nullptr && enableNonClientDpiScaling_(window));
}

UINT DpiFunctions::dpiOfWindow(HWND window) const
{
    if (getDpiForWindow_ != nullptr) {
        if (const UINT dpi = getDpiForWindow_(window); dpi != 0) {
            return dpi;
        }
    }
    if (getDpiForMonitor_ != nullptr) {
        UINT x = 0;
        UINT y = 0;
        if (SUCCEEDED(getDpiForMonitor_(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y))
            && y != 0) {
            return y;
        }
    }
    return systemDpi_;
}

SIZE DpiFunctions::frameAround(SIZE client, DWORD style, DWORD exStyle, UINT dpi) const
{
    RECT frame{0, 0, client.cx, client.cy};
    if (!frameFollowsDpi_ || adjustWindowRectExForDpi_ == nullptr
        || !adjustWindowRectExForDpi_(&frame, style, FALSE, exStyle, dpi)) {
        frame = {0, 0, client.cx, client.cy};
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

int DpiFunctions::systemMetric(int index, UINT dpi) const
{
    if (getSystemMetricsForDpi_ != nullptr) {
        return getSystemMetricsForDpi_(index, dpi);
    }
    return scaledFromSystem(GetSystemMetrics(index), dpi);
}

bool DpiFunctions::messageFont(UINT dpi, LOGFONTW& font) const
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (systemParametersInfoForDpi_ != nullptr
        && systemParametersInfoForDpi_(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        font = metrics.lfMessageFont;
        return true;
    }
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return false;
    }
    font = metrics.lfMessageFont;
    font.lfHeight = scaledFromSystem(font.lfHeight, dpi);
    return true;
}

int DpiFunctions::scaledFromSystem(int value, UINT dpi) const
{
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(systemDpi_));
}

} // namespace dbmconv::win32
