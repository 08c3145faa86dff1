#include "store/macro_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_file.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

class MacroStoreTest : public ::testing::Test {
protected:
    MacroStoreTest() : store(table, settings, hook, prompt, clock, dir.file("Icons")) {
        std::filesystem::create_directories(dir.file("Icons"));
        settings.CurrentFile = dir.file("macros.ORV");
    }

    static TMacroRecord macro(const std::string& nick, int code, int scope = kScopeGlobal,
                              const std::string& text = "x") {
        TMacroRecord r;
        r.NickName = nick;
        r.HotKeyCode = static_cast<std::int16_t>(code);
        r.Scope = static_cast<std::int16_t>(scope);
        r.Active = 1;
        r.MacroText = text;
        r.IconName = "MAIN";
        return r;
    }

    // Writes records straight to the file, as another program would have.
    void writeRaw(const std::vector<TMacroRecord>& records, const std::string& extra = "") {
        std::string bytes;
        for (const auto& r : records) {
            const RecordBytes b = encodeRecord(r);
            bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
        }
        test::writeFile(settings.CurrentFile, bytes + extra);
    }

    std::vector<TMacroRecord> onDisk() const { return readMacroFile(settings.CurrentFile).records; }

    test::TempDir dir;
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    MacroStore store;
};

TEST_F(MacroStoreTest, ANewFileReceivesTheFourSystemMacrosInCodeOrder) {
    store.LoadMacroFile(settings.CurrentFile);
    ASSERT_EQ(table.MacroCount(), 4);
    const auto records = onDisk();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(std::filesystem::file_size(settings.CurrentFile), 4u * 5165u);
    for (int code = 1; code <= 4; ++code) {
        const TMacroRecord& r = records[static_cast<std::size_t>(code - 1)];
        EXPECT_EQ(r.NickName, systemMacroNickName(code));
        EXPECT_EQ(r.WindowTitle, std::to_string(code));
        EXPECT_EQ(r.HotKeyCode, 261 + code);
        EXPECT_EQ(r.Scope, kScopeSystem);
        EXPECT_EQ(r.Active, 1);
        EXPECT_EQ(r.IconName, "MAIN");
        EXPECT_DOUBLE_EQ(r.LastModified, toDateSerial(clock.now()));
        EXPECT_EQ(table.HotKeyCode(code), 261 + code);
        EXPECT_EQ(settings.nickName(code), systemMacroNickName(code));
    }
    // The library saw each new macro: the count went up, then the item was stored.
    EXPECT_EQ(hook.libraryTable().MacroCount(), 4);
    EXPECT_EQ(hook.libraryTable().WindowTitle(4), "4");
    EXPECT_EQ(hook.transcript().lines().front(), "OrvUpNumKeys");
    EXPECT_EQ(hook.transcript().lines()[1], "OrvUpItem 1");
}

TEST_F(MacroStoreTest, ZeroByteFileGetsSystemMacrosAndAMissingOneIsAppended) {
    test::writeFile(settings.CurrentFile, "");
    store.LoadMacroFile(settings.CurrentFile);
    EXPECT_EQ(onDisk().size(), 4u);

    // Without system macro 3 the others keep their numbers and 3 comes last.
    std::vector<TMacroRecord> records = onDisk();
    records.erase(records.begin() + 2);
    records.push_back(macro("Mine", 5));
    writeRaw(records);
    store.LoadMacroFile(settings.CurrentFile);
    const auto after = onDisk();
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[0].WindowTitle, "1");
    EXPECT_EQ(after[2].WindowTitle, "4");
    EXPECT_EQ(after[3].NickName, "Mine");
    EXPECT_EQ(after[4].WindowTitle, "3");
    EXPECT_EQ(table.MacroCount(), 5);
    EXPECT_TRUE(prompt.shown().empty());
}

TEST_F(MacroStoreTest, LoadingFixesSystemNicknamesAndIconsInMemoryOnly) {
    store.LoadMacroFile(settings.CurrentFile);
    std::vector<TMacroRecord> records = onDisk();
    records[0].NickName = "Renamed";
    TMacroRecord menu = macro("Menu", kCodeNone, kScopePopupMenu);
    menu.IconName = "gone.ico";
    TMacroRecord plain = macro("Plain", 7);
    plain.IconName = "gone.ico";
    TMacroRecord withIcon = macro("Pretty", 8);
    withIcon.IconName = "pretty.ico";
    TMacroRecord longTitle = macro("Long", 9, kScopeWindow);
    longTitle.WindowTitle = "Twenty-five characters!!!";
    records.insert(records.end(), {menu, plain, withIcon, longTitle});
    writeRaw(records);
    test::writeFile(dir.file("Icons/pretty.ico"), "icon");
    const std::string before = test::readFile(settings.CurrentFile);

    store.LoadMacroFile(settings.CurrentFile);

    EXPECT_EQ(test::readFile(settings.CurrentFile), before);  // loading changed nothing on disk
    EXPECT_EQ(settings.nickName(1), "Activate Orvanta");
    EXPECT_EQ(settings.macroIcon(5).kind, MacroIconRef::Kind::Menu);
    EXPECT_EQ(settings.macroIcon(6).kind, MacroIconRef::Kind::Main);
    EXPECT_EQ(settings.macroIcon(7), (MacroIconRef{MacroIconRef::Kind::File, dir.file("Icons/pretty.ico")}));
    EXPECT_EQ(table.WindowTitle(8), "Twenty-five characte");

    // Writing the record stores the built-in icon name and the whole title.
    TMacroRecord r;
    ASSERT_TRUE(store.ReadMacroRecord(6, r));
    EXPECT_EQ(r.IconName, "gone.ico");
    ASSERT_TRUE(store.WriteMacroRecord(6, r));
    EXPECT_EQ(onDisk()[5].IconName, "MAIN");
    EXPECT_EQ(onDisk()[7].WindowTitle, "Twenty-five characters!!!");
}

