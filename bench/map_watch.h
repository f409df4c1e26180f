#pragma once

// Watches the X display for top-level windows being mapped and unmapped,
// from outside the program that owns them: the bench selects the root
// window's substructure events, so it learns the moment any program's
// window appears without the program's help and without polling.

#include <chrono>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace ksv::bench {

struct WindowEvent {
    std::uint32_t window = 0;
    std::chrono::steady_clock::time_point time;
};

class MapWatch {
public:
    // Connects to $DISPLAY; ok() is false without a display.
    MapWatch();
    ~MapWatch();
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    bool ok() const { return connection_ != nullptr; }
    // The next top-level window mapped (menus and tool tips, which bypass
    // the window manager, are not counted), or nothing within timeout.
    std::optional<WindowEvent> nextMap(std::chrono::milliseconds timeout);
    // Waits until the window is unmapped or destroyed.
    bool waitGone(std::uint32_t window, std::chrono::milliseconds timeout);
    // Forgets the events seen so far.
    void drain();

private:
    // The next map (map = true) or unmap/destroy event, within the deadline.
    std::optional<WindowEvent> next(bool map, std::chrono::steady_clock::time_point deadline);

    xcb_connection_t* connection_ = nullptr;
};

} // namespace ksv::bench
