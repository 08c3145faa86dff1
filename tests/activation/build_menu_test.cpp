#include "activation/build_menu.h"

#include <gtest/gtest.h>

#include "activation/menu_fixture.h"
#include "activation/scheduler.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

class BuildMenuTest : public ::testing::Test {
protected:
    BuildMenuTest() {
        index.add("System", 262, kScopeSystem, "1");
        for (int i = 2; i <= 6; ++i) index.add("Macro " + std::to_string(i), 10 + i, kScopeGlobal);
    }
    test::TempDir dir;
    test::MenuIndex index;
    TMacroRecord buffer;
};

TEST_F(BuildMenuTest, ANewMenuStartsEmptyWithEveryOtherMacroAvailable) {
    BuildMenuModel m(buffer, true, index.table, index.settings, dir.path());
    EXPECT_EQ(m.nickName, "");
    EXPECT_FALSE(m.tray);
    EXPECT_EQ(m.display, MenuDisplay::NameAndScope);
    EXPECT_EQ(m.iconSizeIndex, 0);
    EXPECT_EQ(m.iconName, "MENU");
    EXPECT_TRUE(m.menu().empty());
    EXPECT_EQ(m.available(), (std::vector<int>{2, 3, 4, 5, 6}));  // no System macro
    EXPECT_TRUE(m.droppedEntries().empty());
}

TEST_F(BuildMenuTest, AStoredMenuKeepsOnlyTheEntriesTheFileHoldsAndSaysWhatWentMissing) {
    buffer = test::menuRecord("Y24", {5, 9, 2, 5, 700});
    buffer.NickName = "Tools";
    buffer.IconName = "GONE.ICO";
    BuildMenuModel m(buffer, false, index.table, index.settings, dir.path());
    EXPECT_EQ(m.nickName, "Tools");
    EXPECT_TRUE(m.tray);
    EXPECT_EQ(m.display, MenuDisplay::Icons);
    EXPECT_EQ(m.iconSizeIndex, 4);
    EXPECT_EQ(m.iconName, "MENU");  // the icon file is missing
    EXPECT_EQ(m.menu(), (std::vector<int>{5, 2}));
    EXPECT_EQ(m.available(), (std::vector<int>{3, 4, 6}));
    EXPECT_EQ(m.droppedEntries(),
              "This menu's entries 9 and 700 name no macro of the file; entry 5 is listed more than once. Only the "
              "macros the file holds are kept in the menu.");

    test::writeFile(dir.file("TOOL.ICO"), "icon");
    buffer.IconName = "TOOL.ICO";
    EXPECT_EQ(BuildMenuModel(buffer, false, index.table, index.settings, dir.path()).iconName, "TOOL.ICO");
}

TEST_F(BuildMenuTest, AddInsertRemoveAndMoveKeepBothListsAndTheirSelections) {
    BuildMenuModel m(buffer, true, index.table, index.settings, dir.path());
    using S = BuildMenuModel::Selection;
    auto sel = [](S s) { return std::pair{s.menuRow, s.availableRow}; };
    EXPECT_EQ(sel(m.add(1)), std::pair(0, 1));  // 3 to the menu; the available list selects 4
    EXPECT_EQ(m.menu(), (std::vector<int>{3}));
    EXPECT_EQ(m.available(), (std::vector<int>{2, 4, 5, 6}));
    EXPECT_EQ(sel(m.insertBefore(3, 0)), std::pair(0, 2));  // 6 before 3; the last one went: 5
    EXPECT_EQ(sel(m.insertAfter(0, 0)), std::pair(1, 0));   // 2 after 6
    EXPECT_EQ(m.menu(), (std::vector<int>{6, 2, 3}));
    EXPECT_EQ(sel(m.insertBefore(0, -1)), std::pair(0, 0));  // nothing selected: at the top
    EXPECT_EQ(sel(m.insertAfter(0, -1)), std::pair(0, -1));  // likewise; the available list is empty
    EXPECT_EQ(m.menu(), (std::vector<int>{5, 4, 6, 2, 3}));
    EXPECT_TRUE(m.available().empty());
    EXPECT_FALSE(m.canAdd(0));

    EXPECT_EQ(sel(m.remove(2)), std::pair(2, 0));  // 6 goes back, in file order
    EXPECT_EQ(sel(m.remove(3)), std::pair(2, 0));  // the last entry: the selection moves up
    EXPECT_EQ(m.menu(), (std::vector<int>{5, 4, 2}));
    EXPECT_EQ(m.available(), (std::vector<int>{3, 6}));

    EXPECT_FALSE(BuildMenuModel::canMoveUp(0));
    EXPECT_FALSE(m.canMoveDown(2));
    EXPECT_FALSE(m.canMoveDown(-1));
    EXPECT_FALSE(m.canRemove(-1));
    EXPECT_EQ(m.moveDown(0), 1);
    EXPECT_EQ(m.moveUp(2), 1);
    EXPECT_EQ(m.menu(), (std::vector<int>{4, 2, 5}));
}

