#include "gui/main_window.h"

#include "gui/forms/editor_windows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <filesystem>

#include "activation/autostart.h"
#include "activation/shortkeys.h"
#include "dialogs/schedule_dialog.h"
#include "gui/forms/appearance_form.h"
#include "gui/forms/capture_forms.h"
#include "gui/forms/choose_macro_form.h"
#include "gui/forms/copy_move_form.h"
#include "gui/forms/mouse_locator.h"
#include "gui/forms/preference_form.h"
#include "gui/forms/quick_info_form.h"
#include "gui/forms/remapper_form.h"
#include "gui/forms/shortkey_options_form.h"
#include "gui/forms/sort_order_form.h"
#include "gui/help.h"
#include "gui/hotkey_picker.h"
#include "gui/icons.h"
#include "gui/macro_grid.h"
#include "gui/menu_tray_icons.h"
#include "gui/option_forms.h"
#include "gui/qt_playback_windows.h"
#include "gui/qt_text.h"
#include "gui/system_keys_dialog.h"
#include "gui/transfer_commands.h"
#include "mainwin/list_dialogs.h"
#include "platform/dialog_files.h"
#include "store/recent_files.h"
#include "store/settings.h"

namespace orv::gui {

namespace {

using C = MainCommand;

constexpr int kStartupDelayMs = 5000;
constexpr int kClearDelayMs = 15000;
// How long Qt's own raise may take before the window system is asked directly.
constexpr int kActivationGraceMs = 250;

QString fileTitle(const std::string& path) { return QFileInfo(QString::fromStdString(path)).completeBaseName(); }

bool hasOrvExtension(const QString& path) { return path.right(4).toUpper() == QStringLiteral(".ORV"); }

QString text(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

// The object name of a command's controls: its hint without blanks, or its caption.
QString objectNameOf(const MainCommandInfo& info) {
    QString name = text(info.hint.empty() ? info.caption : info.hint);
    name.remove(QLatin1Char('&')).remove(QLatin1Char(' '));
    return name;
}

struct SpeedButton {
    MainCommand id;
    const char* theme;
    QStyle::StandardPixmap standard;  // QStyle::SP_CustomBase: a glyph instead
    const char* glyph;
    QRgb color;
};

// The speed buttons in their order on the bar.
constexpr SpeedButton kSpeedButtons[] = {
    {C::NewFile, "document-new", QStyle::SP_FileIcon, "", 0},
    {C::OpenFileButton, "document-open", QStyle::SP_DialogOpenButton, "", 0},
    {C::AddMacro, "list-add", QStyle::SP_CustomBase, "+", 0x2e7d32},
    {C::ScriptingEditor, "accessories-text-editor", QStyle::SP_CustomBase, "S", 0x1565c0},
    {C::ModifyDirectly, "document-properties", QStyle::SP_CustomBase, "D", 0x1565c0},
    {C::Recapture, "media-record", QStyle::SP_CustomBase, "R", 0xc62828},
    {C::RenameMacro, "edit-find-replace", QStyle::SP_CustomBase, "Rn", 0x6a1b9a},
    {C::CopyMacro, "edit-copy", QStyle::SP_CustomBase, "C", 0x6a1b9a},
    {C::ActivateMacro, "media-playback-start", QStyle::SP_MediaPlay, "", 0},
    {C::RemoveMacro, "edit-delete", QStyle::SP_TrashIcon, "", 0},
    {C::ImportMacros, "document-import", QStyle::SP_CustomBase, "Im", 0x00838f},
    {C::ExportMacros, "document-export", QStyle::SP_CustomBase, "Ex", 0x00838f},
    {C::PrintButton, "document-print", QStyle::SP_CustomBase, "P", 0x455a64},
    {C::Appearance, "preferences-desktop-font", QStyle::SP_CustomBase, "A", 0xef6c00},
    {C::SortMacros, "view-sort-ascending", QStyle::SP_CustomBase, "\u2195", 0xef6c00},
};

// The lettered buttons beside the list, top to bottom.
constexpr MainCommand kLetterButtons[] = {C::AddMacro,    C::ScriptingEditor, C::ModifyDirectly,
                                          C::Recapture,   C::RemoveMacro,     C::CopyMacro,
                                          C::RenameMacro, C::ActivateMacro,   C::QuickInfo};

QIcon speedIcon(const SpeedButton& b) {
    if (b.standard != QStyle::SP_CustomBase) return themeIcon(QString::fromLatin1(b.theme), b.standard);
    return themeIcon(QString::fromLatin1(b.theme), QString::fromUtf8(b.glyph), QColor::fromRgb(b.color));
}

}  // namespace

TMainWin::TMainWin(TAppSettings& settings)
    : settings_(settings), dialogFiles_(std::make_unique<FileSystemDialogFiles>()) {
    setObjectName(QStringLiteral("MainWin"));
    setWindowIcon(mainIcon());
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationInactive) AppDeactivate();
    });
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("Pages"));
    pages_->addTab(buildMacrosPage(), QStringLiteral("M&acros"));
    pages_->addTab(buildWizardsPage(), QStringLiteral("&Quick Wizards"));
    connect(pages_, &QTabWidget::currentChanged, this, [this] { applyCommandStates(); });
    setCentralWidget(pages_);
    // Typing to find a macro works at once: the list has the focus when the window opens.
    setFocusProxy(grid_);
    grid_->setFocus();
    restoreGeometry();
    buildMenus();
    buildTray();
    showButtonLayout();

    startupTimer_.setSingleShot(true);
    startupTimer_.setInterval(kStartupDelayMs);
    clearTimer_.setSingleShot(true);
    clearTimer_.setInterval(kClearDelayMs);
    heartbeatTimer_.setInterval(SharedFileLock::kHeartbeatMs);
    syncTimer_.setInterval(SharedFileLock::kSyncTimerMs);
    captionTimer_.setInterval(1000);
    connect(&captionTimer_, &QTimer::timeout, this, [this] { updateCaption(); });
    applyCommandStates();
}

