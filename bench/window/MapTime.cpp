// Starts a program and tells when its windows appear on the X server.
//
// Usage: map_time WIDTHxHEIGHT program [argument...]
//        map_time any program [argument...]
// Prints "pid N" at once (the program's own output is dropped), then "map MS WxH" for every top-level window that
// is mapped, MS being the milliseconds since the start, and ends (leaving
// the program running) when a window of the given size has been mapped, or
// with "any" the first window of at least 100 x 100 pixels that is not a
// pop-up. Exits 1 when nothing like it appears within 20 seconds.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s WIDTHxHEIGHT|any program [argument...]\n", argv[0]);
        return 2;
    }
    int wantedWidth = 0, wantedHeight = 0;
    const bool any = std::strcmp(argv[1], "any") == 0;
    if (!any && std::sscanf(argv[1], "%dx%d", &wantedWidth, &wantedHeight) != 2) {
        std::fprintf(stderr, "%s: not a size: %s\n", argv[0], argv[1]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "%s: no X server\n", argv[0]);
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the server listens before the program starts.
    Owned<xcb_generic_error_t> refused(
        xcb_request_check(connection, xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask)),
        &std::free);
    if (refused) {
        std::fprintf(stderr, "%s: cannot watch the root window\n", argv[0]);
        return 2;
    }

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        // The program's own output would hold up whoever reads ours.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
        close(xcb_get_file_descriptor(connection));
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    std::printf("pid %d\n", static_cast<int>(child));
    std::fflush(stdout);

    const Clock::time_point giveUp = start + std::chrono::seconds(20);
    pollfd watched{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (Clock::now() < giveUp) {
        Owned<xcb_generic_event_t> event(xcb_poll_for_event(connection), &std::free);
        if (!event) {
            if (xcb_connection_has_error(connection))
                return 1;
            poll(&watched, 1, 100);
            continue;
        }
        if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY)
            continue;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
        Owned<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, map->window), nullptr), &std::free);
        if (!geometry)
            continue;
        std::printf("map %.1f %dx%d\n", ms, geometry->width, geometry->height);
        std::fflush(stdout);
        const bool found = any ? !map->override_redirect && geometry->width >= 100 && geometry->height >= 100
                               : geometry->width == wantedWidth && geometry->height == wantedHeight;
        if (found)
            return 0;
    }
    return 1;
}
