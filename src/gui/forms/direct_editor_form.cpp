#include "gui/forms/direct_editor_form.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/schedule_dialog.h"
#include "dialogs/window_dialogs.h"
#include "editors/editor_commands.h"
#include "editors/icon_choice.h"
#include "gui/forms/form_registry.h"
#include "gui/forms/macro_header.h"
#include "gui/forms/macro_memo.h"
#include "gui/forms/schedule_form.h"
#include "gui/forms/spec_wind_form.h"
#include "gui/help.h"
#include "gui/icons.h"
#include "gui/model_form.h"
#include "gui/dialog_buttons.h"
#include "gui/qt_text.h"
#include "mainwin/main_commands.h"
#include "platform/dialup.h"

namespace orv::gui {

namespace {

// "KEY UP/ DN" -> "CmdKEYUPDN": the object name of a command button.
QString commandObjectName(std::string_view caption) {
    QString name = QStringLiteral("Cmd");
    for (char c : caption)
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) name += QLatin1Char(c);
    return name;
}

bool commandBuilt(const editors::EditorCommand& c) { return hasModelForm(c.dialog); }

}  // namespace

TModHotKeys::TModHotKeys(editors::DirectEditorModel& model, const EditorContext& context, QWidget* parent)
    : MemoEditorForm(context, parent), model_(model) {
    setObjectName(QStringLiteral("TModHotKeys"));
    memo()->setStoredText(model_.text());
    memo()->setAccessibleName(QStringLiteral("Macro text"));

    QMenuBar* bar = menus(true);
    addCommandMenus(bar);
    bar->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&Help"), this, [this] {
        showHelp(this, QStringLiteral("Modify Hot Key"));
    });

    auto* update = plainButton(QStringLiteral("&Update"), "UpdateButton", this);
    auto* cancel = plainButton(QStringLiteral("&Cancel"), "CancelButton", this);
    connect(update, &QPushButton::clicked, this, &TModHotKeys::updateClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(miscBox());
    buttons->addStretch();
    buttons->addWidget(update);
    buttons->addWidget(cancel);
    buttons->addWidget(helpButton(this, QStringLiteral("Modify Hot Key")));

    auto* middle = new QHBoxLayout;
    middle->addWidget(memo(), 1);
    middle->addWidget(commandButtons());

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    header_ = new MacroHeader(
        model_, context_, prompt_, [this] { showCaption(); }, this);
    layout->addWidget(header_);
    layout->addLayout(middle, 1);
    layout->addWidget(keyButtons());
    layout->addLayout(buttons);
    showCaption();
    header_->nickName()->setFocus();
}

QWidget* TModHotKeys::commandButtons() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    int i = 0;
    for (const editors::EditorCommand& c : editors::editorCommands()) {
        auto* button = new QToolButton(box);
        button->setText(latin1(c.caption));
        button->setObjectName(commandObjectName(c.caption));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        const bool built = commandBuilt(c);
        button->setEnabled(built);
        button->setToolTip(built ? QString() : latin1(kNotBuiltYet));
        connect(button, &QToolButton::clicked, this, [this, &c] { runCommand(c); });
        grid->addWidget(button, i / 3, i % 3);
        ++i;
    }
    grid->setRowStretch(grid->rowCount(), 1);
    // The buttons scroll when the window is too small to show them all (a small screen at a
    // large scale); Tab scrolls the focused one into view, and the Actions menus hold them too.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("CommandButtons"));
    scroll->setWidget(box);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(box->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
    scroll->setMinimumHeight(box->sizeHint().height() / 4);
    return scroll;
}

void TModHotKeys::addCommandMenus(QMenuBar* bar) {
    QMenu* first = bar->addMenu(QStringLiteral("&Actions (A - M)"));
    QMenu* second = bar->addMenu(QStringLiteral("Actions (&N - Z)"));
    for (const editors::EditorCommand& c : editors::editorCommands()) {
        QAction* a =
            (c.firstMenu ? first : second)->addAction(latin1(c.menuCaption), this, [this, &c] { runCommand(c); });
        a->setEnabled(commandBuilt(c));
        if (!a->isEnabled()) a->setToolTip(latin1(kNotBuiltYet));
    }
}

void TModHotKeys::showCaption() { setWindowTitle(fromCp1252(model_.caption())); }

void TModHotKeys::runCommand(const editors::EditorCommand& command) {
    if (command.dialog == "TDoDialup" && (!context_.dialUpAvailable || !context_.dialUpAvailable())) {
        prompt_.messageBox("Warning", kDialUpMissingText, PromptButtons::Ok);
        return;
    }
    const std::unique_ptr<dialogs::DialogModel> model = editors::makeCommandDialog(command);
    if (!model) return;
    model->show(context_.env);
    const std::unique_ptr<ModelForm> form = createModelForm(*model, context_.env, this, commandLists(context_));
    if (!form || form->exec() != QDialog::Accepted) return;
    if (command.dialog == "TDateOrTime" && context_.settingsChanged) context_.settingsChanged();
    insert(model->output());
}

void TModHotKeys::updateClicked() {
    header_->commit();
    const dialogs::Outcome outcome = model_.update(memo()->storedText(), prompt_, *context_.env.clock);
    if (outcome.accepted) {
        setSaved();
        accept();
        return;
    }
    if (!outcome.failure.message.empty())
        prompt_.messageBox(outcome.failure.title, outcome.failure.message, PromptButtons::Ok);
    const std::string& field = outcome.failure.field;
    QWidget* focus = field == editors::kNameField || field == editors::kSelectField ? header_->fieldOf(field) : memo();
    focus->setFocus();
}

// ---------------------------------------------------------------------------------------------
TModText::TModText(const std::string& text, const EditorContext& context, QWidget* parent)
    : MemoEditorForm(context, parent) {
    setObjectName(QStringLiteral("TModText"));
    setWindowTitle(QStringLiteral("Enter Keystrokes"));
    memo()->setStoredText(text);
    auto* label = new QLabel(QStringLiteral("Keystrokes"), this);
    label->setBuddy(memo());
    memo()->setAccessibleName(QStringLiteral("Keystrokes"));

    QMenuBar* bar = menus(false);
    bar->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&Help"), this, [this] {
        showHelp(this, QStringLiteral("Text Insertion"));
    });
    auto* symbols = plainButton(QStringLiteral("Symbols"), "CmdSYMBOLS", this);
    connect(symbols, &QPushButton::clicked, this, [this] {
        const editors::EditorCommand* command = editors::findEditorCommand("SYMBOLS");
        const std::unique_ptr<dialogs::DialogModel> model = editors::makeCommandDialog(*command);
        const std::unique_ptr<ModelForm> form = createModelForm(*model, context_.env, this);
        if (form && form->exec() == QDialog::Accepted) insert(model->output());
    });
    auto* update = plainButton(QStringLiteral("&Update"), "UpdateButton", this);
    auto* cancel = plainButton(QStringLiteral("&Cancel"), "CancelButton", this);
    connect(update, &QPushButton::clicked, this, &TModText::updateClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(symbols);
    buttons->addWidget(miscBox());
    buttons->addStretch();
    buttons->addWidget(update);
    buttons->addWidget(cancel);
    buttons->addWidget(helpButton(this, QStringLiteral("Text Insertion")));

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(label);
    layout->addWidget(memo(), 1);
    layout->addWidget(keyButtons());
    layout->addLayout(buttons);
    memo()->setFocus();
}

void TModText::updateClicked() {
    result_ = editors::keystrokeText(memo()->storedText(), prompt_);
    setSaved();
    accept();
}

}  // namespace orv::gui