TMainWin::~TMainWin() = default;

QWidget* TMainWin::buildMacrosPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("MacrosPage"));
    // Until the window is attached to the resident program, the list shows an empty index.
    static const TActivationTable noMacros;
    gridModel_ = new MacroGridModel(list_, noMacros, settings_, this);
    grid_ = new MacroGridView(list_, *gridModel_, settings_, page);
    connect(grid_, &MacroGridView::rowSelected, this, [this] { applyCommandStates(); });
    connect(grid_, &MacroGridView::rowActivated, this, &TMainWin::rowActivated);
    connect(grid_, &MacroGridView::rowRightClicked, this, [this](int row) {
        if (action(C::QuickInfo)->isEnabled()) DoInfo(row);
    });
    connect(grid_, &MacroGridView::headerRightClicked, this, &TMainWin::headerRightClicked);
    connect(grid_, &MacroGridView::columnResized, this, &TMainWin::columnResized);
    speedBar_ = new QToolBar(page);
    speedBar_->setObjectName(QStringLiteral("SpeedButtons"));
    speedBar_->setAccessibleName(QStringLiteral("Speed buttons"));
    letterPanel_ = new QWidget(page);
    letterPanel_->setObjectName(QStringLiteral("LetteredButtons"));
    buildSpeedBar();
    buildLetterPanel();
    auto* row = new QHBoxLayout;
    row->addWidget(grid_, 1);
    row->addWidget(letterPanel_);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(speedBar_);
    layout->addLayout(row, 1);
    return page;
}

void TMainWin::restoreGeometry() {
    // The stored size and place, kept on the screen: a size stored at another resolution or
    // scale must not put the window's edges out of reach.
    QRect wanted(settings_.Left, settings_.Top, settings_.Width > 0 ? settings_.Width : 620,
                 settings_.Height > 0 ? settings_.Height : 460);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        wanted.setSize(wanted.size().boundedTo(area.size() * 9 / 10));
        if (!area.contains(wanted)) wanted.moveTopLeft(area.topLeft() + QPoint(20, 20));
    }
    resize(wanted.size());
    if (settings_.Left != 0 || settings_.Top != 0) move(wanted.topLeft());
}

void TMainWin::attach(IResidentActions& resident, QtPlaybackWindows& playbackWindows) {
    resident_ = &resident;
    playbackWindows_ = &playbackWindows;
    gridModel_->setTable(resident.macroFile().index());
    connect(&scheduleTimer_, &QTimer::timeout, this, [this] { resident_->onScheduleTimer(); });
    connect(&startupTimer_, &QTimer::timeout, this, [this] { resident_->onStartupTimer(); });
    connect(&clearTimer_, &QTimer::timeout, this, [this] { resident_->onClearTimer(); });
    connect(&heartbeatTimer_, &QTimer::timeout, this, [this] { resident_->onHeartbeatTimer(); });
    connect(&syncTimer_, &QTimer::timeout, this, [this] { resident_->onSyncTimer(); });
    options_ = std::make_unique<OptionsMenu>(settings_, resident, *dialogFiles_, *this);
    transfer_ = std::make_unique<TransferCommands>(this, resident.macroFile(), settings_, prompt_, clock_);
    operations_ = std::make_unique<MacroOperations>(
        MacroOperations::Services{resident.macroFile(), settings_, prompt_, clock_, list_, *this});
    editorWindows_ = std::make_unique<EditorWindows>(
        this, [this] { return editorContext(); },
        EditorWindows::Hooks{.clearShortKeyBuffer = [this] { resident_->clearShortKeyBuffer(); },
                             .macrosChanged = [this](const MacroChange& change) { macrosChanged(change); },
                             .captureMacro = [this](const capture::CaptureTarget& target,
                                                    QWidget* parent) { return captureMacro(target, parent); },
                             .macroFile = &resident.macroFile()});
    editing_ = std::make_unique<MacroEditing>(
        MacroEditing::Services{resident.macroFile(), settings_, prompt_, list_, *editorWindows_});
    showMenuTrayIcons();
    startupTimer_.start();
    if (settings_.ShowDate) captionTimer_.start();
    applyCommandStates();
}

void TMainWin::showAtStart(bool hideAtFirstPaint) {
    // In a tray that is not there the program could not be reached, now or at any later start:
    // it goes to the task bar instead, and "Use Tray" is turned off for good.
    const bool noTray = settings_.UseTray && !QSystemTrayIcon::isSystemTrayAvailable();
    if (noTray) settings_.UseTray = false;
    applyCommandStates();
    if (settings_.UseTray) tray_.show();
    if (!runningHidden() && !hideAtFirstPaint) show();
    // A new user's first start offers the first-time set-up once the window is up.
    if (settings_.FirstUse && isVisible()) QTimer::singleShot(0, this, [this] { runFirstTimeSetUp(true); });
    if (noTray)
        QMessageBox::information(this, QStringLiteral("Notice"),
                                 QStringLiteral("This desktop has no system tray, so Orvanta 99 shows its window in "
                                                "the task bar instead. \"Use Tray\" has been turned off."));
}

