#include "map_watch.h"

#include <cstdlib>
#include <poll.h>
#include <xcb/xcb.h>

namespace ksv::bench {

MapWatch::MapWatch() {
    if (!std::getenv("DISPLAY"))
        return;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    connection_ = c;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem; xcb_screen_next(&it))
        xcb_change_window_attributes(c, it.data->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); // a round trip
}

MapWatch::~MapWatch() {
    if (connection_)
        xcb_disconnect(connection_);
}

void MapWatch::drain() {
    if (!connection_)
        return;
    while (xcb_generic_event_t* e = xcb_poll_for_event(connection_))
        free(e);
}

std::optional<WindowEvent> MapWatch::next(bool map,
                                          std::chrono::steady_clock::time_point deadline) {
    using namespace std::chrono;
    if (!connection_)
        return std::nullopt;
    for (;;) {
        xcb_generic_event_t* e = xcb_poll_for_event(connection_);
        if (!e) {
            const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
            if (left <= 0 || xcb_connection_has_error(connection_))
                return std::nullopt;
            pollfd p{xcb_get_file_descriptor(connection_), POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(left));
            continue;
        }
        const auto now = steady_clock::now();
        std::optional<WindowEvent> found;
        switch (e->response_type & 0x7F) {
        case XCB_MAP_NOTIFY: {
            const auto* m = reinterpret_cast<xcb_map_notify_event_t*>(e);
            if (map && !m->override_redirect)
                found = WindowEvent{m->window, now};
            break;
        }
        case XCB_UNMAP_NOTIFY:
            if (!map)
                found = WindowEvent{reinterpret_cast<xcb_unmap_notify_event_t*>(e)->window, now};
            break;
        case XCB_DESTROY_NOTIFY:
            if (!map)
                found = WindowEvent{reinterpret_cast<xcb_destroy_notify_event_t*>(e)->window, now};
            break;
        default:
            break;
        }
        free(e);
        if (found)
            return found;
    }
}

std::optional<WindowEvent> MapWatch::nextMap(std::chrono::milliseconds timeout) {
    return next(true, std::chrono::steady_clock::now() + timeout);
}

bool MapWatch::waitGone(std::uint32_t window, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (const auto e = next(false, deadline))
        if (e->window == window)
            return true;
    return false;
}

} // namespace ksv::bench
