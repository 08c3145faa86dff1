#include "platform/x11/key_injector.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>

#include "platform/x11/marker_key.h"

namespace orv::x11 {

namespace {

using Clock = std::chrono::steady_clock;

// Blocks until the connection has input or the deadline passes; false at the deadline.
bool waitForInput(Display* display, Clock::time_point deadline) {
    if (XPending(display) > 0) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    return ::poll(&fd, 1, static_cast<int>(left)) > 0 && XPending(display) > 0;
}

// Events this connection did not ask for (MappingNotify reaches every client) are dropped.
void drain(Display* display) {
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
        if (event.type == GenericEvent) XFreeEventData(display, &event.xcookie);
    }
}

}  // namespace

std::unique_ptr<KeyInjector> KeyInjector::open() {
    DisplayPtr display = openDisplay();
    if (!display) return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor)) return nullptr;
    int opcode = 0;
    major = XkbMajorVersion;
    minor = XkbMinorVersion;
    if (!XkbQueryExtension(display.get(), &opcode, &eventBase, &errorBase, &major, &minor)) return nullptr;
    return std::unique_ptr<KeyInjector>(new KeyInjector(std::move(display)));
}

KeyInjector::KeyInjector(DisplayPtr display) : display_(std::move(display)) {
    // XTest input must not be held up by a grab of this connection's server.
    XTestGrabControl(display_.get(), True);
    ensureMarkerKeycode(display_.get());
    reloadKeymap();
    pool_ = keymap_.emptyKeycodes();
    refreshLockState();
}

KeyInjector::~KeyInjector() {
    releaseAll();
    if (!dirty_.empty()) {
        waitForFocusClient(std::chrono::milliseconds(500));
        restorePool();
    }
    XSync(display_.get(), False);
}

void KeyInjector::reloadKeymap() {
    keymap_.load(display_.get());
    cache_.clear();
}

void KeyInjector::refreshLockState() {
    XkbStateRec state{};
    if (XkbGetState(display_.get(), XkbUseCoreKbd, &state) == Success) {
        locked_ = state.locked_mods & (LockMask | keymap_.numLockMask());
        group_ = state.group;
    }
    lockStateAt_ = Clock::now();
}

std::optional<KeyStroke> KeyInjector::strokeFor(KeySym32 keysym) {
    const auto key = std::make_pair(keysym, locked_ | (static_cast<unsigned>(group_) << 16));
    if (auto it = cache_.find(key); it != cache_.end()) return it->second;
    std::optional<KeyStroke> stroke = keymap_.find(keysym, group_, locked_);
    // Spare keycodes are ours to rebind: what a stale snapshot says about them does not count.
    if (stroke && std::find(pool_.begin(), pool_.end(), stroke->keycode) != pool_.end()) stroke.reset();
    cache_.emplace(key, stroke);
    return stroke;
}

KeyInjector::Scan KeyInjector::scanChar(char32_t ch) {
    switch (ch) {
    case U'\r': return {13, 0};
    case U'\n': return {13, 2};  // Ctrl+Enter, as the layout query of the original platform answers
    case U'\t': return {9, 0};
    case U'\b': return {8, 0};
    case 0x1B: return {27, 0};
    case U' ': return {32, 0};
    default: break;
    }
    if (ch >= 1 && ch <= 26) return {static_cast<int>('A' + ch - 1), 2};
    const KeySym32 keysym = keysymOfChar(ch);
    if (keysym == 0) return {0, 0};
    // Layout answers use no lock state: the query describes the keys, not the moment.
    const auto stroke = keymap_.find(keysym, group_, 0);
    const bool pool = stroke && std::find(pool_.begin(), pool_.end(), stroke->keycode) != pool_.end();
    if (stroke && !pool && (stroke->mods & ~static_cast<unsigned>(ShiftMask)) == 0) {
        const int vk = virtualKeyOfKeysym(keymap_.keysymAt(stroke->keycode, group_, 0));
        if (vk != 0 && keymap_.find(keysymOfVirtualKey(vk), group_, 0).value_or(KeyStroke{}).keycode == stroke->keycode) {
            return {vk, stroke->mods != 0 ? 1 : 0};
        }
    }
    auto it = std::find(charKeys_.begin(), charKeys_.end(), ch);
    if (it == charKeys_.end()) it = charKeys_.insert(charKeys_.end(), ch);
    return {kCharKeyBase + static_cast<int>(it - charKeys_.begin()), 0};
}

KeyCode KeyInjector::modifierKeycode(int vk) {
    const KeySym32 keysym = keysymOfVirtualKey(vk);
    KeyCode keycode = keymap_.keycodeOf(keysym);
    if (keycode == 0 && (vk == kVkRightWin || vk == kVkLeftWin)) keycode = keymap_.keycodeOf(XK_Super_L);
    return keycode;
}

