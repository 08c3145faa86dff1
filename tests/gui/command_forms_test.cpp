// The command dialogs' forms: each form, filled through its controls and accepted with "&Ok",
// produces exactly what its model produces for the same fields; a refusal shows the model's
// message and puts the focus on the failing control; controls follow the chosen command.
#include "gui/dialogs/command_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/dialog_env.h"
#include "dialogs/dialog_registry.h"
#include "dialogs/network_dialogs.h"
#include "editors/sample_desktop.h"
#include "editors/script_dialogs.h"
#include "editors/script_lines.h"
#include "editors/script_sample_tags.h"
#include "gui/forms/mouse_locator.h"
#include "gui/option_forms.h"

namespace orv::gui {
namespace {

using Fills = std::vector<std::pair<std::string, std::string>>;

// The field's check box that the dialog's current mode shows.
QCheckBox* shownBox(ModelForm& form, const QString& name) {
    for (QCheckBox* box : form.findChildren<QCheckBox*>(name))
        if (box->isVisibleTo(&form)) return box;
    return nullptr;
}

// Sets a field through its control the way a user would leave it.
void fill(ModelForm& form, const std::string& field, const std::string& value) {
    const QString name = QString::fromStdString(field);
    if (auto* radio = form.findChild<QRadioButton*>(name + QStringLiteral("_") + QString::fromStdString(value))) {
        radio->click();
    } else if (auto* edit = form.findChild<QLineEdit*>(name); edit != nullptr && edit->isVisibleTo(&form)) {
        edit->clear();
        QTest::keyClicks(edit, QString::fromStdString(value));
    } else if (QCheckBox* box = shownBox(form, name)) {
        box->setChecked(value == "1");
    } else if (auto* combo = form.findChild<QComboBox*>(name)) {
        combo->setCurrentIndex(combo->findData(QString::fromStdString(value)));
        ASSERT_GE(combo->currentIndex(), 0) << field << "=" << value;
    } else if (auto* list = form.findChild<QTreeWidget*>(name)) {
        const auto items = list->findItems(QStringLiteral("*"), Qt::MatchWildcard);
        for (QTreeWidgetItem* item : items)
            if (item->data(0, Qt::UserRole).toString() == QString::fromStdString(value)) list->setCurrentItem(item);
        ASSERT_NE(list->currentItem(), nullptr) << field << "=" << value;
    } else {
        FAIL() << "no control for " << field << " in " << form.objectName().toStdString();
    }
}

// Closes any message box that comes up while it lives and keeps its text: a refusal where none
// is expected fails the case instead of waiting for an answer.
struct BoxCatcher {
    QTimer timer;
    QString text;
    BoxCatcher() {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->accept();
            }
        });
        timer.start();
    }
};

struct Built {
    std::unique_ptr<dialogs::DialogModel> model;
    std::unique_ptr<ModelForm> form;
};

const CommandLists kLists{{"Greeting", "Old Macro"}, {}};

Built build(const std::string& typeName, test::DialogFixture& fx) {
    Built b;
    b.model = dialogs::makeDialog(typeName);
    b.model->show(fx.env);
    b.form = createCommandForm(*b.model, fx.env, nullptr, kLists);
    return b;
}

struct OkCase {
    const char* form;
    Fills fills;
    const char* output;  // the exact command; nullptr for a dialog that makes none
};

