#pragma once

// How the hook library's passive grabs change from the ones the server holds to the wanted
// ones. Pure computation; the hook thread applies the plan on its own connection.

#include <set>
#include <vector>

namespace orv::x11 {

// The modifiers of a grab that takes its key with any modifiers (X's AnyModifier).
inline constexpr unsigned kAnyModifier = 1u << 15;

// One passive grab on the root window.
struct ServerGrab {
    unsigned detail = 0;  // keycode, or X button
    unsigned mods = 0;    // exact modifiers (each state of the lock modifiers is added when applied), or kAnyModifier
    bool button = false;
    bool sync = false;  // the grab freezes the keyboard until the hook thread has judged the press
    friend auto operator<=>(const ServerGrab&, const ServerGrab&) = default;
};

struct GrabPlan {
    bool ungrabAll = false;          // every grab goes first (the lock modifiers moved to other bits)
    std::vector<ServerGrab> ungrab;  // applied before `grab`
    std::vector<ServerGrab> grab;
    bool empty() const { return !ungrabAll && ungrab.empty() && grab.empty(); }
};

// Only what must change changes: the server sends a keymap change each time input switches
// between the user's keyboard and the injection device, and ungrabbing everything to grab it
// again would let a hotkey pressed in between reach the focused window. A key grabbed with any
// modifiers replaces the grabs of that key with exact modifiers, and ungrabbing it removes
// them all: those are grabbed again when it goes.
GrabPlan planGrabs(const std::set<ServerGrab>& held, const std::set<ServerGrab>& wanted, bool locksChanged);

}  // namespace orv::x11
