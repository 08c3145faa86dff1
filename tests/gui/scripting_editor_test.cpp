// The Scripting Editor driven as a user drives it: lines added, inserted and edited through the
// real command forms, copied, moved and deleted, saved into the record and read back; a header
// that cannot be saved keeps the lines on screen.
#include "gui/forms/scripting_editor.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "activation/keyboard_hooks.h"
#include "gui/forms/direct_editor_form.h"
#include "gui/forms/macro_memo.h"
#include "gui/forms/text_insert_form.h"
#include "editors/script_commands.h"
#include "gui/editor_fixture.h"
#include "gui/modal_helper.h"
#include "gui/model_form.h"
#include "gui/qt_text.h"
#include "platform/dialog_files.h"
#include "platform/dialup.h"
#include "platform/fake/fake_clock.h"
#include "support/temp_dir.h"

namespace orv::gui {
namespace {

template <typename W>
W* child(QWidget* parent, const char* name) {
    return test::named<W>(parent, name);
}

void click(QWidget* parent, const char* name) { test::clickNamed(parent, name); }

// Types `value` into the command form's field.
void type(QWidget* form, const char* field, const QString& value) {
    auto* edit = child<QLineEdit>(form, field);
    edit->clear();
    QTest::keyClicks(edit, value);
}

class ScriptingEditorTest : public ::testing::Test, protected test::EditorEnvironment {
protected:
    ScriptingEditorTest() {
        context.iconsDir = dir.file("Icons");
        context.programDir = dir.path().string();
        buffer.Scope = kScopeGlobal;
    }

