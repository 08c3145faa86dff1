// The lists that dialogs build from the desktop, and editing round trips: the structured values
// of an accepted command, loaded into a fresh dialog, give the same command again.
#include <gtest/gtest.h>

#include "dialog_env.h"
#include "dialogs/network_dialogs.h"
#include "dialogs/system_dialogs.h"
#include "dialogs/timing_dialogs.h"
#include "dialogs/wait_dialog.h"
#include "dialogs/window_dialogs.h"
#include "engine/password_substitution.h"

namespace orv::dialogs {
namespace {

TEST(DesktopLists, DisplayModesAreWrittenInColumns) {
    EXPECT_EQ(displayModeText({640, 480, 8, 60}), " 640 x  480  256 Colors  60 hertz");
    EXPECT_EQ(displayModeText({1920, 1080, 32, 144}), "1920 x 1080  4294967296 Colors  144 hertz");
    test::DialogFixture fx;
    TDoScreen screen;
    screen.show(fx.env);
    EXPECT_EQ(screen.modeLines().size(), 2u);
    EXPECT_EQ(screen.check(fx.env).failure.message, "No display setting selected.");
}

TEST(DesktopLists, InstalledProgramsKeepExistingProgramsOnce) {
    test::DialogFixture fx;
    fx.files.addFile("/opt/Calc.EXE");
    const std::vector<ProgramShortcut> shortcuts = {
        {"Editor.lnk", "/usr/bin/editor.EXE"},  // kept
        {"EDITOR.LNK", "/usr/bin/EDITOR.exe"},  // the same entry in upper case: skipped
        {"Help.lnk", "/opt/WINHELP.EXE"},       // the help viewer
        {"Calc.lnk", "/opt/Calc.EXE"},          // kept
        {"Readme.lnk", "/opt/readme.txt"},      // not a program
        {"Gone.lnk", "/opt/gone.exe"},          // target missing
        {"Calc.url", "/opt/Calc.EXE"},          // not a shortcut
    };
    const auto list = installedPrograms(shortcuts, fx.files);
    EXPECT_EQ(list, (std::vector<std::string>{"Editor.lnkeditor.EXE", "Calc.lnkCalc.EXE"}));
    EXPECT_EQ(installedProgramOf(list[1]), "Calc.EXE");

    // The desktop's application entries name their program directly.
    fx.files.addFile("/usr/bin/gimp");
    const auto apps =
        installedPrograms({{"Image Editor.desktop", "/usr/bin/gimp"}, {"Gone.desktop", "/usr/bin/gone"}}, fx.files);
    EXPECT_EQ(apps, (std::vector<std::string>{"Image Editor.LNKgimp"}));
    EXPECT_EQ(installedProgramOf(apps[0]), "gimp");

    fx.desktop.shortcuts = shortcuts;
    TDoAllProgs all;
    all.show(fx.env);
    EXPECT_EQ(all.check(fx.env).failure.message, "No program selected.  Please select one.");
    all.set("entry", "0");
    ASSERT_TRUE(all.check(fx.env).accepted);
    EXPECT_EQ(all.values().program, "editor.EXE");
}

TEST(DesktopLists, NetworkDrivesAreTheFreeAndTheMappedLetters) {
    test::DialogFixture fx;
    fx.desktop.local = {'A', 'C', 'D', 'F'};
    fx.desktop.connected = {{"F:", "\\\\srv\\pub"}};
    fx.desktop.remembered = {{"H:", "\\\\srv\\home"}};
    const auto drives = networkDriveList(fx.desktop);
    ASSERT_EQ(drives.size(), 23u);
    EXPECT_EQ(drives[0], "B:");
    EXPECT_EQ(drives[1], "E:");
    EXPECT_EQ(drives[2], "F:");
    EXPECT_EQ(mappedDriveLines(fx.desktop, true), std::vector<std::string>{"H: mapped to \\\\srv\\home"});

    TDoNetConn conn;
    conn.show(fx.env);
    EXPECT_EQ(conn.get("drive"), "E:");  // a new command starts on the second drive
}

TEST(DesktopLists, NewerShellFunctionsNeedTheShell) {
    test::DialogFixture fx;
    fx.desktop.shellAutomation = false;
    auto check = [&](const char* command) {
        TDoRecycle d;
        d.set("command", command);
        return d.check(fx.env);
    };
    EXPECT_EQ(check("cascade").output, "<CASCDESK>");
    const Outcome o = check("minimizeall");
    ASSERT_FALSE(o.accepted);
    EXPECT_EQ(o.failure.title, "Warning");
}

TEST(EditRoundTrip, LoadedValuesGiveTheSameCommand) {
    test::DialogFixture fx;
    auto again = [&](auto& first, auto& second) {
        const Outcome a = first.check(fx.env);
        EXPECT_TRUE(a.accepted) << a.failure.message;
        second.load(first.values());
        EXPECT_EQ(second.check(fx.env).output, a.output);
    };
    {
        TDoWaitWin a, b;
        a.set("kind", "time");
        a.set("minutes", "3");
        a.set("seconds", "7");
        again(a, b);
        TDoWaitWin c, d;
        c.set("kind", "key");
        c.set("key", "F3");
        c.set("limit", "indefinite");
        again(c, d);
    }
    {
        TDoSizeIt a, b;
        a.set("kind", "position");
        a.set("left", "-40");
        a.set("top", "12");
        again(a, b);
    }
    {
        TDoDelay2 a, b;
        a.set("seconds", "2.25");
        again(a, b);
    }
    {
        TDoNetConn a, b;
        a.set("kind", "toggle");
        a.set("drive", "K:");
        a.set("path", "\\\\s\\x");
        a.set("usedefault", "0");
        a.set("name", "ann");
        a.set("password", "s3cret~");
        again(a, b);
        // The command holds the substituted password; substituting again gives it back.
        const std::string out = a.output();
        const std::size_t at = out.find("<PASS:") + 6;
        EXPECT_EQ(substitutePassword(out.substr(at, out.find('>', at) - at)), "s3cret~");
    }
}

}  // namespace
}  // namespace orv::dialogs
