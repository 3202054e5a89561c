#include "message_loop.h"

namespace dbmconv::win32 {

int runMessageLoop(HWND window)
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(window) && IsDialogMessageW(window, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace dbmconv::win32
