#include "gui/forms/build_menu_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>

#include "gui/dialog_buttons.h"
#include "gui/icons.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {

constexpr int kMacroRole = Qt::UserRole;

}  // namespace

TDoBuildMenu::TDoBuildMenu(BuildMenuModel& model, const QString& label, RecordReader read, IconChooser chooseIcon,
                           IUserPrompt& prompt, QWidget* parent)
    : QDialog(parent), model_(model), read_(std::move(read)), chooseIcon_(std::move(chooseIcon)), prompt_(prompt) {
    setObjectName(QStringLiteral("TDoBuildMenu"));
    setWindowTitle(QString::fromLatin1(kBuildMenuCaption));
    const DialogButtons buttons = okCancelHelp(this, QString::fromLatin1(kBuildMenuCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildHeader(label));
    layout->addWidget(buildLists(), 1);
    layout->addLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, &TDoBuildMenu::okClick);
    showLists({-1, model_.available().empty() ? -1 : 0});
    nickName_->setFocus();
}

QWidget* TDoBuildMenu::buildHeader(const QString& label) {
    auto* header = new QWidget(this);
    auto* grid = new QGridLayout(header);
    grid->setContentsMargins(0, 0, 0, 0);

    auto* hotKey = new QLabel(label.isEmpty() ? QString() : QStringLiteral("Hot Key: ") + label, header);
    hotKey->setObjectName(QStringLiteral("HotKeyLabel"));
    nickName_ = new QLineEdit(fromCp1252(model_.nickName), header);
    nickName_->setObjectName(QStringLiteral("NickName"));
    nickName_->setMaxLength(static_cast<int>(BuildMenuModel::kNickNameChars));
    nickName_->setMinimumWidth(nickName_->fontMetrics().averageCharWidth() * 24);
    auto* nickLabel = new QLabel(QStringLiteral("Nic&kname"), header);
    nickLabel->setBuddy(nickName_);
    nickName_->setAccessibleName(QStringLiteral("Nickname"));
    tray_ = new QCheckBox(QStringLiteral("&Place in System Tray"), header);
    tray_->setObjectName(QStringLiteral("PlaceInTray"));
    tray_->setChecked(model_.tray);

    auto* display = new QGroupBox(QStringLiteral("Display"), header);
    firstPart_ = new QRadioButton(QStringLiteral("&First Part of Macro"), display);
    firstPart_->setObjectName(QStringLiteral("FirstPart"));
    icons_ = new QRadioButton(QStringLiteral("&Icons"), display);
    icons_->setObjectName(QStringLiteral("Icons"));
    nameAndScope_ = new QRadioButton(QStringLiteral("&Nickname and Scope"), display);
    nameAndScope_->setObjectName(QStringLiteral("NameAndScope"));
    (model_.display == MenuDisplay::FirstPart ? firstPart_
     : model_.display == MenuDisplay::Icons   ? icons_
                                              : nameAndScope_)
        ->setChecked(true);
    iconSize_ = new QComboBox(display);
    iconSize_->setObjectName(QStringLiteral("IconSize"));
    for (const int size : kMenuIconSizes) iconSize_->addItem(QStringLiteral("%1 x %1").arg(size));
    iconSize_->setCurrentIndex(model_.iconSizeIndex);
    auto* sizeLabel = new QLabel(QStringLiteral("Icon Si&ze"), display);
    sizeLabel->setBuddy(iconSize_);
    iconSize_->setAccessibleName(QStringLiteral("Icon Size"));
    connect(icons_, &QRadioButton::toggled, iconSize_, &QWidget::setEnabled);
    iconSize_->setEnabled(icons_->isChecked());
    // One row, so that the lists below keep the height on a small or scaled screen.
    auto* displayLayout = new QHBoxLayout(display);
    for (QWidget* w : std::initializer_list<QWidget*>{firstPart_, icons_, nameAndScope_}) displayLayout->addWidget(w);
    displayLayout->addSpacing(nickName_->fontMetrics().averageCharWidth() * 2);
    displayLayout->addWidget(sizeLabel);
    displayLayout->addWidget(iconSize_);
    displayLayout->addStretch();

    icon_ = new QToolButton(header);
    icon_->setObjectName(QStringLiteral("MenuIcon"));
    icon_->setToolTip(QStringLiteral("Icon: click to choose a file, right click for the menu icon"));
    icon_->setAccessibleName(QStringLiteral("Icon"));
    icon_->setIconSize(QSize(32, 32));
    icon_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(icon_, &QToolButton::clicked, this, &TDoBuildMenu::chooseIcon);
    connect(icon_, &QToolButton::customContextMenuRequested, this, &TDoBuildMenu::resetIcon);
    showIcon();

    grid->addWidget(hotKey, 0, 0, 1, 3);
    grid->addWidget(nickLabel, 1, 0);
    grid->addWidget(nickName_, 1, 1);
    grid->addWidget(tray_, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Icon"), header), 0, 3, Qt::AlignCenter);
    grid->addWidget(icon_, 1, 3, Qt::AlignCenter);
    grid->addWidget(display, 2, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    return header;
}

QTreeWidget* TDoBuildMenu::macroList(const QString& name, const QString& title) {
    auto* list = new QTreeWidget(this);
    list->setObjectName(name);
    list->setAccessibleName(title);
    list->setColumnCount(3);
    list->setHeaderLabels({QStringLiteral("Activation"), QStringLiteral("Nickname"), QStringLiteral("Scope")});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setTextElideMode(Qt::ElideNone);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    const int chars = list->fontMetrics().averageCharWidth();
    list->header()->resizeSection(0, chars * 14);
    list->header()->resizeSection(1, chars * 18);
    // Small enough for a 1280 x 800 screen at twice the scale; the dialog grows the lists to
    // their preferred size where the screen has room (showEvent).
    list->setMinimumSize(chars * 26, list->fontMetrics().height() * 7);
    connect(list, &QTreeWidget::currentItemChanged, this, &TDoBuildMenu::updateButtons);
    connect(list, &QTreeWidget::customContextMenuRequested, this,
            [this, list](const QPoint& at) { quickInfo(list, at); });
    return list;
}

QWidget* TDoBuildMenu::buildLists() {
    auto* area = new QWidget(this);
    menu_ = macroList(QStringLiteral("MenuList"), QStringLiteral("Macros in Menu"));
    available_ = macroList(QStringLiteral("AvailableList"), QStringLiteral("Available Macros"));
    add_ = plainButton(QStringLiteral("&Add"), "AddButton", area);
    insertBefore_ = plainButton(QStringLiteral("I&nsert"), "InsertBeforeButton", area);
    insertBefore_->setToolTip(QStringLiteral("Insert before the selected entry of the menu"));
    insertAfter_ = plainButton(QStringLiteral("&Insert"), "InsertAfterButton", area);
    insertAfter_->setToolTip(QStringLiteral("Insert after the selected entry of the menu"));
    remove_ = plainButton(QStringLiteral("&Remove"), "RemoveButton", area);
    up_ = plainButton(QStringLiteral("&Up"), "UpButton", area);
    down_ = plainButton(QStringLiteral("&Down"), "DownButton", area);

    connect(add_, &QPushButton::clicked, this, [this] { addClick(&BuildMenuModel::append); });
    connect(insertBefore_, &QPushButton::clicked, this, [this] { addClick(&BuildMenuModel::insertBefore); });
    connect(insertAfter_, &QPushButton::clicked, this, [this] { addClick(&BuildMenuModel::insertAfter); });
    connect(available_, &QTreeWidget::itemDoubleClicked, add_, &QPushButton::click);
    connect(remove_, &QPushButton::clicked, this, [this] { showLists(model_.remove(menu_->currentIndex().row())); });
    connect(up_, &QPushButton::clicked, this, [this] {
        const int row = model_.moveUp(menu_->currentIndex().row());
        showLists({row, available_->currentIndex().row()});
    });
    connect(down_, &QPushButton::clicked, this, [this] {
        const int row = model_.moveDown(menu_->currentIndex().row());
        showLists({row, available_->currentIndex().row()});
    });

    // Two columns of three: the lists keep their height on a small or scaled screen.
    auto* moves = new QGridLayout;
    moves->setRowStretch(0, 1);
    moves->setRowStretch(4, 1);
    const std::array<QPushButton*, 6> order = {add_, insertBefore_, insertAfter_, remove_, up_, down_};
    for (std::size_t i = 0; i < order.size(); ++i)
        moves->addWidget(order[i], 1 + static_cast<int>(i % 3), static_cast<int>(i / 3));
    auto* menuLabel = new QLabel(QStringLiteral("&Macros in Menu"), area);
    menuLabel->setBuddy(menu_);
    auto* availableLabel = new QLabel(QStringLiteral("A&vailable Macros"), area);
    availableLabel->setBuddy(available_);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(menuLabel, 0, 0);
    grid->addWidget(menu_, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(availableLabel, 0, 2);
    grid->addWidget(available_, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    setTabOrder(menu_, add_);
    setTabOrder(down_, available_);
    return area;
}

void TDoBuildMenu::addClick(BuildMenuModel::Selection (BuildMenuModel::*insert)(int, int)) {
    const int row = available_->currentIndex().row();
    if (!model_.canAdd(row)) return void(prompt_.messageBox("Error", kNoMacroSelected));
    showLists((model_.*insert)(row, menu_->currentIndex().row()));
}

void TDoBuildMenu::fillList(QTreeWidget* list, const std::vector<int>& macros, int selected) {
    const QSignalBlocker block(list);
    list->clear();
    for (const int j : macros) {
        const BuildMenuModel::Columns c = model_.columns(j);
        auto* item = new QTreeWidgetItem(list, {fromCp1252(c.activation), fromCp1252(c.nickName), fromCp1252(c.scope)});
        item->setData(0, kMacroRole, j);
    }
    if (selected >= 0 && selected < list->topLevelItemCount()) list->setCurrentItem(list->topLevelItem(selected));
}

void TDoBuildMenu::showLists(BuildMenuModel::Selection selection) {
    fillList(menu_, model_.menu(), selection.menuRow);
    fillList(available_, model_.available(), selection.availableRow);
    updateButtons();
}

void TDoBuildMenu::updateButtons() {
    const int availableRow = available_->currentIndex().row();
    const int menuRow = menu_->currentIndex().row();
    const bool canAdd = model_.canAdd(availableRow);
    add_->setEnabled(canAdd);
    insertBefore_->setEnabled(canAdd);
    insertAfter_->setEnabled(canAdd);
    remove_->setEnabled(model_.canRemove(menuRow));
    up_->setEnabled(model_.canRemove(menuRow) && BuildMenuModel::canMoveUp(menuRow));
    down_->setEnabled(model_.canMoveDown(menuRow));
}

void TDoBuildMenu::quickInfo(QTreeWidget* list, const QPoint& at) {
    const QTreeWidgetItem* item = list->itemAt(at);
    if (item == nullptr) return;
    TMacroRecord record;
    if (!read_(item->data(0, kMacroRole).toInt(), record)) return;
    prompt_.messageBox("Quick Info", menuQuickInfo(record));
}

void TDoBuildMenu::chooseIcon() {
    const std::optional<std::string> name = chooseIcon_(this);
    if (!name) return;
    model_.iconName = *name;
    showIcon();
}

void TDoBuildMenu::resetIcon() {
    if (prompt_.messageBox("Confirm", kResetMenuIconQuestion, PromptButtons::YesNo) != PromptAnswer::Yes) return;
    model_.iconName = kMenuIconName;
    showIcon();
}

void TDoBuildMenu::showIcon() {
    const bool builtIn = model_.iconName == kMenuIconName;
    icon_->setIcon(macroIcon(builtIn
                                 ? MacroIconRef{MacroIconRef::Kind::Menu, {}}
                                 : MacroIconRef{MacroIconRef::Kind::File, model_.iconsDir() + "/" + model_.iconName},
                             true));
}

void TDoBuildMenu::showEvent(QShowEvent* event) {
    if (!sized_) {
        // The lists at about 48 characters and 14 lines each where the screen allows, centred.
        sized_ = true;
        const int chars = fontMetrics().averageCharWidth();
        const QSize preferred = minimumSizeHint() + QSize(2 * chars * 22, fontMetrics().height() * 7);
        if (const QScreen* s = screen()) {
            const QRect a = s->availableGeometry();
            // The window manager's frame is not known before the first showing: room is left for it.
            resize(preferred.boundedTo(a.size() - QSize(16, 48)).expandedTo(minimumSizeHint()));
            move(a.center() - QPoint(width() / 2, height() / 2));
        }
    }
    QDialog::showEvent(event);
    // What the stored menu listed but cannot keep is said once, when the dialog opens.
    if (droppedShown_ || model_.droppedEntries().empty()) return;
    droppedShown_ = true;
    QMetaObject::invokeMethod(
        this, [this] { prompt_.messageBox("Warning", model_.droppedEntries()); }, Qt::QueuedConnection);
}

void TDoBuildMenu::okClick() {
    model_.nickName = toCp1252(nickName_->text());
    model_.tray = tray_->isChecked();
    model_.display = firstPart_->isChecked() ? MenuDisplay::FirstPart
                     : icons_->isChecked()   ? MenuDisplay::Icons
                                             : MenuDisplay::NameAndScope;
    model_.iconSizeIndex = iconSize_->currentIndex();
    trayChanged_ = model_.apply();
    accept();
}

BuildMenuResult showBuildMenu(TMacroRecord& buffer, bool newMenu, const std::string& label, const IMacroFile& file,
                              const TAppSettings& settings, const std::string& iconsDir, IconChooser chooseIcon,
                              IUserPrompt& prompt, QWidget* parent) {
    BuildMenuModel model(buffer, newMenu, file.index(), settings, iconsDir);
    TDoBuildMenu form(
        model, fromCp1252(label), [&file](int j, TMacroRecord& record) { return file.readMacroRecord(j, record); },
        std::move(chooseIcon), prompt, parent);
    if (form.exec() != QDialog::Accepted) return {};
    return {true, form.trayMenusChanged()};
}

}  // namespace orv::gui
