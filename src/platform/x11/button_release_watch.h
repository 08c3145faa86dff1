#pragma once

// Tells when the server has passed on a button release sent through XTest. A window manager's
// click-to-focus grab (a synchronous passive grab on each client window) freezes the pointer at
// the press until the window manager has focused the window and replays the press; keys sent
// meanwhile are not frozen and reach the window before the click. The raw release event is
// emitted only once the pointer is thawed and the press has gone to the window, so waiting for
// it keeps the macro's keys after its click. Internal to src/platform/x11.

#include <X11/Xlib.h>

#include <chrono>
#include <vector>

namespace orv::x11 {

class ButtonReleaseWatch {
public:
    // Uses `display` (the injector's connection, read on the same thread only).
    explicit ButtonReleaseWatch(Display* display);

    // Call before sending the release: from then on the connection hears raw button releases.
    void arm();
    // Waits until the server has emitted the release of `button` by an XTest device, or the
    // deadline passes (a client that holds the pointer frozen longer), then stops listening.
    // Other events read meanwhile are handled as the injector's drain does. False at the
    // deadline or without XInput 2.
    bool waitForRelease(unsigned button, std::chrono::milliseconds deadline);

private:
    bool matches(XEvent& event, unsigned button) const;
    void select(bool on);

    Display* display_;
    int xiOpcode_ = -1;  // -1: no XInput 2.2 on this server
    std::vector<int> xtestDevices_;
    bool armed_ = false;
};

}  // namespace orv::x11
