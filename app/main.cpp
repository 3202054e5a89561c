// The entry point: creates the application and the one window, runs Form_Load,
// shows the window centred and runs the event loop until the window is closed.
#include "app_icon.h"
#include "converter_form_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dbmconv"));
    QApplication::setApplicationVersion(QStringLiteral(DBMCONV_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(DBMCONV_APP_ID));
    QApplication::setWindowIcon(dbmconv::appIcon());
    installChineseTranslations(app);

    dbmconv::ConverterFormWindow window;
    window.form().Form_Load();
    window.showCentred();
    return QApplication::exec();
}
