#include "gui/forms/remapper_form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/dialog_buttons.h"
#include "gui/help.h"
#include "gui/qt_text.h"

namespace orv::gui {
namespace {

using remap::CharacterGrid;
using remap::kRemapGroups;

// The grids in the window's order: upper case, lower case, punctuation, numeric.
constexpr std::array<std::size_t, 4> kGridOrder{0, 1, 3, 2};
constexpr int kColumnWidth = 40;

// A character as a cell shows it: the space as a visible sign, a code without a glyph (control
// codes, the codes Windows-1252 leaves undefined) as nothing.
QString codeText(std::uint8_t code) {
    if (code == ' ') return QString(QChar(0x2423));
    const QString text = fromCp1252(remap::entryText(code));
    return text.size() == 1 && text.at(0).category() == QChar::Other_Control ? QString() : text;
}

// A grid without headers whose cells are read, never edited in place.
QTableWidget* plainGrid(int rows, int columns, QWidget* parent) {
    auto* grid = new QTableWidget(rows, columns, parent);
    for (QHeaderView* header : {grid->horizontalHeader(), grid->verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    return grid;
}

// Enter on a grid acts as a double click on its current cell.
class EnterAsDoubleClick final : public QObject {
public:
    EnterAsDoubleClick(QTableWidget* grid, std::function<void()> action) : QObject(grid), action_(std::move(action)) {
        grid->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        action_();
        return true;
    }

private:
    std::function<void()> action_;
};

}  // namespace

TDoSwapSpecial::TDoSwapSpecial(std::uint8_t current, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TDoSwapSpecial"));
    setWindowTitle(QStringLiteral("Select Character"));
    grid_ = plainGrid(CharacterGrid::kRows, CharacterGrid::kColumns, this);
    grid_->setObjectName(QStringLiteral("CharacterGrid"));
    grid_->setAccessibleName(QStringLiteral("Characters"));
    const int side = grid_->fontMetrics().height() + 8;
    for (int r = 0; r < CharacterGrid::kRows; ++r) {
        grid_->setRowHeight(r, side);
        for (int c = 0; c < CharacterGrid::kColumns; ++c) {
            auto* item = new QTableWidgetItem(codeText(CharacterGrid::codeAt(r, c)));
            item->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(r, c, item);
        }
    }
    for (int c = 0; c < CharacterGrid::kColumns; ++c) grid_->setColumnWidth(c, side);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * grid_->frameWidth();
    grid_->setFixedSize(side * CharacterGrid::kColumns + frame, side * CharacterGrid::kRows + frame);
    grid_->setCurrentCell(CharacterGrid::row(current), CharacterGrid::column(current));

    const DialogButtons buttons = okCancelHelp(this, QStringLiteral("Keyboard Remapper"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    new EnterAsDoubleClick(grid_, [this] { accept(); });
    grid_->setFocus();
}

std::uint8_t TDoSwapSpecial::chosen() const {
    return CharacterGrid::codeAt(grid_->currentRow(), grid_->currentColumn());
}

QPoint TDoSwapSpecial::placement(const QRect& anchor, const QSize& size, const QRect& screen) {
    const int below = screen.bottom() - anchor.top();
    const int above = anchor.bottom() - screen.top();
    int y = below >= above ? anchor.top() : anchor.bottom() - size.height();
    y = std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    int x = anchor.right() + 1;
    if (x + size.width() > screen.right() + 1) x = anchor.left() - size.width();
    x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    return {x, y};
}

TDoSwapKeys::TDoSwapKeys(remap::RemapperModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("TDoSwapKeys"));
    setWindowTitle(QStringLiteral("Keyboard Remapper"));
    auto* grids = new QHBoxLayout;
    for (std::size_t group : kGridOrder) grids->addWidget(groupGrid(group));

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(helpButton(this, QStringLiteral("Keyboard Remapper")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grids);
    layout->addLayout(row);
}

QWidget* TDoSwapKeys::groupGrid(std::size_t group) {
    const remap::RemapGroup& g = kRemapGroups[group];
    const QString title = QString::fromLatin1(g.title.data(), static_cast<qsizetype>(g.title.size()));
    auto* box = new QGroupBox(title, this);
    QTableWidget* grid = plainGrid(static_cast<int>(g.typed.size()), 2, box);
    grid->setObjectName(QString(title).remove(QLatin1Char(' ')) + QStringLiteral("Grid"));
    grid->setAccessibleName(title);
    grid->setColumnWidth(0, kColumnWidth);
    grid->setColumnWidth(1, kColumnWidth);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QColor grey = palette().color(QPalette::Button);
    for (int r = 0; r < grid->rowCount(); ++r) {
        auto* typed = new QTableWidgetItem(codeText(static_cast<std::uint8_t>(g.typed[static_cast<std::size_t>(r)])));
        typed->setTextAlignment(Qt::AlignCenter);
        typed->setBackground(grey);
        typed->setFlags(Qt::ItemIsEnabled);
        grid->setItem(r, 0, typed);
        showEntry(grid, r, model_.tables().at(g.offset + static_cast<std::size_t>(r)));
    }
    const int rowHeight = grid->fontMetrics().height() + 6;
    for (int r = 0; r < grid->rowCount(); ++r) grid->setRowHeight(r, rowHeight);
    // Half of the longest grid shows at once; the window may be made taller.
    grid->setMinimumHeight(rowHeight * 13 + 2 * grid->frameWidth());
    const int scrollBar = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    grid->setFixedWidth(2 * kColumnWidth + scrollBar + 2 * grid->frameWidth());
    grid->setCurrentCell(0, 1);
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this, grid, group](int r, int column) {
        if (column == 1) chooseFor(grid, group, r);
    });
    new EnterAsDoubleClick(grid, [this, grid, group] {
        if (grid->currentColumn() == 1) chooseFor(grid, group, grid->currentRow());
    });
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(grid);
    return box;
}

void TDoSwapKeys::showEntry(QTableWidget* grid, int row, std::uint8_t code) {
    auto* item = new QTableWidgetItem(codeText(code));
    item->setTextAlignment(Qt::AlignCenter);
    QFont font = item->font();
    font.setBold(code != remap::kDisabled);
    item->setFont(font);
    grid->setItem(row, 1, item);
}

void TDoSwapKeys::chooseFor(QTableWidget* grid, std::size_t group, int row) {
    if (!model_.editable() || row < 0) return;
    const std::size_t index = kRemapGroups[group].offset + static_cast<std::size_t>(row);
    TDoSwapSpecial select(model_.tables().at(index), this);
    select.adjustSize();
    const QRect cell = grid->visualItemRect(grid->item(row, 1));
    const QRect anchor(grid->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    const QRect anchorBeside(grid->mapToGlobal(QPoint(0, 0)).x(), anchor.y(), grid->width(), anchor.height());
    if (QScreen* screen = grid->screen())
        select.move(
            TDoSwapSpecial::placement(anchorBeside, select.frameGeometry().size(), screen->availableGeometry()));
    if (select.exec() != QDialog::Accepted) return;
    if (model_.choose(index, select.chosen())) showEntry(grid, row, model_.tables().at(index));
}

}  // namespace orv::gui