const OkCase kOkCases[] = {
    {"TDoWaitWin", {{"kind", "window"}, {"title", "Notepad"}}, "<WAITWIN:010:Notepad>"},
    {"TDoWaitWin", {{"kind", "key"}, {"key", "B"}}, "<WAITKEY:010:01>"},
    {"TDoWaitWin",
     {{"kind", "text"}, {"text", "Done"}, {"casesensitive", "1"}, {"limit", "indefinite"}},
     "<WAITTXTY:000:Done>"},
    {"TDoWaitWin", {{"kind", "time"}, {"minutes", "2"}, {"seconds", "5"}}, "<WAITTIME:00000125>"},
    {"TDoDelay2", {{"unit", "milliseconds"}, {"milliseconds", "5"}}, "<MSD:0005>"},
    {"TDoSpeed", {{"kind", "macro"}, {"factor", "1.5"}}, "<SPEED:01.50>"},
    {"TDoRepeat", {{"kind", "start"}, {"count", "3"}, {"start", "1"}, {"step", "2"}}, "<REP:0003:000001:000002>"},
    {"TDoRepeat", {{"kind", "counter"}, {"width", "3"}}, "<III>"},
    {"TRepeatPrompt", {{"count", "4"}}, nullptr},
    {"TDoPausePos", {{"kind", "complex"}, {"top", "5"}, {"left", "7"}, {"message", "Hi"}}, "<PAUSE:005,007Hi>"},
    {"TDoActive",
     {{"kind", "launch"}, {"program", "/usr/bin/editor.EXE"}, {"delay", "3"}},
     "<LAUNCHDEL:03/usr/bin/editor.EXE>"},
    {"TDoSystemCommand", {{"command", "close"}, {"window", "specific"}, {"title", "Calc"}}, "<WCLS:Calc>"},
    {"TDoSizeIt", {{"kind", "resize"}, {"width", "300"}, {"height", "200"}}, "<WSIZE:0300,0200\"CURRENT\">"},
    {"TDoMouse", {{"action", "move"}, {"movemode", "position"}, {"x", "-12"}, {"y", "3"}}, "<MMP:-0012,00003>"},
    {"TDoMouse", {{"action", "wheelbackward"}, {"clicks", "4"}}, "<WBW:004>"},
    {"TDoKeyUpDown", {{"key", "altup"}}, "<ALTU>"},
    {"TDoClipboard", {{"kind", "type"}, {"ignorecrlf", "1"}}, "<CLIPTYPEI>"},
    {"TDoClipboard", {{"kind", "textfile"}, {"file", "/data/notes.txt"}}, "<CLIPF:/data/notes.txt>"},
    {"TDoRemark", {{"remark", "note"}}, "<REM:note>"},
    {"TDoTBox", {{"header", "H"}, {"content", "C"}}, "<TBOX:<HEAD:H>C>"},
    {"TDoNick", {{"kind", "delete"}, {"nickname", "Old Macro"}}, "<MACDEL:Old Macro>"},
    {"TDoSwap", {{"file", "/data/other.ORV"}}, "<SWAP:/data/other.ORV>"},
    {"TDoWebStuff", {{"url", "www.example.org"}}, "<HTTP:http://www.example.org>"},
    {"TDoDOSFiles",
     {{"kind", "rename"}, {"path", "/data/notes.txt"}, {"newname", "n.txt"}},
     "<RENFILE:/data/notes.txt;n.txt>"},
    {"TDoNetConn",
     {{"kind", "connect"}, {"drive", "F:"}, {"path", "//srv/share"}, {"status", "1"}},
     "<NWCS:<NAME:><PASS:>F://srv/share>"},
    {"TDoNetConn", {{"kind", "disconnect"}, {"drive", "G:"}, {"permanent", "1"}, {"force", "1"}}, "<NWDPF:G:>"},
    {"TDoDialup", {{"kind", "dial"}, {"entry", "Home"}, {"name", "me"}, {"password", "pw"}}, nullptr},
    {"TDoDialup", {{"kind", "hangup"}}, "<HANG>"},
    {"TDoAVI", {{"kind", "wait"}, {"file", "/data/clip.avi"}}, "<AVI:/data/clip.avi>"},
    {"TDoCDRom", {{"kind", "goto"}, {"number", "3"}}, "<CDGOTO:03>"},
    {"TDoVolume", {{"command", "midimute"}}, "<MIDIMUTE>"},
    {"TDoExplore", {{"folder", "/data"}}, "<EXPLORE:/data>"},
    {"TDoRecycle", {{"command", "fonts"}}, "<EXPFT>"},
    {"TDoDefPrint", {{"printer", "Ink Jet"}}, "<DEFPRT:Ink Jet>"},
    {"TDoScreen", {{"mode", "1"}}, "<SCREEN:001>"},
    {"TDoReboot", {{"kind", "logoff"}}, "<LOGOFF>"},
    {"TDoSysControls", {{"kind", "keyspeed"}, {"speed", "31"}}, "<KEYSPD:31>"},
    {"TDoSysControls",
     {{"kind", "wallpaper"}, {"style", "position"}, {"x", "10"}, {"y", "20"}, {"bitmap", "/data/pic.bmp"}},
     "<WALLP:0010,0020/data/pic.bmp>"},
    {"TDoAllProgs", {{"entry", "0"}}, nullptr},
};

