#include "gui/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

#include "gui/help_window.h"

namespace orv::gui {

namespace {

// The help window of windows that have no owner.
QPointer<HelpWindow>& ownerlessWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

QString helpFolder() {
    const QString fromEnvironment = qEnvironmentVariable("ORVANTA_HELP_DIR");
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    const QDir exe(QCoreApplication::applicationDirPath());
    for (const QString& relative : {QStringLiteral("../share/orvanta/help"), QStringLiteral("../../share/orvanta/help"),
                                    QStringLiteral("../../../share/orvanta/help")}) {
        const QString candidate = QDir::cleanPath(exe.filePath(relative));
        if (QDir(candidate).exists(QStringLiteral("contents.txt"))) return candidate;
    }
    return {};
}

void showHelp(QWidget* from, const QString& keyword) {
    QWidget* owner = from != nullptr ? from->window() : nullptr;
    HelpWindow* window = owner != nullptr ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly)
                                          : ownerlessWindow().data();
    if (window == nullptr) {
        window = new HelpWindow(helpFolder(), owner);
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

}  // namespace orv::gui
