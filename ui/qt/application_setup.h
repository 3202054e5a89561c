#pragma once

class QApplication;

namespace dbmconv {

// What the program sets on its application before the window exists: name,
// version, desktop identity, icon, and Qt's own texts in Simplified Chinese.
void setUpApplication(QApplication& app);

} // namespace dbmconv
