#pragma once

// A snapshot of the live XKB keyboard map of the core keyboard: which keycode and which
// modifiers produce a keysym, which keycodes are empty (the spare pool), and where the
// modifier keys are. Internal to src/platform/x11.

#include <X11/Xlib.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/x11/keysyms.h"

namespace orv::x11 {

// One key to press and the modifier mask (Shift, the level-3 modifier) to hold with it.
struct KeyStroke {
    KeyCode keycode = 0;
    unsigned mods = 0;
    int group = 0;  // the keyboard group the key must be typed in
    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

class Keymap {
public:
    Keymap() = default;
    // Reads the map of the core keyboard through `display`.
    void load(Display* display);

    // The key, modifiers and group that produce `keysym` while `group` is the current group and
    // the lock modifiers `locked` (Caps Lock, Num Lock) are on. The current group is preferred;
    // another group only counts on keys that really have it. Only Shift and the level-3
    // modifier are ever added.
    std::optional<KeyStroke> find(KeySym32 keysym, int group, unsigned locked) const;
    // The same among `keycodes` only.
    std::optional<KeyStroke> findAmong(const std::vector<KeyCode>& keycodes, KeySym32 keysym, int group,
                                       unsigned locked) const;
    // The keysym a key gives at the level reached by `mods` in `group` (0 when none).
    KeySym32 keysymAt(KeyCode keycode, int group, unsigned mods) const;
    // Keycodes that hold no keysym at all.
    const std::vector<KeyCode>& emptyKeycodes() const { return empty_; }
    // The first keycode whose first keysym of group 1 is `keysym` (0 when none).
    KeyCode keycodeOf(KeySym32 keysym) const;

    unsigned shiftMask() const { return ShiftMask; }
    unsigned level3Mask() const { return level3Mask_; }
    unsigned numLockMask() const { return numLockMask_; }
    unsigned scrollLockMask() const { return scrollLockMask_; }
    KeyCode level3Keycode() const { return level3Keycode_; }
    // Keycodes bound to a modifier (Shift, Control, Alt, Super, level 3 ...), lock keys excluded.
    const std::vector<KeyCode>& modifierKeycodes() const { return modifierKeycodes_; }
    int groupsOf(KeyCode keycode) const { return keycode < keys_.size() ? keys_[keycode].groups : 0; }
    int minKeycode() const { return min_; }
    int maxKeycode() const { return max_; }

private:
    struct Type {
        unsigned mask = 0;
        int levels = 1;
        std::vector<std::pair<unsigned, int>> entries;  // modifier mask -> level
    };
    struct Key {
        int groups = 0;
        std::vector<int> typeOfGroup;
        std::vector<std::vector<KeySym32>> syms;  // [group][level]
    };
    int levelOf(const Type& type, unsigned mods) const;

    int min_ = 8;
    int max_ = 255;
    std::vector<Type> types_;
    std::vector<Key> keys_;          // indexed by keycode
    std::vector<KeyCode> keycodes_;  // min_ to max_
    std::vector<KeyCode> empty_;
    std::vector<KeyCode> modifierKeycodes_;
    unsigned level3Mask_ = 0;
    unsigned numLockMask_ = 0;
    unsigned scrollLockMask_ = 0;
    KeyCode level3Keycode_ = 0;
};

}  // namespace orv::x11
