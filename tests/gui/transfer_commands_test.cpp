// Import, export, the information file and the printed list through the real main window over
// the resident program, and the printed pages as a PDF file shows them.
#include <QAction>
#include <QCheckBox>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTreeWidget>

#include "gui/forms/export_form.h"
#include "gui/forms/import_form.h"
#include "gui/forms/output_form.h"
#include "gui/modal_helper.h"
#include "gui/print_list.h"
#include "gui/qt_playback_windows.h"
#include "gui/resident_window.h"
#include "store/macro_file.h"
#include "transfer/foreign_fixtures.h"

namespace orv::test {
namespace {

class TransferCommandsTest : public ResidentWindowTest {
protected:
    TransferCommandsTest() {
        start([](MacroStore& store) {
            for (TMacroRecord r : {macro("first", 65), macro("second", kCodeNone)})
                EXPECT_TRUE(store.AppendMacroRecord(r));
        });
        window.attach(*resident, playbackQt);
        window.macrosChanged();  // the list as the running program shows it
    }
    void trigger(const char* name) {
        auto* a = window.findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isEnabled()) << name;
        a->trigger();
    }
    static void click(QWidget* form, const char* name) {
        auto* b = form->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
    // Answers the next message boxes with `answers` in turn and keeps their texts.
    void answerMessages(std::vector<QMessageBox::StandardButton> answers) {
        if (answers.empty()) return;
        whenModal<QMessageBox>([this, answers](QMessageBox* box) {
            messages.push_back(box->text().toStdString());
            answerMessages({answers.begin() + 1, answers.end()});
            box->button(answers.front())->click();
        });
    }

    gui::QtPlaybackWindows playbackQt{&window, windows};
    std::vector<std::string> messages;
};

TEST_F(TransferCommandsTest, ImportAppendsThePickedMacrosAndSelectsTheFirst) {
    Bv2Fixture clash;  // Alt+R is taken by "first": deselected with a warning
    clash.nick = "clash";
    clash.code = 65;
    Bv2Fixture fresh;
    fresh.nick = "fresh";
    const std::string path = dir.file("in.BV2");
    writeFile(path, clash.bytes() + fresh.bytes());
    const int before = table.MacroCount();

    int listed = 0;
    whenModal<gui::TMyImport>([&](gui::TMyImport* form) {
        form->openFile(QString::fromStdString(path));
        listed = form->findChild<QTreeWidget*>(QStringLiteral("MacroList"))->topLevelItemCount();
        answerMessages({QMessageBox::Ok, QMessageBox::Yes});  // the hotkey warning, "Continue import anyway?"
        click(form, "SelectAllButton");
        click(form, "OkButton");
    });
    trigger("MenuImportMacros");

    EXPECT_EQ(listed, 2);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "A Global Hot Key for Alt+R already exists.  This macro will not be imported.");
    ASSERT_EQ(table.MacroCount(), before + 1);
    EXPECT_EQ(settings.nickName(before + 1), "fresh");
    EXPECT_EQ(readMacroFile(settings.CurrentFile).records.back().NickName, "fresh");
    EXPECT_EQ(window.list().selectedMacro(), before + 1);
}

TEST_F(TransferCommandsTest, ExportWritesThePickedMacrosWithoutTheSystemMacros) {
    const std::string target = dir.file("out.ORV");
    int rows = 0;
    whenModal<gui::TMyExport>([&](gui::TMyExport* form) {
        auto* list = form->findChild<QTreeWidget*>(QStringLiteral("MacroList"));
        rows = list->topLevelItemCount();
        list->topLevelItem(rows - 1)->setSelected(true);  // "second"
        answerMessages({QMessageBox::Ok});                // "Export Complete"
        form->saveTo(QString::fromStdString(target));
    });
    trigger("MenuExportMacros");

    EXPECT_EQ(rows, 2);
    EXPECT_EQ(messages, (std::vector<std::string>{"Export Complete"}));
    const MacroFileContents out = readMacroFile(target);
    ASSERT_EQ(out.records.size(), 1u);
    EXPECT_EQ(out.records[0].NickName, "second");
}

TEST_F(TransferCommandsTest, OutputRefusesWithoutTheFirstFourBoxesThenWritesTheList) {
    const std::string target = dir.file("info.txt");
    whenModal<gui::TDoOutput>([&](gui::TDoOutput* form) {
        for (const char* name : {"HotKey", "Name", "Window", "Text"})
            form->findChild<QCheckBox*>(QString::fromLatin1(name))->setChecked(false);
        answerMessages({QMessageBox::Ok});
        click(form, "OkButton");
        form->findChild<QCheckBox*>(QStringLiteral("Name"))->setChecked(true);
        form->findChild<QCheckBox*>(QStringLiteral("Icon"))->setChecked(false);
        form->findChild<QCheckBox*>(QStringLiteral("Schedule"))->setChecked(false);
        form->writeTo(QString::fromStdString(target));
    });
    trigger("MenuOutputMacroInformation");

    EXPECT_EQ(messages, (std::vector<std::string>{"Nothing has been checked for printing.  Please Correct."}));
    // Every macro of the list (the system macros too) in the list's order.
    std::string expected;
    for (const int j : window.list().rowMap()) expected += "Name: " + settings.nickName(j) + "\n\n";
    EXPECT_EQ(window.list().rowCount(), 6);
    EXPECT_EQ(readFile(target), expected);
}

// The text of page `page` (1-based) of a PDF file, as pdftotext reads it.
std::string pdfPage(const QString& pdf, int page) {
    QProcess p;
    const QString n = QString::number(page);
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(30000));
    return p.readAllStandardOutput().toStdString();
}

TEST(PrintListTest, PagesGoOnWithoutTheHeadingAndEachCopyStartsAPage) {
    TempDir dir;
    const QString pdf = QString::fromStdString(dir.file("list.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setCopyCount(2);
    std::vector<PrintLine> lines;
    for (int i = 1; i <= 80; ++i)
        lines.push_back({"Ctrl+F" + std::to_string(i), "Macro " + std::to_string(i), "GLOBAL"});

    const int pages = gui::printMacroList(printer, "/home/user/MACROS.ORV", lines, FontSetting{0, "Arial", 10});
    ASSERT_EQ(pages % 2, 0);
    const int perCopy = pages / 2;
    ASSERT_GE(perCopy, 2) << "80 lines fill more than one page";
    for (int copy = 0; copy < 2; ++copy) {
        const std::string first = pdfPage(pdf, copy * perCopy + 1);
        EXPECT_NE(first.find("Macro File: /home/user/MACROS.ORV"), std::string::npos) << first;
        EXPECT_NE(first.find("Macro 1 "), std::string::npos) << first;
        const std::string second = pdfPage(pdf, copy * perCopy + 2);
        EXPECT_EQ(second.find("Macro File:"), std::string::npos) << second;
        const std::string last = pdfPage(pdf, (copy + 1) * perCopy);
        EXPECT_NE(last.find("Macro 80"), std::string::npos) << last;
    }
}

}  // namespace
}  // namespace orv::test
