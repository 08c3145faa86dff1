// The resident program in a sway session: its hotkeys are bound through sway, a hotkey pressed on
// a keyboard plays its macro into a Wayland window, Pause aborts it, a window-title macro plays
// when its window is activated, and no binding is left once the program has ended, also after a killed run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "platform/hotkey_codes.h"
#include "platform/virtual_keys.h"
#include "platform/wayland/sway_ipc.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_keyboard_input.h"
#include "platform/wayland/wayland_window_system.h"
#include "support/macro_file_writer.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "wayland_test_support.h"

namespace orv::wayland {
namespace {

using namespace test;

constexpr std::uint8_t kVkPause = 19;
constexpr std::uint8_t kVkReturn = 13;

int ctrlAlt(char key) { return hotKeyCodeOf({.virtualKey = key, .alt = true, .ctrl = true}); }
// Letters, capitals and digits: with Ctrl or Alt applied, none of them would arrive as text.
constexpr const char* kMacroText = "Hello Wayland 42";

// A macro file of one global macro; a window-title macro names its window in `title`.
void writeMacroFile(const std::string& path, int hotKey, const std::string& text, const std::string& title = "") {
    TMacroRecord r;
    r.NickName = "Typed by hotkey";
    r.HotKeyCode = static_cast<std::int16_t>(hotKey);
    r.Scope = static_cast<std::int16_t>(kScopeGlobal);
    r.Active = 1;
    r.MacroText = text;
    r.WindowTitle = title;
    r.IconName = "MAIN";
    ASSERT_TRUE(orv::test::MacroFileWriter(path).append(r));
}

class ResidentOnSway : public ::testing::Test {
protected:
    void SetUp() override {
        ORV_NEED_COMPOSITOR();
        ipc_ = SwayIpc::connect();
        ASSERT_TRUE(ipc_) << "sway's IPC socket (SWAYSOCK) does not answer";
        std::string error;
        connection_ = Connection::open(error);
        ASSERT_TRUE(connection_) << error;
        windows_ = WaylandWindowSystem::create(*connection_);
        ASSERT_TRUE(windows_);
        // The user's keyboard; it exists before the programs start, as on a desktop.
        keyboard_ = WaylandKeyboardInput::create(*connection_);
        ASSERT_TRUE(keyboard_);
        runtime_ = home_.file("runtime");
        std::filesystem::create_directory(runtime_);
        std::filesystem::permissions(runtime_, std::filesystem::perms::owner_all);
        // Not a first start: the first-time set-up would take the focus.
        orv::test::writeFile(home_.file("ORVANTA.INI"), "[Misc]\nFirst Use=No\n");
    }

