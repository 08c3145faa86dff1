#include "activation/resident.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <functional>

#include "engine/playback_engine.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_keyboard_input.h"
#include "platform/fake/fake_message_pump.h"
#include "platform/fake/fake_mouse_input.h"
#include "platform/fake/fake_playback_windows.h"
#include "platform/fake/fake_process_list.h"
#include "platform/fake/fake_thread_sleep.h"
#include "platform/fake/fake_user_prompt.h"
#include "platform/fake/fake_window_system.h"
#include "remap/remap_file.h"
#include "store/macro_store.h"
#include "store/recent_files.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

class RecordingUi final : public IResidentUi {
public:
    void bringUpMainWindow() override { calls += "main-window;"; }
    int showPopupMenu(const TMacroRecord& menu) override {
        calls += "popup " + menu.NickName + " " + std::to_string(menu.MenuItems.size()) + ";";
        if (onMenu) onMenu();
        return chosen;
    }
    void resumePause() override { calls += "resume;"; }
    void setRunning(bool running) override { calls += running ? "running;" : "idle;"; }
    void startClearTimer() override { calls += "clear-timer;"; }
    void setScheduleTimer(bool enabled) override { scheduleTimer = enabled; }
    void setHeartbeatTimer(bool) override {}
    void setSyncTimer(bool) override {}
    void macrosChanged() override {
        ++refills;
        if (settings != nullptr) recentAtRefill = settings->LastFile;
    }
    void playWaveFile(const std::string& file, bool) override { calls += "wave " + file + ";"; }
    void pickerHotKey(std::int32_t window, int code) override {
        calls += "picker " + std::to_string(window) + " " + std::to_string(code) + ";";
    }
    void setRecording(bool recording) override { calls += recording ? "recording;" : "recorded;"; }
    void completeCapture(TMacroRecord& record, const std::string& program) override {
        calls += "complete " + program + ";";
        if (completion) completion(record);
    }
    void captureSaved(int j) override { calls += "saved " + std::to_string(j) + ";"; }
    std::function<void(TMacroRecord&)> completion;  // what the user does in "Capture Complete"
    int chosen = -1;
    std::function<void()> onMenu;            // what happens while the menu is up
    const TAppSettings* settings = nullptr;  // when set, the recent files are noted at each refill
    RecentFiles recentAtRefill;

    std::string calls;
    bool scheduleTimer = false;
    int refills = 0;
};

class ResidentTest : public ::testing::Test {
protected:
    ResidentTest() {
        paths.programDir = dir.file("prog");
        paths.configDir = dir.file("config");
        settings.CurrentFile = dir.file("macros.ORV");
        windows.addWindow({10, "Notes - Editor", 100});
        windows.addWindow({20, "Terminal", 200});
        windows.setForeground(10);
        processes.addProcess({100, "editor"});
        resident = std::make_unique<Resident>(
            table, settings, paths,
            ResidentPlatform{keyboard, mouse, pump, playbackWindows, windows, processes, hook, prompt, clock, sleeper},
            ui, "ORVANTA");
    }

    // Writes macros into the file before start-up.
    void writeMacros(const std::vector<TMacroRecord>& records) {
        TActivationTable t;
        TAppSettings s;
        s.CurrentFile = settings.CurrentFile;
        fake::FakeHookLibrary h;
        MacroStore store(t, s, h, prompt, clock, "");
        store.LoadMacroFile(s.CurrentFile);
        for (const TMacroRecord& r : records) {
            t.setMacroCount(t.MacroCount() + 1);
            TMacroRecord copy = r;
            EXPECT_TRUE(store.WriteMacroRecord(-1, copy));
        }
    }

    static TMacroRecord macro(const std::string& nick, int code, const std::string& text, int scope = kScopeGlobal,
                              const std::string& shortKey = "", const std::string& title = "") {
        TMacroRecord r;
        r.NickName = nick;
        r.HotKeyCode = static_cast<std::int16_t>(code);
        r.Scope = static_cast<std::int16_t>(scope);
        r.Active = 1;
        r.MacroText = text;
        r.ShortKeyText = shortKey;
        r.WindowTitle = title;
        r.IconName = "MAIN";
        return r;
    }

    std::string keys() const { return keyboard.transcript().text(); }

