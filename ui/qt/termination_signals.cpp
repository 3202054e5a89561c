#include "termination_signals.h"

#include <QWidget>

#if defined(Q_OS_UNIX)
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace dbmconv {

#if defined(Q_OS_UNIX)

namespace {

// A signal handler may only write to a file descriptor, so the one global this
// program has is the write end of the pipe that carries the signal into the
// event loop.
int signalWriteEnd = -1;

extern "C" void forwardSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalWriteEnd, &byte, 1);
}

} // namespace

void closeOnTerminationSignals(QWidget& window)
{
    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    signalWriteEnd = ends[1];
    auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, readEnd = ends[0]] {
        char byte = 0;
        while (::read(readEnd, &byte, 1) > 0) {
        }
        window.close();
    });

    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

#else

void closeOnTerminationSignals(QWidget&)
{
}

#endif

} // namespace dbmconv
