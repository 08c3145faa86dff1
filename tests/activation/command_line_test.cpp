#include "activation/command_line.h"

#include <gtest/gtest.h>

#include "activation/hotkey_dispatch.h"
#include "engine/ansi_upper.h"
#include "engine/window_control.h"
#include "platform/cp1252.h"
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

struct SwitchCase {
    std::vector<std::string> args;
    bool useTray, useHide, autoSync, hide, useClose, network;
    BrowseMode browse;
};

TEST(CommandLineTest, SwitchesSetTheirFlags) {
    const SwitchCase cases[] = {
        {{"/S"}, true, false, true, false, false, false, BrowseMode::Off},
        {{"/s"}, false, false, true, false, false, false, BrowseMode::Off},  // only the exact /S means the tray
        {{"/H"}, false, true, false, false, false, false, BrowseMode::Off},
        {{"/h"}, false, false, false, false, false, false, BrowseMode::Off},
        {{"/hide", "/c", "/n"}, false, false, false, true, true, true, BrowseMode::Off},
        {{"/b"}, false, false, false, false, false, false, BrowseMode::Browse},
        {{"/B", "/ba"}, false, false, false, false, false, false, BrowseMode::BrowseAll},
        {{"S", "-S", "/SX", "//S", "/Shide"}, false, false, false, false, false, false, BrowseMode::Off},
    };
    for (const auto& c : cases) {
        const CommandLine cl = parseCommandLine(c.args);
        const std::string what = joinArguments(c.args);
        EXPECT_EQ(cl.useTray, c.useTray) << what;
        EXPECT_EQ(cl.useHide, c.useHide) << what;
        EXPECT_EQ(cl.autoSync, c.autoSync) << what;
        EXPECT_EQ(cl.hideAtFirstPaint, c.hide) << what;
        EXPECT_EQ(cl.useClose, c.useClose) << what;
        EXPECT_EQ(cl.networkMode, c.network) << what;
        EXPECT_EQ(cl.browseMode(), c.browse) << what;
        EXPECT_FALSE(cl.runMacro) << what;
    }
}

TEST(CommandLineTest, SyncMinutesOnlyFromOneToNinetyEight) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"1", 1},
        {"98", 98},
        {"0", std::nullopt},
        {"99", std::nullopt},
        {"-5", std::nullopt},
        {"12x", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(parseCommandLine({"/sm", value}).syncMinutes, expected) << value;
    EXPECT_FALSE(parseCommandLine({"/SM"}).syncMinutes);
}

TEST(CommandLineTest, NicknameAfterSlashAMayHoldBlanks) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"/A", "My", "Macro", "/F", "/home/alice/X.ORV"}, "MY MACRO"},
        {{"/F", "/home/alice/X.ORV", "/a", "  Morning  ", "report"}, "MORNING   REPORT"},
        {{"/a", "My Macro/Other"}, "MY MACRO"},
        {{"/A", "\xC3\xA9t\xC3\xA9"}, "\xC9T\xC9"},  // UTF-8 "été" becomes Windows-1252 upper case
        {{"/A"}, ""},
        {{"/A", std::string(60, 'n')}, std::string(50, 'N')},
    };
    for (const auto& [args, name] : cases) {
        const CommandLine cl = parseCommandLine(args);
        EXPECT_TRUE(cl.runMacro);
        EXPECT_EQ(cl.macroName, name) << joinArguments(args);
    }
    const CommandLine withFile = parseCommandLine({"/A", "My", "Macro", "/F", "/home/alice/X.ORV"});
    EXPECT_EQ(withFile.file, "/home/alice/X.ORV");
}

TEST(CommandLineTest, FileIsTakenOnlyWhenItExists) {
    test::TempDir dir;
    const std::string path = dir.file("Team Macros.ORV");
    test::writeFile(path, "");
    TAppSettings settings;
    settings.CurrentFile = "/old.ORV";
    EXPECT_FALSE(applyCommandLine(parseCommandLine({"/F", dir.file("missing.ORV")}), settings));
    EXPECT_FALSE(applyCommandLine(parseCommandLine({"/F", dir.path().string()}), settings));
    EXPECT_EQ(settings.CurrentFile, "/old.ORV");
    // A path beginning with "/" is the file, never a switch.
    EXPECT_FALSE(parseCommandLine({"/F", "/n"}).networkMode);

    EXPECT_TRUE(applyCommandLine(parseCommandLine({"/f", path, "/S", "/H", "/C", "/N", "/SM", "5"}), settings));
    EXPECT_EQ(settings.CurrentFile, path);
    EXPECT_TRUE(settings.UseTray && settings.UseHide && settings.UseClose && settings.NetworkMode && settings.AutoSync);
    EXPECT_EQ(settings.SyncMinutes, 5);
}

TEST(CommandLineTest, NicknameLookupIgnoresCaseAndNeverMatchesAnEmptyName) {
    TAppSettings settings;
    settings.NickName[0] = "";
    settings.NickName[1] = "Morning Report";
    settings.NickName[2] = "MORNING REPORT";
    EXPECT_EQ(findMacroByNickName(settings, 3, "MORNING REPORT"), 2);
    EXPECT_EQ(findMacroByNickName(settings, 3, ""), 0);
    EXPECT_EQ(findMacroByNickName(settings, 1, "MORNING REPORT"), 0);
}

