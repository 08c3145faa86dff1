#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QTableView>

#include "mainwin/macro_list.h"
#include "platform/activation_table.h"
#include "store/app_settings.h"

namespace orv::gui {

// A stored font as Qt's (a size of 0 or less keeps Qt's default size).
QFont toQFont(const FontSetting& font);
// A font chosen in a font dialog as stored: the colour, and the size when Qt has none in points,
// stay as they were in `previous`.
FontSetting fromQFont(const QFont& font, const FontSetting& previous);

// The five columns of the macro list over the list model: the row number, the icon, the
// Activation, Nickname and Scope texts. Model row r - 1 is list row r.
class MacroGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Icon, Activation, Nickname, Scope, ColumnCount };
    // True for a deactivated macro (drawn in grey italics).
    static constexpr int InactiveRole = Qt::UserRole + 1;
    // The macro number the row shows.
    static constexpr int MacroRole = Qt::UserRole + 2;

    MacroGridModel(const MacroList& list, const TActivationTable& table, const TAppSettings& settings,
                   QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The list was refilled or changed: everything is shown anew.
    void reload();
    // The index the rows are read from.
    void setTable(const TActivationTable& table) { table_ = &table; }
    // The picture of macro j: its icon file, the menu icon or the main icon; a file that cannot
    // be read shows the main icon.
    QPixmap iconOf(int j) const;

private:
    const MacroList& list_;
    const TActivationTable* table_;
    const TAppSettings& settings_;
    mutable QHash<QString, QPixmap> icons_;
};

// Paints a cell: the background, the text 2 pixels from the left edge at the top of the cell, cut
// off at the end (no ellipsis) where it is wider than the cell; deactivated macros in grey
// italics except the row number; the icon stretched over its cell.
class MacroGridDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    MacroGridDelegate(const MacroGridModel& model, const TAppSettings& settings, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    void setGridFont(const QFont& font) { font_ = font; }

private:
    const MacroGridModel& model_;
    const TAppSettings& settings_;
    QFont font_;
};

// The grid: whole-row selection, resizable Activation, Nickname and Scope columns, typing to
// find a macro, a right click on a header to sort by that column and on a row for Quick Info.
class MacroGridView final : public QTableView {
    Q_OBJECT
public:
    MacroGridView(MacroList& list, MacroGridModel& model, TAppSettings& settings, QWidget* parent = nullptr);

    // Row heights and the widths of the row-number and icon columns from the two fonts; the other
    // columns take the stored widths, the scope column at least its stored width and as much
    // more as reaches the window's edge.
    void AdjustGridSpacing();
    // Shows the list's selected row (scrolled into view).
    void showSelection();
    int selectedRow() const { return list_.selectedRow(); }
    QFont gridFont() const;
    QFont titleFont() const;

signals:
    // The user selected list row `row` (click, keys, typing).
    void rowSelected(int row);
    // Double click or Enter on a row.
    void rowActivated(int row);
    // Right button pressed and released on the same data row.
    void rowRightClicked(int row);
    // Right button pressed and released on the header of a column.
    void headerRightClicked(int column);
    // The user resized column `column` (Activation, Nickname or Scope) to `width`.
    void columnResized(int column, int width);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // The scope column, the last, filled out to the window's edge.
    void fillLastColumn();

    MacroList& list_;
    MacroGridModel& model_;
    TAppSettings& settings_;
    int rightPressRow_ = -1;
    int rightPressSection_ = -1;
    bool adjusting_ = false;
};

}  // namespace orv::gui
