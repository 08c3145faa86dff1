#include "gui/forms/capture_forms.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "activation/resident_actions.h"
#include "capture/capture_session.h"
#include "gui/dialog_buttons.h"
#include "gui/hotkey_picker.h"
#include "gui/qt_text.h"
#include "platform/hotkey_codes.h"

namespace orv::gui {
namespace {

constexpr int kVisibleHotKeyRows = 12;

QCheckBox* check(QWidget* parent, const char* name, const QString& caption, bool on) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(on);
    return box;
}

QRadioButton* radio(QWidget* parent, const char* name, const QString& caption, bool on) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setChecked(on);
    return button;
}

// The nickname field with its label, in a form row of its own.
QFormLayout* nicknameRow(QDialog* form, QLineEdit*& field, const std::string& nickname) {
    auto* row = new QFormLayout;
    field = new QLineEdit(fromCp1252(nickname), form);
    field->setObjectName(QStringLiteral("Nickname"));
    field->setAccessibleName(QStringLiteral("Nickname"));
    field->setMaxLength(static_cast<int>(TMacroRecord::kNickName));
    auto* label = new QLabel(QStringLiteral("Nic&kname"), form);
    label->setBuddy(field);
    row->addRow(label, field);
    return row;
}

}  // namespace

CaptureOptionsBox::CaptureOptionsBox(const capture::CaptureChoices& c, bool defaultsDialog, QWidget* parent)
    : QWidget(parent), defaultsDialog_(defaultsDialog), initial_(c) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(keysAndMouse(c));
    layout->addWidget(timingAndScope(c));
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{keys_, mouse_, screen_, window_, position_, timing_})
        connect(b, &QAbstractButton::toggled, this, &CaptureOptionsBox::updateEnabling);
    updateEnabling();
}

QWidget* CaptureOptionsBox::keysAndMouse(const capture::CaptureChoices& c) {
    using capture::MouseOrigin;
    auto* column = new QWidget(this);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    keys_ = check(column, "CaptureKeystrokes", QStringLiteral("Capture &Keystrokes"), c.options.keystrokes);
    doubleAlt_ =
        check(column, "CaptureDoubleAlt", QStringLiteral("Capture &Double <ALT> for Menus"), c.options.doubleAlt);
    auto* mouseBox = new QGroupBox(column);
    mouseBox->setObjectName(QStringLiteral("MouseBox"));
    auto* m = new QVBoxLayout(mouseBox);
    mouse_ = check(mouseBox, "CaptureMouse",
                   defaultsDialog_ ? QStringLiteral("Capture &Mouse Relative To") : QStringLiteral("Capture &Mouse"),
                   c.options.mouse);
    screen_ = radio(mouseBox, "Screen", QStringLiteral("Sc&reen"), c.options.origin == MouseOrigin::Screen);
    window_ = radio(mouseBox, "Window", QStringLiteral("&Window"), c.options.origin == MouseOrigin::Window);
    position_ = radio(mouseBox, "Position", QStringLiteral("Positio&n"), c.options.origin == MouseOrigin::Position);
    clicksOnly_ =
        check(mouseBox, "CaptureClicksOnly", QStringLiteral("Onl&y Capture Mouse Clicks"), c.options.clicksOnly);
    windowSize_ = check(mouseBox, "CaptureWindowSize", QStringLiteral("Capture Window Si&ze"), c.windowSize);
    m->addWidget(mouse_);
    auto* origins = new QVBoxLayout;
    origins->setContentsMargins(20, 0, 0, 0);
    for (QWidget* w :
         {static_cast<QWidget*>(screen_), static_cast<QWidget*>(window_), static_cast<QWidget*>(position_)})
        origins->addWidget(w);
    m->addLayout(origins);
    m->addWidget(clicksOnly_);
    m->addWidget(windowSize_);
    v->addWidget(keys_);
    v->addWidget(doubleAlt_);
    v->addWidget(mouseBox);
    v->addStretch();
    return column;
}

