#include "gui/forms/copy_move_form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "activation/hotkey_table.h"
#include "gui/hotkey_picker.h"
#include "gui/qt_text.h"

namespace orv::gui {

TCopyOrMoveForm::TCopyOrMoveForm(dialogs::TCopyOrMove& model, const dialogs::DialogEnv& env,
                                 IHotkeyPickerHost* pickerHost, const std::vector<int>& useCounts, QWidget* parent)
    : ModelForm(model, env, parent) {
    auto* heading = new QLabel(fromCp1252(model.heading()), this);
    heading->setObjectName(QStringLiteral("Heading"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto* kinds = new QGroupBox(this);
    auto* kindLayout = new QVBoxLayout(kinds);
    const std::pair<const char*, const char*> choices[] = {{"hotkey", "&Hot Key"},
                                                           {"shortkey", "&ShortKey"},
                                                           {"timed", "&Timed Macro"},
                                                           {"none", "&None (use later)"},
                                                           {"window", "&Window Title"}};
    model.set("kind", "hotkey");
    for (const auto& [choice, caption] : choices) {
        QRadioButton* radio = choiceControl("kind", choice, QString::fromLatin1(caption));
        kindLayout->addWidget(radio);
        connect(radio, &QRadioButton::toggled, this, &TCopyOrMoveForm::kindChanged);
    }

    hotKeyPart_ = new QWidget(this);
    auto* hotKeyLayout = new QVBoxLayout(hotKeyPart_);
    hotKeyLayout->setContentsMargins(0, 0, 0, 0);
    code_ = textControl("hotkey");
    code_->hide();
    if (pickerHost != nullptr) {
        picker_ = new HotkeyPickerField(*pickerHost, hotKeyPart_);
        picker_->setObjectName(QStringLiteral("HotKeyPicker"));
        picker_->setPlaceholderText(QStringLiteral("(Press the Hot Key)"));
        picker_->setAccessibleName(QStringLiteral("Press the Hot Key"));
        picker_->setAcceptor([this](int code) {
            chooseCode(code);
            return true;
        });
        hotKeyLayout->addWidget(picker_);
    }
    list_ = new QListWidget(hotKeyPart_);
    list_->setObjectName(QStringLiteral("HotKeyList"));
    list_->setAccessibleName(QStringLiteral("Hot keys"));
    for (int code = 0; code < kHotKeyCount; ++code) {
        const int uses = code < static_cast<int>(useCounts.size()) ? useCounts[static_cast<std::size_t>(code)] : 0;
        list_->addItem(fromCp1252(dialogs::hotKeyListRow(hotKeyName(code), uses)));
    }
    list_->setMinimumHeight(list_->fontMetrics().height() * 8);
    hotKeyLayout->addWidget(list_, 1);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        code_->setText(row >= 0 ? QString::number(row) : QString());
        if (picker_ != nullptr && row >= 0) picker_->setCode(row);
    });

    textLabel_ = new QLabel(this);
    shortKey_ = textControl("shortkey");
    title_ = textControl("title");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    auto* middle = new QHBoxLayout;
    middle->addWidget(kinds);
    auto* right = new QVBoxLayout;
    right->addWidget(hotKeyPart_, 1);
    right->addWidget(textLabel_);
    right->addWidget(shortKey_);
    right->addWidget(title_);
    right->addStretch();
    middle->addLayout(right, 1);
    layout->addLayout(middle, 1);
    layout->addWidget(okCancelRow());
    kindChanged();
    if (picker_ != nullptr) picker_->setFocus();
    resize(520, 420);
}

void TCopyOrMoveForm::chooseCode(int code) {
    if (code < 0 || code >= list_->count()) return;
    list_->setCurrentRow(code);
    list_->scrollToItem(list_->currentItem());
}

void TCopyOrMoveForm::kindChanged() {
    const auto checked = [this](const char* choice) {
        const auto* radio = findChild<QRadioButton*>(QStringLiteral("kind_") + QString::fromLatin1(choice));
        return radio != nullptr && radio->isChecked();
    };
    hotKeyPart_->setVisible(checked("hotkey"));
    shortKey_->setVisible(checked("shortkey"));
    title_->setVisible(checked("window"));
    textLabel_->setVisible(checked("shortkey") || checked("window"));
    textLabel_->setText(checked("shortkey") ? QStringLiteral("ShortKey Name") : QStringLiteral("Window Title"));
    textLabel_->setBuddy(checked("shortkey") ? shortKey_ : title_);
}

}  // namespace orv::gui
