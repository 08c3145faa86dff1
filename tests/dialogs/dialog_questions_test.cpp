// Dialogs that ask the user before they accept: the highlighted-entry questions, the missing
// text file, the reserved hotkey. The question goes through the prompt; "No" keeps the dialog
// open on its field without a further message.
#include <gtest/gtest.h>

#include "dialog_env.h"
#include "dialogs/copy_move_dialog.h"
#include "dialogs/text_dialogs.h"
#include "dialogs/window_dialogs.h"

namespace orv::dialogs {
namespace {

TEST(HighlightedEntryQuestion, YesTakesTheEntryNoKeepsTheDialogOpen) {
    for (const PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::No}) {
        test::DialogFixture fx;
        TDoNick nick;
        nick.set("kind", "activate");
        nick.set("highlighted", "Morning Mail");
        fx.prompt.queueAnswer(answer);
        const Outcome o = nick.check(fx.env);
        ASSERT_EQ(fx.prompt.shown().size(), 1u);
        EXPECT_EQ(fx.prompt.shown()[0].title, "Error");
        EXPECT_EQ(
            fx.prompt.shown()[0].text,
            "No nickname has been entered.  \"Morning Mail\" is currently highlighted.  Would you like to use it?");
        if (answer == PromptAnswer::Yes) {
            EXPECT_EQ(o.output, "<MACACT:Morning Mail>");
        } else {
            EXPECT_FALSE(o.accepted);
            EXPECT_EQ(o.failure.field, "nickname");
            EXPECT_TRUE(o.failure.message.empty());
        }
    }
}

TEST(HighlightedEntryQuestion, ScopeDialogAsksInItsModeAndSetsTopMostOnly) {
    test::DialogFixture fx;
    TDoSpecWind window;
    window.set("mode", "program");
    EXPECT_EQ(window.caption(), "Set Program");
    EXPECT_EQ(window.check(fx.env).failure.message, "No program name has been entered.  Please correct.");

    window.set("highlighted", "gedit");
    window.set("run", "running");
    fx.prompt.queueAnswer(PromptAnswer::Yes);
    const Outcome o = window.check(fx.env);
    ASSERT_TRUE(o.accepted);
    EXPECT_TRUE(o.output.empty());
    EXPECT_EQ(fx.prompt.shown().back().text,
              "No program name has been entered.  \"gedit\" is currently highlighted.  Would you like to use it?");
    EXPECT_EQ(window.values().title, "gedit");
    EXPECT_EQ(window.values().topMostOnly, 0);
}

TEST(TextFileDialog, MissingFileAsksWhetherToCorrect) {
    test::DialogFixture fx;
    TDoTextInsert dlg;
    dlg.set("file", "/data/later.txt");
    fx.prompt.queueAnswer(PromptAnswer::Yes);
    Outcome o = dlg.check(fx.env);
    EXPECT_FALSE(o.accepted);
    EXPECT_EQ(o.failure.field, "file");
    EXPECT_EQ(fx.prompt.shown().back().title, "Warning");
    EXPECT_EQ(fx.prompt.shown().back().text, "Specified Path and Program does not exist.  Do you wish to correct?");

    // Kept anyway: the path is written as typed.
    fx.prompt.queueAnswer(PromptAnswer::No);
    o = dlg.check(fx.env);
    EXPECT_EQ(o.output, "<TFILE:/data/later.txt>");
    EXPECT_EQ(dlg.values().path, "/data/later.txt");
    ASSERT_TRUE(dlg.checkEditable(fx.env).has_value());
    EXPECT_EQ(dlg.checkEditable(fx.env)->message,
              "Specified Path and Program does not exist.  Unable to open text file.");
}

class CopyMove : public ::testing::Test {
protected:
    CopyMove() {
        TMacroRecord r;
        r.Scope = kScopeGlobal;
        r.HotKeyCode = 5;
        dlg.setRecord(r);
        std::vector<bool> exclusive(kHotKeyCount, false);
        exclusive[7] = true;
        dlg.setExclusiveCodes(exclusive);
        dlg.setHotKeyNames([](int code) { return code == 89 ? std::string("Alt+F6") : "Key" + std::to_string(code); });
    }
    test::DialogFixture fx;
    TCopyOrMove dlg;
};

TEST_F(CopyMove, GlobalHotKeyInUseIsRefusedInTheModesWords) {
    dlg.set("mode", "move");
    dlg.set("hotkey", "7");
    EXPECT_EQ(dlg.check(fx.env).failure.message,
              "A \"GLOBAL\" or \"POPUP MENU\" hot key already exists for this selection. The \"MOVE\" did not take "
              "place.");
    EXPECT_EQ(dlg.heading(), "MOVE Key5 TO");

    // The same hotkey is fine for a macro of window scope.
    TMacroRecord windowScoped = dlg.record();
    windowScoped.Scope = kScopeWindow;
    dlg.setRecord(windowScoped);
    ASSERT_TRUE(dlg.check(fx.env).accepted);
    EXPECT_EQ(dlg.record().HotKeyCode, 7);
    EXPECT_FALSE(dlg.values().raiseMacroCount);
}

TEST_F(CopyMove, ReservedHotKeyNeedsConsent) {
    dlg.set("hotkey", "89");
    fx.prompt.queueAnswer(PromptAnswer::No);
    EXPECT_FALSE(dlg.check(fx.env).accepted);
    EXPECT_EQ(fx.prompt.shown().back().text,
              "Alt+F6 may be used internally by Windows 95, 98 or NT.  This may cause the hot key not to function "
              "correctly. Would you still like to use Alt+F6?");
    EXPECT_EQ(dlg.record().HotKeyCode, 5);
    fx.prompt.queueAnswer(PromptAnswer::Yes);
    ASSERT_TRUE(dlg.check(fx.env).accepted);
    EXPECT_EQ(dlg.record().HotKeyCode, 89);
    EXPECT_TRUE(dlg.values().raiseMacroCount);
}

TEST_F(CopyMove, OtherActivations) {
    const struct {
        const char* kind;
        const char* field;
        const char* value;
        int code;
        const char* message;
    } cases[] = {
        {"shortkey", "shortkey", "ab!", kCodeShortKey, nullptr},
        {"shortkey", "shortkey", "a b", 0,
         "The ShortKey name has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ # $ % ^ "
         "& "
         "_ = < > ? . ; , * - / +"},
        {"shortkey", "shortkey", "it's", 0, nullptr},
        {"shortkey", "shortkey", "  ", 0, "No ShortKey name was entered."},
        {"window", "title", "Editor", kCodeWindowTitle, nullptr},
        {"window", "title", "", 0, "No Window Title was entered."},
        {"none", "title", "", kCodeNone, nullptr},
        {"hotkey", "hotkey", "", 0, "No hot key selected.  Please select one."},
        {"hotkey", "hotkey", "721", 0, "No hot key selected.  Please select one."},
    };
    for (const auto& c : cases) {
        TCopyOrMove d;
        d.set("kind", c.kind);
        d.set(c.field, c.value);
        const Outcome o = d.check(fx.env);
        if (c.code != 0) {
            ASSERT_TRUE(o.accepted) << c.value;
            EXPECT_EQ(d.record().HotKeyCode, c.code);
        } else {
            ASSERT_FALSE(o.accepted) << c.value;
            if (c.message != nullptr) {
                EXPECT_EQ(o.failure.message, c.message);
            }
        }
    }
}

TEST_F(CopyMove, BecomingTimedGetsTheDefaultScheduleOnce) {
    dlg.set("kind", "timed");
    ASSERT_TRUE(dlg.check(fx.env).accepted);
    const TMacroRecord& r = dlg.record();
    EXPECT_EQ(r.HotKeyCode, kCodeTimed);
    EXPECT_EQ(r.ScheduleKind, 3);
    EXPECT_EQ(r.ScheduleYear, 2026);
    EXPECT_EQ(r.ScheduleMonth, 6);
    EXPECT_EQ(r.ScheduleDay, 10);
    EXPECT_EQ(r.ScheduleWeekday, 4);  // a Wednesday
    EXPECT_TRUE(dlg.values().showSchedule);
    EXPECT_TRUE(dlg.values().scheduleDefaulted);

    // A macro that was timed keeps its schedule.
    TMacroRecord timed;
    timed.HotKeyCode = static_cast<std::int16_t>(kCodeTimed);
    timed.ScheduleKind = 6;
    timed.IntervalMinutes = 40;
    dlg.setRecord(timed);
    EXPECT_EQ(dlg.heading(), "COPY Timed Macro TO");
    ASSERT_TRUE(dlg.check(fx.env).accepted);
    EXPECT_EQ(dlg.record().ScheduleKind, 6);
    EXPECT_EQ(dlg.record().IntervalMinutes, 40);
    EXPECT_FALSE(dlg.values().scheduleDefaulted);
}

}  // namespace
}  // namespace orv::dialogs