QWidget* CaptureOptionsBox::timingAndScope(const capture::CaptureChoices& c) {
    auto* column = new QWidget(this);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    auto* speedBox = new QGroupBox(column);
    speedBox->setObjectName(QStringLiteral("SpeedBox"));
    auto* s = new QVBoxLayout(speedBox);
    timing_ = check(speedBox, "CaptureAt", QStringLiteral("Captur&e At"), c.options.timing);
    s->addWidget(timing_);
    const std::array<std::pair<const char*, QString>, 4> speeds = {{
        {"ActualSpeed", QStringLiteral("&Actual Speed")},
        {"HalfSpeed", QStringLiteral("&Half Speed")},
        {"DoubleSpeed", QStringLiteral("Do&uble Speed")},
        {"QuadrupleSpeed", QStringLiteral("&Quadruple Speed")},
    }};
    for (std::size_t i = 0; i < speeds.size(); ++i) {
        speeds_[i] = radio(speedBox, speeds[i].first, speeds[i].second, c.speed == static_cast<int>(i) + 1);
        s->addWidget(speeds_[i]);
    }
    auto* scopeBox = new QGroupBox(QStringLiteral("Scope"), column);
    scopeBox->setObjectName(QStringLiteral("ScopeBox"));
    auto* g = new QVBoxLayout(scopeBox);
    global_ = radio(scopeBox, "Global", QStringLiteral("&Global"), c.global);
    program_ = radio(scopeBox, "Program", QStringLiteral("&Program"), !c.global);
    g->addWidget(global_);
    g->addWidget(program_);
    v->addWidget(speedBox);
    v->addWidget(scopeBox);
    v->addStretch();
    return column;
}

void CaptureOptionsBox::updateEnabling() {
    const capture::OptionEnabling e = capture::enablingOf(choices(), defaultsDialog_);
    screen_->setEnabled(e.screenWindow);
    window_->setEnabled(e.screenWindow);
    position_->setEnabled(e.position);
    clicksOnly_->setEnabled(e.clicksOnly);
    windowSize_->setEnabled(e.windowSize);
    doubleAlt_->setEnabled(e.doubleAlt);
    for (QRadioButton* speed : speeds_) speed->setEnabled(e.speeds);
}

capture::CaptureChoices CaptureOptionsBox::choices() const {
    using capture::MouseOrigin;
    capture::CaptureChoices c = initial_;
    c.options.keystrokes = keys_->isChecked();
    c.options.doubleAlt = doubleAlt_->isChecked();
    c.options.mouse = mouse_->isChecked();
    c.options.origin = window_->isChecked()     ? MouseOrigin::Window
                       : position_->isChecked() ? MouseOrigin::Position
                                                : MouseOrigin::Screen;
    c.options.clicksOnly = clicksOnly_->isChecked();
    c.windowSize = windowSize_->isChecked();
    c.options.timing = timing_->isChecked();
    for (std::size_t i = 0; i < speeds_.size(); ++i)
        if (speeds_[i]->isChecked()) c.speed = static_cast<int>(i) + 1;
    c.global = global_->isChecked();
    return c;
}

void CaptureOptionsBox::refuseGlobal() {
    program_->setChecked(true);
    global_->setEnabled(false);
}

