#include "gui/macro_grid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "gui/icons.h"
#include "gui/qt_text.h"
#include "mainwin/list_dialogs.h"
#include "mainwin/list_texts.h"
#include "platform/virtual_keys.h"

namespace orv::gui {

namespace {

// The virtual-key codes of the keys that start a new search.

int virtualKeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Control:
            return kVkControl;
        case Qt::Key_Alt:
            return kVkMenu;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        default:
            return 0;
    }
}

}  // namespace

QFont toQFont(const FontSetting& f) {
    QFont font(fromCp1252(f.Name));
    if (f.Size > 0) font.setPointSize(f.Size);
    font.setBold(f.Bold);
    font.setItalic(f.Italic);
    font.setUnderline(f.Underline);
    font.setStrikeOut(f.Strikeout);
    return font;
}

FontSetting fromQFont(const QFont& font, const FontSetting& previous) {
    FontSetting f = previous;
    f.Name = toCp1252(font.family());
    f.Size = font.pointSize() > 0 ? font.pointSize() : previous.Size;
    f.Bold = font.bold();
    f.Italic = font.italic();
    f.Underline = font.underline();
    f.Strikeout = font.strikeOut();
    return f;
}

namespace {

QFont fontOf(const FontSetting& stored, const FontSetting& fallback) { return toQFont(usableFont(stored, fallback)); }

}  // namespace

MacroGridModel::MacroGridModel(const MacroList& list, const TActivationTable& table, const TAppSettings& settings,
                               QObject* parent)
    : QAbstractTableModel(parent), list_(list), table_(&table), settings_(settings) {}

int MacroGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : list_.rowCount(); }

int MacroGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant MacroGridModel::data(const QModelIndex& index, int role) const {
    const int j = list_.macroAt(index.row() + 1);
    if (j == 0) return {};
    if (role == InactiveRole) return !table_->Active(j);
    if (role == MacroRole) return j;
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    switch (index.column()) {
        case Number:
            return QString::number(index.row() + 1);
        case Icon:
            return role == Qt::AccessibleTextRole ? QStringLiteral("Icon") : QVariant();
        case Activation:
            return fromCp1252(activationText(*table_, settings_, j));
        case Nickname:
            return fromCp1252(settings_.nickName(j));
        case Scope:
            return fromCp1252(scopeText(*table_, j));
        default:
            return {};
    }
}

QVariant MacroGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // The icon column is narrow: its title starts at its left edge.
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section == Icon)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kTitles[] = {"", "Icon", "Activation", "Nickname", "Scope"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kTitles[section]) : QVariant();
}

void MacroGridModel::reload() {
    beginResetModel();
    icons_.clear();
    endResetModel();
}

QPixmap MacroGridModel::iconOf(int j) const {
    const MacroIconRef& ref = settings_.macroIcon(j);
    const QString key = ref.kind == MacroIconRef::Kind::File   ? QString::fromStdString(ref.path)
                        : ref.kind == MacroIconRef::Kind::Menu ? QStringLiteral(":menu")
                                                               : QStringLiteral(":main");
    const auto cached = icons_.constFind(key);
    if (cached != icons_.cend()) return *cached;
    QPixmap picture;
    if (ref.kind == MacroIconRef::Kind::File) picture.load(key);
    if (picture.isNull()) picture = (ref.kind == MacroIconRef::Kind::Menu ? menuIcon() : mainIcon()).pixmap(32, 32);
    icons_.insert(key, picture);
    return picture;
}

MacroGridDelegate::MacroGridDelegate(const MacroGridModel& model, const TAppSettings& settings, QObject* parent)
    : QStyledItemDelegate(parent), model_(model), settings_(settings) {}

void MacroGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QRect cell = option.rect;
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(cell, selected ? palette.brush(QPalette::Highlight) : palette.brush(QPalette::Base));
    if (index.column() == MacroGridModel::Icon) {
        if (settings_.ShowIcons) {
            painter->setRenderHint(QPainter::SmoothPixmapTransform);
            painter->drawPixmap(cell, model_.iconOf(index.data(MacroGridModel::MacroRole).toInt()));
        }
        painter->restore();
        return;
    }
    QFont font = font_;
    const bool inactive = index.data(MacroGridModel::InactiveRole).toBool() && index.column() != MacroGridModel::Number;
    font.setItalic(inactive);
    painter->setFont(font);
    painter->setPen(inactive   ? palette.color(QPalette::Disabled, QPalette::Text)
                    : selected ? palette.color(QPalette::HighlightedText)
                               : palette.color(QPalette::Text));
    const QString text = index.data(Qt::DisplayRole).toString();
    const QFontMetrics metrics(font);
    const auto kept = fittedLength(static_cast<std::size_t>(text.size()), cell.width() - 2, [&](std::size_t n) {
        return metrics.horizontalAdvance(text.left(static_cast<qsizetype>(n)));
    });
    painter->drawText(cell.left() + 2, cell.top() + metrics.ascent(), text.left(static_cast<qsizetype>(kept)));
    painter->restore();
}

MacroGridView::MacroGridView(MacroList& list, MacroGridModel& model, TAppSettings& settings, QWidget* parent)
    : QTableView(parent), list_(list), model_(model), settings_(settings) {
    setObjectName(QStringLiteral("MyGrid"));
    setAccessibleName(QStringLiteral("Macros"));
    setModel(&model_);
    auto* delegate = new MacroGridDelegate(model_, settings_, this);
    setItemDelegate(delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setTextElideMode(Qt::ElideNone);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionResizeMode(MacroGridModel::Number, QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(MacroGridModel::Icon, QHeaderView::Fixed);
    horizontalHeader()->viewport()->installEventFilter(this);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (adjusting_ || section < MacroGridModel::Activation) return;
        emit columnResized(section, size);
        if (section < MacroGridModel::Scope) fillLastColumn();
    });
    AdjustGridSpacing();
}

