#include "mainwin/macro_operations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "activation/open_macro_file.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_file.h"
#include "store/macro_store.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

constexpr int kCtrlA = 0;
constexpr int kCtrlB = 1;

// The main window as the user drives it: what is typed into "Copy Hot Key" / "Move Hot Key"
// before "&Ok" (nothing: the dialog is cancelled) and what "System Hot Keys" does.
struct Window final : IMacroOperationsHost {
    explicit Window(IUserPrompt& prompt) : prompt_(prompt) {}

    std::function<void(dialogs::TCopyOrMove&)> fill;
    bool systemKeysChange = false;
    std::vector<std::string> dialogs;
    std::vector<MacroChange> changes;
    MacroList* list = nullptr;
    std::vector<int> selectedWhenChanged;

    bool showCopyOrMove(dialogs::TCopyOrMove& d, const dialogs::DialogEnv& env) override {
        dialogs.push_back(d.caption() + ": " + d.heading());
        if (!fill) return false;
        fill(d);
        // The form shows the first failure and stays open; the user then cancels it.
        const dialogs::Outcome outcome = d.check(env);
        if (!outcome.accepted && !outcome.failure.message.empty())
            prompt_.messageBox(outcome.failure.title, outcome.failure.message);
        return outcome.accepted;
    }
    void showSchedule(TMacroRecord&, const dialogs::DialogEnv&) override { dialogs.push_back("Set Schedule"); }
    bool showSystemHotKeys(int j) override {
        dialogs.push_back("System Hot Keys " + std::to_string(j));
        return systemKeysChange;
    }
    void macrosChanged(const MacroChange& change) override {
        changes.push_back(change);
        selectedWhenChanged.push_back(list->selectedMacro());
    }

private:
    IUserPrompt& prompt_;
};

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
    r.ShortKeyText = code == kCodeShortKey ? "sk" : "";
    r.Active = 1;
    r.MacroText = nick + " text";
    r.IconName = "MAIN";
    return r;
}

TMacroRecord menu(const std::string& nick, std::vector<std::int16_t> items) {
    TMacroRecord r = macro(nick, kCodeNone, kScopePopupMenu);
    r.ShortKeyText = "N10";
    r.MacroText.clear();
    r.MenuItems = std::move(items);
    r.IconName = "MENU";
    return r;
}

class MacroOperationsTest : public ::testing::Test {
protected:
    MacroOperationsTest() {
        settings.CurrentFile = dir.file("M.ORV");
        settings.NetworkMode = true;
        store.LoadMacroFile(settings.CurrentFile);  // the four system macros
        lock.macroFileOpened(settings.CurrentFile);
        window.list = &list;
    }

    void add(const TMacroRecord& record) {
        TMacroRecord r = record;
        table.setMacroCount(table.MacroCount() + 1);
        ASSERT_TRUE(store.WriteMacroRecord(-1, r));
    }
    // Fills the list and selects the row of macro j.
    void select(int j) {
        list.FillList(table, settings);
        list.select(list.ReverseSort(j));
        prompt.clearShown();
    }
    std::vector<TMacroRecord> onDisk() const { return readMacroFile(settings.CurrentFile).records; }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& m : prompt.shown()) out.push_back(m.title + ": " + m.text);
        return out;
    }
    // The sync file's change counter: each change released as changed counts once.
    int changesCounted() const { return lock.lastSeenCounter(); }

    test::TempDir dir;
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    MacroStore store{table, settings, hook, prompt, clock, dir.file("Icons")};
    LockHost lockHost;
    SharedFileLock lock{settings, clock, prompt, lockHost};
    OpenMacroFile file{table, store, lock};
    MacroList list;
    Window window{prompt};
    MacroOperations ops{{file, settings, prompt, clock, list, window}};
};

