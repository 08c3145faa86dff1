// Making and changing macros in the real main window: Add Macro, the direct editor and what
// reaches the macro file.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "gui/forms/add_macro_form.h"
#include "gui/forms/build_menu_form.h"
#include "gui/forms/direct_editor_form.h"
#include "gui/forms/scripting_editor.h"
#include "gui/forms/macro_memo.h"
#include "gui/forms/schedule_form.h"
#include "gui/forms/two_column_list.h"
#include "gui/hotkey_picker.h"
#include "gui/modal_helper.h"
#include "gui/qt_playback_windows.h"
#include "gui/resident_window.h"
#include "store/macro_file.h"

namespace orv::gui {
namespace {

using C = MainCommand;

constexpr int kCtrlAltH = 151;  // Ctrl+Alt+H
constexpr int kCtrlAltM = 156;  // Ctrl+Alt+M

class MacroEditingWindowTest : public test::ResidentWindowTest {
protected:
    MacroEditingWindowTest() {
        start([](MacroStore& store) {
            TMacroRecord r = macro("zulu", 10);
            EXPECT_TRUE(store.AppendMacroRecord(r));
        });
        window.attach(*resident, playbackQt);
        window.macrosChanged();
        window.show();
    }

    template <typename W>
    static W* child(QWidget* parent, const char* name) {
        W* w = parent->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void click(QWidget* parent, const char* name) {
        QAbstractButton* b = child<QAbstractButton>(parent, name);
        const bool indicator = qobject_cast<QRadioButton*>(b) != nullptr;
        QTest::mouseClick(b, Qt::LeftButton, {}, indicator ? QPoint(6, b->height() / 2) : b->rect().center());
    }

    // "Add Macro": `fill` chooses the activation, then "&Enter Directly"; in the editor the
    // nickname and text are typed, `edit` does the rest, then "&Update".
    void addMacro(const std::function<void(TAddNewHotKey*)>& fill, const std::string& nick, const QString& text,
                  const std::function<void(TModHotKeys*)>& edit = {}) {
        test::whenModal<TAddNewHotKey>([fill](TAddNewHotKey* d) {
            fill(d);
            click(d, "EnterKeyButton");
        });
        test::whenModal<TModHotKeys>([=](TModHotKeys* e) {
            QTest::keyClicks(child<QLineEdit>(e, "NickName"), QString::fromStdString(nick));
            QTest::keyClicks(e->memo(), text);
            if (edit) edit(e);
            click(e, "UpdateButton");
        });
        window.action(C::AddMacro)->trigger();
    }
    static void selectByNickname(QTreeWidget* list, const QString& nick) {
        const QList<QTreeWidgetItem*> found = list->findItems(nick, Qt::MatchExactly, 1);
        ASSERT_EQ(found.size(), 1) << nick.toStdString();
        list->setCurrentItem(found.front());
    }
    TMacroRecord stored(int j) const {
        return readMacroFile(settings.CurrentFile).records.at(static_cast<std::size_t>(j - 1));
    }

    QtPlaybackWindows playbackQt{&window, windows};
};

TEST_F(MacroEditingWindowTest, EveryKindOfMacroIsAddedAndReadBack) {
    ASSERT_TRUE(window.action(C::AddMacro)->isEnabled());
    addMacro([](TAddNewHotKey* d) { d->hotKeyList()->setCurrentRow(kCtrlAltH); }, "hello", QStringLiteral("Hello"));
    addMacro(
        [](TAddNewHotKey* d) {
            click(d, "UseShortKeys");
            QTest::keyClicks(child<QLineEdit>(d, "ShortKeyName"), QStringLiteral("brb"));
        },
        "short", QStringLiteral("be right back"));
    addMacro(
        [](TAddNewHotKey* d) {
            click(d, "UseTitle");
            QTest::keyClicks(child<QLineEdit>(d, "ShortKeyName"), QStringLiteral("Notes"));
        },
        "title", QStringLiteral("Dear Sir"));
    addMacro([](TAddNewHotKey* d) { click(d, "TimedMacro"); }, "timed", QStringLiteral("tick"),
             [](TModHotKeys* e) {
                 test::whenModal<ScheduleForm>([](ScheduleForm* s) {
                     click(s, "kind_hourly");
                     QLineEdit* minutes = child<QLineEdit>(s, "hourlyminutes");
                     minutes->setText(QStringLiteral("30"));
                     click(s, "UpdateButton");
                 });
                 click(e, "SetSchedule");
             });

    ASSERT_EQ(table.MacroCount(), 9);
    const TMacroRecord hot = stored(6);
    EXPECT_EQ(hot.NickName, "hello");
    EXPECT_EQ(hot.HotKeyCode, kCtrlAltH);
    EXPECT_EQ(hot.MacroText, "Hello");
    EXPECT_EQ(hot.Scope, kScopeGlobal);
    EXPECT_EQ(hot.Active, 1);
    const TMacroRecord shortKey = stored(7);
    EXPECT_EQ(shortKey.HotKeyCode, kCodeShortKey);
    EXPECT_EQ(shortKey.ShortKeyText, "brb");
    EXPECT_EQ(shortKey.MacroText, "be right back");
    const TMacroRecord title = stored(8);
    EXPECT_EQ(title.HotKeyCode, kCodeWindowTitle);
    EXPECT_EQ(title.WindowTitle, "Notes");
    const TMacroRecord timed = stored(9);
    EXPECT_EQ(timed.HotKeyCode, kCodeTimed);
    EXPECT_EQ(timed.ScheduleKind, 2);
    EXPECT_EQ(timed.HourlyMinute, 30);
    // The last one added is selected, and the new hotkey is registered with the library.
    EXPECT_EQ(window.list().selectedMacro(), 9);
    EXPECT_TRUE(hook.libraryTable().HotKeyInUse(kCtrlAltH));
    EXPECT_TRUE(hook.libraryTable().HaveShortKeys());
}

TEST_F(MacroEditingWindowTest, ADoubleClickOpensTheScriptingEditorAndSaveRewritesTheMacro) {
    const int row = window.list().ReverseSort(5) - 1;
    auto* grid = window.findChild<QTableView*>(QStringLiteral("MyGrid"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, 3)).center());
    ASSERT_EQ(window.list().selectedMacro(), 5);
    QStringList shown;
    test::whenModal<TDoScripting>([&](TDoScripting* e) {
        EXPECT_EQ(e->windowTitle(), QStringLiteral("Macro Scripting Editor  (GLOBAL)"));
        auto* lines = child<QListWidget>(e, "Script");
        for (int i = 0; i < lines->count(); ++i) shown << lines->item(i)->text();
        lines->setCurrentRow(0);
        test::whenModal<TModText>([](TModText* t) {
            t->memo()->moveCursor(QTextCursor::End);
            QTest::keyClicks(t->memo(), QStringLiteral("!"));
            click(t, "UpdateButton");
        });
        click(e, "EditButton");
        click(e, "OkButton");
    });
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(shown, QStringList{QStringLiteral("Text: zulu")});
    EXPECT_EQ(stored(5).MacroText, "zulu!");
    EXPECT_EQ(stored(5).NickName, "zulu");
    EXPECT_EQ(table.MacroCount(), 5);

