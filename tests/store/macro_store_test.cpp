#include "store/macro_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <functional>

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

// Runs `body` in a child process whose files may grow only `limit` bytes past `file`'s size
// (writes beyond fail with EFBIG instead of a signal); returns the child's exit status.
int withFileSizeLimit(const std::string& file, off_t limit, const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const auto size = static_cast<rlim_t>(std::filesystem::file_size(file) + static_cast<std::uintmax_t>(limit));
        const rlimit rl{size, size};
        if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) ::_exit(99);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST_F(MacroStoreTest, AWriteThatFailsPartWayLeavesTheFileAsItWas) {
    store.LoadMacroFile(settings.CurrentFile);
    const std::string before = test::readFile(settings.CurrentFile);
    // Room for part of a record only: the append fails after writing 1000 bytes.
    const int status = withFileSizeLimit(settings.CurrentFile, 1000, [&] {
        table.setMacroCount(5);
        TMacroRecord r = macro("Big", 12, kScopeGlobal, std::string(4000, 'a'));
        if (store.WriteMacroRecord(-1, r)) return 1;
        if (prompt.shown().empty() || prompt.shown().back().text != "Saving of keystrokes failed.") return 2;
        return settings.nickName(5).empty() ? 0 : 3;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
    store.LoadMacroFile(settings.CurrentFile);
    EXPECT_TRUE(store.readOnlyReason().empty());
    EXPECT_EQ(table.MacroCount(), 4);
}

TEST_F(MacroStoreTest, RemovalReplacesTheTargetOfALinkAndKeepsItsMode) {
    std::filesystem::create_directories(dir.file("shared"));
    const std::string target = dir.file("shared/team.ORV");
    settings.CurrentFile = target;
    writeRaw({macro("One", 1), macro("Two", 2)});
    ::chmod(target.c_str(), 0640);
    const std::string link = dir.file("link.ORV");
    std::filesystem::create_symlink("shared/team.ORV", link);
    settings.CurrentFile = link;
    store.LoadMacroFile(link);

    ASSERT_TRUE(store.DeleteMacroRecord(1));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    settings.CurrentFile = target;
    ASSERT_EQ(onDisk().size(), 5u);
    EXPECT_EQ(onDisk()[0].NickName, "Two");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("shared")), {}), 1);
}

