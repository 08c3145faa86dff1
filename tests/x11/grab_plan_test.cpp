// How the hook library's passive grabs change: only what must, and a key grabbed whole (with
// any modifiers) takes its exact-modifier grabs along when it goes.
#include <gtest/gtest.h>

#include "platform/x11/hook/grab_plan.h"

namespace orv::x11 {

void PrintTo(const ServerGrab& g, std::ostream* os) {
    *os << (g.button ? "button " : "key ") << g.detail << " mods " << g.mods << (g.sync ? " sync" : "");
}

namespace {

constexpr unsigned kCtrlAlt = 0x4 | 0x8;
const ServerGrab kCtrlAltN{57, kCtrlAlt, false, true};
const ServerGrab kCtrlAltM{58, kCtrlAlt, false, true};
const ServerGrab kWholeN{57, kAnyModifier, false, true};
const ServerGrab kMarker{200, kAnyModifier, false, false};
const ServerGrab kCtrlClick{1, 0x4, true, false};

TEST(GrabPlan, ChangesOnlyWhatMustChange) {
    struct Case {
        const char* what;
        std::set<ServerGrab> held, wanted;
        bool locksChanged;
        GrabPlan expected;
    };
    const Case cases[] = {
        {"nothing changes", {kMarker, kCtrlAltN}, {kMarker, kCtrlAltN}, false, {}},
        {"a hotkey comes", {kMarker}, {kMarker, kCtrlAltN, kCtrlClick}, false, {false, {}, {kCtrlClick, kCtrlAltN}}},
        {"a hotkey goes", {kMarker, kCtrlAltN, kCtrlAltM}, {kMarker, kCtrlAltM}, false, {false, {kCtrlAltN}, {}}},
        {"the lock modifiers moved",
         {kMarker, kCtrlAltN},
         {kMarker, kCtrlAltN},
         true,
         {true, {}, {kCtrlAltN, kMarker}}},
        // The whole key replaces its hotkey grab, which is ungrabbed first so that it cannot
        // punch a hole into the whole-key grab.
        {"a held key is grabbed whole",
         {kCtrlAltN, kCtrlAltM},
         {kCtrlAltN, kCtrlAltM, kWholeN},
         false,
         {false, {kCtrlAltN}, {kWholeN}}},
        // Ungrabbing the whole key removes every grab of it: the hotkey is grabbed again.
        {"the held key is let go",
         {kCtrlAltN, kCtrlAltM, kWholeN},
         {kCtrlAltN, kCtrlAltM},
         false,
         {false, {kWholeN}, {kCtrlAltN}}},
        {"the hotkey goes while its key is held", {kCtrlAltN, kWholeN}, {kWholeN}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GrabPlan plan = planGrabs(c.held, c.wanted, c.locksChanged);
        EXPECT_EQ(plan.ungrabAll, c.expected.ungrabAll);
        EXPECT_EQ(plan.ungrab, c.expected.ungrab);
        EXPECT_EQ(plan.grab, c.expected.grab);
    }
}

}  // namespace
}  // namespace orv::x11
