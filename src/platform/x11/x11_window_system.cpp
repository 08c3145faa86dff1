#include "platform/x11/x11_window_system.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/x11/xlib_util.h"

namespace orv::x11 {

namespace {

using Clock = std::chrono::steady_clock;

constexpr long kSourcePager = 2;  // EWMH source indication: a pager acts for the user
constexpr long kStateRemove = 0;
constexpr long kStateAdd = 1;

struct FrameExtents {
    long left = 0, right = 0, top = 0, bottom = 0;
};

FrameExtents frameExtents(Display* d, Window w) {
    FrameExtents f;
    if (auto p = readProperty(d, w, atom(d, "_NET_FRAME_EXTENTS")); p && p->items.size() == 4) {
        f.left = p->items[0];
        f.right = p->items[1];
        f.top = p->items[2];
        f.bottom = p->items[3];
    }
    return f;
}

bool hasState(Display* d, Window w, const char* state) {
    const auto p = readProperty(d, w, atom(d, "_NET_WM_STATE"));
    if (!p) return false;
    const long wanted = static_cast<long>(atom(d, state));
    return std::find(p->items.begin(), p->items.end(), wanted) != p->items.end();
}

}  // namespace

std::unique_ptr<X11WindowSystem> X11WindowSystem::create() {
    DisplayPtr display = openDisplay();
    if (!display) return nullptr;
    return std::unique_ptr<X11WindowSystem>(new X11WindowSystem(std::move(display)));
}

X11WindowSystem::X11WindowSystem(DisplayPtr display) : display_(std::move(display)) {}

X11WindowSystem::~X11WindowSystem() = default;

std::vector<WindowId> X11WindowSystem::topLevelWindows() {
    Display* d = display_.get();
    const Window root = DefaultRootWindow(d);
    std::vector<Window> stacking = readWindows(d, root, atom(d, "_NET_CLIENT_LIST_STACKING"));
    if (stacking.empty()) stacking = readWindows(d, root, atom(d, "_NET_CLIENT_LIST"));
    std::vector<WindowId> windows;
    for (auto it = stacking.rbegin(); it != stacking.rend(); ++it) windows.push_back(static_cast<WindowId>(*it));
    for (auto it = hidden_.begin(); it != hidden_.end();) {
        XWindowAttributes attributes;
        ErrorTrap trap(d);
        const bool exists = XGetWindowAttributes(d, *it, &attributes) != 0 && trap.sync() == 0;
        if (!exists) {
            it = hidden_.erase(it);
            continue;
        }
        if (std::find(windows.begin(), windows.end(), *it) == windows.end()) windows.push_back(*it);
        ++it;
    }
    return windows;
}

std::string X11WindowSystem::windowTitle(WindowId window) {
    if (window == 0) return {};
    return utf8ToCp1252(readTitleUtf8(display_.get(), window).value_or(std::string()));
}

WindowId X11WindowSystem::findWindowByTitle(const std::string& title) {
    for (WindowId w : topLevelWindows()) {
        if (windowTitle(w) == title) return w;
    }
    return 0;
}

WindowId X11WindowSystem::foregroundWindow() {
    return static_cast<WindowId>(
        readWindow(display_.get(), DefaultRootWindow(display_.get()), atom(display_.get(), "_NET_ACTIVE_WINDOW"))
            .value_or(0));
}

std::int32_t X11WindowSystem::windowProcess(WindowId window) {
    if (window == 0) return 0;
    return static_cast<std::int32_t>(
        readCardinal(display_.get(), window, atom(display_.get(), "_NET_WM_PID")).value_or(0));
}

bool X11WindowSystem::isMinimized(WindowId window) {
    if (window == 0) return false;
    if (hasState(display_.get(), window, "_NET_WM_STATE_HIDDEN")) return true;
    const auto state = readCardinal(display_.get(), window, atom(display_.get(), "WM_STATE"));
    return state && *state == IconicState;
}

bool X11WindowSystem::windowRect(WindowId window, WindowRect& rect) {
    Display* d = display_.get();
    ErrorTrap trap(d);
    XWindowAttributes attributes;
    if (window == 0 || XGetWindowAttributes(d, window, &attributes) == 0 || trap.sync() != 0) return false;
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    if (trap.sync() != 0) return false;
    const FrameExtents f = frameExtents(d, window);
    rect.left = x - static_cast<int>(f.left);
    rect.top = y - static_cast<int>(f.top);
    rect.right = x + attributes.width + static_cast<int>(f.right);
    rect.bottom = y + attributes.height + static_cast<int>(f.bottom);
    return true;
}

bool X11WindowSystem::setForegroundWindow(WindowId window) {
    if (window == 0) return false;
    if (hidden_.count(window) != 0) windowAction(window, WindowAction::Show);
    // A window the manager has not taken on yet ignores the request: ask again until it is
    // active or two seconds have passed.
    const auto deadline = Clock::now() + std::chrono::milliseconds(2000);
    do {
        sendRootMessage(display_.get(), window, atom(display_.get(), "_NET_ACTIVE_WINDOW"), kSourcePager, CurrentTime,
                        0);
        XFlush(display_.get());
        if (waitUntilActive(window, std::chrono::milliseconds(200))) return true;
    } while (Clock::now() < deadline);
    return false;
}

bool X11WindowSystem::waitUntilActive(WindowId window, std::chrono::milliseconds deadlineIn) {
    // Active means both: the window manager names it in _NET_ACTIVE_WINDOW (a recycled window id
    // can make that true too early) and the keyboard focus is in it, so typed keys reach it.
    Display* d = display_.get();
    const Window root = DefaultRootWindow(d);
    XSelectInput(d, root, PropertyChangeMask);
    {
        ErrorTrap trap(d);
        XSelectInput(d, window, FocusChangeMask | StructureNotifyMask);
        if (trap.sync() != 0) {
            XSelectInput(d, root, NoEventMask);
            return false;
        }
    }
    auto focused = [&] {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(d, &focus, &revert);
        if (foregroundWindow() != window) return false;
        for (Window w = focus; w != 0 && w != root && w != PointerRoot;) {
            if (w == window) return true;
            Window parent = 0, rootReturn = 0;
            Window* children = nullptr;
            unsigned count = 0;
            ErrorTrap trap(d);
            if (!XQueryTree(d, w, &rootReturn, &parent, &children, &count) || trap.sync() != 0) return false;
            if (children != nullptr) XFree(children);
            w = parent;
        }
        return false;
    };
    const auto deadline = Clock::now() + deadlineIn;
    bool active = focused();
    while (!active) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) break;
        if (XPending(d) == 0) {
            pollfd fd{ConnectionNumber(d), POLLIN, 0};
            if (::poll(&fd, 1, static_cast<int>(left)) <= 0) continue;
        }
        while (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
        }
        active = focused();
    }
    XSelectInput(d, root, NoEventMask);
    {
        ErrorTrap trap(d);
        XSelectInput(d, window, NoEventMask);
    }
    while (XPending(d) > 0) {
        XEvent event;
        XNextEvent(d, &event);
    }
    return active;
}

