#pragma once

#include <windows.h>

#include <string>

// A test build can run the window as on an older Windows, with the functions
// that Windows lacks taken as missing: 0x0601 for Windows 7, 0x0603 for 8.1.
#ifndef DBMCONV_RUN_AS_WINDOWS
#define DBMCONV_RUN_AS_WINDOWS 0xFFFF
#endif

namespace dbmconv::win32 {

inline constexpr unsigned kWindows7 = 0x0601;
inline constexpr unsigned kWindows8 = 0x0602;
inline constexpr unsigned kWindows81 = 0x0603;
inline constexpr unsigned kWindows10 = 0x0A00;

// A function of `module` that Windows has had since `since`, or null.
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
inline HMODULE loadSystemLibrary(const wchar_t* name)
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

} // namespace dbmconv::win32
