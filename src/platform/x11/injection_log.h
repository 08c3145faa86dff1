#pragma once

// The program's own injected input, in the order it was sent. Every program that injects
// through XTest (on-screen keyboards, remote desktops, xdotool, this one) does so through the
// same XTest device, so the device does not tell whose input an event is; this log does: the
// hook library takes an XTest event for the program's own only when it is the next one the
// log expects. Internal to src/platform/x11; safe to use from any thread.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>

namespace orv::x11 {

// (Named apart from the X event types, which Xlib defines as macros.)
enum class InjectedKind : std::uint8_t { KeyDown, KeyUp, ButtonDown, ButtonUp, Motion };

class InjectionLog {
public:
    using Clock = std::chrono::steady_clock;

    // The injector, just before it sends the event (`detail`: keycode or X button, 0 for motion).
    void sent(InjectedKind kind, unsigned detail, Clock::time_point now = Clock::now());

    // The hook thread, for each XTest event it sees, in the order the server delivers them:
    // whether the program sent it. A claimed event leaves the log together with every entry
    // before it (the server keeps the order, so those produced no event, as a press of a
    // modifier that is already down does not). Entries that stay unclaimed for `kStale` are
    // dropped, so that one the server never delivered cannot take another program's event
    // for the program's own later.
    bool claim(InjectedKind kind, unsigned detail, Clock::time_point now = Clock::now());

    // Entries sent and not yet claimed.
    std::size_t pending() const;

    static constexpr auto kStale = std::chrono::seconds(2);
    static constexpr std::size_t kCapacity = 4096;

private:
    struct Entry {
        InjectedKind kind;
        unsigned detail;
        Clock::time_point at;
    };
    mutable std::mutex mutex_;
    std::deque<Entry> entries_;
};

}  // namespace orv::x11
