#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QTableWidget>
#include <QEventLoop>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "activation/shortkeys.h"
#include "engine/ansi_upper.h"
#include "engine/playback_engine.h"
#include "gui/help.h"
#include "gui/hotkey_picker.h"
#include "gui/option_forms.h"
#include "gui/qt_playback_windows.h"
#include "gui/qt_text.h"
#include "gui/system_keys_dialog.h"
#include "mainwin/list_texts.h"
#include "platform/dialog_files.h"
#include "store/macro_store.h"
#include "store/recent_files.h"
#include "store/settings.h"

namespace orv::gui {

namespace {

constexpr int kStartupDelayMs = 5000;
constexpr int kClearDelayMs = 15000;

QString fileTitle(const std::string& path) { return QFileInfo(QString::fromStdString(path)).completeBaseName(); }

bool hasOrvExtension(const QString& path) { return path.right(4).toUpper() == QStringLiteral(".ORV"); }

}  // namespace

TMainWin::TMainWin(TAppSettings& settings)
    : settings_(settings), dialogFiles_(std::make_unique<FileSystemDialogFiles>()) {
    setObjectName(QStringLiteral("MainWin"));
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationInactive) AppDeactivate();
    });
    list_ = new QTableWidget(this);
    list_->setObjectName(QStringLiteral("MyGrid"));
    list_->setColumnCount(4);
    list_->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("Activation"), QStringLiteral("Nickname"), QStringLiteral("Scope")});
    list_->verticalHeader()->hide();
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setColumnWidth(0, 40);
    list_->setColumnWidth(1, settings_.Col1Width);
    list_->setColumnWidth(2, settings_.Col2Width);
    list_->setColumnWidth(3, settings_.Col3Width);
    setCentralWidget(list_);
    connect(list_, &QTableWidget::activated, this,
            [this](const QModelIndex& index) { macroActivated(index.row() + 1); });
    resize(settings_.Width > 0 ? settings_.Width : 620, settings_.Height > 0 ? settings_.Height : 460);
    if (settings_.Left != 0 || settings_.Top != 0) move(settings_.Left, settings_.Top);
    buildMenus();
    buildTray();

    startupTimer_.setSingleShot(true);
    startupTimer_.setInterval(kStartupDelayMs);
    clearTimer_.setSingleShot(true);
    clearTimer_.setInterval(kClearDelayMs);
    heartbeatTimer_.setInterval(SharedFileLock::kHeartbeatMs);
    syncTimer_.setInterval(SharedFileLock::kSyncTimerMs);
    captionTimer_.setInterval(1000);
    connect(&captionTimer_, &QTimer::timeout, this, [this] { updateCaption(); });
}

TMainWin::~TMainWin() = default;

void TMainWin::attach(Resident& resident, QtPlaybackWindows& playbackWindows) {
    resident_ = &resident;
    playbackWindows_ = &playbackWindows;
    connect(&scheduleTimer_, &QTimer::timeout, this, [this] { resident_->onScheduleTimer(); });
    connect(&startupTimer_, &QTimer::timeout, this, [this] { resident_->onStartupTimer(); });
    connect(&clearTimer_, &QTimer::timeout, this, [this] { resident_->onClearTimer(); });
    connect(&heartbeatTimer_, &QTimer::timeout, this, [this] { resident_->onHeartbeatTimer(); });
    connect(&syncTimer_, &QTimer::timeout, this, [this] { resident_->onSyncTimer(); });
    options_ = std::make_unique<OptionsMenu>(settings_, resident.paths(), resident.sharedFile(), *dialogFiles_, *this);
    startupTimer_.start();
    if (settings_.ShowDate) captionTimer_.start();
}