    test::TempDir dir;
    ProgramPaths paths;
    TActivationTable table;
    TAppSettings settings;
    fake::Transcript trace;
    fake::FakeClock clock;
    fake::FakeKeyboardInput keyboard;
    fake::FakeMouseInput mouse;
    fake::FakeMessagePump pump{trace, &clock};
    fake::FakePlaybackWindows playbackWindows;
    fake::FakeWindowSystem windows;
    fake::FakeProcessList processes;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeThreadSleep sleeper{trace, &clock};
    RecordingUi ui;
    std::unique_ptr<Resident> resident;
};

// The window refills its File menu when the index changes: by then the file just left must head
// the recent files, or the menu names one list while its entries open another.
TEST_F(ResidentTest, TheRecentFilesAreCurrentWhenTheWindowRefills) {
    resident->start(999, CommandLine{});
    ui.settings = &settings;
    const std::string first = settings.CurrentFile;
    const std::string second = dir.file("second.ORV");
    resident->openMacroFile(second);
    EXPECT_EQ(ui.recentAtRefill[0], first);
    settings.CurrentFile = first;
    resident->macroFileSwapped(second, first);  // after "<SWAP:" loaded the file
    EXPECT_EQ(ui.recentAtRefill[0], second);
    EXPECT_EQ(ui.recentAtRefill[1], "");  // the file swapped to left the list
}

TEST_F(ResidentTest, StartUpLoadsTheFileAndHandsTheTableToTheLibrary) {
    writeMacros({macro("Hello", 144, "hi")});
    resident->start(999, CommandLine{});
    EXPECT_EQ(table.MacroCount(), 5);
    const TActivationTable& lib = hook.libraryTable();
    EXPECT_EQ(lib.MainWindow(), 999);
    EXPECT_EQ(lib.MacroCount(), 5);
    EXPECT_TRUE(lib.HotKeyInUse(144));
    EXPECT_TRUE(lib.HotKeyInUse(262));
    EXPECT_EQ(hook.installedHooks().size(), 3u);
    EXPECT_TRUE(lib.IsNT());
    resident->shutdown();
    EXPECT_TRUE(hook.installedHooks().empty());
    EXPECT_TRUE(std::filesystem::exists(paths.iniFile()));
}

TEST_F(ResidentTest, AHotkeyMessagePlaysItsMacroIntoTheFocusedWindow) {
    writeMacros({macro("Hello", 144, "hi")});
    resident->start(999, CommandLine{});
    keyboard.transcript().clear();
    resident->handleHookMessage({HookMsg::HotKey, 144, 10, 999});
    EXPECT_EQ(keys(), "key down 72\nkey up 72\nkey down 73\nkey up 73\nkey down 43\nkey up 43\n");
    EXPECT_EQ(ui.calls, "running;idle;clear-timer;");
    EXPECT_TRUE(table.MacroInUse());
    resident->handleHookMessage({HookMsg::Marker, 0, 0, 999});
    EXPECT_FALSE(hook.libraryTable().MacroInUse());
}

TEST_F(ResidentTest, APickerMessageGoesToTheUiForThePickerWindowAndRunsNothing) {
    writeMacros({macro("Hello", 144, "hi")});
    resident->start(999, CommandLine{});
    keyboard.transcript().clear();
    resident->handleHookMessage({HookMsg::PickerHotKey, 144, 0, 555});
    EXPECT_EQ(ui.calls, "picker 555 144;");
    EXPECT_EQ(keys(), "");
    EXPECT_FALSE(table.MacroInUse());
}

TEST_F(ResidentTest, ATypedShortKeyIsErasedAndReplaced) {
    writeMacros({macro("Sig", kCodeShortKey, "ok", kScopeGlobal, "sg")});
    settings.UseSuffix = true;  // the abbreviation ends with a non-word character
    resident->start(999, CommandLine{});
    keyboard.transcript().clear();
    for (char c : std::string("sg ")) resident->handleHookMessage({HookMsg::ShortKeyChar, 0, c, 999});
    // Three backspaces (the abbreviation and the space), then the text and the marker key.
    EXPECT_EQ(keys(),
              "key down 8\nkey up 8\nkey down 8\nkey up 8\nkey down 8\nkey up 8\n"
              "key down 79\nkey up 79\nkey down 75\nkey up 75\nkey down 43\nkey up 43\n");
}