QAction* TMainWin::addCommand(QMenu* menu, MainCommand id, void (TMainWin::*slot)()) {
    const MainCommandInfo& info = mainCommandInfo(id);
    QAction* a = menu->addAction(text(info.caption));
    a->setObjectName(QStringLiteral("Menu") + objectNameOf(info));
    actions_[static_cast<std::size_t>(id)] = a;
    connectCommand(a, id, slot);
    return a;
}

void TMainWin::connectCommand(QObject* sender, MainCommand id, void (TMainWin::*slot)()) {
    if (slot == nullptr || !mainCommandInfo(id).built) return;
    if (auto* a = qobject_cast<QAction*>(sender)) connect(a, &QAction::triggered, this, slot);
    if (auto* b = qobject_cast<QPushButton*>(sender)) connect(b, &QPushButton::clicked, this, slot);
}

void TMainWin::buildMenus() {
    menuBar()->setAccessibleName(QStringLiteral("Menu bar"));
    buildFileMenu();
    buildMacroMenu();
    QMenu* wizards = menuBar()->addMenu(QStringLiteral("&Wizards"));
    wizards->setObjectName(QStringLiteral("MenuWizards"));
    buildWizardsMenu(wizards);
    actions_[static_cast<std::size_t>(C::Wizards)] = wizards->menuAction();
    addCommand(wizards, C::FirstTimeSetup, &TMainWin::firstTimeSetUp);
    QAction* remap = menuBar()->addAction(text(mainCommandInfo(C::Remap).caption));
    remap->setObjectName(QStringLiteral("MenuRemap"));
    actions_[static_cast<std::size_t>(C::Remap)] = remap;
    connect(remap, &QAction::triggered, this, &TMainWin::MenuRemapClick);
    buildOptionsMenu();
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("MenuTools"));
    addCommand(tools, C::MouseLocator, &TMainWin::toggleMouseLocator)->setCheckable(true);
    addCommand(tools, C::RestoreKeyboardHooks, &TMainWin::restoreKeyboardHooks);
    addCommand(tools, C::RestoreMouseHooks, &TMainWin::restoreMouseHooks);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    addCommand(help, C::HelpContents, &TMainWin::helpContents)->setShortcut(QKeySequence::HelpContents);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) menu->setToolTipsVisible(true);
    updateRecentFiles();
}

void TMainWin::buildFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MenuFile"));
    addCommand(file, C::OpenFile, &TMainWin::openFile);
    addCommand(file, C::NewFile, &TMainWin::newFile);
    recentSeparator_ = file->addSeparator();
    for (int i = 0; i < 5; ++i) {
        recent_[static_cast<std::size_t>(i)] = file->addAction(QString(), this, [this, i] { openRecent(i + 1); });
        recent_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("MenuLastFile%1").arg(i + 1));
    }
    file->addSeparator();
    addCommand(file, C::OutputMacroInformation, &TMainWin::OutputHotKeyList1Click);
    addCommand(file, C::PrintMacroList, &TMainWin::MenuPrintClick)->setShortcut(QKeySequence::Print);
    addCommand(file, C::PrintPreview, &TMainWin::MenuPrintPreviewClick);
    addCommand(file, C::PrinterSetup, &TMainWin::PrinterSetup1Click);
    addCommand(file, C::PrinterFont, &TMainWin::MenuPrinterFontClick);
    file->addSeparator();
    QAction* hide = addCommand(file, C::Hide, nullptr);
    connect(hide, &QAction::triggered, this, [this] {
        if (runningHidden()) this->hide();
    });
    addCommand(file, C::Terminate, &TMainWin::terminate);
}

void TMainWin::buildMacroMenu() {
    QMenu* macro = menuBar()->addMenu(QStringLiteral("&Macro"));
    macro->setObjectName(QStringLiteral("MenuMacro"));
    addCommand(macro, C::AddMacro, &TMainWin::addMacro);
    addCommand(macro, C::ModifyDirectly, &TMainWin::modifyDirectly);
    addCommand(macro, C::ScriptingEditor, &TMainWin::scriptingEditor);
    addCommand(macro, C::Recapture, &TMainWin::recapture);
    macro->addSeparator();
    addCommand(macro, C::RemoveMacro, &TMainWin::removeMacro);
    addCommand(macro, C::CopyMacro, &TMainWin::copyMacro);
    addCommand(macro, C::RenameMacro, &TMainWin::renameMacro);
    addCommand(macro, C::ActivateMacro, &TMainWin::activateMacro);
    macro->addSeparator();
    addCommand(macro, C::QuickInfo, &TMainWin::quickInfo);
    addCommand(macro, C::PlaceOnDesktop, &TMainWin::placeOnDesktop);
    macro->addSeparator();
    addCommand(macro, C::ImportMacros, &TMainWin::MenuImportClick);
    addCommand(macro, C::ExportMacros, &TMainWin::MenuExportClick);
    macro->addSeparator();
    addCommand(macro, C::SortMacros, &TMainWin::sortOrder);
}

