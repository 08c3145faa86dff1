// Quick Wizards as the main window runs them: the single-command wizard through a command
// dialog, a wizard that lists the desktop's printers, and the capture wizard handing over to the
// capture. Each ends with the macro in the file. And the set-up that a first start offers.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "gui/main_window.h"
#include "gui/modal_helper.h"
#include "gui/model_form.h"
#include "gui/qt_playback_windows.h"
#include "gui/resident_window.h"
#include "gui/wizards/quick_wizard_form.h"
#include "platform/fake/fake_dialog_queries.h"
#include "platform/hotkey_codes.h"

namespace orv::gui {
namespace {

constexpr int kCtrlK = 10;

template <typename W>
W* shown(QWidget& parent, const QString& name) {
    for (W* c : parent.findChildren<W*>(name))
        if (c->isVisibleTo(&parent)) return c;
    ADD_FAILURE() << "no visible " << name.toStdString();
    return nullptr;
}

// Answers the wizard's screens the way a user does: the controls on screen, then "&Next >".
struct Steps {
    TQuickWiz& form;
    void next() { QTest::mouseClick(shown<QPushButton>(form, QStringLiteral("NextButton")), Qt::LeftButton); }
    void choose(const char* field, int choice) {
        if (auto* b =
                shown<QRadioButton>(form, QString::fromLatin1(field) + QLatin1Char('_') + QString::number(choice)))
            b->click();
    }
    void type(const char* field, const char* text) {
        if (auto* e = shown<QLineEdit>(form, QString::fromLatin1(field))) e->setText(QString::fromLatin1(text));
    }
    void pick(const char* field, const QString& entry) {
        auto* list = shown<QListWidget>(form, QString::fromLatin1(field));
        ASSERT_NE(list, nullptr);
        const auto items = list->findItems(entry, Qt::MatchStartsWith);
        ASSERT_FALSE(items.isEmpty()) << entry.toStdString();
        list->setCurrentItem(items.front(), QItemSelectionModel::ClearAndSelect);
    }
};

class WizardRunTest : public test::ResidentWindowTest {
protected:
    WizardRunTest() {
        settings.CaptureTime = false;
        windows.addWindow({77, "Editor - notes", 4242});
        start([](MacroStore&) {});
        window.attach(*resident, playbackQt);
        window.setDesktopQueries(&desktop);
        window.macrosChanged();
        window.show();
    }

    // Runs wizard `number` with `answer` driving its form; false when the form never came up.
    bool run(int number, const std::function<void(Steps&)>& answer) {
        bool came = false;
        test::whenModal<TQuickWiz>([&](TQuickWiz* form) {
            came = true;
            Steps steps{*form};
            answer(steps);
            if (form->isVisible()) form->reject();  // a failed step must not leave it open
        });
        window.DoQuickWiz(number);
        return came;
    }

    TMacroRecord last() {
        TMacroRecord r;
        EXPECT_TRUE(resident->readMacroRecord(table.MacroCount(), r));
        return r;
    }

