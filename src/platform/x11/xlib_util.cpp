#include "platform/x11/xlib_util.h"

#include <X11/Xatom.h>
#include <X11/extensions/XInput2.h>

#include <cstring>
#include <mutex>

namespace orv::x11 {

namespace {
thread_local ErrorTrap* currentTrap = nullptr;
}  // namespace

int handleXError(Display* display, XErrorEvent* event) {
    for (ErrorTrap* trap = currentTrap; trap != nullptr; trap = trap->previous_) {
        if (trap->display_ == display) {
            if (trap->errors_++ == 0) trap->firstCode_ = event->error_code;
            return 0;
        }
    }
    // Errors outside a trap (a window that vanished between two requests) are expected on a
    // live desktop; they must never end the program as Xlib's default handler would.
    return 0;
}

void DisplayCloser::operator()(Display* display) const {
    if (display != nullptr) XCloseDisplay(display);
}

DisplayPtr openDisplay() {
    static std::once_flag once;
    std::call_once(once, [] {
        XInitThreads();
        XSetErrorHandler(handleXError);
    });
    return DisplayPtr(XOpenDisplay(nullptr));
}

ErrorTrap::ErrorTrap(Display* display) : display_(display), previous_(currentTrap) { currentTrap = this; }

ErrorTrap::~ErrorTrap() {
    XSync(display_, False);
    currentTrap = previous_;
}

int ErrorTrap::sync() {
    XSync(display_, False);
    return errors_;
}

Atom atom(Display* display, const char* name) { return XInternAtom(display, name, False); }

std::optional<Property> readProperty(Display* display, Window window, Atom property) {
    ErrorTrap trap(display);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, 1 << 20, False, AnyPropertyType, &type, &format,
                                          &count, &after, &data);
    if (status != Success || trap.sync() != 0 || type == 0) {
        if (data != nullptr) XFree(data);
        return std::nullopt;
    }
    Property p;
    p.type = type;
    p.format = format;
    if (format == 8) {
        p.data.assign(data, data + count);
    } else if (format == 32) {
        const long* longs = reinterpret_cast<const long*>(data);
        p.items.assign(longs, longs + count);
    } else if (format == 16) {
        const short* shorts = reinterpret_cast<const short*>(data);
        for (unsigned long i = 0; i < count; ++i) p.items.push_back(shorts[i]);
    }
    if (data != nullptr) XFree(data);
    return p;
}

std::optional<long> readCardinal(Display* display, Window window, Atom property) {
    auto p = readProperty(display, window, property);
    if (!p || p->format != 32 || p->items.empty()) return std::nullopt;
    return p->items.front();
}

std::optional<Window> readWindow(Display* display, Window window, Atom property) {
    auto p = readProperty(display, window, property);
    if (!p || p->format != 32 || p->items.empty()) return std::nullopt;
    return static_cast<Window>(p->items.front());
}

std::vector<Window> readWindows(Display* display, Window window, Atom property) {
    std::vector<Window> windows;
    if (auto p = readProperty(display, window, property); p && p->format == 32) {
        for (long item : p->items) windows.push_back(static_cast<Window>(item));
    }
    return windows;
}

std::optional<std::string> readTitleUtf8(Display* display, Window window) {
    if (auto p = readProperty(display, window, atom(display, "_NET_WM_NAME")); p && p->format == 8) {
        return std::string(p->data.begin(), p->data.end());
    }
    auto p = readProperty(display, window, XA_WM_NAME);
    if (!p || p->format != 8) return std::nullopt;
    if (p->type == atom(display, "UTF8_STRING")) return std::string(p->data.begin(), p->data.end());
    // STRING is Latin-1 by definition: widen each byte to its code point in UTF-8.
    std::string utf8;
    for (unsigned char c : p->data) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

std::vector<int> xtestDeviceIds(Display* display) {
    std::vector<int> ids;
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].name != nullptr && std::strstr(devices[i].name, "XTEST") != nullptr) {
            ids.push_back(devices[i].deviceid);
        }
    }
    if (devices != nullptr) XIFreeDeviceInfo(devices);
    return ids;
}

std::vector<int> xtestKeyboardIds(Display* display) {
    std::vector<int> ids;
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].use == XISlaveKeyboard && devices[i].name != nullptr &&
            std::strstr(devices[i].name, "XTEST") != nullptr) {
            ids.push_back(devices[i].deviceid);
        }
    }
    if (devices != nullptr) XIFreeDeviceInfo(devices);
    return ids;
}

void sendRootMessage(Display* display, Window window, Atom type, long d0, long d1, long d2, long d3, long d4) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = d0;
    event.xclient.data.l[1] = d1;
    event.xclient.data.l[2] = d2;
    event.xclient.data.l[3] = d3;
    event.xclient.data.l[4] = d4;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace orv::x11
