#include "store/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/fake/fake_user_prompt.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() {
        paths.programDir = dir.file("prog");
        paths.configDir = dir.file("config");
    }
    TAppSettings load(const std::string& ini) {
        TAppSettings s;
        LoadSettings(s, IniFile::parse(ini), paths);
        return s;
    }
    test::TempDir dir;
    ProgramPaths paths;
};

TEST_F(SettingsTest, AMissingFileGivesEveryDefault) {
    TAppSettings s;
    LoadSettings(s, paths);
    const TAppSettings defaults;
    EXPECT_EQ(s.SystemMenu, 1);
    EXPECT_TRUE(s.SortHeader);
    EXPECT_EQ(s.ActivationSort, "12345");
    EXPECT_EQ(s.Width, 620);
    EXPECT_EQ(s.GridTitleFont, defaults.GridTitleFont);
    EXPECT_EQ(s.GridTitleFont.Size, 12);
    EXPECT_EQ(s.TimerSeconds, 10);
    EXPECT_EQ(s.CurrentFile, dir.file("prog") + "/ORVANTA.ORV");
}

TEST_F(SettingsTest, ValuesAreReadByTypeWithTheirCorrections) {
    test::writeFile(dir.file("existing.ORV"), "");
    struct Case {
        const char* ini;
        void (*check)(const TAppSettings&, const std::string& existing);
    };
    const Case cases[] = {
        {"[misc]\nuse tray=yes\n", [](const TAppSettings& s, const std::string&) { EXPECT_TRUE(s.UseTray); }},
        {"[Misc]\nUse Tray=1\nUse Hide=True\n",
         [](const TAppSettings& s, const std::string&) {
             EXPECT_FALSE(s.UseTray);
             EXPECT_FALSE(s.UseHide);
         }},
        {"[Misc]\nActivation Sort=123\n",
         [](const TAppSettings& s, const std::string&) { EXPECT_EQ(s.ActivationSort, "12345"); }},
        {"[Misc]\nActivation Sort=1134\n",
         [](const TAppSettings& s, const std::string&) { EXPECT_EQ(s.ActivationSort, "12345"); }},
        {"[Misc]\nActivation Sort=54321\n",
         [](const TAppSettings& s, const std::string&) { EXPECT_EQ(s.ActivationSort, "54321"); }},
        {"[Scheduler]\nTimer Seconds=0\n",
         [](const TAppSettings& s, const std::string&) { EXPECT_EQ(s.TimerSeconds, 10); }},
        {"[Scheduler]\nTimer Seconds=75\n",
         [](const TAppSettings& s, const std::string&) { EXPECT_EQ(s.TimerSeconds, 10); }},
        {"[Scheduler]\nTimer Seconds=60\n",
         [](const TAppSettings& s, const std::string&) { EXPECT_EQ(s.TimerSeconds, 60); }},
        {"[ShortKeys]\nPrefix Keys=  ;;; \n",
         [](const TAppSettings& s, const std::string&) { EXPECT_EQ(s.PrefixKeys, ";;"); }},
        {"[Main Window]\nWidth=abc\nHeight= 12x\nLeft=-40\n",
         [](const TAppSettings& s, const std::string&) {
             EXPECT_EQ(s.Width, 0);
             EXPECT_EQ(s.Height, 12);
             EXPECT_EQ(s.Left, -40);
         }},
        {"[Misc]\nPrimary Sort=2134\n",
         [](const TAppSettings& s, const std::string&) { EXPECT_EQ(s.PrimarySort, "213"); }},
        {"[Misc]\nCurrent File=/nowhere/gone.ORV\n",
         [](const TAppSettings& s, const std::string&) {
             EXPECT_EQ(s.CurrentFile.substr(s.CurrentFile.size() - 12), "/ORVANTA.ORV");
         }},
        {"[Grid Font]\nFont Name=DejaVu Sans\nBold=Yes\nColor=-16777208\n",
         [](const TAppSettings& s, const std::string&) {
             EXPECT_EQ(s.GridFont.Name, "DejaVu Sans");
             EXPECT_TRUE(s.GridFont.Bold);
             EXPECT_EQ(s.GridFont.Color, -16777208);
         }},
        {"[Misc]\nSystem Menu=99999999999999999999\n",
         [](const TAppSettings& s, const std::string&) { EXPECT_EQ(s.SystemMenu, 2147483647); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        c.check(load(c.ini), dir.file("existing.ORV"));
    }
    EXPECT_EQ(load("[Misc]\nCurrent File=" + dir.file("existing.ORV") + "\n").CurrentFile, dir.file("existing.ORV"));
}

TEST_F(SettingsTest, ActivationSortRepairAlwaysGivesAPermutation) {
    // Every five-character value over the digits 0..6 comes out as a permutation of 1..5, and a
    // permutation comes out unchanged.
    const std::string digits = "0123456";
    for (int n = 0; n < 7 * 7 * 7 * 7 * 7; ++n) {
        std::string v;
        for (int k = 0, m = n; k < 5; ++k, m /= 7) v += digits[static_cast<std::size_t>(m % 7)];
        std::string out = repairActivationSort(v);
        std::string sorted = out;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, "12345") << v << " -> " << out;
        std::string sortedInput = v;
        std::sort(sortedInput.begin(), sortedInput.end());
        if (sortedInput == "12345") {
            ASSERT_EQ(out, v);
        }
    }
    EXPECT_EQ(repairActivationSort(""), "12345");
    EXPECT_EQ(repairActivationSort("55555"), "54321");
}

TEST_F(SettingsTest, SavingWritesEveryKeyInOrderAndKeepsForeignOnes) {
    IniFile ini = IniFile::parse("; my notes\n[Misc]\nUse Tray=Yes\nMy Own Key=kept\n\n[Elsewhere]\nx = 1\n");
    TAppSettings s;
    s.UseTray = false;
    s.PrefixKeys = ";;";
    s.LastFile[2] = "/home/u/three.ORV";
    SaveSettings(s, ini);
    const std::string text = ini.text();
    EXPECT_EQ(
        text.rfind("; my notes\n[Misc]\nUse Tray=No\nMy Own Key=kept\nSystem Menu=1\nBypass Wizard Screen=No\n", 0), 0u)
        << text;
    EXPECT_NE(text.find("[Elsewhere]\nx=1\n"), std::string::npos);
    EXPECT_NE(text.find("Last File 3=/home/u/three.ORV\n"), std::string::npos);
    EXPECT_NE(
        text.find(
            "[Grid Title Font]\nColor=0\nFont Name=Arial\nSize=12\nBold=No\nItalic=No\nUnderline=No\nStrikeout=No\n"),
        std::string::npos);
    EXPECT_NE(text.find("[Print List Font]\nColor=0\nFont Name=Arial\nSize=10\nBold=No\nItalic=No\n[Scheduler]"),
              std::string::npos);
    EXPECT_NE(text.find("[Scheduler]\nUse Wave File=No\nWave File Wait=No\nWave File=\nTimer Seconds=10\n"),
              std::string::npos);

    // A saved file reads back as what was saved.
    ASSERT_TRUE(SaveSettings(s, paths));
    TAppSettings back;
    LoadSettings(back, paths);
    EXPECT_EQ(back.PrefixKeys, ";;");
    EXPECT_EQ(back.LastFile[2], "/home/u/three.ORV");
    EXPECT_FALSE(back.UseTray);
}

TEST_F(SettingsTest, SavingKeepsTextAfterASectionHeader) {
    IniFile ini = IniFile::parse("[Misc] ; main options\nUse Tray=Yes\n[Network]x\n");
    SaveSettings(TAppSettings{}, ini);
    EXPECT_EQ(ini.text().rfind("[Misc] ; main options\nUse Tray=No\n", 0), 0u) << ini.text();
    EXPECT_NE(ini.text().find("\n[Network]x\nNetwork Mode=No\n"), std::string::npos) << ini.text();
}

TEST_F(SettingsTest, ANewConfigurationHonoursTheUmask) {
    for (const mode_t mask : {mode_t{077}, mode_t{022}}) {
        std::filesystem::remove(paths.iniFile());
        const mode_t old = ::umask(mask);
        const bool saved = SaveSettings(TAppSettings{}, paths);
        ::umask(old);
        ASSERT_TRUE(saved);
        struct stat st {};
        ASSERT_EQ(::stat(paths.iniFile().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
    }
}

TEST_F(SettingsTest, AFailedSaveIsShownOnceUntilASaveSucceeds) {
    // A file where the configuration folder should be: nothing can be written under it.
    test::writeFile(dir.file("blocked"), "");
    paths.configDir = dir.file("blocked/config");
    fake::FakeUserPrompt prompt;
    SettingsSaver saver(paths, prompt);
    TAppSettings s;
    EXPECT_FALSE(saver.save(s));
    EXPECT_FALSE(saver.save(s));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, "Error");
    EXPECT_EQ(prompt.shown()[0].text.rfind("The settings could not be saved to \"" + paths.iniFile() + "\": ", 0), 0u);
    EXPECT_NE(prompt.shown()[0].text.find("Settings changed now are lost when Orvanta ends."), std::string::npos);

    std::filesystem::remove(dir.file("blocked"));
    EXPECT_TRUE(saver.save(s));
    std::filesystem::remove_all(dir.file("blocked"));
    test::writeFile(dir.file("blocked"), "");
    EXPECT_FALSE(saver.save(s));
    EXPECT_EQ(prompt.shown().size(), 2u);
}

}  // namespace
}  // namespace orv
