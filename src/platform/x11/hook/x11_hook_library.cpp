#include "platform/x11/hook/x11_hook_library.h"

#include <QLoggingCategory>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "platform/hotkey_codes.h"
#include "platform/cp1252.h"
#include "platform/x11/hook/capture_recorder.h"
#include "platform/x11/display_session.h"
#include "platform/x11/hook/grab_plan.h"
#include "platform/x11/injection_log.h"
#include "platform/x11/keymap.h"
#include "platform/x11/keysyms.h"
#include "platform/x11/marker_key.h"
#include "platform/x11/proc_list.h"
#include "platform/x11/xlib_util.h"

namespace orv::x11 {

namespace {

// What the hook thread sees and posts: QT_LOGGING_RULES="orvanta.hook.debug=true".
Q_LOGGING_CATEGORY(lcHook, "orvanta.hook", QtWarningMsg)

using Clock = std::chrono::steady_clock;

static_assert(kAnyModifier == AnyModifier);

constexpr HookHandle kKeyboardHandle = 1;
constexpr HookHandle kMouseHandle = 2;
constexpr HookHandle kWindowHandle = 3;

// How often the process list is compared while the window hook is installed.
constexpr auto kProcessScanInterval = std::chrono::milliseconds(1000);
constexpr auto kKeymapSettle = std::chrono::milliseconds(30);

// The code of a grab that swallows a held hotkey key's repeats rather than being a hotkey.
constexpr int kHeldKeyCode = -2;

// X button numbers of the program's mouse buttons (1 left, 2 right, 3 middle) and back.
unsigned xButtonOf(int button) { return button == 1 ? 1u : button == 2 ? 3u : 2u; }
int buttonOfX(unsigned xButton) { return xButton == 1 ? 1 : xButton == 3 ? 2 : xButton == 2 ? 3 : 0; }

// A wanted grab and the hotkey code it stands for (-1 the marker key, kHeldKeyCode a held key).
struct Grab {
    ServerGrab grab;
    int code = -1;
    friend auto operator<=>(const Grab&, const Grab&) = default;
};

std::optional<InjectedKind> injectedKindOf(int evtype) {
    switch (evtype) {
        case XI_RawKeyPress:
            return InjectedKind::KeyDown;
        case XI_RawKeyRelease:
            return InjectedKind::KeyUp;
        case XI_RawButtonPress:
            return InjectedKind::ButtonDown;
        case XI_RawButtonRelease:
            return InjectedKind::ButtonUp;
        case XI_RawMotion:
            return InjectedKind::Motion;
        default:
            return std::nullopt;
    }
}

// Each state of the lock modifiers `locks` (every subset of their bits).
std::vector<unsigned> lockStatesOf(unsigned locks) {
    std::vector<unsigned> states;
    for (unsigned m = 0; m <= locks; ++m) {
        if ((m & ~locks) == 0) states.push_back(m);
    }
    return states;
}

// The character a typed keysym gives the ShortKeys and text waits: 8, 9, 13, 27 for the
// editing keys, the Windows-1252 byte of a printable character, -1 for anything that ends
// the typed word (other keys, and every key typed with Ctrl, Alt or the Windows key).
int typedChar(KeySym32 sym, bool commandModifiers) {
    if (commandModifiers) return -1;
    switch (sym) {
        case XK_BackSpace:
            return 8;
        case XK_Tab:
            return 9;
        case XK_Return:
        case XK_KP_Enter:
            return 13;
        case XK_Escape:
            return 27;
        default:
            break;
    }
    const char32_t u = charOfKeysym(sym);
    return u >= 0x20 && u != 0x7F ? unicodeToCp1252(u) : -1;
}

bool isModifierLike(KeySym32 sym) {
    return IsModifierKey(sym) || sym == XK_Caps_Lock || sym == XK_Num_Lock || sym == XK_Scroll_Lock ||
           sym == XK_ISO_Level3_Shift || sym == 0;
}

}  // namespace

// What the calling threads and the hook thread share, under `mutex`.
struct HookShared {
    mutable std::mutex mutex;
    std::condition_variable applied;
    TActivationTable table;  // the library's own copy
    bool keyboardHook = false;
    bool mouseHook = false;
    bool windowHook = false;
    std::uint64_t requested = 0;  // generation of the last change asked for
    std::uint64_t done = 0;       // generation the hook thread has acted on
    std::vector<int> refused;
    bool stop = false;
    // The user's input, for the idle time: how many events, and when the last one came.
    std::uint64_t inputCount = 0;
    Clock::time_point lastInput = Clock::now();
    std::uint64_t inputCountAtLastIdleCall = 0;
};

// The hook thread: its own connection and everything only it touches. It reads the shared
// table through a snapshot taken at each wake-up.
class HookThread {
public:
    HookThread(HookShared& shared, IHookMessageSink& sink, InjectionLog& log) : s_(shared), sink_(sink), log_(log) {}