TEST_F(ResidentTest, AHandedOverCommandLineRunsTheNamedMacro) {
    writeMacros({macro("My Macro", kCodeNone, "x")});
    resident->start(999, CommandLine{});
    keyboard.transcript().clear();
    for (std::int64_t c : encodeHandOver("orvanta /A my macro")) resident->handOverCharacter(c);
    EXPECT_EQ(keys(), "key down 88\nkey up 88\nkey down 43\nkey up 43\n");
    for (std::int64_t c : encodeHandOver("orvanta")) resident->handOverCharacter(c);
    EXPECT_EQ(ui.calls.substr(ui.calls.size() - 12), "main-window;");
}

TEST_F(ResidentTest, ActivateMeAndCaptureAnswerTheirWay) {
    resident->start(999, CommandLine{});
    resident->handleHookMessage({HookMsg::HotKey, 262, 10, 999});
    EXPECT_EQ(ui.calls, "main-window;");
    // "Start / Stop Capture": a placeholder macro records until the stop key.
    resident->handleHookMessage({HookMsg::HotKey, 263, 10, 999});
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, "Start Capture");
    EXPECT_TRUE(hook.libraryTable().CaptureOn());
    EXPECT_EQ(settings.nickName(table.MacroCount()), "Capture");
}

TEST_F(ResidentTest, ADamagedFileStaysReadOnlyAndItsSystemMacrosStillWork) {
    writeMacros({macro("Hello", 144, "hi")});
    {
        std::ofstream damage(settings.CurrentFile, std::ios::binary | std::ios::app);
        damage << "half a record";
    }
    const std::string before = test::readFile(settings.CurrentFile);
    resident->start(999, CommandLine{});
    EXPECT_NE(resident->macroFileReadOnlyReason().find("13 bytes are left over"), std::string::npos);
    EXPECT_EQ(table.MacroCount(), 5);
    resident->handleHookMessage({HookMsg::HotKey, 262, 10, 999});
    EXPECT_EQ(ui.calls, "main-window;");
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);

    // Opening a sound file leaves the read-only state behind.
    resident->openMacroFile(dir.file("other.ORV"));
    EXPECT_TRUE(resident->macroFileReadOnlyReason().empty());
}

TEST_F(ResidentTest, APipeOrDeviceIsNeverOpenedAsTheMacroFile) {
    const std::string fifo = dir.file("pipe.ORV");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    writeMacros({macro("Swap", 144, "<SWAP:" + fifo + ">"), macro("Null", 145, "<SWAP:/dev/null>")});
    const std::string current = settings.CurrentFile;
    CommandLine commandLine;
    commandLine.file = fifo;
    resident->start(999, commandLine);
    EXPECT_EQ(settings.CurrentFile, current);
    EXPECT_EQ(table.MacroCount(), 6);

    resident->handleHookMessage({HookMsg::HotKey, 144, 10, 999});
    resident->handleHookMessage({HookMsg::HotKey, 145, 10, 999});
    EXPECT_EQ(settings.CurrentFile, current);
    EXPECT_EQ(table.MacroCount(), 6);
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].text,
              "The macro file \"" + fifo + "\" cannot be opened: it is a named pipe (FIFO), not a file.");
    EXPECT_EQ(prompt.shown()[1].text, "The macro file \"/dev/null\" cannot be opened: it is a device, not a file.");
}

TEST_F(ResidentTest, TheTopWindowMenuOffersTheMacrosThatFitTheForegroundWindow) {
    writeMacros({macro("Editor one", kCodeNone, "a", kScopeWindow, "", "editor"),
                 macro("Terminal one", kCodeNone, "b", kScopeWindow, "", "terminal"),
                 macro("Editor program", kCodeNone, "c", kScopeProgram, "", "EDIT")});
    resident->start(999, CommandLine{});
    const TMacroRecord menu = resident->topWindowMenu();
    EXPECT_EQ(menu.MenuItems, (std::vector<std::int16_t>{5, 7}));
    EXPECT_EQ(menu.ShortKeyText, " 12");
    keyboard.transcript().clear();
    ui.chosen = 7;
    resident->handleHookMessage({HookMsg::HotKey, 265, 10, 999});
    EXPECT_EQ(keys(), "key down 67\nkey up 67\nkey down 43\nkey up 43\n");

    windows.setForeground(0);
    resident->handleHookMessage({HookMsg::HotKey, 265, 0, 999});
    ASSERT_FALSE(prompt.shown().empty());
    EXPECT_EQ(prompt.shown().back().title, "Warning");
}