void X11WindowSystem::windowAction(WindowId window, WindowAction action) {
    Display* d = display_.get();
    if (window == 0) return;
    ErrorTrap trap(d);
    const Atom wmState = atom(d, "_NET_WM_STATE");
    const Atom maxV = atom(d, "_NET_WM_STATE_MAXIMIZED_VERT");
    const Atom maxH = atom(d, "_NET_WM_STATE_MAXIMIZED_HORZ");
    switch (action) {
        case WindowAction::Restore:
            if (hidden_.count(window) != 0) windowAction(window, WindowAction::Show);
            sendRootMessage(d, window, wmState, kStateRemove, static_cast<long>(maxV), static_cast<long>(maxH),
                            kSourcePager);
            // Activation de-iconifies, as a task bar button does.
            if (isMinimized(window))
                sendRootMessage(d, window, atom(d, "_NET_ACTIVE_WINDOW"), kSourcePager, CurrentTime, 0);
            break;
        case WindowAction::Minimize:
            XIconifyWindow(d, window, DefaultScreen(d));
            break;
        case WindowAction::Maximize:
            if (isMinimized(window))
                sendRootMessage(d, window, atom(d, "_NET_ACTIVE_WINDOW"), kSourcePager, CurrentTime, 0);
            sendRootMessage(d, window, wmState, kStateAdd, static_cast<long>(maxV), static_cast<long>(maxH),
                            kSourcePager);
            break;
        case WindowAction::Close:
            sendRootMessage(d, window, atom(d, "_NET_CLOSE_WINDOW"), CurrentTime, kSourcePager);
            break;
        case WindowAction::Hide:
            hidden_.insert(window);
            XUnmapWindow(d, window);
            // ICCCM: a client withdraws with a synthetic UnmapNotify to the root as well.
            {
                XEvent event{};
                event.xunmap.type = UnmapNotify;
                event.xunmap.event = DefaultRootWindow(d);
                event.xunmap.window = window;
                XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
            }
            break;
        case WindowAction::Show:
            hidden_.erase(window);
            XMapWindow(d, window);
            break;
        case WindowAction::Quit:
            if (const std::int32_t pid = windowProcess(window); pid > 0) ::kill(pid, SIGTERM);
            break;
    }
    trap.sync();
}

void X11WindowSystem::moveWindow(WindowId window, int left, int top) {
    if (window == 0) return;
    // Gravity NorthWest: x and y place the frame's top-left corner.
    const long flags = 1 | (1 << 8) | (1 << 9) | (kSourcePager << 12);
    sendRootMessage(display_.get(), window, atom(display_.get(), "_NET_MOVERESIZE_WINDOW"), flags, left, top, 0, 0);
    XSync(display_.get(), False);
}

void X11WindowSystem::resizeWindow(WindowId window, int width, int height) {
    if (window == 0) return;
    // The size given includes the frame, as the window rectangle does.
    const FrameExtents f = frameExtents(display_.get(), window);
    const long w = std::max<long>(1, width - f.left - f.right);
    const long h = std::max<long>(1, height - f.top - f.bottom);
    const long flags = 1 | (1 << 10) | (1 << 11) | (kSourcePager << 12);
    sendRootMessage(display_.get(), window, atom(display_.get(), "_NET_MOVERESIZE_WINDOW"), flags, 0, 0, w, h);
    XSync(display_.get(), False);
}

ScreenSize X11WindowSystem::screenSize() {
    return {DisplayWidth(display_.get(), DefaultScreen(display_.get())),
            DisplayHeight(display_.get(), DefaultScreen(display_.get()))};
}

}  // namespace orv::x11
