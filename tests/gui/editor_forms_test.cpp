// The editor windows driven as a user drives them: Add Macro, the direct editor, the keystroke
// editor and the small dialogs they open.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "activation/keyboard_hooks.h"
#include "dialogs/date_time_dialog.h"
#include "dialogs/schedule_dialog.h"
#include "dialogs/text_dialogs.h"
#include "dialogs/window_dialogs.h"
#include "editors/direct_editor.h"
#include "gui/forms/add_macro_form.h"
#include "gui/forms/date_time_form.h"
#include "gui/forms/direct_editor_form.h"
#include "gui/forms/macro_memo.h"
#include "gui/forms/schedule_form.h"
#include "gui/forms/search_form.h"
#include "gui/forms/spec_wind_form.h"
#include "gui/forms/symbol_form.h"
#include "gui/forms/text_insert_form.h"
#include "gui/forms/two_column_list.h"
#include "gui/editor_fixture.h"
#include "gui/modal_helper.h"
#include "gui/qt_text.h"
#include "gui/qt_user_prompt.h"
#include "platform/dialog_files.h"
#include "platform/fake/fake_clock.h"

namespace orv::gui {
namespace {

template <typename W>
W* child(QWidget& parent, const char* name) {
    return test::named<W>(&parent, name);
}

// Message boxes answered ahead, each with the button given; what they said is kept.
struct Answers {
    std::vector<std::string> seen;
    void next(QMessageBox::StandardButton button = QMessageBox::Ok) {
        test::whenModal<QMessageBox>([this, button](QMessageBox* box) {
            seen.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
            QAbstractButton* b = box->button(button);
            if (b == nullptr) b = box->buttons().front();
            b->click();
        });
    }
};

class EditorFormsTest : public ::testing::Test, protected test::EditorEnvironment {
protected:
    EditorFormsTest() {
        context.iconsDir = "/nonexistent";
        context.desktopEntries = [](bool programs) {
            return programs ? std::vector<std::string>{"gedit", "xterm"}
                            : std::vector<std::string>{"Notes - Editor", "Terminal"};
        };
    }

    // The direct editor on a new hotkey macro.
    std::unique_ptr<TModHotKeys> editor(editors::EditorKind kind = editors::EditorKind::HotKey) {
        editorModel = std::make_unique<editors::DirectEditorModel>(
            buffer, editors::EditorStart{false, kind, false, "Ctrl+H"}, clock.now(), context.iconsDir);
        auto e = std::make_unique<TModHotKeys>(*editorModel, context);
        e->show();
        // The menus' shortcuts work in the active window.
        e->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(e.get()));
        return e;
    }
    // A key of the form's menus, pressed when the form is the active window again.
    static void shortcut(QWidget& form, const QKeySequence& keys) {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keySequence(&form, keys);
    }
    static void click(QWidget& form, const char* name) { test::clickNamed(&form, name); }

    std::unique_ptr<editors::DirectEditorModel> editorModel;
    Answers answers;
};

TEST_F(EditorFormsTest, InsertsGoInFrontOfTheSelectionAndStopAtTheLimit) {
    auto e = editor();
    MacroMemo* memo = child<MacroMemo>(*e, "NewFormat");
    memo->setPlainText(QStringLiteral("abc"));
    QTextCursor c = memo->textCursor();
    c.setPosition(1);
    c.setPosition(2, QTextCursor::KeepAnchor);
    memo->setTextCursor(c);
    click(*e, "KeyTAB");
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("a<TAB>bc"));
    EXPECT_EQ(memo->textCursor().position(), 6);

    memo->setPlainText(QString(4995, u'x'));
    answers.next();
    click(*e, "KeyENTER");
    EXPECT_EQ(answers.seen, std::vector<std::string>{"Error: Text exceeds maximum length.  Text not added."});
    click(*e, "KeyEND");
    EXPECT_EQ(memo->toPlainText().size(), 5000);
    EXPECT_TRUE(memo->toPlainText().startsWith(QStringLiteral("<END>")));
}

TEST_F(EditorFormsTest, MiscellaneousBoxInsertsTheChosenKey) {
    auto e = editor();
    auto* misc = child<QComboBox>(*e, "MiscBox");
    EXPECT_EQ(misc->count(), 42);
    click(*e, "MiscOkButton");  // nothing chosen: nothing inserted
    misc->setCurrentText(QStringLiteral("Keypad *"));
    click(*e, "MiscOkButton");
    EXPECT_EQ(e->memo()->toPlainText(), QStringLiteral("<KEYP*>"));
}

