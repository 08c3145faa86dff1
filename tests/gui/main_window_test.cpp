#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <memory>

#include "activation/resident.h"
#include "gui/forms/appearance_form.h"
#include "gui/forms/copy_move_form.h"
#include "gui/forms/quick_info_form.h"
#include "gui/forms/sort_order_form.h"
#include "gui/hook_message_bridge.h"
#include "gui/icons.h"
#include "gui/macro_grid.h"
#include "gui/modal_helper.h"
#include "gui/resident_window.h"
#include "gui/qt_playback_windows.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_keyboard_input.h"
#include "platform/fake/fake_message_pump.h"
#include "platform/fake/fake_mouse_input.h"
#include "platform/fake/fake_playback_windows.h"
#include "platform/fake/fake_process_list.h"
#include "platform/fake/fake_thread_sleep.h"
#include "platform/fake/fake_user_prompt.h"
#include "platform/fake/fake_window_system.h"
#include "store/macro_file.h"
#include "store/macro_store.h"
#include "store/settings.h"
#include "support/temp_dir.h"

namespace orv::gui {
namespace {

using C = MainCommand;

constexpr int kCtrlB = 1;
constexpr int kCtrlK = 10;

// The real main window over a resident program on fakes. The file holds the four system macros
// and three of the user's: "zulu" on Ctrl+K (Global), "alpha" on Ctrl+B (Global) and "mike", a
// timed macro limited to a window.
class MainWindowTest : public test::ResidentWindowTest {
protected:
    MainWindowTest() {
        start([](MacroStore& store) {
            for (TMacroRecord r :
                 {macro("zulu", kCtrlK), macro("alpha", kCtrlB), macro("mike", kCodeTimed, kScopeWindow)}) {
                r.WindowTitle = r.Scope == kScopeWindow ? "Editor" : "";
                EXPECT_TRUE(store.AppendMacroRecord(r));
            }
        });
        window.attach(*resident, playbackQt);
        window.macrosChanged();
        window.show();
        grid = window.findChild<QTableView*>(QStringLiteral("MyGrid"));
    }

    int macroNamed(const std::string& nick) const {
        for (int j = 1; j <= table.MacroCount(); ++j)
            if (settings.nickName(j) == nick) return j;
        return 0;
    }
    // The nicknames in row order, as the grid shows them.
    std::vector<std::string> rows() const {
        std::vector<std::string> out;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            out.push_back(grid->model()->index(r, 3).data().toString().toStdString());
        return out;
    }
    void clickRow(const std::string& nick) {
        const int row = window.list().ReverseSort(macroNamed(nick)) - 1;
        ASSERT_GE(row, 0) << nick;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 3)).center());
        ASSERT_EQ(window.list().selectedMacro(), macroNamed(nick));
    }
    // Answers the next message box with `button` and keeps its title and text.
    void answerMessageBox(QMessageBox::StandardButton button) {
        test::whenModal<QMessageBox>([this, button](QMessageBox* box) {
            boxes.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
            box->button(button)->click();
        });
    }

    QtPlaybackWindows playbackQt{&window, windows};
    QTableView* grid = nullptr;
    std::vector<std::string> boxes;
};

TEST_F(MainWindowTest, AHeaderRightClickSortsByThatColumnOnce) {
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(rows().size(), 7u);
    clickRow("mike");
    const QPoint nickname(grid->horizontalHeader()->sectionViewportPosition(3) + 5, 5);
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::RightButton, {}, nickname);
    EXPECT_EQ(settings.PrimarySort, "213");
    const std::vector<std::string> sorted = rows();
    EXPECT_EQ(sorted.front(), "Activate Orvanta");
    EXPECT_EQ(sorted[1], "alpha");
    EXPECT_EQ(window.list().selectedMacro(), macroNamed("mike"));  // the selection stays on its macro
    TAppSettings saved;
    LoadSettings(saved, paths);
    EXPECT_EQ(saved.PrimarySort, "213");
    // The column that already sorts first changes nothing; another header sorts by scope.
    settings.PrimarySort = "2";
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::RightButton, {}, nickname);
    EXPECT_EQ(settings.PrimarySort, "2");
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::RightButton, {},
                      QPoint(grid->horizontalHeader()->sectionViewportPosition(4) + 5, 5));
    EXPECT_EQ(settings.PrimarySort, "321");
}

