#include "dpi_functions.h"

#include <string>

// A test build can run the window as on an older Windows, with the functions
// that Windows lacks taken as missing: 0x0601 for Windows 7, 0x0603 for 8.1.
#ifndef DBMCONV_RUN_AS_WINDOWS
#define DBMCONV_RUN_AS_WINDOWS 0xFFFF
#endif

namespace dbmconv::win32 {

namespace {

constexpr unsigned kWindows81 = 0x0603;
constexpr unsigned kWindows10 = 0x0A00;
constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI

template <typename Function>
Function lookUp(HMODULE module, const char* name, unsigned since)
{
    if (module == nullptr || since > DBMCONV_RUN_AS_WINDOWS) {
        return nullptr;
    }
    // The cast between function pointer types is how GetProcAddress is used.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A DLL of the system, from the system folder by its full path: never one that
// lies beside the program (in a Downloads folder, say) or on the search path.
HMODULE loadSystemLibrary(const wchar_t* name)
{
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length == 0 || length >= path.size()) {
        return nullptr;
    }
    path.resize(length);
    path += L'\\';
    path += name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

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
    // Before 10 1607 the frame is drawn at the system's DPI on every monitor.
    if (adjustWindowRectExForDpi_ == nullptr || !adjustWindowRectExForDpi_(&frame, style, FALSE, exStyle, dpi)) {
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
