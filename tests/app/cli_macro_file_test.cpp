// Runs orvanta-cli as a user would and checks its output and exit status.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/activation_table.h"
#include "store/macro_record.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

test::CommandResult cli(const std::string& arguments) {
    // A command that hangs is ended, so that the test fails instead of waiting for ever.
    return test::runCommand("timeout 60 " + std::string(ORV_CLI_PATH) + " " + arguments);
}

std::string records(const std::vector<std::string>& nickNames) {
    std::string bytes;
    for (const std::string& nick : nickNames) {
        TMacroRecord r;
        r.NickName = nick;
        r.HotKeyCode = kCodeNone;
        r.Scope = kScopeGlobal;
        r.Active = 1;
        r.IconName = "MAIN";
        const RecordBytes b = encodeRecord(r);
        bytes.append(b.begin(), b.end());
    }
    return bytes;
}

const char* const kSystemLines =
    "1\tCtrl+Alt+Shift+W\tActivate Orvanta\tSYSTEM\tYes\n"
    "2\tCtrl+Alt+Shift+X\tStart / Stop Capture\tSYSTEM\tYes\n"
    "3\tCtrl+Alt+Shift+Y\tResume Pause\tSYSTEM\tYes\n"
    "4\tCtrl+Alt+Shift+Z\tMenu of Macros for Top Most Window\tSYSTEM\tYes\n";

TEST(CliMacroFile, NewListAndShowAFile) {
    test::TempDir dir;
    const std::string file = dir.file("mine.ORV");
    test::CommandResult r = cli("new '" + file + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(cli("new '" + file + "'").status, 1);  // never over an existing file
    EXPECT_EQ(cli("new '" + dir.file("mine.txt") + "'").status, 1);

    r = cli("list '" + file + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kSystemLines);

    r = cli("show '" + file + "' 4");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("NickName: Menu of Macros for Top Most Window\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("HotKeyCode: 265 (Ctrl+Alt+Shift+Z)\n"), std::string::npos);
    EXPECT_EQ(cli("show '" + file + "' 5").status, 1);
    EXPECT_EQ(cli("show '" + file + "' x").status, 1);
}

TEST(CliMacroFile, BadFilesGiveOneLineErrorsAndStayUnchanged) {
    test::TempDir dir;
    test::writeFile(dir.file("short.ORV"), std::string(5164, 'a'));
    ASSERT_EQ(::mkfifo(dir.file("pipe.ORV").c_str(), 0600), 0);
    const struct {
        std::string file;
        const char* expected;
        const char* listed;  // what the program would load from it
    } cases[] = {
        {dir.file("missing.ORV"), "does not exist.", ""},
        {dir.file("short.ORV"),
         "is damaged: it is shorter than one 5165-byte record (5164 bytes). None of its macros could be loaded",
         kSystemLines},
        {dir.path().string(), "could not be read: it is a folder.", ""},
        {dir.file("pipe.ORV"), "could not be read: it is a named pipe (FIFO), not a file.", ""},
        {"/dev/null", "could not be read: it is a device, not a file.", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const test::CommandResult r = cli("list '" + c.file + "'");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out.rfind(c.listed, 0), 0u) << r.out;
        const std::string error = r.out.substr(std::string(c.listed).size());
        EXPECT_NE(error.find(c.expected), std::string::npos) << r.out;
        EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << r.out;
    }
    const test::CommandResult shown = cli("show '" + dir.file("pipe.ORV") + "' 1");
    EXPECT_EQ(shown.status, 1);
    EXPECT_NE(shown.out.find("named pipe"), std::string::npos) << shown.out;
    EXPECT_EQ(test::readFile(dir.file("short.ORV")), std::string(5164, 'a'));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.ORV")));
}

TEST(CliMacroFile, ListShowsWhatTheProgramWouldLoadWithoutWriting) {
    test::TempDir dir;
    test::writeFile(dir.file("empty.ORV"), "");
    test::CommandResult r = cli("list '" + dir.file("empty.ORV") + "'");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, kSystemLines);
    EXPECT_EQ(std::filesystem::file_size(dir.file("empty.ORV")), 0u);
    r = cli("show '" + dir.file("empty.ORV") + "' 1");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("NickName: Activate Orvanta\n"), std::string::npos) << r.out;

    // Control characters of a nickname cannot break the layout or reach the terminal.
    test::writeFile(dir.file("odd.ORV"), records({"\x1b]0;owned\x07 tab\there\nnext\x7f\x81"}));
    r = cli("list '" + dir.file("odd.ORV") + "'");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.rfind("1\tNone\t\\x1B]0;owned\\x07 tab\\x09here\\x0Anext\\x7F\\x81\tGLOBAL\tYes\n", 0), 0u)
        << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 5);
    r = cli("show '" + dir.file("odd.ORV") + "' 1");
    EXPECT_NE(r.out.find("NickName: \\x1B]0;owned"), std::string::npos) << r.out;
}

TEST(CliMacroFile, ShowSaysWhatTheFileReallyHolds) {
    test::TempDir dir;
    test::writeFile(dir.file("big.ORV"), records(std::vector<std::string>(600, "M")));
    test::writeFile(dir.file("two.ORV"), records({"A", "B"}));
    const struct {
        std::string arguments;
        const char* expected;
    } cases[] = {
        {"'" + dir.file("big.ORV") + "' 550",
         "macro number 550 is beyond the 500 the program loads (the file holds "
         "600 macros)"},
        {"'" + dir.file("big.ORV") + "' 601", "no macro number 601 (the file holds 600 macros)"},
        {"'" + dir.file("two.ORV") + "' 7",
         "no macro number 7 (the file holds 2 macros, to which the program adds 4 system macros)"},
    };
    for (const auto& c : cases) {
        const test::CommandResult r = cli("show " + c.arguments);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.out.find(c.expected), std::string::npos) << r.out;
    }
    EXPECT_EQ(cli("show '" + dir.file("big.ORV") + "' 500").status, 0);
}

TEST(CliMacroFile, HotkeysAndUsage) {
    const test::CommandResult r = cli("hotkeys");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 721);
    EXPECT_EQ(r.out.rfind("0\tCtrl+A\n", 0), 0u);
    EXPECT_NE(r.out.find("\n720\tWin+Space\n"), std::string::npos);
    EXPECT_EQ(cli("--help").status, 0);
    EXPECT_EQ(cli("frobnicate").status, 1);
}

}  // namespace
}  // namespace orv
