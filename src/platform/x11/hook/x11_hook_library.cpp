#include "platform/x11/hook/x11_hook_library.h"

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
#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "activation/hotkey_table.h"
#include "platform/cp1252.h"
#include "platform/x11/keymap.h"
#include "platform/x11/keysyms.h"
#include "platform/x11/marker_key.h"
#include "platform/x11/proc_list.h"
#include "platform/x11/xlib_util.h"

namespace orv::x11 {

namespace {

using Clock = std::chrono::steady_clock;

constexpr HookHandle kKeyboardHandle = 1;
constexpr HookHandle kMouseHandle = 2;
constexpr HookHandle kWindowHandle = 3;

// ORVANTA_HOOK_TRACE=1 writes what the hook thread sees and posts to standard error, with a
// millisecond clock, for finding out why a key went where it did.
const bool kTrace = [] {
    const char* v = std::getenv("ORVANTA_HOOK_TRACE");
    return v != nullptr && *v != '\0' && *v != '0';
}();

[[gnu::format(printf, 1, 2)]] void trace(const char* format, ...) {
    if (!kTrace) return;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
    std::fprintf(stderr, "hook %lld.%03lld ", static_cast<long long>(ms / 1000 % 1000),
                 static_cast<long long>(ms % 1000));
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
}

// How often the process list is compared while the window hook is installed.
constexpr auto kProcessScanInterval = std::chrono::milliseconds(1000);

// X button numbers of the program's mouse buttons (1 left, 2 right, 3 middle) and back.
unsigned xButtonOf(int button) { return button == 1 ? 1u : button == 2 ? 3u : 2u; }
int buttonOfX(unsigned xButton) { return xButton == 1 ? 1 : xButton == 3 ? 2 : xButton == 2 ? 3 : 0; }

// One passive grab: a key (or button) with exact modifiers, and the hotkey code it stands for.
// A grab as the server knows it: detail, modifiers, whether it is a button.
using ServerGrab = std::tuple<unsigned, unsigned, bool>;

struct Grab {
    unsigned detail = 0;  // keycode, or X button
    unsigned mods = 0;
    bool button = false;
    int code = -1;
    friend auto operator<=>(const Grab&, const Grab&) = default;
};

}  // namespace

struct X11HookLibrary::Impl {
    explicit Impl(IHookMessageSink& s) : sink(s) {}

    IHookMessageSink& sink;

    // Shared with the main thread, behind `mutex`.
    mutable std::mutex mutex;
    std::condition_variable applied;
    TActivationTable table;  // the library's own copy
    bool keyboardHook = false;
    bool mouseHook = false;
    bool windowHook = false;
    std::uint64_t requested = 0;  // generation of the last change asked for
    std::uint64_t done = 0;       // generation the thread has acted on
    std::vector<int> refused;
    bool stop = false;
    // Input idle time: the count of user input events and the time of the last one.
    std::uint64_t inputCount = 0;
    Clock::time_point lastInput = Clock::now();
    std::uint64_t inputCountAtLastIdleCall = 0;

    int wakeFd = -1;
    std::thread thread;
    bool displayAvailable = false;

    // Thread side only.
    DisplayPtr display;
    int xiOpcode = 0;
    int xkbEventBase = 0;
    Keymap keymap;
    std::vector<int> xtestDevices;
    KeyCode markerKeycode = 0;
    unsigned altMask = Mod1Mask;
    unsigned winMask = Mod4Mask;
    unsigned ignoredLocks = 0;  // Lock | NumLock | ScrollLock
    std::set<Grab> grabs;
    unsigned grabbedLocks = 0;                                   // the lock modifiers `grabs` were grabbed with
    std::set<ServerGrab> refusedGrabs;                           // grabs the server refused (another client owns them)
    std::map<std::pair<unsigned, unsigned>, int> keyCodeOfGrab;  // (keycode, mods) -> code
    std::map<std::pair<unsigned, unsigned>, int> buttonCodeOfGrab;    // (button, mods) -> code
    std::map<std::tuple<int, int, unsigned>, int> codeOfCombination;  // (vk, button, mods) -> code
    std::set<unsigned> repeating;                                     // keys whose last raw press was an auto-repeat
    std::array<bool, 256> injectedPress{};  // per keycode: the last raw press came through XTest
    unsigned stateMods = 0;                 // effective modifiers, from XKB state events
    unsigned lockedMods = 0;
    int stateGroup = 0;
    bool capsReported = false;
    bool capsKnown = false;
    Window activeWindow = 0;
    std::vector<std::int32_t> pids;  // the user's processes at the last scan, in order
    Clock::time_point nextProcessScan = Clock::now();
    TActivationTable snapshot;  // the copy as of the last wake-up
    bool keyboardOn = false, mouseOn = false, windowOn = false;

