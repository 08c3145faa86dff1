#include "platform/x11/key_injector.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/runtime_dir.h"
#include "platform/x11/button_release_watch.h"
#include "platform/x11/injection_log.h"
#include "platform/x11/marker_key.h"
#include "platform/x11/spare_keys_file.h"

namespace orv::x11 {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kSlotsPerKey = 2 * XkbNumKbdGroups;
// How many spare keys keep their first group for what the keys the user holds type.
constexpr std::size_t kHeldPairs = 2;
// How long a key typed in another group may take the focused client at most.
constexpr auto kGroupHold = std::chrono::milliseconds(200);
// How long a button release may wait for a grab that holds the pointer frozen.
constexpr auto kReleaseDeadline = std::chrono::milliseconds(1000);

// Blocks until the connection has input or the deadline passes; false at the deadline.
bool waitForInput(Display* display, Clock::time_point deadline) {
    if (XPending(display) > 0) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    return ::poll(&fd, 1, static_cast<int>(left)) > 0 && XPending(display) > 0;
}

// Every Windows-1252 character, the most used first (they get the first group of the spare
// keys, typed without locking another group): the lower-case letters, the euro sign, the
// upper-case letters.
std::vector<char32_t> windows1252Chars() {
    std::vector<char32_t> chars;
    auto add = [&](int first, int last) {
        for (int byte = first; byte <= last; ++byte) {
            const char32_t ch = cp1252ToUnicode(static_cast<unsigned char>(byte));
            if (ch >= 0x80 && ch < 0xA0) continue;  // the five undefined bytes
            if (std::find(chars.begin(), chars.end(), ch) == chars.end()) chars.push_back(ch);
        }
    };
    add(0xDF, 0xFF);
    add(0x80, 0x80);
    add(0xC0, 0xDE);
    add(0x80, 0xBF);
    return chars;
}

}  // namespace

// Events this connection did not ask for (MappingNotify reaches every client) are dropped.
void KeyInjector::drain() {
    Display* d = display_.get();
    while (XPending(d) > 0) {
        XEvent event;
        XNextEvent(d, &event);
        if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
        if (event.type == GenericEvent) XFreeEventData(d, &event.xcookie);
    }
}

std::unique_ptr<KeyInjector> KeyInjector::open(InjectionLog* log) {
    DisplayPtr display = openDisplay();
    if (!display) return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor)) return nullptr;
    int opcode = 0;
    major = XkbMajorVersion;
    minor = XkbMinorVersion;
    if (!XkbQueryExtension(display.get(), &opcode, &eventBase, &errorBase, &major, &minor)) return nullptr;
    return std::unique_ptr<KeyInjector>(new KeyInjector(std::move(display), log));
}

KeyInjector::KeyInjector(DisplayPtr display, InjectionLog* log) : display_(std::move(display)), log_(log) {
    // XTest input must not be held up by a grab of this connection's server.
    XTestGrabControl(display_.get(), True);
    ensureMarkerKeycode(display_.get());
    xtestKeyboards_ = xtestKeyboardIds(display_.get());
    reloadKeymap();
    pool_ = keymap_.emptyKeycodes();
    // Spare keycodes a crashed run left bound are ours again.
    bool leftOver = false;
    if (const std::vector<int> named = readSpareKeys(recoveryFile()); !named.empty()) {
        const KeyCode marker = ensureMarkerKeycode(display_.get());
        for (int kc : named) {
            if (kc >= keymap_.minKeycode() && kc <= keymap_.maxKeycode() && kc != marker &&
                std::find(pool_.begin(), pool_.end(), kc) == pool_.end()) {
                pool_.push_back(static_cast<KeyCode>(kc));
                leftOver = true;
            }
        }
        std::sort(pool_.begin(), pool_.end());
    }
    slots_.assign(pool_.size() * kSlotsPerKey, 0);
    if (leftOver) writePool();
    refreshLockState();
}

KeyInjector::~KeyInjector() {
    releaseAll();
    if (poolDirty_) {
        waitForFocusClient(std::chrono::milliseconds(500));
        restorePool();
    }
    XSync(display_.get(), False);
}