TEST_F(EditorFormsTest, UpdateAsksBeforeCuttingAnOverlongMacro) {
    auto e = editor();
    MacroMemo* memo = e->memo();
    memo->setPlainText(QString(4998, u'y') + QStringLiteral("\n\n"));  // line breaks count two each
    answers.next(QMessageBox::No);
    click(*e, "UpdateButton");
    ASSERT_EQ(answers.seen.size(), 1u);
    EXPECT_EQ(answers.seen[0],
              "Warning: The size of the macro exceeds the 5,000 character limit.  The macro will be truncated to 5,000 "
              "characters. Would you like to exit and have the macro truncated?");
    EXPECT_TRUE(e->isVisible());
    EXPECT_FALSE(e->saved());
    EXPECT_EQ(buffer.MacroText, "");

    answers.next(QMessageBox::Yes);
    click(*e, "UpdateButton");
    EXPECT_TRUE(e->saved());
    EXPECT_EQ(buffer.MacroText, std::string(4998, 'y') + "\r\n");
}

TEST_F(EditorFormsTest, AMacroOfExactlyTheLimitIsStoredWithoutAQuestion) {
    auto e = editor();
    e->memo()->setPlainText(QString(4995, u'z') + QStringLiteral("\t"));  // the TAB becomes five
    click(*e, "UpdateButton");
    EXPECT_TRUE(answers.seen.empty());
    EXPECT_TRUE(e->saved());
    EXPECT_EQ(buffer.MacroText, std::string(4995, 'z') + "<TAB>");
}

TEST_F(EditorFormsTest, FindFindAgainAndReplace) {
    auto e = editor();
    MacroMemo* memo = e->memo();
    memo->setPlainText(QStringLiteral("abAB\naaa"));
    test::whenModal<SearchForm>([](SearchForm* f) {
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Find"));
        EXPECT_FALSE(child<QLineEdit>(*f, "ReplaceWith")->isEnabled());
        QTest::keyClicks(child<QLineEdit>(*f, "Find"), QStringLiteral("ab"));
        click(*f, "OkButton");
    });
    shortcut(*e, QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(memo->textCursor().selectedText(), QStringLiteral("ab"));
    EXPECT_EQ(memo->textCursor().selectionStart(), 0);
    shortcut(*e, QKeySequence(Qt::Key_F3));
    EXPECT_EQ(memo->textCursor().selectionStart(), 2);
    answers.next();
    shortcut(*e, QKeySequence(Qt::Key_F3));
    EXPECT_EQ(answers.seen, std::vector<std::string>{"Warning: \"ab\" was not found."});
    shortcut(*e, QKeySequence(Qt::Key_F3));
    EXPECT_EQ(memo->textCursor().selectionStart(), 0);

    test::whenModal<SearchForm>([](SearchForm* f) {
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Search and Replace"));
        auto* find = child<QLineEdit>(*f, "Find");
        find->clear();
        QTest::keyClicks(find, QStringLiteral("A"));
        QTest::keyClicks(child<QLineEdit>(*f, "ReplaceWith"), QStringLiteral("aa"));
        click(*f, "OkButton");
    });
    answers.next();
    shortcut(*e, QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("aabaaB\naaaaaa"));
    EXPECT_EQ(answers.seen.back(), "Replaced: \"A\" was replaced 5 times.");
}

TEST_F(EditorFormsTest, CharactersOutsideTheCodePageTurnIntoQuestionMarksAtOnce) {
    auto e = editor();
    QGuiApplication::clipboard()->setText(QStringLiteral("Grüße €5 Привет 😀"));
    e->memo()->setFocus();
    e->memo()->paste();
    EXPECT_EQ(e->memo()->toPlainText(), QStringLiteral("Grüße €5 ?????? ?"));
    click(*e, "UpdateButton");
    EXPECT_EQ(buffer.MacroText,
              "Gr\xfc\xdf"
              "e \x80"
              "5 ?????? ?");
}

TEST_F(EditorFormsTest, CommandButtonsInsertWhatTheirDialogMakes) {
    auto e = editor();
    test::whenModal<DateOrTimeForm>([](DateOrTimeForm* f) { click(*f, "OkButton"); });
    click(*e, "CmdDATE");
    EXPECT_EQ(e->memo()->toPlainText(), QStringLiteral("<MM/DD/YY{NF000}>"));
    test::whenModal<DateOrTimeForm>([](DateOrTimeForm* f) { f->reject(); });
    click(*e, "CmdTIME");
    EXPECT_EQ(e->memo()->toPlainText(), QStringLiteral("<MM/DD/YY{NF000}>"));
    // The command dialogs laid out from their tables are there too.
    EXPECT_TRUE(child<QToolButton>(*e, "CmdACTIVATE")->isEnabled());
}

TEST_F(EditorFormsTest, ScopeChangesTheCaptionAndSelectTakesAWindow) {
    auto e = editor();
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Modify Hot Key  (GLOBAL)"));
    EXPECT_FALSE(child<QPushButton>(*e, "ChooseWinProg")->isEnabled());
    click(*e, "Specific");
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Modify Hot Key  (Window Title: )"));
    test::whenModal<SpecWindForm>([](SpecWindForm* f) {
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Set Title"));
        QListWidget* list = f->entries();
        ASSERT_EQ(list->count(), 2);
        // Enter on an entry takes it into the field and confirms the dialog.
        click(*f, "run_running");
        list->setFocus();
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Return);
    });
    click(*e, "ChooseWinProg");
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Modify Hot Key  (Window Title: Terminal)"));
    click(*e, "UpdateButton");
    EXPECT_EQ(buffer.Scope, kScopeWindow);
    EXPECT_EQ(buffer.WindowTitle, "Terminal");
    EXPECT_EQ(buffer.TopMostOnly, 0);
}