TEST(CommandForms, OkGivesTheModelsOutputForTheSameFields) {
    for (const OkCase& c : kOkCases) {
        SCOPED_TRACE(c.form);
        test::DialogFixture fx;
        fx.desktop.shortcuts = {{"Editor.lnk", "/usr/bin/editor.EXE"}};
        Built b = build(c.form, fx);
        ASSERT_NE(b.form, nullptr);
        for (const auto& [field, value] : c.fills) fill(*b.form, field, value);
        BoxCatcher refusal;
        b.form->okClicked();
        ASSERT_EQ(b.form->result(), QDialog::Accepted) << refusal.text.toStdString();

        const std::unique_ptr<dialogs::DialogModel> same = dialogs::makeDialog(c.form);
        same->show(fx.env);
        for (const auto& [field, value] : c.fills) same->set(field, value);
        ASSERT_TRUE(same->check(fx.env).accepted);
        EXPECT_EQ(b.model->output(), same->output());
        EXPECT_EQ(b.model->results(), same->results());
        if (c.output != nullptr) {
            EXPECT_EQ(b.model->output(), c.output);
        }
    }
}

TEST(CommandForms, EveryCommandDialogHasAForm) {
    const std::vector<std::string_view> elsewhere = {"TDoDelay",      "TDoSound",    "TDoSpecial",
                                                     "TDoSpecWind",   "TDoSearch",   "TDateOrTime",
                                                     "TDoTextInsert", "TDoSchedule", "TCopyOrMove"};
    for (const dialogs::DialogInfo& d : dialogs::dialogRegistry()) {
        if (std::find(elsewhere.begin(), elsewhere.end(), d.name) != elsewhere.end()) continue;
        const std::unique_ptr<dialogs::DialogModel> model = d.make();
        test::DialogFixture fx;
        EXPECT_NE(createModelForm(*model, fx.env, nullptr), nullptr) << d.name;
    }
}

// A highlighted nickname with an empty field is taken after the user says Yes.
TEST(CommandForms, HighlightedNicknameIsUsedAfterYes) {
    test::DialogFixture fx;
    fx.prompt.queueAnswer(PromptAnswer::Yes);
    Built b = build("TDoNick", fx);
    fill(*b.form, "highlighted", "Greeting");
    b.form->okClicked();
    EXPECT_EQ(b.model->output(), "<MACRUN:Greeting>");
    ASSERT_EQ(fx.prompt.shown().size(), 1u);
    EXPECT_EQ(fx.prompt.shown()[0].text,
              "No nickname has been entered.  \"Greeting\" is currently highlighted.  Would you like to use it?");
}

struct RefusalCase {
    const char* form;
    Fills fills;
    const char* field;
    const char* message;
};

const RefusalCase kRefusals[] = {
    {"TDoWaitWin", {{"kind", "window"}}, "title", "No entry made for Window Title.  Please correct."},
    {"TDoWaitWin", {{"kind", "time"}, {"seconds", "60"}}, "seconds", "Invalid Seconds specified."},
    {"TDoDelay2",
     {{"unit", "milliseconds"}, {"milliseconds", "10000"}},
     "milliseconds",
     "Value must be less than 9999."},
    {"TDoSpeed", {{"kind", "mouse"}, {"milliseconds", "-1"}}, "milliseconds", "Value must be zero or greater."},
    {"TDoRepeat", {{"kind", "counter"}, {"width", "5"}}, "width", "Width must be between 1 and 4."},
    {"TDoPausePos",
     {{"kind", "complex"}, {"top", "x"}},
     "top",
     "Invalid Top Window Coordinate entered.  Please correct."},
    {"TDoActive",
     {{"kind", "launch"}, {"program", "/nope"}},
     "program",
     "Specified Path and Program does not exist.  Please correct."},
    {"TDoSystemCommand", {{"window", "specific"}}, "title", "No Window title specified.  Please correct"},
    {"TDoSizeIt",
     {{"kind", "resize"}, {"width", "5"}, {"height", "40"}},
     "width",
     "Invalid width specified.  Width must be 10 or greater.  Please correct."},
    {"TDoMouse",
     {{"action", "move"}, {"movemode", "screen"}, {"x", "-12"}},
     "x",
     "Invalid X Position specified.  Please correct."},
    {"TDoClipboard",
     {{"kind", "bitmap"}, {"file", "/nope.bmp"}},
     "file",
     "Specified Bitmap File does not exist.  Please correct."},
    {"TDoNick", {}, "nickname", "No nickname has been entered.  Please correct."},
    {"TDoSwap", {{"file", "/nope.orv"}}, "file", "Specified Macro File does not exist.  Please correct."},
    {"TDoDOSFiles",
     {{"kind", "copy"}, {"path", "/data/notes.txt"}},
     "newname",
     "No new name specified.  Please correct."},
    {"TDoNetConn", {{"kind", "toggle"}}, "path", "No network path has been entered.  Please correct."},
    {"TDoDialup", {{"kind", "dial"}}, "entry", "No phone book entry has been selected."},
    {"TDoAVI", {{"file", "/nope.avi"}}, "file", "Specified AVI File does not exist.  Please correct."},
    {"TDoCDRom", {{"kind", "step"}, {"number", "0"}}, "number", "Invalid seconds specified.  Please correct."},
    {"TDoExplore", {{"folder", "/nope"}}, "folder", "Specified folder does not exist.  Please correct."},
    {"TDoDefPrint", {}, "printer", "No printer setting selected."},
    {"TDoScreen", {}, "mode", "No display setting selected."},
    {"TDoSysControls",
     {{"kind", "savertime"}, {"minutes", "61"}},
     "minutes",
     "Invalid minutes specified.  Valid values or 1 to 60.  Please correct."},
    {"TDoAllProgs", {}, "entry", "No program selected.  Please select one."},
    {"TRepeatPrompt", {{"count", "x"}}, "count", "Invalid numeric value entered.  Please Correct"},
};

