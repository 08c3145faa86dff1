#include "gui/option_forms.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <string>
#include <vector>

#include "dialogs/media_dialogs.h"
#include "dialogs/timing_dialogs.h"
#include "gui/modal_helper.h"
#include "platform/fake/fake_dialog_queries.h"

namespace orv::gui {
namespace {

template <typename W>
W* child(QWidget& parent, const char* name) {
    W* w = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Clicks a check box or radio button on its indicator (its middle may lie beyond its text).
void clickIndicator(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Answers the next message box with its only button and keeps its title and text.
struct MessageBoxAnswer {
    std::vector<std::string> seen;
    void expectOne() {
        test::whenModal<QMessageBox>([this](QMessageBox* box) {
            seen.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
            box->accept();
        });
    }
};

TEST(NetworkConsiderationsForm, SyncChoicesFollowFileLocking) {
    NetworkOptionsModel model;
    model.fileLocking = false;
    model.autoSync = true;
    model.minutes = "10";
    TNetworkConsiderations dialog(model);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Network Considerations"));
    auto* locking = child<QCheckBox>(dialog, "FileLocking");
    auto* autoSync = child<QCheckBox>(dialog, "AutoSync");
    auto* minutes = child<QLineEdit>(dialog, "SyncMinutes");
    EXPECT_EQ(locking->text(), QStringLiteral("&File Locking of Macro Files"));
    EXPECT_EQ(autoSync->text(), QStringLiteral("&Automatic Synchronization Updating"));
    for (const bool on : {false, true, false}) {
        if (locking->isChecked() != on) clickIndicator(locking);
        EXPECT_EQ(autoSync->isEnabled(), on);
        EXPECT_EQ(minutes->isEnabled(), on);
    }
}

TEST(NetworkConsiderationsForm, IntervalTakesAtMostTwoDigits) {
    NetworkOptionsModel model;
    model.fileLocking = true;
    model.minutes = "10";
    TNetworkConsiderations dialog(model);
    dialog.show();
    auto* minutes = child<QLineEdit>(dialog, "SyncMinutes");
    minutes->clear();
    QTest::keyClicks(minutes, QStringLiteral("4x567"));
    EXPECT_EQ(minutes->text(), QStringLiteral("45"));
}

TEST(NetworkConsiderationsForm, EveryWayOfClosingGivesTheFieldsBack) {
    struct Way {
        const char* name;
        void (*close)(TNetworkConsiderations&);
    };
    const Way ways[] = {
        {"Ok", [](TNetworkConsiderations& d) { QTest::mouseClick(child<QPushButton>(d, "OkButton"), Qt::LeftButton); }},
        {"close box", [](TNetworkConsiderations& d) { d.close(); }},
        {"Escape", [](TNetworkConsiderations& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        NetworkOptionsModel model;
        model.fileLocking = false;
        model.autoSync = true;
        model.minutes = "10";
        TNetworkConsiderations dialog(model);
        dialog.show();
        clickIndicator(child<QCheckBox>(dialog, "FileLocking"));
        clickIndicator(child<QCheckBox>(dialog, "AutoSync"));
        auto* minutes = child<QLineEdit>(dialog, "SyncMinutes");
        minutes->clear();
        QTest::keyClicks(minutes, QStringLiteral("7"));
        way.close(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(model.fileLocking);
        EXPECT_FALSE(model.autoSync);
        EXPECT_EQ(model.minutes, "7");
        EXPECT_EQ(model.syncMinutes(), 7);
    }
}

class ModelFormTest : public ::testing::Test {
protected:
    ModelFormTest() {
        files.addFile("/sounds/ding.wav");
        env.files = &files;
        env.settings = &settings;
    }
    fake::FakeDialogFiles files;
    TAppSettings settings;
    dialogs::DialogEnv env;
    MessageBoxAnswer boxes;
};

TEST_F(ModelFormTest, TimerModeShowsOnlyTheFrequencyAndKeepsARefusedValueOpen) {
    dialogs::TDoDelay model;
    dialogs::TDoDelay::Values values;
    values.mode = dialogs::TDoDelay::Timer;
    values.frequency = 25;
    model.load(values);
    DelayForm form(model, env);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Set Delay"));
    EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("seconds")), nullptr);
    EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("keypad")), nullptr);
    auto* frequency = child<QLineEdit>(form, "frequency");
    EXPECT_EQ(frequency->text(), QStringLiteral("25"));
    EXPECT_EQ(frequency->maxLength(), 2);

    frequency->setText(QStringLiteral("75"));
    boxes.expectOne();
    QTest::mouseClick(child<QPushButton>(form, "OkButton"), Qt::LeftButton);
    EXPECT_EQ(boxes.seen, std::vector<std::string>{"Error: Value must be between 1 and 60."});
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.control("frequency"), frequency);
    EXPECT_EQ(settings.TimerSeconds, 10);

    frequency->setText(QStringLiteral("30"));
    QTest::mouseClick(child<QPushButton>(form, "OkButton"), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(settings.TimerSeconds, 30);
    EXPECT_EQ(boxes.seen.size(), 1u);
}

TEST_F(ModelFormTest, AlarmModeShowsAndStoresTheSchedulersSound) {
    settings.UseWaveFile = true;
    settings.WaveFile = "/sounds/ding.wav";
    settings.WaveFileWait = true;
    dialogs::TDoSound model;
    model.set("mode", "alarm");
    model.show(env);
    SoundForm form(model, env);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Set Sound"));
    auto* beep = child<QRadioButton>(form, "kind_beep");
    auto* wave = child<QRadioButton>(form, "kind_wave");
    auto* file = child<QLineEdit>(form, "file");
    auto* wait = child<QCheckBox>(form, "wait");
    EXPECT_EQ(beep->text(), QStringLiteral("&Beep"));
    EXPECT_EQ(wave->text(), QStringLiteral("&Wave File"));
    EXPECT_EQ(wait->text(), QStringLiteral("Wait for wave file to &finish"));
    EXPECT_TRUE(wave->isChecked());
    EXPECT_EQ(file->text(), QStringLiteral("/sounds/ding.wav"));
    EXPECT_TRUE(wait->isChecked());

    file->setText(QStringLiteral("/sounds/none.wav"));
    boxes.expectOne();
    QTest::mouseClick(child<QPushButton>(form, "OkButton"), Qt::LeftButton);
    EXPECT_EQ(boxes.seen, std::vector<std::string>{"Error: Specified WAV File does not exist.  Please correct."});
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.control("file"), file);

    clickIndicator(beep);
    EXPECT_FALSE(file->isEnabled());
    EXPECT_FALSE(wait->isEnabled());
    QTest::mouseClick(child<QPushButton>(form, "OkButton"), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(settings.UseWaveFile);
}

TEST_F(ModelFormTest, CancelLeavesTheSettingsAlone) {
    dialogs::TDoDelay model;
    dialogs::TDoDelay::Values values;
    values.mode = dialogs::TDoDelay::Timer;
    values.frequency = 25;
    model.load(values);
    DelayForm form(model, env);
    form.show();
    child<QLineEdit>(form, "frequency")->setText(QStringLiteral("40"));
    QTest::mouseClick(child<QPushButton>(form, "CancelButton"), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(model.accepted());
    EXPECT_EQ(settings.TimerSeconds, 10);
}

}  // namespace
}  // namespace orv::gui
