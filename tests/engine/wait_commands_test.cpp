#include <gtest/gtest.h>

#include "engine/desktop_rig.h"

namespace orv::test {
namespace {

const std::string kAbort = messageLine("Macro Abort", "Orvanta 99 macro has been aborted.");

class WaitCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.addWindow(10, "Inbox - Mail", 100);
        rig.addWindow(11, "", 100);
        rig.addWindow(12, "Calculator", 300);
        rig.desktop.windows.setForeground(10);
    }
    std::uint64_t elapsedSince(std::uint64_t start) const { return rig.clock.tickCount() - start; }
    DesktopRig rig;
};

TEST_F(WaitCommandsTest, WaitWinEndsWhenAMatchingWindowComesToTheFront) {
    for (const bool withTimeOut : {false, true}) {
        DesktopRig r;
        r.addWindow(10, "Inbox - Mail", 100);
        r.addWindow(12, "Calculator", 300);
        r.desktop.windows.setForeground(10);
        r.pump.at(5, "calculator in front", [&r] { r.desktop.windows.setForeground(12); });
        const Lines lines = r.play(std::string("<WAITWIN:") + (withTimeOut ? "005" : "000") + ":calc>x");
        EXPECT_TRUE(messages(lines).empty());
        EXPECT_EQ(linesStarting(lines, "key down"), (Lines{"key down 88"}));
        // Only a wait without a time-out makes the window HotKeyWindow.
        EXPECT_EQ(r.engine.state().HotKeyWindow, withTimeOut ? 7 : 12);
    }
}

TEST_F(WaitCommandsTest, TimeOutsShowTheirMessageAndAbortTheMacro) {
    const struct {
        std::string text;
        std::string title;
        std::string message;
        std::uint64_t minutes;
    } cases[] = {
        {"<WAITWIN:001:calc>", "Wait For Window Error",
         "The Window Title of \"CALC.\" did not appear within the specified time of 1 minutes.  Macro will abort.", 1},
        {"<WAITWLF:002:mail>", "Wait For Window Error",
         "The Window Title of \"MAIL\" did not lose focus within the specified time of 2 minutes.  Macro will abort.",
         2},
        {"<WAITPROG:003:mailer>", "Wait For Window Error",
         "The Window Title of \"MAILER.\" did not appear within the specified time of 3 minutes.  Macro will abort.",
         3},
        {"<WAITTXTY:001:abc>", "Wait For Text Error",
         " Text \"abc\" was not typed within the specified time of 1 minutes.  Macro will abort.", 1},
        {"<WAITKEY:010:50>", "Wait For Key Press",
         "The \"ENTER\" key was not pressed within the specified time of 10 minutes.  Macro will abort.", 10},
        {"<WAITKEY:001:99>", "Wait For Key Press",
         "The \"\" key was not pressed within the specified time of 1 minutes.  Macro will abort.", 1},
        {"<WAITLM:001>", "Wait For Mouse Click Error",
         "Left click did not occur within the specified time of 1 minutes.  Macro will abort.", 1},
        {"<WAITRM:001>", "Wait For Mouse Click Error",
         "Right click did not occur within the specified time of 1 minutes.  Macro will abort.", 1},
        {"<WAITMM:999>", "Wait For Mouse Click Error",
         "Middle click did not occur within the specified time of 999 minutes.  Macro will abort.", 999},
    };
    for (const auto& c : cases) {
        DesktopRig r;
        r.addWindow(10, "Inbox - Mail", 100);
        r.desktop.windows.setForeground(10);
        const std::string running[] = {"MAILER"};
        r.table->setRunningPrograms(running, 1);
        const std::uint64_t start = r.clock.tickCount();
        const Lines lines = r.play(c.text + "x");
        EXPECT_EQ(messages(lines), (Lines{messageLine(c.title, c.message), kAbort})) << c.text;
        EXPECT_EQ(r.clock.tickCount() - start, c.minutes * 60000) << c.text;
        EXPECT_TRUE(linesStarting(lines, "key").empty()) << c.text;
        // Every wait flag is down again.
        for (std::size_t f = TActivationTable::oWaitMouseClick; f <= TActivationTable::oWaitMarker; ++f)
            EXPECT_EQ(r.hook.libraryTable().u8(f), 0) << c.text;
    }
}

TEST_F(WaitCommandsTest, TimeOutsRunAcrossMidnight) {
    rig.clock.set(LocalTime{2024, 3, 5, 23, 59, 30, 0, 2});
    const std::uint64_t start = rig.clock.tickCount();
    rig.play("<WAITLM:001>");
    EXPECT_EQ(elapsedSince(start), 60000u);
    EXPECT_EQ(rig.clock.now().hour, 0);
}