void TMainWin::buildOptionsMenu() {
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("MenuOptions"));
    addCommand(options, C::Appearance, &TMainWin::appearance);
    addCommand(options, C::Settings, &TMainWin::preferences);
    addCommand(options, C::ShortKeys, &TMainWin::shortKeyOptions);
    addCommand(options, C::CaptureOptions, &TMainWin::captureDefaults);
    addCommand(options, C::Network, &TMainWin::MenuNetworkClick);
    scheduler_ = options->addMenu(text(mainCommandInfo(C::Scheduler).caption));
    scheduler_->setObjectName(QStringLiteral("MenuScheduler"));
    actions_[static_cast<std::size_t>(C::Scheduler)] = scheduler_->menuAction();
    scheduler_->addAction(QStringLiteral("&Timer Interval"), this, [this] {
        if (options_) options_->timerInterval();
    });
    scheduler_->addAction(QStringLiteral("&Alarm"), this, [this] {
        if (options_) options_->alarm();
    });
    QAction* showDate = scheduler_->addAction(QStringLiteral("&Show Date && Time"));
    showDate->setObjectName(QStringLiteral("MenuShowDate"));
    showDate->setCheckable(true);
    showDate->setChecked(settings_.ShowDate);
    connect(showDate, &QAction::triggered, this, [this, showDate] {
        if (options_) showDate->setChecked(options_->toggleShowDate());
    });
    screenSaver_ = scheduler_->addMenu(text(mainCommandInfo(C::ScreenSaver).caption));
    actions_[static_cast<std::size_t>(C::ScreenSaver)] = screenSaver_->menuAction();
    QAction* disableSaver = screenSaver_->addAction(QStringLiteral("&Disable if using Timed Macros"));
    disableSaver->setObjectName(QStringLiteral("MenuDisableScreenSaver"));
    disableSaver->setCheckable(true);
    disableSaver->setChecked(settings_.DisableScreenSaver);
    connect(disableSaver, &QAction::triggered, this, [this, disableSaver] {
        if (options_) disableSaver->setChecked(options_->toggleDisableScreenSaver());
    });
}

void TMainWin::buildSpeedBar() {
    speedBar_->setMovable(false);
    speedBar_->setFloatable(false);
    speedBar_->setIconSize(QSize(22, 22));
    for (const SpeedButton& b : kSpeedButtons) {
        const MainCommandInfo& info = mainCommandInfo(b.id);
        QAction* a = speedBar_->addAction(speedIcon(b), text(info.hint));
        a->setObjectName(QStringLiteral("Speed") + objectNameOf(info));
        speed_[static_cast<std::size_t>(b.id)] = a;
        void (TMainWin::*slot)() = nullptr;
        switch (b.id) {
            case C::NewFile:
                slot = &TMainWin::newFile;
                break;
            case C::OpenFileButton:
                slot = &TMainWin::openFile;
                break;
            case C::AddMacro:
                slot = &TMainWin::addMacro;
                break;
            case C::ModifyDirectly:
                slot = &TMainWin::modifyDirectly;
                break;
            case C::ScriptingEditor:
                slot = &TMainWin::scriptingEditor;
                break;
            case C::RenameMacro:
                slot = &TMainWin::renameMacro;
                break;
            case C::CopyMacro:
                slot = &TMainWin::copyMacro;
                break;
            case C::ActivateMacro:
                slot = &TMainWin::activateMacro;
                break;
            case C::RemoveMacro:
                slot = &TMainWin::removeMacro;
                break;
            case C::Recapture:
                slot = &TMainWin::recapture;
                break;
            case C::Appearance:
                slot = &TMainWin::appearance;
                break;
            case C::SortMacros:
                slot = &TMainWin::sortOrder;
                break;
            case C::ImportMacros:
                slot = &TMainWin::MenuImportClick;
                break;
            case C::ExportMacros:
                slot = &TMainWin::MenuExportClick;
                break;
            case C::PrintButton:
                slot = &TMainWin::MenuPrintClick;
                break;
            default:
                break;
        }
        connectCommand(a, b.id, slot);
    }
}

void TMainWin::buildLetterPanel() {
    auto* layout = new QVBoxLayout(letterPanel_);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const MainCommand id : kLetterButtons) {
        const MainCommandInfo& info = mainCommandInfo(id);
        auto* button = new QPushButton(text(info.button), letterPanel_);
        button->setObjectName(QStringLiteral("Button") + objectNameOf(info));
        letters_[static_cast<std::size_t>(id)] = button;
        layout->addWidget(button);
        void (TMainWin::*slot)() = nullptr;
        switch (id) {
            case C::AddMacro:
                slot = &TMainWin::addMacro;
                break;
            case C::ModifyDirectly:
                slot = &TMainWin::modifyDirectly;
                break;
            case C::ScriptingEditor:
                slot = &TMainWin::scriptingEditor;
                break;
            case C::RemoveMacro:
                slot = &TMainWin::removeMacro;
                break;
            case C::CopyMacro:
                slot = &TMainWin::copyMacro;
                break;
            case C::RenameMacro:
                slot = &TMainWin::renameMacro;
                break;
            case C::ActivateMacro:
                slot = &TMainWin::activateMacro;
                break;
            case C::QuickInfo:
                slot = &TMainWin::quickInfo;
                break;
            case C::Recapture:
                slot = &TMainWin::recapture;
                break;
            default:
                break;
        }
        connectCommand(button, id, slot);
    }
    layout->addStretch();
}

BrowseMode TMainWin::browseMode() const { return resident_ != nullptr ? resident_->browseMode() : BrowseMode::Off; }