    void wake() {
        const std::uint64_t one = 1;
        if (wakeFd >= 0) (void)!::write(wakeFd, &one, sizeof one);
    }
    void bump() {
        {
            std::lock_guard lock(mutex);
            ++requested;
        }
        wake();
    }

    void post(HookMsg msg, std::int64_t wParam = 0, std::int64_t lParam = 0, std::int32_t window = -1) {
        HookMessage m;
        m.msg = msg;
        m.wParam = wParam;
        m.lParam = lParam;
        m.window = window >= 0 ? window : snapshot.MainWindow();
        trace("post %d %lld %lld", m.number(), static_cast<long long>(wParam), static_cast<long long>(lParam));
        sink.postHookMessage(m);
    }

    bool open();
    void run();
    void takeSnapshot();
    void applyHooks();
    void loadKeymap();
    void regrab();
    void handle(XEvent& event);
    void handleRaw(const XIRawEvent& raw);
    void handleKeyPress(const XKeyEvent& key);
    void handleButtonPress(const XButtonEvent& button);
    void reportTyped(unsigned keycode);
    void checkActiveWindow(bool report);
    // The active window: as followed from _NET_ACTIVE_WINDOW changes while the window hook is
    // on (no round trip on the way to a hotkey message), else read from the root window.
    Window foregroundWindow() {
        if (windowOn && activeWindow != 0) return activeWindow;
        const auto w =
            readWindow(display.get(), DefaultRootWindow(display.get()), atom(display.get(), "_NET_ACTIVE_WINDOW"));
        return w.value_or(0);
    }
    void scanProcesses(bool report);
    bool fromXTest(int sourceid) const {
        return std::find(xtestDevices.begin(), xtestDevices.end(), sourceid) != xtestDevices.end();
    }
    unsigned modsOf(const DecodedHotKey& k) const {
        return (k.ctrl ? ControlMask : 0u) | (k.alt ? altMask : 0u) | (k.shift ? ShiftMask : 0u) |
               (k.win ? winMask : 0u);
    }
    unsigned hotkeyMods(unsigned state) const { return state & (ControlMask | altMask | ShiftMask | winMask); }
};

bool X11HookLibrary::Impl::open() {
    display = openDisplay();
    if (!display) return false;
    Display* d = display.get();
    int event = 0, error = 0;
    if (!XQueryExtension(d, "XInputExtension", &xiOpcode, &event, &error)) return false;
    int major = 2, minor = 2;
    if (XIQueryVersion(d, &major, &minor) != Success) return false;
    int opcode = 0, xkbError = 0;
    major = XkbMajorVersion;
    minor = XkbMinorVersion;
    if (!XkbQueryExtension(d, &opcode, &xkbEventBase, &xkbError, &major, &minor)) return false;
    markerKeycode = ensureMarkerKeycode(d);
    xtestDevices = xtestDeviceIds(d);
    loadKeymap();

    const Window root = DefaultRootWindow(d);
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(mask, XI_RawKeyPress);
    XISetMask(mask, XI_RawKeyRelease);
    XISetMask(mask, XI_RawButtonPress);
    XISetMask(mask, XI_RawMotion);
    XIEventMask em{XIAllMasterDevices, sizeof(mask), mask};
    XISelectEvents(d, root, &em, 1);
    XkbSelectEvents(d, XkbUseCoreKbd, XkbNewKeyboardNotifyMask | XkbMapNotifyMask | XkbStateNotifyMask,
                    XkbNewKeyboardNotifyMask | XkbMapNotifyMask | XkbStateNotifyMask);
    XSelectInput(d, root, PropertyChangeMask);
    XkbStateRec state{};
    if (XkbGetState(d, XkbUseCoreKbd, &state) == Success) {
        stateMods = state.mods;
        lockedMods = state.locked_mods;
        stateGroup = state.group;
    }
    XSync(d, False);
    return true;
}

void X11HookLibrary::Impl::loadKeymap() {
    Display* d = display.get();
    keymap.load(d);
    ignoredLocks = LockMask | keymap.numLockMask() | keymap.scrollLockMask();
    // Alt and Super sit on whichever ModN the modifier map gives them.
    XModifierKeymap* modmap = XGetModifierMapping(d);
    const KeyCode alt = XKeysymToKeycode(d, XK_Alt_L);
    const KeyCode super = XKeysymToKeycode(d, XK_Super_L);
    for (int m = 0; m < 8; ++m) {
        for (int k = 0; k < modmap->max_keypermod; ++k) {
            const KeyCode kc = modmap->modifiermap[m * modmap->max_keypermod + k];
            if (kc != 0 && kc == alt && m >= 3) altMask = 1u << m;
            if (kc != 0 && kc == super && m >= 3) winMask = 1u << m;
        }
    }
    XFreeModifiermap(modmap);
    // Every combination of the hotkey table, for the picker's look-up of pressed keys.
    codeOfCombination.clear();
    for (int code = 0; code < kHotKeyCount; ++code) {
        const DecodedHotKey k = DecipherKey(code);
        codeOfCombination.emplace(
            std::make_tuple(static_cast<int>(k.virtualKey), static_cast<int>(k.mouseButton), modsOf(k)), code);
    }
}

void X11HookLibrary::Impl::takeSnapshot() {
    std::lock_guard lock(mutex);
    snapshot = table;
    keyboardOn = keyboardHook;
    mouseOn = mouseHook;
    windowOn = windowHook;
}

void X11HookLibrary::Impl::regrab() {
    Display* d = display.get();
    const Window root = DefaultRootWindow(d);
    std::set<Grab> wanted;
    if (keyboardOn && markerKeycode != 0) wanted.insert(Grab{markerKeycode, AnyModifier, false, -1});
    for (int code = 0; code < kHotKeyCount; ++code) {
        if (!snapshot.HotKeyInUse(code)) continue;
        const DecodedHotKey k = DecipherKey(code);
        if (k.mouseButton != 0) {
            if (mouseOn) wanted.insert(Grab{xButtonOf(k.mouseButton), modsOf(k), true, code});
        } else if (keyboardOn) {
            const KeySym32 sym = keysymOfVirtualKey(k.virtualKey);
            const KeyCode kc = sym != 0 ? XKeysymToKeycode(d, sym) : 0;
            if (kc != 0 && kc != markerKeycode) wanted.insert(Grab{kc, modsOf(k), false, code});
        }
    }
    if (wanted == grabs && grabbedLocks == ignoredLocks) return;
    trace("regrab: %zu wanted, %zu held", wanted.size(), grabs.size());

    // The server's grabs change only where they must: a keymap change (the server sends one
    // each time input switches between the user's keyboard and the injection device) keeps the
    // hotkeys' keycodes, and ungrabbing everything to grab it again would let a hotkey pressed
    // in between reach the focused window.
    auto serverGrabs = [](const std::set<Grab>& from) {
        std::set<ServerGrab> out;
        for (const Grab& g : from) out.emplace(g.detail, g.mods, g.button);
        return out;
    };
    // Modifiers match exactly, so each combination is grabbed with every state of the locks.
    auto lockStatesOf = [](unsigned locks) {
        std::vector<unsigned> states;
        for (unsigned m = 0; m <= locks; ++m) {
            if ((m & ~locks) == 0) states.push_back(m);
        }
        return states;
    };
    const bool locksChanged = grabbedLocks != ignoredLocks;
    const std::set<ServerGrab> before = locksChanged ? std::set<ServerGrab>{} : serverGrabs(grabs);
    const std::set<ServerGrab> after = serverGrabs(wanted);
    if (locksChanged) {
        refusedGrabs.clear();
        XUngrabKey(d, AnyKey, AnyModifier, root);
        XUngrabButton(d, AnyButton, AnyModifier, root);
    }
    const std::vector<unsigned> oldLocks = lockStatesOf(grabbedLocks);
    for (const auto& [detail, mods, button] : before) {
        if (after.count({detail, mods, button}) != 0) continue;
        for (unsigned locks : mods == AnyModifier ? std::vector<unsigned>{0} : oldLocks) {
            const unsigned m = mods == AnyModifier ? AnyModifier : mods | locks;
            if (button) {
                XUngrabButton(d, detail, m, root);
            } else {
                XUngrabKey(d, static_cast<int>(detail), m, root);
            }
        }
    }
    const std::vector<unsigned> lockStates = lockStatesOf(ignoredLocks);
    for (const auto& [detail, mods, button] : after) {
        if (before.count({detail, mods, button}) != 0) continue;
        ErrorTrap trap(d);
        for (unsigned locks : mods == AnyModifier ? std::vector<unsigned>{0} : lockStates) {
            const unsigned m = mods == AnyModifier ? AnyModifier : mods | locks;
            if (button) {
                // A plain button must still click where it is pressed: a synchronous grab
                // lets the press through again (ReplayPointer). Modified buttons are kept.
                const int pointerMode = mods == 0 ? GrabModeSync : GrabModeAsync;
                XGrabButton(d, detail, m, root, False, ButtonPressMask | ButtonReleaseMask, pointerMode, GrabModeAsync,
                            None, None);
            } else {
                // Hotkeys freeze the keyboard until the press is judged: a macro typing one of
                // the combinations gets its key replayed to the focused window.
                const int keyboardMode = mods == AnyModifier ? GrabModeAsync : GrabModeSync;
                XGrabKey(d, static_cast<int>(detail), m, root, False, GrabModeAsync, keyboardMode);
            }
        }
        if (trap.sync() != 0) refusedGrabs.emplace(detail, mods, button);
    }
    std::erase_if(refusedGrabs, [&](const ServerGrab& g) { return after.count(g) == 0; });
    keyCodeOfGrab.clear();
    buttonCodeOfGrab.clear();
    std::vector<int> refusedNow;
    for (const Grab& g : wanted) {
        if (g.code < 0) continue;
        if (refusedGrabs.count({g.detail, g.mods, g.button}) != 0) refusedNow.push_back(g.code);
        (g.button ? buttonCodeOfGrab : keyCodeOfGrab)[{g.detail, g.mods}] = g.code;
    }
    grabs = std::move(wanted);
    grabbedLocks = ignoredLocks;
    std::lock_guard lock(mutex);
    refused = std::move(refusedNow);
}

void X11HookLibrary::Impl::applyHooks() {
    const std::uint64_t generation = [&] {
        std::lock_guard lock(mutex);
        return requested;
    }();
    takeSnapshot();
    regrab();
    if (windowOn && activeWindow == 0) checkActiveWindow(false);
    XFlush(display.get());
    {
        std::lock_guard lock(mutex);
        done = generation;
    }
    applied.notify_all();
}

void X11HookLibrary::Impl::run() {
    Display* d = display.get();
    applyHooks();
    scanProcesses(false);
    while (true) {
        {
            std::lock_guard lock(mutex);
            if (stop) break;
        }
        while (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            handle(event);
        }
        const auto now = Clock::now();
        if (windowOn && now >= nextProcessScan) scanProcesses(true);
        int timeout = -1;
        if (windowOn) {
            timeout = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(nextProcessScan - Clock::now()).count());
            timeout = std::max(timeout, 0);
        }
        XFlush(d);
        pollfd fds[2] = {{ConnectionNumber(d), POLLIN, 0}, {wakeFd, POLLIN, 0}};
        if (XPending(d) > 0) continue;
        ::poll(fds, 2, timeout);
        if ((fds[1].revents & POLLIN) != 0) {
            std::uint64_t count = 0;
            (void)!::read(wakeFd, &count, sizeof count);
            applyHooks();
        }
    }
    XUngrabKey(d, AnyKey, AnyModifier, DefaultRootWindow(d));
    XUngrabButton(d, AnyButton, AnyModifier, DefaultRootWindow(d));
    XSync(d, False);
}