TEST_F(ResidentTest, AMenuFromTheTrayGivesTheFocusBackToTheWindowInFrontBeforeTheClick) {
    TMacroRecord menu = macro("Tray menu", kCodeNone, "", kScopePopupMenu, "Y30");
    menu.MenuItems = {5};
    writeMacros({macro("Hello", kCodeNone, "hi"), menu});
    resident->start(999, CommandLine{});
    windows.setForeground(20);
    ui.onMenu = [this] { windows.setForeground(0); };  // the menu's window has the focus
    for (const int chosen : {-1, 5}) {
        SCOPED_TRACE(chosen);
        ui.calls.clear();
        ui.chosen = chosen;
        resident->openTrayMenu(6);
        EXPECT_EQ(ui.calls.rfind("popup Tray menu 1;", 0), 0u) << ui.calls;
        EXPECT_EQ(windows.foreground(), 20);
        EXPECT_EQ(ui.calls.find("running;") != std::string::npos, chosen == 5) << ui.calls;
    }
}

TEST_F(ResidentTest, PlaceOnDesktopWritesAnEntryThatRunsTheMacroByName) {
    writeMacros({macro("My Macro", kCodeNone, "x"), macro("Twin", kCodeNone, "y"), macro("twin", kCodeNone, "z"),
                 macro("  ", kCodeNone, "w")});
    resident->start(999, CommandLine{});
    const std::string desktop = dir.file("Desktop");
    const auto added = resident->placeOnDesktop(5, desktop, "/opt/orvanta/orvanta");
    EXPECT_TRUE(added.accepted);
    EXPECT_EQ(added.output, "DeskTop Icon Added.");
    const std::string entry = test::readFile(desktop + "/My Macro.desktop");
    EXPECT_NE(entry.find("/A"), std::string::npos) << entry;
    EXPECT_NE(entry.find("My Macro"), std::string::npos) << entry;
    EXPECT_EQ(resident->placeOnDesktop(6, desktop, "/x").failure.title,
              "Error");  // a nickname shared with another macro
    EXPECT_EQ(resident->placeOnDesktop(8, desktop, "/x").failure.title, "Error");  // a blank nickname
}

}  // namespace
}  // namespace orv