void TMainWin::applyCommandStates() {
    CommandContext c;
    c.haveMacros = list_.rowCount() > 0;
    if (const int j = list_.selectedMacro(); j != 0 && resident_ != nullptr) {
        const TActivationTable& t = resident_->macroFile().index();
        c.selected = SelectedMacro{t.Scope(j), t.HotKeyCode(j), t.Active(j)};
    }
    c.browse = browseMode();
    c.page = pages_->currentIndex() == 1 ? MainPage::QuickWizards : MainPage::Macros;
    c.runningHidden = runningHidden();
    const CommandStates states = commandStates(c);
    for (std::size_t i = 0; i < kMainCommandCount; ++i) {
        const CommandState& s = states[i];
        const QString tip = text(s.hint);
        if (QAction* a = actions_[i]) {
            a->setEnabled(s.usable());
            if (!s.caption.empty()) a->setText(text(s.caption));
            a->setToolTip(tip.isEmpty() ? a->text().remove(QLatin1Char('&')) : tip);
            a->setStatusTip(tip);
        }
        if (QAction* a = speed_[i]) {
            a->setEnabled(s.usable());
            a->setToolTip(tip);
        }
        if (QPushButton* b = letters_[i]) {
            b->setEnabled(s.usable());
            b->setText(text(s.button));
            b->setToolTip(tip);
        }
    }
    for (QAction* a : recent_) a->setEnabled(stateOf(states, C::RecentFile).usable());
    // The lettered panel as a whole is off in the browse modes.
    letterPanel_->setEnabled(stateOf(states, C::LetterPanel).usable() && !settings_.UseSpeed);
}

void TMainWin::showButtonLayout() {
    speedBar_->setVisible(settings_.UseSpeed);
    speedBar_->setEnabled(settings_.UseSpeed);
    letterPanel_->setVisible(!settings_.UseSpeed);
}

void TMainWin::saveSettings() {
    if (resident_ != nullptr) resident_->saveSettings();
}

void TMainWin::buildTray() {
    menuIcons_ = new MenuTrayIcons([this](int j, QPoint click) { openTrayMenu(j, click); }, this);
    tray_.setIcon(mainIcon());
    tray_.setToolTip(QStringLiteral("Orvanta 99"));
    trayMenu_ = new QMenu(this);
    trayMenu_->addAction(QStringLiteral("&Open"), this, [this] { bringUpMainWindow(); });
    trayMenu_->addAction(QStringLiteral("&Help"), this, [this] { showHelp(this); });
    trayMenu_->addAction(QStringLiteral("&Orvanta Home Page"), this, [] { openHomePage(); });
    trayMenu_->addSeparator();
    trayMenu_->addAction(QStringLiteral("&Terminate Orvanta"), this, [this] { terminate(); });
    connect(&tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        const bool playing = resident_ != nullptr && resident_->macroPlaying();
        if (reason == QSystemTrayIcon::Context) {
            if (recording_) {
                resident_->endCapture();
            } else if (playing) {
                resident_->abortMacro();
            } else {
                trayMenu_->popup(QCursor::pos());
            }
        } else if (reason == QSystemTrayIcon::Trigger && !playing && resident_ != nullptr) {
            SysTrayOpen();
        }
    });
}

void TMainWin::showList() {
    gridModel_->reload();
    grid_->showSelection();
    applyCommandStates();
}

void TMainWin::refillKeepingSelection() {
    if (resident_ == nullptr) return;
    const int selected = list_.selectedMacro();
    list_.FillList(resident_->macroFile().index(), settings_);
    if (const int row = list_.ReverseSort(selected); selected != 0 && row != -1) list_.select(row);
}

void TMainWin::macrosChanged() {
    if (!keepList_) refillKeepingSelection();
    showMenuTrayIcons();
    showList();
    updateCaption();
    updateRecentFiles();
}

void TMainWin::macrosChanged(const MacroChange&) {
    // Hotkeys, ShortKeys and the schedule follow the index; the list stays as the operation left
    // it. The menu tray icons follow the index too.
    keepList_ = true;
    if (resident_ != nullptr) resident_->indexChanged();
    keepList_ = false;
    showList();
}

bool TMainWin::showCopyOrMove(dialogs::TCopyOrMove& dialog, const dialogs::DialogEnv& env) {
    TCopyOrMoveForm form(dialog, env, resident_,
                         resident_ != nullptr ? hotKeyUseCounts(resident_->macroFile().index()) : std::vector<int>{},
                         this);
    return form.exec() == QDialog::Accepted;
}

void TMainWin::showSchedule(TMacroRecord& record, const dialogs::DialogEnv& env) {
    dialogs::TDoSchedule schedule;
    schedule.setNewCommand(false);
    schedule.show(env);
    schedule.load(dialogs::scheduleOf(record));
    // "Set Schedule" comes with the editors; until then the macro keeps the schedule it has.
    const std::unique_ptr<ModelForm> form = createModelForm(schedule, env, this);
    if (form && form->exec() == QDialog::Accepted) dialogs::applySchedule(schedule.values(), record);
}

bool TMainWin::showSystemHotKeys(int j) {
    const std::string title = resident_->macroFile().index().WindowTitle(j);
    const int field = title.empty() ? 0 : title[0] - '1';
    TSystemKeys dialog(*resident_, field, this);
    return dialog.exec() == QDialog::Accepted;
}

void TMainWin::addMacro() {
    if (editing_) editing_->DoAdd();
}
void TMainWin::modifyDirectly() {
    if (editing_) editing_->DoModify();
}
void TMainWin::scriptingEditor() {
    if (editing_) editing_->DoTheScript();
}

EditorContext TMainWin::editorContext() {
    EditorContext c;
    c.env.files = dialogFiles_.get();
    c.env.desktop = desktop_;
    c.env.prompt = &prompt_;
    c.env.settings = &settings_;
    c.env.clock = &clock_;
    c.iconsDir = resident_->iconsDir();
    c.programDir = std::filesystem::path(c.iconsDir).parent_path().string();
    c.nicknames = [this] {
        std::vector<std::string> names;
        const TActivationTable& index = resident_->macroFile().index();
        for (int j = 1; j <= std::min(index.MacroCount(), kMaxMacros); ++j)
            if (!settings_.nickName(j).empty()) names.push_back(settings_.nickName(j));
        return names;
    };
    c.picker = resident_;
    c.keyboard = resident_;
    c.desktopEntries = [this](bool programs) {
        return programs ? resident_->programNameList() : resident_->windowTitleList();
    };
    c.dialUpAvailable = [this] { return resident_->dialUpAvailable(); };
    c.settingsChanged = [this] { saveSettings(); };
    return c;
}

