#include "gui/forms/add_macro_form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/forms/two_column_list.h"
#include "gui/help.h"
#include "gui/hotkey_picker.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {

// A row of the list as its two columns: the key's name, and its use between the parentheses.
std::pair<QString, QString> columnsOf(const QString& row) {
    const qsizetype open = row.indexOf(u'(');
    if (open < 0) return {row, {}};
    const qsizetype close = row.indexOf(u')', open);
    return {row.left(open).trimmed(), row.mid(open + 1, (close < 0 ? row.size() : close) - open - 1)};
}

}  // namespace

TAddNewHotKey::TAddNewHotKey(editors::AddMacroModel& model, TMacroRecord& buffer, const EditorContext& context,
                             Builders builders, QWidget* parent)
    : QDialog(parent), model_(model), buffer_(buffer), builders_(std::move(builders)) {
    setObjectName(QStringLiteral("TAddNewHotKey"));
    setWindowTitle(QStringLiteral("Add Macro"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* types = new QGroupBox(QStringLiteral("Macro Type"), this);
    auto* typeLayout = new QVBoxLayout(types);
    for (int i = 0; i < editors::kAddTypeCount; ++i) {
        const editors::AddTypeInfo& info = editors::addTypeInfo(static_cast<editors::AddType>(i));
        types_[static_cast<std::size_t>(i)] = new QRadioButton(latin1(info.caption), types);
        types_[static_cast<std::size_t>(i)]->setObjectName(latin1(info.objectName));
        connect(types_[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this](bool on) {
            if (on) typeChanged();
        });
        typeLayout->addWidget(types_[static_cast<std::size_t>(i)]);
    }
    typeLayout->addStretch();

    hotKeyPart_ = new QWidget(this);
    auto* hotKeyLayout = new QVBoxLayout(hotKeyPart_);
    hotKeyLayout->setContentsMargins(0, 0, 0, 0);
    auto* pressLabel =
        new QLabel(QStringLiteral("Place cursor in field below and Press the Hot Key to select"), hotKeyPart_);
    if (context.picker != nullptr) {
        auto* picker = new HotkeyPickerField(*context.picker, hotKeyPart_);
        picker->setAcceptor([this](int code) {
            chooseCode(code);
            return model_.selectedHotKey() == code;
        });
        entry_ = picker;
    } else {
        entry_ = new QLineEdit(hotKeyPart_);
        entry_->setReadOnly(true);
    }
    entry_->setObjectName(QStringLiteral("HotKeyEntry"));
    entry_->setAccessibleName(QStringLiteral("Hot key"));
    pressLabel->setBuddy(entry_);
    list_ = new TwoColumnList(0.6, hotKeyPart_);
    list_->setObjectName(QStringLiteral("KeyList"));
    list_->setAccessibleName(QStringLiteral("Hot keys"));
    for (const std::string& row : model_.rows()) {
        const QString text = fromCp1252(row);
        const auto [name, use] = columnsOf(text);
        list_->addRow(name, use, text);
    }
    list_->setMinimumWidth(list_->sizeHintForColumn(0) + 40);
    list_->setMinimumHeight(list_->sizeHintForRow(0) * 14);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        model_.selectHotKey(row);
        if (auto* picker = qobject_cast<HotkeyPickerField*>(entry_))
            picker->setCode(row);
        else
            entry_->setText(fromCp1252(model_.hotKeyName(row)));
    });
    hotKeyLayout->addWidget(pressLabel);
    hotKeyLayout->addWidget(entry_);
    hotKeyLayout->addWidget(list_, 1);

    nameLabel_ = new QLabel(this);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("ShortKeyName"));
    nameLabel_->setBuddy(name_);

    script_ = new QPushButton(QStringLiteral("&Scripting Editor"), this);
    script_->setObjectName(QStringLiteral("ScriptButton"));
    script_->setDefault(true);
    enter_ = new QPushButton(this);
    enter_->setObjectName(QStringLiteral("EnterKeyButton"));
    capture_ = new QPushButton(QStringLiteral("&Capture Macro"), this);
    capture_->setObjectName(QStringLiteral("CaptureKeyButton"));
    auto* abort = new QPushButton(QStringLiteral("&Abort"), this);
    abort->setObjectName(QStringLiteral("AbortButton"));
    connect(script_, &QPushButton::clicked, this, [this] { press(editors::Builder::ScriptingEditor); });
    connect(enter_, &QPushButton::clicked, this, [this] { press(editors::Builder::Direct); });
    connect(capture_, &QPushButton::clicked, this, [this] { press(editors::Builder::Capture); });
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);

    auto* right = new QVBoxLayout;
    right->addWidget(hotKeyPart_, 1);
    right->addWidget(nameLabel_);
    right->addWidget(name_);
    right->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(types);
    middle->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {script_, enter_, capture_, abort}) buttons->addWidget(b);
    buttons->addWidget(helpButton(this, QStringLiteral("Add Macro")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);

    types_[0]->setChecked(true);
    entry_->setFocus();
}

void TAddNewHotKey::typeChanged() {
    for (int i = 0; i < editors::kAddTypeCount; ++i)
        if (types_[static_cast<std::size_t>(i)]->isChecked()) model_.setType(static_cast<editors::AddType>(i));
    const editors::AddTypeInfo& info = editors::addTypeInfo(model_.type());
    hotKeyPart_->setVisible(info.hotKeyList);
    const bool named = !info.nameLabel.empty();
    nameLabel_->setVisible(named);
    name_->setVisible(named);
    nameLabel_->setText(latin1(info.nameLabel));
    name_->setAccessibleName(latin1(info.nameLabel));
    if (named) {
        name_->setMaxLength(info.nameMaxLength);
        name_->setFixedWidth(name_->fontMetrics().averageCharWidth() * (info.nameMaxLength + 4));
    }
    capture_->setEnabled(info.capture);
    script_->setEnabled(info.script);
    enter_->setText(latin1(info.enterCaption));
    adjustSize();
}

void TAddNewHotKey::chooseCode(int code) { list_->selectRow(code); }

void TAddNewHotKey::press(editors::Builder builder) {
    model_.setName(toCp1252(name_->text()));
    const editors::AddPress p = model_.press(builder, prompt_, buffer_);
    if (!p.accepted) {
        if (!p.failure.message.empty()) prompt_.messageBox(p.failure.title, p.failure.message, PromptButtons::Ok);
        if (p.failure.field == editors::kNameField)
            name_->setFocus();
        else if (p.failure.field == editors::kHotKeyField && hotKeyPart_->isVisible())
            entry_->setFocus();
        return;
    }
    if (builders_.missing) {
        if (const std::string why = builders_.missing(p.start.builder); !why.empty()) {
            prompt_.messageBox("Notice", why, PromptButtons::Ok);
            return;
        }
    }
    if (builders_.run) result_ = builders_.run(p.start);
    if (result_.saved)
        accept();
    else
        reject();
}

}  // namespace orv::gui
