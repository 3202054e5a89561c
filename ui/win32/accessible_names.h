#pragma once

#include <windows.h>

#include <string_view>

namespace dbmconv::win32 {

// Gives a control the accessible name, or the description, that screen readers
// read for it (MSAA, and UI Automation through it), where the control shows no
// text of its own to be named by. Needs COM on the calling thread; without the
// annotation service the control keeps the name Windows gives it.
void setAccessibleName(HWND control, std::u16string_view name);
void setAccessibleDescription(HWND control, std::u16string_view description);

} // namespace dbmconv::win32
