#pragma once

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <optional>

#include "remap/remapper_model.h"

class QTableWidget;

namespace orv::gui {

// "Select Character": the characters 32 to 255 in a grid of 28 columns and 8 rows, starting on
// the entry being changed. A double click, Enter or "&Ok" chooses the current character.
class TDoSwapSpecial final : public QDialog {
    Q_OBJECT
public:
    TDoSwapSpecial(std::uint8_t current, QWidget* parent = nullptr);
    // The character chosen (after "&Ok" or a double click).
    std::uint8_t chosen() const;
    // Where a dialog of `size` goes for a cell at `anchor` (screen coordinates) on a screen of
    // `screen`: beside the grid, below the cell's top or above it when there is more room above,
    // always inside the screen.
    static QPoint placement(const QRect& anchor, const QSize& size, const QRect& screen);

private:
    QTableWidget* grid_;
};

// "Keyboard Remapper": the four grids of the remap tables. A double click (or Enter) on the
// second column of a grid chooses the character that key produces, through "Select Character".
class TDoSwapKeys final : public QDialog {
    Q_OBJECT
public:
    TDoSwapKeys(remap::RemapperModel& model, QWidget* parent = nullptr);

private:
    QWidget* groupGrid(std::size_t group);
    void chooseFor(QTableWidget* grid, std::size_t group, int row);
    void showEntry(QTableWidget* grid, int row, std::uint8_t code);

    remap::RemapperModel& model_;
};

}  // namespace orv::gui
