#include "gui/forms/two_column_list.h"

#include <QApplication>
#include <QPainter>

namespace orv::gui {

namespace {

class TwoColumnDelegate final : public QStyledItemDelegate {
public:
    TwoColumnDelegate(double at, QObject* parent) : QStyledItemDelegate(parent), at_(at) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        painter->save();
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect r = option.rect;
        const int second = r.left() + static_cast<int>(r.width() * at_);
        const QRect left(r.left() + 2, r.top(), second - r.left() - 4, r.height());
        const QRect right(second, r.top(), r.right() - second, r.height());
        painter->drawText(left, Qt::AlignLeft | Qt::AlignVCenter, index.data(TwoColumnList::FirstRole).toString());
        painter->drawText(right, Qt::AlignLeft | Qt::AlignVCenter, index.data(TwoColumnList::SecondRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QFontMetrics fm(option.font);
        const QString first = index.data(TwoColumnList::FirstRole).toString();
        const QString second = index.data(TwoColumnList::SecondRole).toString();
        // Wide enough that the second column starts after the first text.
        const int firstWidth = fm.horizontalAdvance(first) + 8;
        const int width = std::max(static_cast<int>(firstWidth / at_), firstWidth + fm.horizontalAdvance(second) + 8);
        return {width, fm.height() + 4};
    }

private:
    double at_;
};

}  // namespace

TwoColumnList::TwoColumnList(double secondColumnAt, QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TwoColumnDelegate(secondColumnAt, this));
    setUniformItemSizes(true);
}

void TwoColumnList::addRow(const QString& first, const QString& second, const QString& accessibleText) {
    auto* item = new QListWidgetItem(accessibleText, this);
    item->setData(FirstRole, first);
    item->setData(SecondRole, second);
}

void TwoColumnList::setRow(int row, const QString& first, const QString& second, const QString& accessibleText) {
    QListWidgetItem* it = item(row);
    if (it == nullptr) return;
    it->setText(accessibleText);
    it->setData(FirstRole, first);
    it->setData(SecondRole, second);
}

void TwoColumnList::selectRow(int row) {
    if (row < 0 || row >= count()) {
        setCurrentRow(-1);
        clearSelection();
        return;
    }
    setCurrentRow(row);
    scrollToItem(item(row), QAbstractItemView::PositionAtCenter);
}

}  // namespace orv::gui