    void TearDown() override {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    // Starts the program on a macro file and waits until its hotkeys are bound (it answers
    // hand-overs from then on) and it has told what the session lacks (its notice has the focus).
    void startResident(const std::string& macroFile) {
        const std::string socket = runtime_ + "/orvanta-" + std::to_string(::getuid()) + ".socket";
        std::filesystem::remove(socket);  // a killed run's
        // The program gets a runtime folder of its own: the compositor's socket is named by its path.
        const std::string display = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/" + std::getenv("WAYLAND_DISPLAY");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setenv("WAYLAND_DISPLAY", display.c_str(), 1);
            ::setenv("ORVANTA_HOME", home_.path().c_str(), 1);
            ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
            ::unsetenv("QT_QPA_PLATFORM");
            // Under the sanitizers: Qt's Wayland plugin leaves proxies allocated at exit, and only
            // whole allocation stacks name the plugin for the leak suppressions.
            if (const char* asan = std::getenv("ASAN_OPTIONS"))
                ::setenv("ASAN_OPTIONS", (std::string(asan) + ":fast_unwind_on_malloc=0").c_str(), 1);
            ::execl(ORV_RESIDENT, ORV_RESIDENT, "/F", macroFile.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ASSERT_TRUE(eventually([&] { return std::filesystem::exists(socket); })) << "orvanta did not get ready";
        // The notice is listed as soon as it has a title, and takes the focus only when it is
        // shown: a window the test activates before that would lose the focus to it.
        ASSERT_TRUE(eventually([&] {
            const WindowId active = windows_->foregroundWindow();
            return windows_->windowTitle(active) == "Features Not Available" && windows_->windowProcess(active) == pid_;
        })) << "no session notice";
    }

    // Ends the program as a logout would; its wait status (-1: it had to be killed).
    int stopResident(int signal = SIGTERM) { return orv::test::stopChild(std::exchange(pid_, -1), kDeadline, signal); }

    // Whether sway holds a binding for the combination (asking removes it).
    bool bound(const std::string& combination) { return ipc_->command("unbindsym " + combination); }

    void press(std::uint8_t vk, bool up) { keyboard_->keyEvent(vk, keyboard_->scanCodeFor(vk), up); }

    orv::test::TempDir home_;
    std::string runtime_;
    std::unique_ptr<SwayIpc> ipc_;
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<WaylandWindowSystem> windows_;
    std::unique_ptr<WaylandKeyboardInput> keyboard_;
    pid_t pid_ = -1;
};

TEST_F(ResidentOnSway, HotkeyHeldDownPlaysItsMacroIntoAWaylandWindowAndTheBindingGoesAtExit) {
    const std::string file = home_.file("hotkey.ORV");
    writeMacroFile(file, ctrlAlt('H'), kMacroText);
    WaylandTarget target({"Orvanta Hotkey Target"});
    startResident(file);
    const WindowId window = windows_->waitForTitle("Orvanta Hotkey Target", kDeadline);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(windows_->setForegroundWindow(window));
    ASSERT_TRUE(target.waitUntilTakingKeys(0, *keyboard_));
    target.clear();

    // The user holds Ctrl+Alt+H while the macro plays: the text arrives without the modifiers.
    press(kVkControl, false);
    press(kVkMenu, false);
    press('H', false);
    ASSERT_TRUE(connection_->roundtrip());
    const std::string expected = kMacroText;
    EXPECT_EQ(target.waitForText(0, expected.size()), expected) << target.transcript();
    press('H', true);
    press(kVkMenu, true);
    press(kVkControl, true);
    ASSERT_TRUE(keyboard_->endPlayback());

    EXPECT_EQ(stopResident(), 0);
    EXPECT_FALSE(bound("Ctrl+Mod1+h"));
}

TEST_F(ResidentOnSway, PauseAbortsAPlayingMacro) {
    const std::string file = home_.file("abort.ORV");
    // The macro waits for a key that never comes: only the abort key ends it.
    writeMacroFile(file, ctrlAlt('H'), "wait<WAITKEY:000:65>never");
    WaylandTarget target({"Orvanta Abort Target"});
    startResident(file);
    ASSERT_TRUE(windows_->setForegroundWindow(windows_->waitForTitle("Orvanta Abort Target", kDeadline)));
    ASSERT_TRUE(target.waitUntilTakingKeys(0, *keyboard_));
    target.clear();
    for (std::uint8_t vk : {kVkControl, kVkMenu, std::uint8_t('H')}) press(vk, false);
    ASSERT_TRUE(connection_->roundtrip());
    ASSERT_EQ(target.waitForText(0, 4), "wait") << target.transcript();
    for (std::uint8_t vk : {std::uint8_t('H'), kVkMenu, kVkControl}) press(vk, true);

    press(kVkPause, false);
    press(kVkPause, true);
    ASSERT_TRUE(connection_->roundtrip());
    // The program says that the macro was aborted; the rest of it is never typed.
    const WindowId box = windows_->waitForTitle("Macro Abort", kDeadline);
    ASSERT_NE(box, 0u) << "the macro was not aborted";
    EXPECT_EQ(windows_->windowProcess(box), pid_);
    EXPECT_EQ(target.waitForText(0, 5, std::chrono::milliseconds(0)), "wait");
    // Once the message is answered the abort key is the windows' again.
    ASSERT_TRUE(windows_->setForegroundWindow(box));
    press(kVkReturn, false);
    press(kVkReturn, true);
    ASSERT_TRUE(eventually([&] { return windows_->findWindowByTitle("Macro Abort") == 0; }));
    // (the program's list of its bindings says when it has unbound it)
    EXPECT_TRUE(
        eventually([&] { return orv::test::readFile(runtime_ + "/sway-hotkeys").find("Pause") == std::string::npos; }));
    EXPECT_FALSE(bound("Pause"));
    EXPECT_EQ(stopResident(), 0);
}

TEST_F(ResidentOnSway, AWindowTitleMacroPlaysWhenItsWindowIsActivated) {
    const std::string file = home_.file("title.ORV");
    writeMacroFile(file, kCodeWindowTitle, "title seen", "Title Target");
    WaylandTarget target({"Orvanta Other Window", "Orvanta Title Target"});
    ASSERT_NE(windows_->waitForTitle("Orvanta Title Target", kDeadline), 0u);
    startResident(file);
    const WindowId other = windows_->findWindowByTitle("Orvanta Other Window");
    ASSERT_TRUE(windows_->setForegroundWindow(other));

    ASSERT_TRUE(windows_->setForegroundWindow(windows_->findWindowByTitle("Orvanta Title Target")));
    EXPECT_EQ(target.waitForText(1, 10), "title seen") << target.transcript();
    EXPECT_EQ(stopResident(), 0);
}

TEST_F(ResidentOnSway, TheNextStartRemovesTheBindingsOfAKilledRun) {
    const std::string first = home_.file("first.ORV");
    const std::string second = home_.file("second.ORV");
    writeMacroFile(first, ctrlAlt('H'), "first");
    writeMacroFile(second, ctrlAlt('J'), "second");
    startResident(first);
    stopResident(SIGKILL);
    startResident(second);
    EXPECT_EQ(stopResident(), 0);
    EXPECT_FALSE(bound("Ctrl+Mod1+h")) << "the killed run's binding is left";
    EXPECT_FALSE(bound("Ctrl+Mod1+j"));
}

}  // namespace
}  // namespace orv::wayland
