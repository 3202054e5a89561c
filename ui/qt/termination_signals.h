#pragma once

class QWidget;

namespace dbmconv {

// Closes `window` when the program is asked to end by SIGTERM, SIGINT or SIGHUP
// (a session logging out, Ctrl+C in the terminal that started it), so that it
// ends the way it does when the user closes the window: cleanly, exit code 0.
// Does nothing where POSIX signals do not exist.
void closeOnTerminationSignals(QWidget& window);

} // namespace dbmconv