std::string KeyInjector::recoveryFile() const {
    // Without a private folder there is no file: a crash then leaves the spare keys bound.
    const RuntimeDir dir = privateRuntimeDir();
    return dir.ok() ? spareKeysPath(dir.path, DisplayString(display_.get())) : std::string();
}

bool KeyInjector::isSpare(int keycode) const { return std::find(pool_.begin(), pool_.end(), keycode) != pool_.end(); }

void KeyInjector::reloadKeymap() {
    keymap_.load(display_.get());
    cache_.clear();
    scanCache_.clear();
}

void KeyInjector::refreshLockState() {
    XkbStateRec state{};
    if (XkbGetState(display_.get(), XkbUseCoreKbd, &state) == Success) {
        locked_ = state.locked_mods & (LockMask | keymap_.numLockMask());
        group_ = state.group;
        lockedGroup_ = state.locked_group;
    }
    lockStateAt_ = Clock::now();
}

std::optional<KeyStroke> KeyInjector::strokeFor(KeySym32 keysym) {
    const auto key = std::make_pair(keysym, locked_ | (static_cast<unsigned>(group_) << 16));
    if (auto it = cache_.find(key); it != cache_.end()) return it->second;
    const std::optional<KeyStroke> stroke = keymap_.find(keysym, group_, locked_);
    cache_.emplace(key, stroke);
    return stroke;
}

KeyInjector::Scan KeyInjector::scanChar(char32_t ch) {
    // Asked for every typed character: the answer stays until the keymap is read again.
    const auto key = std::make_pair(ch, group_);
    if (auto it = scanCache_.find(key); it != scanCache_.end()) return it->second;
    const Scan scan = lookUpChar(ch);
    scanCache_.emplace(key, scan);
    return scan;
}

KeyInjector::Scan KeyInjector::lookUpChar(char32_t ch) {
    switch (ch) {
        case U'\r':
            return {13, 0};
        case U'\n':
            return {13, 2};  // Ctrl+Enter, as the layout query of the original platform answers
        case U'\t':
            return {9, 0};
        case U'\b':
            return {8, 0};
        case 0x1B:
            return {27, 0};
        case U' ':
            return {32, 0};
        default:
            break;
    }
    if (ch >= 1 && ch <= 26) return {static_cast<int>('A' + ch - 1), 2};
    const KeySym32 keysym = keysymOfChar(ch);
    if (keysym == 0) return {0, 0};
    // Layout answers use no lock state: the query describes the keys, not the moment.
    const auto stroke = keymap_.find(keysym, group_, 0);
    const bool pool = stroke && isPool(stroke->keycode);
    if (stroke && !pool && (stroke->mods & ~static_cast<unsigned>(ShiftMask)) == 0) {
        const int vk = virtualKeyOfKeysym(keymap_.keysymAt(stroke->keycode, group_, 0));
        if (vk != 0 &&
            keymap_.find(keysymOfVirtualKey(vk), group_, 0).value_or(KeyStroke{}).keycode == stroke->keycode) {
            return {vk, stroke->mods != 0 ? 1 : 0};
        }
    }
    auto it = std::find(charKeys_.begin(), charKeys_.end(), ch);
    if (it == charKeys_.end()) it = charKeys_.insert(charKeys_.end(), ch);
    return {kCharKeyBase + static_cast<int>(it - charKeys_.begin()), 0};
}

KeyCode KeyInjector::freeKeycodeOf(std::initializer_list<KeySym32> keysyms) const {
    KeyCode first = 0;
    for (KeySym32 keysym : keysyms) {
        const KeyCode keycode = keymap_.keycodeOf(keysym);
        if (keycode != 0 && userHeld_.count(keycode) == 0) return keycode;
        if (first == 0) first = keycode;
    }
    return first;
}

