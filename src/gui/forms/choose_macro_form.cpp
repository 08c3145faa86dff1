#include "gui/forms/choose_macro_form.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/icons.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kScopeRole = Qt::UserRole + 1;
constexpr int kEntryRole = Qt::UserRole + 2;

// One line of a list: the entry's key in a grey box, then its name (or text) and its scope, each
// cut to its column.
class MenuLineDelegate final : public QStyledItemDelegate {
public:
    MenuLineDelegate(MenuDisplay display, int lineHeight, QObject* parent)
        : QStyledItemDelegate(parent), display_(display), lineHeight_(lineHeight) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem base = option;
        initStyleOption(&base, index);
        base.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &base, painter, option.widget);

        const LineColumns columns = lineColumns(option.rect.width(), display_);
        const QRect box(option.rect.left() + 1, option.rect.top() + 1, columns.key - 2, option.rect.height() - 2);
        painter->save();
        painter->fillRect(box, option.palette.color(QPalette::Button).darker(115));
        painter->setPen(option.palette.color(QPalette::ButtonText));
        painter->drawText(box, Qt::AlignCenter, index.data(kKeyRole).toString());
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const int pad = 4;
        const QRect name(box.right() + 1 + pad, option.rect.top(), columns.name - 2 * pad, option.rect.height());
        // Cut to the column without an ellipsis, as the lists of the main window do.
        painter->setClipRect(name);
        painter->drawText(name, Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::DisplayRole).toString());
        if (columns.scope > 0) {
            const QRect scope(name.right() + 1 + 2 * pad, option.rect.top(), columns.scope - 2 * pad,
                              option.rect.height());
            painter->setClipRect(scope);
            painter->drawText(scope, Qt::AlignVCenter | Qt::AlignLeft, index.data(kScopeRole).toString());
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), lineHeight_};
    }

private:
    MenuDisplay display_;
    int lineHeight_;
};

// The headings above a list, placed over the columns of its lines.
QWidget* headings(MenuDisplay display, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);  // over the key boxes
    if (display == MenuDisplay::FirstPart) {
        layout->addWidget(new QLabel(QStringLiteral("Macro Text"), row), 13);
    } else {
        layout->addWidget(new QLabel(QStringLiteral("Name"), row), 9);
        layout->addWidget(new QLabel(QStringLiteral("Scope"), row), 4);
    }
    return row;
}

}  // namespace