TEST(CommandForms, RefusalShowsTheMessageAndFocusesTheField) {
    for (const RefusalCase& c : kRefusals) {
        SCOPED_TRACE(std::string(c.form) + " " + c.field);
        test::DialogFixture fx;
        Built b = build(c.form, fx);
        b.form->show();
        for (const auto& [field, value] : c.fills) fill(*b.form, field, value);
        BoxCatcher refusal;
        b.form->okClicked();
        EXPECT_EQ(refusal.text.toStdString(), c.message);
        EXPECT_NE(b.form->result(), QDialog::Accepted);
        QWidget* control = b.form->control(c.field);
        ASSERT_NE(control, nullptr);
        // The control the window gives the focus to (at once when it is the active window).
        EXPECT_EQ(b.form->focusWidget(), control);
        EXPECT_TRUE(b.model->output().empty());
    }
}

struct EnableCase {
    const char* form;
    Fills fills;
    const char* control;
    bool enabled;
};

TEST(CommandForms, ControlsFollowTheChosenCommand) {
    const EnableCase cases[] = {
        {"TDoWaitWin", {{"kind", "window"}}, "title", true},
        {"TDoWaitWin", {{"kind", "text"}}, "title", false},
        {"TDoWaitWin", {{"kind", "text"}}, "casesensitive", true},
        {"TDoWaitWin", {{"kind", "time"}}, "limitminutes", false},
        {"TDoSystemCommand", {{"window", "current"}}, "title", false},
        {"TDoNetConn", {{"kind", "connect"}, {"usedefault", "0"}}, "password", true},
        {"TDoNetConn", {{"kind", "connect"}, {"usedefault", "1"}}, "password", false},
        {"TDoNetConn", {{"kind", "disconnect"}}, "path", false},
        {"TDoSysControls", {{"kind", "wallpaper"}, {"style", "stretch"}}, "x", false},
        {"TDoSysControls", {{"kind", "wallpaper"}, {"style", "position"}}, "x", true},
    };
    for (const EnableCase& c : cases) {
        SCOPED_TRACE(std::string(c.form) + " " + c.control);
        test::DialogFixture fx;
        Built b = build(c.form, fx);
        for (const auto& [field, value] : c.fills) fill(*b.form, field, value);
        QWidget* w = b.form->findChild<QWidget*>(QString::fromLatin1(c.control));
        ASSERT_NE(w, nullptr);
        // A control can be out of use by being disabled or by its group being hidden.
        EXPECT_EQ(w->isEnabled() && w->isVisibleTo(b.form.get()), c.enabled);
    }
}

