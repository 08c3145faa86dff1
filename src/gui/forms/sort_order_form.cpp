#include "gui/forms/sort_order_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_buttons.h"

namespace orv::gui {

namespace {

const char* const kListNames[] = {"PrimarySort", "ActivationSort", "ScopeSort"};

}  // namespace

TSortOrder::TSortOrder(SortOrderModel& model, QWidget* parent) : QDialog(parent), model_(model), edited_(model) {
    setObjectName(QStringLiteral("TSortOrder"));
    setWindowTitle(QStringLiteral("Sort Order"));
    auto* groups = new QHBoxLayout;
    groups->addWidget(listGroup(SortOrderModel::Primary, QStringLiteral("Primary Sort")));
    groups->addWidget(listGroup(SortOrderModel::Activation, QStringLiteral("Activation")));
    groups->addWidget(listGroup(SortOrderModel::Scope, QStringLiteral("Scope")));
    header_ = new QCheckBox(QStringLiteral("&Enable right clicking on column headers"), this);
    header_->setObjectName(QStringLiteral("SortHeader"));
    header_->setChecked(edited_.sortHeader);

    const DialogButtons buttons = okCancelHelp(this, QStringLiteral("Sort Order"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(header_);
    layout->addLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        edited_.sortHeader = header_->isChecked();
        model_ = edited_;
        accept();
    });
}

QWidget* TSortOrder::listGroup(SortOrderModel::List list, const QString& title) {
    auto* box = new QGroupBox(title, this);
    auto* entries = new QListWidget(box);
    entries->setObjectName(QString::fromLatin1(kListNames[list]));
    entries->setAccessibleName(title);
    auto* up = new QPushButton(QStringLiteral("Up"), box);
    up->setObjectName(QString::fromLatin1(kListNames[list]) + QStringLiteral("Up"));
    up->setAccessibleName(title + QStringLiteral(": move up"));
    auto* down = new QPushButton(QStringLiteral("Down"), box);
    down->setObjectName(QString::fromLatin1(kListNames[list]) + QStringLiteral("Down"));
    down->setAccessibleName(title + QStringLiteral(": move down"));
    lists_[list] = entries;
    ups_[list] = up;
    downs_[list] = down;
    auto* moves = new QHBoxLayout;
    moves->addWidget(up);
    moves->addWidget(down);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(entries);
    layout->addLayout(moves);
    entries->setMaximumHeight(entries->fontMetrics().height() * 7);
    fill(list, -1);
    connect(entries, &QListWidget::currentRowChanged, this, [this, list] { updateButtons(list); });
    connect(up, &QPushButton::clicked, this,
            [this, list] { fill(list, edited_.moveUp(list, lists_[list]->currentRow())); });
    connect(down, &QPushButton::clicked, this,
            [this, list] { fill(list, edited_.moveDown(list, lists_[list]->currentRow())); });
    return box;
}

void TSortOrder::fill(SortOrderModel::List list, int selected) {
    QListWidget* entries = lists_[list];
    const QSignalBlocker block(entries);
    entries->clear();
    for (const int digit : edited_.lists[list])
        entries->addItem(QString::fromLatin1(SortOrderModel::entryName(list, digit).data(),
                                             static_cast<qsizetype>(SortOrderModel::entryName(list, digit).size())));
    entries->setCurrentRow(selected);
    updateButtons(list);
}

void TSortOrder::updateButtons(SortOrderModel::List list) {
    const int row = lists_[list]->currentRow();
    ups_[list]->setEnabled(row >= 0 && SortOrderModel::canMoveUp(row));
    downs_[list]->setEnabled(edited_.canMoveDown(list, row));
}

}  // namespace orv::gui