TCaptureDefaults::TCaptureDefaults(TAppSettings& settings, std::function<void()> save, QWidget* parent)
    : QDialog(parent), settings_(settings), save_(std::move(save)) {
    setObjectName(QStringLiteral("TCaptureDefaults"));
    setWindowTitle(QStringLiteral("Capture Defaults"));
    const capture::CaptureChoices choices = capture::choicesFromSettings(settings);
    options_ = new CaptureOptionsBox(choices, true, this);
    prompt_ = check(this, "PromptOnCapture", QStringLiteral("P&rompt on Capture"), choices.prompt);
    const DialogButtons buttons = okCancelHelp(this, QStringLiteral("Capture Defaults"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(options_);
    layout->addWidget(prompt_);
    layout->addLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, &TCaptureDefaults::okClick);
}

void TCaptureDefaults::okClick() {
    capture::CaptureChoices choices = options_->choices();
    choices.prompt = prompt_->isChecked();
    capture::storeChoices(choices, settings_);
    if (save_) save_();
    accept();
}

TCaptureKeys::TCaptureKeys(const CaptureMacroRequest& request, const TAppSettings& defaults, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TCaptureKeys"));
    setWindowTitle(QStringLiteral("Capture Macro"));
    auto* layout = new QVBoxLayout(this);
    auto* activation = new QLabel(fromCp1252(request.activation), this);
    activation->setObjectName(QStringLiteral("Activation"));
    layout->addWidget(activation);
    auto* stop = new QLabel(
        QStringLiteral("Press ") + fromCp1252(request.stopKeyName) + QStringLiteral(" to end capture"), this);
    stop->setObjectName(QStringLiteral("StopKey"));
    layout->addWidget(stop);
    if (!request.ownKeyName.empty()) {
        auto* own = new QLabel(
            QStringLiteral("Or Press ") + fromCp1252(request.ownKeyName) + QStringLiteral(" to end capture"), this);
        own->setObjectName(QStringLiteral("OwnKey"));
        layout->addWidget(own);
    }
    options_ = new CaptureOptionsBox(capture::choicesFromSettings(defaults), false, this);
    if (request.refuseGlobal) options_->refuseGlobal();
    layout->addWidget(options_);

    layout->addLayout(nicknameRow(this, nickname_, request.nickname));

    auto* listLabel = new QLabel(QStringLiteral("Choose the program to start capturing in"), this);
    windows_ = new QListWidget(this);
    windows_->setObjectName(QStringLiteral("WindowList"));
    windows_->setAccessibleName(listLabel->text());
    windows_->addItem(QString::fromLatin1(capture::kLastActiveWindow));
    for (const std::string& title : request.windowTitles) windows_->addItem(fromCp1252(title));
    windows_->setCurrentRow(0);
    layout->addWidget(listLabel);
    layout->addWidget(windows_, 1);

    const DialogButtons buttons = okCancelHelp(this, QStringLiteral("Capture Macro"));
    buttons.ok->setText(QStringLiteral("&Start Capture"));
    buttons.ok->setObjectName(QStringLiteral("StartCapture"));
    layout->addLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
}

CaptureMacroChoice TCaptureKeys::choice() const {
    CaptureMacroChoice c;
    c.choices = options_->choices();
    c.nickname = toCp1252(nickname_->text());
    if (windows_->currentRow() > 0) c.window = toCp1252(windows_->currentItem()->text());
    return c;
}

bool runCaptureMacro(IResidentActions& resident, const capture::CaptureTarget& target, const TAppSettings& defaults,
                     QWidget* parent) {
    const std::optional<CaptureMacroRequest> request = resident.beginCapture(target);
    if (!request) return false;
    TCaptureKeys dialog(*request, defaults, parent);
    if (dialog.exec() != QDialog::Accepted) {
        resident.cancelCapture();
        return false;
    }
    const Outcome started = resident.startCapture(dialog.choice());
    if (started.accepted) return true;
    QMessageBox::critical(parent, fromCp1252(started.failure.title), fromCp1252(started.failure.message));
    resident.cancelCapture();
    return false;
}

TCapComplete::TCapComplete(TMacroRecord& record, const TActivationTable& table, bool global,
                           std::string foregroundProgram, IHotkeyPickerHost* pickerHost, QWidget* parent)
    : QDialog(parent), record_(record), table_(table), foregroundProgram_(std::move(foregroundProgram)) {
    setObjectName(QStringLiteral("TCapComplete"));
    setWindowTitle(QStringLiteral("Capture Complete"));
    setWindowFlag(Qt::WindowStaysOnTopHint);

    hotKeyPage_ = new QWidget(this);
    auto* hotKeyLayout = new QVBoxLayout(hotKeyPage_);
    hotKeyLayout->setContentsMargins(0, 0, 0, 0);
    if (pickerHost != nullptr) {
        picker_ = new HotkeyPickerField(*pickerHost, hotKeyPage_);
        picker_->setObjectName(QStringLiteral("HotKeyField"));
        picker_->setAccessibleName(QStringLiteral("Hot Key"));
        hotKeyLayout->addWidget(picker_);
    }
    list_ = new QTreeWidget(hotKeyPage_);
    list_->setObjectName(QStringLiteral("HotKeyList"));
    list_->setAccessibleName(QStringLiteral("Hot Keys"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("Hot Key"), QStringLiteral("In Use")});
    hotKeyLayout->addWidget(list_);
    fillHotKeys(table);
    if (picker_ != nullptr) {
        picker_->setAcceptor([this](int code) {
            list_->setCurrentItem(list_->topLevelItem(code));
            return true;
        });
    }

    shortKeyPage_ = new QWidget(this);
    auto* shortKeyForm = new QFormLayout(shortKeyPage_);
    shortKeyForm->setContentsMargins(0, 0, 0, 0);
    shortKey_ = new QLineEdit(shortKeyPage_);
    shortKey_->setObjectName(QStringLiteral("ShortKeyName"));
    shortKey_->setAccessibleName(QStringLiteral("ShortKey Name"));
    shortKey_->setMaxLength(static_cast<int>(TMacroRecord::kShortKeyText));
    shortKey_->setMaximumWidth(shortKey_->fontMetrics().horizontalAdvance(QString(12, QLatin1Char('W'))));
    shortKeyForm->addRow(QStringLiteral("ShortKey Name"), shortKey_);

    QFormLayout* nicknameForm = nicknameRow(this, nickname_, {});

    auto* scopeBox = new QGroupBox(QStringLiteral("Scope"), this);
    auto* scope = new QHBoxLayout(scopeBox);
    global_ = radio(scopeBox, "Global", QStringLiteral("&Global"), global);
    program_ = radio(scopeBox, "Program", QStringLiteral("&Program"), !global);
    scope->addWidget(global_);
    scope->addWidget(program_);

    const DialogButtons buttons = okCancelHelp(this, QStringLiteral("Capture Complete"));
    buttons.cancel->hide();  // the macro exists already: it gets an activation or none
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(typeBox());
    layout->addWidget(hotKeyPage_, 1);
    layout->addWidget(shortKeyPage_);
    layout->addLayout(nicknameForm);
    layout->addWidget(scopeBox);
    layout->addLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, &TCapComplete::okClick);
    showType();
    if (picker_ != nullptr) picker_->setFocus();
}

