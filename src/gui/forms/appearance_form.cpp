#include "gui/forms/appearance_form.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/dialog_buttons.h"
#include "gui/macro_grid.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {

QString fontText(const FontSetting& f) { return fromCp1252(f.Name) + QStringLiteral(", %1 pt").arg(f.Size); }

}  // namespace

TDoAppear::TDoAppear(AppearanceModel& model, QWidget* parent) : QDialog(parent), model_(model), edited_(model) {
    setObjectName(QStringLiteral("TDoAppear"));
    setWindowTitle(QStringLiteral("Appearance"));
    auto* form = new QFormLayout;
    for (int i = 0; i < 3; ++i) {
        auto* edit = new QLineEdit(fromCp1252(edited_.widths[static_cast<std::size_t>(i)]), this);
        edit->setObjectName(QStringLiteral("Width%1").arg(i + 1));
        edit->setMaxLength(static_cast<int>(AppearanceModel::kWidthChars));
        edit->setAccessibleName(QStringLiteral("Column %1 Width").arg(i + 1));
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
        widths_[static_cast<std::size_t>(i)] = edit;
        form->addRow(QStringLiteral("Column %1 Width").arg(i + 1), edit);
    }
    auto* gridButton = new QPushButton(QStringLiteral("&Grid Font"), this);
    gridButton->setObjectName(QStringLiteral("GridFont"));
    gridFont_ = new QLabel(fontText(edited_.gridFont), this);
    auto* titleButton = new QPushButton(QStringLiteral("Grid &Title Font"), this);
    titleButton->setObjectName(QStringLiteral("GridTitleFont"));
    titleFont_ = new QLabel(fontText(edited_.titleFont), this);
    form->addRow(gridButton, gridFont_);
    form->addRow(titleButton, titleFont_);

    auto* buttonsBox = new QGroupBox(QStringLiteral("Buttons"), this);
    speed_ = new QRadioButton(QStringLiteral("&Speed Buttons"), buttonsBox);
    speed_->setObjectName(QStringLiteral("SpeedButtons"));
    lettered_ = new QRadioButton(QStringLiteral("&Lettered Buttons"), buttonsBox);
    lettered_->setObjectName(QStringLiteral("LetteredButtons"));
    (edited_.speedButtons ? speed_ : lettered_)->setChecked(true);
    auto* radios = new QVBoxLayout(buttonsBox);
    radios->addWidget(speed_);
    radios->addWidget(lettered_);
    icons_ = new QCheckBox(QStringLiteral("&Show Icons"), this);
    icons_->setObjectName(QStringLiteral("ShowIcons"));
    icons_->setChecked(edited_.showIcons);

    const DialogButtons buttons = okCancelHelp(this, QStringLiteral("Appearance"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttonsBox);
    layout->addWidget(icons_);
    layout->addLayout(buttons.row);

    connect(gridButton, &QPushButton::clicked, this, [this] { chooseFont(edited_.gridFont, gridFont_, true); });
    connect(titleButton, &QPushButton::clicked, this, [this] { chooseFont(edited_.titleFont, titleFont_, false); });
    connect(buttons.ok, &QPushButton::clicked, this, &TDoAppear::okClick);
}

void TDoAppear::chooseFont(FontSetting& font, QLabel* shown, bool grid) {
    bool chosen = false;
    const QFont picked = QFontDialog::getFont(&chosen, toQFont(font), this,
                                              grid ? QStringLiteral("Grid Font") : QStringLiteral("Grid Title Font"));
    if (!chosen) return;
    font = fromQFont(picked, font);
    // Italics mark deactivated macros, so the rows' font has no style of its own.
    if (grid) font = plainGridFont(font);
    shown->setText(fontText(font));
}

void TDoAppear::okClick() {
    for (std::size_t i = 0; i < 3; ++i) edited_.widths[i] = toCp1252(widths_[i]->text());
    edited_.speedButtons = speed_->isChecked();
    edited_.showIcons = icons_->isChecked();
    if (const std::optional<int> bad = edited_.invalidWidth()) {
        QMessageBox::critical(this, QStringLiteral("Error"), QString::fromLatin1(kMsgInvalidWidth));
        widths_[static_cast<std::size_t>(*bad)]->setFocus();
        widths_[static_cast<std::size_t>(*bad)]->selectAll();
        return;
    }
    model_ = edited_;
    accept();
}

}  // namespace orv::gui
