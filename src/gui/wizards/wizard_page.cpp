// The main window's Quick Wizards: the page of wizard buttons, the "&Wizards" menu and running a
// wizard to the macro it appends.
#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QGridLayout>
#include <QMenu>
#include <QPushButton>

#include "capture/capture_request.h"
#include "capture/capture_session.h"
#include "dialogs/system_dialogs.h"
#include "editors/editor_commands.h"
#include "gui/forms/direct_editor_form.h"
#include "gui/forms/form_registry.h"
#include "gui/main_window.h"
#include "gui/model_form.h"
#include "gui/qt_text.h"
#include "gui/wizards/quick_wizard_form.h"
#include "platform/dialup.h"
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
        connect(a, &QAction::triggered, this, [this, n = w.number] { DoQuickWiz(n); });
    }
}

void TMainWin::DoQuickWiz(int number) {
    if (resident_ == nullptr) return;
    if (number == 12 && !resident_->dialUpAvailable()) {
        prompt_.messageBox("Warning", kDialUpMissingText, PromptButtons::Ok);
        return;
    }
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
    const dialogs::DialogEnv env{dialogFiles_.get(), desktop_, &prompt_, &settings_, &clock_};
    std::optional<wiz::WizardResult> result;
    {
        std::optional<BusyCursor> busy(std::in_place);
        TQuickWiz form(number, macros, env, wizardLists(macros), this);
        busy.reset();
        if (form.exec() == QDialog::Accepted && form.flow().finished()) result = form.flow().result();
    }
    saveSettings();  // the Bypass check box changes the setting at once
    if (!result || !result->record) {
        file.releaseSharedFile(false);
        return;
    }
    if (result->capture) {
        file.releaseSharedFile(false);  // the capture takes the file again when it saves
        startWizardCapture(*result);
        return;
    }
    appendWizardMacro(*result->record, result->joinMenu);
}

WizardListSources TMainWin::wizardLists(const wiz::WizardFile& macros) {
    WizardListSources sources;
    for (const TMacroRecord& r : macros.macros) sources.nickNames.push_back(r.NickName);
    if (desktop_ != nullptr) {
        const std::vector<ProgramShortcut> shortcuts = desktop_->programShortcuts();
        for (const std::string& entry : dialogs::installedPrograms(shortcuts, *dialogFiles_))
            sources.programs.push_back(dialogs::installedProgramOf(entry));
        for (const ProgramShortcut& s : shortcuts)
            if (std::find(sources.programPaths.begin(), sources.programPaths.end(), s.target) ==
                sources.programPaths.end())
                sources.programPaths.push_back(s.target);
    }
    sources.windows = resident_->windowTitleList();
    sources.picker = resident_;
    sources.iconsDir = resident_->iconsDir();
    sources.chooseIcon = [this, dir = sources.iconsDir](QWidget* over) { return loadIcon(over, dir, prompt_); };
    sources.chooseCommand = [this](const wiz::WizardCommand& c) { return runWizardCommand(c); };
    sources.recordKeys = [this] { return recordWizardKeys(); };
    sources.stopKeyName = resident_->captureStopKeyName();
    sources.bringForward = [this](QWidget& form) { bringForwardOnShow(form); };
    return sources;
}

std::optional<std::string> TMainWin::recordWizardKeys() {
    std::optional<capture::RecordedText> recorded;
    QEventLoop waiting;
    const Outcome started = resident_->recordKeys(wiz::kInlineRecordingLimit, [&](capture::RecordedText text) {
        recorded = std::move(text);
        waiting.quit();
    });
    if (!started.accepted) {
        prompt_.messageBox("Error", started.failure.message, PromptButtons::Ok);
        return std::nullopt;
    }
    // The user types into another program: the main window steps aside until the recording ends.
    const bool shown = isVisible();
    hide();
    if (!recorded) waiting.exec();
    if (shown) show();
    if (!recorded) {  // the program is ending: the recording may not outlive this wait
        resident_->cancelCapture();
        return std::nullopt;
    }
    if (const auto* error = std::get_if<capture::CaptureFileError>(&*recorded)) {
        prompt_.messageBox("Error", error->message, PromptButtons::Ok);
        return std::nullopt;
    }
    return std::get<std::string>(std::move(*recorded));
}

std::optional<std::string> TMainWin::runWizardCommand(const wiz::WizardCommand& command) {
    const EditorContext context = editorContext();
    if (command.dialog == "TModText") {
        TModText editor("", context, this);
        if (editor.exec() != QDialog::Accepted) return std::nullopt;
        return editor.result();
    }
    if (command.dialog == "TDoDialup" && !resident_->dialUpAvailable()) {
        prompt_.messageBox("Warning", kDialUpMissingText, PromptButtons::Ok);
        return std::nullopt;
    }
    const editors::EditorCommand made{command.caption, command.caption, true, command.dialog, command.mode};
    const std::unique_ptr<dialogs::DialogModel> model = editors::makeCommandDialog(made);
    if (!model) return std::nullopt;
    model->show(context.env);
    const std::unique_ptr<ModelForm> form = createModelForm(*model, context.env, this);
    if (!form || form->exec() != QDialog::Accepted) return std::nullopt;
    if (command.dialog == "TDateOrTime") saveSettings();  // the remembered formats
    return model->output();
}

void TMainWin::startWizardCapture(const wiz::WizardResult& result) {
    const wiz::CaptureSetup& setup = *result.capture;
    capture::CaptureTarget target;
    target.record = *result.record;
    if (!resident_->beginCapture(target)) return;
    capture::CaptureMacroChoice choice;
    capture::CaptureOptions& o = choice.choices.options;
    o.keystrokes = setup.keystrokes;
    o.mouse = setup.mouse;
    o.clicksOnly = setup.clicksOnly;
    o.timing = setup.timing;
    o.doubleAlt = setup.doubleAlt;
    o.origin = static_cast<capture::MouseOrigin>(std::clamp(setup.relativeTo, 1, 3));
    choice.choices.speed = setup.speed;
    choice.choices.global = !setup.programOnly;
    choice.nickname = result.record->NickName;
    choice.window = setup.windowTitle;
    if (const Outcome started = resident_->startCapture(choice); !started.accepted) {
        prompt_.messageBox("Error", started.failure.message, PromptButtons::Ok);
        resident_->cancelCapture();
        return;
    }
    // The user records in another program: the window makes way for it.
    if (runningHidden()) {
        hide();
    } else {
        showMinimized();
    }
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

void TMainWin::runFirstTimeSetUp(bool atStart) {
    const dialogs::DialogEnv env{dialogFiles_.get(), desktop_, &prompt_, &settings_, &clock_};
    const wiz::WizardFile none;
    TQuickWiz form(wiz::kFirstTimeSetUp, none, env, {}, this);
    if (form.exec() != QDialog::Accepted) {
        if (atStart) {
            settings_.FirstUse = false;
            saveSettings();
        }
        return;
    }
    saveSettings();
    for (int n : form.flow().result().sampleWizards) DoQuickWiz(n);
}

}  // namespace orv::gui