TEST_F(MacroStoreTest, WriteAppendReadAndActiveFlagKeepIndexAndLibraryInStep) {
    store.LoadMacroFile(settings.CurrentFile);
    table.setMacroCount(5);
    TMacroRecord added = macro("Added", 12, kScopeProgram);
    added.WindowTitle = "GEDIT";
    added.TopMostOnly = 1;
    ASSERT_TRUE(store.WriteMacroRecord(-1, added));
    EXPECT_EQ(onDisk().size(), 5u);
    EXPECT_EQ(table.Scope(5), kScopeProgram);
    EXPECT_EQ(table.WindowTitle(5), "GEDIT");
    EXPECT_TRUE(table.TopMostOnly(5));
    EXPECT_EQ(settings.nickName(5), "Added");
    EXPECT_EQ(hook.libraryTable().HotKeyCode(5), 12);

    ASSERT_TRUE(store.SetMacroActive(5, false));
    EXPECT_EQ(onDisk()[4].Active, 0);
    EXPECT_EQ(onDisk()[4].NickName, "Added");
    EXPECT_FALSE(table.Active(5));
    EXPECT_FALSE(hook.libraryTable().Active(5));

    TMacroRecord read;
    read.NickName = "untouched";
    EXPECT_FALSE(store.ReadMacroRecord(9, read));
    EXPECT_EQ(read.NickName, "untouched");
    EXPECT_FALSE(store.SetMacroActive(9, true));
}

TEST_F(MacroStoreTest, DeleteClosesTheGapAndReloads) {
    writeRaw({macro("One", 1), macro("Two", 2), macro("Three", 3)});
    store.LoadMacroFile(settings.CurrentFile);
    ASSERT_EQ(table.MacroCount(), 7);
    ASSERT_TRUE(store.DeleteMacroRecord(1));
    const auto after = onDisk();
    ASSERT_EQ(after.size(), 6u);
    EXPECT_EQ(after[0].NickName, "Two");
    EXPECT_EQ(after[1].NickName, "Three");
    EXPECT_EQ(table.MacroCount(), 6);
    EXPECT_EQ(settings.nickName(1), "Two");
    // No temporary file is left beside the macro file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // file and Icons
}

TEST_F(MacroStoreTest, DamagedFilesAreLoadedAsFarAsPossibleAndNeverChanged) {
    struct Case {
        const char* what;
        int records;
        std::string tail;
        int expectedCount;
    };
    const Case cases[] = {
        {"size not a multiple of the record", 2, std::string(100, 'z'), 2},
        {"more than 500 records", 502, "", 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<TMacroRecord> records;
        for (int i = 0; i < c.records; ++i) records.push_back(macro("M" + std::to_string(i), kCodeNone));
        writeRaw(records, c.tail);
        const std::string before = test::readFile(settings.CurrentFile);
        prompt.clearShown();

        store.LoadMacroFile(settings.CurrentFile);
        EXPECT_EQ(table.MacroCount(), c.expectedCount);
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].title, "Error");
        EXPECT_NE(prompt.shown()[0].text.find("is damaged"), std::string::npos);

        TMacroRecord r = macro("New", 1);
        EXPECT_FALSE(store.WriteMacroRecord(1, r));
        EXPECT_FALSE(store.DeleteMacroRecord(1));
        EXPECT_FALSE(store.SetMacroActive(1, false));
        EXPECT_EQ(test::readFile(settings.CurrentFile), before);
    }
}

TEST_F(MacroStoreTest, DamagedRecordsAreReportedOnce) {
    writeRaw({macro("One", 1)});
    std::string bytes = test::readFile(settings.CurrentFile);
    bytes[0] = static_cast<char>(200);  // nickname length beyond its field
    test::writeFile(settings.CurrentFile, bytes);
    store.LoadMacroFile(settings.CurrentFile);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_NE(prompt.shown()[0].text.find("record 1: nickname length 200"), std::string::npos);
    EXPECT_EQ(settings.nickName(1).size(), 50u);
    EXPECT_EQ(table.MacroCount(), 5);  // the system macros were still added
}

TEST_F(MacroStoreTest, AnUnreadableFileIsNeitherCreatedOverNorWritten) {
    if (::geteuid() == 0) {
        // root reads every file; a folder in the file's place is unreadable as a macro file.
        std::filesystem::create_directories(settings.CurrentFile);
    } else {
        writeRaw({macro("Secret", 1)});
        ::chmod(settings.CurrentFile.c_str(), 0);
    }
    store.LoadMacroFile(settings.CurrentFile);
    EXPECT_EQ(table.MacroCount(), 0);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_NE(prompt.shown()[0].text.find("could not be read"), std::string::npos);
    TMacroRecord r = macro("New", 1);
    EXPECT_FALSE(store.WriteMacroRecord(1, r));
}

TEST_F(MacroStoreTest, FailuresToCreateOrSaveShowTheirMessages) {
    settings.CurrentFile = dir.file("no-such-folder/macros.ORV");
    store.LoadMacroFile(settings.CurrentFile);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, "Error");
    EXPECT_EQ(prompt.shown()[0].text, "New file could not be created.");
    EXPECT_EQ(table.MacroCount(), 0);

    TMacroRecord r = macro("New", 1);
    table.setMacroCount(1);
    EXPECT_FALSE(store.WriteMacroRecord(-1, r));
    EXPECT_EQ(prompt.shown().back().text, "Saving of keystrokes failed.");
    EXPECT_EQ(settings.nickName(1), "");  // nothing in memory changed
}

}  // namespace
}  // namespace orv