void X11HookLibrary::Impl::handle(XEvent& event) {
    Display* d = display.get();
    if (event.type == GenericEvent && event.xcookie.extension == xiOpcode) {
        if (XGetEventData(d, &event.xcookie)) {
            handleRaw(*static_cast<const XIRawEvent*>(event.xcookie.data));
            XFreeEventData(d, &event.xcookie);
        }
        return;
    }
    if (event.type == xkbEventBase) {
        const auto* xkb = reinterpret_cast<const XkbEvent*>(&event);
        if (xkb->any.xkb_type == XkbStateNotify) {
            stateMods = xkb->state.mods;
            lockedMods = xkb->state.locked_mods;
            stateGroup = xkb->state.group;
            const bool caps = (lockedMods & LockMask) != 0;
            if (keyboardOn && (!capsKnown || caps != capsReported)) {
                capsKnown = true;
                capsReported = caps;
                post(HookMsg::CapsLock, caps ? 1 : 0);
            }
        } else if (xkb->any.xkb_type == XkbNewKeyboardNotify || xkb->any.xkb_type == XkbMapNotify) {
            trace("keymap changed (xkb %d)", xkb->any.xkb_type);
            // Grabs are per keycode: a new map may move the keys of the hotkeys.
            loadKeymap();
            markerKeycode = XKeysymToKeycode(d, XK_Execute);
            regrab();
        }
        return;
    }
    switch (event.type) {
        case KeyPress:
            handleKeyPress(event.xkey);
            break;
        case ButtonPress:
            handleButtonPress(event.xbutton);
            break;
        case PropertyNotify:
            if (windowOn && event.xproperty.atom == atom(d, "_NET_ACTIVE_WINDOW")) checkActiveWindow(true);
            if (windowOn && event.xproperty.atom == atom(d, "_NET_CLIENT_LIST")) scanProcesses(true);
            break;
        case MappingNotify:
            XRefreshKeyboardMapping(&event.xmapping);
            break;
        default:
            break;
    }
}

