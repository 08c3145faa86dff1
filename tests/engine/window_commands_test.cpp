#include <gtest/gtest.h>

#include "engine/desktop_rig.h"
#include "engine/program_launch.h"

namespace orv::test {
namespace {

class WindowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.addWindow(10, "Inbox - Mail", 100);
        rig.addWindow(11, "Notes - Editor", 200, /*minimized=*/true);
        rig.addWindow(12, "Editor", 200);
        rig.desktop.windows.setForeground(10);
    }
    DesktopRig rig;
};

TEST_F(WindowCommandsTest, ActivateFindsTheWindowAndMakesItHotKeyWindow) {
    const Lines lines = rig.play("<ACTIVATE:notes>x");
    EXPECT_TRUE(hasLine(lines, "window restore 11"));
    EXPECT_TRUE(hasLine(lines, "window activate 11 -> ok"));
    EXPECT_EQ(rig.engine.state().HotKeyWindow, 11);
    EXPECT_EQ(linesStarting(lines, "key down"), (Lines{"key down 88"}));
}

TEST_F(WindowCommandsTest, ActivateOfAMissingWindowShowsItsMessageAndSkipsTheRest) {
    const Lines lines = rig.play("<ACTIVATE:Nowhere>x<TAB>");
    EXPECT_EQ(messages(lines), (Lines{messageLine("Activate Command Failed",
                                                  "Specified window title of \"Nowhere\" could not be found on your "
                                                  "computer. Macro will abort.")}));
    EXPECT_TRUE(linesStarting(lines, "key").empty());
    EXPECT_EQ(rig.engine.state().HotKeyWindow, 7);
}

TEST_F(WindowCommandsTest, LaunchSplitsParametersAndEndsAtTheSecondCloser) {
    const Lines lines = rig.play("<LAUNCH:/usr/bin/editor<PARAM>-n notes.txt>x");
    EXPECT_EQ(linesStarting(lines, "shell open"),
              (Lines{"shell open \"open\" \"/usr/bin/editor\" \"-n notes.txt\" \"\" -> 42"}));
    EXPECT_EQ(linesStarting(lines, "key down"), (Lines{"key down 88"}));
}