TEST_F(MacroOperationsTest, RemoveAsksByActivationAndNoKeepsEverything) {
    add(macro("timed", kCodeTimed));
    add(macro("short", kCodeShortKey));
    add(macro("title", kCodeWindowTitle));
    add(macro("none", kCodeNone));
    add(macro("hot", kCtrlB));
    const char* questions[] = {
        "Are you sure you want to remove \"Timed Macro\"?", "Are you sure you want to remove the ShortKey \"sk\"?",
        "Are you sure you want to remove this macro?",      "Are you sure you want to remove this macro?",
        "Are you sure you want to remove \"Ctrl+B\"?",
    };
    const std::string before = test::readFile(settings.CurrentFile);
    for (int j = 5; j <= 9; ++j) {
        select(j);
        prompt.queueAnswer(PromptAnswer::No);
        ops.DoClear();
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].title, "Delete");
        EXPECT_EQ(prompt.shown()[0].text, questions[j - 5]);
        EXPECT_EQ(prompt.shown()[0].buttons, PromptButtons::YesNo);
    }
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
    EXPECT_TRUE(window.changes.empty());
    EXPECT_FALSE(lock.holding());
    EXPECT_EQ(changesCounted(), 1);
}

TEST_F(MacroOperationsTest, RemoveKeepsTheRowNumberOrTakesTheNewLastRow) {
    add(macro("a", kCodeNone));
    add(macro("b", kCodeTimed));
    add(macro("c", kCodeNone));
    select(6);
    const int row = list.selectedRow();
    ops.DoClear();
    ASSERT_EQ(table.MacroCount(), 6);
    EXPECT_EQ(settings.nickName(6), "c");
    EXPECT_EQ(list.selectedRow(), row);
    ASSERT_EQ(window.changes.size(), 1u);
    EXPECT_TRUE(window.changes[0].timed);
    EXPECT_TRUE(window.changes[0].remap);
    EXPECT_EQ(changesCounted(), 2);
    EXPECT_FALSE(lock.holding());

    const int last = list.macroAt(list.rowCount());
    select(last);
    ops.DoClear();
    EXPECT_EQ(table.MacroCount(), 5);
    EXPECT_EQ(list.selectedRow(), 5);
    EXPECT_EQ(window.selectedWhenChanged.back(), list.macroAt(5));
    EXPECT_EQ(onDisk().size(), 5u);
}

TEST_F(MacroOperationsTest, RemovingAMenuEntryRenumbersEveryMenu) {
    add(macro("m5", kCodeNone));
    add(macro("m6", kCodeNone));
    add(macro("m7", kCodeNone));
    add(macro("m8", kCodeNone));
    add(menu("first", {5, 6, 8}));
    add(menu("second", {8, 7}));
    select(6);
    prompt.queueAnswer(PromptAnswer::Yes);
    prompt.queueAnswer(PromptAnswer::No);  // the menu question
    ops.DoClear();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1],
              "Delete: This macro is contained in a \"Popup Menu\".  It will be removed from the \"Popup Menu\".  Are "
              "you sure you want to remove \"this macro\"?");
    EXPECT_EQ(onDisk().size(), 10u);

    select(6);
    ops.DoClear();
    const auto records = onDisk();
    ASSERT_EQ(records.size(), 9u);
    EXPECT_EQ(records[7].MenuItems, (std::vector<std::int16_t>{5, 7}));
    EXPECT_EQ(records[8].MenuItems, (std::vector<std::int16_t>{7, 6}));
    EXPECT_TRUE(window.changes.back().menus);
}

