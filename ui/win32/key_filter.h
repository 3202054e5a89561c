#pragma once

#include "text1_input.h"

#include <windows.h>

namespace dbmconv::win32 {

// Hands every character typed into the edit box `edit` to `filter` before the
// box takes it, the way the classic key-press event does: the filter sees the
// character's code and may replace it, or drop it with 0. What an input method
// commits goes through the filter as typing does (TypedIntoText1). Enter
// reaches the filter too (the dialog
// navigation does not take it) and is consumed after it: a single-line box adds
// nothing for it. Text pasted through the box's menu is not typing and goes in
// unfiltered. The filter must outlive the box.
void installKeyFilter(HWND edit, const KeyPressHandler& filter);

} // namespace dbmconv::win32
