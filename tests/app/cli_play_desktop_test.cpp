// orvanta-cli play --desktop: the dry run on a scripted desktop.
#include <gtest/gtest.h>

#include <string>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

test::CommandResult play(const std::string& arguments) {
    return test::runCommand(std::string(ORV_CLI_PATH) + " play " + arguments);
}

TEST(CliPlayDesktop, ScriptedWindowsAndEventsDriveTheCommands) {
    test::TempDir dir;
    const std::string desktop = dir.file("desk.txt");
    test::writeFile(desktop,
                    "window 3 \"Untitled - Editor\" pid=100\n"
                    "window 4 \"Calculator\" pid=200 minimized\n"
                    "foreground 3\n"
                    "launch \"missing-tool\" 2\n"
                    "at 250 click right\n");
    const test::CommandResult r =
        play("--desktop '" + desktop + "' --text '<ACTIVATE:calc><WAITRM:000><LAUNCH:missing-tool>x'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "window find \"calc\" -> 0\n"
              "window list -> 3 4\n"
              "window title 3 -> \"Untitled - Editor\"\n"
              "window title 4 -> \"Calculator\"\n"
              "window minimized 4 -> yes\n"
              "window restore 4\n"
              "window activate 4 -> ok\n"
              "OrvUpWaits\n"
              "wait 100 ms\nwait 100 ms\nwait 50 ms\n"
              "event 250 click right\n"
              "wait 50 ms\n"  // the rest of the look in which the click came
              "OrvUpWaits\n"
              "shell open \"open\" \"missing-tool\" \"\" \"\" -> 2\n"
              "hide main window\n"
              "message window \"Launch Error\" \"\\\"missing-tool\\\" failed to launch because the specified file "
              "was not found. Macro will abort.\"\n"
              "show main window\nset foreground 4\n");
}

TEST(CliPlayDesktop, BadScriptsAreRefusedWithTheirLine) {
    test::TempDir dir;
    const std::string desktop = dir.file("bad.txt");
    test::writeFile(desktop, "screen 800 600\nwindow 1 \"x\" rect=1,2\n");
    const test::CommandResult r = play("--desktop '" + desktop + "' --text x");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "orvanta-cli: " + desktop + ": line 2: rect wants L,T,R,B\n");
    EXPECT_EQ(play("--desktop '" + dir.file("absent.txt") + "' --text x").status, 1);
}

// After a message or text-box window the focus goes back to the window that had it: the
// scripted foreground window, also when it changed while the macro played.
TEST(CliPlayDesktop, PlaybackWindowsGiveTheFocusBackToTheWindowThatHadIt) {
    test::TempDir dir;
    const std::string desktop = dir.file("desk.txt");
    test::writeFile(desktop,
                    "window 3 \"Editor\" pid=100\nwindow 4 \"Mail\" pid=200\nforeground 3\nat 100 foreground 4\n");
    struct Case {
        std::string options, text, focus;
    };
    for (const Case& c : {Case{"", "<TBOX:<HEAD:T>body>", "3"}, Case{"", "<MSD:0100><TBOX:<HEAD:T>body>", "4"},
                          Case{"--abort-at 3", "<DELAY:00.10>xy", "4"}}) {
        const test::CommandResult r = play(c.options + " --desktop '" + desktop + "' --text '" + c.text + "'");
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_NE(r.out.find("show main window\nset foreground " + c.focus + "\n"), std::string::npos) << c.text << "\n"
                                                                                                       << r.out;
    }
}

// Shutting down, restarting and powering off ask for the right to do so first, as the program
// does; logging off does not.
TEST(CliPlayDesktop, WithoutTheShutdownPrivilegeOnlyLoggingOffHappens) {
    test::TempDir dir;
    const std::string denied = dir.file("denied.txt");
    test::writeFile(denied, "shutdown-privilege no\n");
    const std::string granted = dir.file("granted.txt");
    test::writeFile(granted, "shutdown-privilege yes\n");
    struct Case {
        std::string desktop, text, out;
    };
    for (const Case& c : {
             Case{denied, "<SHUTDOWN>", "session privilege on -> failed\n"},
             Case{denied, "<LOGOFF>", "session exit 0 -> ok\n"},
             Case{granted, "<REBOOT>",
                  "session privilege on -> ok\nsession exit 2 -> ok\nsession privilege off -> ok\n"},
         }) {
        const test::CommandResult r = play("--desktop '" + c.desktop + "' --text '" + c.text + "'");
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out) << c.text;
    }
}

}  // namespace
}  // namespace orv