    // Cancel writes nothing.
    const std::string before = test::readFile(settings.CurrentFile);
    test::whenModal<TModHotKeys>([](TModHotKeys* e) {
        QTest::keyClicks(e->memo(), QStringLiteral("more"));
        click(e, "CancelButton");
    });
    window.action(C::ModifyDirectly)->trigger();
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
}

// The hotkey field takes what is pressed; the plain left click that leaves it for a button is
// not taken, and Abort adds nothing.
TEST_F(MacroEditingWindowTest, TheHotKeyFieldTakesPressedKeysButNotTheClickThatLeavesIt) {
    QString shown;
    test::whenModal<TAddNewHotKey>([&](TAddNewHotKey* d) {
        auto* field = child<HotkeyPickerField>(d, "HotKeyEntry");
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        field->setFocus();
        ASSERT_TRUE(HotkeyPickerField::deliver(field->pickerWindow(), kCtrlAltH));
        HotkeyPickerField::deliver(field->pickerWindow(), 699);  // LMouse
        shown = field->text();
        EXPECT_EQ(d->hotKeyList()->currentRow(), kCtrlAltH);
        click(d, "AbortButton");
    });
    window.action(C::AddMacro)->trigger();
    EXPECT_EQ(shown, QStringLiteral("Ctrl+Alt+H"));
    EXPECT_EQ(table.MacroCount(), 5);
}

// "Build Menu" in Add Macro writes the new popup menu with its entries; "Modify Popup Menu"
// opens the same builder on the stored menu and rewrites it.
TEST_F(MacroEditingWindowTest, APopupMenuIsBuiltFromAddMacroAndChangedByModify) {
    addMacro([](TAddNewHotKey* d) { d->hotKeyList()->setCurrentRow(kCtrlAltH); }, "hello", QStringLiteral("Hello"));
    ASSERT_EQ(table.MacroCount(), 6);

    test::whenModal<TAddNewHotKey>([](TAddNewHotKey* d) {
        click(d, "UsePopup");
        d->hotKeyList()->setCurrentRow(kCtrlAltM);
        click(d, "EnterKeyButton");
    });
    test::whenModal<TDoBuildMenu>([](TDoBuildMenu* b) {
        selectByNickname(child<QTreeWidget>(b, "AvailableList"), QStringLiteral("zulu"));
        click(b, "AddButton");
        QTest::keyClicks(child<QLineEdit>(b, "NickName"), QStringLiteral("Tools"));
        click(b, "OkButton");
    });
    window.action(C::AddMacro)->trigger();
    ASSERT_EQ(table.MacroCount(), 7);
    EXPECT_EQ(stored(7).NickName, "Tools");
    EXPECT_EQ(stored(7).Scope, kScopePopupMenu);
    EXPECT_EQ(stored(7).HotKeyCode, kCtrlAltM);
    EXPECT_EQ(stored(7).MenuItems, (std::vector<std::int16_t>{5}));
    ASSERT_EQ(window.list().selectedMacro(), 7);
    EXPECT_EQ(window.action(C::ModifyDirectly)->text(), QStringLiteral("Mo&dify Popup Menu"));

    test::whenModal<TDoBuildMenu>([](TDoBuildMenu* b) {
        auto* menu = child<QTreeWidget>(b, "MenuList");
        menu->setCurrentItem(menu->topLevelItem(0));
        click(b, "RemoveButton");
        selectByNickname(child<QTreeWidget>(b, "AvailableList"), QStringLiteral("hello"));
        click(b, "AddButton");
        click(b, "OkButton");
    });
    window.action(C::ModifyDirectly)->trigger();
    EXPECT_EQ(table.MacroCount(), 7);
    EXPECT_EQ(stored(7).MenuItems, (std::vector<std::int16_t>{6}));
    EXPECT_EQ(stored(7).NickName, "Tools");
}

}  // namespace
}  // namespace orv::gui
