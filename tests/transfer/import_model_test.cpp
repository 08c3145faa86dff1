#include "transfer/import_model.h"

#include <gtest/gtest.h>

#include "activation/open_macro_file.h"
#include "foreign_fixtures.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_file.h"
#include "store/macro_store.h"
#include "store/shared_file_lock.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

constexpr int kCtrlA = 0;
constexpr int kCtrlB = 1;
constexpr const char* kCtrlATaken =
    "Warning: A Global Hot Key for Ctrl+A already exists.  This macro will not be imported.";
constexpr const char* kQuestion =
    "Warning: One or macro were flagged to be excluded from the import.  Continue import anyway?";

struct LockHost final : ISharedFileHost {
    void reloadSharedMacroFile() override {}
    void setHeartbeatTimer(bool) override {}
    void setSyncTimer(bool) override {}
};

TMacroRecord macro(const std::string& nick, int code, int scope = kScopeGlobal) {
    TMacroRecord r;
    r.NickName = nick;
    r.HotKeyCode = static_cast<std::int16_t>(code);
    r.Scope = static_cast<std::int16_t>(scope);
    r.Active = 1;
    r.MacroText = nick;
    r.IconName = "MAIN";
    return r;
}

TMacroRecord menu(const std::string& nick, std::vector<std::int16_t> items, const std::string& options = "N10") {
    TMacroRecord r = macro(nick, kCodeNone, kScopePopupMenu);
    r.ShortKeyText = options;
    r.MacroText.clear();
    r.MenuItems = std::move(items);
    r.IconName = "MENU";
    return r;
}

std::string fileOf(const std::vector<TMacroRecord>& records) {
    std::string bytes;
    for (const TMacroRecord& r : records) {
        const RecordBytes b = encodeRecord(r);
        bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    return bytes;
}

class ImportModelTest : public ::testing::Test {
protected:
    ImportModelTest() {
        settings.CurrentFile = dir.file("M.ORV");
        store.LoadMacroFile(settings.CurrentFile);  // the four system macros
        prompt.clearShown();
    }
    void add(const TMacroRecord& record) {
        TMacroRecord r = record;
        ASSERT_TRUE(store.AppendMacroRecord(r));
    }
    std::string source(const std::string& name, const std::string& bytes) {
        const std::string path = dir.file(name);
        test::writeFile(path, bytes);
        return path;
    }
    // Lists `path` and picks the rows given (all when empty).
    void open(const std::string& path, std::vector<std::size_t> rows = {}) {
        ASSERT_TRUE(model.OpenFile(path, prompt, 1.0));
        if (rows.empty()) model.pickAll();
        for (std::size_t r : rows) model.setPicked(r, true);
        prompt.clearShown();
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& m : prompt.shown()) out.push_back(m.title + ": " + m.text);
        return out;
    }
    std::vector<std::string> nickNames(const std::vector<TMacroRecord>& records) const {
        std::vector<std::string> out;
        for (const auto& r : records) out.push_back(r.NickName);
        return out;
    }

    test::TempDir dir;
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    MacroStore store{table, settings, hook, prompt, clock, dir.file("Icons")};
    ImportModel model;
};

TEST_F(ImportModelTest, ATakenGlobalHotKeyIsDeselectedOnceForEachMacroThatHasIt) {
    add(macro("file A", kCtrlA, kScopeWindow));
    add(macro("file A too", kCtrlA, kScopeProgram));
    test::Bv2Fixture global, windowScoped, shortKey;
    global.nick = "global";
    global.code = kCtrlA;
    windowScoped.nick = "window";
    windowScoped.code = kCtrlA;
    windowScoped.scope = kScopeWindow;
    shortKey.nick = "shortkey";
    shortKey.code = kCodeShortKey;
    open(source("s.BV2", global.bytes() + windowScoped.bytes() + shortKey.bytes()));

    const std::optional<ImportPlan> plan = model.Ok(table, prompt);
    EXPECT_EQ(messages(), (std::vector<std::string>{kCtrlATaken, kCtrlATaken, kQuestion}));
    EXPECT_FALSE(model.picked(0));
    EXPECT_TRUE(model.picked(1));  // only Global and PopUp Menu macros are tested
    ASSERT_TRUE(plan);
    EXPECT_EQ(nickNames(plan->records), (std::vector<std::string>{"window", "shortkey"}));
}

TEST_F(ImportModelTest, TwoPickedGlobalMacrosCannotShareAHotKey) {
    test::Bv2Fixture first, second, other;
    first.nick = "first";
    first.code = kCtrlB;
    second.nick = "second";
    second.code = kCtrlB;
    other.nick = "other";
    other.code = kCtrlA;
    open(source("s.BV2", first.bytes() + second.bytes() + other.bytes()));
    prompt.queueAnswer(PromptAnswer::Ok);  // the warning
    prompt.queueAnswer(PromptAnswer::No);
    EXPECT_FALSE(model.Ok(table, prompt));
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Warning: A Global Hot Key for Ctrl+B already exists.  This macro will not be imported.",
                              kQuestion}));
    EXPECT_EQ(test::readFile(settings.CurrentFile).size(), 4 * TMacroRecord::kSize);
}

