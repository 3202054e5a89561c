// The Windows entry point: creates the one window, runs Form_Load, shows the
// window centred and runs the event loop until the window is closed.
#include "converter_form_window.h"
#include "message_loop.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    // COM for the screen readers' annotations; the standard controls, drawn
    // with visual styles as the manifest asks.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 0;
    {
        dbmconv::win32::ConverterFormWindow window(instance);
        window.form().Form_Load();
        window.showCentred(showCommand);
        exitCode = dbmconv::win32::runMessageLoop(window.handle());
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
