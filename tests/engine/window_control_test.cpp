#include "engine/window_control.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/ansi_upper.h"
#include "platform/fake/fake_process_list.h"
#include "platform/fake/fake_window_system.h"

namespace orv {
namespace {

using fake::FakeWindowSystem;

class WindowControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        // z-order, topmost first
        add(10, "Inbox - Mail", 100);
        add(11, "", 100);  // untitled
        add(12, "notes.txt - Editor", 200, /*minimized=*/true);
        add(13, "Editor", 200);
        add(14, "Calculator", 300, false, /*hidden=*/true);
        processes.setProcesses({{100, "mailer"}, {200, "editor-bin"}, {300, "calc"}, {400, "daemon"}});
        control.setActivationObserver([this](WindowId w) { activated.push_back(w); });
    }
    void add(WindowId id, std::string title, std::int32_t pid, bool minimized = false, bool hidden = false) {
        FakeWindowSystem::Window w;
        w.id = id;
        w.title = std::move(title);
        w.pid = pid;
        w.minimized = minimized;
        w.hidden = hidden;
        windows.addWindow(w);
    }

    fake::Transcript transcript;
    FakeWindowSystem windows{transcript};
    fake::FakeProcessList processes{transcript};
    WindowControl control{windows, processes};
    std::vector<WindowId> activated;
};

TEST_F(WindowControlTest, FindsByExactTitleThenFirstContainingMatchInZOrder) {
    struct Case {
        const char* title;
        WindowId expected;  // 0: not found
    } cases[] = {
        {"Editor", 13},                // exact whole title wins over the higher window that contains it
        {"editor", 12},                // no exact match: first containing match, any case
        {"EDIT", 12},   {"calc", 14},  // hidden windows are found
        {"mail", 10},   {"nothing here", 0}, {"", 10},  // empty text: the first titled window, never the untitled one
    };
    for (const Case& c : cases) {
        WindowId found = 99;
        EXPECT_EQ(control.GetWinHandle(found, c.title), c.expected != 0) << c.title;
        EXPECT_EQ(found, c.expected) << c.title;
    }
    EXPECT_TRUE(activated.empty()) << "GetWinHandle must not activate";
}

TEST_F(WindowControlTest, ActivateItRestoresMinimisedWindowBeforeBringingItToFront) {
    ASSERT_TRUE(control.ActivateIt("NOTES"));
    EXPECT_EQ(windows.foregroundWindow(), 12u);
    EXPECT_FALSE(windows.window(12)->minimized);
    EXPECT_EQ(activated, std::vector<WindowId>{12});
    const auto& lines = transcript.lines();
    const auto restore = std::find(lines.begin(), lines.end(), "window restore 12");
    const auto front = std::find(lines.begin(), lines.end(), "window activate 12 -> ok");
    ASSERT_NE(restore, lines.end());
    ASSERT_NE(front, lines.end());
    EXPECT_LT(restore - lines.begin(), front - lines.begin());

    transcript.clear();
    EXPECT_FALSE(control.ActivateIt("absent"));
    EXPECT_EQ(activated.size(), 1u);
}

TEST_F(WindowControlTest, ActivateProgTakesFirstMatchingProcessAndItsFirstTitledWindow) {
    ASSERT_TRUE(control.ActivateProg("EDITOR"));
    EXPECT_EQ(windows.foregroundWindow(), 12u);  // first titled window of pid 200 in z-order
    ASSERT_TRUE(control.ActivateProg("mail"));
    EXPECT_EQ(windows.foregroundWindow(), 10u);    // the untitled window of pid 100 is skipped
    EXPECT_FALSE(control.ActivateProg("daemon"));  // running, but no titled window
    EXPECT_FALSE(control.ActivateProg("absent"));
    EXPECT_EQ(activated, (std::vector<WindowId>{12, 10}));
}

TEST_F(WindowControlTest, TitlesAreReadUpTo254Characters) {
    add(20, std::string(254, 'x') + "TAIL", 500);
    WindowId found = 0;
    EXPECT_FALSE(control.GetWinHandle(found, "tail"));
    EXPECT_TRUE(control.GetWinHandle(found, std::string(254, 'X')));
    EXPECT_EQ(found, 20u);
    // A title longer than any buffer is looked up without harm.
    EXPECT_FALSE(control.GetWinHandle(found, std::string(100000, 'q')));
}

TEST_F(WindowControlTest, ProgramNameOfWindowComesFromItsProcess) {
    EXPECT_EQ(control.programNameOfWindow(13), "editor-bin");
    EXPECT_EQ(control.programNameOfWindow(999), "");
}

TEST(AnsiUpperTest, UpperCasesAsciiAndAccentedLetters) {
    EXPECT_EQ(ansiUpper("abc xyz 09"), "ABC XYZ 09");
    EXPECT_EQ(ansiUpper("\xE9\xF7\xFF\x9A\xDF"), "\xC9\xF7\x9F\x8A\xDF");
    EXPECT_TRUE(containsNoCase("Caf\xC9 Menu", "caf\xE9"));
}

}  // namespace
}  // namespace orv
