#pragma once

#include <QListWidget>
#include <QStyledItemDelegate>

namespace orv::gui {

// A list whose rows show two texts: the first 2 pixels from the left edge, the second from a
// fixed fraction of the row's width. The row's own text (what screen readers read) holds both.
class TwoColumnList final : public QListWidget {
    Q_OBJECT
public:
    static constexpr int FirstRole = Qt::UserRole + 1;
    static constexpr int SecondRole = Qt::UserRole + 2;

    TwoColumnList(double secondColumnAt, QWidget* parent = nullptr);
    void addRow(const QString& first, const QString& second, const QString& accessibleText);
    // The row's texts change, the accessible text with them.
    void setRow(int row, const QString& first, const QString& second, const QString& accessibleText);
    // Selects `row` and scrolls it into view; -1 clears the selection.
    void selectRow(int row);
};

}  // namespace orv::gui
