#include "platform/x11/button_release_watch.h"

#include <X11/extensions/XInput2.h>
#include <poll.h>

#include <algorithm>

#include "platform/x11/xlib_util.h"

namespace orv::x11 {

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

ButtonReleaseWatch::ButtonReleaseWatch(Display* display) : display_(display) {
    int event = 0, error = 0, opcode = 0;
    if (!XQueryExtension(display_, "XInputExtension", &opcode, &event, &error)) return;
    // Raw events reach a client during another client's grab only from version 2.1 on: the
    // release comes while the window that got the press holds the pointer.
    int major = 2, minor = 2;
    if (XIQueryVersion(display_, &major, &minor) != Success || (major == 2 && minor < 1)) return;
    xiOpcode_ = opcode;
    xtestDevices_ = xtestDeviceIds(display_);
}

void ButtonReleaseWatch::select(bool on) {
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) XISetMask(mask, XI_RawButtonRelease);
    XIEventMask em{XIAllMasterDevices, sizeof(mask), mask};
    XISelectEvents(display_, DefaultRootWindow(display_), &em, 1);
    armed_ = on;
}

void ButtonReleaseWatch::arm() {
    // Requests are handled in order: the selection is in place before the release is.
    if (xiOpcode_ >= 0) select(true);
}

bool ButtonReleaseWatch::matches(XEvent& event, unsigned button) const {
    XGenericEventCookie& cookie = event.xcookie;
    if (event.type != GenericEvent || cookie.extension != xiOpcode_ || cookie.evtype != XI_RawButtonRelease)
        return false;
    if (!XGetEventData(display_, &cookie)) return false;
    const auto* raw = static_cast<const XIRawEvent*>(cookie.data);
    const bool ours = static_cast<unsigned>(raw->detail) == button &&
                      std::find(xtestDevices_.begin(), xtestDevices_.end(), raw->sourceid) != xtestDevices_.end();
    XFreeEventData(display_, &cookie);
    return ours;
}

bool ButtonReleaseWatch::waitForRelease(unsigned button, std::chrono::milliseconds deadlineIn) {
    if (!armed_) return false;
    XFlush(display_);
    const auto deadline = Clock::now() + deadlineIn;
    bool released = false;
    while (!released) {
        if (XPending(display_) == 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            if (left <= 0 || ::poll(&fd, 1, static_cast<int>(left)) <= 0) break;
            if (XPending(display_) == 0) continue;
        }
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
        released = matches(event, button);
    }
    select(false);
    return released;
}

}  // namespace orv::x11
