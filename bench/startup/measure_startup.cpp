// Measures how long programs take from being started to their first window
// being mapped on the X server named by DISPLAY, and their peak resident memory
// over a run that ends when that window is asked to close. The programs are
// run in turn, RUNS times each after one warm-up run each; medians are printed.
// usage: measure_startup RUNS PROGRAM...
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    double startupMs = 0;
    long peakRssKb = 0;
    int exitCode = -1;
};

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

void askToClose(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(connection, "WM_PROTOCOLS");
    message.data.data32[0] = atom(connection, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

Run runOnce(xcb_connection_t* connection, const char* program)
{
    Run run;
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }

    xcb_window_t mapped = XCB_WINDOW_NONE;
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (mapped == XCB_WINDOW_NONE && Clock::now() - start < std::chrono::seconds(30)) {
        poll(&fd, 1, 100);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (map->override_redirect == 0 && mapped == XCB_WINDOW_NONE) {
                    mapped = map->window;
                    run.startupMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                }
            }
            std::free(event);
        }
    }
    // Let the first paint and anything the program does right after start happen,
    // so the peak memory covers a window the user can see and use.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    if (mapped != XCB_WINDOW_NONE) {
        askToClose(connection, mapped);
    } else {
        kill(child, SIGKILL);
    }

    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.peakRssKb = usage.ru_maxrss;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (mapped == XCB_WINDOW_NONE) {
        run.exitCode = -1;
    }
    return run;
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM...\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "cannot connect to the X server\n");
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const int programs = argc - 2;
    std::vector<std::vector<Run>> results(static_cast<std::size_t>(programs));
    for (int p = 0; p < programs; ++p) {
        runOnce(connection, argv[2 + p]); // warm-up: caches, fonts
    }
    int failures = 0;
    for (int r = 0; r < runs; ++r) {
        for (int p = 0; p < programs; ++p) {
            const Run run = runOnce(connection, argv[2 + p]);
            failures += run.exitCode != 0 ? 1 : 0;
            results[static_cast<std::size_t>(p)].push_back(run);
        }
    }
    for (int p = 0; p < programs; ++p) {
        std::vector<double> startup;
        std::vector<long> memory;
        for (const Run& run : results[static_cast<std::size_t>(p)]) {
            startup.push_back(run.startupMs);
            memory.push_back(run.peakRssKb);
        }
        std::printf("%s: start-up median %.1f ms (min %.1f, max %.1f), peak RSS median %ld KiB over %d runs\n",
                    argv[2 + p], median(startup), *std::min_element(startup.begin(), startup.end()),
                    *std::max_element(startup.begin(), startup.end()), median(memory), runs);
        std::printf("RESULT %d %.3f %ld\n", p, median(startup), median(memory));
    }
    xcb_disconnect(connection);
    if (failures > 0) {
        std::fprintf(stderr, "%d runs did not map a window or did not exit with 0\n", failures);
        return 1;
    }
    return 0;
}
