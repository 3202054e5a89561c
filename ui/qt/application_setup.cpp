#include "application_setup.h"

#include "app_icon.h"
#include "window_accessibility.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace dbmconv {

namespace {

// The window speaks Chinese whatever the system's language, so Qt's own texts
// (the message box's button, the context menus) come in Simplified Chinese too.
void installChineseTranslations(QApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

} // namespace

void setUpApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("dbmconv"));
    QApplication::setApplicationVersion(QStringLiteral(DBMCONV_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(DBMCONV_APP_ID));
    QApplication::setWindowIcon(appIcon());
    installChineseTranslations(app);
    installWindowAccessibility();
}

} // namespace dbmconv
