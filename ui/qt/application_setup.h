#pragma once

class QApplication;

namespace dbmconv {

// What the program sets on its application before the window exists: name,
// version, desktop identity, icon, Qt's own texts in Simplified Chinese, and
// how screen readers see its window.
void setUpApplication(QApplication& app);

} // namespace dbmconv