QWidget* TCapComplete::typeBox() {
    auto* box = new QGroupBox(QStringLiteral("Macro Type"), this);
    auto* row = new QHBoxLayout(box);
    hotKeys_ = radio(box, "HotKeys", QStringLiteral("&Hot Keys"), true);
    shortKeys_ = radio(box, "ShortKeys", QStringLiteral("&ShortKeys"), false);
    none_ = radio(box, "None", QStringLiteral("&None (use later)"), false);
    for (QRadioButton* b : {hotKeys_, shortKeys_, none_}) {
        row->addWidget(b);
        connect(b, &QRadioButton::toggled, this, &TCapComplete::showType);
    }
    return box;
}

void TCapComplete::fillHotKeys(const TActivationTable& table) {
    const std::array<int, kHotKeyCount> counts = capture::hotKeyUseCounts(table);
    for (int code = 0; code < kHotKeyCount; ++code) {
        const QString use = fromCp1252(capture::hotKeyUseText(counts[static_cast<std::size_t>(code)])).trimmed();
        auto* item = new QTreeWidgetItem(list_, {fromCp1252(hotKeyName(code)), use.mid(1, use.size() - 2)});
        item->setData(0, Qt::UserRole, code);
    }
    // The name takes three fifths of the width, the use the rest.
    list_->header()->setSectionResizeMode(QHeaderView::Interactive);
    list_->setColumnWidth(0, list_->fontMetrics().horizontalAdvance(QStringLiteral("Ctrl+Alt+Shift+Left Arrow")) + 24);
    // A dozen rows in sight at least: the dialog fits itself to its fields, and the list has
    // hundreds of hotkeys to look through.
    const int row = std::max(list_->sizeHintForRow(0), list_->fontMetrics().height());
    list_->setMinimumHeight(row * kVisibleHotKeyRows + list_->header()->sizeHint().height() + 2 * list_->frameWidth());
}

// Only the fields of the chosen type are shown, and the dialog takes the height they need.
void TCapComplete::showType() {
    hotKeyPage_->setVisible(hotKeys_->isChecked());
    shortKeyPage_->setVisible(shortKeys_->isChecked());
    adjustSize();
}

void TCapComplete::okClick() {
    capture::Completion choice;
    choice.type = hotKeys_->isChecked()     ? capture::MacroType::HotKey
                  : shortKeys_->isChecked() ? capture::MacroType::ShortKey
                                            : capture::MacroType::None;
    const QTreeWidgetItem* current = list_->currentItem();
    choice.hotKeyCode = current != nullptr ? current->data(0, Qt::UserRole).toInt() : -1;
    choice.shortKeyName = toCp1252(shortKey_->text());
    choice.nickname = toCp1252(nickname_->text());
    choice.global = global_->isChecked();
    choice.foregroundProgram = foregroundProgram_;
    const auto exclusive = [this](int code) { return capture::exclusiveHotKey(table_, code); };
    TMacroRecord edited = record_;
    capture::CompletionCheck check = capture::completeCapture(choice, exclusive, edited);
    if (check.kind == capture::CompletionCheck::Kind::AskReserved) {
        if (QMessageBox::warning(this, QStringLiteral("Warning"), fromCp1252(check.message),
                                 QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
        choice.reservedConfirmed = true;
        check = capture::completeCapture(choice, exclusive, edited);
    }
    if (check.kind == capture::CompletionCheck::Kind::Error) {
        QMessageBox::critical(this, QStringLiteral("Error"), fromCp1252(check.message));
        if (choice.type == capture::MacroType::ShortKey) shortKey_->setFocus();
        return;
    }
    record_ = edited;
    accept();
}

}  // namespace orv::gui
