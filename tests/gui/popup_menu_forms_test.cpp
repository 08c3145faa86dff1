#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "activation/menu_fixture.h"
#include "gui/forms/build_menu_form.h"
#include "gui/forms/choose_macro_form.h"
#include "platform/fake/fake_user_prompt.h"
#include "platform/hotkey_codes.h"
#include "support/temp_dir.h"

namespace orv::gui {
namespace {

template <typename W>
W* child(QWidget& form, const char* name) {
    auto* w = form.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A menu of `count` global macros numbered 1..count, shown in `options`' display.
ChooserModel chooser(int count, const std::string& options, test::MenuIndex& index) {
    std::vector<std::int16_t> items;
    for (int i = 1; i <= count; ++i) {
        index.add("Macro " + std::to_string(i), 10 + i, kScopeGlobal);
        items.push_back(static_cast<std::int16_t>(i));
    }
    return chooserModel(test::menuRecord(options, items), index.table, index.settings, [](int, TMacroRecord& r) {
        r.MacroText = "text";
        return true;
    });
}

TEST(ChooseAMacroForm, NineteenLinesSplitIntoTwoListsAndTheKeysChooseByPosition) {
    struct Case {
        const char* keys;
        int chosen;  // -1: the window is still open
    };
    const Case cases[] = {{"i", 19}, {"I", 19}, {"5", 6}, {"0", 1}, {"J", -1}, {"#", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        test::MenuIndex index;
        TDoAMenu menu(chooser(19, "N30", index), std::nullopt);
        menu.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        EXPECT_EQ(menu.windowTitle(), QStringLiteral("Double Click or Press Number or Letter"));
        auto* left = child<QListWidget>(menu, "LeftList");
        auto* right = child<QListWidget>(menu, "RightList");
        ASSERT_EQ(left->count(), 18);
        ASSERT_EQ(right->count(), 1);
        EXPECT_EQ(right->item(0)->text(), QStringLiteral("Macro 19"));
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(c.keys));
        EXPECT_EQ(menu.chosen(), c.chosen);
        EXPECT_EQ(menu.isVisible(), c.chosen == -1);
    }
}

// A 1280 x 800 screen at twice the scale has 400 lines for the window: the lists scroll, and the
// keys still reach every entry.
TEST(ChooseAMacroForm, OnAShortScreenTheListsScrollAndTheKeysStillChoose) {
    test::MenuIndex index;
    TDoAMenu menu(chooser(19, "N30", index), std::nullopt);
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    const int full = menu.height();
    menu.fitHeight(300);
    EXPECT_LT(menu.height(), full);
    EXPECT_LE(menu.frameGeometry().height(), 300);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("i"));
    EXPECT_EQ(menu.chosen(), 19);
}

TEST(ChooseAMacroForm, ADoubleClickChoosesALineAndCancelChoosesNothing) {
    test::MenuIndex index;
    TDoAMenu menu(chooser(3, "N10", index), std::nullopt);
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    auto* left = child<QListWidget>(menu, "LeftList");
    EXPECT_EQ(left->item(1)->text(), QStringLiteral("text"));  // the first part of the macro's text
    EXPECT_EQ(menu.findChild<QListWidget*>(QStringLiteral("RightList")), nullptr);
    const QRect line = left->visualItemRect(left->item(2));
    // A real double click: press and release, then the double-click press.
    QTest::mouseClick(left->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(menu.chosen(), -1);  // a single click only selects
    QTest::mouseDClick(left->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(menu.chosen(), 3);

    TDoAMenu cancelled(chooser(3, "N30", index), std::nullopt);
    cancelled.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cancelled));
    QTest::mouseClick(child<QPushButton>(cancelled, "CancelButton"), Qt::LeftButton);
    EXPECT_EQ(cancelled.chosen(), -1);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

TEST(ChooseAMacroForm, IconModeIsNineButtonsWideAndAClickChooses) {
    test::MenuIndex index;
    TDoAMenu menu(chooser(10, "N22", index), std::nullopt);  // 32 x 32
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("Choose A Macro"));
    auto* first = child<QToolButton>(menu, "Entry0");
    auto* ninth = child<QToolButton>(menu, "Entry8");
    auto* tenth = child<QToolButton>(menu, "Entry9");
    EXPECT_EQ(first->size(), QSize(36, 36));
    EXPECT_EQ(first->iconSize(), QSize(32, 32));
    EXPECT_EQ(ninth->y(), first->y());
    EXPECT_EQ(ninth->x() - first->x(), 8 * 36);
    EXPECT_EQ(tenth->x(), first->x());
    EXPECT_EQ(tenth->y() - first->y(), 36);
    EXPECT_EQ(tenth->toolTip(), QStringLiteral("Macro 10"));
    QTest::mouseClick(tenth, Qt::LeftButton);
    EXPECT_EQ(menu.chosen(), 10);
}

TEST(ChooseAMacroForm, AMenuWithNothingLeftSaysSo) {
    test::MenuIndex index;
    index.add("Only", 10, kScopeGlobal);
    TDoAMenu menu(chooserModel(test::menuRecord("N30", {4, 7}), index.table, index.settings,
                               [](int, TMacroRecord&) { return false; }),
                  std::nullopt);
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    EXPECT_EQ(child<QLabel>(menu, "EmptyNote")->text(), QString::fromLatin1(kEmptyMenuNote));
    QTest::keyClick(&menu, Qt::Key_0);
    EXPECT_EQ(menu.chosen(), -1);
}

TEST(ChooseAMacroForm, OpenedFromTheTrayItStandsOnTheScreenEdgeAtTheClick) {
    test::MenuIndex index;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    TDoAMenu menu(chooser(2, "N30", index), MenuAnchor{area.left() + 40, area.bottom() - 5});
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    const QRect frame = menu.frameGeometry();
    EXPECT_EQ(frame.left(), area.left() + 40);
    EXPECT_EQ(frame.bottom(), area.bottom());
}

class BuildMacroMenuForm : public ::testing::Test {
protected:
    BuildMacroMenuForm() {
        index.add("System", 262, kScopeSystem, "1");
        for (int i = 2; i <= 40; ++i) index.add("Macro " + std::to_string(i), 10 + i, kScopeGlobal);
    }
    std::function<bool(int, TMacroRecord&)> reader() {
        return [this](int j, TMacroRecord& r) {
            r = TMacroRecord{};
            r.NickName = index.settings.nickName(j);
            r.HotKeyCode = static_cast<std::int16_t>(index.table.HotKeyCode(j));
            r.Scope = static_cast<std::int16_t>(index.table.Scope(j));
            r.Active = 1;
            r.MacroText = "typed text";
            return true;
        };
    }
    static IconChooser noIcons() {
        return [](QWidget*) { return std::optional<std::string>(); };
    }
    test::TempDir dir;
    test::MenuIndex index;
    fake::FakeUserPrompt prompt;
    TMacroRecord buffer;
};

// A 1280 x 800 screen at twice the scale is 640 x 400 to the dialog; its frame needs some room.
TEST_F(BuildMacroMenuForm, FitsASmallScreenAtTwiceTheScale) {
    BuildMenuModel model(buffer, true, index.table, index.settings, dir.path());
    TDoBuildMenu form(model, QStringLiteral("Ctrl+Alt+M"), reader(), noIcons(), prompt);
    const QSize least = form.minimumSizeHint();
    EXPECT_LE(least.width(), 640 - 16);
    EXPECT_LE(least.height(), 400 - 48);
}

TEST_F(BuildMacroMenuForm, ANewMenuIsBuiltFromTheAvailableMacrosAndWrittenOnOk) {
    BuildMenuModel model(buffer, true, index.table, index.settings, dir.path());
    TDoBuildMenu form(model, QStringLiteral("Ctrl+Alt+M"), reader(), noIcons(), prompt);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* available = child<QTreeWidget>(form, "AvailableList");
    auto* menu = child<QTreeWidget>(form, "MenuList");
    ASSERT_EQ(available->topLevelItemCount(), 39);  // no System macro
    EXPECT_EQ(available->topLevelItem(0)->text(1), QStringLiteral("Macro 2"));

    available->setCurrentItem(available->topLevelItem(3));  // macro 5
    QTest::mouseClick(child<QPushButton>(form, "AddButton"), Qt::LeftButton);
    available->setCurrentItem(available->topLevelItem(0));  // macro 2, before macro 5
    QTest::mouseClick(child<QPushButton>(form, "InsertBeforeButton"), Qt::LeftButton);
    ASSERT_EQ(menu->topLevelItemCount(), 2);
    EXPECT_EQ(menu->topLevelItem(0)->text(1), QStringLiteral("Macro 2"));
    EXPECT_FALSE(child<QPushButton>(form, "UpButton")->isEnabled());  // the new entry is first
    EXPECT_TRUE(child<QPushButton>(form, "DownButton")->isEnabled());

    QTest::keyClicks(child<QLineEdit>(form, "NickName"), QStringLiteral("Tools"));
    child<QCheckBox>(form, "PlaceInTray")->setChecked(true);
    child<QRadioButton>(form, "Icons")->setChecked(true);
    child<QComboBox>(form, "IconSize")->setCurrentIndex(2);
    QTest::mouseClick(child<QPushButton>(form, "OkButton"), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(form.trayMenusChanged());
    EXPECT_EQ(buffer.NickName, "Tools");
    EXPECT_EQ(buffer.Scope, kScopePopupMenu);
    EXPECT_EQ(buffer.ShortKeyText, "Y22");
    EXPECT_EQ(buffer.IconName, "MENU");
    EXPECT_EQ(buffer.MenuItems, (std::vector<std::int16_t>{2, 5}));
}

TEST_F(BuildMacroMenuForm, TheThirtySixthEntryIsTheLast) {
    std::vector<std::int16_t> items;
    for (int j = 2; j <= 36; ++j) items.push_back(static_cast<std::int16_t>(j));
    buffer = test::menuRecord("N30", items);
    BuildMenuModel model(buffer, false, index.table, index.settings, dir.path());
    TDoBuildMenu form(model, {}, reader(), noIcons(), prompt);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* available = child<QTreeWidget>(form, "AvailableList");
    available->setCurrentItem(available->topLevelItem(0));
    auto* add = child<QPushButton>(form, "AddButton");
    ASSERT_TRUE(add->isEnabled());
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(child<QTreeWidget>(form, "MenuList")->topLevelItemCount(), 36);
    available->setCurrentItem(available->topLevelItem(0));
    for (const char* name : {"AddButton", "InsertBeforeButton", "InsertAfterButton"})
        EXPECT_FALSE(child<QPushButton>(form, name)->isEnabled()) << name;
    // Double clicking an available macro cannot pass the limit either.
    emit available->itemDoubleClicked(available->topLevelItem(0), 0);
    EXPECT_EQ(child<QTreeWidget>(form, "MenuList")->topLevelItemCount(), 36);
}

TEST_F(BuildMacroMenuForm, ARightClickShowsQuickInfoAndAStoredMenuSaysWhatItDropped) {
    buffer = test::menuRecord("N10", {3, 99, 3});
    BuildMenuModel model(buffer, false, index.table, index.settings, dir.path());
    TDoBuildMenu form(model, {}, reader(), noIcons(), prompt);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, "Warning");
    EXPECT_NE(prompt.shown()[0].text.find("entry 99 names no macro of the file"), std::string::npos);

    auto* menu = child<QTreeWidget>(form, "MenuList");
    ASSERT_EQ(menu->topLevelItemCount(), 1);
    emit menu->customContextMenuRequested(menu->visualItemRect(menu->topLevelItem(0)).center());
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[1].title, "Quick Info");
    const std::string head = "Hot Key: " + hotKeyName(13) + "\nName: Macro 3\nScope: GLOBAL\nActive: Yes\n";
    EXPECT_EQ(prompt.shown()[1].text, head + "Macro: typed text");
}

}  // namespace
}  // namespace orv::gui