namespace orv {
namespace {

class NotingRemapper final : public remap::IKeyRemapper {
public:
    bool remapKeys(const std::vector<remap::Remapping>& remappings) override {
        calls += "remap " + std::to_string(remappings.size()) + ";";
        return true;
    }
    void restoreKeys() override { calls += "restore;"; }
    std::string calls;
};

// Each file load reads the file's own remap tables; the keys follow them until shutdown.
TEST_F(ResidentTest, EveryFileLoadReadsItsRemapTables) {
    NotingRemapper remapper;
    ResidentPlatform platform{keyboard, mouse, pump, playbackWindows, windows, processes, hook, prompt, clock, sleeper};
    platform.keyRemapper = &remapper;
    Resident withRemap(table, settings, paths, platform, ui, "ORVANTA");
    remap::RemapTables tables;
    ASSERT_TRUE(tables.set(0, 'B'));
    ASSERT_TRUE(remap::SaveSwapKeys(dir.file("macros.ORS"), tables));
    test::writeFile(dir.file("damaged.ORS"), "AB");

    withRemap.start(999, CommandLine{});
    EXPECT_EQ(remapper.calls, "remap 1;");
    withRemap.openMacroFile(dir.file("other.orv"));
    EXPECT_EQ(test::readFile(dir.file("other.ORS")).size(), remap::kTableSize);
    settings.CurrentFile = dir.file("damaged.ORV");
    withRemap.macroFileSwapped(dir.file("other.orv"), settings.CurrentFile);  // after "<SWAP:"
    ASSERT_FALSE(prompt.shown().empty());
    EXPECT_EQ(prompt.shown().back().title, "Keyboard Remapper");
    EXPECT_NE(prompt.shown().back().text.find("shorter than 93 bytes"), std::string::npos);
    settings.CurrentFile = dir.file("macros.ORV");
    withRemap.reloadSharedFile();
    withRemap.shutdown();
    EXPECT_EQ(remapper.calls, "remap 1;restore;remap 1;restore;");
}

// "&Remap" hands the current tables to the remapper; its changes are saved and applied at once.
TEST_F(ResidentTest, TheRemappersChangesAreSavedAndAppliedAtOnce) {
    NotingRemapper remapper;
    ResidentPlatform platform{keyboard, mouse, pump, playbackWindows, windows, processes, hook, prompt, clock, sleeper};
    platform.keyRemapper = &remapper;
    Resident withRemap(table, settings, paths, platform, ui, "ORVANTA");
    withRemap.start(999, CommandLine{});

    std::optional<remap::RemapperModel> model = withRemap.beginRemap();
    ASSERT_TRUE(model && model->editable());
    withRemap.endRemap(*model);  // closed without a change
    EXPECT_EQ(remapper.calls, "");
    model = withRemap.beginRemap();
    ASSERT_TRUE(model->choose(*remap::RemapTables::indexOf('a'), 'b'));
    withRemap.endRemap(*model);
    EXPECT_EQ(remapper.calls, "remap 1;");
    EXPECT_EQ(test::readFile(dir.file("macros.ORS"))[26], 'b');

    // Restoring the keyboard hooks asks first; on Yes the hook and the remap are installed again.
    const HookHandle before = table.i32(TActivationTable::oKeyboardHook);
    prompt.queueAnswer(PromptAnswer::No);
    withRemap.restoreKeyboardHooks();
    EXPECT_EQ(table.i32(TActivationTable::oKeyboardHook), before);
    withRemap.restoreKeyboardHooks();
    EXPECT_EQ(prompt.shown().back().title, "Keyboard Hooks");
    EXPECT_NE(table.i32(TActivationTable::oKeyboardHook), before);
    EXPECT_EQ(remapper.calls, "remap 1;remap 1;");
    const HookHandle mouseBefore = table.i32(TActivationTable::oMouseHook);
    withRemap.restoreMouseHooks();
    EXPECT_EQ(prompt.shown().back().title, "Mouse Hooks");
    EXPECT_NE(table.i32(TActivationTable::oMouseHook), mouseBefore);
    EXPECT_EQ(hook.installedHooks().size(), 3u) << "each hook once";
    withRemap.shutdown();
    EXPECT_EQ(remapper.calls, "remap 1;remap 1;restore;");
}

TEST_F(ResidentTest, TheRemapperOnlyShowsTheTablesInBrowseMode) {
    CommandLine browse;
    browse.browse = true;
    resident->start(999, browse);
    const std::optional<remap::RemapperModel> model = resident->beginRemap();
    ASSERT_TRUE(model);
    EXPECT_FALSE(model->editable());
    resident->endRemap(*model);
}

// What the hook library sends while the user types `text`, then the stop key's end notice.
void recordAndStop(Resident& resident, int j, const std::string& text) {
    for (const char c : text) resident.handleHookMessage({HookMsg::CaptureText, j, c, 999});
    resident.handleHookMessage({HookMsg::CaptureEnd, j, 0, 999});
}

// The hotkey "Start / Stop Capture" records into a new placeholder macro; at the stop key the
// user names it in "Capture Complete", and its hotkey plays what was captured.
TEST_F(ResidentTest, AQuickCaptureBecomesAMacroNamedInCaptureComplete) {
    settings.CaptureSpeed = 3;
    resident->start(999, CommandLine{});
    const int j = table.MacroCount() + 1;
    resident->handleHookMessage({HookMsg::HotKey, 263, 10, 999});
    EXPECT_EQ(prompt.shown().at(0).text,
              "Orvanta 99 macro capture will now start.\n\nUse Ctrl+Alt+Shift+X to stop the capture.");
    const TActivationTable& lib = hook.libraryTable();
    EXPECT_TRUE(lib.CaptureOn());
    EXPECT_EQ(lib.i16(TActivationTable::oCaptureMacro), j);
    EXPECT_EQ(lib.u8(TActivationTable::oOwnKeyValid), 0);
    EXPECT_EQ(settings.nickName(j), "Capture");
    EXPECT_EQ(test::readFile(paths.programDir + "/TempCap.Txt"), "<SPEED:00.50>");

    ui.completion = [&](TMacroRecord& r) {
        // A second start while "Capture Complete" is open is refused.
        resident->handleHookMessage({HookMsg::HotKey, 263, 10, 999});
        EXPECT_EQ(prompt.shown().back().text, "A capture is currently in progress.  Capture not allowed.");
        r.HotKeyCode = 144;
        r.NickName = "Typed";
    };
    ui.calls.clear();
    for (const char c : std::string("ab")) resident->handleHookMessage({HookMsg::CaptureText, j, c, 999});
    resident->handleHookMessage({HookMsg::CaptureEnd, j, 0, 999});
    resident->handleHookMessage({HookMsg::CaptureEnd, j, 0, 999});  // a second end changes nothing
    EXPECT_EQ(ui.calls, "recorded;complete editor;saved " + std::to_string(j) + ";");
    EXPECT_FALSE(lib.CaptureOn());
    EXPECT_FALSE(resident->captureRunning());
    EXPECT_FALSE(std::filesystem::exists(paths.programDir + "/TempCap.Txt"));
    TMacroRecord saved;
    ASSERT_TRUE(resident->readMacroRecord(j, saved));
    EXPECT_EQ(saved.MacroText, "<SPEED:00.50>ab");
    EXPECT_EQ(saved.NickName, "Typed");

    keyboard.transcript().clear();
    resident->handleHookMessage({HookMsg::HotKey, 144, 10, 999});
    EXPECT_EQ(keys(), "key down 65\nkey up 65\nkey down 66\nkey up 66\nkey down 43\nkey up 43\n");
}

TEST_F(ResidentTest, AQuickCaptureIsRefusedInBrowseMode) {
    CommandLine browse;
    browse.browse = true;
    resident->start(999, browse);
    const int count = table.MacroCount();
    resident->handleHookMessage({HookMsg::HotKey, 263, 10, 999});
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Capture not allowed in Browse Mode.");
    EXPECT_EQ(table.MacroCount(), count);
    EXPECT_FALSE(hook.libraryTable().CaptureOn());
}

// Recapture: the dialog shows the macro's keys and the windows to capture in; the macro's own
// hotkey ends the capture too, "&Program" takes the program in front at the end.
TEST_F(ResidentTest, ARecaptureReplacesTheMacrosTextAndTakesTheDialogsChoices) {
    writeMacros({macro("Hello", 144, "old")});
    processes.addProcess({200, "terminal"});
    resident->start(999, CommandLine{});
    const int j = 5;
    capture::CaptureTarget target;
    target.macro = j;
    const std::optional<capture::CaptureMacroRequest> request = resident->beginCapture(target);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->stopKeyName, "Ctrl+Alt+Shift+X");
    EXPECT_EQ(request->ownKeyName, "Ctrl+Alt+A");
    EXPECT_EQ(request->activation, "Ctrl+Alt+A");
    EXPECT_EQ(request->nickname, "Hello");
    EXPECT_FALSE(request->refuseGlobal);  // its own Global scope does not count
    EXPECT_EQ(request->windowTitles, (std::vector<std::string>{"Notes - Editor", "Terminal"}));