KeyCode KeyInjector::modifierKeycode(int vk) {
    switch (vk) {
        case kVkShift:
            return freeKeycodeOf({XK_Shift_L, XK_Shift_R});
        case kVkControl:
            return freeKeycodeOf({XK_Control_L, XK_Control_R});
        case kVkMenu:
            return freeKeycodeOf({XK_Alt_L, XK_Alt_R, XK_Meta_L});
        case kVkLeftWin:
            return freeKeycodeOf({XK_Super_L, XK_Super_R});
        case kVkRightWin:
            return freeKeycodeOf({XK_Super_R, XK_Super_L});
        default:
            return keymap_.keycodeOf(keysymOfVirtualKey(vk));
    }
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
    } else {
        std::optional<KeyStroke> stroke = strokeFor(keysym);
        if (!stroke) {
            bindKeysyms({keysym});
            stroke = strokeFor(keysym);
        }
        if (stroke) keycode = stroke->keycode;
    }
    if (keycode == 0) return;
    if (heldByUser(keycode)) {
        // A tap of whatever the key gives at the macro's level, on a key the user does not hold.
        if (!up) typeOnSpare(keymap_.keysymAt(keycode, group_, levelMods()));
        return;
    }
    keyEvent(keycode, !up);
    if (vk == kVkCapital || vk == 144) {
        XSync(display_.get(), False);
        refreshLockState();
    }
}

void KeyInjector::typeChar(char32_t ch) {
    const KeySym32 keysym = keysymOfChar(ch);
    if (keysym == 0) return;
    const KeySym32 spare = spareKeysymOfChar(ch);
    std::optional<KeyStroke> stroke = strokeFor(keysym);
    if (stroke && heldByUser(stroke->keycode)) {
        typeOnSpare(keysym);
        return;
    }
    if (!stroke) stroke = strokeFor(spare);
    if (!stroke) {
        // The first character the layout lacks brings all of Windows-1252 along, so that a
        // macro's text costs at most one keymap change.
        if (!poolDirty_) bindWindows1252();
        if (!(stroke = strokeFor(spare))) {
            bindKeysyms({spare});
            stroke = strokeFor(spare);
        }
    }
    if (stroke) pressStroke(*stroke);
}

std::vector<KeyCode> KeyInjector::heldShifts() const {
    std::vector<KeyCode> shifts;
    for (KeyCode held : held_) {
        const KeySym32 sym = keymap_.keysymAt(held, 0, 0);
        if (sym == XK_Shift_L || sym == XK_Shift_R) shifts.push_back(held);
    }
    return shifts;
}

unsigned KeyInjector::levelMods() const {
    unsigned mods = locked_;
    if (!heldShifts().empty()) mods |= ShiftMask;
    if (keymap_.level3Keycode() != 0 && held_.count(keymap_.level3Keycode()) != 0) mods |= keymap_.level3Mask();
    return mods;
}

bool KeyInjector::heldByUser(KeyCode keycode) const {
    return userHeld_.count(keycode) != 0 && !IsModifierKey(keymap_.keysymAt(keycode, group_, 0));
}

void KeyInjector::typeOnSpare(KeySym32 keysym) {
    std::optional<KeyStroke> stroke = keymap_.findAmong(pool_, keysym, group_, locked_);
    if (!stroke || stroke->group != group_) {
        if (!poolDirty_) {
            bindWindows1252();
        } else if (placeHeldKeys()) {
            writePool();
        }
        stroke = keymap_.findAmong(pool_, keysym, group_, locked_);
    }
    if (!stroke) {
        bindKeysyms({keysym});
        stroke = keymap_.findAmong(pool_, keysym, group_, locked_);
    }
    if (stroke) pressStroke(*stroke);
}

void KeyInjector::pressStroke(const KeyStroke& stroke) {
    // Shift and the level-3 modifier are set exactly as the stroke needs them for the one key,
    // then put back as the macro holds them.
    const std::vector<KeyCode> shiftsHeld = heldShifts();
    const bool needShift = (stroke.mods & ShiftMask) != 0;
    const bool needLevel3 = keymap_.level3Mask() != 0 && (stroke.mods & keymap_.level3Mask()) != 0;
    const KeyCode shift = freeKeycodeOf({XK_Shift_L, XK_Shift_R});
    if (needShift && shiftsHeld.empty()) keyEvent(shift, true);
    if (!needShift) {
        for (KeyCode held : shiftsHeld) keyEvent(held, false);
    }
    // Another group is locked just for the key; the lock travels in order with the key events.
    const bool otherGroup = stroke.group != group_;
    if (otherGroup) lockGroup(stroke.group);
    if (needLevel3) keyEvent(keymap_.level3Keycode(), true);
    keyEvent(stroke.keycode, true);
    keyEvent(stroke.keycode, false);
    if (needLevel3) keyEvent(keymap_.level3Keycode(), false);
    if (otherGroup) {
        // A client re-reads the keyboard, the group included, whenever input switches between
        // the user's keyboard and the XTest device or the keymap changes, and takes the group of
        // that moment, not of the key it is about to decode: the group stays locked until the
        // focused client has handled the key.
        waitForFocusClient(kGroupHold);
        lockGroup(lockedGroup_);
    }
    if (needShift && shiftsHeld.empty()) keyEvent(shift, false);
    if (!needShift) {
        for (KeyCode held : shiftsHeld) keyEvent(held, true);
    }
}

