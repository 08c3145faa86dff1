#include "gui/system_keys_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/help.h"
#include "gui/hotkey_picker.h"
#include "gui/qt_text.h"

namespace orv::gui {

TSystemKeys::TSystemKeys(IResidentActions& resident, int focusField, QWidget* parent)
    : QDialog(parent), resident_(resident), model_(resident.systemKeys()) {
    setWindowTitle(QStringLiteral("System Hot Keys"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);

    static const char* const captions[SystemKeysModel::kFields] = {
        "Activate Program", "Start/Stop Capture", "Resume Pause",
        "Display Menu of all Hot Keys associated with top most Window"};
    for (int i = 0; i < SystemKeysModel::kFields; ++i) {
        auto* label = new QLabel(QString::fromLatin1(captions[i]), this);
        auto* field = new HotkeyPickerField(resident_, this);
        field->setObjectName(QStringLiteral("HotKey%1").arg(i + 1));
        field->setCode(model_.hotKey(i));
        field->setAcceptor([this, i](int code) { return offer(i, code); });
        label->setBuddy(field);
        layout->addWidget(label);
        layout->addWidget(field);
        fields_[static_cast<std::size_t>(i)] = field;
    }

    auto* menu = new QGroupBox(QStringLiteral("What To Show On Popup Menu"), this);
    auto* menuLayout = new QVBoxLayout(menu);
    static const char* const choices[3] = {"First Part of Macro", "Icons", "Nickname and Scope"};
    for (int i = 0; i < 3; ++i) {
        auto* choice = new QRadioButton(QString::fromLatin1(choices[i]), menu);
        choice->setObjectName(QStringLiteral("SystemMenu%1").arg(i + 1));
        // Any other stored value leaves all three clear (the menu then shows nickname and scope).
        choice->setChecked(model_.systemMenu() == i + 1);
        menuLayout->addWidget(choice);
        choices_[static_cast<std::size_t>(i)] = choice;
    }
    layout->addWidget(menu);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(helpButton(this, QStringLiteral("System Hot Keys")));
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TSystemKeys::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (focusField >= 0 && focusField < SystemKeysModel::kFields) field(focusField)->setFocus();
}

bool TSystemKeys::offer(int field, int code) {
    if (const std::optional<std::string> refusal = model_.offerHotKey(field, code)) {
        QMessageBox::critical(this, QStringLiteral("Error"), fromCp1252(*refusal));
        return false;
    }
    return true;
}

void TSystemKeys::okClick() {
    for (std::size_t i = 0; i < choices_.size(); ++i)
        if (choices_[i]->isChecked()) model_.setSystemMenu(static_cast<int>(i) + 1);
    const Outcome outcome = resident_.applySystemKeys(model_);
    if (!outcome.accepted) {
        // An empty message: the store has already told the user why a write failed.
        if (!outcome.failure.message.empty())
            QMessageBox::critical(this, fromCp1252(outcome.failure.title), fromCp1252(outcome.failure.message));
        return;
    }
    accept();
}

}  // namespace orv::gui
