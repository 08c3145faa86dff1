// Telling the program's own injected input from other programs' by the log of what it sent.
#include <gtest/gtest.h>

#include "platform/x11/injection_log.h"

namespace orv::x11 {
namespace {

using Kind = InjectedKind;

TEST(InjectionLog, ClaimsTheProgramsOwnEventsInOrderAndNothingElse) {
    InjectionLog log;
    const auto t0 = InjectionLog::Clock::now();
    log.sent(Kind::KeyDown, 50, t0);  // a modifier already down: the server sends nothing for it
    log.sent(Kind::KeyDown, 38, t0);
    log.sent(Kind::KeyUp, 38, t0);
    log.sent(Kind::ButtonDown, 1, t0);
    struct Seen {
        Kind kind;
        unsigned detail;
        bool own;
    };
    const Seen seen[] = {
        {Kind::KeyDown, 24, false},    // another program's key in between
        {Kind::KeyDown, 38, true},     // ours: the entry before it produced no event and goes too
        {Kind::KeyDown, 50, false},    // so the same key later is another program's
        {Kind::KeyUp, 38, true},       //
        {Kind::ButtonDown, 3, false},  // another button
        {Kind::ButtonDown, 1, true},   //
        {Kind::ButtonDown, 1, false},  // each entry is claimed once
    };
    for (const Seen& s : seen) {
        SCOPED_TRACE(std::to_string(static_cast<int>(s.kind)) + " " + std::to_string(s.detail));
        EXPECT_EQ(log.claim(s.kind, s.detail, t0), s.own);
    }
    EXPECT_EQ(log.pending(), 0u);
}

TEST(InjectionLog, AnEventTheServerNeverDeliveredDoesNotClaimALaterOne) {
    InjectionLog log;
    const auto t0 = InjectionLog::Clock::now();
    log.sent(Kind::Motion, 0, t0);
    EXPECT_FALSE(log.claim(Kind::Motion, 0, t0 + InjectionLog::kStale + std::chrono::milliseconds(1)));
    EXPECT_EQ(log.pending(), 0u);
}

}  // namespace
}  // namespace orv::x11
