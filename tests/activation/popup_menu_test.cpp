#include "activation/popup_menu.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "activation/menu_fixture.h"

namespace orv {
namespace {

TEST(PopupMenuOptions, ReadsTheThreeCharactersAndWritesThemBack) {
    struct Case {
        const char* text;
        bool tray;
        MenuDisplay display;
        int size;
        const char* written;
    };
    const Case cases[] = {
        {"Y23", true, MenuDisplay::Icons, 48, "Y23"},
        {"N10", false, MenuDisplay::FirstPart, 16, "N10"},
        {"N34", false, MenuDisplay::NameAndScope, 64, "N34"},
        {" 22", false, MenuDisplay::Icons, 32, "N22"},         // the top-window menu
        {"   ", false, MenuDisplay::NameAndScope, 16, "N30"},  // no display choice: nickname and scope
        {"Y95", true, MenuDisplay::NameAndScope, 16, "Y30"},   // size index out of range
        {"", false, MenuDisplay::NameAndScope, 16, "N30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const PopupMenuOptions o = PopupMenuOptions::parse(c.text);
        EXPECT_EQ(o.tray, c.tray);
        EXPECT_EQ(o.display, c.display);
        EXPECT_EQ(o.iconSize(), c.size);
        EXPECT_EQ(o.text(), c.written);
    }
}

TEST(PopupMenuKeys, DigitsThenLettersUpToTheEntryCount) {
    EXPECT_EQ(entryKey(0), '0');
    EXPECT_EQ(entryKey(9), '9');
    EXPECT_EQ(entryKey(10), 'A');
    EXPECT_EQ(entryKey(35), 'Z');
    struct Case {
        char key;
        int count;
        int entry;
    };
    const Case cases[] = {
        {'I', 19, 18}, {'i', 19, 18}, {'J', 19, -1}, {'0', 1, 0},   {'0', 0, -1},  {'9', 10, 9},
        {'A', 10, -1}, {'Z', 36, 35}, {'z', 36, 35}, {'!', 36, -1}, {' ', 36, -1}, {'@', 36, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(entryForKey(c.key, c.count), c.entry) << c.key << " of " << c.count;
}

TEST(PopupMenuLayout, IconModeNineToARowForEachIconSize) {
    struct Case {
        int count, size;
        int columns, rows, width, height;
    };
    const Case cases[] = {
        {10, 16, 9, 2, 180, 62},  {9, 16, 9, 1, 180, 42},   {8, 24, 8, 1, 224, 50},
        {4, 32, 4, 1, 144, 58},   {3, 48, 3, 1, 208, 74},   {1, 64, 1, 1, 272, 90},
        {36, 64, 9, 4, 612, 294}, {19, 32, 9, 3, 324, 130}, {0, 16, 0, 0, 80, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " entries of " << c.size);
        const IconGrid g = iconGrid(c.count, c.size);
        EXPECT_EQ(g.cell, c.size + 4);
        EXPECT_EQ(g.columns, c.columns);
        EXPECT_EQ(g.rows, c.rows);
        EXPECT_EQ(g.width, c.width);
        EXPECT_EQ(g.height, c.height);
    }
    EXPECT_EQ(iconColumn(9), 0);
    EXPECT_EQ(iconRow(9), 1);
    EXPECT_EQ(iconColumn(35), 8);
    EXPECT_EQ(iconRow(35), 3);
}

TEST(PopupMenuLayout, ListModesSplitAfterEighteenLines) {
    struct Case {
        int count, lineHeight;
        int left, right, leftHeight, rightHeight, width, height;
    };
    const Case cases[] = {
        {1, 17, 1, 0, 25, 0, 300, 67},        {18, 17, 18, 0, 314, 0, 300, 356},
        {19, 17, 18, 1, 314, 25, 604, 356},  // the 19th entry is the first of the right list
        {36, 17, 18, 18, 314, 314, 604, 356}, {0, 17, 0, 0, 25, 0, 300, 67},  // the empty menu's note
        {2, 34, 2, 0, 76, 0, 600, 118},                                       // a font twice as tall
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " entries, lines of " << c.lineHeight);
        const MenuLists l = menuLists(c.count, c.lineHeight);
        EXPECT_EQ(l.leftLines, c.left);
        EXPECT_EQ(l.rightLines, c.right);
        EXPECT_EQ(l.leftHeight, c.leftHeight);
        EXPECT_EQ(l.rightHeight, c.rightHeight);
        EXPECT_EQ(l.width, c.width);
        EXPECT_EQ(l.height, c.height);
    }
    const LineColumns name = lineColumns(280, MenuDisplay::NameAndScope);
    EXPECT_EQ(name.key, 20);
    EXPECT_EQ(name.name, 180);
    EXPECT_EQ(name.scope, 80);
    const LineColumns text = lineColumns(280, MenuDisplay::FirstPart);
    EXPECT_EQ(text.name, 260);
    EXPECT_EQ(text.scope, 0);
}

TEST(PopupMenuPlacement, CentredOrAtTheTrayClickInsideTheScreen) {
    const WindowRect screen{0, 0, 1000, 800};
    struct Case {
        const char* what;
        std::optional<MenuAnchor> anchor;
        WindowPlace place;
    };
    const Case cases[] = {
        {"not from the tray", std::nullopt, {350, 300}},
        {"tray at the bottom", MenuAnchor{500, 790}, {500, 600}},
        {"would pass the right edge", MenuAnchor{900, 790}, {600, 600}},
        {"room to the right", MenuAnchor{250, 790}, {250, 600}},
        {"tray at the top", MenuAnchor{100, 5}, {100, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(placeMenu(300, 200, screen, c.anchor), c.place);
    }
    // Wider than the room on both sides of the click: never left of the screen.
    EXPECT_EQ(placeMenu(604, 200, screen, MenuAnchor{500, 790}).left, 0);
    // A work area that does not start at the origin.
    EXPECT_EQ(placeMenu(300, 200, WindowRect{0, 30, 1000, 800}, MenuAnchor{100, 40}), (WindowPlace{100, 30}));
}

class ChooserModelTest : public ::testing::Test {
protected:
    test::MenuIndex index;
    std::map<int, std::string> texts;
    RecordReader reader = [this](int j, TMacroRecord& record) {
        record.MacroText = texts[j];
        return true;
    };
};

TEST_F(ChooserModelTest, NicknameAndScopeOfTheMacrosTheFileHolds) {
    index.add("Greet", 10, kScopeGlobal);
    index.add("", kCodeShortKey, kScopeWindow, "Editor", "qq");  // no nickname: its activation
    index.add("Sub menu", kCodeNone, kScopePopupMenu);
    index.add("Tool", kCodeTimed, kScopeProgram, "gimp");
    TMacroRecord menu = test::menuRecord("N30", {4, 2, 600, 4, 3, 0, 1});
    const ChooserModel m = chooserModel(menu, index.table, index.settings, reader);
    ASSERT_EQ(m.entries.size(), 4u);
    const std::vector<std::tuple<int, char, std::string, std::string>> expected = {{4, '0', "Tool", "gimp"},
                                                                                   {2, '1', "qq", "Editor"},
                                                                                   {3, '2', "Sub menu", "Popup Menu"},
                                                                                   {1, '3', "Greet", "GLOBAL"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [macro, key, name, scope] = expected[i];
        EXPECT_EQ(m.entries[i].macro, macro);
        EXPECT_EQ(m.entries[i].key, key);
        EXPECT_EQ(m.entries[i].name, name);
        EXPECT_EQ(m.entries[i].scope, scope);
    }
    EXPECT_TRUE(m.emptyNote.empty());
}

TEST_F(ChooserModelTest, FirstPartOfTheTextOnOneLine) {
    index.add("Greet", 10, kScopeGlobal);
    index.add("Sub menu", kCodeNone, kScopePopupMenu);
    texts[1] = "Hello<ENTER>\r\nWorld\t!" + std::string(300, 'x');
    const ChooserModel m = chooserModel(test::menuRecord("N10", {1, 2}), index.table, index.settings, reader);
    ASSERT_EQ(m.entries.size(), 2u);
    EXPECT_EQ(m.entries[0].name.substr(0, 22), "Hello<ENTER>  World !x");
    EXPECT_EQ(m.entries[0].name.size(), kFirstPartChars);
    EXPECT_EQ(m.entries[1].name, "Sub menu");  // a menu has no text: its nickname stands in
}

TEST_F(ChooserModelTest, AMenuWhoseMacrosAreGoneSaysSo) {
    index.add("Only", 10, kScopeGlobal);
    const ChooserModel m = chooserModel(test::menuRecord("N20", {2, 3}), index.table, index.settings, reader);
    EXPECT_TRUE(m.entries.empty());
    EXPECT_EQ(m.emptyNote, kEmptyMenuNote);
    EXPECT_EQ(m.options.display, MenuDisplay::Icons);
}

TEST(TrayMenus, MenusThatAskForAnIconInFileOrderAtMostFifteen) {
    test::MenuIndex index;
    index.add("Global with Y", 10, kScopeGlobal, "", "Y11");  // not a menu
    index.add("No tray", kCodeNone, kScopePopupMenu, "", "N30");
    for (int i = 1; i <= 17; ++i) index.add("Menu " + std::to_string(i), kCodeNone, kScopePopupMenu, "", "Y30");
    index.settings.MacroIcon[4] = {MacroIconRef::Kind::File, "/icons/a.ico"};
    const std::vector<TrayMenu> menus = trayMenus(index.table, index.settings);
    ASSERT_EQ(menus.size(), 15u);
    EXPECT_EQ(menus.front().macro, 3);
    EXPECT_EQ(menus.front().nickName, "Menu 1");
    EXPECT_EQ(menus.front().icon.kind, MacroIconRef::Kind::Menu);
    EXPECT_EQ(menus[2].icon, (MacroIconRef{MacroIconRef::Kind::File, "/icons/a.ico"}));
    EXPECT_EQ(menus.back().macro, 17);
}

}  // namespace
}  // namespace orv
