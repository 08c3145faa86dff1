#include "platform/x11/hook/grab_plan.h"

#include <algorithm>

namespace orv::x11 {

namespace {

bool anyModifierKey(const ServerGrab& g) { return !g.button && g.mods == kAnyModifier; }

// The grabs as the server has them: a key grabbed with any modifiers has no other grab.
std::set<ServerGrab> effective(const std::set<ServerGrab>& grabs) {
    std::set<unsigned> wholeKeys;
    for (const ServerGrab& g : grabs) {
        if (anyModifierKey(g)) wholeKeys.insert(g.detail);
    }
    std::set<ServerGrab> out;
    for (const ServerGrab& g : grabs) {
        if (g.button || anyModifierKey(g) || wholeKeys.count(g.detail) == 0) out.insert(g);
    }
    return out;
}

}  // namespace

GrabPlan planGrabs(const std::set<ServerGrab>& held, const std::set<ServerGrab>& wanted, bool locksChanged) {
    GrabPlan plan;
    const std::set<ServerGrab> before = effective(held);
    const std::set<ServerGrab> after = effective(wanted);
    if (locksChanged) {
        plan.ungrabAll = true;
        plan.grab.assign(after.begin(), after.end());
        return plan;
    }
    std::set<unsigned> cleared;  // keys whose any-modifier grab goes, taking their other grabs along
    for (const ServerGrab& g : before) {
        if (after.count(g) != 0) continue;
        plan.ungrab.push_back(g);
        if (anyModifierKey(g)) cleared.insert(g.detail);
    }
    for (const ServerGrab& g : after) {
        if (before.count(g) == 0 || (!g.button && cleared.count(g.detail) != 0)) plan.grab.push_back(g);
    }
    return plan;
}

}  // namespace orv::x11
