// The Windows entry point: creates the one window, runs Form_Load, shows the
// window centred and runs the event loop until the window is closed.
#include "converter_form_window.h"
#include "library_search.h"
#include "message_loop.h"
#include "win32_text.h"
#include "window_texts.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <string>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    // Before anything loads a DLL on the program's behalf.
    dbmconv::win32::searchSystemFolderOnly();
    // COM for the screen readers' annotations; the standard controls, drawn
    // with visual styles as the manifest asks.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 0;
    std::wstring failure;
    if (auto window = dbmconv::win32::ConverterFormWindow::create(instance, failure)) {
        window->form().Form_Load();
        window->showCentred(showCommand);
        exitCode = dbmconv::win32::runMessageLoop(window->handle());
    } else {
        // Without a window the program has nothing to offer: it says why and ends.
        MessageBoxW(nullptr, failure.c_str(), dbmconv::toWide(dbmconv::texts::kWindowCaption).c_str(),
                    MB_OK | MB_ICONERROR);
        exitCode = 1;
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