TEST_F(WaitCommandsTest, WaitWlfEndsWhenATitledOtherWindowHasTheFocus) {
    rig.pump.at(3, "untitled window in front", [this] { rig.desktop.windows.setForeground(11); });
    rig.pump.at(6, "calculator in front", [this] { rig.desktop.windows.setForeground(12); });
    const Lines lines = rig.play("<WAITWLF:000:mail>x");
    EXPECT_TRUE(messages(lines).empty());
    EXPECT_EQ(rig.engine.state().HotKeyWindow, 12);
    // The untitled window did not end the wait: the calculator came later.
    EXPECT_GE(rig.pump.calls(), 6u);
}

TEST_F(WaitCommandsTest, WaitProgEndsWhenNoRunningProgramContainsTheName) {
    const std::string running[] = {"MAILER", "EDITOR-BIN"};
    rig.table->setRunningPrograms(running, 2);
    rig.pump.at(4, "editor ends", [this] {
        const std::string left[] = {"MAILER"};
        rig.table->setRunningPrograms(left, 1);
    });
    const Lines lines = rig.play("<WAITPROG:000:editor>x");
    EXPECT_TRUE(messages(lines).empty());
    EXPECT_GE(rig.pump.calls(), 4u);
    EXPECT_EQ(linesStarting(lines, "key down"), (Lines{"key down 88"}));
}

TEST_F(WaitCommandsTest, TypedTextKeepsTheLastCharactersAndHonoursBackspace) {
    const struct {
        const char* command;
        std::string typed;  // characters delivered one per pump call; \b is a backspace
        bool ends;
    } cases[] = {
        {"<WAITTXTN:001:abc>", "xABc", true},   // the last three, ABc, upper-case to ABC
        {"<WAITTXTY:001:abc>", "xABc", false},  // case matters
        {"<WAITTXTY:001:abc>", "abd\bc", true}, {"<WAITTXTY:001:abc>", "ab\b\bzabc", true},
        {"<WAITTXTY:001:>", "", true},
    };
    for (const auto& c : cases) {
        DesktopRig r;
        std::uint64_t call = 2;
        for (const char ch : c.typed) r.postAt(call++, HookMsg::WaitText, 0, static_cast<unsigned char>(ch));
        bool flagUp = false;
        r.pump.at(2, "flag check", [&] { flagUp = r.hook.libraryTable().u8(TActivationTable::oWaitText) == 1; });
        const Lines lines = r.play(std::string(c.command) + "x");
        EXPECT_EQ(messages(lines).empty(), c.ends) << c.command << " " << c.typed;
        EXPECT_EQ(hasLine(lines, "key down 88"), c.ends) << c.command << " " << c.typed;
        EXPECT_TRUE(flagUp || c.typed.empty()) << c.command;
        EXPECT_EQ(r.hook.libraryTable().u8(TActivationTable::oWaitText), 0);
    }
}

TEST_F(WaitCommandsTest, TypedTextResetMessageEmptiesIt) {
    rig.postAt(2, HookMsg::WaitText, 0, 'a');
    rig.postAt(3, HookMsg::WaitText, 1, 0);
    rig.postAt(4, HookMsg::WaitText, 0, 'b');
    const Lines lines = rig.play("<WAITTXTY:001:ab>x");
    EXPECT_FALSE(messages(lines).empty());
}

TEST_F(WaitCommandsTest, WaitKeyEndsOnItsKeyOnly) {
    rig.postAt(2, HookMsg::WaitKey, 65);
    rig.postAt(4, HookMsg::WaitKey, 13);
    const Lines lines = rig.play("<WAITKEY:000:50>x");
    EXPECT_TRUE(messages(lines).empty());
    EXPECT_GE(rig.pump.calls(), 4u);
    EXPECT_EQ(rig.hook.libraryTable().u8(TActivationTable::oWaitKeyPress), 0);

    EXPECT_EQ(waitKeyFor(0).virtualKey, 65);
    EXPECT_EQ(waitKeyFor(25).name, "Z");
    EXPECT_EQ(waitKeyFor(26).virtualKey, 48);
    EXPECT_EQ(waitKeyFor(35).name, "9");
    EXPECT_EQ(waitKeyFor(36).virtualKey, 112);
    EXPECT_EQ(waitKeyFor(47).name, "F12");
    EXPECT_EQ(waitKeyFor(47).virtualKey, 123);
    EXPECT_EQ(waitKeyFor(48).name, "ESC");
    EXPECT_EQ(waitKeyFor(53).virtualKey, 16);
    EXPECT_EQ(waitKeyFor(54).virtualKey, 0);
    EXPECT_EQ(waitKeyFor(-1).virtualKey, 0);
}

