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
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/schedule_dialog.h"
#include "dialogs/window_dialogs.h"
#include "editors/editor_commands.h"
#include "editors/icon_choice.h"
#include "gui/forms/form_registry.h"
#include "gui/forms/macro_memo.h"
#include "gui/forms/schedule_form.h"
#include "gui/forms/spec_wind_form.h"
#include "gui/help.h"
#include "gui/icons.h"
#include "gui/model_form.h"
#include "gui/qt_text.h"
#include "mainwin/main_commands.h"
#include "platform/dialup.h"

namespace orv::gui {

namespace {

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// "KEY UP/ DN" -> "CmdKEYUPDN": the object name of a command button.
QString commandObjectName(std::string_view caption) {
    QString name = QStringLiteral("Cmd");
    for (char c : caption)
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) name += QLatin1Char(c);
    return name;
}

bool commandBuilt(const editors::EditorCommand& c) { return hasModelForm(c.dialog); }

QPushButton* pushButton(const QString& caption, const QString& objectName, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    // Enter in a field of the header does not close the editor.
    b->setAutoDefault(false);
    return b;
}

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

    auto* update = pushButton(QStringLiteral("&Update"), QStringLiteral("UpdateButton"), this);
    auto* cancel = pushButton(QStringLiteral("&Cancel"), QStringLiteral("CancelButton"), this);
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
    layout->addWidget(header());
    layout->addLayout(middle, 1);
    layout->addWidget(keyButtons());
    layout->addLayout(buttons);
    showCaption();
    nickName_->setFocus();
}

QWidget* TModHotKeys::header() {
    const editors::HeaderLayout l = model_.layout();
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);

    auto* nickLabel = new QLabel(QStringLiteral("Nic&kname"), box);
    nickName_ = new QLineEdit(fromCp1252(model_.nickName()), box);
    nickName_->setObjectName(QStringLiteral("NickName"));
    nickName_->setMaxLength(static_cast<int>(TMacroRecord::kNickName));
    nickName_->setAccessibleName(QStringLiteral("Nickname"));
    nickLabel->setBuddy(nickName_);
    icon_ = new QToolButton(box);
    icon_->setObjectName(QStringLiteral("MySpeed"));
    icon_->setToolTip(QStringLiteral("Icon: click to choose a file, right click for the program's icon"));
    icon_->setAccessibleName(QStringLiteral("Icon"));
    icon_->setIconSize(QSize(32, 32));
    icon_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(icon_, &QToolButton::clicked, this, &TModHotKeys::chooseIcon);
    connect(icon_, &QToolButton::customContextMenuRequested, this, &TModHotKeys::resetIcon);
    showIcon();
    grid->addWidget(nickLabel, 0, 0);
    grid->addWidget(nickName_, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Icon"), box), 0, 4);
    grid->addWidget(icon_, 0, 5);

    // What the activation needs: the hotkey's name, the ShortKey or title field, the schedule.
    auto* activation = new QHBoxLayout;
    auto* timerLabel = new QLabel(latin1(l.timerLabel), box);
    timerLabel->setObjectName(QStringLiteral("TimerLabel"));
    timerLabel->setVisible(l.timerLabelShown);
    auto* hotKeyCaption = new QLabel(QStringLiteral("Hot Key:"), box);
    auto* hotKey = new QLabel(fromCp1252(model_.start().hotKeyLabel), box);
    hotKey->setObjectName(QStringLiteral("HotKeyLabel"));
    hotKeyCaption->setVisible(l.hotKeyLabelShown);
    hotKey->setVisible(l.hotKeyLabelShown);
    name_ = new QLineEdit(fromCp1252(model_.name()), box);
    name_->setObjectName(QStringLiteral("ShortKeyName"));
    name_->setAccessibleName(latin1(l.timerLabel));
    name_->setVisible(l.nameFieldShown);
    if (l.nameMaxLength > 0) name_->setMaxLength(l.nameMaxLength);
    name_->setMinimumWidth(name_->fontMetrics().averageCharWidth() * 24);
    timerLabel->setBuddy(name_);
    auto* schedule = pushButton(QStringLiteral("Set Schedule"), QStringLiteral("SetSchedule"), box);
    schedule->setVisible(l.setScheduleShown);
    connect(schedule, &QPushButton::clicked, this, &TModHotKeys::setSchedule);
    activation->addWidget(timerLabel);
    activation->addWidget(hotKeyCaption);
    activation->addWidget(hotKey);
    activation->addWidget(name_);
    activation->addWidget(schedule);
    activation->addStretch();
    grid->addLayout(activation, 1, 0, 1, 6);

    auto* scope = new QGroupBox(QStringLiteral("Scope"), box);
    auto* scopeRow = new QHBoxLayout(scope);
    const char* const captions[] = {"Global", "Window", "Program"};
    const char* const names[] = {"Global", "Specific", "ProgExe"};
    for (int i = 0; i < 3; ++i) {
        const int s = editors::kEditorScopes[i];
        scopes_[i] = new QRadioButton(QString::fromLatin1(captions[i]), scope);
        scopes_[i]->setObjectName(QString::fromLatin1(names[i]));
        scopes_[i]->setChecked(model_.scope() == s);
        scopes_[i]->setEnabled(s == kScopeGlobal ? model_.globalEnabled() : l.scopeChoice);
        connect(scopes_[i], &QRadioButton::clicked, this, [this, s] { scopeClicked(s); });
        scopeRow->addWidget(scopes_[i]);
    }
    select_ = pushButton(QStringLiteral("Select"), QStringLiteral("ChooseWinProg"), scope);
    connect(select_, &QPushButton::clicked, this, &TModHotKeys::select);
    scopeRow->addWidget(select_);
    scopeRow->addStretch();
    grid->addWidget(scope, 2, 0, 1, 6);
    grid->setColumnStretch(3, 1);
    return box;
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
    return box;
}