void TMainWin::removeMacro() {
    if (operations_) operations_->DoClear();
}
void TMainWin::copyMacro() {
    if (operations_) operations_->DoCopy();
}
void TMainWin::renameMacro() {
    if (operations_) operations_->DoMove();
}
void TMainWin::activateMacro() {
    if (operations_) operations_->DoActivate();
}
void TMainWin::quickInfo() { DoInfo(list_.selectedRow()); }
void TMainWin::helpContents() { showHelp(this); }

void TMainWin::MenuImportClick() {
    if (transfer_ == nullptr) return;
    const std::optional<ImportPlan> plan = transfer_->importMacros();
    if (!plan) return;
    // The list shows the file with its new macros, the first of them selected.
    const IMacroFile& file = resident_->macroFile();
    list_.FillList(file.index(), settings_);
    list_.select(list_.ReverseSort(file.index().MacroCount() - static_cast<int>(plan->records.size()) + 1));
    macrosChanged(plan->change);
}

void TMainWin::MenuExportClick() {
    if (transfer_ != nullptr) transfer_->exportMacros();
}

void TMainWin::MenuPrintClick() {
    if (transfer_ != nullptr) transfer_->printList(list_.rowMap());
}

void TMainWin::MenuPrintPreviewClick() {
    if (transfer_ != nullptr) transfer_->printPreview(list_.rowMap());
}

void TMainWin::PrinterSetup1Click() {
    if (transfer_ != nullptr) transfer_->printerSetup();
}

void TMainWin::MenuPrinterFontClick() {
    if (transfer_ != nullptr && transfer_->printerFont()) saveSettings();
}

void TMainWin::OutputHotKeyList1Click() {
    if (transfer_ == nullptr) return;
    if (list_.rowCount() == 0) {
        prompt_.messageBox("Error", kMsgNoMacros, PromptButtons::Ok);
        return;
    }
    transfer_->outputInformation(list_.rowMap());
    saveSettings();
}

void TMainWin::DoInfo(int row) {
    const int j = list_.macroAt(row);
    TMacroRecord record;
    if (j == 0 || resident_ == nullptr || !resident_->macroFile().readMacroRecord(j, record)) return;
    QIcon icon = record.IconName == "MENU" ? menuIcon() : mainIcon();
    if (record.IconName != "MENU" && record.IconName != "MAIN") {
        const QPixmap file(QString::fromStdString(resident_->iconsDir() + "/" + record.IconName));
        if (!file.isNull()) icon = QIcon(file);
    }
    TQuickInfo dialog(orv::quickInfo(record), icon, this);
    dialog.exec();
}

void TMainWin::rowActivated(int row) {
    if (browseMode() != BrowseMode::Off || resident_ == nullptr) return;
    const int j = list_.macroAt(row);
    if (j == 0) return;
    if (resident_->macroFile().index().Scope(j) != kScopeSystem) {
        list_.select(row);
        scriptingEditor();
        return;
    }
    if (!resident_->macroFile().lockSharedFile()) return;
    const bool changed = showSystemHotKeys(j);
    if (changed) resident_->indexChanged();  // refills the list and registers the hotkeys again
    resident_->macroFile().releaseSharedFile(changed);
}

void TMainWin::headerRightClicked(int column) {
    if (!settings_.SortHeader || column < MacroGridModel::Activation) return;
    static const char* const kOrders[] = {"132", "213", "321"};
    const std::string order = kOrders[column - MacroGridModel::Activation];
    if (!settings_.PrimarySort.empty() && settings_.PrimarySort[0] == order[0]) return;
    settings_.PrimarySort = order;
    refillKeepingSelection();
    showList();
    saveSettings();
}

void TMainWin::columnResized(int column, int width) {
    int* stored[] = {&settings_.Col1Width, &settings_.Col2Width, &settings_.Col3Width};
    *stored[column - MacroGridModel::Activation] = width;
    saveSettings();
}

void TMainWin::sortOrder() {
    SortOrderModel model = SortOrderModel::fromSettings(settings_);
    TSortOrder dialog(model, this);
    if (dialog.exec() != QDialog::Accepted) return;
    model.apply(settings_);
    saveSettings();
    refillKeepingSelection();
    showList();
}

void TMainWin::MenuRemapClick() {
    std::optional<remap::RemapperModel> model = resident_->beginRemap();
    if (!model) return;
    TDoSwapKeys dialog(*model, this);
    dialog.exec();
    resident_->endRemap(*model);
}

void TMainWin::restoreKeyboardHooks() { resident_->restoreKeyboardHooks(); }
void TMainWin::restoreMouseHooks() { resident_->restoreMouseHooks(); }

void TMainWin::appearance() {
    AppearanceModel model = AppearanceModel::fromSettings(settings_);
    TDoAppear dialog(model, this);
    if (dialog.exec() != QDialog::Accepted) return;
    model.apply(settings_);
    grid_->AdjustGridSpacing();
    showButtonLayout();
    applyCommandStates();
    saveSettings();
}

void TMainWin::captureDefaults() {
    TCaptureDefaults dialog(
        settings_, [this] { saveSettings(); }, this);
    dialog.exec();
}