void X11HookLibrary::Impl::handleKeyPress(const XKeyEvent& key) {
    Display* d = display.get();
    if (key.keycode != markerKeycode && injectedPress[key.keycode & 0xFF]) {
        // Injected while a macro plays: the macro's own keys, not a hotkey. (The table copy is
        // read rather than the snapshot: the engine marks the macro in use before it types.)
        bool playing = false;
        {
            std::lock_guard lock(mutex);
            playing = table.MacroInUse();
        }
        if (playing) {
            XAllowEvents(d, ReplayKeyboard, key.time);
            XFlush(d);
            trace("replayed injected press keycode %u state %#x", key.keycode, key.state);
            return;
        }
    }
    // Our grab is active from this press on; end it at once so that the keys that follow
    // (the macro's own typing) reach the focused window.
    XAllowEvents(d, AsyncKeyboard, key.time);
    XUngrabKeyboard(d, key.time);
    XFlush(d);
    trace("grabbed press keycode %u state %#x", key.keycode, key.state);
    if (key.keycode == markerKeycode) {
        post(snapshot.u8(TActivationTable::oWaitMarker) != 0 ? HookMsg::WaitMarker : HookMsg::Marker);
        return;
    }
    const auto it = keyCodeOfGrab.find({key.keycode, hotkeyMods(key.state)});
    if (it == keyCodeOfGrab.end()) return;
    // A key held down repeats its press; only the first one is the hotkey. The raw press that
    // came just before this one says whether it was a repeat.
    if (repeating.count(key.keycode) != 0) return;
    const int code = it->second;
    if (snapshot.PickerActive()) {
        post(HookMsg::PickerHotKey, code, 0, snapshot.PickerWindow());
        return;
    }
    const Window foreground = foregroundWindow();
    const std::int64_t caps = (key.state & LockMask) != 0 ? kHotKeyCapsFlag : 0;
    post(HookMsg::HotKey, code | caps, static_cast<std::int64_t>(foreground));
}

