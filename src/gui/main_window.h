#pragma once

#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "activation/popup_menu.h"
#include "activation/resident_actions.h"
#include "activation/resident_ui.h"
#include "gui/forms/editor_context.h"
#include "gui/wizards/quick_wizard_form.h"
#include "gui/qt_user_prompt.h"
#include "mainwin/macro_editing.h"
#include "mainwin/macro_list.h"
#include "mainwin/macro_operations.h"
#include "mainwin/main_commands.h"
#include "mainwin/options_menu.h"

class QAction;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolBar;

namespace orv::gui {

class EditorWindows;
class MacroGridModel;
class MacroGridView;
class MenuTrayIcons;
class MouseLocator;
class QtPlaybackWindows;
class TransferCommands;

// The resident program's main window: the macro list of the open file with its menus, speed
// buttons and lettered buttons, the whole-macro commands, the timers and the tray icon. What it
// decides lives in the core (MacroList, commandStates, MacroOperations); this class shows it.
class TMainWin final : public QMainWindow, public IResidentUi, public IOptionsWindow, public IMacroOperationsHost {
    Q_OBJECT
public:
    explicit TMainWin(TAppSettings& settings);
    ~TMainWin() override;

    // Hands the window the core it works for; the window then drives its timers.
    void attach(IResidentActions& resident, QtPlaybackWindows& playbackWindows);
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
    // The index changed under the list: refill it, keeping the selected macro selected.
    void macrosChanged() override;
    void playWaveFile(const std::string& file, bool wait) override;
    // What plays sound files (the program's media services); none: sounds stay silent.
    void setWavePlayer(std::function<void(const std::string& file, bool wait)> player) {
        wavePlayer_ = std::move(player);
    }
    // The desktop's lists (printers, display modes, phone book, installed programs) for the
    // command dialogs and the wizards; none: those lists stay empty and names are typed.
    void setDesktopQueries(IDesktopQueries* desktop) { desktop_ = desktop; }
    void pickerHotKey(std::int32_t window, int code) override;
    void setRecording(bool recording) override;
    void completeCapture(TMacroRecord& record, const std::string& foregroundProgram) override;
    void captureSaved(int j) override;

    // IOptionsWindow
    void showNetworkDialog(NetworkOptionsModel& model) override;
    bool showDialog(dialogs::DialogModel& model, const dialogs::DialogEnv& env) override;
    void setScheduleInterval(int seconds) override;
    void showDateChanged() override;

    // IMacroOperationsHost
    bool showCopyOrMove(dialogs::TCopyOrMove& dialog, const dialogs::DialogEnv& env) override;
    void showSchedule(TMacroRecord& record, const dialogs::DialogEnv& env) override;
    bool showSystemHotKeys(int j) override;
    void macrosChanged(const MacroChange& change) override;

    // "&Network" in the Options menu.
    void MenuNetworkClick();
    // "&Import Macros", "E&xport Macros", "&Print Macro List", "Print Pre&view", "Printer &Setup",
    // "Printer &Font" and "O&utput Macro Information".
    void MenuImportClick();
    void MenuExportClick();
    void MenuPrintClick();
    void MenuPrintPreviewClick();
    void PrinterSetup1Click();
    void MenuPrinterFontClick();
    void OutputHotKeyList1Click();
    // Ends the program for good, as "&Terminate Orvanta 99" does.
    void terminate();
    // The program lost the activation: running hidden, the main window goes to the tray unless
    // a pause, a popup menu or a dialog of the program is on screen.
    void AppDeactivate();

    // A left click on the program's tray icon: running in the tray or hidden, every open dialog
    // of the program closes without saving first; then the main window comes up. While a
    // capture records or a macro is paused it only says why not.
    void SysTrayOpen();

    // "Capture Macro" for `target` (Recapture, Add Macro's capture button) over `parent`; once
    // the capture runs, the program steps out of the way of the window captured in. True when
    // the capture started.
    bool captureMacro(const capture::CaptureTarget& target, QWidget* parent);

    // The menu action, speed button and lettered button of a command (nullptr where it has none).
    QAction* action(MainCommand id) const { return actions_[static_cast<std::size_t>(id)]; }
    QAction* speedButton(MainCommand id) const { return speed_[static_cast<std::size_t>(id)]; }
    QPushButton* letterButton(MainCommand id) const { return letters_[static_cast<std::size_t>(id)]; }
    const MacroList& list() const { return list_; }

