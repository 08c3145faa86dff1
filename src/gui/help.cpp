#include "gui/help.h"

#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QShortcut>

#include "gui/data_folder.h"
#include "gui/help_window.h"

namespace orv::gui {

namespace {

const QString kContentsFile = QStringLiteral("contents.txt");

// The help window of windows that have no owner.
QPointer<HelpWindow>& ownerlessWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

QString helpFolder() {
    const QString fromEnvironment = qEnvironmentVariable("ORVANTA_HELP_DIR");
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    return dataFolder(QStringLiteral("help"), kContentsFile);
}

QString missingHelpMessage() {
    const QString fromEnvironment = qEnvironmentVariable("ORVANTA_HELP_DIR");
    const QString looked = fromEnvironment.isEmpty() ? expectedDataFolder(QStringLiteral("help")) : fromEnvironment;
    return QStringLiteral(
               "The help pages of Orvanta are missing: there is no %1 in \"%2\". Reinstall Orvanta to "
               "put them back.")
        .arg(kContentsFile, QDir::toNativeSeparators(looked));
}

void showHelp(QWidget* from, const QString& keyword) {
    QWidget* owner = from != nullptr ? from->window() : nullptr;
    const QString folder = helpFolder();
    if (folder.isEmpty() || !QFileInfo::exists(QDir(folder).filePath(kContentsFile))) {
        QMessageBox::critical(owner, QStringLiteral("Error"), missingHelpMessage());
        return;
    }
    HelpWindow* window = owner != nullptr ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly)
                                          : ownerlessWindow().data();
    if (window == nullptr) {
        window = new HelpWindow(folder, owner);
        if (owner == nullptr) ownerlessWindow() = window;
    }
    window->showKeyword(keyword);
    window->show();
    window->raise();
    window->activateWindow();
}

QPushButton* helpButton(QWidget* form, const QString& keyword) {
    auto* button = new QPushButton(QStringLiteral("&Help"), form);
    button->setObjectName(QStringLiteral("HelpButton"));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, form, [form, keyword] { showHelp(form, keyword); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, form);
    QObject::connect(f1, &QShortcut::activated, form, [form, keyword] { showHelp(form, keyword); });
    return button;
}

void openHomePage() { openWebPage(QString::fromLatin1(kHomePageUrl)); }

void openWebPage(const QString& address) {
    const QString url = address.contains(QStringLiteral("://")) ? address : QStringLiteral("http://") + address;
    QProcess::startDetached(QStringLiteral("xdg-open"), {url});
}

}  // namespace orv::gui
