#include "activation/autostart.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "activation/desktop_entry.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class AutostartTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "orvanta-autostart-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        entry_ = dir_ + "/config/autostart/" + kAutostartFileName;
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void write(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    std::string dir_;
    std::string entry_;
};

// What the user types is what the program is started with: the entry is launched by a real
// desktop-entry launcher (gio) and the program it runs prints its arguments.
TEST_F(AutostartTest, LauncherStartsTheProgramWithTheTypedSwitches) {
    const std::string program = dir_ + "/bin dir/print args";
    write(program, "#!/bin/sh\nfor a; do printf '%s\\n' \"$a\"; done\n");
    fs::permissions(program, fs::perms::owner_all);
    const struct {
        const char* typed;
        std::vector<std::string> args;
    } cases[] = {
        {"/HIDE", {"/HIDE"}},
        {R"(/F "/home/me/My Macros/work.ORV" /A Morning Report)",
         {"/F", "/home/me/My Macros/work.ORV", "/A", "Morning", "Report"}},
        {R"(/A "50% off $HOME `id`" /F a\"b\\c)", {"/A", "50% off $HOME `id`", "/F", "a\"b\\c"}},
        {"  /S \t /F \"\" /A Caf\xC3\xA9", {"/S", "/F", "", "/A", "Caf\xC3\xA9"}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(updateAutostart(entry_, {}, {true, c.typed}, program), "") << c.typed;
        // Read back as the Settings dialog shows it, the switches keep their meaning.
        const AutostartSetting shown = readAutostartFile(entry_);
        EXPECT_TRUE(shown.enabled);
        EXPECT_EQ(splitSwitches(shown.switches), c.args) << shown.switches;

        const std::string command = "env -u DISPLAY gio launch '" + entry_ + "' 2>&1";
        std::unique_ptr<FILE, int (*)(FILE*)> launcher(::popen(command.c_str(), "r"), ::pclose);
        ASSERT_NE(launcher, nullptr);
        std::string printed;
        char buffer[256];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, launcher.get())) printed.append(buffer, n);
        std::string expected;
        for (const std::string& arg : c.args) expected += arg + "\n";
        EXPECT_EQ(printed, expected) << c.typed << "\n" << read(entry_);
    }
}

TEST_F(AutostartTest, EntryOnlyChangesWhenTheSettingDoes) {
    // Hand-edited by the user: kept as it is while the setting stays.
    const std::string edited = "[Desktop Entry]\nType=Application\nName=Mine\nExec=orvanta /S\nX-Extra=1\n";
    write(entry_, edited);
    const AutostartSetting current = readAutostartFile(entry_);
    EXPECT_EQ(current, (AutostartSetting{true, "/S"}));
    EXPECT_EQ(updateAutostart(entry_, current, current, "/usr/bin/orvanta"), "");
    EXPECT_EQ(read(entry_), edited);

    EXPECT_EQ(updateAutostart(entry_, current, {true, "/S /HIDE"}, "/usr/bin/orvanta"), "");
    EXPECT_NE(read(entry_).find("Exec=\"/usr/bin/orvanta\" \"/S\" \"/HIDE\"\n"), std::string::npos) << read(entry_);

    EXPECT_EQ(updateAutostart(entry_, {true, "/S /HIDE"}, {}, "/usr/bin/orvanta"), "");
    EXPECT_FALSE(fs::exists(entry_));
    EXPECT_EQ(readAutostartFile(entry_), AutostartSetting{});
    EXPECT_EQ(updateAutostart(entry_, {true, ""}, {}, "/usr/bin/orvanta"), "") << "already gone";
}

TEST_F(AutostartTest, RefusedSwitchesAndUnwritableFolderAreSaid) {
    EXPECT_EQ(updateAutostart(entry_, {}, {true, "/F \"/home/me/x.ORV"}, "/usr/bin/orvanta"), kMsgSwitchesQuote);
    EXPECT_FALSE(fs::exists(entry_));

    // The autostart "folder" is a file: nothing can be written below it.
    write(dir_ + "/config/autostart", "not a folder");
    const std::string message = updateAutostart(entry_, {}, {true, "/S"}, "/usr/bin/orvanta");
    EXPECT_EQ(message.rfind("The autostart entry " + entry_ + " could not be written: ", 0), 0u) << message;
}

TEST(AutostartEntryTest, HiddenOrTurnedOffEntriesAreOff) {
    const struct {
        const char* contents;
        AutostartSetting setting;
    } cases[] = {
        {"[Desktop Entry]\nExec=\"/usr/bin/orvanta\" \"/S\"\n", {true, "/S"}},
        {"[Desktop Entry]\nExec=orvanta /S\nHidden=true\n", {false, "/S"}},
        {"[Desktop Entry]\nExec=orvanta\nX-GNOME-Autostart-enabled=false\n", {false, ""}},
        {"# comment\n[Desktop Entry]\nExec = orvanta %U /HIDE\n[Desktop Action x]\nExec=other\n", {true, "/HIDE"}},
        {"[Desktop Entry]\nExec=orvanta \"/F\n", {false, ""}},
        {"[Desktop Entry]\nName=Orvanta\n", {false, ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(readAutostart(c.contents), c.setting) << c.contents;
}

TEST(AutostartEntryTest, ExecSplitsAsTheDesktopDoes) {
    const struct {
        const char* exec;
        std::optional<std::vector<std::string>> args;
    } cases[] = {
        {R"(orvanta  "/F" "a \"b\" \\c" 100%% %f %U)",
         std::vector<std::string>{"orvanta", "/F", "a \"b\" \\c", "100%"}},
        {R"("" x)", std::vector<std::string>{"", "x"}},
        {R"(orvanta "/F)", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(splitDesktopExec(c.exec), c.args) << c.exec;
}

}  // namespace
}  // namespace orv