    // Runs Quick Wizard `number` (1-27) and appends the macro it makes; the first-time set-up.
    void DoQuickWiz(int number);
    // The first-time set-up from the menu; at a new user's first start it comes up by itself,
    // and skipped there it is not offered again.
    void firstTimeSetUp() { runFirstTimeSetUp(false); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::function<void(const std::string& file, bool wait)> wavePlayer_;
    IDesktopQueries* desktop_ = nullptr;

    QWidget* buildMacrosPage();
    QWidget* buildWizardsPage();
    void buildWizardsMenu(QMenu* wizards);
    void appendWizardMacro(TMacroRecord record, int joinMenu);
    void runFirstTimeSetUp(bool atStart);
    WizardListSources wizardLists(const wiz::WizardFile& macros);
    std::optional<std::string> runWizardCommand(const wiz::WizardCommand& command);
    void startWizardCapture(const wiz::WizardResult& result);
    // A dialog about to be shown comes to the front of the program the user was working in.
    void bringForwardOnShow(QWidget& dialog);
    // The sweepstakes wizard's recording, with the main window out of the way until it ends.
    std::optional<std::string> recordWizardKeys();
    void restoreGeometry();
    void buildMenus();
    void buildFileMenu();
    void buildMacroMenu();
    void buildOptionsMenu();
    void buildSpeedBar();
    void buildLetterPanel();
    void buildTray();
    QAction* addCommand(QMenu* menu, MainCommand id, void (TMainWin::*slot)());
    void connectCommand(QObject* sender, MainCommand id, void (TMainWin::*slot)());
    bool runningHidden() const { return settings_.UseTray || settings_.UseHide; }
    BrowseMode browseMode() const;

    // The list as MacroList now holds it, the commands for its selection.
    void showList();
    void refillKeepingSelection();
    void applyCommandStates();
    void showButtonLayout();
    void saveSettings();

    void updateCaption();
    void updateRecentFiles();
    void openMacroFile(const std::string& path);
    void openFile();
    void newFile();
    void openRecent(int entry);
    void shortKeyOptions();
    void placeOnDesktop();
    void addMacro();
    void modifyDirectly();
    void scriptingEditor();
    // What the editor windows need of the running program.
    EditorContext editorContext();
    void removeMacro();
    void copyMacro();
    void renameMacro();
    void activateMacro();
    void recapture();
    void quickInfo();
    void sortOrder();
    // "&Remap" and the Tools menu's hook restoring.
    void MenuRemapClick();
    void restoreKeyboardHooks();
    void restoreMouseHooks();
    void appearance();
    void captureDefaults();
    void preferences();
    void toggleMouseLocator();
    void helpContents();
    // Quick Info for list row `row`: the macro as stored in the file.
    void DoInfo(int row);
    // A double click or Enter on list row `row`.
    void rowActivated(int row);
    void headerRightClicked(int column);
    void columnResized(int column, int width);
    // Closes every dialog of the program as Cancel would, the innermost first.
    void closeOpenDialogs();
    // The popup menus that asked for a tray icon, as the open file now has them.
    void showMenuTrayIcons();
    // A right click on a popup menu's tray icon at `click`.
    void openTrayMenu(int j, QPoint click);

    TAppSettings& settings_;
    IResidentActions* resident_ = nullptr;
    QtPlaybackWindows* playbackWindows_ = nullptr;
    QtUserPrompt prompt_{this};
    SystemClock clock_;
    MacroList list_;
    std::unique_ptr<MacroOperations> operations_;
    std::unique_ptr<EditorWindows> editorWindows_;
    std::unique_ptr<MacroEditing> editing_;
    MacroGridModel* gridModel_ = nullptr;
    MacroGridView* grid_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QToolBar* speedBar_ = nullptr;
    QWidget* letterPanel_ = nullptr;
    MouseLocator* locator_ = nullptr;
    std::array<QAction*, kMainCommandCount> actions_{};
    std::array<QAction*, kMainCommandCount> speed_{};
    std::array<QPushButton*, kMainCommandCount> letters_{};
    std::array<QAction*, 5> recent_{};
    QAction* recentSeparator_ = nullptr;
    QMenu* scheduler_ = nullptr;
    QMenu* screenSaver_ = nullptr;
    std::unique_ptr<IDialogFiles> dialogFiles_;
    std::unique_ptr<OptionsMenu> options_;
    std::unique_ptr<TransferCommands> transfer_;
    QSystemTrayIcon tray_;
    QMenu* trayMenu_ = nullptr;
    MenuTrayIcons* menuIcons_ = nullptr;
    // Where the tray icon of the menu being opened was clicked; the menu opens above it.
    std::optional<MenuAnchor> trayClick_;
    QTimer scheduleTimer_;
    QTimer startupTimer_;
    QTimer clearTimer_;
    QTimer heartbeatTimer_;
    QTimer syncTimer_;
    QTimer captionTimer_;
    bool terminating_ = false;
    bool recording_ = false;  // the tray shows the recording icon
    bool keepList_ = false;   // an operation has refilled and selected the list itself
};

}  // namespace orv::gui
