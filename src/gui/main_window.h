#pragma once

#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QTimer>
#include <array>
#include <memory>

#include "activation/resident.h"
#include "mainwin/options_menu.h"

class QAction;
class QMenu;
class QTableWidget;

namespace orv::gui {

class QtPlaybackWindows;

// The resident program's main window: shows the open macro file's macros, owns the timers and
// the tray icon, and lets the core (Resident) use them.
class TMainWin final : public QMainWindow, public IResidentUi, public IOptionsWindow {
    Q_OBJECT
public:
    explicit TMainWin(TAppSettings& settings);
    ~TMainWin() override;

    // Hands the window the core it works for; the window then drives its timers.
    void attach(Resident& resident, QtPlaybackWindows& playbackWindows);
    // Shows the main window at start unless it stays out of sight ("Use Tray", "Use Hide",
    // "/HIDE"). Without a system tray on the desktop, "Use Tray" is turned off with a notice.
    void showAtStart(bool hideAtFirstPaint);

    // IResidentUi
    void bringUpMainWindow() override;
    int showPopupMenu(const TMacroRecord& menu) override;
    void resumePause() override;
    void setRunning(bool running) override;
    void startClearTimer() override { clearTimer_.start(); }
    void setScheduleTimer(bool enabled) override;
    void setHeartbeatTimer(bool running) override;
    void setSyncTimer(bool running) override;
    void macrosChanged() override;
    void playWaveFile(const std::string& file, bool wait) override;
    void pickerHotKey(std::int32_t window, int code) override;

    // IOptionsWindow
    void showNetworkDialog(NetworkOptionsModel& model) override;
    bool showDialog(dialogs::DialogModel& model, const dialogs::DialogEnv& env) override;
    void setScheduleInterval(int seconds) override;
    void showDateChanged() override;

    // "&Network" in the Options menu.
    void MenuNetworkClick();

    // Ends the program for good, as "&Terminate Orvanta 99" does.
    void terminate();

    // The program lost the activation: running hidden, the main window goes to the tray unless
    // a pause, a popup menu or a dialog of the program is on screen.
    void AppDeactivate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenus();
    void buildTray();
    bool runningHidden() const { return settings_.UseTray || settings_.UseHide; }
    void fillList();
    void updateCaption();
    void updateRecentFiles();
    void openFile();
    void newFile();
    void openRecent(int entry);
    void shortKeyOptions();
    // Browse Mode takes the settings commands away, Browse All Mode also the scheduler's.
    void applyBrowseMode();
    void placeOnDesktop();
    // A double click or Enter on macro j of the list: a System macro opens "System Hot Keys".
    void macroActivated(int j);
    // Lets the user choose one of `items` (macro numbers) in a "Choose A Macro" menu.
    int chooseMacro(const std::vector<int>& items);

    TAppSettings& settings_;
    Resident* resident_ = nullptr;
    QtPlaybackWindows* playbackWindows_ = nullptr;
    QTableWidget* list_ = nullptr;
    std::array<QAction*, 5> recent_{};
    QAction* recentSeparator_ = nullptr;
    QAction* hide_ = nullptr;
    QAction* shortKeys_ = nullptr;
    QAction* network_ = nullptr;
    QMenu* scheduler_ = nullptr;
    std::unique_ptr<IDialogFiles> dialogFiles_;
    std::unique_ptr<OptionsMenu> options_;
    QSystemTrayIcon tray_;
    QMenu* trayMenu_ = nullptr;
    QTimer scheduleTimer_;
    QTimer startupTimer_;
    QTimer clearTimer_;
    QTimer heartbeatTimer_;
    QTimer syncTimer_;
    QTimer captionTimer_;
    bool terminating_ = false;
};

}  // namespace orv::gui