TEST_F(ImportModelTest, NothingLeftToImportIsAnError) {
    add(macro("file A", kCtrlA));
    test::Bv2Fixture f;
    f.code = kCtrlA;
    open(source("s.BV2", f.bytes()));
    EXPECT_FALSE(model.Ok(table, prompt));
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              kCtrlATaken,
                              "Error: No macros are flagged for import.  Click on the macros you wish to import.",
                          }));

    prompt.clearShown();
    model.clearPicks();
    EXPECT_FALSE(model.Ok(table, prompt));
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(ImportModelTest, TenIntoAFileOf495WarnsAndImportsTheFirstFiveAfterYes) {
    for (int i = 5; i <= 495; ++i) add(macro("m" + std::to_string(i), kCodeNone));
    test::ShkFixture f;
    std::string bytes;
    for (int i = 0; i < 10; ++i) {
        f.shortKey = "k" + std::to_string(i);
        bytes += f.bytes();
    }
    const std::string path = source("ten.SHK", bytes);
    LockHost lockHost;
    SharedFileLock lock{settings, clock, prompt, lockHost};
    OpenMacroFile openFile{table, store, lock};

    for (const PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
        open(path);
        prompt.queueAnswer(PromptAnswer::Ok);  // the warning
        prompt.queueAnswer(answer);
        const auto imported = importMacros(openFile, [&] { return model.Ok(table, prompt); });
        EXPECT_EQ(messages(), (std::vector<std::string>{"Warning: The maximum capacity of macros per file will be "
                                                        "exceeded. The last 5 macros selected will not be imported.",
                                                        kQuestion}));
        EXPECT_EQ(imported.has_value(), answer == PromptAnswer::Yes);
    }
    EXPECT_EQ(table.MacroCount(), 500);
    const MacroFileContents file = readMacroFile(settings.CurrentFile);
    ASSERT_EQ(file.records.size(), 500u);
    EXPECT_EQ(file.records[495].ShortKeyText, "k0");
    EXPECT_EQ(file.records[499].ShortKeyText, "k4");
    EXPECT_EQ(settings.shortKeyText(500), "k4");
}

TEST_F(ImportModelTest, AnImportedMenuKeepsTheEntriesImportedWithItUnderTheirNewNumbers) {
    // Source: 1 system, 2..4 three macros, 5 a tray menu of all three.
    TMacroRecord system = macro("Activate Orvanta", 262, kScopeSystem);
    system.WindowTitle = "1";
    const std::string path = source("src.ORV", fileOf({system, macro("a", kCodeNone), macro("b", kCodeNone),
                                                       macro("c", kCodeNone), menu("menu", {2, 3, 4}, "Y20")}));
    add(macro("already", kCodeNone));  // the file holds 5 macros

    open(path, {0, 2, 3});  // a, c and the menu
    std::optional<ImportPlan> plan = model.Ok(table, prompt);
    ASSERT_TRUE(plan);
    EXPECT_EQ(nickNames(plan->records), (std::vector<std::string>{"a", "c", "menu"}));
    EXPECT_EQ(plan->records[2].MenuItems, (std::vector<std::int16_t>{6, 7}));
    EXPECT_TRUE(plan->menuTrayIcons);
    EXPECT_TRUE(plan->change.menus);
    EXPECT_TRUE(messages().empty());

    ImportModel alone;
    ASSERT_TRUE(alone.OpenFile(path, prompt, 1.0));
    alone.setPicked(3, true);
    plan = alone.Ok(table, prompt);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(plan->records[0].MenuItems.empty());
}

TEST_F(ImportModelTest, TheWriteIsOneReplaceAfterTheLockAndNothingBeforeOk) {
    settings.NetworkMode = true;
    LockHost lockHost;
    SharedFileLock lock{settings, clock, prompt, lockHost};
    OpenMacroFile openFile{table, store, lock};
    lock.macroFileOpened(settings.CurrentFile);
    test::Bv2Fixture f;
    f.nick = "brought";
    const std::string path = source("s.BV2", f.bytes() + f.bytes());
    const std::string sourceBytes = test::readFile(path);
    const std::string before = test::readFile(settings.CurrentFile);

    // Cancelled: nothing written, the lock given back without a change.
    EXPECT_FALSE(importMacros(openFile, [&]() -> std::optional<ImportPlan> {
        EXPECT_TRUE(lock.holding());
        return std::nullopt;
    }));
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
    EXPECT_EQ(lock.lastSeenCounter(), 1);

    open(path);
    const auto imported = importMacros(openFile, [&] { return model.Ok(table, prompt); });
    ASSERT_TRUE(imported);
    EXPECT_FALSE(lock.holding());
    EXPECT_EQ(lock.lastSeenCounter(), 2);
    EXPECT_EQ(table.MacroCount(), 6);
    EXPECT_EQ(settings.nickName(6), "brought");
    const std::string after = test::readFile(settings.CurrentFile);
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(after.size(), before.size() + 2 * TMacroRecord::kSize);
    EXPECT_EQ(test::readFile(path), sourceBytes);
    // No temporary file is left beside the macro file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

TEST_F(ImportModelTest, WrongTypeAndUnreadableFilesKeepTheListing) {
    test::ShkFixture f;
    open(source("a.SHK", f.bytes()));
    EXPECT_FALSE(model.OpenFile(source("a.DOC", "x"), prompt, 1.0));
    EXPECT_FALSE(model.OpenFile(dir.file("gone.BV2"), prompt, 1.0));
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Error: Improper file type selected.  Please choose a different file.",
                              "Error: Unable to open import file.",
                          }));
    EXPECT_TRUE(model.listed());
    EXPECT_EQ(model.size(), 1u);
    EXPECT_EQ(model.rows()[0].activation, "sk");
    EXPECT_EQ(model.rows()[0].scope, "GLOBAL");
}

}  // namespace
}  // namespace orv