TEST_F(MacroOperationsTest, CopyAppendsUnderTheNewActivationAndSelectsIt) {
    add(macro("hot", kCtrlA));
    add(menu("menu", {5}));
    select(5);
    window.fill = [](dialogs::TCopyOrMove& d) {
        d.set("kind", "hotkey");
        d.set("hotkey", "1");
    };
    ops.DoCopy();
    EXPECT_EQ(window.dialogs.back(), "Copy Hot Key: COPY Ctrl+A TO");
    ASSERT_EQ(table.MacroCount(), 7);
    const TMacroRecord copy = onDisk()[6];
    EXPECT_EQ(copy.NickName, "hot");
    EXPECT_EQ(copy.HotKeyCode, kCtrlB);
    EXPECT_EQ(copy.MacroText, "hot text");
    EXPECT_DOUBLE_EQ(copy.LastModified, toDateSerial(clock.now()));
    EXPECT_EQ(list.selectedMacro(), 7);
    EXPECT_EQ(changesCounted(), 2);
    // The count went up, and the library heard it, before the record was appended.
    const auto& calls = hook.transcript().lines();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "OrvUpNumKeys");
    EXPECT_EQ(calls.back(), "OrvUpItem 7");

    // A popup menu copies with its entries; the menu tray icons are rebuilt.
    select(6);
    window.fill = [](dialogs::TCopyOrMove& d) { d.set("kind", "none"); };
    ops.DoCopy();
    EXPECT_EQ(window.dialogs.back(), "Copy Hot Key: COPY Macro TO");
    EXPECT_EQ(onDisk()[7].MenuItems, (std::vector<std::int16_t>{5}));
    EXPECT_TRUE(window.changes.back().menus);
}

TEST_F(MacroOperationsTest, CopyRefusedAtFiveHundredAndCancelledCopyChangesNothing) {
    add(macro("x", kCodeTimed));
    select(5);
    ops.DoCopy();  // the dialog is cancelled
    EXPECT_EQ(window.dialogs, std::vector<std::string>{"Copy Hot Key: COPY Timed Macro TO"});
    EXPECT_EQ(table.MacroCount(), 5);
    EXPECT_EQ(changesCounted(), 1);
    EXPECT_FALSE(lock.holding());

    table.setMacroCount(kMaxMacros);
    ops.DoCopy();
    EXPECT_EQ(messages(), std::vector<std::string>{std::string("Error: ") + kMsgMacroLimit});
    EXPECT_EQ(window.dialogs.size(), 1u);
}

TEST_F(MacroOperationsTest, RenameOntoATakenGlobalHotkeyIsRefusedButAllowedForAWindowMacro) {
    add(macro("global", kCtrlA));
    TMacroRecord window_ = macro("window", kCodeTimed, kScopeWindow);
    window_.WindowTitle = "Editor";
    add(window_);
    add(macro("other", kCtrlB));
    window.fill = [](dialogs::TCopyOrMove& d) {
        d.set("kind", "hotkey");
        d.set("hotkey", "1");  // Ctrl+B, used by the Global macro "other"
    };
    select(5);
    ops.DoMove();
    EXPECT_EQ(window.dialogs.back(), "Move Hot Key: MOVE Ctrl+A TO");
    EXPECT_EQ(messages(), std::vector<std::string>{"Error: A \"GLOBAL\" or \"POPUP MENU\" hot key already exists for "
                                                   "this selection. The \"MOVE\" did not take place."});
    EXPECT_EQ(onDisk()[4].HotKeyCode, kCtrlA);
    EXPECT_TRUE(window.changes.empty());

    select(6);
    ops.DoMove();
    EXPECT_EQ(window.dialogs.back(), "Move Hot Key: MOVE Timed Macro TO");
    EXPECT_EQ(onDisk()[5].HotKeyCode, kCtrlB);
    EXPECT_EQ(table.HotKeyCode(6), kCtrlB);
    EXPECT_EQ(list.selectedMacro(), 6);
    ASSERT_EQ(window.changes.size(), 1u);
    EXPECT_TRUE(window.changes[0].timed);  // a timed macro no longer counts
    EXPECT_EQ(changesCounted(), 2);
}

