#include "gui/system_keys_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "activation/resident.h"
#include "gui/hook_message_bridge.h"
#include "gui/hotkey_picker.h"
#include "gui/main_window.h"
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
#include "store/macro_store.h"
#include "store/settings.h"
#include "support/temp_dir.h"

namespace orv::gui {
namespace {

constexpr int kGlobalCode = 10;  // "Ctrl+K", taken by a Global macro
constexpr int kFreeCode = 300;   // "Shift+F1", used by no macro

// The main window over a resident program on fakes; the file holds the four system macros and
// one Global macro on Ctrl+K.
class SystemKeysDialogTest : public test::ResidentWindowTest {
protected:
    SystemKeysDialogTest() {
        start([](MacroStore& store) {
            TMacroRecord global = macro("Global", kGlobalCode);
            global.MacroText = "g";
            EXPECT_TRUE(store.AppendMacroRecord(global));
        });
        EXPECT_EQ(table.Scope(table.MacroCount()), kScopeGlobal);
    }

    // The index of system macro "1".."4".
    int systemMacro(char which) const {
        for (int j = 1; j <= table.MacroCount(); ++j)
            if (table.Scope(j) == kScopeSystem && table.WindowTitle(j) == std::string(1, which)) return j;
        ADD_FAILURE() << "no system macro " << which;
        return 0;
    }

    // A combination pressed while a field holds the picker: the library sends it to the
    // picker window.
    void press(int code) {
        ASSERT_TRUE(QTest::qWaitFor([this] { return hook.libraryTable().PickerActive(); }, 5000));
        hook.post(HookMsg::PickerHotKey, code);
    }

    // Answers the next message box and keeps its title and text.
    void answerMessageBox() {
        test::whenModal<QMessageBox>([this](QMessageBox* box) {
            boxTitle = box->windowTitle();
            boxText = box->text();
            box->accept();
        });
    }

    QString boxTitle;
    QString boxText;
};

TEST_F(SystemKeysDialogTest, PickerFieldHoldsThePickerWhileFocusedAndShowsAcceptedCodes) {
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    auto* field = new HotkeyPickerField(*resident, &host);
    auto* other = new QLineEdit(&host);
    layout->addWidget(field);
    layout->addWidget(other);
    std::vector<int> offered;
    field->setAcceptor([&offered](int code) {
        offered.push_back(code);
        return code != kGlobalCode;
    });
    other->setFocus();
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_FALSE(hook.libraryTable().PickerActive());

    field->setFocus();
    EXPECT_TRUE(hook.libraryTable().PickerActive());
    EXPECT_EQ(hook.libraryTable().PickerWindow(), field->pickerWindow());

    // A refused code leaves the field as it was; an accepted one shows its name.
    const struct {
        int code;
        const char* shown;
    } cases[] = {{kGlobalCode, ""}, {262, "Ctrl+Alt+Shift+W"}, {720, "Win+Space"}, {kGlobalCode, "Win+Space"}};
    for (const auto& c : cases) {
        const std::size_t before = offered.size();
        press(c.code);
        ASSERT_TRUE(QTest::qWaitFor([&] { return offered.size() == before + 1; }, 5000)) << c.code;
        EXPECT_EQ(offered.back(), c.code);
        EXPECT_EQ(field->text().toStdString(), c.shown) << c.code;
    }
    EXPECT_EQ(field->code(), 720);
    EXPECT_FALSE(HotkeyPickerField::deliver(field->pickerWindow() + 1, 262));  // addressed elsewhere

    other->setFocus();
    EXPECT_FALSE(hook.libraryTable().PickerActive());
    EXPECT_FALSE(HotkeyPickerField::deliver(field->pickerWindow(), 262));

    field->setFocus();
    EXPECT_TRUE(hook.libraryTable().PickerActive());
    delete field;
    EXPECT_FALSE(hook.libraryTable().PickerActive());
}

TEST_F(SystemKeysDialogTest, AHotkeyOfAGlobalMacroIsRefused) {
    TSystemKeys dialog(*resident, 0);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "System Hot Keys");
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    answerMessageBox();
    press(kGlobalCode);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !boxText.isEmpty(); }, 5000));
    EXPECT_EQ(boxTitle.toStdString(), "Error");
    EXPECT_EQ(boxText.toStdString(),
              "The hot key \"Ctrl+K\" is already in use by a macro.  If you wish to use this hot key combination, you "
              "will first need to either remove or move the macro which is assigned to it.");
    EXPECT_EQ(dialog.field(0)->text().toStdString(), "Ctrl+Alt+Shift+W");
    EXPECT_EQ(dialog.field(0)->code(), 262);
}

