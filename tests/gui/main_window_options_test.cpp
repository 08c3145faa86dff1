#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "dialogs/timing_dialogs.h"
#include "gui/modal_helper.h"
#include "gui/forms/capture_forms.h"
#include "gui/option_forms.h"

namespace orv::gui {
namespace {

QAction* item(const QList<QAction*>& actions, const QString& text) {
    for (QAction* a : actions)
        if (a->text() == text) return a;
    ADD_FAILURE() << "no menu item " << text.toStdString();
    return nullptr;
}

QMenu* submenu(const QList<QAction*>& actions, const QString& text) {
    QAction* a = item(actions, text);
    return a != nullptr ? a->menu() : nullptr;
}

TEST(MainWindowOptions, NetworkAndSchedulerItemsWithChecksFromTheSettings) {
    for (const bool on : {false, true}) {
        TAppSettings settings;
        settings.ShowDate = on;
        settings.DisableScreenSaver = !on;
        TMainWin window(settings);
        QMenu* options = submenu(window.menuBar()->actions(), QStringLiteral("&Options"));
        ASSERT_NE(options, nullptr);
        EXPECT_NE(item(options->actions(), QStringLiteral("&Network")), nullptr);
        QMenu* scheduler = submenu(options->actions(), QStringLiteral("&Scheduler"));
        ASSERT_NE(scheduler, nullptr);
        EXPECT_NE(item(scheduler->actions(), QStringLiteral("&Timer Interval")), nullptr);
        EXPECT_NE(item(scheduler->actions(), QStringLiteral("&Alarm")), nullptr);
        QAction* showDate = item(scheduler->actions(), QStringLiteral("&Show Date && Time"));
        ASSERT_NE(showDate, nullptr);
        EXPECT_TRUE(showDate->isCheckable());
        EXPECT_EQ(showDate->isChecked(), on);
        QMenu* screenSaver = submenu(scheduler->actions(), QStringLiteral("Screen Sa&ver"));
        ASSERT_NE(screenSaver, nullptr);
        QAction* disable = item(screenSaver->actions(), QStringLiteral("&Disable if using Timed Macros"));
        ASSERT_NE(disable, nullptr);
        EXPECT_TRUE(disable->isCheckable());
        EXPECT_EQ(disable->isChecked(), !on);
    }
}

TEST(MainWindowOptions, ShowDialogRunsTheModelsFormModally) {
    TAppSettings settings;
    TMainWin window(settings);
    dialogs::DialogEnv env;
    env.settings = &settings;
    const struct {
        const char* typed;
        bool accepted;
        int timerSeconds;
    } cases[] = {{"35", true, 35}, {"", false, 35}};
    for (const auto& c : cases) {
        dialogs::TDoDelay model;
        dialogs::TDoDelay::Values values;
        values.mode = dialogs::TDoDelay::Timer;
        values.frequency = settings.TimerSeconds;
        model.load(values);
        test::whenModal<DelayForm>([&c](DelayForm* form) {
            auto* frequency = form->findChild<QLineEdit*>(QStringLiteral("frequency"));
            ASSERT_NE(frequency, nullptr);
            frequency->setText(QString::fromLatin1(c.typed));
            const char* button = c.accepted ? "OkButton" : "CancelButton";
            QTest::mouseClick(form->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        });
        EXPECT_EQ(window.showDialog(model, env), c.accepted) << c.typed;
        EXPECT_EQ(settings.TimerSeconds, c.timerSeconds);
    }
}

TEST(MainWindowOptions, CaptureOpensTheCaptureDefaults) {
    TAppSettings settings;
    TMainWin window(settings);
    QMenu* options = submenu(window.menuBar()->actions(), QStringLiteral("&Options"));
    ASSERT_NE(options, nullptr);
    QAction* capture = item(options->actions(), QStringLiteral("&Capture"));
    ASSERT_NE(capture, nullptr);
    EXPECT_TRUE(capture->isEnabled());
    bool shown = false;
    test::whenModal<TCaptureDefaults>([&shown](TCaptureDefaults* form) {
        shown = true;
        form->findChild<QCheckBox*>(QStringLiteral("PromptOnCapture"))->setChecked(false);
        form->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
    });
    capture->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(settings.CapturePrompt);
}

}  // namespace
}  // namespace orv::gui
