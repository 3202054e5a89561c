#include "message_loop.h"

namespace dbmconv::win32 {

int runMessageLoop(HWND window)
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        handleMessage(window, message);
    }
    return static_cast<int>(message.wParam);
}

void handleMessage(HWND window, MSG& message)
{
    if (IsWindow(window) && IsDialogMessageW(window, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace dbmconv::win32
