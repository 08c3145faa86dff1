#include "gui/forms/symbol_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/timing_dialogs.h"
#include "gui/dialog_buttons.h"
#include "gui/option_forms.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {

constexpr int kColumns = 16;
constexpr int kRows = 8;

}  // namespace

SymbolForm::SymbolForm(dialogs::TDoSpecial& model, const dialogs::DialogEnv& env, QWidget* parent)
    : ModelForm(model, env, parent), env_(env) {
    grid_ = new QTableWidget(kRows, kColumns, this);
    grid_->setObjectName(QStringLiteral("SymbolGrid"));
    grid_->setAccessibleName(QStringLiteral("Symbols"));
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont big = grid_->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    grid_->setFont(big);
    const int cell = QFontMetrics(big).height() + 8;
    for (int column = 0; column < kColumns; ++column) {
        grid_->setColumnWidth(column, cell);
        for (int row = 0; row < kRows; ++row) {
            const int code = 128 + 8 * column + row;
            // The few codes the character set leaves undefined show as empty cells, not as the
            // font's box for a control character.
            const QString symbol = fromCp1252(std::string(1, static_cast<char>(code)));
            const bool defined = symbol.size() == 1 && symbol.front().category() != QChar::Other_Control;
            auto* item = new QTableWidgetItem(defined ? symbol : QString());
            item->setTextAlignment(Qt::AlignCenter);
            item->setToolTip(QStringLiteral("Character %1").arg(code));
            grid_->setItem(row, column, item);
        }
    }
    for (int row = 0; row < kRows; ++row) grid_->setRowHeight(row, cell);
    const int frame = 2 * grid_->frameWidth();
    grid_->setFixedSize(kColumns * cell + frame, kRows * cell + frame);
    grid_->setCurrentCell(std::stoi(model.get("row")), std::stoi(model.get("column")));
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row < 0 || column < 0) return;
        this->model().set("row", std::to_string(row));
        this->model().set("column", std::to_string(column));
    });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] {
        this->model().set("action", "symbol");
        okClicked();
    });

    auto* keypad = new QPushButton(QStringLiteral("&Alt Keypad Sequence"), this);
    keypad->setObjectName(QStringLiteral("KeypadButton"));
    keypad->setVisible(model.get("keypadallowed") == "1");
    connect(keypad, &QPushButton::clicked, this, &SymbolForm::keypadSequence);

    const DialogButtons buttons = okCancelHelp(this, windowTitle());
    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        this->model().set("action", "symbol");
        okClicked();
    });
    buttons.row->insertWidget(0, keypad);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 0, Qt::AlignHCenter);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    grid_->setFocus();
}

void SymbolForm::keypadSequence() {
    dialogs::TDoDelay keypad;
    keypad.set("mode", "keypad");
    DelayForm form(keypad, env_, this);
    // A cancelled keypad dialog leaves this one open.
    if (form.exec() != QDialog::Accepted) return;
    model().set("action", "keypad");
    model().set("keypad", keypad.get("keypad"));
    okClicked();
}

}  // namespace orv::gui
