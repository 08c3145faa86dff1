// Capture as the main window runs it: "Re&capture Macro" through "Capture Macro", and the
// "Start / Stop Capture" hotkey ending in "Capture Complete"; the list shows the saved macro.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "gui/forms/add_macro_form.h"
#include "gui/forms/capture_forms.h"
#include "gui/forms/two_column_list.h"
#include "gui/main_window.h"
#include "gui/modal_helper.h"
#include "gui/qt_playback_windows.h"
#include "gui/resident_window.h"
#include "store/sync_file.h"

namespace orv::gui {
namespace {

constexpr int kCtrlK = 10;
constexpr int kShiftF1 = 300;
constexpr int kStartStopCapture = 263;
constexpr int kCtrlAltH = 151;

class CaptureWindowTest : public test::ResidentWindowTest {
protected:
    // `networkMode`: the macro file is shared, so the shared-file lock shows in its sync file.
    explicit CaptureWindowTest(bool networkMode = false) {
        settings.NetworkMode = networkMode;
        settings.CaptureTime = false;
        start([](MacroStore& store) {
            TMacroRecord r = macro("zulu", kCtrlK);
            EXPECT_TRUE(store.AppendMacroRecord(r));
        });
        window.attach(*resident, playbackQt);
        window.macrosChanged();
        window.show();
    }

    void record(int j, const std::string& text) {
        for (const char c : text) resident->handleHookMessage({HookMsg::CaptureText, j, c, 999});
        resident->handleHookMessage({HookMsg::CaptureEnd, j, 0, 999});
    }
    std::string textOf(int j) {
        TMacroRecord r;
        EXPECT_TRUE(resident->readMacroRecord(j, r));
        return r.MacroText;
    }

    // The shared-file lock as the sync file shows it to the other programs.
    bool lockTaken() const {
        SyncRecord r;
        EXPECT_TRUE(SyncFile(syncFilePath(settings.CurrentFile)).read(r, r).ok());
        return r.state == SyncRecord::kHeld;
    }

    QtPlaybackWindows playbackQt{&window, windows};
};

TEST_F(CaptureWindowTest, RecaptureStartsFromTheDialogAndSelectsTheSavedMacro) {
    const int zulu = table.MacroCount();
    auto* grid = window.findChild<QTableView*>(QStringLiteral("MyGrid"));
    const int row = window.list().ReverseSort(zulu) - 1;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, 3)).center());
    ASSERT_EQ(window.list().selectedMacro(), zulu);
    ASSERT_TRUE(window.action(MainCommand::Recapture)->isEnabled());

    bool shown = false;
    test::whenModal<TCaptureKeys>([&](TCaptureKeys* form) {
        shown = true;
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Capture Macro"));
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("StopKey"))->text(),
                  QStringLiteral("Press Ctrl+Alt+Shift+X to end capture"));
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("OwnKey"))->text(),
                  QStringLiteral("Or Press Ctrl+K to end capture"));
        auto* nickname = form->findChild<QLineEdit*>(QStringLiteral("Nickname"));
        EXPECT_EQ(nickname->text(), QStringLiteral("zulu"));
        nickname->setText(QStringLiteral("yankee"));
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("StartCapture")), Qt::LeftButton);
    });
    window.action(MainCommand::Recapture)->trigger();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(hook.libraryTable().CaptureOn());
    EXPECT_TRUE(window.isMinimized());

    record(zulu, "done");
    EXPECT_FALSE(hook.libraryTable().CaptureOn());
    EXPECT_EQ(textOf(zulu), "done");
    EXPECT_EQ(settings.nickName(zulu), "yankee");
    ASSERT_FALSE(prompt.shown().empty());
    EXPECT_EQ(prompt.shown().back().text, "Orvanta 99 capture is complete for Ctrl+K.");
    EXPECT_FALSE(window.isMinimized());
    EXPECT_EQ(window.list().selectedMacro(), zulu);
}