TEST_F(MainWindowTest, CommandsFollowTheSelectedMacro) {
    clickRow("Resume Pause");
    EXPECT_FALSE(window.action(C::RemoveMacro)->isEnabled());
    EXPECT_TRUE(window.action(C::RenameMacro)->isEnabled());
    EXPECT_FALSE(window.speedButton(C::RemoveMacro)->isEnabled());
    clickRow("mike");
    EXPECT_TRUE(window.action(C::RemoveMacro)->isEnabled());
    EXPECT_EQ(window.action(C::ActivateMacro)->text(), QStringLiteral("Deacti&vate Macro"));
    EXPECT_EQ(window.speedButton(C::ActivateMacro)->toolTip(), QStringLiteral("Deactivate Macro"));
    window.action(C::ActivateMacro)->trigger();
    EXPECT_FALSE(table.Active(macroNamed("mike")));
    EXPECT_EQ(readMacroFile(settings.CurrentFile).records[static_cast<std::size_t>(macroNamed("mike") - 1)].Active, 0);
    EXPECT_EQ(window.action(C::ActivateMacro)->text(), QStringLiteral("Acti&vate Macro"));
    EXPECT_EQ(window.letterButton(C::ActivateMacro)->text(), QStringLiteral("Acti&vate Macro"));
    EXPECT_TRUE(grid->model()->index(window.list().selectedRow() - 1, 3).data(Qt::UserRole + 1).toBool());
}

TEST_F(MainWindowTest, RemoveAsksFirstAndKeepsTheRow) {
    clickRow("alpha");
    const int row = window.list().selectedRow();
    answerMessageBox(QMessageBox::No);
    window.action(C::RemoveMacro)->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Delete: Are you sure you want to remove \"Ctrl+B\"?");
    EXPECT_EQ(readMacroFile(settings.CurrentFile).records.size(), 7u);

    answerMessageBox(QMessageBox::Yes);
    window.speedButton(C::RemoveMacro)->trigger();
    EXPECT_EQ(readMacroFile(settings.CurrentFile).records.size(), 6u);
    EXPECT_EQ(macroNamed("alpha"), 0);
    EXPECT_EQ(window.list().selectedRow(), row);
    EXPECT_EQ(rows().size(), 6u);
    EXPECT_FALSE(hook.libraryTable().HotKeyInUse(kCtrlB));
}

TEST_F(MainWindowTest, RenameOntoATakenGlobalHotkeyIsRefused) {
    clickRow("alpha");
    const std::string before = test::readFile(settings.CurrentFile);
    bool formShown = false;
    test::whenModal<TCopyOrMoveForm>([&](TCopyOrMoveForm* form) {
        formShown = true;
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Move Hot Key"));
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("Heading"))->text(), QStringLiteral("MOVE Ctrl+B TO"));
        EXPECT_EQ(form->hotKeyList()->item(kCtrlK)->text(), QStringLiteral("Ctrl+K  (1 macro in use)"));
        form->hotKeyList()->setCurrentRow(kCtrlK);
        answerMessageBox(QMessageBox::Ok);
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
        EXPECT_TRUE(form->isVisible());  // the refusal keeps the dialog open
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("CancelButton")), Qt::LeftButton);
    });
    window.action(C::RenameMacro)->trigger();
    ASSERT_TRUE(formShown);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0],
              "Error: A \"GLOBAL\" or \"POPUP MENU\" hot key already exists for this selection. The \"MOVE\" did not "
              "take place.");
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
}

TEST_F(MainWindowTest, CopyTakesAFreeHotkeyAndSelectsTheCopy) {
    clickRow("zulu");
    test::whenModal<TCopyOrMoveForm>([&](TCopyOrMoveForm* form) {
        form->hotKeyList()->setCurrentRow(300);  // Shift+F1
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
    });
    window.speedButton(C::CopyMacro)->trigger();
    const auto records = readMacroFile(settings.CurrentFile).records;
    ASSERT_EQ(records.size(), 8u);
    EXPECT_EQ(records.back().NickName, "zulu");
    EXPECT_EQ(records.back().HotKeyCode, 300);
    EXPECT_EQ(window.list().selectedMacro(), 8);
    EXPECT_TRUE(hook.libraryTable().HotKeyInUse(300));
}

TEST_F(MainWindowTest, AppearanceRefusesABadWidthAndAppliesTheRest) {
    bool refused = false;
    test::whenModal<TDoAppear>([&](TDoAppear* form) {
        auto* width = form->findChild<QLineEdit*>(QStringLiteral("Width2"));
        width->setText(QStringLiteral("abc"));
        answerMessageBox(QMessageBox::Ok);
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
        refused = form->isVisible() && width->selectedText() == QStringLiteral("abc");  // the field is picked out
        width->setText(QStringLiteral("300"));
        form->findChild<QRadioButton*>(QStringLiteral("LetteredButtons"))->setChecked(true);
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
    });
    window.action(C::Appearance)->trigger();
    EXPECT_TRUE(refused);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error: Invalid width specified.");
    EXPECT_EQ(settings.Col2Width, 300);
    EXPECT_EQ(grid->columnWidth(3), 300);
    EXPECT_FALSE(settings.UseSpeed);
    EXPECT_FALSE(window.findChild<QWidget*>(QStringLiteral("SpeedButtons"))->isVisible());
    EXPECT_TRUE(window.findChild<QWidget*>(QStringLiteral("LetteredButtons"))->isVisible());
}

