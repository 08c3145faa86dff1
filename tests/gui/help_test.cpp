#include "gui/help.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <memory>

#include "dialogs/dialog_registry.h"
#include "gui/help_index.h"
#include "gui/help_window.h"
#include "gui/option_forms.h"

namespace orv::gui {
namespace {

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Every keyword the program opens the help at: the literal second arguments of showHelp and
// helpButton anywhere in the sources, and the caption of every dialog that has a form (each form
// has a "&Help" button keyed by its caption).
QStringList keywordsInUse() {
    QStringList keywords;
    const QRegularExpression call(QStringLiteral(
        R"re((?:showHelp|helpButton)\s*\([^,;()]*(?:\([^()]*\))?[^,;()]*,\s*(?:QStringLiteral\()?"([^"]+)")re"));
    QDirIterator it(QStringLiteral(ORV_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString text = readAll(it.next());
        for (auto m = call.globalMatch(text); m.hasNext();) keywords << m.next().captured(1);
    }
    for (const auto& info : dialogs::dialogRegistry()) {
        const std::unique_ptr<dialogs::DialogModel> model = info.make();
        dialogs::DialogEnv env;
        if (createModelForm(*model, env, nullptr)) keywords << QString::fromStdString(model->caption());
    }
    return keywords;
}

TEST(Help, EveryKeywordInUseHasAPage) {
    const HelpIndex index = HelpIndex::load(helpFolder());
    ASSERT_FALSE(index.pages().isEmpty()) << "no help pages in " << helpFolder().toStdString();
    const QStringList keywords = keywordsInUse();
    // The scan sees both kinds of call.
    EXPECT_TRUE(keywords.contains(QStringLiteral("System Hot Keys"))) << keywords.join(u',').toStdString();
    EXPECT_TRUE(keywords.contains(QStringLiteral("Set Delay"))) << keywords.join(u',').toStdString();
    for (const QString& k : keywords) EXPECT_NE(index.pageFor(k), nullptr) << "no help page for " << k.toStdString();
}

TEST(Help, ThePagesAreListedTitledAndLinkedCorrectly) {
    const QString source = QStringLiteral(ORV_SOURCE_DIR "/help");
    const HelpIndex index = HelpIndex::load(source);
    QStringList listed;
    for (const auto& page : index.pages()) {
        listed << page.file;
        EXPECT_FALSE(page.title.isEmpty()) << page.file.toStdString();
        // Every link to another page names a page that exists.
        const QRegularExpression link(QStringLiteral(R"(\]\(([^)#:]+\.md)\))"));
        for (auto m = link.globalMatch(index.text(page)); m.hasNext();) {
            const QString target = m.next().captured(1);
            EXPECT_TRUE(QFile::exists(QDir(source).filePath(target)))
                << page.file.toStdString() << " links to " << target.toStdString();
        }
    }
    for (const QString& file : QDir(source).entryList({QStringLiteral("*.md")}, QDir::Files))
        EXPECT_TRUE(listed.contains(file)) << file.toStdString() << " is not in contents.txt";
    // Keywords compare without mnemonics, case and blanks; "&&" is one ampersand.
    EXPECT_EQ(HelpIndex::normalise(QStringLiteral(" &Show Date && Time ")), QStringLiteral("show date & time"));
    EXPECT_NE(index.pageFor(QStringLiteral("S&ort Macros")), nullptr);
    EXPECT_EQ(index.pageFor(QStringLiteral("No Such Window")), nullptr);
}

TEST(Help, TheWindowOpensAtTheKeywordAndSearches) {
    QWidget form;
    QPushButton* help = helpButton(&form, QStringLiteral("Sort Order"));
    EXPECT_EQ(help->text(), QStringLiteral("&Help"));
    QTest::mouseClick(help, Qt::LeftButton);
    auto* window = form.findChild<HelpWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->currentPage(), QStringLiteral("sort-order.md"));
    auto* contents = window->findChild<QListWidget*>(QStringLiteral("HelpContents"));
    ASSERT_NE(contents, nullptr);
    ASSERT_NE(contents->currentItem(), nullptr);
    EXPECT_EQ(contents->currentItem()->text(), QStringLiteral("Sort Order"));

    // A link names the next page relative to the help folder.
    window->findChild<QTextBrowser*>(QStringLiteral("HelpPage"))->setSource(QUrl(QStringLiteral("appearance.md")));
    EXPECT_EQ(window->currentPage(), QStringLiteral("appearance.md"));

    // The same window is reused; an unknown keyword shows the contents and says so.
    showHelp(&form, QStringLiteral("No Such Window"));
    EXPECT_EQ(form.findChildren<HelpWindow*>().size(), 1);
    EXPECT_EQ(window->currentPage(), QStringLiteral("index.md"));
    auto* note = window->findChild<QLabel*>(QStringLiteral("HelpNote"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisibleTo(window));
    EXPECT_TRUE(note->text().contains(QStringLiteral("no such window")));

    // Searching leaves only the pages that hold every word; Enter opens the first.
    auto* search = window->findChild<QLineEdit*>(QStringLiteral("HelpSearch"));
    ASSERT_NE(search, nullptr);
    QTest::keyClicks(search, QStringLiteral("wallpaper"));
    int shown = 0;
    for (int i = 0; i < contents->count(); ++i) shown += contents->item(i)->isHidden() ? 0 : 1;
    EXPECT_EQ(shown, 1);
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(window->currentPage(), QStringLiteral("system-desktop-media.md"));
    EXPECT_TRUE(window->findChild<QTextBrowser*>(QStringLiteral("HelpPage"))
                    ->toPlainText()
                    .contains(QStringLiteral("wallpaper")));
    window->close();
}

}  // namespace
}  // namespace orv::gui
