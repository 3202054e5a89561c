#include "library_search.h"

#include "run_time_lookup.h"

namespace dbmconv::win32 {

bool searchSystemFolderOnly()
{
    // Windows 7 has SetDefaultDllDirectories only with the update, which adds
    // it to kernel32: looked up, so that the program starts without it.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    constexpr DWORD kSearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32
    SetDllDirectoryW(L"");
    const auto setDefaultDllDirectories = lookUp<SetDefaultDllDirectoriesFunction>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories", kWindows8);
    return setDefaultDllDirectories != nullptr && setDefaultDllDirectories(kSearchSystem32) != FALSE;
}

} // namespace dbmconv::win32
