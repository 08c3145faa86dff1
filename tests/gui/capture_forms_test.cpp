#include "gui/forms/capture_forms.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace orv::gui {
namespace {

template <typename W>
W* child(QWidget& parent, const char* name) {
    W* w = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void clickIndicator(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

bool enabled(QWidget& form, const char* name) { return child<QWidget>(form, name)->isEnabled(); }

TEST(CaptureFormsTest, ControlsFollowTheOptionsTheyDependOn) {
    TAppSettings settings;  // keys, mouse relative to the screen, timing: all on
    for (const bool defaults : {true, false}) {
        SCOPED_TRACE(defaults ? "Capture Defaults" : "Capture Macro");
        CaptureOptionsBox box(capture::choicesFromSettings(settings), defaults);
        EXPECT_FALSE(enabled(box, "CaptureWindowSize"));  // only with Window
        clickIndicator(child<QRadioButton>(box, "Window"));
        EXPECT_TRUE(enabled(box, "CaptureWindowSize"));

        clickIndicator(child<QCheckBox>(box, "CaptureMouse"));
        EXPECT_FALSE(enabled(box, "Screen"));
        EXPECT_FALSE(enabled(box, "Window"));
        EXPECT_FALSE(enabled(box, "CaptureWindowSize"));
        // The defaults' mouse box governs the position and clicks only too.
        EXPECT_EQ(enabled(box, "Position"), !defaults);
        EXPECT_EQ(enabled(box, "CaptureClicksOnly"), !defaults);

        clickIndicator(child<QCheckBox>(box, "CaptureKeystrokes"));
        EXPECT_FALSE(enabled(box, "CaptureDoubleAlt"));
        clickIndicator(child<QCheckBox>(box, "CaptureAt"));
        for (const char* speed : {"ActualSpeed", "HalfSpeed", "DoubleSpeed", "QuadrupleSpeed"})
            EXPECT_FALSE(enabled(box, speed)) << speed;
    }
    CaptureOptionsBox box(capture::choicesFromSettings(settings), false);
    box.refuseGlobal();
    EXPECT_TRUE(child<QRadioButton>(box, "Program")->isChecked());
    EXPECT_FALSE(enabled(box, "Global"));
}

TEST(CaptureFormsTest, OkStoresEveryDefaultAndSavesCancelChangesNothing) {
    TAppSettings settings;
    int saved = 0;
    {
        TCaptureDefaults form(settings, [&] { ++saved; });
        clickIndicator(child<QCheckBox>(form, "CaptureClicksOnly"));
        clickIndicator(child<QRadioButton>(form, "Position"));
        clickIndicator(child<QRadioButton>(form, "DoubleSpeed"));
        clickIndicator(child<QRadioButton>(form, "Program"));
        clickIndicator(child<QCheckBox>(form, "PromptOnCapture"));
        child<QPushButton>(form, "CancelButton")->click();
    }
    EXPECT_EQ(saved, 0);
    EXPECT_TRUE(settings.CaptureClicksOnly);
    EXPECT_EQ(settings.CaptureRelativeTo, 1);

    TCaptureDefaults form(settings, [&] { ++saved; });
    clickIndicator(child<QCheckBox>(form, "CaptureClicksOnly"));
    clickIndicator(child<QRadioButton>(form, "Position"));
    clickIndicator(child<QRadioButton>(form, "DoubleSpeed"));
    clickIndicator(child<QRadioButton>(form, "Program"));
    clickIndicator(child<QCheckBox>(form, "PromptOnCapture"));
    clickIndicator(child<QCheckBox>(form, "CaptureDoubleAlt"));
    child<QPushButton>(form, "OkButton")->click();
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(settings.CaptureClicksOnly);
    EXPECT_EQ(settings.CaptureRelativeTo, 3);
    EXPECT_EQ(settings.CaptureSpeed, 3);
    EXPECT_FALSE(settings.CaptureGlobal);
    EXPECT_FALSE(settings.CapturePrompt);
    EXPECT_FALSE(settings.CaptureDoubleAlt);
    EXPECT_TRUE(settings.CaptureKeys);
    EXPECT_TRUE(settings.CaptureMouse);
    EXPECT_TRUE(settings.CaptureTime);
}

}  // namespace
}  // namespace orv::gui