void X11HookLibrary::Impl::handleButtonPress(const XButtonEvent& button) {
    Display* d = display.get();
    const unsigned mods = hotkeyMods(button.state);
    if (mods == 0) {
        XAllowEvents(d, ReplayPointer, button.time);
    } else {
        XUngrabPointer(d, button.time);
    }
    XFlush(d);
    const auto it = buttonCodeOfGrab.find({button.button, mods});
    if (it == buttonCodeOfGrab.end()) return;
    if (snapshot.PickerActive()) {
        post(HookMsg::PickerHotKey, it->second, 0, snapshot.PickerWindow());
        return;
    }
    const Window foreground = foregroundWindow();
    const std::int64_t caps = (button.state & LockMask) != 0 ? kHotKeyCapsFlag : 0;
    post(HookMsg::HotKey, it->second | caps, static_cast<std::int64_t>(foreground));
}

void X11HookLibrary::Impl::handleRaw(const XIRawEvent& raw) {
    const bool user = !fromXTest(raw.sourceid);
    if (raw.evtype == XI_RawKeyPress || raw.evtype == XI_RawKeyRelease) {
        trace("raw %s keycode %d source %d%s", raw.evtype == XI_RawKeyPress ? "press" : "release", raw.detail,
              raw.sourceid, user ? " (user)" : "");
    }
    if (raw.evtype == XI_RawKeyPress) {
        injectedPress[static_cast<unsigned>(raw.detail) & 0xFF] = !user;
        if ((raw.flags & XIKeyRepeat) != 0) {
            repeating.insert(static_cast<unsigned>(raw.detail));
        } else {
            repeating.erase(static_cast<unsigned>(raw.detail));
        }
    }
    if (!user) return;
    {
        std::lock_guard lock(mutex);
        ++inputCount;
        lastInput = Clock::now();
    }
    if (raw.evtype == XI_RawButtonPress && mouseOn) {
        const int button = buttonOfX(static_cast<unsigned>(raw.detail));
        if (button != 0 && snapshot.u8(TActivationTable::oWaitMouseClick) != 0) post(HookMsg::WaitClick, button);
        if (button != 0 && keyboardOn) {
            // A click moves the caret: the characters typed so far no longer form a word.
            if (snapshot.HaveShortKeys()) post(HookMsg::ShortKeyChar, 1);
            if (snapshot.u8(TActivationTable::oWaitText) != 0) post(HookMsg::WaitText, 1);
        }
        if (button != 0 && snapshot.PickerActive()) {
            const auto it = codeOfCombination.find({0, button, hotkeyMods(stateMods)});
            if (it != codeOfCombination.end() &&
                buttonCodeOfGrab.count({static_cast<unsigned>(raw.detail), hotkeyMods(stateMods)}) == 0) {
                post(HookMsg::PickerHotKey, it->second, 0, snapshot.PickerWindow());
            }
        }
        return;
    }
    if (raw.evtype != XI_RawKeyPress || !keyboardOn) return;
    const auto keycode = static_cast<unsigned>(raw.detail);
    const KeySym32 base = keymap.keysymAt(static_cast<KeyCode>(keycode), stateGroup, 0);
    if (base == XK_Pause || base == XK_Break) {
        post(HookMsg::Abort);
        return;
    }
    if (keycode == markerKeycode) return;
    const bool grabbed = keyCodeOfGrab.count({keycode, hotkeyMods(stateMods)}) != 0;
    if (snapshot.PickerActive() && !grabbed && (raw.flags & XIKeyRepeat) == 0) {
        const auto it = codeOfCombination.find({virtualKeyOfKeysym(base), 0, hotkeyMods(stateMods)});
        if (it != codeOfCombination.end()) post(HookMsg::PickerHotKey, it->second, 0, snapshot.PickerWindow());
    }
    if (grabbed) return;  // a hotkey is not typing
    if (snapshot.u8(TActivationTable::oWaitKeyPress) != 0) {
        const int vk = virtualKeyOfKeysym(base);
        if (vk != 0) post(HookMsg::WaitKey, vk);
    }
    reportTyped(keycode);
}

