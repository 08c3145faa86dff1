#include "activation/window_macros.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/window_control.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_process_list.h"
#include "platform/fake/fake_window_system.h"

namespace orv {
namespace {

// The resident program as window-title macros see it: records by number and a log of plays.
struct PlayerRecorder final : IWindowMacroPlayer {
    bool readMacroRecord(int j, TMacroRecord& record) override {
        if (j < 1 || j > static_cast<int>(records.size())) return false;
        record = records[static_cast<std::size_t>(j - 1)];
        return true;
    }
    bool macroPlaying() const override { return playing; }
    void playWindowMacro(int j, const TMacroRecord& record) override {
        played.push_back(std::to_string(j) + " " + record.NickName);
        playing = true;
        if (whilePlaying) whilePlaying();
        playing = false;
    }
    std::vector<TMacroRecord> records;
    std::vector<std::string> played;
    std::function<void()> whilePlaying;
    bool playing = false;
};

class WindowMacrosTest : public ::testing::Test {
protected:
    WindowMacrosTest() {
        windows.addWindow({1, "Orvanta 99 (TEAM)", 10});
        windows.addWindow({2, "Inbox - Mail Reader", 20});
        windows.addWindow({3, "", 30});
        windows.addWindow({4, "Compose: Inbox reply", 20});
        processes.setProcesses({{10, "orvanta"}, {20, "thunderbird"}, {30, "plasmashell"}});
        macros.initialise(1);
    }

    int add(const std::string& nick, int code, const std::string& title, bool active = true) {
        TMacroRecord r;
        r.NickName = nick;
        r.HotKeyCode = static_cast<std::int16_t>(code);
        r.WindowTitle = title;
        r.Active = active ? 1 : 0;
        player.records.push_back(r);
        const int j = static_cast<int>(player.records.size());
        table.setMacroCount(j);
        table.setActive(j, active);
        table.setHotKeyCode(j, r.HotKeyCode);
        table.setWindowTitle(j, title);
        return j;
    }

    TActivationTable table;
    fake::FakeHookLibrary hook;
    fake::FakeWindowSystem windows;
    fake::FakeProcessList processes;
    WindowControl control{windows, processes};
    PlayerRecorder player;
    WindowMacros macros{table, hook, control, player, "orvanta"};
};

TEST_F(WindowMacrosTest, ActivationUpdatesTopProgramRunningProgramsAndLastWindows) {
    EXPECT_EQ(macros.lastActiveWindow(), 1u);
    hook.transcript().clear();

    macros.windowActivated(2);
    EXPECT_EQ(hook.libraryTable().TopProgram(), "THUNDERBIRD");
    ASSERT_EQ(hook.libraryTable().RunningCount(), 3);
    EXPECT_EQ(hook.libraryTable().RunningProgram(1), "ORVANTA");
    EXPECT_EQ(hook.libraryTable().RunningProgram(3), "PLASMASHELL");
    EXPECT_EQ(hook.transcript().lines(), (std::vector<std::string>{"OrvUpProg", "OrvUpProgs"}));
    EXPECT_EQ(macros.lastActiveWindow(), 2u);
    EXPECT_EQ(macros.lastOtherProgramWindow(), 2u);

    // The program's own window: the last active window, but not another program's.
    macros.windowActivated(1);
    EXPECT_EQ(table.TopProgram(), "ORVANTA");
    EXPECT_EQ(macros.lastActiveWindow(), 1u);
    EXPECT_EQ(macros.lastOtherProgramWindow(), 2u);

    // An untitled window changes the program but neither last window.
    macros.windowActivated(3);
    EXPECT_EQ(table.TopProgram(), "PLASMASHELL");
    EXPECT_EQ(macros.lastActiveWindow(), 1u);

    windows.setForeground(3);
    EXPECT_EQ(macros.GetTopProgram(), "plasmashell");
    windows.setForeground(0);
    EXPECT_EQ(macros.GetTopProgram(), "");
}

TEST_F(WindowMacrosTest, RunningProgramsKeepTheFirstTwoHundredCutToTwentyFiveCharacters) {
    std::vector<ProcessInfo> many;
    for (int pid = 1; pid <= 230; ++pid) many.push_back({pid, "process-with-a-very-long-name-" + std::to_string(pid)});
    processes.setProcesses(many);
    macros.processesChanged();
    ASSERT_EQ(table.RunningCount(), 200);
    EXPECT_EQ(table.RunningProgram(1), "PROCESS-WITH-A-VERY-LONG-");
    EXPECT_EQ(hook.libraryTable().RunningCount(), 200);

    macros.setClosing(true);
    processes.setProcesses({});
    macros.processesChanged();
    macros.windowActivated(2);
    EXPECT_EQ(table.RunningCount(), 200);
    EXPECT_EQ(table.TopProgram(), "");
}

TEST_F(WindowMacrosTest, EveryMatchingWindowTitleMacroPlaysOnceInFileOrder) {
    add("Any inbox", kCodeWindowTitle, "inbox");
    add("Hotkey on inbox", 12, "inbox");
    add("Switched off", kCodeWindowTitle, "inbox", false);
    add("Mail reader", kCodeWindowTitle, "MAIL READER");
    add("Compose", kCodeWindowTitle, "compose");
    // The first macro's playback activates another matching window: nothing starts meanwhile.
    player.whilePlaying = [&] { macros.windowActivated(4); };
    macros.windowActivated(2);
    EXPECT_EQ(player.played, (std::vector<std::string>{"1 Any inbox", "4 Mail reader"}));
    EXPECT_EQ(macros.lastActiveWindow(), 4u);

    player.whilePlaying = nullptr;
    player.played.clear();
    macros.windowActivated(3);  // untitled: no macro
    EXPECT_TRUE(player.played.empty());
    macros.windowActivated(4);
    EXPECT_EQ(player.played, (std::vector<std::string>{"1 Any inbox", "5 Compose"}));
}

}  // namespace
}  // namespace orv
