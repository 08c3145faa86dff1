// "&Add Macro" and "Modify &Directly": the lock, the record buffer, what the editors saved and
// what reaches the file.
#include "mainwin/macro_editing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
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

constexpr int kCtrlB = 1;
constexpr int kCtrlK = 10;

// The editor windows as the user drives them: Add Macro presses a builder button after `add`
// filled it; the direct editor runs `edit` (false: the user cancelled).
struct Editors final : IMacroEditorsHost {
    explicit Editors(IUserPrompt& p) : prompt(p) {}

    std::function<editors::Builder(editors::AddMacroModel&)> add;
    std::function<bool(editors::DirectEditorModel&)> edit;
    std::vector<std::string> opened;
    std::vector<editors::EditorStart> starts;
    std::vector<MacroChange> changes;
    std::vector<int> selectedWhenChanged;
    MacroList* list = nullptr;
    IUserPrompt& prompt;
    int shortKeyClears = 0;

    BuilderResult showAddMacro(editors::AddMacroModel& model, TMacroRecord& buffer) override {
        opened.push_back("Add Macro");
        if (!add) return {};
        const editors::AddPress press = model.press(add(model), prompt, buffer);
        if (!press.accepted) return {};
        return {showDirectEditor(buffer, {false, press.start.kind, press.start.exclusiveKey, press.start.hotKeyLabel}),
                false};
    }
    bool showDirectEditor(TMacroRecord& buffer, const editors::EditorStart& start) override {
        opened.push_back("Modify Hot Key");
        return editWith(buffer, start);
    }
    bool showScriptingEditor(TMacroRecord& buffer, const editors::EditorStart& start) override {
        opened.push_back("Macro Scripting Editor");
        return editWith(buffer, start);
    }
    bool editWith(TMacroRecord& buffer, const editors::EditorStart& start) {
        starts.push_back(start);
        editors::DirectEditorModel model(buffer, start, LocalTime{2026, 3, 30, 12, 0, 0, 0, 1}, "");
        if (!edit || !edit(model)) return false;
        fake::FakeClock clock;
        return model.update(model.text(), prompt, clock).accepted;
    }
    BuilderResult showBuildMenu(TMacroRecord&, const std::string& label, bool) override {
        opened.push_back("Build Macro Menu " + label);
        return {};
    }
    void clearShortKeyBuffer() override { ++shortKeyClears; }
    void macrosChanged(const MacroChange& change) override {
        changes.push_back(change);
        selectedWhenChanged.push_back(list->selectedMacro());
    }
};

struct LockHost final : ISharedFileHost {
    void reloadSharedMacroFile() override {}
    void setHeartbeatTimer(bool) override {}
    void setSyncTimer(bool) override {}
};

class MacroEditingTest : public ::testing::Test {
protected:
    MacroEditingTest() {
        settings.CurrentFile = dir.file("M.ORV");
        settings.NetworkMode = true;
        store.LoadMacroFile(settings.CurrentFile);  // the four system macros
        lock.macroFileOpened(settings.CurrentFile);
        editorsHost.list = &list;
        list.FillList(table, settings);
        counterAtStart = lock.lastSeenCounter();
    }

    // How many changes were released as changed through the shared-file lock.
    int changesCounted() const { return lock.lastSeenCounter() - counterAtStart; }

    void add(const std::string& nick, int code, int scope) {
        TMacroRecord r;
        r.NickName = nick;
        r.HotKeyCode = static_cast<std::int16_t>(code);
        r.Scope = static_cast<std::int16_t>(scope);
        r.WindowTitle = scope == kScopeWindow ? "Editor" : "";
        r.Active = 1;
        r.MacroText = nick;
        r.IconName = "MAIN";
        ASSERT_TRUE(store.AppendMacroRecord(r));
        list.FillList(table, settings);
    }
    void select(int j) { list.select(list.ReverseSort(j)); }
    std::vector<TMacroRecord> onDisk() const { return readMacroFile(settings.CurrentFile).records; }

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
    Editors editorsHost{prompt};
    MacroEditing editing{{file, settings, prompt, list, editorsHost}};
    int counterAtStart = 0;
};

TEST_F(MacroEditingTest, AddedHotKeyMacroIsAppendedAndSelected) {
    editorsHost.add = [](editors::AddMacroModel& m) {
        m.selectHotKey(kCtrlB);
        return editors::Builder::Direct;
    };
    editorsHost.edit = [](editors::DirectEditorModel& m) {
        m.setNickName("hello");
        m.setScope(kScopeGlobal);
        return true;
    };
    editing.DoAdd();
    const std::vector<TMacroRecord> records = onDisk();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[4].NickName, "hello");
    EXPECT_EQ(records[4].HotKeyCode, kCtrlB);
    EXPECT_EQ(records[4].Active, 1);
    EXPECT_EQ(table.MacroCount(), 5);
    EXPECT_EQ(editorsHost.selectedWhenChanged, std::vector<int>{5});
    EXPECT_EQ(editorsHost.shortKeyClears, 1);
    EXPECT_FALSE(lock.holding());
    EXPECT_EQ(changesCounted(), 1);
}