    fake::FakeDesktopQueries desktop{trace};
    QtPlaybackWindows playbackQt{&window, windows};
};

TEST_F(WizardRunTest, SingleCommandWizardWritesWhatTheCommandDialogMade) {
    const int before = table.MacroCount();
    ASSERT_TRUE(run(27, [](Steps& s) {
        s.next();
        s.choose("category", 0);
        s.next();
        s.choose("command0", 6);  // a remark
        s.next();
        bool opened = false;
        test::whenModal<ModelForm>([&](ModelForm* dialog) {
            opened = true;
            dialog->findChild<QLineEdit*>(QStringLiteral("remark"))->setText(QStringLiteral("note"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
        });
        QTest::mouseClick(shown<QPushButton>(s.form, QStringLiteral("ChooseCommand")), Qt::LeftButton);
        EXPECT_TRUE(opened);
        EXPECT_EQ(shown<QLineEdit>(s.form, QStringLiteral("commandText"))->text(), QStringLiteral("<REM:note>"));
        s.next();
        s.choose("activation", 3);
        s.next();
        s.type("nickname", "Noted");
        s.next();
    }));
    ASSERT_EQ(table.MacroCount(), before + 1);
    const TMacroRecord r = last();
    EXPECT_EQ(r.MacroText, "<REM:note>");
    EXPECT_EQ(r.NickName, "Noted");
    EXPECT_EQ(r.HotKeyCode, kCodeNone);
    EXPECT_EQ(window.list().selectedMacro(), table.MacroCount());
}

TEST_F(WizardRunTest, PrinterWizardListsTheDesktopsPrinters) {
    desktop.printerList = {"Office Laser", "Labels"};
    ASSERT_TRUE(run(14, [](Steps& s) {
        s.next();
        s.pick("printer", QStringLiteral("Labels"));
        s.next();
        s.choose("activation", 3);
        s.next();
        s.type("nickname", "Labels printer");
        s.next();
    }));
    EXPECT_EQ(last().MacroText, "<DEFPRT:Labels>");
}

TEST_F(WizardRunTest, CaptureWizardStartsTheCaptureInTheChosenWindowAndSavesTheMacro) {
    const int j = table.MacroCount() + 1;
    ASSERT_TRUE(run(7, [](Steps& s) {
        s.next();  // the function screen
        s.next();  // keystrokes: yes
        s.choose("captureMouse", 0);
        s.next();
        s.choose("speed", 4);  // ten times as fast
        s.next();
        auto* keys = shown<QListWidget>(s.form, QStringLiteral("hotkey"));
        keys->setCurrentRow(kCtrlK, QItemSelectionModel::ClearAndSelect);
        s.next();
        s.type("nickname", "typed");
        s.next();
        s.pick("captureWindow", QStringLiteral("Editor - notes"));
        s.next();
        s.next();  // "Click the Finish Button to start capturing your macro."
    }));
    ASSERT_TRUE(hook.libraryTable().CaptureOn());
    EXPECT_EQ(windows.foreground(), WindowId{77});
    EXPECT_TRUE(window.isMinimized());
    EXPECT_EQ(table.MacroCount(), j - 1);  // written when the capture ends

    for (const char c : std::string("hi")) resident->handleHookMessage({HookMsg::CaptureText, j, c, 999});
    resident->handleHookMessage({HookMsg::CaptureEnd, j, 0, 999});
    EXPECT_FALSE(hook.libraryTable().CaptureOn());
    ASSERT_EQ(table.MacroCount(), j);
    const TMacroRecord r = last();
    EXPECT_EQ(r.MacroText, "<SPEED:00.10>hi");
    EXPECT_EQ(r.NickName, "typed");
    EXPECT_EQ(r.HotKeyCode, kCtrlK);
    EXPECT_EQ(r.Scope, kScopeGlobal);
}

// The sweepstakes wizard steps aside while the user fills in the entry form; at the stop key it
// comes back on the next screen and its macro holds what was typed.
TEST_F(WizardRunTest, SweepstakesWizardRecordsTheEntryFormBetweenItsScreens) {
    const int before = table.MacroCount();
    bool cameBack = false;
    const auto finishTail = [&](TQuickWiz* form) {
        cameBack = true;
        Steps s{*form};
        s.choose("activation", 3);
        s.next();
        s.type("nickname", "Sweeps");
        s.next();
        s.next();                               // "Your sweepstakes macro is ready"
        if (form->isVisible()) form->reject();  // a failed step must not leave it open
    };
    // The user types while the recording runs, then presses the stop key.
    auto* user = new QTimer;
    user->setInterval(5);
    QObject::connect(user, &QTimer::timeout, [&, user] {
        if (!hook.libraryTable().CaptureOn()) return;
        user->stop();
        user->deleteLater();
        EXPECT_FALSE(window.isVisible());
        for (const char c : std::string("me<TAB>x")) resident->handleHookMessage({HookMsg::CaptureText, 0, c, 999});
        test::whenModal<TQuickWiz>(finishTail);
        resident->handleHookMessage({HookMsg::CaptureEnd, 0, 0, 999});
    });
    ASSERT_TRUE(run(18, [&](Steps& s) {
        s.next();            // what the wizard does
        s.next();            // how it works
        bool named = false;  // the screen names the key that ends the recording
        for (const QLabel* l : s.form.findChildren<QLabel*>())
            named |= l->isVisibleTo(&s.form) && l->text().contains(QStringLiteral("press Ctrl+Alt+Shift+X when"));
        EXPECT_TRUE(named);
        user->start();
        s.next();  // leaves the recording screen: the recording starts
    }));
    EXPECT_TRUE(cameBack);
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(table.MacroCount(), before + 1);
    EXPECT_EQ(last().MacroText, "<SPKEY:0050>me<TAB>x<SPACE>");
    EXPECT_EQ(last().NickName, "Sweeps");
}

TEST_F(WizardRunTest, AFirstStartOffersTheSetUpAndSkippingItIsRemembered) {
    ASSERT_TRUE(settings.FirstUse);
    QString caption;
    test::whenModal<TQuickWiz>([&](TQuickWiz* form) {
        caption = form->windowTitle();
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("CancelButton")), Qt::LeftButton);
    });
    window.showAtStart(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !caption.isEmpty(); }, 10000));
    EXPECT_EQ(caption, QStringLiteral("Quick Wizard: Set Up The Program For The First Time"));
    EXPECT_FALSE(settings.FirstUse);
    EXPECT_NE(test::readFile(paths.iniFile()).find("First Use=No"), std::string::npos);
}

}  // namespace
}  // namespace orv::gui
