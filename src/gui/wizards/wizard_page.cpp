// The main window's Quick Wizards: the page of wizard buttons, the "&Wizards" menu and running a
// wizard to the macro it appends.
#include <QApplication>
#include <QGridLayout>
#include <QMenu>
#include <QPushButton>

#include "gui/main_window.h"
#include "gui/qt_text.h"
#include "gui/wizards/quick_wizard_form.h"
#include "store/settings.h"

namespace orv::gui {

namespace {

QString caption(const wiz::WizardInfo& w) {
    return w.menuItem.empty() ? QStringLiteral("B&locks")
                              : QString::fromLatin1(w.menuItem.data(), static_cast<qsizetype>(w.menuItem.size()));
}

// Restores the normal cursor when the wizard's run ends, however it ends.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

std::string TMainWin::wizardUnavailable(int number) const {
    switch (number) {
        case 7:
            return "Capturing a macro from a wizard is not available in this version of Orvanta yet.";
        case 18:
            return "The sweepstakes recorder is not available in this version of Orvanta yet.";
        case 27:
            return "The command forms this wizard opens are not available in this version of Orvanta yet.";
        case 12:
        case 13:
        case 14:
            return "The desktop's printers, display settings and connections cannot be listed in this version yet.";
        default:
            return {};
    }
}

QWidget* TMainWin::buildWizardsPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("QuickWizardsPage"));
    auto* grid = new QGridLayout(page);
    constexpr int kColumns = 3;
    for (int n = 1; n <= 27; ++n) {
        const wiz::WizardInfo& w = wiz::wizard(n);
        auto* b = new QPushButton(caption(w), page);
        b->setObjectName(QString::fromLatin1(wiz::kWizardButtons[static_cast<std::size_t>(n - 1)].data()));
        b->setAccessibleName(QString::fromLatin1(w.title.data(), static_cast<qsizetype>(w.title.size())));
        if (const std::string why = wizardUnavailable(n); !why.empty()) {
            b->setEnabled(false);
            b->setToolTip(QString::fromStdString(why));
        }
        connect(b, &QPushButton::clicked, this, [this, n] { DoQuickWiz(n); });
        grid->addWidget(b, (n - 1) / kColumns, (n - 1) % kColumns);
    }
    grid->setRowStretch(27 / kColumns + 1, 1);
    return page;
}

void TMainWin::buildWizardsMenu(QMenu* wizards) {
    std::array<QMenu*, wiz::kWizardSubmenus.size()> subs{};
    for (std::size_t i = 0; i < subs.size(); ++i)
        subs[i] = wizards->addMenu(QString::fromLatin1(wiz::kWizardSubmenus[i].data()));
    for (const wiz::WizardInfo& w : wiz::wizards()) {
        if (w.submenu < 0) continue;
        QAction* a = subs[static_cast<std::size_t>(w.submenu)]->addAction(caption(w));
        if (const std::string why = wizardUnavailable(w.number); !why.empty()) {
            a->setEnabled(false);
            a->setToolTip(QString::fromStdString(why));
        }
        connect(a, &QAction::triggered, this, [this, n = w.number] { DoQuickWiz(n); });
    }
    for (QMenu* m : subs) m->setToolTipsVisible(true);
}

void TMainWin::DoQuickWiz(int number) {
    if (resident_ == nullptr || !wizardUnavailable(number).empty()) return;
    IMacroFile& file = resident_->macroFile();
    const int count = file.index().MacroCount();
    if (count >= kMaxMacros) {
        prompt_.messageBox("Error", "Maximum number of hot keys has been reached.  A macro cannot be added.",
                           PromptButtons::Ok);
        return;
    }
    if (!file.lockSharedFile()) return;
    wiz::WizardFile macros;
    for (int j = 1; j <= count; ++j) {
        TMacroRecord r;
        if (!file.readMacroRecord(j, r)) r = TMacroRecord{};
        macros.macros.push_back(std::move(r));
    }
    WizardListSources sources;
    for (const TMacroRecord& r : macros.macros) sources.nickNames.push_back(r.NickName);
    const dialogs::DialogEnv env{dialogFiles_.get(), nullptr, &prompt_, &settings_, &clock_};
    std::optional<wiz::WizardResult> result;
    {
        std::optional<BusyCursor> busy(std::in_place);
        TQuickWiz form(number, macros, env, sources, this);
        busy.reset();
        if (form.exec() == QDialog::Accepted && form.flow().finished()) result = form.flow().result();
    }
    saveSettings();  // the Bypass check box changes the setting at once
    if (!result || !result->record) {
        file.releaseSharedFile(false);
        return;
    }
    appendWizardMacro(*result->record, result->joinMenu);
}

void TMainWin::appendWizardMacro(TMacroRecord record, int joinMenu) {
    IMacroFile& file = resident_->macroFile();
    if (!file.appendMacroRecord(record)) {
        file.releaseSharedFile(false);
        return;
    }
    const int added = file.index().MacroCount();
    // The new macro joins the popup menu chosen for it while that menu has room.
    TMacroRecord menu;
    if (joinMenu > 0 && file.readMacroRecord(joinMenu, menu) && menu.isPopupMenu() &&
        static_cast<int>(menu.MenuItems.size()) < kMaxPopupItems) {
        menu.MenuItems.push_back(static_cast<std::int16_t>(added));
        if (!file.writeMacroRecord(joinMenu, menu))
            prompt_.messageBox("Error", "The popup menu could not be updated.", PromptButtons::Ok);
    }
    resident_->indexChanged();
    if (const int row = list_.ReverseSort(added); row != -1) list_.select(row);
    showList();
    file.releaseSharedFile(true);
}

void TMainWin::firstTimeSetUp() {
    const dialogs::DialogEnv env{dialogFiles_.get(), nullptr, &prompt_, &settings_, &clock_};
    const wiz::WizardFile none;
    TQuickWiz form(wiz::kFirstTimeSetUp, none, env, {}, this);
    if (form.exec() != QDialog::Accepted) return;
    saveSettings();
    for (int n : form.flow().result().sampleWizards)
        if (wizardUnavailable(n).empty()) DoQuickWiz(n);
}

}  // namespace orv::gui