void TModHotKeys::addCommandMenus(QMenuBar* bar) {
    QMenu* first = bar->addMenu(QStringLiteral("&Actions (A - M)"));
    QMenu* second = bar->addMenu(QStringLiteral("Actions (N - Z)"));
    for (const editors::EditorCommand& c : editors::editorCommands()) {
        QAction* a =
            (c.firstMenu ? first : second)->addAction(latin1(c.menuCaption), this, [this, &c] { runCommand(c); });
        a->setEnabled(commandBuilt(c));
        if (!a->isEnabled()) a->setToolTip(latin1(kNotBuiltYet));
    }
}

void TModHotKeys::runCommand(const editors::EditorCommand& command) {
    if (command.dialog == "TDoDialup" && (!context_.dialUpAvailable || !context_.dialUpAvailable())) {
        prompt_.messageBox("Warning", kDialUpMissingText, PromptButtons::Ok);
        return;
    }
    const std::unique_ptr<dialogs::DialogModel> model = editors::makeCommandDialog(command);
    if (!model) return;
    model->show(context_.env);
    const std::unique_ptr<ModelForm> form = createModelForm(*model, context_.env, this);
    if (!form || form->exec() != QDialog::Accepted) return;
    if (command.dialog == "TDateOrTime" && context_.settingsChanged) context_.settingsChanged();
    insert(model->output());
}

void TModHotKeys::scopeClicked(int scope) {
    model_.setScope(scope);
    showCaption();
}

void TModHotKeys::showCaption() {
    setWindowTitle(fromCp1252(model_.caption()));
    select_->setEnabled(model_.selectEnabled());
}

void TModHotKeys::select() {
    const bool program = model_.scope() == kScopeProgram;
    dialogs::TDoSpecWind dialog;
    dialog.set("mode", program ? "program" : "window");
    dialog.load({model_.buffer().WindowTitle, model_.buffer().TopMostOnly});
    const std::vector<std::string> entries =
        context_.desktopEntries ? context_.desktopEntries(program) : std::vector<std::string>{};
    SpecWindForm form(dialog, context_.env, entries, this);
    if (form.exec() != QDialog::Accepted) return;
    model_.setWindow(dialog.values().title, dialog.values().topMostOnly);
    showCaption();
}

void TModHotKeys::setSchedule() {
    dialogs::TDoSchedule dialog;
    dialog.setNewCommand(false);
    dialog.load(dialogs::scheduleOf(model_.buffer()));
    ScheduleForm form(dialog, context_.env, this);
    if (form.exec() == QDialog::Accepted) dialogs::applySchedule(dialog.values(), model_.buffer());
}

void TModHotKeys::chooseIcon() {
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("Load in Icon"), QString::fromStdString(context_.iconsDir),
                                     QStringLiteral("Icons (*.ico *.ICO)"));
    if (file.isEmpty()) return;
    const std::optional<std::string> name = editors::chooseIcon(file.toStdString(), context_.iconsDir, prompt_);
    if (!name) return;
    if (QIcon(QString::fromStdString(context_.iconsDir + "/" + *name)).pixmap(32, 32).isNull()) {
        prompt_.messageBox("Error", "Icon could not be opened.", PromptButtons::Ok);
        return;
    }
    model_.setIconName(*name);
    showIcon();
}

void TModHotKeys::resetIcon() {
    if (!editors::askResetIcon(prompt_)) return;
    model_.setIconName("MAIN");
    showIcon();
}

void TModHotKeys::showIcon() {
    const std::string& name = model_.iconName();
    icon_->setIcon(name == "MAIN" ? mainIcon() : QIcon(QString::fromStdString(context_.iconsDir + "/" + name)));
}

void TModHotKeys::updateClicked() {
    model_.setNickName(toCp1252(nickName_->text()));
    model_.setName(toCp1252(name_->text()));
    const dialogs::Outcome outcome = model_.update(memo()->storedText(), prompt_, *context_.env.clock);
    if (outcome.accepted) {
        setSaved();
        accept();
        return;
    }
    if (!outcome.failure.message.empty())
        prompt_.messageBox(outcome.failure.title, outcome.failure.message, PromptButtons::Ok);
    const std::string& field = outcome.failure.field;
    QWidget* focus = field == editors::kNameField     ? static_cast<QWidget*>(name_)
                     : field == editors::kSelectField ? static_cast<QWidget*>(select_)
                                                      : static_cast<QWidget*>(memo());
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
    auto* symbols = pushButton(QStringLiteral("Symbols"), QStringLiteral("CmdSYMBOLS"), this);
    connect(symbols, &QPushButton::clicked, this, [this] {
        const editors::EditorCommand* command = editors::findEditorCommand("SYMBOLS");
        const std::unique_ptr<dialogs::DialogModel> model = editors::makeCommandDialog(*command);
        const std::unique_ptr<ModelForm> form = createModelForm(*model, context_.env, this);
        if (form && form->exec() == QDialog::Accepted) insert(model->output());
    });
    auto* update = pushButton(QStringLiteral("&Update"), QStringLiteral("UpdateButton"), this);
    auto* cancel = pushButton(QStringLiteral("&Cancel"), QStringLiteral("CancelButton"), this);
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
