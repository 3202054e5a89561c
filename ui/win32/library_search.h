#pragma once

namespace dbmconv::win32 {

// Makes every DLL the process loads by bare name from now on, by the program or
// by a system component on its behalf, come from the system folder only, never
// from the program's own folder (a Downloads folder, a USB stick, where a DLL
// may have been planted beside it) nor from the current one. Needs Windows 8,
// or Windows 7 with its loader update of 2011 (KB2533623); without it, only the
// current folder is taken out of the search. True when the search is the
// system folder's only.
bool searchSystemFolderOnly();

} // namespace dbmconv::win32
