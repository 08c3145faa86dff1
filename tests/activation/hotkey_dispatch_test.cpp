#include "activation/hotkey_dispatch.h"

#include <gtest/gtest.h>

#include "engine/window_control.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_keyboard_input.h"
#include "platform/fake/fake_message_pump.h"
#include "platform/fake/fake_mouse_input.h"
#include "platform/fake/fake_process_list.h"
#include "platform/fake/fake_user_prompt.h"
#include "platform/fake/fake_window_system.h"
#include "store/macro_store.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

// The resident program as the dispatcher sees it: records what it was asked to do.
class RecordingHost final : public IDispatchHost {
public:
    bool popupMenuShowing() const override { return popupShowing; }
    bool macroPaused() const override { return paused != 0; }
    int pausedMacro() const override { return paused; }
    void resumePause() override { calls += "resume;"; }
    bool sharedFileChanged() override { return fileChanged; }
    void reloadSharedFile() override {
        calls += "reload;";
        fileChanged = false;
    }
    void ActivateMe() override { calls += "activate-me;"; }
    void StartACapture() override { calls += "capture;"; }
    void showTopWindowMenu() override { calls += "top-window-menu;"; }
    int showPopupMenu(const TMacroRecord& menu) override {
        calls += "menu " + menu.NickName + ";";
        return menuChoice;
    }
    void IntoProgram(const TMacroRecord& macro, bool capsWasOn, std::int32_t window) override {
        calls += "play " + macro.NickName + (capsWasOn ? " caps" : "") + " in " + std::to_string(window) + ";";
    }
    void startClearTimer() override { calls += "clear-timer;"; }

    bool popupShowing = false;
    int paused = 0;
    bool fileChanged = false;
    int menuChoice = -1;
    std::string calls;
};

class HotkeyDispatchTest : public ::testing::Test {
protected:
    HotkeyDispatchTest()
        : store(table, settings, hook, prompt, clock, dir.file("Icons")),
          control(windows, processes),
          dispatcher({table, settings, store, hook, prompt, control, keyboard, mouse, pump, host}) {
        settings.CurrentFile = dir.file("m.ORV");
        store.LoadMacroFile(settings.CurrentFile);  // the four system macros, 1..4
        windows.addWindow({10, "Untitled - Text Editor", 100});
        windows.addWindow({20, "Terminal", 200});
        windows.setForeground(10);
    }

    // Appends a macro and returns its number.
    int add(const std::string& nick, int code, int scope = kScopeGlobal, const std::string& title = "",
            bool topMostOnly = true) {
        TMacroRecord r;
        r.NickName = nick;
        r.HotKeyCode = static_cast<std::int16_t>(code);
        r.Scope = static_cast<std::int16_t>(scope);
        r.WindowTitle = title;
        r.TopMostOnly = topMostOnly ? 1 : 0;
        r.Active = 1;
        r.MacroText = "text of " + nick;
        table.setMacroCount(table.MacroCount() + 1);
        EXPECT_TRUE(store.WriteMacroRecord(-1, r));
        return table.MacroCount();
    }

    test::TempDir dir;
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    fake::FakeWindowSystem windows;
    fake::FakeProcessList processes;
    fake::FakeKeyboardInput keyboard;
    fake::FakeMouseInput mouse;
    fake::FakeMessagePump pump;
    RecordingHost host;
    MacroStore store;
    WindowControl control;
    HotkeyDispatcher dispatcher;
};

TEST_F(HotkeyDispatchTest, TheLastActiveGlobalMacroOnAHotkeyRuns) {
    const int first = add("First", 10);
    const int second = add("Second", 10);
    EXPECT_EQ(dispatcher.GetMacro(10), second);
    EXPECT_TRUE(store.SetMacroActive(second, false));
    EXPECT_EQ(dispatcher.GetMacro(10), first);
    EXPECT_TRUE(store.SetMacroActive(first, false));
    EXPECT_EQ(dispatcher.GetMacro(10), 0);
}

TEST_F(HotkeyDispatchTest, AWindowMacroWinsWhileItsWindowHasTheFocus) {
    add("Global", 10);
    const int window = add("Editor only", 10, kScopeWindow, "text editor");
    const int program = add("Terminal program", 11, kScopeProgram, "bash");
    add("Global 11", 11);

    EXPECT_EQ(dispatcher.GetMacro(10), window);
    windows.setForeground(20);
    EXPECT_EQ(dispatcher.GetMacro(10), 5);  // the Global one

    table.setTopProgram("BASH");
    EXPECT_EQ(dispatcher.GetMacro(11), program);
    // A foreground PAUSE window hides the scoped macros.
    windows.addWindow({30, "PAUSE (Editor only)", 300}, true);
    windows.setForeground(30);
    EXPECT_EQ(dispatcher.GetMacro(11), program + 1);
}

TEST_F(HotkeyDispatchTest, IfRunningMacrosBringTheirWindowOrProgramForward) {
    add("Global", 10);
    const int window = add("Terminal anywhere", 10, kScopeWindow, "TERMINAL", false);
    EXPECT_EQ(dispatcher.GetMacro(10), window);
    EXPECT_EQ(windows.foregroundWindow(), 20u);

    const int program = add("Editor program", 12, kScopeProgram, "gedit", false);
    const std::string running[] = {"BASH", "GEDIT"};
    table.setRunningPrograms(running, 2);
    processes.addProcess({100, "gedit"});
    windows.setForeground(20);
    EXPECT_EQ(dispatcher.GetMacro(12), program);
    EXPECT_EQ(windows.foregroundWindow(), 10u);

    windows.removeWindow(20);
    EXPECT_EQ(dispatcher.GetMacro(10), 5);  // no Terminal window any more: the Global macro
}