    bool open(int wakeFd);
    void run();
    void closeDisplay() { display_.reset(); }

private:
    Display* d() const { return display_.get(); }
    void post(HookMsg msg, std::int64_t wParam = 0, std::int64_t lParam = 0, std::int32_t window = -1);
    void selectEvents();
    void applyHooks();
    void takeSnapshot();
    void loadKeymap();
    std::set<Grab> wantedGrabs() const;
    void updateGrabs();
    std::set<ServerGrab> applyPlan(const GrabPlan& plan);
    void handle(XEvent& event);
    void onXkb(const XkbEvent& xkb);
    void onKeyPress(const XKeyEvent& key);
    void onButtonPress(const XButtonEvent& button);
    void onRaw(const XIRawEvent& raw);
    void onUserButton(unsigned xButton);
    void onUserKey(unsigned keycode, bool repeat);
    void noteUserInput();
    void reportTyped(unsigned keycode);
    // Capture: follows CaptureOn, records the user's input, ends on the stop key.
    void syncCapture();
    void recordRaw(const XIRawEvent& raw);
    void recordPointer(capture::InputEvent::Kind kind, unsigned xButton, std::uint32_t time, int wheel = 0);
    void endCapture();
    void postCaptureText(const std::string& text);
    HeldModifiers heldModifiers() const;
    void checkActiveWindow(bool report);
    void scanProcesses(bool report);
    void reloadKeymap();
    // How long the event loop may sleep: until the next process check or keymap reload.
    int pollTimeout() const;
    bool macroInUse() const;
    Window foregroundWindow();
    bool fromXTest(int sourceid) const {
        return std::find(xtestDevices_.begin(), xtestDevices_.end(), sourceid) != xtestDevices_.end();
    }
    unsigned modsOf(const DecodedHotKey& k) const {
        return (k.ctrl ? ControlMask : 0u) | (k.alt ? altMask_ : 0u) | (k.shift ? ShiftMask : 0u) |
               (k.win ? winMask_ : 0u);
    }
    unsigned hotkeyMods(unsigned state) const { return state & (ControlMask | altMask_ | ShiftMask | winMask_); }
    bool hotkeyGrab(unsigned keycode, unsigned state) const {
        return keyCodeOfGrab_.count({keycode, hotkeyMods(state)}) != 0;
    }

    HookShared& s_;
    IHookMessageSink& sink_;
    InjectionLog& log_;
    int wakeFd_ = -1;

    DisplayPtr display_;
    int xiOpcode_ = 0;
    int xkbEventBase_ = 0;
    Keymap keymap_;
    std::vector<int> xtestDevices_;
    KeyCode markerKeycode_ = 0;
    unsigned altMask_ = Mod1Mask;
    unsigned winMask_ = Mod4Mask;
    unsigned ignoredLocks_ = 0;  // Lock | NumLock | ScrollLock

    // The grabs: the wanted set as last applied, with the lock modifiers it was applied with.
    std::set<Grab> grabs_;
    unsigned grabbedLocks_ = 0;
    std::set<ServerGrab> refusedGrabs_;                              // refused by the server (another client owns them)
    std::map<std::pair<unsigned, unsigned>, int> keyCodeOfGrab_;     // (keycode, mods) -> code
    std::map<std::pair<unsigned, unsigned>, int> buttonCodeOfGrab_;  // (button, mods) -> code
    std::map<std::tuple<int, int, unsigned>, int> codeOfCombination_;  // (vk, button, mods) -> code
    // Keys whose press fired a hotkey and that the user still holds: their repeats are swallowed.
    std::set<unsigned> heldHotKeys_;

