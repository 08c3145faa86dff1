#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "activation/autostart.h"

#include "dialogs/timing_dialogs.h"
#include "gui/modal_helper.h"
#include "gui/forms/capture_forms.h"
#include "gui/forms/preference_form.h"
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

// The Settings dialog's "Start with the desktop" is the user's autostart entry: turning it on
// writes the entry with the switches typed, the dialog shows it again, turning it off removes it.
TEST(MainWindowOptions, StartWithTheDesktopWritesAndRemovesTheAutostartEntry) {
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    // The user's configuration folder is a scratch one for this test, put back when it ends.
    struct ConfigHome {
        QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        ~ConfigHome() { wasSet ? void(qputenv("XDG_CONFIG_HOME", saved)) : void(qunsetenv("XDG_CONFIG_HOME")); }
    } restore;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const std::string entry = autostartPath();
    EXPECT_EQ(entry, config.path().toStdString() + "/autostart/" + kAutostartFileName);

    TAppSettings settings;
    TMainWin window(settings);
    QMenu* options = submenu(window.menuBar()->actions(), QStringLiteral("&Options"));
    ASSERT_NE(options, nullptr);
    QAction* settingsItem = item(options->actions(), QStringLiteral("Se&ttings"));
    ASSERT_NE(settingsItem, nullptr);
    // One pass of the dialog: what it showed, then the check box and switches set and "&Ok".
    struct Pass {
        bool on;
        QString typed;
        bool shownOn;
        QString shownSwitches;
    };
    const auto run = [&](const Pass& p, std::vector<std::string>* refusals) {
        bool shown = false;
        test::whenModal<TPreference>([&](TPreference* form) {
            shown = true;
            auto* start = form->findChild<QCheckBox*>(QStringLiteral("StartWithDesktop"));
            auto* switches = form->findChild<QLineEdit*>(QStringLiteral("StartSwitches"));
            ASSERT_NE(start, nullptr);
            ASSERT_NE(switches, nullptr);
            EXPECT_EQ(start->isChecked(), p.shownOn);
            EXPECT_EQ(switches->text(), p.shownSwitches);
            EXPECT_EQ(switches->isEnabled(), p.shownOn);
            start->setChecked(p.on);
            switches->setText(p.typed);
            if (refusals != nullptr) {
                test::whenModal<QMessageBox>([refusals](QMessageBox* box) {
                    refusals->push_back(box->text().toStdString());
                    box->accept();
                });
            }
            form->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
            if (refusals != nullptr) {
                // Refused: the dialog stays open with the switches to correct.
                EXPECT_TRUE(form->isVisible());
                form->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
            }
        });
        settingsItem->trigger();
        EXPECT_TRUE(shown);
    };

    std::vector<std::string> refusals;
    run({true, QStringLiteral("/F \"/home/me/My Macros"), false, QString()}, &refusals);
    EXPECT_EQ(refusals, std::vector<std::string>{kMsgSwitchesQuote});
    EXPECT_FALSE(std::filesystem::exists(entry));

    run({true, QStringLiteral("/HIDE /F \"/home/me/My Macros/w.ORV\""), false, QString()}, nullptr);
    const AutostartSetting written = readAutostartFile(entry);
    EXPECT_TRUE(written.enabled);
    EXPECT_EQ(splitSwitches(written.switches), (std::vector<std::string>{"/HIDE", "/F", "/home/me/My Macros/w.ORV"}));

    run({false, QString(), true, QString::fromStdString(written.switches)}, nullptr);
    EXPECT_FALSE(std::filesystem::exists(entry));
}

}  // namespace
}  // namespace orv::gui