TEST_F(SystemKeysDialogTest, OkRefusesTheSameHotkeyTwiceAndStaysOpen) {
    TSystemKeys dialog(*resident, 0);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    for (int i : {0, 1}) {
        dialog.field(i)->setFocus();
        press(kFreeCode);
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.field(i)->code() == kFreeCode; }, 5000)) << i;
    }
    answerMessageBox();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
    EXPECT_EQ(boxTitle.toStdString(), "Error");
    EXPECT_EQ(boxText.toStdString(), "The same hot key has been assigned to more than one system command.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(table.HotKeyCode(systemMacro('1')), 262);
    EXPECT_EQ(table.HotKeyCode(systemMacro('2')), 263);
}

// A double click on a system macro in the main window's list opens the dialog on that macro's
// field; "&Ok" rewrites the macro, saves the menu choice, and the list and the library follow.
TEST_F(SystemKeysDialogTest, DoubleClickOnASystemMacroChangesItsHotkey) {
    QtPlaybackWindows playbackQt(&window, windows);
    window.attach(*resident, playbackQt);
    window.macrosChanged();  // the list as start-up fills it once the window is attached
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const int j = systemMacro('2');
    auto* grid = window.findChild<QTableView*>(QStringLiteral("MyGrid"));
    ASSERT_NE(grid, nullptr);
    const int row = window.list().ReverseSort(j) - 1;
    const auto activation = [&] { return grid->model()->index(row, 2).data().toString().toStdString(); };
    ASSERT_EQ(activation(), "Ctrl+Alt+Shift+X");

    bool opened = false;
    test::whenModal<TSystemKeys>([&](TSystemKeys* dialog) {
        opened = true;
        // A failed step still closes the dialog, so that the test ends.
        const std::unique_ptr<TSystemKeys, void (*)(TSystemKeys*)> closer(dialog, [](TSystemKeys* d) {
            if (d->isVisible()) d->reject();
        });
        ASSERT_TRUE(QTest::qWaitFor([dialog] { return dialog->field(1)->hasFocus(); }, 5000));
        press(kFreeCode);
        ASSERT_TRUE(QTest::qWaitFor([dialog] { return dialog->field(1)->text() == QStringLiteral("Shift+F1"); }, 5000));
        dialog->findChild<QRadioButton*>(QStringLiteral("SystemMenu2"))->click();
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
    });
    const QPoint cell = grid->visualRect(grid->model()->index(row, 2)).center();
    // A real double click: press and release, then the double-click press.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cell);
    ASSERT_TRUE(opened);

    TMacroRecord record;
    ASSERT_TRUE(resident->readMacroRecord(j, record));
    EXPECT_EQ(record.HotKeyCode, kFreeCode);
    EXPECT_EQ(table.HotKeyCode(systemMacro('1')), 262);
    TAppSettings saved;
    LoadSettings(saved, paths);
    EXPECT_EQ(saved.SystemMenu, 2);
    EXPECT_TRUE(hook.libraryTable().HotKeyInUse(kFreeCode));
    EXPECT_FALSE(hook.libraryTable().HotKeyInUse(263));
    EXPECT_FALSE(hook.libraryTable().PickerActive());
    EXPECT_EQ(grid->model()->index(window.list().ReverseSort(j) - 1, 2).data().toString().toStdString(), "Shift+F1");
}

}  // namespace
}  // namespace orv::gui