QFont MacroGridView::gridFont() const { return fontOf(plainGridFont(settings_.GridFont), TAppSettings{}.GridFont); }

QFont MacroGridView::titleFont() const { return fontOf(settings_.GridTitleFont, TAppSettings{}.GridTitleFont); }

void MacroGridView::AdjustGridSpacing() {
    adjusting_ = true;
    const QFont grid = gridFont();
    const QFontMetrics metrics(grid);
    static_cast<MacroGridDelegate*>(itemDelegate())->setGridFont(grid);
    const int rowHeight = static_cast<int>(metrics.boundingRect(QStringLiteral("ZZYyjkla")).height() * 1.1);
    verticalHeader()->setDefaultSectionSize(std::max(rowHeight, 1));
    horizontalHeader()->setFont(titleFont());
    setColumnWidth(MacroGridModel::Number, metrics.horizontalAdvance(QStringLiteral("9999")));
    setColumnHidden(MacroGridModel::Icon, !settings_.ShowIcons);
    // As wide as a row is high, or as its title where that is wider.
    const int iconTitle = QFontMetrics(titleFont()).horizontalAdvance(QStringLiteral("Icon")) +
                          2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader());
    setColumnWidth(MacroGridModel::Icon, settings_.ShowIcons ? std::max(rowHeight, iconTitle) : 0);
    setColumnWidth(MacroGridModel::Activation, settings_.Col1Width);
    setColumnWidth(MacroGridModel::Nickname, settings_.Col2Width);
    adjusting_ = false;
    fillLastColumn();
    viewport()->update();
}

void MacroGridView::fillLastColumn() {
    int others = 0;
    for (int c = 0; c < MacroGridModel::Scope; ++c) {
        if (!isColumnHidden(c)) others += columnWidth(c);
    }
    const bool wasAdjusting = adjusting_;
    adjusting_ = true;
    setColumnWidth(MacroGridModel::Scope, std::max(settings_.Col3Width, viewport()->width() - others));
    adjusting_ = wasAdjusting;
}

bool MacroGridView::viewportEvent(QEvent* event) {
    const bool handled = QTableView::viewportEvent(event);
    // The viewport also changes size when a scroll bar comes or goes, not only with the window.
    if (event->type() == QEvent::Resize) fillLastColumn();
    return handled;
}

void MacroGridView::showSelection() {
    const int row = list_.selectedRow();
    const QSignalBlocker block(selectionModel());
    if (row <= 0) {
        selectionModel()->clear();
        viewport()->update();
        return;
    }
    const QModelIndex index = model_.index(row - 1, MacroGridModel::Number);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
    viewport()->update();
}

void MacroGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!current.isValid() || current.row() + 1 == list_.selectedRow()) return;
    list_.select(current.row() + 1);
    emit rowSelected(list_.selectedRow());
}

void MacroGridView::keyPressEvent(QKeyEvent* event) {
    if (const int vk = virtualKeyOf(event->key()); vk != 0) {
        list_.keyDown(vk);
        QTableView::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        list_.keyPress('\r');
        if (list_.selectedRow() > 0) emit rowActivated(list_.selectedRow());
        return;
    }
    const QString text = event->text();
    const bool typed = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Escape ||
                       event->key() == Qt::Key_Tab || (!text.isEmpty() && text[0].isPrint());
    if (!typed || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0) {
        QTableView::keyPressEvent(event);
        return;
    }
    const std::string bytes = event->key() == Qt::Key_Backspace ? std::string(1, '\b')
                              : event->key() == Qt::Key_Escape  ? std::string(1, '\x1b')
                              : event->key() == Qt::Key_Tab     ? std::string(1, '\t')
                                                                : toCp1252(text);
    bool moved = false;
    for (const char c : bytes) moved = list_.keyPress(c) || moved;
    if (moved) {
        showSelection();
        emit rowSelected(list_.selectedRow());
    }
    if (event->key() == Qt::Key_Tab) QTableView::keyPressEvent(event);
}

void MacroGridView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        rightPressRow_ = rowAt(event->position().toPoint().y());
        return;
    }
    QTableView::mousePressEvent(event);
}

void MacroGridView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const int row = rowAt(event->position().toPoint().y());
        if (row >= 0 && row == rightPressRow_) emit rowRightClicked(row + 1);
        rightPressRow_ = -1;
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void MacroGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint().y());
    if (event->button() == Qt::LeftButton && row >= 0) emit rowActivated(row + 1);
}

void MacroGridView::focusInEvent(QFocusEvent* event) {
    list_.clearSearch();
    QTableView::focusInEvent(event);
}

void MacroGridView::focusOutEvent(QFocusEvent* event) {
    list_.clearSearch();
    QTableView::focusOutEvent(event);
}

bool MacroGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            const int section = horizontalHeader()->logicalIndexAt(mouse->position().toPoint());
            if (event->type() == QEvent::MouseButtonPress) {
                rightPressSection_ = section;
            } else if (section >= 0 && section == rightPressSection_) {
                emit headerRightClicked(section);
            }
        }
    }
    return QTableView::eventFilter(watched, event);
}

}  // namespace orv::gui