TEST_F(MacroStoreTest, RemovalKeepsOwnerAndGroupOrRefusesWhenItCannot) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs a second user (run as root)";
    constexpr uid_t kNobody = 65534;
    writeRaw({macro("One", 1), macro("Two", 2)});
    store.LoadMacroFile(settings.CurrentFile);
    ASSERT_EQ(::chown(settings.CurrentFile.c_str(), kNobody, kNobody), 0);
    ASSERT_TRUE(store.DeleteMacroRecord(1));
    struct stat st {};
    ASSERT_EQ(::stat(settings.CurrentFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kNobody);

    // A user who may write the shared file but cannot give the copy its owner is refused.
    ASSERT_EQ(::chown(settings.CurrentFile.c_str(), 0, 0), 0);
    ASSERT_EQ(::chmod(settings.CurrentFile.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(dir.path().parent_path().c_str(), 0711), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const std::string before = test::readFile(settings.CurrentFile);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(99);
        prompt.clearShown();
        if (store.DeleteMacroRecord(1)) ::_exit(1);
        const bool told = !prompt.shown().empty() &&
                          prompt.shown().back().text.find("its owner and group cannot be kept") != std::string::npos;
        ::_exit(told ? 0 : 2);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // file and Icons
}

TEST_F(MacroStoreTest, LoadingRemovesTemporariesThatACrashLeftBehind) {
    store.LoadMacroFile(settings.CurrentFile);
    const std::string stale = dir.file(".macros.ORV.orvtmp-Ab3xYz");
    const std::string live = dir.file(".macros.ORV.orvtmp-Q9w8E7");
    const std::string users = dir.file("macros.ORV.backup");
    for (const auto& f : {stale, live, users}) test::writeFile(f, "partial");
    // A program still writing holds its temporary file locked.
    const int fd = ::open(live.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    store.LoadMacroFile(settings.CurrentFile);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live));
    EXPECT_TRUE(std::filesystem::exists(users));
    ::close(fd);
    store.LoadMacroFile(settings.CurrentFile, MacroStore::LoadMode::Inspect);  // only reads
    EXPECT_TRUE(std::filesystem::exists(live));
}

TEST_F(MacroStoreTest, NewMacroFilesArePrivateUnlessTheFolderIsShared) {
    struct Case {
        mode_t umask;
        bool network;
        mode_t expected;
    };
    const Case cases[] = {
        {022, false, 0600}, {077, false, 0600}, {022, true, 0644}, {077, true, 0600}, {002, true, 0664}};
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        settings.CurrentFile = dir.file("new" + std::to_string(n++) + ".ORV");
        settings.NetworkMode = c.network;
        const mode_t old = ::umask(c.umask);
        store.LoadMacroFile(settings.CurrentFile);
        ::umask(old);
        struct stat st {};
        ASSERT_EQ(::stat(settings.CurrentFile.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, c.expected);
    }
}

TEST_F(MacroStoreTest, DamagedFilesAreLoadedAsFarAsPossibleAndNeverChanged) {
    struct Case {
        const char* what;
        int records;
        std::string tail;
        int expectedCount;  // with the system macros the file lacks, kept in memory
        const char* message;
    };
    const Case cases[] = {
        {"shorter than one record", 0, std::string(100, 'z'), 4,
         "is damaged: it is shorter than one 5165-byte record (100 bytes). None of its macros could be loaded and "
         "the file is kept read-only"},
        {"one record and a part", 1, std::string(7, 'z'), 5,
         "(7 bytes are left over after record 1). Its first macro is loaded and"},
        {"size not a multiple of the record", 2, std::string(100, 'z'), 6, "Its first 2 macros are loaded"},
        {"more than 500 records", 502, "", 500, "it holds 502 macros, more than the 500"},
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
        EXPECT_NE(prompt.shown()[0].text.find(c.message), std::string::npos) << prompt.shown()[0].text;
        EXPECT_FALSE(store.readOnlyReason().empty());

        TMacroRecord r = macro("New", 1);
        EXPECT_FALSE(store.WriteMacroRecord(1, r));
        EXPECT_FALSE(store.DeleteMacroRecord(1));
        EXPECT_FALSE(store.SetMacroActive(1, false));
        EXPECT_EQ(test::readFile(settings.CurrentFile), before);
    }
}

TEST_F(MacroStoreTest, ADamagedFileKeepsTheSystemMacrosInMemoryOnly) {
    writeRaw({macro("Mine", 5)}, "partial");
    const std::string before = test::readFile(settings.CurrentFile);
    store.LoadMacroFile(settings.CurrentFile);
    ASSERT_EQ(table.MacroCount(), 5);
    EXPECT_EQ(hook.libraryTable().MacroCount(), 5);
    for (int code = 1; code <= 4; ++code) {
        const int j = code + 1;
        EXPECT_EQ(table.Scope(j), kScopeSystem);
        EXPECT_EQ(table.HotKeyCode(j), 261 + code);
        EXPECT_EQ(settings.nickName(j), systemMacroNickName(code));
        TMacroRecord r;
        ASSERT_TRUE(store.ReadMacroRecord(j, r));
        EXPECT_EQ(r.WindowTitle, std::to_string(code));
    }
    TMacroRecord first;
    ASSERT_TRUE(store.ReadMacroRecord(1, first));
    EXPECT_EQ(first.NickName, "Mine");
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
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

TEST_F(MacroStoreTest, AMenuListingMissingOrRepeatedMacrosLoadsWithAMessage) {
    TMacroRecord menu = macro("Menu", kCodeNone, kScopePopupMenu, "");
    menu.MenuItems = {2, 9, 2, 1};
    writeRaw({macro("One", 1), menu});
    store.LoadMacroFile(settings.CurrentFile);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_NE(prompt.shown()[0].text.find(
                  "record 2: popup menu entry 9 names no macro of the file; entry 2 is listed more than once"),
              std::string::npos)
        << prompt.shown()[0].text;
    TMacroRecord back;
    ASSERT_TRUE(store.ReadMacroRecord(2, back));
    EXPECT_EQ(back.MenuItems, menu.MenuItems);  // nothing is lost until the menu is edited
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
