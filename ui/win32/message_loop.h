#pragma once

#include <windows.h>

namespace dbmconv::win32 {

// Runs the event loop until the window has been destroyed, with the keyboard
// navigation of a dialog (Tab, Shift+Tab, arrow keys in the list) in `window`.
// Returns the exit code the window posted.
int runMessageLoop(HWND window);

} // namespace dbmconv::win32