TEST_F(EditorFormsTest, AWindowScopeWithoutItsTitleIsRefused) {
    auto e = editor();
    click(*e, "ProgExe");
    answers.next();
    click(*e, "UpdateButton");
    EXPECT_EQ(answers.seen, std::vector<std::string>{"Error: No program name has been entered.  Please correct."});
    EXPECT_FALSE(e->saved());
    EXPECT_EQ(e->focusWidget(), child<QWidget>(*e, "ChooseWinProg"));
}

TEST_F(EditorFormsTest, ShortKeyHeaderIsCheckedOnUpdate) {
    buffer.ShortKeyText = "brb";
    auto e = editor(editors::EditorKind::ShortKey);
    auto* name = child<QLineEdit>(*e, "ShortKeyName");
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(name->text(), QStringLiteral("brb"));
    EXPECT_EQ(child<QLabel>(*e, "TimerLabel")->text(), QStringLiteral("ShortKey"));
    EXPECT_FALSE(child<QLabel>(*e, "HotKeyLabel")->isVisible());
    name->setText(QStringLiteral("b r b"));
    answers.next();
    click(*e, "UpdateButton");
    ASSERT_EQ(answers.seen.size(), 1u);
    EXPECT_TRUE(answers.seen[0].starts_with("Error: The ShortKey name has invalid characters in it."));
    EXPECT_EQ(e->focusWidget(), name);
}

TEST_F(EditorFormsTest, TheKeyboardHookComesBackHoweverTheEditorCloses) {
    const std::vector<std::pair<const char*, std::function<void(TModHotKeys&)>>> ways = {
        {"Escape", [](TModHotKeys& e) { QTest::keyClick(e.memo(), Qt::Key_Escape); }},
        {"Cancel", [](TModHotKeys& e) { click(e, "CancelButton"); }},
        {"Update", [](TModHotKeys& e) { click(e, "UpdateButton"); }},
        {"close box", [](TModHotKeys& e) { e.close(); }},
    };
    for (const auto& [name, close] : ways) {
        {
            auto e = editor();
            EXPECT_EQ(hooks.off, 1) << name;
            close(*e);
            EXPECT_FALSE(e->isVisible()) << name;
        }
        EXPECT_EQ(hooks.off, 0) << name;
    }
}

TEST_F(EditorFormsTest, KeystrokeEditorGivesItsTextCutToTheLimit) {
    {
        TModText e("Hi<ENTER>", context);
        e.show();
        EXPECT_EQ(e.windowTitle(), QStringLiteral("Enter Keystrokes"));
        EXPECT_EQ(hooks.off, 1);
        e.memo()->moveCursor(QTextCursor::End);
        e.memo()->insertPlainText(QStringLiteral("\t") + QString(4992, u'k'));
        answers.next();
        click(e, "UpdateButton");
        EXPECT_EQ(answers.seen, std::vector<std::string>{"Error: The size of the macro exceeds the 5,000 character "
                                                         "limit.  The macro will be truncated to 5,000 characters."});
        EXPECT_TRUE(e.saved());
        EXPECT_EQ(e.result(), "Hi<ENTER><TAB>" + std::string(4986, 'k'));
    }
    EXPECT_EQ(hooks.off, 0);
}