TEST_F(HotkeyDispatchTest, AHotkeyPlaysItsMacroAndPostsTheMarkerKey) {
    add("Greeting", 10);
    dispatcher.handleHotKey(10 | kHotKeyCapsFlag, 10);
    EXPECT_EQ(host.calls, "play Greeting caps in 10;clear-timer;");
    EXPECT_TRUE(table.MacroInUse());
    EXPECT_TRUE(hook.libraryTable().MacroInUse());
    EXPECT_EQ(keyboard.transcript().text(), "key down 43\nkey up 43\n");
    // While MacroInUse, a press without Caps Lock keeps the Caps state of the running macro.
    host.calls.clear();
    dispatcher.handleHotKey(10, 10);
    EXPECT_EQ(host.calls, "play Greeting caps in 10;clear-timer;");
    dispatcher.clearMacroInUse();
    EXPECT_FALSE(hook.libraryTable().MacroInUse());
    host.calls.clear();
    dispatcher.handleHotKey(10, 10);
    EXPECT_EQ(host.calls, "play Greeting in 10;clear-timer;");
}

TEST_F(HotkeyDispatchTest, BusyStatesRefuseWithTheirWarnings) {
    const int own = add("Paused one", 10);
    add("Other", 11);
    host.popupShowing = true;
    dispatcher.handleHotKey(10, 0);
    host.popupShowing = false;
    table.setCaptureOn(true);
    dispatcher.handleHotKey(10, 0);
    table.setCaptureOn(false);
    host.paused = own;
    dispatcher.handleHotKey(11, 0);
    ASSERT_EQ(prompt.shown().size(), 3u);
    EXPECT_EQ(prompt.shown()[0].text, kPopupBusyText);
    EXPECT_EQ(prompt.shown()[1].text, kCaptureBusyText);
    EXPECT_EQ(prompt.shown()[2].text, kPauseBusyText);
    for (const auto& shown : prompt.shown()) EXPECT_EQ(shown.title, "Warning");
    EXPECT_EQ(host.calls, "");

    // The paused macro's own hotkey and the Resume Pause hotkey resume it.
    dispatcher.handleHotKey(10 | kHotKeyCapsFlag, 0);
    dispatcher.handleHotKey(264, 0);
    EXPECT_EQ(host.calls, "resume;resume;");
    EXPECT_EQ(keyboard.transcript().text(), "key down 20\nkey up 20\n");
}

TEST_F(HotkeyDispatchTest, SystemMacrosPopupMenusAndTrayIndexes) {
    dispatcher.handleHotKey(262, 0);
    dispatcher.handleHotKey(263, 0);
    dispatcher.handleHotKey(264, 0);  // Resume Pause without a pause: nothing
    dispatcher.handleHotKey(265, 0);
    EXPECT_EQ(host.calls, "activate-me;capture;top-window-menu;");

    const int target = add("Target", kCodeNone);
    TMacroRecord menu;
    menu.NickName = "My Menu";
    menu.Scope = kScopePopupMenu;
    menu.HotKeyCode = 20;
    menu.Active = 1;
    menu.ShortKeyText = "N10";
    menu.MenuItems = {static_cast<std::int16_t>(target)};
    table.setMacroCount(table.MacroCount() + 1);
    EXPECT_TRUE(store.WriteMacroRecord(-1, menu));
    host.calls.clear();
    host.menuChoice = target;
    dispatcher.handleHotKey(20, 0);
    EXPECT_EQ(host.calls, "menu My Menu;play Target in 0;clear-timer;");

    host.calls.clear();
    host.menuChoice = -1;
    dispatcher.handleHotKey(0x4000 | target, 0);  // a tray icon's right click with the macro index
    EXPECT_EQ(host.calls, "play Target in 0;clear-timer;");

    // A menu's tray icon: the menu opens, and what it chooses plays into the window that was in
    // front before the click.
    host.calls.clear();
    host.menuChoice = target;
    dispatcher.handleHotKey(0x4000 | 0x1000 | table.MacroCount(), 20);
    EXPECT_EQ(host.calls, "menu My Menu;play Target in 20;clear-timer;");
    EXPECT_EQ(dispatcher.HotKeyWindow(), 20);
}

TEST_F(HotkeyDispatchTest, AChangedSharedFileIsReloadedAndTheHotkeyReplayed) {
    add("Greeting", 144);  // Ctrl+Alt+A
    host.fileChanged = true;
    dispatcher.handleHotKey(144, 0);
    EXPECT_EQ(host.calls, "reload;");
    EXPECT_EQ(keyboard.transcript().text(), "key down 18\nkey down 17\nkey down 65\nkey up 65\nkey up 17\nkey up 18\n");

    host.calls.clear();
    host.fileChanged = true;
    dispatcher.handleHotKey(700, 0);  // Shift+LMouse
    EXPECT_NE(pump.transcript().text().find("wait 50 ms"), std::string::npos);
    EXPECT_EQ(mouse.transcript().lines().size(), 2u);
}

TEST_F(HotkeyDispatchTest, ThePickerTakesTheHotkeysWhileItsFieldHasTheFocus) {
    dispatcher.SetSecWind(777, true);
    EXPECT_TRUE(hook.libraryTable().PickerActive());
    EXPECT_EQ(hook.libraryTable().PickerWindow(), 777);
    dispatcher.SetSecWind(777, false);
    EXPECT_FALSE(hook.libraryTable().PickerActive());
}

}  // namespace
}  // namespace orv