TEST_F(MacroOperationsTest, RenameToTimedShowsTheScheduleAndASystemMacroOpensSystemHotKeys) {
    add(macro("hot", kCtrlA));
    select(5);
    window.fill = [](dialogs::TCopyOrMove& d) { d.set("kind", "timed"); };
    ops.DoMove();
    EXPECT_EQ(window.dialogs, (std::vector<std::string>{"Move Hot Key: MOVE Ctrl+A TO", "Set Schedule"}));
    EXPECT_EQ(onDisk()[4].HotKeyCode, kCodeTimed);
    EXPECT_EQ(onDisk()[4].ScheduleKind, 3);  // the default schedule: daily

    window.dialogs.clear();
    select(2);
    ops.DoMove();
    window.systemKeysChange = true;
    ops.DoMove();
    EXPECT_EQ(window.dialogs, (std::vector<std::string>{"System Hot Keys 2", "System Hot Keys 2"}));
    EXPECT_EQ(window.changes.size(), 2u);  // the timed rename and the changed system hotkey
    EXPECT_EQ(list.selectedMacro(), 2);
    EXPECT_EQ(changesCounted(), 3);
    EXPECT_FALSE(lock.holding());
}

TEST_F(MacroOperationsTest, ActivateFlipsTheFlagInFileAndIndex) {
    add(macro("t", kCodeTimed));
    select(5);
    ops.DoActivate();
    EXPECT_FALSE(table.Active(5));
    EXPECT_EQ(onDisk()[4].Active, 0);
    EXPECT_EQ(hook.libraryTable().Active(5), false);
    ASSERT_EQ(window.changes.size(), 1u);
    EXPECT_TRUE(window.changes[0].timed);
    ops.DoActivate();
    EXPECT_TRUE(table.Active(5));
    EXPECT_EQ(onDisk()[4].Active, 1);
    EXPECT_EQ(changesCounted(), 3);
}

TEST_F(MacroOperationsTest, PreconditionsAndAFileInUseStopEveryCommand) {
    add(macro("m", kCtrlA));
    const std::function<void()> commands[] = {[&] { ops.DoClear(); }, [&] { ops.DoCopy(); }, [&] { ops.DoMove(); },
                                              [&] { ops.DoActivate(); }};
    TAppSettings otherSettings = settings;
    fake::FakeUserPrompt otherPrompt;
    SharedFileLock other{otherSettings, clock, otherPrompt, lockHost};
    other.macroFileOpened(settings.CurrentFile);
    ASSERT_FALSE(other.FileInUse());  // another user holds the file
    const std::string before = test::readFile(settings.CurrentFile);
    for (const auto& command : commands) {
        MacroList empty;
        MacroOperations onEmpty{{file, settings, prompt, clock, empty, window}};
        prompt.clearShown();
        onEmpty.DoClear();
        EXPECT_EQ(messages(), std::vector<std::string>{std::string("Error: ") + kMsgNoMacros});

        list.FillList(table, settings);
        list.select(0);
        prompt.clearShown();
        command();
        EXPECT_EQ(messages(), std::vector<std::string>{std::string("Error: ") + kMsgNoneSelected});

        select(5);
        command();
        EXPECT_EQ(messages(), std::vector<std::string>{std::string("Error: ") + kMsgFileInUse});
    }
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
    EXPECT_TRUE(window.dialogs.empty());
    EXPECT_TRUE(window.changes.empty());
}

TEST_F(MacroOperationsTest, AReadOnlyFileRefusesEveryCommandWithoutWriting) {
    add(macro("m", kCtrlA));
    test::writeFile(settings.CurrentFile, test::readFile(settings.CurrentFile) + "partial record");
    store.LoadMacroFile(settings.CurrentFile);
    ASSERT_FALSE(store.readOnlyReason().empty());
    const std::string before = test::readFile(settings.CurrentFile);
    const std::function<void()> commands[] = {[&] { ops.DoClear(); }, [&] { ops.DoCopy(); }, [&] { ops.DoMove(); },
                                              [&] { ops.DoActivate(); }};
    for (const auto& command : commands) {
        select(5);
        command();
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].title, "Error");
        EXPECT_NE(prompt.shown()[0].text.find("cannot be changed"), std::string::npos);
    }
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
    EXPECT_TRUE(window.dialogs.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("M.MAS")) && lock.holding());
    EXPECT_EQ(changesCounted(), 1);
}

}  // namespace
}  // namespace orv
