// Runs orvanta-cli as a user would and checks its output and exit status.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

test::CommandResult cli(const std::string& arguments) {
    return test::runCommand(std::string(ORV_CLI_PATH) + " " + arguments);
}

TEST(CliMacroFile, NewListAndShowAFile) {
    test::TempDir dir;
    const std::string file = dir.file("mine.ORV");
    test::CommandResult r = cli("new '" + file + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(cli("new '" + file + "'").status, 1);  // never over an existing file
    EXPECT_EQ(cli("new '" + dir.file("mine.txt") + "'").status, 1);

    r = cli("list '" + file + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "1\tCtrl+Alt+Shift+W\tActivate Orvanta\tSYSTEM\tYes\n"
              "2\tCtrl+Alt+Shift+X\tStart / Stop Capture\tSYSTEM\tYes\n"
              "3\tCtrl+Alt+Shift+Y\tResume Pause\tSYSTEM\tYes\n"
              "4\tCtrl+Alt+Shift+Z\tMenu of Macros for Top Most Window\tSYSTEM\tYes\n");

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
    const struct {
        std::string file;
        const char* expected;
    } cases[] = {
        {dir.file("missing.ORV"), "does not exist."},
        {dir.file("short.ORV"), "is damaged: it is shorter than one 5165-byte record (5164 bytes). None of its macros"},
        {dir.path().string(), "could not be read: it is a folder."},
    };
    for (const auto& c : cases) {
        const test::CommandResult r = cli("list '" + c.file + "'");
        EXPECT_EQ(r.status, 1) << c.file;
        EXPECT_NE(r.out.find(c.expected), std::string::npos) << r.out;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
    }
    EXPECT_EQ(test::readFile(dir.file("short.ORV")), std::string(5164, 'a'));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.ORV")));
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
