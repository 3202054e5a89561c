#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace dbmconv::win32 {

// Hands every character typed into the edit box `edit` to `filter` before the
// box takes it, the way the classic key-press event does: the filter sees the
// character's code and may replace it, or drop it with 0. That covers the
// characters an input method commits. Enter reaches the filter too (the dialog
// navigation does not take it) and is consumed after it: a single-line box adds
// nothing for it. Text pasted through the box's menu is not typing and goes in
// unfiltered. The filter must outlive the box.
using KeyFilter = std::function<void(std::int16_t&)>;
void installKeyFilter(HWND edit, const KeyFilter& filter);

} // namespace dbmconv::win32