void KeyInjector::lockGroup(int group) {
    // The XTest device keeps a keyboard state of its own, which its key events carry to the
    // core keyboard: the group is locked on both.
    XkbLockGroup(display_.get(), XkbUseCoreKbd, static_cast<unsigned>(group));
    for (int id : xtestKeyboards_)
        XkbLockGroup(display_.get(), static_cast<unsigned>(id), static_cast<unsigned>(group));
}

bool KeyInjector::isPool(KeyCode keycode) const {
    return std::find(pool_.begin(), pool_.end(), keycode) != pool_.end();
}

std::vector<KeySym32> KeyInjector::missingKeysyms(const std::vector<char32_t>& chars) const {
    std::vector<KeySym32> missing;
    for (char32_t ch : chars) {
        const auto stroke = keymap_.find(keysymOfChar(ch), group_, 0);
        if (keysymOfChar(ch) != 0 && (!stroke || isPool(stroke->keycode))) missing.push_back(spareKeysymOfChar(ch));
    }
    return missing;
}

void KeyInjector::bindChars(const std::vector<char32_t>& chars) { bindKeysyms(missingKeysyms(chars)); }

void KeyInjector::bindWindows1252() {
    const bool placed = placeHeldKeys();
    bindKeysyms(missingKeysyms(windows1252Chars()), placed);
}

std::vector<std::size_t> KeyInjector::heldPairs() const {
    std::vector<std::size_t> pairs;
    if (pool_.size() <= kHeldPairs) return pairs;
    for (std::size_t k = pool_.size() - kHeldPairs; k < pool_.size(); ++k) pairs.push_back(k * kSlotsPerKey);
    return pairs;
}

bool KeyInjector::placeHeldKeys() {
    const std::vector<std::size_t> pairs = heldPairs();
    std::vector<KeySym32> heldLower;
    for (KeyCode keycode : userHeld_) {
        if (heldByUser(keycode)) heldLower.push_back(keymap_.keysymAt(keycode, group_, 0));
    }
    auto isHeld = [&](KeySym32 sym) { return std::find(heldLower.begin(), heldLower.end(), sym) != heldLower.end(); };
    bool placed = false;
    for (KeyCode keycode : userHeld_) {
        if (!heldByUser(keycode)) continue;
        const KeySym32 lower = keymap_.keysymAt(keycode, group_, 0);
        const KeySym32 upper = keymap_.keysymAt(keycode, group_, ShiftMask);
        if (lower == 0 || std::any_of(pairs.begin(), pairs.end(), [&](std::size_t i) { return slots_[i] == lower; }))
            continue;
        // Clients that look a keysym's key up take the lowest keycode that carries it in the
        // first column: on a higher spare key, the user's own key stays the one they find (the
        // hotkeys' grabs and the window manager's stay on it). An empty pair first, else one
        // that no held key uses.
        auto above = [&](std::size_t i) { return pool_[i / kSlotsPerKey] > keycode; };
        auto pair = std::find_if(pairs.begin(), pairs.end(),
                                 [&](std::size_t i) { return above(i) && slots_[i] == 0 && slots_[i + 1] == 0; });
        if (pair == pairs.end()) {
            pair =
                std::find_if(pairs.begin(), pairs.end(), [&](std::size_t i) { return above(i) && !isHeld(slots_[i]); });
            if (pair == pairs.end()) continue;
            // The keys typed through the pair before must have been read with its old keysyms.
            waitForFocusClient(std::chrono::milliseconds(2000));
        }
        slots_[*pair] = lower;
        slots_[*pair + 1] = upper != lower ? upper : 0;
        placed = true;
    }
    return placed;
}