void TMainWin::showAtStart(bool hideAtFirstPaint) {
    applyBrowseMode();
    // In a tray that is not there the program could not be reached, now or at any later start:
    // it goes to the task bar instead, and "Use Tray" is turned off for good.
    const bool noTray = settings_.UseTray && !QSystemTrayIcon::isSystemTrayAvailable();
    if (noTray) {
        settings_.UseTray = false;
        hide_->setEnabled(runningHidden());
    }
    if (settings_.UseTray) tray_.show();
    if (!runningHidden() && !hideAtFirstPaint) show();
    if (noTray)
        QMessageBox::information(this, QStringLiteral("Notice"),
                                 QStringLiteral("This desktop has no system tray, so Orvanta 99 shows its window in "
                                                "the task bar instead. \"Use Tray\" has been turned off."));
}

void TMainWin::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open File"), this, &TMainWin::openFile);
    file->addAction(QStringLiteral("&New File"), this, &TMainWin::newFile);
    recentSeparator_ = file->addSeparator();
    for (int i = 0; i < 5; ++i) {
        recent_[static_cast<std::size_t>(i)] = file->addAction(QString(), this, [this, i] { openRecent(i + 1); });
        recent_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("MenuLastFile%1").arg(i + 1));
    }
    file->addSeparator();
    hide_ = file->addAction(QStringLiteral("&Hide Orvanta 99"), this, [this] {
        if (runningHidden()) this->hide();
    });
    hide_->setEnabled(runningHidden());
    file->addAction(QStringLiteral("&Terminate Orvanta 99"), this, [this] { terminate(); });
    QMenu* macro = menuBar()->addMenu(QStringLiteral("&Macro"));
    macro->addAction(QStringLiteral("&Place On Desktop"), this, &TMainWin::placeOnDesktop);
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    shortKeys_ = options->addAction(QStringLiteral("Short&Keys"), this, &TMainWin::shortKeyOptions);
    network_ = options->addAction(QStringLiteral("&Network"), this, &TMainWin::MenuNetworkClick);
    network_->setObjectName(QStringLiteral("MenuNetwork"));

    scheduler_ = options->addMenu(QStringLiteral("&Scheduler"));
    scheduler_->setObjectName(QStringLiteral("MenuScheduler"));
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
    QMenu* screenSaver = scheduler_->addMenu(QStringLiteral("Screen Sa&ver"));
    QAction* disableSaver = screenSaver->addAction(QStringLiteral("&Disable if using Timed Macros"));
    disableSaver->setObjectName(QStringLiteral("MenuDisableScreenSaver"));
    disableSaver->setCheckable(true);
    disableSaver->setChecked(settings_.DisableScreenSaver);
    connect(disableSaver, &QAction::triggered, this, [this, disableSaver] {
        if (options_) disableSaver->setChecked(options_->toggleDisableScreenSaver());
    });
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* contents = help->addAction(QStringLiteral("&Contents"), this, [this] { showHelp(this); });
    contents->setShortcut(QKeySequence::HelpContents);
    updateRecentFiles();
}

void TMainWin::applyBrowseMode() {
    const BrowseMode mode = resident_ != nullptr ? resident_->commandLine().browseMode() : BrowseMode::Off;
    shortKeys_->setEnabled(mode == BrowseMode::Off);
    network_->setEnabled(mode == BrowseMode::Off);
    scheduler_->menuAction()->setEnabled(mode != BrowseMode::BrowseAll);
}

void TMainWin::buildTray() {
    tray_.setIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
    tray_.setToolTip(QStringLiteral("Orvanta 99"));
    trayMenu_ = new QMenu(this);
    trayMenu_->addAction(QStringLiteral("&Open"), this, [this] { bringUpMainWindow(); });
    trayMenu_->addSeparator();
    trayMenu_->addAction(QStringLiteral("&Terminate Orvanta"), this, [this] { terminate(); });
    connect(&tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        const bool playing = resident_ != nullptr && resident_->macroPlaying();
        if (reason == QSystemTrayIcon::Context) {
            if (playing) {
                resident_->engine().requestAbort();
            } else {
                trayMenu_->popup(QCursor::pos());
            }
        } else if (reason == QSystemTrayIcon::Trigger && !playing && resident_ != nullptr) {
            resident_->ActivateMe();
        }
    });
}