    std::set<unsigned> repeating_;      // keys whose last raw press was an auto-repeat
    std::array<bool, 256> ownPress_{};  // per keycode: the last raw press was the program's own
    unsigned stateMods_ = 0;            // effective modifiers, from XKB state events
    unsigned lockedMods_ = 0;
    int stateGroup_ = 0;
    bool capsReported_ = false;
    bool capsKnown_ = false;
    Window activeWindow_ = 0;
    UserPidWatch processes_;  // the user's processes at the last scan
    Clock::time_point nextProcessScan_ = Clock::now();
    bool keymapStale_ = false;  // the server announced a keymap change not yet read
    Clock::time_point keymapReload_;
    TActivationTable snapshot_;  // the shared copy as of the last wake-up
    bool keyboardOn_ = false, mouseOn_ = false, windowOn_ = false;
    CaptureRecorder recorder_;
    // Set when the stop key ended the capture: recording starts again only after the program
    // has turned CaptureOn off once.
    bool captureEnded_ = false;
    // The key whose press ended the capture, until the user lets go of it. Its press reaches the
    // grab as well, and that copy may be read only after the program has already turned
    // CaptureOn off: it must not start what the same combination starts outside a capture.
    unsigned stopKeyDown_ = 0;
    std::uint32_t lastMoveQuery_ = 0;
};

void HookThread::post(HookMsg msg, std::int64_t wParam, std::int64_t lParam, std::int32_t window) {
    HookMessage m;
    m.msg = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.window = window >= 0 ? window : snapshot_.MainWindow();
    qCDebug(lcHook, "post %d %lld %lld", m.number(), static_cast<long long>(wParam), static_cast<long long>(lParam));
    sink_.postHookMessage(m);
}

bool HookThread::open(int wakeFd) {
    wakeFd_ = wakeFd;
    display_ = openDisplay();
    if (!display_) return false;
    int event = 0, error = 0;
    if (!XQueryExtension(d(), "XInputExtension", &xiOpcode_, &event, &error)) return false;
    int major = 2, minor = 2;
    if (XIQueryVersion(d(), &major, &minor) != Success) return false;
    int opcode = 0, xkbError = 0;
    major = XkbMajorVersion;
    minor = XkbMinorVersion;
    if (!XkbQueryExtension(d(), &opcode, &xkbEventBase_, &xkbError, &major, &minor)) return false;
    markerKeycode_ = ensureMarkerKeycode(d());
    xtestDevices_ = xtestDeviceIds(d());
    loadKeymap();
    selectEvents();
    XkbStateRec state{};
    if (XkbGetState(d(), XkbUseCoreKbd, &state) == Success) {
        stateMods_ = state.mods;
        lockedMods_ = state.locked_mods;
        stateGroup_ = state.group;
    }
    XSync(d(), False);
    return true;
}

void HookThread::selectEvents() {
    const Window root = DefaultRootWindow(d());
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    for (int type : {XI_RawKeyPress, XI_RawKeyRelease, XI_RawButtonPress, XI_RawButtonRelease, XI_RawMotion})
        XISetMask(mask, type);
    XIEventMask em{XIAllMasterDevices, sizeof(mask), mask};
    XISelectEvents(d(), root, &em, 1);
    const unsigned xkbMask = XkbNewKeyboardNotifyMask | XkbMapNotifyMask | XkbStateNotifyMask;
    XkbSelectEvents(d(), XkbUseCoreKbd, xkbMask, xkbMask);
    XSelectInput(d(), root, PropertyChangeMask);
}

void HookThread::loadKeymap() {
    keymap_.load(d());
    ignoredLocks_ = LockMask | keymap_.numLockMask() | keymap_.scrollLockMask();
    // Alt and Super sit on whichever ModN the modifier map gives them.
    XModifierKeymap* modmap = XGetModifierMapping(d());
    const KeyCode alt = XKeysymToKeycode(d(), XK_Alt_L);
    const KeyCode super = XKeysymToKeycode(d(), XK_Super_L);
    for (int m = 3; m < 8; ++m) {
        for (int k = 0; k < modmap->max_keypermod; ++k) {
            const KeyCode kc = modmap->modifiermap[m * modmap->max_keypermod + k];
            if (kc != 0 && kc == alt) altMask_ = 1u << m;
            if (kc != 0 && kc == super) winMask_ = 1u << m;
        }
    }
    XFreeModifiermap(modmap);
    // Every combination of the hotkey table, for the picker's look-up of pressed keys.
    codeOfCombination_.clear();
    for (int code = 0; code < kHotKeyCount; ++code) {
        const DecodedHotKey k = DecipherKey(code);
        codeOfCombination_.emplace(
            std::make_tuple(static_cast<int>(k.virtualKey), static_cast<int>(k.mouseButton), modsOf(k)), code);
    }
}

void HookThread::takeSnapshot() {
    std::lock_guard lock(s_.mutex);
    snapshot_ = s_.table;
    keyboardOn_ = s_.keyboardHook;
    mouseOn_ = s_.mouseHook;
    windowOn_ = s_.windowHook;
}

bool HookThread::macroInUse() const {
    // The shared copy rather than the snapshot: the engine marks the macro in use just before it
    // types, and the press may come before the wake-up that carries the change.
    std::lock_guard lock(s_.mutex);
    return s_.table.MacroInUse();
}

std::set<Grab> HookThread::wantedGrabs() const {
    std::set<Grab> wanted;
    if (keyboardOn_ && markerKeycode_ != 0) wanted.insert(Grab{{markerKeycode_, AnyModifier, false, false}, -1});
    for (int code = 0; code < kHotKeyCount; ++code) {
        if (!snapshot_.HotKeyInUse(code)) continue;
        const DecodedHotKey k = DecipherKey(code);
        if (k.mouseButton != 0) {
            // A plain button must still click where it is pressed: a synchronous grab lets the
            // press through again (ReplayPointer). Modified buttons are kept.
            if (mouseOn_) wanted.insert(Grab{{xButtonOf(k.mouseButton), modsOf(k), true, modsOf(k) == 0}, code});
        } else if (keyboardOn_) {
            const KeySym32 sym = keysymOfVirtualKey(k.virtualKey);
            const KeyCode kc = sym != 0 ? XKeysymToKeycode(d(), sym) : 0;
            // Hotkeys freeze the keyboard until the press is judged: a macro typing one of the
            // combinations gets its key replayed to the focused window.
            if (kc != 0 && kc != markerKeycode_) wanted.insert(Grab{{kc, modsOf(k), false, true}, code});
        }
    }
    if (keyboardOn_) {
        // The held key repeats without the modifiers the macro released for the server: that
        // combination is grabbed (unless it is a hotkey of its own, whose repeats are dropped
        // anyway). The hotkey's own grab stays, so a new press of it is the hotkey at once.
        for (unsigned kc : heldHotKeys_) {
            const ServerGrab bare{kc, 0, false, true};
            const bool taken = std::any_of(wanted.begin(), wanted.end(), [&](const Grab& g) { return g.grab == bare; });
            if (!taken) wanted.insert(Grab{bare, kHeldKeyCode});
        }
    }
    return wanted;
}

void HookThread::updateGrabs() {
    std::set<Grab> wanted = wantedGrabs();
    if (wanted == grabs_ && grabbedLocks_ == ignoredLocks_) return;
    auto serverGrabs = [](const std::set<Grab>& from) {
        std::set<ServerGrab> out;
        for (const Grab& g : from) out.insert(g.grab);
        return out;
    };
    const GrabPlan plan = planGrabs(serverGrabs(grabs_), serverGrabs(wanted), grabbedLocks_ != ignoredLocks_);
    qCDebug(lcHook, "grabs: %zu wanted, %zu held; %zu to ungrab, %zu to grab%s", wanted.size(), grabs_.size(),
            plan.ungrab.size(), plan.grab.size(), plan.ungrabAll ? " after ungrabbing all" : "");
    const std::set<ServerGrab> refusedNow = applyPlan(plan);
    if (plan.ungrabAll) refusedGrabs_.clear();
    refusedGrabs_.insert(refusedNow.begin(), refusedNow.end());
    for (const ServerGrab& g : plan.grab) {
        if (refusedNow.count(g) == 0) refusedGrabs_.erase(g);
    }
    keyCodeOfGrab_.clear();
    buttonCodeOfGrab_.clear();
    std::vector<int> refusedCodes;
    for (const Grab& g : wanted) {
        if (g.code < 0) continue;
        if (refusedGrabs_.count(g.grab) != 0) refusedCodes.push_back(g.code);
        (g.grab.button ? buttonCodeOfGrab_ : keyCodeOfGrab_)[{g.grab.detail, g.grab.mods}] = g.code;
    }
    std::erase_if(refusedGrabs_, [&](const ServerGrab& g) {
        return std::none_of(wanted.begin(), wanted.end(), [&](const Grab& w) { return w.grab == g; });
    });
    grabs_ = std::move(wanted);
    grabbedLocks_ = ignoredLocks_;
    std::lock_guard lock(s_.mutex);
    s_.refused = std::move(refusedCodes);
}

std::set<ServerGrab> HookThread::applyPlan(const GrabPlan& plan) {
    const Window root = DefaultRootWindow(d());
    if (plan.ungrabAll) {
        XUngrabKey(d(), AnyKey, AnyModifier, root);
        XUngrabButton(d(), AnyButton, AnyModifier, root);
    }
    // Modifiers match exactly, so each combination goes with every state of the lock modifiers.
    auto eachState = [](const ServerGrab& g, unsigned locks, const auto& apply) {
        if (g.mods == AnyModifier) return apply(static_cast<unsigned>(AnyModifier));
        for (unsigned state : lockStatesOf(locks)) apply(g.mods | state);
    };
    for (const ServerGrab& g : plan.ungrab) {
        eachState(g, grabbedLocks_, [&](unsigned m) {
            if (g.button) {
                XUngrabButton(d(), g.detail, m, root);
            } else {
                XUngrabKey(d(), static_cast<int>(g.detail), m, root);
            }
        });
    }
    std::set<ServerGrab> refused;
    for (const ServerGrab& g : plan.grab) {
        ErrorTrap trap(d());
        const int mode = g.sync ? GrabModeSync : GrabModeAsync;
        eachState(g, ignoredLocks_, [&](unsigned m) {
            if (g.button) {
                XGrabButton(d(), g.detail, m, root, False, ButtonPressMask | ButtonReleaseMask, mode, GrabModeAsync,
                            None, None);
            } else {
                XGrabKey(d(), static_cast<int>(g.detail), m, root, False, GrabModeAsync, mode);
            }
        });
        if (trap.sync() != 0) refused.insert(g);
    }
    return refused;
}

void HookThread::applyHooks() {
    const std::uint64_t generation = [&] {
        std::lock_guard lock(s_.mutex);
        return s_.requested;
    }();
    takeSnapshot();
    syncCapture();
    if (!keyboardOn_) heldHotKeys_.clear();
    updateGrabs();
    if (windowOn_ && activeWindow_ == 0) checkActiveWindow(false);
    XFlush(d());
    {
        std::lock_guard lock(s_.mutex);
        s_.done = generation;
    }
    s_.applied.notify_all();
}

void HookThread::run() {
    applyHooks();
    scanProcesses(false);
    // Here, beside the main thread building the windows, rather than on the main thread before them.
    recorder_.prepare();
    while (true) {
        {
            std::lock_guard lock(s_.mutex);
            if (s_.stop) break;
        }
        while (XPending(d()) > 0) {
            XEvent event;
            XNextEvent(d(), &event);
            handle(event);
        }
        if (windowOn_ && Clock::now() >= nextProcessScan_) scanProcesses(true);
        if (keymapStale_ && Clock::now() >= keymapReload_) reloadKeymap();
        XFlush(d());
        pollfd fds[2] = {{ConnectionNumber(d()), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        if (XPending(d()) > 0) continue;
        ::poll(fds, 2, pollTimeout());
        if ((fds[1].revents & POLLIN) != 0) {
            std::uint64_t count = 0;
            (void)!::read(wakeFd_, &count, sizeof count);
            applyHooks();
        }
    }
    XUngrabKey(d(), AnyKey, AnyModifier, DefaultRootWindow(d()));
    XUngrabButton(d(), AnyButton, AnyModifier, DefaultRootWindow(d()));
    XSync(d(), False);
}

void HookThread::handle(XEvent& event) {
    if (event.type == GenericEvent && event.xcookie.extension == xiOpcode_) {
        if (XGetEventData(d(), &event.xcookie)) {
            onRaw(*static_cast<const XIRawEvent*>(event.xcookie.data));
            XFreeEventData(d(), &event.xcookie);
        }
        return;
    }
    if (event.type == xkbEventBase_) {
        onXkb(*reinterpret_cast<const XkbEvent*>(&event));
        return;
    }
    switch (event.type) {
        case KeyPress:
            onKeyPress(event.xkey);
            break;
        case ButtonPress:
            onButtonPress(event.xbutton);
            break;
        case PropertyNotify:
            if (windowOn_ && event.xproperty.atom == atom(d(), "_NET_ACTIVE_WINDOW")) checkActiveWindow(true);
            if (windowOn_ && event.xproperty.atom == atom(d(), "_NET_CLIENT_LIST")) scanProcesses(true);
            break;
        case MappingNotify:
            XRefreshKeyboardMapping(&event.xmapping);
            break;
        default:
            break;
    }
}

void HookThread::onXkb(const XkbEvent& xkb) {
    if (xkb.any.xkb_type == XkbStateNotify) {
        stateMods_ = xkb.state.mods;
        lockedMods_ = xkb.state.locked_mods;
        stateGroup_ = xkb.state.group;
        const bool caps = (lockedMods_ & LockMask) != 0;
        if (keyboardOn_ && (!capsKnown_ || caps != capsReported_)) {
            capsKnown_ = true;
            capsReported_ = caps;
            post(HookMsg::CapsLock, caps ? 1 : 0);
        }
    } else if (xkb.any.xkb_type == XkbMapNotify) {
        // A real change of the keymap (a remap, a layout, a spare key bound for typing): the
        // hotkeys' grabs follow it before the next key is judged.
        qCDebug(lcHook, "keymap changed");
        reloadKeymap();
    } else if (xkb.any.xkb_type == XkbNewKeyboardNotify) {
        // The server announces a new keyboard each time input switches between devices (the
        // user's keyboard and the program's typing), often several times within one macro:
        // reading the keymap again then would compete with the typing itself. One reload a
        // little later covers a whole burst of announcements.
        qCDebug(lcHook, "keyboard switched");
        if (!keymapStale_) keymapReload_ = Clock::now() + kKeymapSettle;
        keymapStale_ = true;
    }
}

void HookThread::reloadKeymap() {
    keymapStale_ = false;
    // Grabs are per keycode: a new map may move the keys of the hotkeys.
    loadKeymap();
    markerKeycode_ = XKeysymToKeycode(d(), XK_Execute);
    updateGrabs();
}

int HookThread::pollTimeout() const {
    std::optional<Clock::time_point> next;
    if (windowOn_) next = nextProcessScan_;
    if (keymapStale_ && (!next || keymapReload_ < *next)) next = keymapReload_;
    if (!next) return -1;
    // Rounded up: a deadline less than a millisecond away must not turn into a spinning poll.
    return static_cast<int>(
        std::max<std::int64_t>(std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now()).count(), 0));
}

void HookThread::onKeyPress(const XKeyEvent& key) {
    const unsigned keycode = key.keycode & 0xFF;
    const bool own = ownPress_[keycode];
    const bool hotkey = hotkeyGrab(keycode, key.state);
    // The program's own press of a grabbed key (a macro typing a hotkey combination, or a key
    // the user still holds) goes on to the focused window. Only a hotkey replayed outside a
    // playback is the hotkey itself.
    if (keycode != markerKeycode_ && own && (!hotkey || macroInUse())) {
        XAllowEvents(d(), ReplayKeyboard, key.time);
        XFlush(d());
        qCDebug(lcHook, "replayed own press keycode %u state %#x", keycode, key.state);
        return;
    }
    // Our grab is active from this press on and holds the keyboard. Ungrabbing ends both, and
    // the events queued meanwhile (the macro's typing) go to the focused window, not to us.
    XUngrabKeyboard(d(), key.time);
    XFlush(d());
    qCDebug(lcHook, "grabbed press keycode %u state %#x%s", keycode, key.state, own ? " (own)" : "");
    if (keycode == markerKeycode_) {
        post(snapshot_.u8(TActivationTable::oWaitMarker) != 0 ? HookMsg::WaitMarker : HookMsg::Marker);
        return;
    }
    // A key held down repeats its press; only the first one is the hotkey (the others, with
    // the modifiers or without, are swallowed).
    if (!hotkey || repeating_.count(keycode) != 0) return;
    // While a capture runs every activation waits; the stop key is taken from the raw events,
    // and its own press (which ended the capture) is no hotkey either.
    if (recorder_.active() || captureEnded_ || keycode == stopKeyDown_) return;
    const int code = keyCodeOfGrab_.at({keycode, hotkeyMods(key.state)});
    if (snapshot_.PickerActive()) {
        post(HookMsg::PickerHotKey, code, 0, snapshot_.PickerWindow());
        return;
    }
    const std::int64_t caps = (key.state & LockMask) != 0 ? kHotKeyCapsFlag : 0;
    post(HookMsg::HotKey, code | caps, static_cast<std::int64_t>(foregroundWindow()));
    if (!own) {
        // The macro releases the held keys for the server so that they do not modify its text;
        // the user's key then repeats without the modifiers, and those repeats must not reach
        // the focused window either: the bare key is grabbed until the user lets go of it.
        heldHotKeys_.insert(keycode);
        updateGrabs();
    }
}

void HookThread::onButtonPress(const XButtonEvent& button) {
    const unsigned mods = hotkeyMods(button.state);
    if (mods == 0) {
        XAllowEvents(d(), ReplayPointer, button.time);
    } else {
        XUngrabPointer(d(), button.time);
    }
    XFlush(d());
    const auto it = buttonCodeOfGrab_.find({button.button, mods});
    if (it == buttonCodeOfGrab_.end()) return;
    if (snapshot_.PickerActive()) {
        post(HookMsg::PickerHotKey, it->second, 0, snapshot_.PickerWindow());
        return;
    }
    const std::int64_t caps = (button.state & LockMask) != 0 ? kHotKeyCapsFlag : 0;
    post(HookMsg::HotKey, it->second | caps, static_cast<std::int64_t>(foregroundWindow()));
}

void HookThread::onRaw(const XIRawEvent& raw) {
    const std::optional<InjectedKind> kind = injectedKindOf(raw.evtype);
    // Every program that injects does so through the XTest device; the program's own events
    // are the ones its injector logged, in order. The rest is the user's, however it came.
    const bool own = kind && fromXTest(raw.sourceid) && log_.claim(*kind, static_cast<unsigned>(raw.detail));
    const auto detail = static_cast<unsigned>(raw.detail);
    if (raw.evtype == XI_RawKeyPress || raw.evtype == XI_RawKeyRelease) {
        qCDebug(lcHook, "raw %s keycode %u source %d%s", raw.evtype == XI_RawKeyPress ? "press" : "release", detail,
                raw.sourceid, own ? " (own)" : "");
    }
    if (raw.evtype == XI_RawKeyPress) {
        ownPress_[detail & 0xFF] = own;
        if ((raw.flags & XIKeyRepeat) != 0) {
            repeating_.insert(detail);
        } else {
            repeating_.erase(detail);
        }
    }
    if (own) return;
    // The user's keys are read with the keymap of their moment: a reload still pending happens
    // now (the program's own typing never waits for one).
    if (keymapStale_ && (raw.evtype == XI_RawKeyPress || raw.evtype == XI_RawKeyRelease)) reloadKeymap();
    noteUserInput();
    if (recorder_.active()) recordRaw(raw);
    switch (raw.evtype) {
        case XI_RawKeyPress:
            onUserKey(detail, (raw.flags & XIKeyRepeat) != 0);
            break;
        case XI_RawKeyRelease:
            if (detail == stopKeyDown_) stopKeyDown_ = 0;
            if (heldHotKeys_.erase(detail) != 0) updateGrabs();
            break;
        case XI_RawButtonPress:
            onUserButton(detail);
            break;
        default:
            break;
    }
}

void HookThread::noteUserInput() {
    std::lock_guard lock(s_.mutex);
    ++s_.inputCount;
    s_.lastInput = Clock::now();
}

void HookThread::onUserButton(unsigned xButton) {
    const int button = buttonOfX(xButton);
    if (button == 0 || !mouseOn_) return;
    if (snapshot_.u8(TActivationTable::oWaitMouseClick) != 0) post(HookMsg::WaitClick, button);
    if (keyboardOn_) {
        // A click moves the caret: the characters typed so far no longer form a word.
        if (snapshot_.HaveShortKeys()) post(HookMsg::ShortKeyChar, 1);
        if (snapshot_.u8(TActivationTable::oWaitText) != 0) post(HookMsg::WaitText, 1);
    }
    if (snapshot_.PickerActive()) {
        const unsigned mods = hotkeyMods(stateMods_);
        const auto it = codeOfCombination_.find({0, button, mods});
        if (it != codeOfCombination_.end() && buttonCodeOfGrab_.count({xButton, mods}) == 0) {
            post(HookMsg::PickerHotKey, it->second, 0, snapshot_.PickerWindow());
        }
    }
}

void HookThread::onUserKey(unsigned keycode, bool repeat) {
    if (!keyboardOn_) return;
    const KeySym32 base = keymap_.keysymAt(static_cast<KeyCode>(keycode), stateGroup_, 0);
    if (base == XK_Pause || base == XK_Break) {
        post(HookMsg::Abort);
        return;
    }
    if (keycode == markerKeycode_) return;
    const bool grabbed = hotkeyGrab(keycode, stateMods_) || heldHotKeys_.count(keycode) != 0;
    if (snapshot_.PickerActive() && !grabbed && !repeat) {
        const auto it = codeOfCombination_.find({virtualKeyOfKeysym(base), 0, hotkeyMods(stateMods_)});
        if (it != codeOfCombination_.end()) post(HookMsg::PickerHotKey, it->second, 0, snapshot_.PickerWindow());
    }
    if (grabbed) return;  // a hotkey is not typing
    if (snapshot_.u8(TActivationTable::oWaitKeyPress) != 0) {
        const int vk = virtualKeyOfKeysym(base);
        if (vk != 0) post(HookMsg::WaitKey, vk);
    }
    reportTyped(keycode);
}

void HookThread::reportTyped(unsigned keycode) {
    const bool shortKeys = snapshot_.HaveShortKeys();
    const bool waitText = snapshot_.u8(TActivationTable::oWaitText) != 0;
    if (!shortKeys && !waitText) return;
    const KeySym32 sym = keymap_.keysymAt(static_cast<KeyCode>(keycode), stateGroup_, stateMods_);
    if (isModifierLike(sym)) return;
    const int ch = typedChar(sym, (stateMods_ & (ControlMask | altMask_ | winMask_)) != 0);
    const std::int64_t caps = (lockedMods_ & LockMask) != 0 ? 2 : 0;
    if (shortKeys) {
        if (ch < 0) {
            post(HookMsg::ShortKeyChar, 1);
        } else {
            post(HookMsg::ShortKeyChar, caps, ch);
        }
    }
    if (waitText) {
        if (ch < 0) {
            post(HookMsg::WaitText, 1);
        } else {
            post(HookMsg::WaitText, 0, ch);
        }
    }
}

HeldModifiers HookThread::heldModifiers() const {
    HeldModifiers held;
    held.ctrl = (stateMods_ & ControlMask) != 0;
    held.alt = (stateMods_ & altMask_) != 0;
    held.shift = (stateMods_ & ShiftMask) != 0;
    held.win = (stateMods_ & winMask_) != 0;
    return held;
}

void HookThread::syncCapture() {
    const bool on = snapshot_.CaptureOn();
    if (!on) captureEnded_ = false;
    if (on && !recorder_.active() && !captureEnded_) {
        Window root = 0, child = 0;
        int x = 0, y = 0, wx = 0, wy = 0;
        unsigned mask = 0;
        XQueryPointer(d(), DefaultRootWindow(d()), &root, &child, &x, &y, &wx, &wy, &mask);
        recorder_.start(snapshot_, x, y);
        qCDebug(lcHook, "capture into macro %d started", recorder_.macro());
    } else if (!on && recorder_.active()) {
        // Ended by the program (the tray icon, the menu): what is still pending goes out first.
        postCaptureText(recorder_.stop());
    }
}

void HookThread::postCaptureText(const std::string& text) {
    for (const char c : text) post(HookMsg::CaptureText, recorder_.macro(), static_cast<unsigned char>(c));
}

void HookThread::endCapture() {
    const int macro = recorder_.macro();
    captureEnded_ = true;
    postCaptureText(recorder_.stop());
    post(HookMsg::CaptureEnd, macro);
}

void HookThread::recordPointer(capture::InputEvent::Kind kind, unsigned xButton, std::uint32_t time, int wheel) {
    capture::InputEvent event;
    event.kind = kind;
    event.timeMs = time;
    event.wheel = wheel;
    event.button = xButton == 3   ? capture::MouseButton::Right
                   : xButton == 2 ? capture::MouseButton::Middle
                                  : capture::MouseButton::Left;
    const Window root = DefaultRootWindow(d());
    Window rootReturn = 0, child = 0;
    int wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(d(), root, &rootReturn, &child, &event.x, &event.y, &wx, &wy, &mask);
    int ox = 0, oy = 0;
    const Window foreground = foregroundWindow();
    if (foreground != 0) XTranslateCoordinates(d(), foreground, root, 0, 0, &ox, &oy, &child);
    event.windowX = event.x - ox;
    event.windowY = event.y - oy;
    postCaptureText(recorder_.pointer(event));
}

// One event of the user's while a capture runs. Keys that are hotkeys are not typing and are
// not recorded; the stop key (or the macro's own hotkey) ends the capture.
void HookThread::recordRaw(const XIRawEvent& raw) {
    using Kind = capture::InputEvent::Kind;
    const auto detail = static_cast<unsigned>(raw.detail);
    const auto time = static_cast<std::uint32_t>(raw.time);
    switch (raw.evtype) {
        case XI_RawKeyPress: {
            const KeySym32 base = keymap_.keysymAt(static_cast<KeyCode>(detail), stateGroup_, 0);
            if (recorder_.endsCapture(virtualKeyOfKeysym(base), heldModifiers())) {
                stopKeyDown_ = detail;
                endCapture();
                return;
            }
            if (hotkeyGrab(detail, stateMods_) || detail == markerKeycode_) return;
            const KeySym32 sym = keymap_.keysymAt(static_cast<KeyCode>(detail), stateGroup_, stateMods_);
            postCaptureText(recorder_.keyPress(sym, heldModifiers(), time));
            break;
        }
        case XI_RawKeyRelease:
            postCaptureText(recorder_.keyRelease(keymap_.keysymAt(static_cast<KeyCode>(detail), stateGroup_, 0), time));
            break;
        case XI_RawButtonPress:
            if (recorder_.endsCaptureByButton(buttonOfX(detail), heldModifiers())) {
                endCapture();
                return;
            }
            if (!recorder_.recordsMouse()) return;
            if (detail == 4 || detail == 5) {
                recordPointer(Kind::Wheel, detail, time, detail == 4 ? 1 : -1);
            } else if (detail <= 3) {
                recordPointer(Kind::ButtonDown, detail, time);
            }
            break;
        case XI_RawButtonRelease:
            if (recorder_.recordsMouse() && detail >= 1 && detail <= 3) recordPointer(Kind::ButtonUp, detail, time);
            break;
        case XI_RawMotion:
            // Raw motion carries no position: the pointer is read at most every 20 ms.
            if (recorder_.recordsEveryMove() && time - lastMoveQuery_ >= 20) {
                lastMoveQuery_ = time;
                recordPointer(Kind::Motion, 0, time);
            }
            break;
        default:
            break;
    }
}

Window HookThread::foregroundWindow() {
    // As followed from _NET_ACTIVE_WINDOW changes while the window hook is on (no round trip on
    // the way to a hotkey message), else read from the root window.
    if (windowOn_ && activeWindow_ != 0) return activeWindow_;
    return readWindow(d(), DefaultRootWindow(d()), atom(d(), "_NET_ACTIVE_WINDOW")).value_or(0);
}

void HookThread::checkActiveWindow(bool report) {
    const auto w = readWindow(d(), DefaultRootWindow(d()), atom(d(), "_NET_ACTIVE_WINDOW"));
    const Window now = w.value_or(0);
    if (now == activeWindow_) return;
    activeWindow_ = now;
    if (report && now != 0) {
        post(HookMsg::WindowActivated, static_cast<std::int64_t>(now));
        if (keyboardOn_ && snapshot_.HaveShortKeys()) post(HookMsg::ShortKeyChar, 1);
    }
}

void HookThread::scanProcesses(bool report) {
    nextProcessScan_ = Clock::now() + kProcessScanInterval;
    if (processes_.changed() && report) post(HookMsg::ProcessesChanged);
}

// ---------------------------------------------------------------------------------------------

struct X11HookLibrary::Impl {
    explicit Impl(IHookMessageSink& sink) : hookThread(shared, sink, log) {}

    void wake() const {
        const std::uint64_t one = 1;
        if (wakeFd >= 0) (void)!::write(wakeFd, &one, sizeof one);
    }
    // Applies `change` to the shared state and has the hook thread act on it.
    template <typename Change>
    void request(Change&& change) {
        {
            std::lock_guard lock(shared.mutex);
            change();
            ++shared.requested;
        }
        wake();
    }

    HookShared shared;
    InjectionLog log;
    HookThread hookThread;
    int wakeFd = -1;
    std::thread thread;
    bool displayAvailable = false;
};

X11HookLibrary::X11HookLibrary(IHookMessageSink& sink)
    : impl_(std::make_unique<Impl>(sink)), session_(detectDisplaySession()) {
    impl_->wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    impl_->displayAvailable = impl_->wakeFd >= 0 && impl_->hookThread.open(impl_->wakeFd);
    if (impl_->displayAvailable) {
        impl_->thread = std::thread([impl = impl_.get()] { impl->hookThread.run(); });
    }
}

X11HookLibrary::~X11HookLibrary() {
    if (impl_->thread.joinable()) {
        {
            std::lock_guard lock(impl_->shared.mutex);
            impl_->shared.stop = true;
        }
        impl_->wake();
        impl_->thread.join();
    }
    impl_->hookThread.closeDisplay();
    if (impl_->wakeFd >= 0) ::close(impl_->wakeFd);
}

bool X11HookLibrary::available() const { return impl_->displayAvailable; }

Capabilities X11HookLibrary::capabilities() const { return x11HookCapabilities(session_); }

InjectionLog& X11HookLibrary::injectionLog() { return impl_->log; }

HookHandle X11HookLibrary::OrvHookKeyboard() {
    if (!available()) return 0;
    impl_->request([&] { impl_->shared.keyboardHook = true; });
    return kKeyboardHandle;
}

HookHandle X11HookLibrary::OrvHookMouse() {
    if (!available()) return 0;
    impl_->request([&] { impl_->shared.mouseHook = true; });
    return kMouseHandle;
}

HookHandle X11HookLibrary::OrvHookCBT() {
    if (!available()) return 0;
    impl_->request([&] { impl_->shared.windowHook = true; });
    return kWindowHandle;
}

HookHandle X11HookLibrary::OrvHookSwap() { return 0; }

bool X11HookLibrary::OrvUnHook(HookHandle handle) {
    if (!available()) return false;
    HookShared& s = impl_->shared;
    bool removed = false;
    impl_->request([&] {
        bool* flag = handle == kKeyboardHandle ? &s.keyboardHook
                     : handle == kMouseHandle  ? &s.mouseHook
                     : handle == kWindowHandle ? &s.windowHook
                                               : nullptr;
        removed = flag != nullptr && *flag;
        if (removed) *flag = false;
    });
    return removed;
}

void X11HookLibrary::update(const TActivationTable& from, TableGroup group, int j) {
    impl_->request([&] { impl_->shared.table.copyGroup(from, group, j); });
}

void X11HookLibrary::OrvUpInit(const TActivationTable& t) { update(t, TableGroup::Init); }
void X11HookLibrary::OrvUpKeys(const TActivationTable& t) { update(t, TableGroup::Keys); }
void X11HookLibrary::OrvUpItem(const TActivationTable& t, int j) { update(t, TableGroup::Item, j); }
void X11HookLibrary::OrvUpNumKeys(const TActivationTable& t) { update(t, TableGroup::NumKeys); }
void X11HookLibrary::OrvUpWindow(const TActivationTable& t) { update(t, TableGroup::Window); }
void X11HookLibrary::OrvUpWindow2(const TActivationTable& t) { update(t, TableGroup::Window2); }
void X11HookLibrary::OrvUpCapture(const TActivationTable& t) { update(t, TableGroup::Capture); }
void X11HookLibrary::OrvUpCaptureOn(const TActivationTable& t) { update(t, TableGroup::CaptureOn); }
void X11HookLibrary::OrvUpInUse(const TActivationTable& t) { update(t, TableGroup::InUse); }
void X11HookLibrary::OrvUpProg(const TActivationTable& t) { update(t, TableGroup::Prog); }
void X11HookLibrary::OrvUpProgs(const TActivationTable& t) { update(t, TableGroup::Progs); }
void X11HookLibrary::OrvUpWaits(const TActivationTable& t) { update(t, TableGroup::Waits); }
void X11HookLibrary::OrvUpIdle(const TActivationTable& t) { update(t, TableGroup::Idle); }
void X11HookLibrary::OrvUpKeyHook(const TActivationTable& t) { update(t, TableGroup::KeyHook); }
void X11HookLibrary::OrvUpMouseHook(const TActivationTable& t) { update(t, TableGroup::MouseHook); }

void X11HookLibrary::OrvGetIdle(TActivationTable& t) {
    HookShared& s = impl_->shared;
    std::lock_guard lock(s.mutex);
    std::int32_t seconds = 0;
    if (s.inputCount == s.inputCountAtLastIdleCall) {
        seconds = static_cast<std::int32_t>(
            std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - s.lastInput).count());
    }
    s.inputCountAtLastIdleCall = s.inputCount;
    s.table.setIdleSeconds(seconds);
    t.setIdleSeconds(seconds);
}

bool X11HookLibrary::waitUntilApplied(std::chrono::milliseconds deadline) {
    if (!available()) return false;
    HookShared& s = impl_->shared;
    std::unique_lock lock(s.mutex);
    const std::uint64_t target = s.requested;
    return s.applied.wait_for(lock, deadline, [&] { return s.done >= target; });
}

std::vector<int> X11HookLibrary::refusedHotKeys() const {
    std::lock_guard lock(impl_->shared.mutex);
    return impl_->shared.refused;
}

bool X11HookLibrary::waitingForMarker() const {
    std::lock_guard lock(impl_->shared.mutex);
    return impl_->shared.table.u8(TActivationTable::oWaitMarker) != 0;
}

}  // namespace orv::x11