bool KeyInjector::typable(char32_t ch) {
    return strokeFor(keysymOfChar(ch)).has_value() || strokeFor(spareKeysymOfChar(ch)).has_value();
}

void KeyInjector::bindKeysyms(const std::vector<KeySym32>& keysyms, bool changed) {
    std::vector<KeySym32> needed;
    for (KeySym32 sym : keysyms) {
        if (sym != 0 && std::find(slots_.begin(), slots_.end(), sym) == slots_.end() &&
            std::find(needed.begin(), needed.end(), sym) == needed.end()) {
            needed.push_back(sym);
        }
    }
    if (slots_.empty() || (needed.empty() && !changed)) return;
    // The first group of every spare key fills first: a key there is typed without locking
    // another group, which a client may miss while it re-reads the keyboard. The pairs set
    // aside for the keys the user holds are left out.
    const std::vector<std::size_t> held = heldPairs();
    std::vector<std::size_t> order;
    for (std::size_t g = 0; g < XkbNumKbdGroups; ++g) {
        for (std::size_t k = 0; k < pool_.size(); ++k) {
            const std::size_t pair = k * kSlotsPerKey + 2 * g;
            if (std::find(held.begin(), held.end(), pair) != held.end()) continue;
            for (std::size_t level = 0; level < 2; ++level) order.push_back(pair + level);
        }
    }
    const auto freeSlots = static_cast<std::size_t>(
        std::count_if(order.begin(), order.end(), [&](std::size_t i) { return slots_[i] == 0; }));
    if (freeSlots < needed.size()) {
        // Rebinding a slot changes what keys already sent through it mean to a client that
        // has not read them yet: wait until the focused client has handled them.
        waitForFocusClient(std::chrono::milliseconds(2000));
        for (std::size_t i : order) {
            if (std::find(keysyms.begin(), keysyms.end(), slots_[i]) == keysyms.end()) slots_[i] = 0;
        }
    }
    auto free = std::find_if(order.begin(), order.end(), [&](std::size_t i) { return slots_[i] == 0; });
    for (KeySym32 sym : needed) {
        if (free == order.end()) break;
        slots_[*free] = sym;
        free = std::find_if(free, order.end(), [&](std::size_t i) { return slots_[i] == 0; });
    }
    writePool();
}