// ---------------------------------------------------------------------------------------------
class AddMacroFormTest : public EditorFormsTest {
protected:
    AddMacroFormTest() {
        table.setMacroCount(1);
        table.setHotKeyCode(1, 10);
        table.setScope(1, kScopeGlobal);
    }
    std::unique_ptr<TAddNewHotKey> dialog() {
        add = std::make_unique<editors::AddMacroModel>(table, [](int code) { return "Key" + std::to_string(code); });
        TAddNewHotKey::Builders b;
        b.run = [this](const editors::BuilderStart& s) {
            started.push_back(s);
            return BuilderResult{true, false};
        };
        b.missing = [](editors::Builder builder) {
            return builder == editors::Builder::Capture ? std::string("no capture here") : std::string();
        };
        auto d = std::make_unique<TAddNewHotKey>(*add, buffer, context, b);
        d->show();
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        return d;
    }

    TActivationTable table;
    std::unique_ptr<editors::AddMacroModel> add;
    std::vector<editors::BuilderStart> started;
};

TEST_F(AddMacroFormTest, EachTypeShowsWhatItNeeds) {
    auto d = dialog();
    TwoColumnList* list = d->hotKeyList();
    ASSERT_EQ(list->count(), 721);
    EXPECT_EQ(list->item(10)->text(), QStringLiteral("Key10  (1 macro in use)"));
    EXPECT_EQ(list->item(10)->data(TwoColumnList::SecondRole).toString(), QStringLiteral("1 macro in use"));
    auto* name = child<QLineEdit>(*d, "ShortKeyName");
    EXPECT_FALSE(name->isVisible());
    click(*d, "UseShortKeys");
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(name->maxLength(), 10);
    click(*d, "UseTitle");
    EXPECT_EQ(name->maxLength(), 20);
    click(*d, "UsePopup");
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(child<QPushButton>(*d, "EnterKeyButton")->text(), QStringLiteral("&Build Menu"));
    EXPECT_FALSE(child<QPushButton>(*d, "ScriptButton")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*d, "CaptureKeyButton")->isEnabled());
    click(*d, "TimedMacro");
    EXPECT_EQ(child<QPushButton>(*d, "EnterKeyButton")->text(), QStringLiteral("&Enter Directly"));
    EXPECT_FALSE(child<QPushButton>(*d, "CaptureKeyButton")->isEnabled());
}

TEST_F(AddMacroFormTest, APressRefusesUntilAHotKeyIsChosenThenStartsTheBuilder) {
    auto d = dialog();
    answers.next();
    click(*d, "EnterKeyButton");
    EXPECT_EQ(answers.seen, std::vector<std::string>{"Error: No hot key selected.  Please select one."});
    EXPECT_TRUE(d->isVisible());
    d->hotKeyList()->setCurrentRow(10);
    EXPECT_EQ(child<QLineEdit>(*d, "HotKeyEntry")->text(), QStringLiteral("Key10"));
    click(*d, "EnterKeyButton");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].builder, editors::Builder::Direct);
    EXPECT_EQ(started[0].hotKeyLabel, "Key10");
    EXPECT_TRUE(started[0].exclusiveKey);
    EXPECT_EQ(buffer.HotKeyCode, 10);
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(d->result().saved);
}

TEST_F(AddMacroFormTest, ABuilderThatIsNotThereRefusesClearly) {
    auto d = dialog();
    click(*d, "UseShortKeys");
    QTest::keyClicks(child<QLineEdit>(*d, "ShortKeyName"), QStringLiteral("brb"));
    answers.next();
    click(*d, "CaptureKeyButton");
    EXPECT_EQ(answers.seen, std::vector<std::string>{"Notice: no capture here"});
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(started.empty());
}