// The icon column's title is not cut, and the scope column reaches the window's edge however
// wide the window is, never narrower than its stored width; the stretch is not stored.
TEST_F(MainWindowTest, TheColumnsFillTheWindowAndTheIconTitleFits) {
    const int iconTitle = grid->horizontalHeader()->fontMetrics().horizontalAdvance(QStringLiteral("Icon"));
    EXPECT_GT(grid->columnWidth(1), iconTitle);
    const int stored = settings.Col3Width;
    for (const int width : {1000, 700, 1200}) {
        SCOPED_TRACE(width);
        window.resize(width, 500);
        ASSERT_TRUE(QTest::qWaitFor([&] { return grid->viewport()->width() > 0 && window.width() == width; }));
        int used = 0;
        for (int c = 0; c < grid->model()->columnCount(); ++c) used += grid->columnWidth(c);
        EXPECT_EQ(used, std::max(grid->viewport()->width(), used - grid->columnWidth(4) + stored));
        EXPECT_GE(grid->columnWidth(4), stored);
    }
    EXPECT_EQ(settings.Col3Width, stored);
}

TEST_F(MainWindowTest, SortOrderMovesEntriesAndSortsOnOk) {
    test::whenModal<TSortOrder>([&](TSortOrder* form) {
        auto* primary = form->findChild<QListWidget*>(QStringLiteral("PrimarySort"));
        auto* up = form->findChild<QPushButton*>(QStringLiteral("PrimarySortUp"));
        EXPECT_FALSE(up->isEnabled());  // nothing selected
        primary->setCurrentRow(0);
        EXPECT_FALSE(up->isEnabled());
        primary->setCurrentRow(1);  // "Nickname"
        ASSERT_TRUE(up->isEnabled());
        up->click();
        EXPECT_EQ(primary->item(0)->text(), QStringLiteral("Nickname"));
        EXPECT_EQ(primary->currentRow(), 0);
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
    });
    window.action(C::SortMacros)->trigger();
    EXPECT_EQ(settings.PrimarySort, "213");
    EXPECT_EQ(rows()[1], "alpha");
}

TEST_F(MainWindowTest, TypingFindsAMacroByItsActivation) {
    QTest::keyClicks(grid, QStringLiteral("ti"));
    EXPECT_EQ(window.list().selectedMacro(), macroNamed("mike"));
    EXPECT_EQ(grid->currentIndex().row() + 1, window.list().selectedRow());
    EXPECT_EQ(window.action(C::RemoveMacro)->isEnabled(), true);
    QTest::keyClick(grid, Qt::Key_Escape);  // a new search
    QTest::keyClicks(grid, QStringLiteral("ctrl+b"));
    EXPECT_EQ(window.list().selectedMacro(), macroNamed("alpha"));
    QTest::keyClicks(grid, QStringLiteral("x"));  // nothing matches: the selection stays
    EXPECT_EQ(window.list().selectedMacro(), macroNamed("alpha"));
}

TEST_F(MainWindowTest, RightClickOnARowShowsQuickInfo) {
    const int row = window.list().ReverseSort(macroNamed("mike")) - 1;
    QString scope;
    test::whenModal<TQuickInfo>([&](TQuickInfo* info) {
        scope = info->findChild<QLabel*>(QStringLiteral("Scope"))->text();
        info->accept();
    });
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, grid->visualRect(grid->model()->index(row, 3)).center());
    EXPECT_EQ(scope, QStringLiteral("Editor \"Window\" (If Running)"));
}

// A macro whose icon file cannot be read shows the program's own icon.
TEST(MacroGridModel, AnUnreadableIconFileShowsTheMainIcon) {
    orv::test::TempDir dir;
    const std::string broken = dir.file("broken.ico");
    orv::test::writeFile(broken, "not a picture");
    MacroList list;
    TActivationTable table;
    TAppSettings settings;
    settings.MacroIcon[0] = {MacroIconRef::Kind::File, broken};
    settings.MacroIcon[1] = {MacroIconRef::Kind::Menu, ""};
    MacroGridModel model(list, table, settings);
    const QImage main = mainIcon().pixmap(32, 32).toImage();
    EXPECT_EQ(model.iconOf(1).toImage(), main);
    EXPECT_NE(model.iconOf(2).toImage(), main);
}

}  // namespace
}  // namespace orv::gui