TEST(CommandForms, ModesAndDesktopShowTheirOwnControls) {
    test::DialogFixture fx;
    fx.desktop.shellAutomation = false;
    Built desk = build("TDoRecycle", fx);
    EXPECT_FALSE(desk.form->findChild<QRadioButton*>(QStringLiteral("command_suspend"))->isEnabled());
    EXPECT_TRUE(desk.form->findChild<QRadioButton*>(QStringLiteral("command_cascade"))->isEnabled());

    // The FTP mode of the web dialog shows its own caption and starts at "ftp://".
    std::unique_ptr<dialogs::DialogModel> web = dialogs::makeDialog("TDoWebStuff");
    web->set("mode", "ftp");
    std::unique_ptr<ModelForm> form = createCommandForm(*web, fx.env, nullptr);
    EXPECT_EQ(form->findChild<QLineEdit*>(QStringLiteral("url"))->text(), QStringLiteral("ftp://"));
    QStringList shown;
    for (QLabel* l : form->findChildren<QLabel*>())
        if (l->isVisibleTo(form.get())) shown << l->text();
    EXPECT_TRUE(shown.contains(QStringLiteral("FTP URL")));
    EXPECT_FALSE(shown.contains(QStringLiteral("Web Site URL")));

    // An empty printer list says why it is empty.
    fx.desktop.printerList.clear();
    Built print = build("TDoDefPrint", fx);
    auto* list = print.form->findChild<QTreeWidget*>(QStringLiteral("printer"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("No printers are set up on this computer."));
}

TEST(CommandForms, NetworkListsShowMappedDrives) {
    test::DialogFixture fx;
    fx.desktop.connected = {{"F:", "//srv/share"}};
    Built b = build("TDoNetConn", fx);
    b.form->findChild<QPushButton*>(QStringLiteral("MappedDrivesButton"))->click();
    auto* lines = b.form->findChild<QListWidget*>(QStringLiteral("MappedDrives"));
    ASSERT_EQ(lines->count(), 1);
    EXPECT_EQ(lines->item(0)->text(), QStringLiteral("F: mapped to //srv/share"));
}

// "Li&st Programs" fills the program field with the running program chosen; the mouse dialog's
// locator button shows the pointer's position and hides it again.
TEST(CommandForms, HelperButtonsFillTheirField) {
    test::DialogFixture fx;
    auto model = dialogs::makeDialog("TDoWaitWin");
    model->show(fx.env);
    CommandLists lists = kLists;
    lists.runningPrograms = [] { return std::vector<std::string>{"xterm", "gedit"}; };
    auto form = createCommandForm(*model, fx.env, nullptr, lists);
    fill(*form, "kind", "program");
    QStringList offered;
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* pick = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (pick == nullptr) return;
        answer.stop();
        offered = pick->comboBoxItems();
        pick->setTextValue(QStringLiteral("xterm"));
        pick->accept();
    });
    answer.start();
    form->findChild<QPushButton*>(QStringLiteral("programPick"))->click();
    EXPECT_EQ(offered, (QStringList{QStringLiteral("gedit"), QStringLiteral("xterm")}));
    EXPECT_EQ(form->findChild<QLineEdit*>(QStringLiteral("program"))->text(), QStringLiteral("xterm"));

    auto mouseModel = dialogs::makeDialog("TDoMouse");
    auto mouse = createCommandForm(*mouseModel, fx.env, nullptr, lists);
    fill(*mouse, "action", "move");
    auto* locate = mouse->findChild<QPushButton*>(QStringLiteral("yPick"));
    ASSERT_NE(locate, nullptr);
    locate->click();
    auto* locator = mouse->findChild<MouseLocator*>();
    ASSERT_NE(locator, nullptr);
    EXPECT_TRUE(locator->isVisible());
    locate->click();
    EXPECT_FALSE(locator->isVisible());
}

// Every command of the language, read from a script line into its own form and confirmed there
// with "&Ok", gives back its tag: each form shows every value of the line it edits.
TEST(CommandForms, EveryScriptLineOpensInItsFormAndOkGivesItsTagBack) {
    test::DialogFixture fx;
    test::addSampleDesktop(fx);
    int opened = 0;
    for (std::string_view tag : test::kWrittenTags) {
        SCOPED_TRACE(std::string(tag));
        const std::vector<script::ScriptLine> lines = script::readScriptLines(tag);
        ASSERT_EQ(lines.size(), 1u);
        const int command = script::commandOfLine(lines[0].text);
        if (command == script::cmd::Text) continue;  // typed in the keystroke editor
        const auto model = script::makeLineDialog(command, &lines[0].payload, fx.env);
        ASSERT_NE(model, nullptr);
        const std::unique_ptr<ModelForm> form = createModelForm(*model, fx.env, nullptr, kLists);
        ASSERT_NE(form, nullptr);
        BoxCatcher refusal;
        form->okClicked();
        const std::string given =
            form->result() == QDialog::Accepted ? model->output() : "refused: " + refusal.text.toStdString();
        EXPECT_EQ(given, test::confirmedTag(tag));
        ++opened;
    }
    EXPECT_GT(opened, 150);
}

}  // namespace
}  // namespace orv::gui