void KeyInjector::virtualKey(int vk, bool up) {
    if (vk >= kCharKeyBase) {
        const auto index = static_cast<std::size_t>(vk - kCharKeyBase);
        if (!up && index < charKeys_.size()) typeChar(charKeys_[index]);
        return;
    }
    // Mouse buttons named as keys: left, right, middle.
    if (vk == 1 || vk == 2 || vk == 4) {
        mouseButton(vk == 1 ? 1 : vk == 2 ? 3 : 2, up);
        return;
    }
    const KeySym32 keysym = keysymOfVirtualKey(vk);
    if (keysym == 0) return;
    KeyCode keycode = 0;
    if (vk == kVkShift || vk == kVkControl || vk == kVkMenu || vk == kVkLeftWin || vk == kVkRightWin ||
        (vk >= 160 && vk <= 165)) {
        keycode = modifierKeycode(vk);
    } else if (auto stroke = strokeFor(keysym)) {
        keycode = stroke->keycode;
    } else {
        keycode = bindSpare(keysym);
    }
    if (keycode == 0) return;
    keyEvent(keycode, !up);
    if (vk == kVkCapital || vk == 144) {
        XSync(display_.get(), False);
        refreshLockState();
    }
}

void KeyInjector::typeChar(char32_t ch) {
    const KeySym32 keysym = keysymOfChar(ch);
    if (keysym == 0) return;
    std::optional<KeyStroke> stroke = strokeFor(keysym);
    if (!stroke) {
        const KeyCode keycode = bindSpare(keysym);
        if (keycode == 0) return;
        stroke = KeyStroke{keycode, 0};
    }
    pressStroke(*stroke);
}

void KeyInjector::pressStroke(const KeyStroke& stroke) {
    // Shift and the level-3 modifier are set exactly as the stroke needs them for the one key,
    // then put back as the macro holds them.
    std::vector<KeyCode> shiftsHeld;
    for (KeyCode held : held_) {
        const KeySym32 sym = keymap_.keysymAt(held, 0, 0);
        if (sym == XK_Shift_L || sym == XK_Shift_R) shiftsHeld.push_back(held);
    }
    const bool needShift = (stroke.mods & ShiftMask) != 0;
    const bool needLevel3 = keymap_.level3Mask() != 0 && (stroke.mods & keymap_.level3Mask()) != 0;
    const KeyCode shift = keymap_.keycodeOf(XK_Shift_L);
    if (needShift && shiftsHeld.empty()) keyEvent(shift, true);
    if (!needShift) {
        for (KeyCode held : shiftsHeld) keyEvent(held, false);
    }
    if (needLevel3) keyEvent(keymap_.level3Keycode(), true);
    keyEvent(stroke.keycode, true);
    keyEvent(stroke.keycode, false);
    if (needLevel3) keyEvent(keymap_.level3Keycode(), false);
    if (needShift && shiftsHeld.empty()) keyEvent(shift, false);
    if (!needShift) {
        for (KeyCode held : shiftsHeld) keyEvent(held, true);
    }
}

KeyCode KeyInjector::bindSpare(KeySym32 keysym) {
    if (auto it = bound_.find(keysym); it != bound_.end()) {
        boundSinceConfirm_.insert(it->second);
        return it->second;
    }
    auto freeSlot = [&]() -> KeyCode {
        // Unused slots first, so that a keysym stays bound as long as possible.
        for (KeyCode kc : pool_) {
            if (dirty_.count(kc) == 0) return kc;
        }
        for (KeyCode kc : pool_) {
            if (boundSinceConfirm_.count(kc) == 0) return kc;
        }
        return 0;
    };
    KeyCode keycode = freeSlot();
    if (keycode == 0) {
        if (pool_.empty()) return 0;
        // Every spare keycode carries a character the target may not have read yet: rebinding
        // one now would change what those keys mean. Wait until the target has handled them.
        waitForFocusClient(std::chrono::milliseconds(2000));
        boundSinceConfirm_.clear();
        keycode = freeSlot();
    }
    for (auto it = bound_.begin(); it != bound_.end();) {
        it = it->second == keycode ? bound_.erase(it) : std::next(it);
    }
    KeySym syms[2] = {keysym, keysym};
    XChangeKeyboardMapping(display_.get(), keycode, 2, syms, 1);
    bound_[keysym] = keycode;
    boundSinceConfirm_.insert(keycode);
    dirty_.insert(keycode);
    return keycode;
}

void KeyInjector::restorePool() {
    for (KeyCode kc : dirty_) {
        KeySym none = NoSymbol;
        XChangeKeyboardMapping(display_.get(), kc, 1, &none, 1);
    }
    dirty_.clear();
    bound_.clear();
    boundSinceConfirm_.clear();
    XSync(display_.get(), False);
    drain(display_.get());
}

void KeyInjector::keyEvent(KeyCode keycode, bool down) {
    XTestFakeKeyEvent(display_.get(), keycode, down ? True : False, CurrentTime);
    if (down) {
        held_.insert(keycode);
    } else {
        held_.erase(keycode);
    }
    // Requests leave in batches; a sync now and then keeps the server's input queue short and
    // the connection's buffer from growing without bound.
    if (++pending_ >= 64) sync();
}

