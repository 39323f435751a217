// Starts a program and tells when its windows appear on the X server.
//
// Usage: map_time [--watch MS] WIDTHxHEIGHT program [argument...]
//        map_time [--watch MS] any program [argument...]
// Prints "pid N" at once (the program's own output is dropped), then "map MS WxH" for every top-level window that
// is mapped, MS being the milliseconds since the start, and "found MS" and
// ends (leaving the program running) when a window of the given size has
// been mapped, or with "any" the first window of at least 100 x 100 pixels
// that is not a pop-up. Windows taken off the screen again print "unmap MS WxH". With
// --watch it goes on for MS milliseconds more, printing both. Exits 1 when
// nothing like it appears within 20 seconds.
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

}  // namespace

int main(int argc, char** argv)
{
    double watchMs = 0;
    if (argc >= 3 && std::strcmp(argv[1], "--watch") == 0) {
        watchMs = std::atof(argv[2]);
        argv += 2;
        argc -= 2;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s [--watch MS] WIDTHxHEIGHT|any program [argument...]\n", argv[0]);
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

    Clock::time_point giveUp = start + std::chrono::seconds(20);
    bool found = false;
    std::map<xcb_window_t, std::string> sizes;  // of the windows mapped, for their unmaps
    pollfd watched{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (Clock::now() < giveUp) {
        Owned<xcb_generic_event_t> event(xcb_poll_for_event(connection), &std::free);
        if (!event) {
            if (xcb_connection_has_error(connection))
                return 1;
            poll(&watched, 1, 100);
            continue;
        }
        const auto type = event->response_type & 0x7F;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (type == XCB_UNMAP_NOTIFY) {
            const auto* unmap = reinterpret_cast<const xcb_unmap_notify_event_t*>(event.get());
            if (sizes.contains(unmap->window)) {
                std::printf("unmap %.1f %s\n", ms, sizes[unmap->window].c_str());
                std::fflush(stdout);
            }
            continue;
        }
        if (type != XCB_MAP_NOTIFY)
            continue;
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
        Owned<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, map->window), nullptr), &std::free);
        if (!geometry)
            continue;
        const std::string size = std::to_string(geometry->width) + "x" + std::to_string(geometry->height);
        sizes[map->window] = size;
        std::printf("map %.1f %s\n", ms, size.c_str());
        std::fflush(stdout);
        if (found)
            continue;
        found = any ? !map->override_redirect && geometry->width >= 100 && geometry->height >= 100
                    : geometry->width == wantedWidth && geometry->height == wantedHeight;
        if (!found)
            continue;
        std::printf("found %.1f\n", ms);
        std::fflush(stdout);
        if (watchMs <= 0)
            return 0;
        giveUp = Clock::now() +
                 std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(watchMs));
    }
    return found ? 0 : 1;
}