// ---------------------------------------------------------------------------------------------
TEST_F(EditorFormsTest, DateAndTimeDialogsWriteTheirCommands) {
    dialogs::TDateOrTime date;
    date.show(context.env);
    DateOrTimeForm dateForm(date, context.env);
    dateForm.show();
    EXPECT_EQ(dateForm.windowTitle(), QStringLiteral("Dates"));
    EXPECT_EQ(dateForm.formats()->count(), 51);
    EXPECT_EQ(dateForm.formats()->currentRow(), 0);
    child<QLineEdit>(dateForm, "Days")->setText(QStringLiteral("12x"));
    click(dateForm, "Past");
    click(dateForm, "OkButton");
    EXPECT_EQ(date.output(), "<MM/DD/YY{NP012}>");

    dialogs::TDateOrTime time;
    time.set("mode", "time");
    time.show(context.env);
    DateOrTimeForm timeForm(time, context.env);
    timeForm.show();
    EXPECT_EQ(timeForm.windowTitle(), QStringLiteral("Times"));
    EXPECT_FALSE(child<QWidget>(timeForm, "DayLine")->isVisible());
    timeForm.formats()->setCurrentRow(4);
    click(timeForm, "Suppress");
    click(timeForm, "OkButton");
    EXPECT_EQ(time.output().substr(0, 1), "<");
    EXPECT_EQ(time.output().substr(time.output().size() - 4), "{Y}>");
    EXPECT_EQ(settings.LastTimeFormat, 4);
}

TEST_F(EditorFormsTest, SymbolDialogGivesTheCharacterOfTheCell) {
    dialogs::TDoSpecial model;
    SymbolForm form(model, context.env);
    form.show();
    QTableWidget* grid = form.grid();
    EXPECT_EQ(grid->item(2, 1)->text(), fromCp1252(std::string(1, static_cast<char>(138))));
    // 129 has no character: an empty cell rather than the font's box.
    EXPECT_TRUE(grid->item(1, 0)->text().isEmpty());
    grid->setCurrentCell(2, 1);
    emit grid->cellDoubleClicked(2, 1);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(model.output(), std::string(1, static_cast<char>(138)));
}

TEST_F(EditorFormsTest, SetTitleOffersTheHighlightedEntry) {
    dialogs::TDoSpecWind model;
    SpecWindForm form(model, context.env, {"Notes - Editor", "Terminal"});
    form.show();
    form.entries()->setCurrentRow(0);
    answers.next(QMessageBox::Yes);
    click(form, "OkButton");
    EXPECT_EQ(answers.seen, std::vector<std::string>{"Error: No window title has been entered.  \"Notes - Editor\" is "
                                                     "currently highlighted.  Would you like to use it?"});
    EXPECT_EQ(model.values().title, "Notes - Editor");
    EXPECT_EQ(model.values().topMostOnly, 1);
}

TEST_F(EditorFormsTest, ScheduleShowsOnlyTheChosenKindAndRefusesABadDay) {
    dialogs::TDoSchedule model;
    model.setNewCommand(false);
    model.show(context.env);
    ScheduleForm form(model, context.env);
    form.show();
    auto* day = child<QLineEdit>(form, "day");
    EXPECT_FALSE(day->isVisible());  // Daily is the default
    click(form, "kind_once");
    EXPECT_TRUE(day->isVisible());
    day->setText(QStringLiteral("31"));
    child<QComboBox>(form, "month")->setCurrentText(QStringLiteral("April"));
    answers.next();
    click(form, "UpdateButton");
    EXPECT_EQ(answers.seen, std::vector<std::string>{"Error: Invalid day of month specified."});
    EXPECT_EQ(form.focusWidget(), day);
    QTest::keyClick(day, Qt::Key_Down);
    EXPECT_EQ(day->text(), QStringLiteral("30"));
    click(form, "UpdateButton");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(model.values().kind, 1);
    EXPECT_EQ(model.values().month, 4);
    EXPECT_EQ(model.values().day, 30);
}

TEST_F(EditorFormsTest, TextFileDialogKeepsAMissingPathWhenAsked) {
    dialogs::TDoTextInsert model;
    TextInsertForm form(model, context.env);
    form.show();
    EXPECT_FALSE(child<QPushButton>(form, "ScriptButton")->isVisible());
    QTest::keyClicks(child<QLineEdit>(form, "ProgPath"), QStringLiteral("/nonexistent/notes.txt"));
    answers.next();
    click(form, "NotepadButton");
    answers.next(QMessageBox::No);
    click(form, "OkButton");
    EXPECT_EQ(answers.seen, (std::vector<std::string>{
                                "Error: Specified Path and Program does not exist.  Unable to open text file.",
                                "Warning: Specified Path and Program does not exist.  Do you wish to correct?"}));
    EXPECT_EQ(model.output(), "<TFILE:/nonexistent/notes.txt>");
}

}  // namespace
}  // namespace orv::gui