void KeyInjector::sync() {
    XSync(display_.get(), False);
    pending_ = 0;
    drain(display_.get());
}

void KeyInjector::releaseAll() {
    const std::set<KeyCode> keys = held_;
    for (KeyCode kc : keys) keyEvent(kc, false);
    const std::set<int> buttons = heldButtons_;
    for (int b : buttons) mouseButton(b, true);
    sync();
}

void KeyInjector::beginSession(std::chrono::milliseconds patience) {
    Display* d = display_.get();
    auto userHeld = [&] {
        char keys[32];
        XQueryKeymap(d, keys);
        std::vector<KeyCode> held;
        for (KeyCode kc : keymap_.modifierKeycodes()) {
            if ((keys[kc / 8] & (1 << (kc % 8))) != 0 && held_.count(kc) == 0) held.push_back(kc);
        }
        return held;
    };
    std::vector<KeyCode> held = userHeld();
    if (!held.empty()) {
        // Wait for the user's releases, woken by raw key events rather than by polling.
        int opcode = 0, event = 0, error = 0;
        if (XQueryExtension(d, "XInputExtension", &opcode, &event, &error)) {
            unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
            XISetMask(mask, XI_RawKeyRelease);
            XIEventMask em{XIAllMasterDevices, sizeof(mask), mask};
            XISelectEvents(d, DefaultRootWindow(d), &em, 1);
            XSync(d, False);
            const auto deadline = Clock::now() + patience;
            held = userHeld();
            while (!held.empty() && waitForInput(d, deadline)) {
                drain(d);
                held = userHeld();
            }
            std::fill(std::begin(mask), std::end(mask), 0);
            XISelectEvents(d, DefaultRootWindow(d), &em, 1);
            XSync(d, False);
            drain(d);
        }
        // Still held after the deadline: release them for the server so they do not modify
        // the typed text. The user's own release later finds them up and changes nothing.
        for (KeyCode kc : held) XTestFakeKeyEvent(d, kc, False, CurrentTime);
    }
    XSync(d, False);
    refreshLockState();
}

bool KeyInjector::waitForFocusClient(std::chrono::milliseconds deadlineIn) {
    Display* d = display_.get();
    XSync(d, False);
    const Atom protocols = atom(d, "WM_PROTOCOLS");
    const Atom ping = atom(d, "_NET_WM_PING");
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    // The client window that owns the focus and answers pings: the focus window or an ancestor.
    Window client = 0;
    const Window root = DefaultRootWindow(d);
    for (Window w = focus; w != 0 && w != root && w != PointerRoot;) {
        if (auto p = readProperty(d, w, protocols); p && p->format == 32) {
            if (std::find(p->items.begin(), p->items.end(), static_cast<long>(ping)) != p->items.end()) {
                client = w;
                break;
            }
        }
        Window parent = 0, rootReturn = 0;
        Window* children = nullptr;
        unsigned count = 0;
        ErrorTrap trap(d);
        if (!XQueryTree(d, w, &rootReturn, &parent, &children, &count) || trap.sync() != 0) break;
        if (children != nullptr) XFree(children);
        w = parent;
    }
    if (client == 0) return false;

    XSelectInput(d, root, SubstructureNotifyMask);
    const long serial = ++pingSerial_;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = client;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping);
    event.xclient.data.l[1] = serial;
    event.xclient.data.l[2] = static_cast<long>(client);
    {
        ErrorTrap trap(d);
        XSendEvent(d, client, False, NoEventMask, &event);
        trap.sync();
    }
    bool answered = false;
    const auto deadline = Clock::now() + deadlineIn;
    while (!answered && waitForInput(d, deadline)) {
        while (XPending(d) > 0) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == ClientMessage && e.xclient.message_type == protocols &&
                e.xclient.data.l[0] == static_cast<long>(ping) && e.xclient.data.l[1] == serial) {
                answered = true;
            }
            if (e.type == MappingNotify) XRefreshKeyboardMapping(&e.xmapping);
            if (e.type == GenericEvent) XFreeEventData(d, &e.xcookie);
        }
    }
    XSelectInput(d, root, NoEventMask);
    XSync(d, False);
    drain(d);
    return answered;
}

void KeyInjector::moveMouse(int x, int y) {
    XTestFakeMotionEvent(display_.get(), -1, x, y, CurrentTime);
    sync();
}

void KeyInjector::mouseButton(int button, bool up) {
    XTestFakeButtonEvent(display_.get(), static_cast<unsigned>(button), up ? False : True, CurrentTime);
    if (up) {
        heldButtons_.erase(button);
    } else {
        heldButtons_.insert(button);
    }
    sync();
}

void KeyInjector::pointerPosition(int& x, int& y) {
    Window root = 0, child = 0;
    int wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(display_.get(), DefaultRootWindow(display_.get()), &root, &child, &x, &y, &wx, &wy, &mask);
}

}  // namespace orv::x11