void TMainWin::fillList() {
    if (resident_ == nullptr) return;
    const TActivationTable& table = resident_->table();
    const int count = table.MacroCount();
    list_->setRowCount(count);
    for (int j = 1; j <= count; ++j) {
        const QString texts[] = {QString::number(j), fromCp1252(activationText(table, settings_, j)),
                                 fromCp1252(settings_.nickName(j)), fromCp1252(scopeText(table, j))};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (!table.Active(j) && c > 0) {
                QFont italic = item->font();
                italic.setItalic(true);
                item->setFont(italic);
                item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            }
            list_->setItem(j - 1, c, item);
        }
    }
}

void TMainWin::updateCaption() {
    const BrowseMode mode = resident_ != nullptr ? resident_->commandLine().browseMode() : BrowseMode::Off;
    setWindowTitle(fromCp1252(
        mainWindowCaption(toCp1252(fileTitle(settings_.CurrentFile)), settings_.ShowDate, SystemClock().now(), mode)));
}

void TMainWin::updateRecentFiles() {
    const RecentFilesMenu menu = SetMenuLastFiles(settings_.LastFile);
    recentSeparator_->setVisible(menu.separatorVisible);
    for (QAction* action : recent_) action->setVisible(false);
    for (const auto& item : menu.items) {
        QAction* action = recent_[static_cast<std::size_t>(item.entry - 1)];
        action->setText(QString::fromStdString(item.caption));
        action->setVisible(true);
    }
}

void TMainWin::macrosChanged() {
    fillList();
    updateCaption();
    updateRecentFiles();
}

void TMainWin::openFile() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open Orvanta File"), QString(),
                                                      QStringLiteral("Orvanta (*.ORV)"));
    if (path.isEmpty()) return;
    if (!hasOrvExtension(path)) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Invalid file type selected."));
        return;
    }
    resident_->openMacroFile(path.toStdString());
}

void TMainWin::newFile() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("New Orvanta File"), QString(),
                                                QStringLiteral("Orvanta (*.ORV)"));
    if (path.isEmpty()) return;
    if (!hasOrvExtension(path)) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Invalid file type selected."));
        return;
    }
    resident_->openMacroFile(path.toStdString());
}

void TMainWin::openRecent(int entry) {
    const std::string path = settings_.LastFile[static_cast<std::size_t>(entry - 1)];
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("File does not exist."));
        return;
    }
    resident_->openMacroFile(path);
}

void TMainWin::shortKeyOptions() {
    ShortKeyOptionsModel model = ShortKeyOptionsModel::fromSettings(settings_);
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("ShortKey Options"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* solitary = new QCheckBox(QStringLiteral("Solitary &Usage"), &dialog);
    auto* usePrefix = new QCheckBox(QStringLiteral("Use &Prefix Keys"), &dialog);
    auto* caseSensitive = new QCheckBox(QStringLiteral("&Case Sensitive"), &dialog);
    auto* prefix = new QLineEdit(fromCp1252(model.prefixKeys), &dialog);
    solitary->setChecked(model.solitaryUsage);
    usePrefix->setChecked(model.usePrefixKeys);
    caseSensitive->setChecked(model.caseSensitive);
    prefix->setEnabled(model.usePrefixKeys);
    connect(usePrefix, &QCheckBox::toggled, prefix, &QLineEdit::setEnabled);
    layout->addWidget(solitary);
    layout->addWidget(usePrefix);
    layout->addWidget(prefix);
    layout->addWidget(caseSensitive);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->addButton(helpButton(&dialog, QStringLiteral("ShortKey Options")), QDialogButtonBox::HelpRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        model.solitaryUsage = solitary->isChecked();
        model.usePrefixKeys = usePrefix->isChecked();
        model.caseSensitive = caseSensitive->isChecked();
        model.prefixKeys = toCp1252(prefix->text());
        std::string error;
        if (!model.apply(settings_, error)) {
            QMessageBox::critical(&dialog, QStringLiteral("Error"), fromCp1252(error));
            prefix->setFocus();
            return;
        }
        SaveSettings(settings_, resident_->paths());
        resident_->indexChanged();  // the ShortKey matcher takes the new options
        dialog.accept();
    });
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
    const int row = list_->currentRow();
    if (row < 0 || resident_ == nullptr) return;
    const auto [title, text] = resident_->placeOnDesktop(
        row + 1, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString(),
        QCoreApplication::applicationFilePath().toStdString());
    QMessageBox box(title == "Error" ? QMessageBox::Critical : QMessageBox::Information, fromCp1252(title),
                    fromCp1252(text), QMessageBox::Ok, this);
    box.exec();
}