TEST_F(CaptureWindowTest, TheCaptureHotkeyEndsInCaptureCompleteWithTheChosenHotkey) {
    resident->handleHookMessage({HookMsg::HotKey, kStartStopCapture, 10, 999});
    const int j = table.MacroCount();
    ASSERT_TRUE(hook.libraryTable().CaptureOn());
    EXPECT_EQ(prompt.shown().back().title, "Start Capture");

    bool shown = false;
    test::whenModal<TCapComplete>([&](TCapComplete* form) {
        shown = true;
        EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        auto* list = form->findChild<QTreeWidget*>(QStringLiteral("HotKeyList"));
        list->setCurrentItem(list->topLevelItem(kShiftF1));
        form->findChild<QLineEdit*>(QStringLiteral("Nickname"))->setText(QStringLiteral("greeting"));
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
    });
    record(j, "hi");
    ASSERT_TRUE(shown);
    EXPECT_EQ(textOf(j), "hi");
    EXPECT_EQ(settings.nickName(j), "greeting");
    EXPECT_EQ(table.HotKeyCode(j), kShiftF1);
    EXPECT_TRUE(hook.libraryTable().HotKeyInUse(kShiftF1));
    EXPECT_EQ(window.list().selectedMacro(), j);
}

class AddMacroCaptureTest : public CaptureWindowTest {
protected:
    AddMacroCaptureTest() : CaptureWindowTest(true) {}
};

// Add Macro's "&Capture Macro" hands the new macro and the shared-file lock to the capture: it
// is appended, with the hotkey chosen in Add Macro, when the capture ends, and the lock is given
// back then. Cancelled in "Capture Macro", nothing is written and the lock is given back at once.
TEST_F(AddMacroCaptureTest, TheNewMacroIsAppendedWhenTheCaptureEndsAndCancelWritesNothing) {
    const int count = table.MacroCount();
    const std::string before = test::readFile(settings.CurrentFile);
    const auto addByCapture = [&](bool start) {
        test::whenModal<TAddNewHotKey>([](TAddNewHotKey* d) {
            d->hotKeyList()->setCurrentRow(kCtrlAltH);
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("CaptureKeyButton")), Qt::LeftButton);
        });
        bool shown = false;
        test::whenModal<TCaptureKeys>([&](TCaptureKeys* form) {
            shown = true;
            EXPECT_TRUE(lockTaken());
            EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("OwnKey"))->text(),
                      QStringLiteral("Or Press Ctrl+Alt+H to end capture"));
            form->findChild<QLineEdit*>(QStringLiteral("Nickname"))->setText(QStringLiteral("hello"));
            QTest::mouseClick(
                form->findChild<QPushButton*>(QString::fromLatin1(start ? "StartCapture" : "CancelButton")),
                Qt::LeftButton);
        });
        window.action(MainCommand::AddMacro)->trigger();
        EXPECT_TRUE(shown);
    };

    addByCapture(false);
    EXPECT_FALSE(resident->captureRunning());
    EXPECT_FALSE(lockTaken());
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);

    addByCapture(true);
    ASSERT_TRUE(hook.libraryTable().CaptureOn());
    EXPECT_TRUE(lockTaken());  // the capture holds it now
    EXPECT_EQ(table.MacroCount(), count);
    record(count + 1, "Hello");
    EXPECT_FALSE(lockTaken());
    ASSERT_EQ(table.MacroCount(), count + 1);
    EXPECT_EQ(textOf(count + 1), "Hello");
    EXPECT_EQ(table.HotKeyCode(count + 1), kCtrlAltH);
    EXPECT_EQ(settings.nickName(count + 1), "hello");
    EXPECT_EQ(window.list().selectedMacro(), count + 1);
}

// A left click on the tray icon of a program in the tray closes its open dialogs as Cancel
// would, the shared-file lock going back with them, and brings up the main window.
TEST_F(AddMacroCaptureTest, ATrayClickClosesTheOpenDialogsAndGivesBackTheLock) {
    settings.UseTray = true;
    const std::string before = test::readFile(settings.CurrentFile);
    window.hide();
    test::whenModal<TAddNewHotKey>([](TAddNewHotKey* d) {
        d->hotKeyList()->setCurrentRow(kCtrlAltH);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("CaptureKeyButton")), Qt::LeftButton);
    });
    bool lockedMeanwhile = false;
    test::whenModal<TCaptureKeys>([&](TCaptureKeys*) {
        lockedMeanwhile = lockTaken();
        window.SysTrayOpen();
    });
    window.action(MainCommand::AddMacro)->trigger();
    EXPECT_TRUE(lockedMeanwhile);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(lockTaken());
    EXPECT_FALSE(resident->captureRunning());
    EXPECT_EQ(test::readFile(settings.CurrentFile), before);
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace orv::gui
