#include "transfer/export_model.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_file.h"
#include "store/macro_store.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

class ExportModelTest : public ::testing::Test {
protected:
    ExportModelTest() {
        settings.CurrentFile = dir.file("M.ORV");
        store.LoadMacroFile(settings.CurrentFile);  // system macros 1..4
        add("a", kScopeGlobal, {});
        add("b", kScopeWindow, {});
        add("c", kScopeGlobal, {});
        add("menu", kScopePopupMenu, {7, 5, 6});
        prompt.clearShown();
    }
    void add(const std::string& nick, int scope, std::vector<std::int16_t> items) {
        TMacroRecord r;
        r.NickName = nick;
        r.Scope = static_cast<std::int16_t>(scope);
        r.WindowTitle = scope == kScopeWindow ? "Editor" : "";
        r.HotKeyCode = kCodeNone;
        r.MacroText = scope == kScopePopupMenu ? "" : nick + " text";
        r.MenuItems = std::move(items);
        r.IconName = "MAIN";
        ASSERT_TRUE(store.AppendMacroRecord(r));
    }
    bool save(const ExportModel& model, const std::string& target) {
        return model.SaveFile(
            target, settings.CurrentFile, [&](int j, TMacroRecord& r) { return store.ReadMacroRecord(j, r); }, prompt);
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& m : prompt.shown()) out.push_back(m.title + ": " + m.text);
        return out;
    }

    test::TempDir dir;
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    MacroStore store{table, settings, hook, prompt, clock, dir.file("Icons")};
};

TEST_F(ExportModelTest, ListsTheMacrosWithoutTheSystemOnesInFileOrder) {
    const ExportModel model(table, settings);
    EXPECT_EQ(model.macros(), (std::vector<int>{5, 6, 7, 8}));
    EXPECT_EQ(model.rows()[1].nickName, "b");
    EXPECT_EQ(model.rows()[1].activation, "None");
    EXPECT_EQ(model.rows()[1].scope, "Window: Editor");
}

TEST_F(ExportModelTest, WritesThePickedMacrosAndRenumbersTheMenu) {
    ExportModel model(table, settings);
    model.setPicked(0, true);  // a (5)
    model.setPicked(2, true);  // c (7)
    model.setPicked(3, true);  // menu of 7, 5, 6
    const std::string target = dir.file("OUT.ORV");
    test::writeFile(target, "old content");
    ASSERT_TRUE(save(model, target));
    EXPECT_EQ(messages(), std::vector<std::string>{"ok: Export Complete"});
    const MacroFileContents out = readMacroFile(target);
    ASSERT_EQ(out.records.size(), 3u);
    EXPECT_EQ(out.trailingBytes, 0u);
    EXPECT_EQ(out.records[0].NickName, "a");
    EXPECT_EQ(out.records[1].NickName, "c");
    EXPECT_EQ(out.records[2].MenuItems, (std::vector<std::int16_t>{2, 1}));
    TMacroRecord original;
    ASSERT_TRUE(store.ReadMacroRecord(5, original));
    EXPECT_EQ(out.records[0], original);
}

TEST_F(ExportModelTest, RefusesNothingPickedAFileThatCannotBeMadeAndTheOpenFile) {
    ExportModel model(table, settings);
    EXPECT_FALSE(model.checkPicked(prompt));
    model.setPicked(0, true);
    EXPECT_TRUE(model.checkPicked(prompt));
    const std::string before = test::readFile(settings.CurrentFile);
    EXPECT_FALSE(save(model, dir.file("no-such-folder/OUT.ORV")));
    EXPECT_FALSE(save(model, settings.CurrentFile));
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Error: No Hot Key Macros have been selected for exporting.",
                              "Error: Unable to create export file.",
                              "Error: The macros cannot be exported into the macro file that is open.  Please "
                              "choose another file.",
                          }));
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
}

}  // namespace
}  // namespace orv
