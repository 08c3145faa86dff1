#include "gui/forms/shortkey_options_form.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "activation/shortkey_options.h"
#include "gui/help.h"
#include "gui/qt_text.h"

namespace orv::gui {

TShortKeyOptions::TShortKeyOptions(const TAppSettings& settings, IResidentActions& resident, QWidget* parent)
    : QDialog(parent), resident_(resident) {
    const ShortKeyOptionsModel model = ShortKeyOptionsModel::fromSettings(settings);
    setWindowTitle(QStringLiteral("ShortKey Options"));
    auto* layout = new QVBoxLayout(this);
    solitary_ = new QCheckBox(QStringLiteral("Solitary &Usage"), this);
    usePrefix_ = new QCheckBox(QStringLiteral("Use &Prefix Keys"), this);
    caseSensitive_ = new QCheckBox(QStringLiteral("&Case Sensitive"), this);
    prefix_ = new QLineEdit(fromCp1252(model.prefixKeys), this);
    solitary_->setObjectName(QStringLiteral("SolitaryUsage"));
    usePrefix_->setObjectName(QStringLiteral("UsePrefixKeys"));
    caseSensitive_->setObjectName(QStringLiteral("CaseSensitive"));
    prefix_->setObjectName(QStringLiteral("PrefixKeys"));
    prefix_->setAccessibleName(QStringLiteral("Prefix Keys"));
    solitary_->setChecked(model.solitaryUsage);
    usePrefix_->setChecked(model.usePrefixKeys);
    caseSensitive_->setChecked(model.caseSensitive);
    prefix_->setEnabled(model.prefixEnabled());
    connect(usePrefix_, &QCheckBox::toggled, prefix_, &QLineEdit::setEnabled);
    layout->addWidget(solitary_);
    layout->addWidget(usePrefix_);
    layout->addWidget(prefix_);
    layout->addWidget(caseSensitive_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(helpButton(this, QStringLiteral("ShortKey Options")), QDialogButtonBox::HelpRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, &TShortKeyOptions::okClick);
}

void TShortKeyOptions::okClick() {
    ShortKeyOptionsModel model;
    model.solitaryUsage = solitary_->isChecked();
    model.usePrefixKeys = usePrefix_->isChecked();
    model.caseSensitive = caseSensitive_->isChecked();
    model.prefixKeys = toCp1252(prefix_->text());
    const Outcome outcome = resident_.applyShortKeyOptions(model);
    if (!outcome.accepted) {
        QMessageBox::critical(this, fromCp1252(outcome.failure.title), fromCp1252(outcome.failure.message));
        prefix_->setFocus();
        return;
    }
    accept();
}

}  // namespace orv::gui
