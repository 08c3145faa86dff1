#include "gui/data_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QWidget>

#include "gui/help.h"
#include "gui/help_window.h"
#include "gui/modal_helper.h"

namespace orv::gui {
namespace {

void makeFile(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(DataFolder, FoundBesideTheProgramUnderAnyPrefixAndInTheBuildFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const auto p = [&root](const char* relative) -> QString { return root.path() + QLatin1String(relative); };
    makeFile(p("/opt/orv/share/orvanta/help/contents.txt"));
    QDir().mkpath(p("/opt/orv/bin"));
    makeFile(p("/build/share/orvanta/help/contents.txt"));
    QDir().mkpath(p("/build/src/app"));
    QDir().mkpath(p("/build/tests/gui/deeper/still"));
    // Installed, but the help folder lost its contents: not a help folder.
    QDir().mkpath(p("/usr/share/orvanta/help"));
    QDir().mkpath(p("/usr/bin"));

    const struct {
        QString programDir;
        QString found;
    } cases[] = {
        {p("/opt/orv/bin"), p("/opt/orv/share/orvanta/help")},
        {p("/build/src/app"), p("/build/share/orvanta/help")},
        {p("/build/tests/gui/deeper/still"), QString()},
        {p("/usr/bin"), QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findDataFolder(c.programDir, QStringLiteral("help"), QStringLiteral("contents.txt")), c.found)
            << c.programDir.toStdString();
    // Without a marker the folder alone is enough.
    EXPECT_EQ(findDataFolder(p("/usr/bin"), QStringLiteral("help")), p("/usr/share/orvanta/help"));
}

TEST(DataFolder, MissingHelpPagesAreSaidInsteadOfAnEmptyWindow) {
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    const bool wasSet = qEnvironmentVariableIsSet("ORVANTA_HELP_DIR");
    const QByteArray saved = qgetenv("ORVANTA_HELP_DIR");
    qputenv("ORVANTA_HELP_DIR", QFile::encodeName(empty.path()));
    QWidget owner;
    owner.show();
    QString said;
    test::whenModal<QMessageBox>([&said](QMessageBox* box) {
        said = box->windowTitle() + QStringLiteral(": ") + box->text();
        box->accept();
    });
    showHelp(&owner, QStringLiteral("Settings"));
    if (wasSet)
        qputenv("ORVANTA_HELP_DIR", saved);
    else
        qunsetenv("ORVANTA_HELP_DIR");
    EXPECT_EQ(said, QStringLiteral("Error: The help pages of Orvanta are missing: there is no contents.txt in \"%1\". "
                                   "Reinstall Orvanta to put them back.")
                        .arg(empty.path()));
    EXPECT_EQ(owner.findChild<HelpWindow*>(), nullptr);
}

}  // namespace
}  // namespace orv::gui