void TMainWin::bringUpMainWindow() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void TMainWin::macroActivated(int j) {
    if (resident_ == nullptr || j < 1 || j > resident_->table().MacroCount()) return;
    if (resident_->table().Scope(j) != kScopeSystem) return;
    // The dialog's field is the one of this system macro ("1".."4").
    const std::string title = resident_->table().WindowTitle(j);
    const int field = title.empty() ? 0 : title[0] - '1';
    if (resident_->sharedFile().FileInUse()) return;
    TSystemKeys dialog(*resident_, field, this);
    const bool changed = dialog.exec() == QDialog::Accepted;
    if (changed) resident_->indexChanged();  // refills the list and registers the hotkeys again
    resident_->sharedFile().ReleaseSyncFile(changed);
}

void TMainWin::pickerHotKey(std::int32_t window, int code) { HotkeyPickerField::deliver(window, code); }

int TMainWin::chooseMacro(const std::vector<int>& items) {
    QMenu menu;
    menu.setTitle(QStringLiteral("Choose A Macro"));
    int chosen = -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int j = items[i];
        if (j < 1 || j > resident_->table().MacroCount()) continue;
        const QString key = i < 10 ? QString::number(i) : QString(QChar(u'A' + static_cast<char16_t>(i - 10)));
        menu.addAction(QStringLiteral("&%1  %2").arg(key, fromCp1252(settings_.nickName(j))),
                       [&chosen, j] { chosen = j; });
    }
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Cancel"));
    menu.exec(QCursor::pos());
    return chosen;
}

int TMainWin::showPopupMenu(const TMacroRecord& menu) {
    return chooseMacro(std::vector<int>(menu.MenuItems.begin(), menu.MenuItems.end()));
}

void TMainWin::resumePause() {
    if (playbackWindows_ != nullptr) playbackWindows_->resumePause();
}

void TMainWin::setRunning(bool running) {
    tray_.setIcon(style()->standardIcon(running ? QStyle::SP_MediaPlay : QStyle::SP_ComputerIcon));
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
    auto* sound = new QSoundEffect(this);
    sound->setSource(QUrl::fromLocalFile(QString::fromStdString(file)));
    // The effect frees itself when it has played (or failed to load).
    connect(sound, &QSoundEffect::playingChanged, sound, [sound] {
        if (!sound->isPlaying()) sound->deleteLater();
    });
    connect(sound, &QSoundEffect::statusChanged, sound, [sound] {
        if (sound->status() == QSoundEffect::Error) sound->deleteLater();
    });
    sound->play();
    if (!wait) return;
    // Waiting keeps the event loop running until the sound has ended (at most ten minutes).
    QEventLoop loop;
    QPointer<QSoundEffect> guard(sound);
    connect(sound, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    if (guard) loop.exec();
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
    event->accept();
    QApplication::quit();
}

}  // namespace orv::gui