TDoAMenu::TDoAMenu(ChooserModel model, std::optional<MenuAnchor> anchor, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), model_(std::move(model)), anchor_(anchor) {
    setObjectName(QStringLiteral("TDoAMenu"));
    const bool icons = model_.options.display == MenuDisplay::Icons;
    setWindowTitle(icons ? QStringLiteral("Choose A Macro") : QStringLiteral("Double Click or Press Number or Letter"));

    auto* layout = new QVBoxLayout(this);
    if (!model_.emptyNote.empty()) {
        auto* note = new QLabel(fromCp1252(model_.emptyNote), this);
        note->setObjectName(QStringLiteral("EmptyNote"));
        layout->addWidget(note);
    } else {
        layout->addWidget(icons ? buildIcons() : buildLists());
    }
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TDoAMenu::buildIcons() {
    auto* grid = new QWidget(this);
    auto* layout = new QGridLayout(grid);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    const int count = static_cast<int>(model_.entries.size());
    const int size = model_.options.iconSize();
    const IconGrid shape = iconGrid(count, size);
    for (int i = 0; i < count; ++i) {
        const ChooserEntry& e = model_.entries[static_cast<std::size_t>(i)];
        auto* button = new QToolButton(grid);
        button->setObjectName(QStringLiteral("Entry") + QChar::fromLatin1(e.key));
        button->setIcon(macroIcon(e.icon, e.popupMenu));
        button->setIconSize(QSize(size, size));
        button->setFixedSize(shape.cell, shape.cell);
        button->setAutoRaise(false);
        button->setToolTip(fromCp1252(e.name));
        button->setAccessibleName(fromCp1252(e.name));
        connect(button, &QToolButton::clicked, this, [this, i] { choose(i); });
        layout->addWidget(button, iconRow(i), iconColumn(i));
    }
    // Fewer than four entries still leave room for four buttons.
    grid->setMinimumWidth(shape.width);
    return grid;
}

QWidget* TDoAMenu::buildLists() {
    auto* area = new QWidget(this);
    auto* layout = new QGridLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    const int count = static_cast<int>(model_.entries.size());
    const int lineHeight = std::max(17, fontMetrics().height() + 4);
    const MenuLists shape = menuLists(count, lineHeight);
    const int columns = shape.rightLines > 0 ? 2 : 1;
    const int listWidth = (shape.width - 8 * (columns + 1)) / columns;
    layout->addWidget(headings(model_.options.display, area), 0, 0);
    layout->addWidget(addList(0, shape.leftLines, shape.leftHeight, listWidth), 1, 0, Qt::AlignTop);
    if (shape.rightLines > 0) {
        layout->addWidget(headings(model_.options.display, area), 0, 1);
        layout->addWidget(addList(shape.leftLines, shape.rightLines, shape.rightHeight, listWidth), 1, 1, Qt::AlignTop);
    }
    return area;
}

QListWidget* TDoAMenu::addList(int first, int count, int height, int width) {
    auto* list = new QListWidget(this);
    list->setObjectName(lists_.empty() ? QStringLiteral("LeftList") : QStringLiteral("RightList"));
    list->setAccessibleName(QStringLiteral("Macros"));
    const int lineHeight = (height - 8) / std::max(count, 1);
    list->setItemDelegate(new MenuLineDelegate(model_.options.display, lineHeight, list));
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFixedSize(width, height);
    for (int i = first; i < first + count; ++i) {
        const ChooserEntry& e = model_.entries[static_cast<std::size_t>(i)];
        auto* item = new QListWidgetItem(fromCp1252(e.name), list);
        item->setData(kKeyRole, QString(QChar::fromLatin1(e.key)));
        item->setData(kScopeRole, fromCp1252(e.scope));
        item->setData(kEntryRole, i);
        item->setData(Qt::AccessibleTextRole,
                      QStringLiteral("%1: %2 %3")
                          .arg(QChar::fromLatin1(e.key), fromCp1252(e.name), fromCp1252(e.scope))
                          .trimmed());
    }
    // Only the list that takes the focus shows a chosen line; the other one gets its own when it
    // takes the focus.
    if (lists_.empty()) list->setCurrentRow(0);
    list->installEventFilter(this);
    connect(list, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { choose(item->data(kEntryRole).toInt()); });
    lists_.push_back(list);
    return list;
}

bool TDoAMenu::choose(int index) {
    if (index < 0 || index >= static_cast<int>(model_.entries.size())) return false;
    chosen_ = model_.entries[static_cast<std::size_t>(index)].macro;
    accept();
    return true;
}

bool TDoAMenu::chooseByKey(const QString& text) {
    if (text.size() != 1 || text[0].unicode() > 0x7f) return false;
    return choose(entryForKey(text[0].toLatin1(), static_cast<int>(model_.entries.size())));
}

void TDoAMenu::keyPressEvent(QKeyEvent* event) {
    if (chooseByKey(event->text())) return;
    QDialog::keyPressEvent(event);
}

bool TDoAMenu::eventFilter(QObject* watched, QEvent* event) {
    // The lists would otherwise take letters and digits to search their lines.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers others = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        if (others == Qt::NoModifier && !key->text().isEmpty() && key->text()[0].isLetterOrNumber()) {
            chooseByKey(key->text());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TDoAMenu::event(QEvent* event) {
    // Whenever it becomes active again the menu goes back on top of everything.
    if (event->type() == QEvent::WindowActivate) raise();
    return QDialog::event(event);
}

void TDoAMenu::fitHeight(int available) {
    // The window manager's frame is not known before the first showing: room is left for it.
    const int decoration = frameGeometry().height() > height() ? frameGeometry().height() - height() : 32;
    const int excess = height() + decoration - available;
    if (excess <= 0) return;
    // A small or scaled screen: the lists scroll rather than reach past the screen's edge; the
    // keys still choose every entry.
    for (QListWidget* list : lists_) {
        const int least = std::min(list->height(), list->fontMetrics().height() * 3);
        list->setFixedHeight(std::max(least, list->height() - excess));
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    layout()->activate();
}

void TDoAMenu::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QScreen* screen = anchor_ ? QGuiApplication::screenAt(QPoint(anchor_->x, anchor_->y)) : nullptr;
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect a = screen->availableGeometry();
        fitHeight(a.height());
        const QSize frame = frameGeometry().size().expandedTo(size());
        const WindowPlace place = placeMenu(frame.width(), frame.height(),
                                            WindowRect{a.left(), a.top(), a.right() + 1, a.bottom() + 1}, anchor_);
        move(place.left, place.top);
    }
    raise();
    activateWindow();
    if (!lists_.empty()) lists_.front()->setFocus();
}

}  // namespace orv::gui
