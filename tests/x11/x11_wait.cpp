#include "x11_wait.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>

namespace orv::x11::test {

namespace {

using Clock = std::chrono::steady_clock;

// Waits on a connection of its own that selected `window`'s events (None: the root's only).
bool waitOn(unsigned long window, const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return false;
    if (window != None && window != DefaultRootWindow(d))
        XSelectInput(d, window, StructureNotifyMask | PropertyChangeMask);
    XSelectInput(d, DefaultRootWindow(d), PropertyChangeMask | SubstructureNotifyMask);
    XSync(d, False);
    const auto end = Clock::now() + deadline;
    bool met = condition();
    while (!met) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) break;
        pollfd p{ConnectionNumber(d), POLLIN, 0};
        if (XPending(d) == 0) ::poll(&p, 1, static_cast<int>(left));
        while (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
        }
        met = condition();
    }
    XCloseDisplay(d);
    return met;
}

}  // namespace

std::vector<unsigned long> managedWindows() {
    std::vector<unsigned long> out;
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return out;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, "_NET_CLIENT_LIST", False), 0, 4096, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        const auto* ids = reinterpret_cast<const unsigned long*>(data);
        out.assign(ids, ids + count);
    }
    if (data != nullptr) XFree(data);
    XCloseDisplay(d);
    return out;
}

bool isManaged(unsigned long window) {
    const auto managed = managedWindows();
    return std::find(managed.begin(), managed.end(), window) != managed.end();
}

bool waitUntil(unsigned long window, const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    return waitOn(window, condition, deadline);
}

bool waitOnRoot(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    return waitOn(None, condition, deadline);
}

}  // namespace orv::x11::test