    capture::CaptureMacroChoice choice;
    choice.choices.options.timing = false;
    choice.choices.global = false;
    choice.nickname = "Renamed";
    choice.window = "Terminal";
    ASSERT_TRUE(resident->startCapture(choice).accepted);
    EXPECT_EQ(windows.foregroundWindow(), 20u);
    EXPECT_EQ(hook.libraryTable().u8(TActivationTable::oOwnKeyValid), 1);
    recordAndStop(*resident, j, "new");
    EXPECT_EQ(prompt.shown().back().title, "Capture");
    EXPECT_EQ(prompt.shown().back().text, "Orvanta 99 capture is complete for Ctrl+Alt+A.");
    TMacroRecord saved;
    ASSERT_TRUE(resident->readMacroRecord(j, saved));
    EXPECT_EQ(saved.MacroText, "new");
    EXPECT_EQ(saved.NickName, "Renamed");
    EXPECT_EQ(saved.Scope, kScopeProgram);
    EXPECT_EQ(saved.WindowTitle, "terminal");
    EXPECT_EQ(table.MacroCount(), 5);
}

// Add Macro's capture: the new macro is appended when the capture ends; a dialog closed without
// starting adds nothing and leaves no capture behind.
TEST_F(ResidentTest, ACaptureOfANewMacroAppendsItAtTheEnd) {
    resident->start(999, CommandLine{});
    capture::CaptureTarget target;
    target.record.HotKeyCode = kCodeShortKey;
    target.record.ShortKeyText = "sig";
    target.lockHeld = true;
    ASSERT_TRUE(resident->beginCapture(target));
    resident->cancelCapture();
    EXPECT_FALSE(resident->captureRunning());

    const std::optional<capture::CaptureMacroRequest> request = resident->beginCapture(target);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->activation, "ShortKey: sig");
    EXPECT_EQ(request->ownKeyName, "");  // a ShortKey cannot end the capture
    capture::CaptureMacroChoice choice;
    choice.choices.options.timing = false;
    choice.nickname = "Signature";
    ASSERT_TRUE(resident->startCapture(choice).accepted);
    EXPECT_EQ(table.MacroCount(), 4);  // not yet in the file
    EXPECT_EQ(hook.libraryTable().u8(TActivationTable::oOwnKeyValid), 0);
    recordAndStop(*resident, 5, "Yours");
    EXPECT_EQ(prompt.shown().back().text, "Orvanta 99 capture is complete for ShortKey: sig.");
    ASSERT_EQ(table.MacroCount(), 5);
    TMacroRecord saved;
    ASSERT_TRUE(resident->readMacroRecord(5, saved));
    EXPECT_EQ(saved.MacroText, "Yours");
    EXPECT_EQ(saved.ShortKeyText, "sig");
    EXPECT_EQ(saved.NickName, "Signature");
    EXPECT_EQ(saved.Active, 1);
}