void TMainWin::preferences() {
    PreferenceModel model = PreferenceModel::fromSettings(settings_);
    const std::string autostartFile = autostartPath();
    const AutostartSetting autostart = readAutostartFile(autostartFile);
    model.autostart = autostart;
    TPreference dialog(model, this);
    if (dialog.exec() != QDialog::Accepted) return;
    model.apply(settings_);
    tray_.setVisible(settings_.UseTray);
    applyCommandStates();
    saveSettings();
    const std::string error = updateAutostart(autostartFile, autostart, model.autostart,
                                              QCoreApplication::applicationFilePath().toStdString());
    if (!error.empty()) QMessageBox::critical(this, QStringLiteral("Error"), QString::fromStdString(error));
}

void TMainWin::toggleMouseLocator() {
    if (locator_ == nullptr) locator_ = new MouseLocator(this);
    locator_->setVisible(!locator_->isVisible());
    action(C::MouseLocator)->setChecked(locator_->isVisible());
}

void TMainWin::updateCaption() {
    QString caption = fromCp1252(
        mainWindowCaption(toCp1252(fileTitle(settings_.CurrentFile)), settings_.ShowDate, clock_.now(), browseMode()));
    // A damaged or unreadable macro file is kept read-only; say so where the file is named.
    if (resident_ != nullptr && !resident_->macroFileReadOnlyReason().empty())
        caption += QStringLiteral(" (read-only)");
    setWindowTitle(caption);
}

void TMainWin::updateRecentFiles() {
    const RecentFilesMenu menu = SetMenuLastFiles(settings_.LastFile);
    recentSeparator_->setVisible(menu.separatorVisible);
    for (QAction* a : recent_) a->setVisible(false);
    for (const auto& item : menu.items) {
        QAction* a = recent_[static_cast<std::size_t>(item.entry - 1)];
        a->setText(QString::fromStdString(item.caption));
        a->setVisible(true);
    }
}

void TMainWin::openMacroFile(const std::string& path) {
    // Another file's list starts at its first row.
    list_.select(0);
    resident_->openMacroFile(path);
}

void TMainWin::openFile() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open Orvanta File"), QString(),
                                                      QStringLiteral("Orvanta (*.ORV)"));
    if (path.isEmpty()) return;
    if (!hasOrvExtension(path)) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Invalid file type selected."));
        return;
    }
    openMacroFile(path.toStdString());
}

void TMainWin::newFile() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("New Orvanta File"), QString(),
                                                QStringLiteral("Orvanta (*.ORV)"));
    if (path.isEmpty()) return;
    if (!hasOrvExtension(path)) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Invalid file type selected."));
        return;
    }
    openMacroFile(path.toStdString());
}

void TMainWin::openRecent(int entry) {
    const std::string path = settings_.LastFile[static_cast<std::size_t>(entry - 1)];
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("File does not exist."));
        return;
    }
    openMacroFile(path);
}

void TMainWin::shortKeyOptions() {
    if (resident_ == nullptr) return;
    TShortKeyOptions dialog(settings_, *resident_, this);
    dialog.exec();
}

void TMainWin::MenuNetworkClick() {
    if (options_) options_->MenuNetworkClick();
}

void TMainWin::showNetworkDialog(NetworkOptionsModel& model) {
    TNetworkConsiderations dialog(model, this);
    dialog.exec();
}

bool TMainWin::showDialog(dialogs::DialogModel& model, const dialogs::DialogEnv& env) {
    const std::unique_ptr<ModelForm> form = createModelForm(model, env, this);
    if (!form) {
        qWarning("orvanta: no form for the dialog %s", std::string(model.typeName()).c_str());
        return false;
    }
    return form->exec() == QDialog::Accepted;
}

void TMainWin::setScheduleInterval(int seconds) {
    // A running timer restarts with the new period; a stopped one keeps it for its next start.
    scheduleTimer_.setInterval(seconds * 1000);
}

void TMainWin::showDateChanged() {
    if (settings_.ShowDate) {
        captionTimer_.start();
    } else {
        captionTimer_.stop();
    }
    updateCaption();
}

void TMainWin::placeOnDesktop() {
    const int j = list_.selectedMacro();
    if (j == 0 || resident_ == nullptr) return;
    const Outcome outcome =
        resident_->placeOnDesktop(j, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString(),
                                  QCoreApplication::applicationFilePath().toStdString());
    QMessageBox box(outcome.accepted ? QMessageBox::Information : QMessageBox::Critical,
                    outcome.accepted ? QString() : fromCp1252(outcome.failure.title),
                    fromCp1252(outcome.accepted ? outcome.output : outcome.failure.message), QMessageBox::Ok, this);
    box.exec();
}

void TMainWin::bringUpMainWindow() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void TMainWin::pickerHotKey(std::int32_t window, int code) { HotkeyPickerField::deliver(window, code); }

void TMainWin::recapture() {
    const int j = list_.selectedMacro();
    if (j == 0 || resident_ == nullptr) return;
    capture::CaptureTarget target;
    target.macro = j;
    captureMacro(target, this);
}

bool TMainWin::captureMacro(const capture::CaptureTarget& target, QWidget* parent) {
    if (!runCaptureMacro(*resident_, target, settings_, parent)) return false;
    // The user captures in another program: the window makes way for it.
    if (runningHidden()) {
        hide();
    } else {
        showMinimized();
    }
    return true;
}