TEST(HandOverTest, CommandLineTravelsOneCharacterPerMessage) {
    const std::string line = utf8ToCp1252(joinArguments({"/a", "caf\xC3\xA9", "time", "/F", "/home/alice/x.orv"}));
    const std::vector<std::int64_t> messages = encodeHandOver(line);
    ASSERT_EQ(messages.size(), line.size() + 1);
    EXPECT_EQ(messages[6], 0xE9);
    EXPECT_EQ(messages.back(), 0);

    HandOverReceiver receiver;
    std::optional<HandOverReceiver::Result> result;
    for (std::int64_t m : messages) {
        ASSERT_FALSE(result);
        result = receiver.receive(m);
    }
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->runMacro);
    EXPECT_EQ(result->macroName, "CAF\xC9 TIME");
    EXPECT_EQ(receiver.pending(), "");

    // Without "/A" the running program comes to the front; the next hand-over starts afresh.
    for (std::int64_t m : encodeHandOver("/HIDE /home/alice")) result = receiver.receive(m);
    EXPECT_FALSE(result->runMacro);
    EXPECT_TRUE(receiver.receive(0).has_value());
}

TEST(HandOverTest, OverlongBufferAndBadCharactersAreDropped) {
    HandOverReceiver receiver;
    for (char c : "/A " + std::string(300, 'x')) receiver.receive(static_cast<unsigned char>(c));
    receiver.receive(0x1234);
    EXPECT_EQ(receiver.pending().size(), kHandOverChars);
    const auto result = receiver.receive(-1);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->macroName, std::string(252, 'X'));
}

// The running program's side of a hand-over: what it shows or plays, in one transcript.
class HandOverHost final : public IDispatchHost, public fake::Recorder {
public:
    using Recorder::Recorder;
    bool popupMenuShowing() const override { return popupShowing; }
    bool macroPaused() const override { return false; }
    int pausedMacro() const override { return 0; }
    void resumePause() override {}
    bool sharedFileChanged() override { return false; }
    void reloadSharedFile() override {}
    void ActivateMe() override { record("activate me"); }
    void StartACapture() override { record("capture"); }
    void showTopWindowMenu() override { record("top window menu"); }
    int showPopupMenu(const TMacroRecord& menu) override {
        record("menu " + menu.NickName);
        return -1;
    }
    void IntoProgram(const TMacroRecord& macro, bool, std::int32_t) override { record("play " + macro.NickName); }
    void startClearTimer() override { record("clear timer"); }
    bool popupShowing = false;
};

class HandedOverMacroTest : public ::testing::Test {
protected:
    HandedOverMacroTest()
        : store(table, settings, hook, prompt, clock, dir.file("Icons")),
          control(windows, processes),
          dispatcher({table, settings, store, hook, prompt, control, keyboard, mouse, pump, host}) {
        settings.CurrentFile = dir.file("m.ORV");
        store.LoadMacroFile(settings.CurrentFile);  // the four system macros, 1..4
        add("Morning Report", kScopeGlobal);
        add("Tools", kScopePopupMenu);
    }
    void add(const std::string& nick, int scope) {
        TMacroRecord r;
        r.NickName = nick;
        r.HotKeyCode = kCodeNone;
        r.Scope = static_cast<std::int16_t>(scope);
        r.Active = 1;
        table.setMacroCount(table.MacroCount() + 1);
        EXPECT_TRUE(store.WriteMacroRecord(-1, r));
    }
    bool run(const std::string& upperName, bool playing = false) {
        return runHandedOverMacro(upperName, dispatcher, table, settings, host, prompt, playing);
    }

    test::TempDir dir;
    fake::Transcript transcript;
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt{transcript};
    fake::FakeClock clock;
    fake::FakeWindowSystem windows;
    fake::FakeProcessList processes;
    fake::FakeKeyboardInput keyboard{transcript};
    fake::FakeMouseInput mouse;
    fake::FakeMessagePump pump;
    HandOverHost host{transcript};
    MacroStore store;
    WindowControl control;
    HotkeyDispatcher dispatcher;
};

TEST_F(HandedOverMacroTest, RunsTheNamedMacroAsAHotkeyWould) {
    EXPECT_TRUE(run("MORNING REPORT"));
    EXPECT_EQ(transcript.text(), "play Morning Report\nkey down 43\nkey up 43\nclear timer\n");
    EXPECT_TRUE(table.MacroInUse());
    transcript.clear();
    EXPECT_TRUE(run("TOOLS"));
    EXPECT_EQ(transcript.text(), "menu Tools\n");
}

TEST_F(HandedOverMacroTest, SystemMacrosOnlyOfferTheTopWindowMenu) {
    for (int code = 1; code <= 4; ++code) {
        transcript.clear();
        const bool started = run(ansiUpper(systemMacroNickName(code)));
        EXPECT_EQ(started, code == 4) << code;
        EXPECT_EQ(transcript.text(), code == 4 ? "top window menu\n" : "") << code;
    }
}

TEST_F(HandedOverMacroTest, UnknownPlayingOrBusyStartsNothing) {
    EXPECT_FALSE(run("NO SUCH MACRO"));
    EXPECT_FALSE(run(""));
    EXPECT_FALSE(run("MORNING REPORT", true));
    EXPECT_EQ(transcript.text(), "");

    host.popupShowing = true;
    EXPECT_FALSE(run("MORNING REPORT"));
    host.popupShowing = false;
    table.setCaptureOn(true);
    EXPECT_FALSE(run("MORNING REPORT"));
    EXPECT_EQ(transcript.lines(),
              (std::vector<std::string>{std::string("message \"Warning\" \"") + kPopupBusyText + "\"",
                                        std::string("message \"Warning\" \"") + kCaptureBusyText + "\""}));
}

}  // namespace
}  // namespace orv
