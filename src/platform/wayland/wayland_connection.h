#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_output;
struct zwp_virtual_keyboard_manager_v1;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_data_control_manager_v1;
struct zwlr_virtual_pointer_manager_v1;

namespace orv::wayland {

// One connection to a wlroots compositor and the globals the backend uses: the seat, the first
// output, and the managers of the virtual keyboard, foreign toplevels, data control and the
// virtual pointer. Single-threaded: whoever uses the objects dispatches the events.
class Connection {
public:
    // nullptr, with the reason in `error`, when WAYLAND_DISPLAY names no compositor that answers.
    static std::unique_ptr<Connection> open(std::string& error);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    wl_display* display() const { return display_; }
    wl_seat* seat() const { return seat_; }
    zwp_virtual_keyboard_manager_v1* keyboardManager() const { return keyboardManager_; }
    // A new binding of foreign toplevel management (the caller owns it and must add its listener
    // before the next dispatch: the compositor announces the windows at once); nullptr when the
    // compositor lacks it.
    zwlr_foreign_toplevel_manager_v1* bindToplevelManager();
    zwlr_data_control_manager_v1* dataControlManager() const { return dataControlManager_; }
    zwlr_virtual_pointer_manager_v1* pointerManager() const { return pointerManager_; }
    // The size of the first output's current mode (0 x 0 before the compositor has said).
    int outputWidth() const { return outputWidth_; }
    int outputHeight() const { return outputHeight_; }

    // The names of the protocols that typing and window control need and the compositor lacks.
    std::vector<std::string> missingProtocols() const;

    // Sends what is queued and waits until the compositor has answered all of it; false when the
    // connection is broken.
    bool roundtrip();
    // Sends what is queued without waiting for an answer (what the socket does not take now
    // goes with the next flush or round trip).
    void flush();
    // Dispatches events until `done` holds or the deadline passes; false on the deadline or a
    // broken connection.
    bool dispatchUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline);
    // Reads and dispatches the events that have arrived, without waiting; false when the
    // connection is broken. For an event loop that watches the connection's file descriptor.
    bool dispatchArrived();
    int fd() const;
    bool broken() const;

private:
    Connection() = default;
    static void global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version);
    static void globalRemove(void*, wl_registry*, std::uint32_t) {}
    static void outputMode(void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
                           std::int32_t);

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_output* output_ = nullptr;
    zwp_virtual_keyboard_manager_v1* keyboardManager_ = nullptr;
    std::uint32_t toplevelName_ = 0;  // the global, bound on demand
    std::uint32_t toplevelVersion_ = 0;
    zwlr_data_control_manager_v1* dataControlManager_ = nullptr;
    zwlr_virtual_pointer_manager_v1* pointerManager_ = nullptr;
    int outputWidth_ = 0;
    int outputHeight_ = 0;
};

// Milliseconds of the monotonic clock, the time stamp of injected events.
std::uint32_t eventTime();

}  // namespace orv::wayland