void KeyInjector::writePool() {
    Display* d = display_.get();
    XkbDescPtr xkb = XkbGetMap(d, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (xkb == nullptr) return;
    int first = 255, last = 0;
    bool any = false;
    for (std::size_t k = 0; k < pool_.size(); ++k) {
        const KeyCode kc = pool_[k];
        const KeySym32* syms = &slots_[k * kSlotsPerKey];
        int groups = 0;
        for (int g = 0; g < XkbNumKbdGroups; ++g) {
            if (syms[2 * g] != 0 || syms[2 * g + 1] != 0) groups = g + 1;
        }
        // Every spare key gets the same shape, 4 groups of 2 levels, and an unused one holds
        // NoSymbol; the shape is set directly (Xlib's type-changing helper crashes on keys
        // that other editors left oddly shaped).
        KeySym* out = XkbResizeKeySyms(xkb, kc, 2 * XkbNumKbdGroups);
        if (out == nullptr) continue;
        XkbSymMapPtr map = &xkb->map->key_sym_map[kc];
        for (int g = 0; g < XkbNumKbdGroups; ++g) map->kt_index[g] = XkbTwoLevelIndex;
        map->group_info = static_cast<unsigned char>(XkbSetNumGroups(map->group_info, XkbNumKbdGroups));
        map->width = 2;
        for (int g = 0; g < XkbNumKbdGroups; ++g) {
            // A lone keysym fills both levels, so Shift and Caps Lock cannot change it.
            const KeySym32 lower = syms[2 * g], upper = syms[2 * g + 1];
            out[2 * g] = lower != 0 ? lower : upper;
            out[2 * g + 1] = upper != 0 ? upper : lower;
        }
        first = std::min<int>(first, kc);
        last = std::max<int>(last, kc);
        any = any || groups > 0;
    }
    if (first <= last) {
        XkbMapChangesRec changes{};
        changes.changed = XkbKeySymsMask;
        changes.first_key_sym = static_cast<KeyCode>(first);
        changes.num_key_syms = static_cast<unsigned char>(last - first + 1);
        XkbChangeMap(d, xkb, &changes);
    }
    XkbFreeKeyboard(xkb, 0, True);
    XSync(d, False);
    poolDirty_ = any;
    reloadKeymap();
    // While the spare keycodes carry our keysyms, a file names them, so that the next start
    // after a crash can empty them again.
    if (const std::string file = recoveryFile(); !file.empty()) {
        if (any) {
            writeSpareKeys(file, std::vector<int>(pool_.begin(), pool_.end()));
        } else {
            ::unlink(file.c_str());
        }
    }
}

void KeyInjector::restorePool() {
    // Every keymap change is broadcast to all clients: none when nothing of ours is bound.
    if (!poolDirty_) return;
    std::fill(slots_.begin(), slots_.end(), 0u);
    writePool();
    drain();
}

void KeyInjector::fakeKey(KeyCode keycode, bool down) {
    if (log_ != nullptr) log_->sent(down ? InjectedKind::KeyDown : InjectedKind::KeyUp, keycode);
    XTestFakeKeyEvent(display_.get(), keycode, down ? True : False, CurrentTime);
}

void KeyInjector::keyEvent(KeyCode keycode, bool down) {
    fakeKey(keycode, down);
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
    drain();
}

void KeyInjector::releaseAll() {
    const std::set<KeyCode> keys = held_;
    for (KeyCode kc : keys) keyEvent(kc, false);
    const std::set<int> buttons = heldButtons_;
    for (int b : buttons) mouseButton(b, true);
    sync();
}

namespace {

// Input sent this long after the previous one begins a new session: a playback that ended
// without its marker (timed macros post none) or a pause, during which the user may have
// pressed keys that must not modify what follows.
constexpr auto kSessionGap = std::chrono::milliseconds(100);

}  // namespace

void KeyInjector::beginInput() {
    const auto now = Clock::now();
    const bool quiet = now - lastInput_ >= kSessionGap;
    lastInput_ = now;
    if (inSession_ && !quiet) return;
    inSession_ = true;
    beginSession();
}

void KeyInjector::beginSession() {
    char keys[32];
    XQueryKeymap(display_.get(), keys);
    userHeld_.clear();
    for (int kc = keymap_.minKeycode(); kc <= keymap_.maxKeycode(); ++kc) {
        const auto keycode = static_cast<KeyCode>(kc);
        if ((keys[kc / 8] & (1 << (kc % 8))) == 0 || held_.count(keycode) != 0) continue;
        userHeld_.insert(keycode);
        fakeKey(keycode, false);
    }
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

    // Clients answer to the root with StructureNotify (Qt) or SubstructureNotify (GTK) in the mask.
    XSelectInput(d, root, StructureNotifyMask | SubstructureNotifyMask);
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
    drain();
    return answered;
}

void KeyInjector::moveMouse(int x, int y) {
    if (log_ != nullptr) log_->sent(InjectedKind::Motion, 0);
    XTestFakeMotionEvent(display_.get(), -1, x, y, CurrentTime);
    sync();
}

void KeyInjector::mouseButton(int button, bool up) {
    if (log_ != nullptr) {
        log_->sent(up ? InjectedKind::ButtonUp : InjectedKind::ButtonDown, static_cast<unsigned>(button));
    }
    if (up) {
        if (!releaseWatch_) releaseWatch_ = std::make_unique<ButtonReleaseWatch>(display_.get());
        releaseWatch_->arm();
    }
    XTestFakeButtonEvent(display_.get(), static_cast<unsigned>(button), up ? False : True, CurrentTime);
    if (up) {
        heldButtons_.erase(button);
        // What follows the click goes after it, also when a grab held the pointer frozen at the
        // press; a client that keeps it frozen longer delays each release by the deadline only.
        releaseWatch_->waitForRelease(static_cast<unsigned>(button), kReleaseDeadline);
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