TEST_F(WaitCommandsTest, WaitsWithoutTimeOutStillEndOnAbort) {
    for (const char* text : {"<WAITKEY:000:60>", "<WAITKEY:000:99999999999999999999>", "<WAITLM:000>",
                             "<WAITTXTN:000:never>", "<WAITWIN:000:absent>", "<WAITWLF:000:mail>"}) {
        DesktopRig r;
        r.addWindow(10, "Inbox - Mail", 100);
        r.desktop.windows.setForeground(10);
        r.postAt(50, HookMsg::WaitKey, 13);
        r.postAt(60, HookMsg::WaitClick, 2);
        r.postAt(70, HookMsg::Abort);
        const Lines lines = r.play(std::string(text) + "x");
        EXPECT_EQ(messages(lines), (Lines{kAbort})) << text;
        EXPECT_LE(r.pump.calls(), 72u) << text;
        EXPECT_FALSE(hasLine(lines, "key down 88")) << text;
    }
}

TEST_F(WaitCommandsTest, ClickWaitEndsOnItsButton) {
    rig.postAt(2, HookMsg::WaitClick, 1);  // left: not the awaited one
    rig.postAt(4, HookMsg::WaitClick, 3);
    bool flagUp = false;
    rig.pump.at(3, "flag check", [&] { flagUp = rig.hook.libraryTable().u8(TActivationTable::oWaitMouseClick) == 1; });
    const Lines lines = rig.play("<WAITMM:000>x");
    EXPECT_TRUE(messages(lines).empty());
    EXPECT_TRUE(flagUp);
    EXPECT_EQ(rig.hook.libraryTable().u8(TActivationTable::oWaitMouseClick), 0);
    EXPECT_EQ(linesStarting(lines, "key down"), (Lines{"key down 88"}));
}

TEST_F(WaitCommandsTest, WaitPbSendsTheMarkerAndEndsOnItsAnswer) {
    bool flagUp = false;
    rig.pump.at(3, "marker check", [&] { flagUp = rig.hook.libraryTable().u8(TActivationTable::oWaitMarker) == 1; });
    rig.postAt(4, HookMsg::WaitMarker);
    const std::uint64_t start = rig.clock.tickCount();
    const Lines lines = rig.play("<SPEED:00.00><WAITPB>x");
    EXPECT_TRUE(flagUp);
    // 0.1 s without the speed factor, then the marker key down and up.
    const auto pause = std::find(lines.begin(), lines.end(), "wait 100 ms");
    ASSERT_NE(pause, lines.end());
    EXPECT_EQ(*(pause + 1), "key down 43");
    EXPECT_EQ(*(pause + 2), "key up 43");
    EXPECT_LT(elapsedSince(start), 1000u);
    EXPECT_EQ(rig.hook.libraryTable().u8(TActivationTable::oWaitMarker), 0);
    EXPECT_TRUE(hasLine(lines, "key down 88"));
}

TEST_F(WaitCommandsTest, WaitPbGivesUpAfterThirtySecondsAndIgnoresAbort) {
    rig.postAt(3, HookMsg::Abort);
    const std::uint64_t start = rig.clock.tickCount();
    const Lines lines = rig.play("<WAITPB>x");
    EXPECT_EQ(elapsedSince(start), 100u + 30000u);
    EXPECT_EQ(rig.hook.libraryTable().u8(TActivationTable::oWaitMarker), 0);
    EXPECT_EQ(messages(lines), (Lines{kAbort}));  // seen only after the wait
}

TEST_F(WaitCommandsTest, WaitTimeBlocksWithoutHandlingMessages) {
    const struct {
        std::string text;
        std::string line;
        bool typed;
    } cases[] = {
        {"<WAITTIME:00000005>x", "sleep 5000 ms", true},
        {"<WAITTIME:99999999>x", "sleep 99999999000 ms", true},
        {"<WAITTIME:0000x005>x", "sleep 0 ms", true},
        {"<WAITTIME:00000005", "sleep 5000 ms", false},
    };
    for (const auto& c : cases) {
        DesktopRig r;
        const std::uint64_t callsBefore = r.pump.calls();
        const Lines lines = r.play(c.text);
        EXPECT_EQ(linesStarting(lines, "sleep"), (Lines{c.line})) << c.text;
        EXPECT_TRUE(linesStarting(lines, "wait").empty()) << c.text;
        EXPECT_EQ(hasLine(lines, "key down 88"), c.typed) << c.text;
        EXPECT_LE(r.pump.calls() - callsBefore, 2u) << c.text;
    }
}

}  // namespace
}  // namespace orv::test