TEST_F(MacroEditingTest, CancelledOrRefusedAddWritesNothing) {
    const std::string before = test::readFile(settings.CurrentFile);
    editing.DoAdd();  // Add Macro aborted
    editorsHost.add = [](editors::AddMacroModel& m) {
        m.setType(editors::AddType::Timed);
        return editors::Builder::Direct;
    };
    editing.DoAdd();  // the editor cancelled
    EXPECT_EQ(editorsHost.opened, (std::vector<std::string>{"Add Macro", "Add Macro", "Modify Hot Key"}));
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
    EXPECT_TRUE(editorsHost.changes.empty());
    EXPECT_FALSE(lock.holding());
    EXPECT_EQ(changesCounted(), 0);
}

TEST_F(MacroEditingTest, AddRefusedAtFiveHundredMacros) {
    table.setMacroCount(500);
    editing.DoAdd();
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, "Error");
    EXPECT_EQ(prompt.shown()[0].text, "Maximum number of hot keys has been reached.  Add not allowed.");
    EXPECT_TRUE(editorsHost.opened.empty());
}

TEST_F(MacroEditingTest, TimedMacroIsRescheduled) {
    editorsHost.add = [](editors::AddMacroModel& m) {
        m.setType(editors::AddType::Timed);
        return editors::Builder::ScriptingEditor;
    };
    editorsHost.edit = [](editors::DirectEditorModel&) { return true; };
    editing.DoAdd();
    ASSERT_EQ(editorsHost.changes.size(), 1u);
    EXPECT_TRUE(editorsHost.changes[0].timed);
    const TMacroRecord r = onDisk().back();
    EXPECT_EQ(r.HotKeyCode, kCodeTimed);
    EXPECT_EQ(r.ScheduleKind, 3);  // the default schedule: daily
}

TEST_F(MacroEditingTest, FailedWriteLeavesTheFileAndGivesTheLockBackUnchanged) {
    editorsHost.add = [](editors::AddMacroModel& m) {
        m.setType(editors::AddType::None);
        return editors::Builder::Direct;
    };
    editorsHost.edit = [](editors::DirectEditorModel&) { return true; };
    const std::string before = test::readFile(settings.CurrentFile);
    // The file is replaced by a folder of the same name: it cannot be written.
    std::filesystem::rename(settings.CurrentFile, dir.file("saved.ORV"));
    std::filesystem::create_directory(settings.CurrentFile);
    editing.DoAdd();
    std::filesystem::remove(settings.CurrentFile);
    std::filesystem::rename(dir.file("saved.ORV"), settings.CurrentFile);
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
    EXPECT_EQ(table.MacroCount(), 4);
    EXPECT_FALSE(prompt.shown().empty());  // the store said why
    EXPECT_TRUE(editorsHost.changes.empty());
    EXPECT_EQ(changesCounted(), 0);
}

TEST_F(MacroEditingTest, ModifyWritesBackInPlaceAndKnowsTheExclusiveKey) {
    add("global", kCtrlK, kScopeGlobal);
    add("window", kCtrlK, kScopeWindow);
    select(6);
    editorsHost.edit = [](editors::DirectEditorModel& m) {
        EXPECT_EQ(m.text(), "window");
        EXPECT_EQ(m.scope(), kScopeWindow);
        m.setNickName("renamed");
        return true;
    };
    editing.DoModify();
    ASSERT_EQ(editorsHost.starts.size(), 1u);
    EXPECT_TRUE(editorsHost.starts[0].existing);
    EXPECT_TRUE(editorsHost.starts[0].exclusiveKey);
    EXPECT_EQ(editorsHost.starts[0].hotKeyLabel, "Ctrl+K");
    const std::vector<TMacroRecord> records = onDisk();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[5].NickName, "renamed");
    EXPECT_EQ(records[4].NickName, "global");
    EXPECT_EQ(editorsHost.selectedWhenChanged, std::vector<int>{6});
    EXPECT_EQ(changesCounted(), 1);
}

TEST_F(MacroEditingTest, ModifyNeedsASelectedMacroAndSendsPopupMenusToTheirBuilder) {
    list.select(-1);
    editing.DoModify();
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "No hot key selected.  Please select one.");

    add("menu", kCtrlB, kScopePopupMenu);
    select(5);
    editing.DoModify();
    EXPECT_EQ(editorsHost.opened, std::vector<std::string>{"Build Macro Menu Ctrl+B"});
    EXPECT_EQ(changesCounted(), 0);
}

TEST_F(MacroEditingTest, TheScriptingEditorCommandWritesWhatItSavedAndLeavesPopupMenusToTheirBuilder) {
    add("text", kCtrlK, kScopeGlobal);
    add("menu", kCtrlB, kScopePopupMenu);
    select(5);
    editorsHost.edit = [](editors::DirectEditorModel& m) {
        m.setNickName("scripted");
        return true;
    };
    editing.DoTheScript();
    select(6);
    editing.DoTheScript();
    EXPECT_EQ(editorsHost.opened, (std::vector<std::string>{"Macro Scripting Editor", "Build Macro Menu Ctrl+B"}));
    EXPECT_EQ(onDisk()[4].NickName, "scripted");
    EXPECT_EQ(changesCounted(), 1);
}

}  // namespace
}  // namespace orv