    // The editor on the record buffer: an existing macro when `existing`.
    std::unique_ptr<TDoScripting> open(bool existing, editors::EditorKind kind = editors::EditorKind::HotKey) {
        model = std::make_unique<editors::DirectEditorModel>(
            buffer, editors::EditorStart{existing, kind, false, "Ctrl+H"}, clock.now(), context.iconsDir);
        auto e = std::make_unique<TDoScripting>(*model, context);
        e->show();
        return e;
    }
    QStringList lines(TDoScripting* e) {
        QStringList out;
        auto* list = child<QListWidget>(e, "Script");
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    int selectedLine(TDoScripting* e) { return child<QListWidget>(e, "Script")->currentRow(); }
    void chooseCommand(TDoScripting* e, const QString& label) {
        auto* commands = child<QListWidget>(e, "OptionBox");
        const QList<QListWidgetItem*> found = commands->findItems(label, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << label.toStdString();
        commands->setCurrentItem(found.front());
    }
    // `button` with `label` chosen; the command form that opens is answered by `fill`, then "&Ok".
    void addThrough(TDoScripting* e, const char* button, const QString& label, std::function<void(ModelForm*)> fill) {
        chooseCommand(e, label);
        test::whenModal<ModelForm>([fill](ModelForm* f) {
            fill(f);
            click(f, "OkButton");
        });
        click(e, button);
    }

    test::TempDir dir;
    std::unique_ptr<editors::DirectEditorModel> model;
};

TEST_F(ScriptingEditorTest, LinesAreAddedInsertedAndEditedThroughTheirFormsAndSaved) {
    auto e = open(false);
    EXPECT_EQ(hooks.off, 1);
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Macro Scripting Editor  (GLOBAL)"));
    addThrough(e.get(), "AddButton", QStringLiteral("Wait For Window Title"),
               [](ModelForm* f) { type(f, "title", QStringLiteral("Notes")); });
    chooseCommand(e.get(), QStringLiteral("Text"));
    test::whenModal<TModText>([](TModText* t) {
        QTest::keyClicks(t->memo(), QStringLiteral("hello"));
        click(t, "UpdateButton");
    });
    click(e.get(), "AddButton");
    EXPECT_EQ(selectedLine(e.get()), 1);

    // "I&nsert" goes before the selected line, "&Insert" after it; each new line is selected.
    child<QListWidget>(e.get(), "Script")->setCurrentRow(0);
    QString repeatCount;
    addThrough(e.get(), "InsertBefore", QStringLiteral("Repeat Start"), [&](ModelForm* f) {
        repeatCount = child<QLineEdit>(f, "count")->text();
        type(f, "count", QStringLiteral("3"));
    });
    EXPECT_EQ(repeatCount, QStringLiteral("10"));
    EXPECT_EQ(selectedLine(e.get()), 0);
    chooseCommand(e.get(), QStringLiteral("Repeat End"));
    child<QListWidget>(e.get(), "Script")->setCurrentRow(2);
    click(e.get(), "InsertAfter");  // no form: the line goes in at once
    EXPECT_EQ(selectedLine(e.get()), 3);

    // The "C&ommands" menu appends; its remark form opens empty.
    QAction* remark = nullptr;
    for (QAction* a : e->findChildren<QAction*>())
        if (a->text() == QStringLiteral("Enter a Comment or &Remark")) remark = a;
    ASSERT_NE(remark, nullptr);
    test::whenModal<ModelForm>([](ModelForm* f) {
        type(f, "remark", QStringLiteral("done"));
        click(f, "OkButton");
    });
    remark->trigger();

    EXPECT_EQ(lines(e.get()),
              (QStringList{QStringLiteral("Repeat Start: 3 Times, Starting at 1 Stepping by 1"),
                           QStringLiteral("   Wait For Window Title: Notes"), QStringLiteral("   Text: hello"),
                           QStringLiteral("Repeat End"), QStringLiteral("Remark: done")}));

    // "&Edit" opens the line's form filled with its values.
    child<QListWidget>(e.get(), "Script")->setCurrentRow(1);
    QString shownTitle;
    test::whenModal<ModelForm>([&](ModelForm* f) {
        shownTitle = child<QLineEdit>(f, "title")->text();
        type(f, "title", QStringLiteral("Editor"));
        click(f, "OkButton");
    });
    click(e.get(), "EditButton");
    EXPECT_EQ(shownTitle, QStringLiteral("Notes"));
    EXPECT_EQ(selectedLine(e.get()), 1);

    QTest::keyClicks(child<QLineEdit>(e.get(), "NickName"), QStringLiteral("scripted"));
    click(e.get(), "OkButton");
    EXPECT_TRUE(e->saved());
    EXPECT_EQ(buffer.MacroText, "<REP:0003:000001:000001><WAITWIN:010:Editor>hello<ENDREP><REM:done>");
    EXPECT_EQ(buffer.NickName, "scripted");
    EXPECT_EQ(buffer.Active, 1);
    e.reset();
    EXPECT_EQ(hooks.off, 0);
}

TEST_F(ScriptingEditorTest, CopyMoveAndDeleteThenSaveAndReopenGiveTheSameScript) {
    buffer.MacroText = "abc<WMAX:\"CURRENT\"><MMS:00100,00200><LCLK>";
    auto e = open(true);
    ASSERT_EQ(lines(e.get()),
              (QStringList{QStringLiteral("Text: abc"), QStringLiteral("Window Maximize - Current Win"),
                           QStringLiteral("Mouse Move Screen 100,200"), QStringLiteral("Mouse Left Button Click")}));
    // Nothing selected: the line buttons are off.
    for (const char* name : {"UpButton", "DownButton", "EditButton", "DoCopy", "DoDelete"})
        EXPECT_FALSE(child<QPushButton>(e.get(), name)->isEnabled()) << name;

    auto* script = child<QListWidget>(e.get(), "Script");
    script->setCurrentRow(0);
    EXPECT_FALSE(child<QPushButton>(e.get(), "UpButton")->isEnabled());
    click(e.get(), "DoCopy");  // the copy stands above, the original stays selected
    EXPECT_EQ(selectedLine(e.get()), 1);
    click(e.get(), "DownButton");
    click(e.get(), "DownButton");
    EXPECT_EQ(selectedLine(e.get()), 3);
    script->setCurrentRow(4);
    EXPECT_FALSE(child<QPushButton>(e.get(), "DownButton")->isEnabled());
    click(e.get(), "DoDelete");  // the last line: the new last line is selected
    EXPECT_EQ(selectedLine(e.get()), 3);
    const QStringList before = lines(e.get());
    EXPECT_EQ(before, (QStringList{QStringLiteral("Text: abc"), QStringLiteral("Window Maximize - Current Win"),
                                   QStringLiteral("Mouse Move Screen 100,200"), QStringLiteral("Text: abc")}));
    click(e.get(), "OkButton");
    EXPECT_EQ(buffer.MacroText, "abc<WMAX:\"CURRENT\"><MMS:00100,00200>abc");

    auto again = open(true);
    EXPECT_EQ(lines(again.get()), before);
}

TEST_F(ScriptingEditorTest, AHeaderThatCannotBeSavedKeepsTheLinesAndTheEditorOpen) {
    buffer.MacroText = "old";
    auto e = open(false, editors::EditorKind::ShortKey);
    addThrough(e.get(), "AddButton", QStringLiteral("Remark"),
               [](ModelForm* f) { type(f, "remark", QStringLiteral("kept")); });
    std::vector<std::string> seen;
    test::whenModal<QMessageBox>([&](QMessageBox* box) {
        seen.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
        box->button(QMessageBox::Ok)->click();
    });
    click(e.get(), "OkButton");
    EXPECT_EQ(seen, std::vector<std::string>{"Error: No ShortKey name was entered."});
    EXPECT_FALSE(e->saved());
    EXPECT_TRUE(e->isVisible());
    EXPECT_EQ(lines(e.get()), QStringList{QStringLiteral("Remark: kept")});
    EXPECT_EQ(e->focusWidget(), child<QLineEdit>(e.get(), "ShortKeyName"));
    EXPECT_EQ(buffer.MacroText, "old");

    QTest::keyClicks(child<QLineEdit>(e.get(), "ShortKeyName"), QStringLiteral("rmk"));
    click(e.get(), "OkButton");
    EXPECT_TRUE(e->saved());
    EXPECT_EQ(buffer.ShortKeyText, "rmk");
    EXPECT_EQ(buffer.MacroText, "<REM:kept>");
}

// Without dial-up networking on the machine its command says so and adds nothing.
TEST_F(ScriptingEditorTest, AMissingServiceIsToldAndAddsNoLine) {
    context.dialUpAvailable = [] { return false; };
    auto e = open(false);
    chooseCommand(e.get(), latin1(script::commandLabel(script::cmd::DialUp)));
    std::vector<std::string> seen;
    test::whenModal<QMessageBox>([&](QMessageBox* box) {
        seen.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
        box->button(QMessageBox::Ok)->click();
    });
    click(e.get(), "AddButton");
    EXPECT_EQ(seen, std::vector<std::string>{std::string("Warning: ") + kDialUpMissingText});
    EXPECT_TRUE(lines(e.get()).isEmpty());
}

TEST_F(ScriptingEditorTest, ATextFileIsEditedAsAScriptAndTheMacroComesBack) {
    const std::string file = dir.file("notes.txt");
    { std::ofstream(file) << "Dear<TAB>Sir"; }
    buffer.MacroText = "<BEEP>";
    auto e = open(true);
    chooseCommand(e.get(), QStringLiteral("Load Text File"));
    test::whenModal<TextInsertForm>([&](TextInsertForm* f) {
        type(f, "ProgPath", QString::fromStdString(file));
        click(f, "ScriptButton");
    });
    click(e.get(), "AddButton");
    EXPECT_EQ(lines(e.get()), QStringList{QStringLiteral("Text: Dear<TAB>Sir")});
    EXPECT_TRUE(child<QWidget>(e.get(), "TextName")->isVisibleTo(e.get()));

    addThrough(e.get(), "AddButton", QStringLiteral("Remark"),
               [](ModelForm* f) { type(f, "remark", QStringLiteral("signed")); });
    // Saving writes the file, brings the macro back and offers the file's line to confirm.
    test::whenModal<TextInsertForm>([](TextInsertForm* f) { click(f, "OkButton"); });
    click(e.get(), "OkButton");
    std::ifstream in(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "Dear<TAB>Sir<REM:signed>");
    EXPECT_FALSE(child<QWidget>(e.get(), "TextName")->isVisibleTo(e.get()));
    EXPECT_EQ(lines(e.get()), (QStringList{QStringLiteral("Sound Beep"), QStringLiteral("Load Text File: notes.txt")}));
    EXPECT_TRUE(e->isVisible());
}

TEST_F(ScriptingEditorTest, ClosingKeepsTheEditorSizeInTheSettings) {
    auto e = open(false);
    e->resize(700, 500);
    click(e.get(), "CancelButton");
    EXPECT_FALSE(e->saved());
    EXPECT_EQ(settings.ScriptWidth, 700);
    EXPECT_EQ(settings.ScriptHeight, 500);
    auto again = open(false);
    EXPECT_EQ(again->size(), QSize(700, 500));
}

}  // namespace
}  // namespace orv::gui
