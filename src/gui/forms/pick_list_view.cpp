#include "gui/forms/pick_list_view.h"

#include <QHeaderView>
#include <QPushButton>

#include "gui/dialog_buttons.h"
#include "gui/qt_text.h"

namespace orv::gui {

PickListView::PickListView(PickList& list, QWidget* parent) : QTreeWidget(parent), list_(list) {
    setObjectName(QStringLiteral("MacroList"));
    setAccessibleName(QStringLiteral("Macros"));
    setColumnCount(3);
    setHeaderLabels({QStringLiteral("Activation"), QStringLiteral("Nickname"), QStringLiteral("Scope")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    header()->setStretchLastSection(true);
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    setColumnWidth(0, em * 12);
    setColumnWidth(1, em * 16);
    setMinimumWidth(em * 42);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &PickListView::takePicks);
    reload();
}

PickListView::PickButtons PickListView::pickButtons(QWidget* parent) {
    const PickButtons b{plainButton(QStringLiteral("Select &All"), "SelectAllButton", parent),
                        plainButton(QStringLiteral("C&lear"), "ClearButton", parent)};
    connect(b.selectAll, &QPushButton::clicked, this, [this] {
        list_.pickAll();
        showPicks();
    });
    connect(b.clear, &QPushButton::clicked, this, [this] {
        list_.clearPicks();
        showPicks();
    });
    return b;
}

void PickListView::reload() {
    const QSignalBlocker block(this);
    clear();
    QList<QTreeWidgetItem*> items;
    for (const PickRow& row : list_.rows())
        items.append(new QTreeWidgetItem(
            QStringList{fromCp1252(row.activation), fromCp1252(row.nickName), fromCp1252(row.scope)}));
    addTopLevelItems(items);
    if (!items.isEmpty()) setCurrentItem(items.front(), 0, QItemSelectionModel::NoUpdate);
    showPicks();
}

void PickListView::showPicks() {
    const QSignalBlocker block(this);
    for (int i = 0; i < topLevelItemCount(); ++i)
        topLevelItem(i)->setSelected(list_.picked(static_cast<std::size_t>(i)));
}

void PickListView::takePicks() {
    for (int i = 0; i < topLevelItemCount(); ++i)
        list_.setPicked(static_cast<std::size_t>(i), topLevelItem(i)->isSelected());
}

}  // namespace orv::gui