// The sweepstakes wizard's recording: keystrokes only, its text handed to the caller (a long one
// as its overflow file), no macro written; cancelled, it leaves nothing behind.
TEST_F(ResidentTest, AKeyboardRecordingHandsItsTextToTheCaller) {
    resident->start(999, CommandLine{});
    const int count = table.MacroCount();
    std::vector<capture::RecordedText> got;
    const auto keep = [&](capture::RecordedText text) { got.push_back(std::move(text)); };
    ASSERT_TRUE(resident->recordKeys(10, keep).accepted);
    const TActivationTable& lib = hook.libraryTable();
    EXPECT_TRUE(lib.CaptureOn());
    EXPECT_EQ(lib.u8(TActivationTable::oCaptureMouse), 0);
    EXPECT_EQ(lib.u8(TActivationTable::oCaptureTiming), 0);
    EXPECT_FALSE(resident->recordKeys(10, keep).accepted);  // one recording at a time
    EXPECT_FALSE(resident->beginCapture(capture::CaptureTarget{}));
    recordAndStop(*resident, 0, "12345678901");
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(std::get<std::string>(got[0]), "<TFILE:" + paths.programDir + "/OR0.TXT>");
    EXPECT_EQ(test::readFile(paths.programDir + "/OR0.TXT"), "12345678901");
    EXPECT_FALSE(lib.CaptureOn());
    EXPECT_EQ(table.MacroCount(), count);

    ASSERT_TRUE(resident->recordKeys(10, keep).accepted);
    resident->handleHookMessage({HookMsg::CaptureText, 0, 'a', 999});
    resident->endCapture();  // the recording tray icon's right click
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(std::get<std::string>(got[1]), "a");

    ASSERT_TRUE(resident->recordKeys(10, keep).accepted);
    resident->cancelCapture();
    EXPECT_FALSE(resident->captureRunning());
    EXPECT_FALSE(lib.CaptureOn());
    EXPECT_FALSE(std::filesystem::exists(paths.programDir + "/TempCap.Txt"));
    resident->handleHookMessage({HookMsg::CaptureEnd, 0, 0, 999});
    EXPECT_EQ(got.size(), 2u);
}