void TMainWin::setRecording(bool recording) {
    recording_ = recording;
    tray_.setIcon(recording ? recordingIcon() : mainIcon());
    tray_.setToolTip(recording ? QStringLiteral("Macro Is Recording") : QStringLiteral("Orvanta 99"));
    // The recording icon shows while a capture runs, whether or not the program lives in the
    // tray; without a system tray there is nowhere to show it.
    tray_.setVisible((recording || settings_.UseTray) && QSystemTrayIcon::isSystemTrayAvailable());
}

void TMainWin::completeCapture(TMacroRecord& record, const std::string& foregroundProgram) {
    if (isMinimized()) showNormal();
    // A top-level window of its own: the main window may be hidden or minimised.
    TCapComplete dialog(record, resident_->macroFile().index(), settings_.CaptureGlobal, foregroundProgram, resident_,
                        nullptr);
    bringForwardOnShow(dialog);
    // Closed without "&Ok", the macro is kept without an activation, to be given one later.
    if (dialog.exec() != QDialog::Accepted) record.HotKeyCode = static_cast<std::int16_t>(kCodeNone);
}

void TMainWin::bringForwardOnShow(QWidget& dialog) {
    // The user was working in another program. Window managers that keep the focus from programs
    // in the background ignore Qt's request, so the window system is asked as a pager would when
    // the dialog is not in front after it.
    QTimer::singleShot(0, &dialog, [this, &dialog] {
        dialog.raise();
        dialog.activateWindow();
        QTimer::singleShot(kActivationGraceMs, &dialog, [this, &dialog] {
            if (!dialog.isActiveWindow() && playbackWindows_ != nullptr)
                playbackWindows_->setForegroundWindow(static_cast<std::int32_t>(dialog.winId()));
        });
    });
}

void TMainWin::captureSaved(int j) {
    if (const int row = list_.ReverseSort(j); row != -1) list_.select(row);
    showList();
    bringUpMainWindow();
}

int TMainWin::showPopupMenu(const TMacroRecord& menu) {
    if (resident_ == nullptr) return -1;
    IMacroFile& file = resident_->macroFile();
    ChooserModel model = chooserModel(menu, file.index(), settings_,
                                      [&file](int j, TMacroRecord& record) { return file.readMacroRecord(j, record); });
    TDoAMenu chooser(std::move(model), trayClick_);
    chooser.setWindowIcon(menuIcon());
    chooser.exec();
    return chooser.chosen();
}

void TMainWin::SysTrayOpen() {
    // A recording or a paused macro is never broken off by a click: the user is told why the
    // window does not come up.
    if (resident_ != nullptr && (recording_ || resident_->macroPaused())) return resident_->ActivateMe();
    if (runningHidden()) closeOpenDialogs();
    bringUpMainWindow();
}

void TMainWin::closeOpenDialogs() {
    // The innermost first: each one closed hands back to the one that opened it, whose caller
    // then gives back the shared-file lock unchanged as after any cancel. The count only guards
    // against a dialog that will not close.
    for (int left = 64; left > 0; --left) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) break;
        dialog->reject();
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog != nullptr && dialog->isVisible()) dialog->reject();
    }
}

void TMainWin::showMenuTrayIcons() {
    if (resident_ != nullptr) menuIcons_->show(trayMenus(resident_->macroFile().index(), settings_));
}

void TMainWin::openTrayMenu(int j, QPoint click) {
    if (resident_ == nullptr) return;
    trayClick_ = MenuAnchor{click.x(), click.y()};
    resident_->openTrayMenu(j);
    trayClick_.reset();
}

void TMainWin::resumePause() {
    if (playbackWindows_ != nullptr) playbackWindows_->resumePause();
}

void TMainWin::setRunning(bool running) {
    tray_.setIcon(running ? runningIcon() : mainIcon());
    tray_.setToolTip(running ? QStringLiteral("Macro Is Running - Right Click to Abort")
                             : QStringLiteral("Orvanta 99"));
}

void TMainWin::setScheduleTimer(bool enabled) {
    if (enabled) {
        scheduleTimer_.start(settings_.TimerSeconds * 1000);
    } else {
        scheduleTimer_.stop();
    }
}

void TMainWin::setHeartbeatTimer(bool running) {
    if (running) {
        heartbeatTimer_.start();
    } else {
        heartbeatTimer_.stop();
    }
}

void TMainWin::setSyncTimer(bool running) {
    if (running) {
        syncTimer_.start();
    } else {
        syncTimer_.stop();
    }
}

void TMainWin::playWaveFile(const std::string& file, bool wait) {
    if (wavePlayer_) wavePlayer_(file, wait);
}

void TMainWin::terminate() {
    terminating_ = true;
    close();
}

void TMainWin::AppDeactivate() {
    if (terminating_ || !runningHidden() || !isVisible()) return;
    if (resident_ != nullptr && (resident_->macroPaused() || resident_->popupMenuShowing())) return;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible() && w->isWindow() && qobject_cast<QDialog*>(w) != nullptr) return;
    }
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    hide();
}

void TMainWin::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Minimised while running hidden, the window goes to the tray instead of the task bar.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && runningHidden() && !terminating_) {
        QTimer::singleShot(0, this, [this] { AppDeactivate(); });
    }
}

void TMainWin::closeEvent(QCloseEvent* event) {
    if (settings_.UseClose && !terminating_) {
        event->ignore();
        if (runningHidden()) {
            hide();
        } else {
            showMinimized();
        }
        return;
    }
    settings_.Width = width();
    settings_.Height = height();
    settings_.Left = x();
    settings_.Top = y();
    tray_.hide();
    menuIcons_->clear();
    event->accept();
    QApplication::quit();
}

}  // namespace orv::gui
