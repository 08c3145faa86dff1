#include "platform/fake/desktop_script.h"

#include <gtest/gtest.h>

#include "platform/fake/desktop_timeline.h"
#include "platform/fake/fake_message_pump.h"

namespace orv::fake {
namespace {

TEST(DesktopScript, LoadsTheDesktopAndItsAnswers) {
    Transcript t;
    FakeDesktop d(t);
    DesktopScript script;
    std::string error;
    const std::string text =
        "# comment\n"
        "screen 1280 1024\r\n"
        "window 3 \"Untitled - Editor\" pid=100 rect=10,20,810,620\n"
        "\n"
        "window 4 \"\" pid=200 minimized hidden\n"
        "foreground 3\n"
        "process 100 \"my editor\"\n"
        "mixer treble -10 10 0 0\n"
        "cd-track 3:20\n"
        "cd-track 0:59\n"
        "launch \"C:\\tool.exe\" 31\n"
        "at 900 end-process 100\n"
        "at 100   type hello world  \n";
    ASSERT_TRUE(loadDesktopScript(text, d, script, error)) << error;
    EXPECT_EQ(d.windows.screenSize(), (ScreenSize{1280, 1024}));
    ASSERT_EQ(d.windows.windows().size(), 2u);
    EXPECT_EQ(d.windows.windows()[0].title, "Untitled - Editor");
    EXPECT_EQ(d.windows.windows()[0].rect, (WindowRect{10, 20, 810, 620}));
    EXPECT_TRUE(d.windows.windows()[1].minimized && d.windows.windows()[1].hidden);
    EXPECT_EQ(d.windows.foregroundWindow(), 3u);
    EXPECT_EQ(d.processes.current(), (std::vector<ProcessInfo>{{100, "my editor"}}));
    ASSERT_TRUE(d.mixer.control(MixerControl::Treble).has_value());
    EXPECT_EQ(d.mixer.control(MixerControl::Treble)->range.minimum, -10);
    EXPECT_EQ(d.cd.trackCount(), 2);
    EXPECT_EQ(script.launchResults.at("C:\\tool.exe"), 31);
    ASSERT_EQ(script.events.size(), 2u);
    EXPECT_EQ(script.events[0].atMs, 100u);
    EXPECT_EQ(script.events[0].line, "type hello world");
    EXPECT_EQ(script.events[1].line, "end-process 100");
}

TEST(DesktopScript, ReportsTheFirstBadLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"screen 10\n", "line 1: too few values for \"screen\""},
        {"\nwindow x \"t\"\n", "line 2: \"x\" is not a number"},
        {"window 0 \"t\"\n", "line 1: window id 0 is reserved for no window"},
        {"window 1 \"open\n", "line 1: missing closing quote"},
        {"window 1 \"t\" rect=1,2,3\n", "line 1: rect wants L,T,R,B"},
        {"window 1 \"t\" sideways\n", "line 1: unknown window attribute \"sideways\""},
        {"mixer volume 0 1 0 0\n", "line 1: unknown mixer control \"volume\""},
        {"cd-track 3:75\n", "line 1: cd-track wants M:SS"},
        {"frobnicate\n", "line 1: unknown keyword \"frobnicate\""},
        {"at -5 marker\n", "line 1: a time must not be negative"},
        {"at 5 click sideways\n", "line 1: click wants left, right or middle"},
        {"at 5 dance\n", "line 1: unknown event \"dance\""},
        {"shell-automation maybe\n", "line 1: shell-automation wants yes or no"},
    };
    for (const auto& c : cases) {
        Transcript t;
        FakeDesktop d(t);
        DesktopScript script;
        std::string error;
        EXPECT_FALSE(loadDesktopScript(c.text, d, script, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(DesktopScript, InputEventsBecomeHookMessages) {
    Transcript t;
    FakeDesktop d(t);
    std::vector<HookMessage> m;
    std::string error;
    ASSERT_TRUE(applyTimedEvent({0, "type a b"}, d, m, error));
    ASSERT_TRUE(applyTimedEvent({0, "click middle"}, d, m, error));
    ASSERT_TRUE(applyTimedEvent({0, "key 13"}, d, m, error));
    ASSERT_TRUE(applyTimedEvent({0, "backspace"}, d, m, error));
    ASSERT_TRUE(applyTimedEvent({0, "marker"}, d, m, error));
    const std::vector<std::pair<HookMsg, std::int64_t>> expected = {
        {HookMsg::WaitText, 'a'}, {HookMsg::WaitText, ' '}, {HookMsg::WaitText, 'b'}, {HookMsg::WaitClick, 3},
        {HookMsg::WaitKey, 13},   {HookMsg::WaitText, 8},   {HookMsg::WaitMarker, 0}};
    ASSERT_EQ(m.size(), expected.size());
    for (std::size_t i = 0; i < m.size(); ++i) {
        EXPECT_EQ(m[i].msg, expected[i].first) << i;
        EXPECT_EQ(m[i].msg == HookMsg::WaitText ? m[i].lParam : m[i].wParam, expected[i].second) << i;
    }
}

TEST(DesktopTimeline, SplitsWaitsAtEventsAndPerformsThem) {
    Transcript t;
    FakeClock clock;
    FakeMessagePump pump(t, &clock);
    FakeDesktop d(t);
    DesktopTimeline timeline(t, pump, clock, d);
    std::vector<HookMessage> delivered;
    timeline.start({{150, "window 9 \"New\""}, {150, "click left"}, {400, "foreground 9"}},
                   [&](const HookMessage& m) { delivered.push_back(m); });
    timeline.waitFor(100);
    timeline.waitFor(100);
    EXPECT_NE(d.windows.window(9), nullptr);
    timeline.waitFor(1000);
    EXPECT_EQ(t.lines(), (std::vector<std::string>{"wait 100 ms", "wait 50 ms", "event 150 window 9 \"New\"",
                                                   "event 150 click left", "wait 50 ms", "wait 200 ms",
                                                   "event 400 foreground 9", "wait 800 ms"}));
    ASSERT_EQ(delivered.size(), 2u);
    EXPECT_EQ(delivered[0].msg, HookMsg::WaitClick);
    EXPECT_EQ(delivered[1].msg, HookMsg::WindowActivated);
    EXPECT_EQ(timeline.pending(), 0u);
}

}  // namespace
}  // namespace orv::fake
