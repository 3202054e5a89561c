#pragma once

#include <windows.h>

namespace dbmconv::win32 {

// Runs the event loop until the window has been destroyed, with the keyboard
// navigation of a dialog (Tab, Shift+Tab, arrow keys in the list) in `window`.
// Returns the exit code the window posted.
int runMessageLoop(HWND window);

// Handles one message as that loop does, so that tests which pump the queue
// themselves give their window the same keyboard navigation. Without a window
// the message is only translated and dispatched.
void handleMessage(HWND window, MSG& message);

} // namespace dbmconv::win32