TEST_F(WindowCommandsTest, LaunchFailureNamesTheReasonAndSkipsTheRest) {
    const struct {
        int result;
        const char* reason;
    } cases[] = {
        {0, "the operating system is out of memory or resources."},
        {2, "the specified file was not found."},
        {3, "the specified path was not found."},
        {5, "the operating system denied access to the specified file."},
        {8, "there was not enough memory to complete the operation."},
        {11, "the .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
        {26, "a sharing violation occurred."},
        {27, "the filename association is incomplete or invalid."},
        {31, "there is no application associated with the given filename extension."},
        {17, "of an unknown Error #17."},
        {32, "of an unknown Error #32."},
    };
    for (const auto& c : cases) {
        rig.shell.queueResult(c.result);
        const Lines lines = rig.play("<LAUNCH:tool<PARAM>-x>typed");
        EXPECT_EQ(messages(lines),
                  (Lines{messageLine("Launch Error", std::string("\"tool\" failed to launch because ") + c.reason +
                                                         " Macro will abort.")}))
            << c.result;
        EXPECT_TRUE(linesStarting(lines, "key").empty()) << c.result;
    }
    rig.shell.queueResult(33);  // above 32 is success
    EXPECT_TRUE(messages(rig.play("<LAUNCH:tool>")).empty());
}

TEST_F(WindowCommandsTest, LaunchDelWaitsItsDelayWithoutTheSpeedFactor) {
    const Lines lines = rig.play("<SPEED:00.00><LAUNCHDEL:03calc>");
    EXPECT_TRUE(hasLine(lines, "shell open \"open\" \"calc\" \"\" \"\" -> 42"));
    EXPECT_EQ(linesStarting(lines, "wait"), (Lines{"wait 3000 ms"}));
}

TEST_F(WindowCommandsTest, LaunchNoWaitsForTheLaunchTitleThenTheDelay) {
    // The program's window comes up a few polls after the launch.
    rig.pump.at(4, "calculator appears", [this] { rig.addWindow(20, "Calculator", 300); });
    const Lines lines = rig.play("<LAUNCHNO:02Calculator<LAUNCH:calc>x");
    EXPECT_TRUE(hasLine(lines, "shell open \"open\" \"calc\" \"\" \"\" -> 42"));
    EXPECT_TRUE(hasLine(lines, "window activate 20 -> ok"));
    EXPECT_EQ(rig.engine.state().HotKeyWindow, 20);
    EXPECT_EQ(lines[lines.size() - 3], "wait 2000 ms");
    EXPECT_TRUE(messages(lines).empty());
}

TEST_F(WindowCommandsTest, LaunchTitleThatNeverComesFailsAfterTheWaitSeconds) {
    const struct {
        const char* text;
        std::uint64_t waitedMs;
    } cases[] = {
        {"<LAUNCHNO:00Calculator<LAUNCH:calc>x", 12000},
        {"<LAUNCHNO2:0005Calculator<LAUNCH:calc>x", 5000},
        {"<LAUNCHYES2:000xCalculator<LAUNCH:calc>x", 0},  // a wait that is not a number is 0
    };
    for (const auto& c : cases) {
        const std::uint64_t before = rig.clock.tickCount();
        const Lines lines = rig.play(c.text);
        EXPECT_EQ(rig.clock.tickCount() - before, c.waitedMs) << c.text;
        EXPECT_EQ(messages(lines), (Lines{messageLine("Launch Failed",
                                                      "Specified window title of \"Calculator\" could not be found on "
                                                      "your computer. Macro will abort.")}))
            << c.text;
        EXPECT_TRUE(linesStarting(lines, "key").empty()) << c.text;
    }
}

TEST_F(WindowCommandsTest, LaunchWaitLastsItsSecondsAcrossMidnight) {
    rig.clock.set(LocalTime{2024, 3, 5, 23, 59, 55, 0, 2});
    const std::uint64_t before = rig.clock.tickCount();
    rig.play("<LAUNCHNO:00Calculator<LAUNCH:calc>");
    EXPECT_EQ(rig.clock.tickCount() - before, 12000u);
    EXPECT_EQ(rig.clock.now().hour, 0);
}

TEST_F(WindowCommandsTest, LaunchYesActivatesARunningProgramInsteadOfLaunching) {
    const Lines lines = rig.play("<LAUNCHYES:00Inbox<LAUNCH:mailer>x");
    EXPECT_TRUE(linesStarting(lines, "shell").empty());
    EXPECT_TRUE(hasLine(lines, "window activate 10 -> ok"));
    EXPECT_EQ(linesStarting(lines, "key down"), (Lines{"key down 88"}));
}

TEST_F(WindowCommandsTest, LaunchTitleKeepsThirtyCharacters) {
    rig.addWindow(30, std::string(30, 'T') + " and more", 400);
    const Lines lines = rig.play("<LAUNCHYES:00" + std::string(30, 'T') + "XYZ<LAUNCH:t>");
    EXPECT_TRUE(hasLine(lines, "window activate 30 -> ok"));
}

TEST_F(WindowCommandsTest, StateSizeAndPositionCommandsFindTheirWindow) {
    const struct {
        std::string text;
        Lines actions;  // window action lines
    } cases[] = {
        {"<WMAX:inbox>", {"window maximize 10"}},
        {"<WMIN:\"CURRENT\">", {"window minimize 10"}},
        {"<WCLS:Editor>", {"window close 12"}},
        {"<WRES:notes>", {"window restore 11"}},
        {"<WHIDE:Mail>", {"window hide 10"}},
        {"<WSHOW:Mail>", {"window show 10"}},
        {"<WSHUT:Editor>", {"window quit 12"}},
        {"<WSIZE:0640x0480\"CURRENT\">", {"window resize 10 640 480"}},
        {"<WSIZE:06x0x0480Editor>", {"window resize 12 0 480"}},  // not a number: 0
        {"<WPOS:0010,0020Editor>", {"window move 12 10 20"}},
        {"<WPOS2:-0010,00020Editor>", {"window move 12 -10 20"}},
        {"<WPOS2: -5  ,abcdeEditor>", {"window move 12 -5 0"}},
        {"<WMAX:>", {}},             // empty title: nothing
        {"<WMAX:absent>", {}},       // no such window: nothing
        {"<WMAX:\"current\">", {}},  // only the upper-case word names the foreground window
    };
    for (const auto& c : cases) {
        DesktopRig fresh;
        fresh.addWindow(10, "Inbox - Mail", 100);
        fresh.addWindow(11, "Notes - Editor", 200, true);
        fresh.addWindow(12, "Editor", 200);
        fresh.desktop.windows.setForeground(10);
        const Lines lines = fresh.play(c.text + "x");
        Lines actions;
        for (const std::string& l : linesStarting(lines, "window "))
            if (l.find("->") == std::string::npos) actions.push_back(l);
        EXPECT_EQ(actions, c.actions) << c.text;
        EXPECT_EQ(linesStarting(lines, "key down"), (Lines{"key down 88"})) << c.text;
    }
}

TEST_F(WindowCommandsTest, MalformedAndOversizedTextsEndSafely) {
    const std::string huge(100000, 'w');
    for (const std::string& text :
         {std::string("<LAUNCH:prog<PARAM>never closed"), std::string("<LAUNCH:"), std::string("<LAUNCHNO:"),
          std::string("<LAUNCHYES2:99"), std::string("<LAUNCHNO2:0101no-angle"), "<ACTIVATE:" + huge,
          "<WSIZE:9999x9999" + huge + ">", std::string("<WPOS2:")}) {
        DesktopRig fresh;
        fresh.play(text);
        EXPECT_FALSE(fresh.engine.state().playing);
    }
}

TEST(LaunchText, ProgramTextRunsToTheCloserAfterParam) {
    const struct {
        std::string text;
        std::string program;
        std::size_t next;
    } cases[] = {
        {"<LAUNCH:a b>rest", "a b", 12},
        {"<LAUNCH:a<PARAM>b c>rest", "a<PARAM>b c", 20},
        {"<LAUNCH:a<PARAM>b c", "a<PARAM>b c", 19},
        {"<LAUNCH:a<PARAM>>", "a<PARAM>", 17},
        {"<LAUNCH:a<PARAM", "a<PARAM", 15},
    };
    for (const auto& c : cases) {
        const LaunchText t = launchText(c.text, 8);
        EXPECT_EQ(t.program, c.program) << c.text;
        EXPECT_EQ(t.next, c.next) << c.text;
    }
    const ProgramText split = splitProgramText("x.exe<PARAM>-a -b");
    EXPECT_EQ(split.program, "x.exe");
    EXPECT_EQ(split.parameters, "-a -b");
}

}  // namespace
}  // namespace orv::test
