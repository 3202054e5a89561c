// Stands in for a system DLL that someone has put beside the program, in the
// folder it was downloaded to. When it is loaded it leaves a mark beside itself,
// which the test looks for; it never should be loaded.
#include <windows.h>

#include <string>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        std::wstring path(MAX_PATH, L'\0');
        path.resize(GetModuleFileNameW(self, path.data(), MAX_PATH));
        path.erase(path.find_last_of(L'\\') + 1);
        path += L"planted-library-was-loaded";
        const HANDLE mark = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (mark != INVALID_HANDLE_VALUE) {
            CloseHandle(mark);
        }
    }
    return TRUE;
}

// What the program would look up in the real shcore.dll.
extern "C" __declspec(dllexport) HRESULT WINAPI GetDpiForMonitor(HMONITOR /*monitor*/, int /*type*/, UINT* x, UINT* y)
{
    *x = USER_DEFAULT_SCREEN_DPI;
    *y = USER_DEFAULT_SCREEN_DPI;
    return S_OK;
}