void X11HookLibrary::Impl::reportTyped(unsigned keycode) {
    const bool shortKeys = snapshot.HaveShortKeys();
    const bool waitText = snapshot.u8(TActivationTable::oWaitText) != 0;
    if (!shortKeys && !waitText) return;
    const KeySym32 sym = keymap.keysymAt(static_cast<KeyCode>(keycode), stateGroup, stateMods);
    if (IsModifierKey(sym) || sym == XK_Caps_Lock || sym == XK_Num_Lock || sym == XK_Scroll_Lock ||
        sym == XK_ISO_Level3_Shift || sym == 0) {
        return;
    }
    int ch = -1;  // -1: not a character, the typed word ends
    if ((stateMods & (ControlMask | altMask | winMask)) == 0) {
        switch (sym) {
            case XK_BackSpace:
                ch = 8;
                break;
            case XK_Tab:
                ch = 9;
                break;
            case XK_Return:
            case XK_KP_Enter:
                ch = 13;
                break;
            case XK_Escape:
                ch = 27;
                break;
            default:
                if (const char32_t u = charOfKeysym(sym); u >= 0x20 && u != 0x7F) ch = unicodeToCp1252(u);
                break;
        }
    }
    const std::int64_t caps = (lockedMods & LockMask) != 0 ? 2 : 0;
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

void X11HookLibrary::Impl::checkActiveWindow(bool report) {
    Display* d = display.get();
    const auto w = readWindow(d, DefaultRootWindow(d), atom(d, "_NET_ACTIVE_WINDOW"));
    const Window now = w.value_or(0);
    if (now == activeWindow) return;
    activeWindow = now;
    if (report && now != 0) {
        post(HookMsg::WindowActivated, static_cast<std::int64_t>(now));
        if (keyboardOn && snapshot.HaveShortKeys()) post(HookMsg::ShortKeyChar, 1);
    }
}

void X11HookLibrary::Impl::scanProcesses(bool report) {
    nextProcessScan = Clock::now() + kProcessScanInterval;
    std::vector<std::int32_t> now = listUserPids();
    if (now != pids) {
        pids = std::move(now);
        if (report) post(HookMsg::ProcessesChanged);
    }
}

// ---------------------------------------------------------------------------------------------

X11HookLibrary::X11HookLibrary(IHookMessageSink& sink) : impl_(std::make_unique<Impl>(sink)) {
    impl_->wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    impl_->displayAvailable = impl_->wakeFd >= 0 && impl_->open();
    if (impl_->displayAvailable) {
        impl_->thread = std::thread([impl = impl_.get()] { impl->run(); });
    }
}

X11HookLibrary::~X11HookLibrary() {
    if (impl_->thread.joinable()) {
        {
            std::lock_guard lock(impl_->mutex);
            impl_->stop = true;
        }
        impl_->wake();
        impl_->thread.join();
    }
    impl_->display.reset();
    if (impl_->wakeFd >= 0) ::close(impl_->wakeFd);
}

bool X11HookLibrary::available() const { return impl_->displayAvailable; }

HookHandle X11HookLibrary::OrvHookKeyboard() {
    if (!available()) return 0;
    {
        std::lock_guard lock(impl_->mutex);
        impl_->keyboardHook = true;
    }
    impl_->bump();
    return kKeyboardHandle;
}

HookHandle X11HookLibrary::OrvHookMouse() {
    if (!available()) return 0;
    {
        std::lock_guard lock(impl_->mutex);
        impl_->mouseHook = true;
    }
    impl_->bump();
    return kMouseHandle;
}

HookHandle X11HookLibrary::OrvHookCBT() {
    if (!available()) return 0;
    {
        std::lock_guard lock(impl_->mutex);
        impl_->windowHook = true;
    }
    impl_->bump();
    return kWindowHandle;
}

HookHandle X11HookLibrary::OrvHookSwap() { return 0; }

bool X11HookLibrary::OrvUnHook(HookHandle handle) {
    if (!available()) return false;
    {
        std::lock_guard lock(impl_->mutex);
        bool* flag = handle == kKeyboardHandle ? &impl_->keyboardHook
                     : handle == kMouseHandle  ? &impl_->mouseHook
                     : handle == kWindowHandle ? &impl_->windowHook
                                               : nullptr;
        if (flag == nullptr || !*flag) return false;
        *flag = false;
    }
    impl_->bump();
    return true;
}

void X11HookLibrary::update(const TActivationTable& from, TableGroup group, int j) {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->table.copyGroup(from, group, j);
    }
    impl_->bump();
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
    std::lock_guard lock(impl_->mutex);
    std::int32_t seconds = 0;
    if (impl_->inputCount == impl_->inputCountAtLastIdleCall) {
        seconds = static_cast<std::int32_t>(
            std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - impl_->lastInput).count());
    }
    impl_->inputCountAtLastIdleCall = impl_->inputCount;
    impl_->table.setIdleSeconds(seconds);
    t.setIdleSeconds(seconds);
}

bool X11HookLibrary::waitUntilApplied(std::chrono::milliseconds deadline) {
    if (!available()) return false;
    std::unique_lock lock(impl_->mutex);
    const std::uint64_t target = impl_->requested;
    return impl_->applied.wait_for(lock, deadline, [&] { return impl_->done >= target; });
}

std::vector<int> X11HookLibrary::refusedHotKeys() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->refused;
}

bool X11HookLibrary::waitingForMarker() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->table.u8(TActivationTable::oWaitMarker) != 0;
}

}  // namespace orv::x11
