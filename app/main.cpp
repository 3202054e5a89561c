// The entry point: creates the application and the one window, runs Form_Load,
// shows the window centred and runs the event loop until the window is closed.
#include "application_setup.h"
#include "converter_form_window.h"
#include "termination_signals.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    dbmconv::setUpApplication(app);

    dbmconv::ConverterFormWindow window;
    window.form().Form_Load();
    dbmconv::closeOnTerminationSignals(window);
    window.showCentred();
    return QApplication::exec();
}
