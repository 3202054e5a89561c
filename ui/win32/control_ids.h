#pragma once

namespace dbmconv::win32 {

// The controls' identifiers in the window, clear of IDOK and IDCANCEL, which
// the dialog navigation sends for Enter and Escape.
enum ControlId : int { kCommand1Id = 101, kText2Id, kText1Id, kCombo1Id, kLabel1Id };

} // namespace dbmconv::win32
