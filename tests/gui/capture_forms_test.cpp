#include "gui/forms/capture_forms.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <string>
#include <vector>
#include <QTreeWidget>

#include "capture/capture_session.h"
#include "gui/modal_helper.h"

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

// Answers the next message box with `button` and notes its title and text.
void answer(std::vector<std::string>& seen, QMessageBox::StandardButton button) {
    test::whenModal<QMessageBox>([&seen, button](QMessageBox* box) {
        seen.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
        box->button(button)->click();
    });
}

TEST(CaptureFormsTest, CaptureCompleteListsTheHotKeysAndChecksTheChoice) {
    TActivationTable table;
    table.setMacroCount(1);
    table.setHotKeyCode(1, 5);
    table.setScope(1, 1);  // a Global macro has code 5
    TMacroRecord record = capture::capturePlaceholder();
    TCapComplete form(record, table, true, "gedit", nullptr);
    auto* list = child<QTreeWidget>(form, "HotKeyList");
    ASSERT_EQ(list->topLevelItemCount(), 721);
    form.show();
    EXPECT_GE(list->viewport()->height() / list->sizeHintForRow(0), 10);  // enough rows to choose from
    EXPECT_EQ(list->topLevelItem(5)->text(1), QStringLiteral("1 macro in use"));
    EXPECT_EQ(list->topLevelItem(6)->text(1), QStringLiteral("Not in Use"));
    auto* ok = child<QPushButton>(form, "OkButton");

    std::vector<std::string> seen;
    answer(seen, QMessageBox::Ok);
    ok->click();  // nothing selected
    list->setCurrentItem(list->topLevelItem(5));
    answer(seen, QMessageBox::Ok);
    ok->click();  // Global, and a Global macro has it
    list->setCurrentItem(list->topLevelItem(89));
    answer(seen, QMessageBox::No);
    ok->click();  // reserved: No keeps the dialog open
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], "Error: No hot key selected.  Please select one.");
    EXPECT_EQ(seen[1].rfind("Error: A Global Hot Key is already in use", 0), 0u);
    EXPECT_EQ(seen[2].rfind("Warning: Alt+F6 may be used internally", 0), 0u);
    EXPECT_EQ(record.HotKeyCode, 20000);  // untouched so far

    answer(seen, QMessageBox::Yes);
    child<QLineEdit>(form, "Nickname")->setText(QStringLiteral("  Report "));
    ok->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(record.HotKeyCode, 89);
    EXPECT_EQ(record.NickName, "Report");
}

TEST(CaptureFormsTest, CaptureCompleteShortKeyNoneAndProgramScope) {
    TActivationTable table;
    for (const bool shortKey : {true, false}) {
        TMacroRecord record = capture::capturePlaceholder();
        TCapComplete form(record, table, false, "gedit", nullptr);
        clickIndicator(child<QRadioButton>(form, shortKey ? "ShortKeys" : "None"));
        EXPECT_FALSE(child<QTreeWidget>(form, "HotKeyList")->isVisibleTo(&form));
        EXPECT_EQ(child<QLineEdit>(form, "ShortKeyName")->isVisibleTo(&form), shortKey);
        if (shortKey) {
            std::vector<std::string> seen;
            answer(seen, QMessageBox::Ok);
            child<QPushButton>(form, "OkButton")->click();
            EXPECT_EQ(seen, std::vector<std::string>{"Error: No ShortKey name entered."});
            child<QLineEdit>(form, "ShortKeyName")->setText(QStringLiteral("sig"));
        }
        child<QPushButton>(form, "OkButton")->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(record.HotKeyCode, shortKey ? 20000 : 30000);
        if (shortKey) {
            EXPECT_EQ(record.ShortKeyText, "sig");
        }
        EXPECT_EQ(record.Scope, 3);  // "&Program" was the default
        EXPECT_EQ(record.WindowTitle, "gedit");
    }
}

TEST(CaptureFormsTest, CaptureMacroShowsTheKeysThatEndItAndTheWindowsToStartIn) {
    TAppSettings defaults;
    defaults.CaptureSpeed = 4;
    CaptureMacroRequest request;
    request.stopKeyName = "Ctrl+F12";
    request.ownKeyName = "Alt+F5";
    request.nickname = "Old";
    request.refuseGlobal = true;
    request.windowTitles = {"Editor", "Terminal"};
    TCaptureKeys form(request, defaults);
    EXPECT_EQ(child<QLabel>(form, "StopKey")->text(), QStringLiteral("Press Ctrl+F12 to end capture"));
    EXPECT_EQ(child<QLabel>(form, "OwnKey")->text(), QStringLiteral("Or Press Alt+F5 to end capture"));
    auto* list = child<QListWidget>(form, "WindowList");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("***Last Active Window***"));
    EXPECT_TRUE(form.choice().window.empty());
    EXPECT_FALSE(child<QRadioButton>(form, "Global")->isEnabled());
    list->setCurrentRow(2);
    const CaptureMacroChoice choice = form.choice();
    EXPECT_EQ(choice.window, "Terminal");
    EXPECT_EQ(choice.nickname, "Old");
    EXPECT_EQ(choice.choices.speed, 4);
    EXPECT_FALSE(choice.choices.global);

    request.ownKeyName.clear();  // a ShortKey macro cannot be ended by its own key
    TCaptureKeys shortKey(request, defaults);
    EXPECT_EQ(shortKey.findChild<QLabel*>(QStringLiteral("OwnKey")), nullptr);
}

}  // namespace
}  // namespace orv::gui