TEST_F(BuildMenuTest, AMenuOfThirtySixTakesNoMore) {
    for (int i = 0; i < 40; ++i) index.add("More", kCodeNone, kScopeGlobal);
    BuildMenuModel m(buffer, true, index.table, index.settings, dir.path());
    while (m.canAdd(0)) m.add(0);
    EXPECT_EQ(m.menu().size(), 36u);
    EXPECT_FALSE(m.available().empty());
    EXPECT_FALSE(m.canAdd(0));
    m.remove(0);
    EXPECT_TRUE(m.canAdd(0));
}

TEST_F(BuildMenuTest, OkWritesTheMenuRecordAndSaysWhenTheTrayChanges) {
    BuildMenuModel m(buffer, true, index.table, index.settings, dir.path());
    m.nickName = std::string(60, 'n');
    m.display = MenuDisplay::FirstPart;
    m.iconSizeIndex = 2;
    m.add(3);
    m.add(0);
    EXPECT_FALSE(m.apply());  // new, not in the tray
    EXPECT_EQ(buffer.NickName, std::string(50, 'n'));
    EXPECT_EQ(buffer.Scope, kScopePopupMenu);
    EXPECT_EQ(buffer.Active, 1);
    EXPECT_EQ(buffer.ShortKeyText, "N12");
    EXPECT_EQ(buffer.IconName, "MENU");
    EXPECT_EQ(buffer.MenuItems, (std::vector<std::int16_t>{5, 2}));

    struct Case {
        const char* what;
        void (*change)(BuildMenuModel&);
        bool rebuild;
    };
    const Case cases[] = {
        {"nothing changed", [](BuildMenuModel&) {}, false},
        {"entries changed", [](BuildMenuModel& b) { b.remove(0); }, false},
        {"into the tray", [](BuildMenuModel& b) { b.tray = true; }, true},
        {"renamed", [](BuildMenuModel& b) { b.nickName = "Other"; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMacroRecord stored = buffer;
        BuildMenuModel edit(stored, false, index.table, index.settings, dir.path());
        c.change(edit);
        EXPECT_EQ(edit.apply(), c.rebuild);
    }
    TMacroRecord fresh;
    BuildMenuModel asksForTray(fresh, true, index.table, index.settings, dir.path());
    asksForTray.tray = true;
    EXPECT_TRUE(asksForTray.apply());
}

TEST(MenuQuickInfo, ActivationNameScopeStateScheduleAndText) {
    TMacroRecord hot;
    hot.HotKeyCode = 10;
    hot.NickName = "Greet";
    hot.Scope = kScopeWindow;
    hot.WindowTitle = "Editor";
    hot.TopMostOnly = 1;
    hot.Active = 1;
    hot.MacroText = "Hello\r\nWorld";
    EXPECT_EQ(menuQuickInfo(hot),
              "Hot Key: Ctrl+K\nName: Greet\nScope: Editor \"Window\" (Top Most Only)\nActive: Yes\nMacro: Hello  "
              "World");

    TMacroRecord timed;
    timed.HotKeyCode = kCodeTimed;
    timed.NickName = "Backup";
    timed.Scope = kScopeProgram;
    timed.WindowTitle = "gimp";
    timed.ScheduleKind = static_cast<std::int16_t>(ScheduleKind::AtStartup);
    timed.MacroText = "x";
    EXPECT_EQ(menuQuickInfo(timed),
              "Timed Macro\nName: Backup\nScope: gimp \"Program\" (If Active)\nActive: No\n"
              "Schdedule: " +
                  GetSched(timed) + "\nMacro: x");

    const TMacroRecord menu = test::menuRecord("N30", {1});
    EXPECT_EQ(menuQuickInfo(menu), "None\nName: Menu\nScope: Popup Menu\nActive: Yes");
}

}  // namespace
}  // namespace orv