// The disk fills up while the user types: the capture ends at once with a message, and the
// placeholder stays for the next start to offer.
TEST_F(ResidentTest, AFullDiskEndsTheCaptureWithAMessage) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    resident->start(999, CommandLine{});
    std::filesystem::create_directories(paths.programDir);
    std::filesystem::create_symlink("/dev/full", paths.programDir + "/TempCap.Txt");
    settings.CaptureTime = false;
    settings.CapturePrompt = false;
    resident->handleHookMessage({HookMsg::HotKey, 263, 10, 999});
    const int j = table.MacroCount();
    ASSERT_TRUE(hook.libraryTable().CaptureOn());
    resident->handleHookMessage({HookMsg::CaptureText, j, 'a', 999});
    EXPECT_FALSE(hook.libraryTable().CaptureOn());
    ASSERT_FALSE(prompt.shown().empty());
    EXPECT_NE(prompt.shown()[0].text.find("The disk is full."), std::string::npos) << prompt.shown()[0].text;
    EXPECT_NE(prompt.shown()[0].text.find("The capture has ended."), std::string::npos);
    resident->handleHookMessage({HookMsg::CaptureEnd, j, 0, 999});  // the library's own end is ignored
    EXPECT_FALSE(resident->captureRunning());
    EXPECT_EQ(settings.nickName(j), "Capture");
}

// A capture file left by a program that stopped during a capture: at the next start the user
// keeps it as the placeholder's text, or drops both.
TEST_F(ResidentTest, ALeftoverCaptureIsOfferedAtTheNextStart) {
    struct Case {
        PromptAnswer answer;
        int count;  // macros afterwards
    };
    for (const Case c : {Case{PromptAnswer::Yes, 5}, Case{PromptAnswer::No, 4}}) {
        SCOPED_TRACE(c.answer == PromptAnswer::Yes ? "kept" : "dropped");
        std::filesystem::remove(settings.CurrentFile);
        writeMacros({capture::capturePlaceholder()});
        std::filesystem::create_directories(paths.programDir);
        test::writeFile(paths.programDir + "/TempCap.Txt", "<SPEED:00001>typed");
        fake::FakeUserPrompt answers;
        answers.queueAnswer(c.answer);
        Resident again(
            table, settings, paths,
            ResidentPlatform{keyboard, mouse, pump, playbackWindows, windows, processes, hook, answers, clock, sleeper},
            ui, "ORVANTA");
        again.start(999, CommandLine{});
        ASSERT_EQ(answers.shown().size(), 1u);
        EXPECT_NE(answers.shown()[0].text.find("macro 5 \"Capture\""), std::string::npos) << answers.shown()[0].text;
        EXPECT_EQ(table.MacroCount(), c.count);
        EXPECT_FALSE(std::filesystem::exists(paths.programDir + "/TempCap.Txt"));
        TMacroRecord kept;
        if (c.answer == PromptAnswer::Yes) {
            ASSERT_TRUE(again.readMacroRecord(5, kept));
            EXPECT_EQ(kept.MacroText, "<SPEED:00001>typed");
        }
        again.shutdown();
    }
}

// While an editor is open the keyboard hook is off, nested editors included, and it comes back
// when the last one closes.
TEST_F(ResidentTest, EditorsPauseTheKeyboardHookUntilTheLastOneCloses) {
    resident->start(999, CommandLine{});
    const auto keyboardHooked = [this] { return hook.libraryTable().i32(TActivationTable::oKeyboardHook) != 0; };
    ASSERT_TRUE(keyboardHooked());
    {
        KeyboardHookPause editor(resident.get());
        EXPECT_FALSE(keyboardHooked());
        EXPECT_EQ(hook.installedHooks().size(), 2u);
        {
            KeyboardHookPause nested(resident.get());
            EXPECT_FALSE(keyboardHooked());
        }
        EXPECT_FALSE(keyboardHooked());
    }
    EXPECT_TRUE(keyboardHooked());
    EXPECT_EQ(hook.installedHooks().size(), 3u);
}

TEST_F(ResidentTest, SelectListsTheWindowsAndPrograms) {
    windows.addWindow({30, "Terminal", 300});
    windows.addWindow({40, "", 300});
    processes.addProcess({300, "bash"});
    processes.addProcess({301, "Bash"});
    processes.addProcess({302, "bash"});
    EXPECT_EQ(resident->windowTitleList(), (std::vector<std::string>{"Notes - Editor", "Terminal"}));
    EXPECT_EQ(resident->programNameList(), (std::vector<std::string>{"Bash", "bash", "editor"}));
}

}  // namespace
}  // namespace orv
