#include "gui/forms/macro_header.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "dialogs/schedule_dialog.h"
#include "dialogs/window_dialogs.h"
#include "editors/icon_choice.h"
#include "gui/forms/schedule_form.h"
#include "gui/forms/spec_wind_form.h"
#include "gui/icons.h"
#include "gui/dialog_buttons.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {}  // namespace

MacroHeader::MacroHeader(editors::DirectEditorModel& model, const EditorContext& context, IUserPrompt& prompt,
                         std::function<void()> scopeChanged, QWidget* parent)
    : QWidget(parent), model_(model), context_(context), prompt_(prompt), scopeChanged_(std::move(scopeChanged)) {
    const editors::HeaderLayout l = model_.layout();
    QWidget* box = this;
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
    connect(icon_, &QToolButton::clicked, this, &MacroHeader::chooseIcon);
    connect(icon_, &QToolButton::customContextMenuRequested, this, &MacroHeader::resetIcon);
    showIcon();
    grid->addWidget(nickLabel, 0, 0);
    grid->addWidget(nickName_, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Icon"), box), 0, 4);
    grid->addWidget(icon_, 0, 5);

    // What the activation needs: the hotkey's name, the ShortKey or title field, the schedule.
    auto* activation = new QHBoxLayout;
    auto* timerLabel = nameLabel_ = new QLabel(latin1(l.timerLabel), box);
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
    auto* schedule = plainButton(QStringLiteral("Set Schedule"), "SetSchedule", box);
    schedule->setVisible(l.setScheduleShown);
    connect(schedule, &QPushButton::clicked, this, &MacroHeader::setSchedule);
    activation->addWidget(timerLabel);
    activation->addWidget(hotKeyCaption);
    activation->addWidget(hotKey);
    activation->addWidget(name_);
    activation->addWidget(schedule);
    activation->addStretch();
    grid->addLayout(activation, 1, 0, 1, 6);

    // A plain row rather than a framed group: the editors must fit a small screen.
    QWidget* scope = box;
    auto* scopeRow = new QHBoxLayout;
    scopeRow->addWidget(new QLabel(QStringLiteral("Scope:"), box));
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
    select_ = plainButton(QStringLiteral("Select"), "ChooseWinProg", scope);
    connect(select_, &QPushButton::clicked, this, &MacroHeader::select);
    scopeRow->addWidget(select_);
    scopeRow->addStretch();
    grid->addLayout(scopeRow, 2, 0, 1, 6);
    grid->setColumnStretch(3, 1);
    refresh();
}

void MacroHeader::commit() {
    model_.setNickName(toCp1252(nickName_->text()));
    model_.setName(toCp1252(name_->text()));
}

QWidget* MacroHeader::fieldOf(const std::string& field) const {
    if (field == editors::kNameField) return name_;
    if (field == editors::kSelectField) return select_;
    return nickName_;
}

void MacroHeader::scopeClicked(int scope) {
    model_.setScope(scope);
    refresh();
    if (scopeChanged_) scopeChanged_();
}

void MacroHeader::giveAccessKeys() {
    if (nameLabel_->text() == QStringLiteral("ShortKey")) nameLabel_->setText(QStringLiteral("Sho&rtKey"));
    if (nameLabel_->text() == QStringLiteral("Window Title")) nameLabel_->setText(QStringLiteral("&Window Title"));
    const char* const captions[] = {"&Global", "&Window", "&Program"};
    for (int i = 0; i < 3; ++i) scopes_[i]->setText(QString::fromLatin1(captions[i]));
    select_->setText(QStringLiteral("Selec&t"));
}

void MacroHeader::refresh() { select_->setEnabled(model_.selectEnabled()); }

void MacroHeader::select() {
    const bool program = model_.scope() == kScopeProgram;
    dialogs::TDoSpecWind dialog;
    dialog.set("mode", program ? "program" : "window");
    dialog.load({model_.buffer().WindowTitle, model_.buffer().TopMostOnly});
    const std::vector<std::string> entries =
        context_.desktopEntries ? context_.desktopEntries(program) : std::vector<std::string>{};
    SpecWindForm form(dialog, context_.env, entries, this);
    if (form.exec() != QDialog::Accepted) return;
    model_.setWindow(dialog.values().title, dialog.values().topMostOnly);
    refresh();
    if (scopeChanged_) scopeChanged_();
}

void MacroHeader::setSchedule() {
    dialogs::TDoSchedule dialog;
    dialog.setNewCommand(false);
    dialog.load(dialogs::scheduleOf(model_.buffer()));
    ScheduleForm form(dialog, context_.env, this);
    if (form.exec() == QDialog::Accepted) dialogs::applySchedule(dialog.values(), model_.buffer());
}

void MacroHeader::chooseIcon() {
    const std::optional<std::string> name = loadIcon(this, context_.iconsDir, prompt_);
    if (!name) return;
    model_.setIconName(*name);
    showIcon();
}

void MacroHeader::resetIcon() {
    if (!editors::askResetIcon(prompt_)) return;
    model_.setIconName("MAIN");
    showIcon();
}

void MacroHeader::showIcon() {
    const std::string& name = model_.iconName();
    icon_->setIcon(name == "MAIN" ? mainIcon() : QIcon(QString::fromStdString(context_.iconsDir + "/" + name)));
}

}  // namespace orv::gui
