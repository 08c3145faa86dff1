#pragma once

#include <memory>
#include <string>

#include "activation/command_line.h"
#include "activation/hotkey_dispatch.h"
#include "activation/scheduler.h"
#include "activation/window_macros.h"
#include "platform/macro_host.h"
#include "engine/system_commands.h"
#include "platform/hook_library.h"
#include "remap/swap_keys.h"
#include "store/paths.h"
#include "store/settings.h"
#include "store/shared_file_lock.h"

namespace orv {

struct DesktopFamilies;
class IClipboard;
class IFileSystem;
class IKeyboardInput;
class IMessagePump;
class IMouseInput;
class IPlaybackWindows;
class IProcessList;
class IShell;
class IThreadSleep;
class IWindowSystem;
class MacroStore;
class PlaybackEngine;
class ShortKeys;
class WindowControl;

// The desktop the resident program works on.
struct ResidentPlatform {
    IKeyboardInput& keyboard;
    IMouseInput& mouse;
    IMessagePump& pump;
    IPlaybackWindows& playbackWindows;
    IWindowSystem& windows;
    IProcessList& processes;
    IHookLibrary& hook;
    IUserPrompt& prompt;
    const IClock& clock;
    IThreadSleep& sleeper;
    IClipboard* clipboard = nullptr;
    IShell* shell = nullptr;
    IFileSystem* files = nullptr;
    // Desktop settings, network, dial-up and multimedia; missing ones leave their commands
    // without effect.
    SystemServices system{};
    // The system-wide key remap; without it the remap tables are kept but no key changes.
    remap::IKeyRemapper* keyRemapper = nullptr;
};

// What only the window layer can do.
class IResidentUi {
public:
    virtual ~IResidentUi() = default;
    // Shows the main window and brings it to the foreground.
    virtual void bringUpMainWindow() = 0;
    // Shows a popup-menu macro's menu; the chosen macro index, or -1.
    virtual int showPopupMenu(const TMacroRecord& menu) = 0;
    // Closes the pause window as its "&Resume" button would.
    virtual void resumePause() = 0;
    // The tray icon and tooltip of a running or idle program.
    virtual void setRunning(bool running) = 0;
    virtual void startClearTimer() = 0;
    virtual void setScheduleTimer(bool enabled) = 0;
    virtual void setHeartbeatTimer(bool running) = 0;
    virtual void setSyncTimer(bool running) = 0;
    // The macro index changed: refill the list, caption and commands.
    virtual void macrosChanged() = 0;
    virtual void playWaveFile(const std::string& file, bool wait) = 0;
    // A hotkey pressed while a dialog's hotkey field holds the picker: `code` for the field
    // whose window is `window`.
    virtual void pickerHotKey(std::int32_t window, int code) = 0;
};

inline constexpr const char* kCaptureNotAvailableText =
    "Recording macros is not available in this version of Orvanta yet.";

// The resident program without its windows: the macro index, the playback engine and every
// activation (hotkeys, ShortKeys, window titles, schedules, the command line), driven by the
// hook library's messages and the main window's timers. Everything runs on the main thread.
class Resident final : public IDispatchHost,
                       public ITimedMacroPlayer,
                       public IWindowMacroPlayer,
                       public IMacroHost,
                       public ISharedFileHost {
public:
    Resident(TActivationTable& table, TAppSettings& settings, ProgramPaths paths, ResidentPlatform platform,
             IResidentUi& ui, std::string ownProgramName);
    ~Resident() override;
    Resident(const Resident&) = delete;
    Resident& operator=(const Resident&) = delete;

    // Main window creation: loads the current file, initialises the library's table, installs
    // the hooks, applies the command line and builds the schedule.
    void start(std::int32_t mainWindow, const CommandLine& commandLine);
    // Removes the hooks and saves the settings.
    void shutdown();

    void handleHookMessage(const HookMessage& message);
    // Timers of the main window.
    void onScheduleTimer();
    void onStartupTimer();
    void onClearTimer();
    void onHeartbeatTimer();
    void onSyncTimer();

    // The menu record of the Window and Program macros that fit the foreground window and its
    // program, at most 36, in file order.
    TMacroRecord topWindowMenu();

    // Makes `path` the current macro file and loads it (open, new and recent files).
    void openMacroFile(const std::string& path);
    // "&Place On Desktop" for macro j: writes a desktop entry that runs the program with "/A" and
    // the nickname into `desktopDir`. Returns the title and text of the message to show.
    std::pair<std::string, std::string> placeOnDesktop(int j, const std::string& desktopDir,
                                                       const std::string& programPath);

    // One character of a hand-over from another start of the program (0 or less ends it).
    void handOverCharacter(std::int64_t lParam);

    // IDispatchHost
    bool popupMenuShowing() const override { return popupShowing_; }
    bool macroPaused() const override;
    int pausedMacro() const override { return playingMacro_; }
    void resumePause() override { ui_.resumePause(); }
    bool sharedFileChanged() override;
    void reloadSharedFile() override;
    void ActivateMe() override;
    void StartACapture() override;
    // The menu of the Window and Program macros that fit the foreground window.
    void showTopWindowMenu() override;
    int showPopupMenu(const TMacroRecord& menu) override;
    void IntoProgram(const TMacroRecord& macro, bool capsWasOn, std::int32_t hotKeyWindow) override;
    void startClearTimer() override { ui_.startClearTimer(); }

    // ITimedMacroPlayer and IWindowMacroPlayer
    bool readMacroRecord(int j, TMacroRecord& record) override;
    bool macroPlaying() const override;
    void playWaveFile(const std::string& file, bool wait) override { ui_.playWaveFile(file, wait); }
    void playTimedMacro(int j, const TMacroRecord& record) override;
    void playNamedMacro(int j, const TMacroRecord& record) override;
    void setScheduleTimer(bool enabled) override { ui_.setScheduleTimer(enabled); }
    void playWindowMacro(int j, const TMacroRecord& record) override;

    // IMacroHost
    bool lockSharedFile() override;
    void releaseSharedFile(bool changed) override;
    void beforeMacroDelete(int) override {}
    void macroDeleted(int number, bool wasTimed, bool wasPopupMenu) override;
    void macroActiveChanged(int number, bool timed) override;
    bool beginMacroFileSwap(const std::string& path) override;
    void macroFileSwapped(const std::string& previous, const std::string& current) override;

    // ISharedFileHost
    void reloadSharedMacroFile() override { reloadSharedFile(); }
    void setHeartbeatTimer(bool running) override { ui_.setHeartbeatTimer(running); }
    void setSyncTimer(bool running) override { ui_.setSyncTimer(running); }

    TActivationTable& table() { return table_; }
    TAppSettings& settings() { return settings_; }
    MacroStore& store() { return *store_; }
    PlaybackEngine& engine() { return *engine_; }
    HotkeyDispatcher& dispatcher() { return *dispatcher_; }
    Scheduler& scheduler() { return *scheduler_; }
    SharedFileLock& sharedFile() { return *sharedFile_; }
    const ProgramPaths& paths() const { return paths_; }
    // Why the current macro file is kept read-only (damaged or unreadable), or empty.
    const std::string& macroFileReadOnlyReason() const;
    // Writes the configuration file; a failure is shown once (see SettingsSaver).
    bool saveSettings() { return settingsSaver_.save(settings_); }
    SettingsSaver& settingsSaver() { return settingsSaver_; }
    const CommandLine& commandLine() const { return commandLine_; }
    // The key remap tables of the current macro file.
    remap::SwapKeys& swapKeys() { return swapKeys_; }

    // After the index or an activation setting changed: hotkeys, ShortKeys, schedule, the list.
    void indexChanged();

private:
    void play(int j, const TMacroRecord& record, bool capsWasOn, std::int32_t hotKeyWindow);
    // Reads the current macro file's remap tables, saying what was wrong with a damaged file.
    void loadSwapFile();

    TActivationTable& table_;
    TAppSettings& settings_;
    ProgramPaths paths_;
    ResidentPlatform p_;
    SettingsSaver settingsSaver_;
    IResidentUi& ui_;
    CommandLine commandLine_;
    std::unique_ptr<MacroStore> store_;
    std::unique_ptr<WindowControl> control_;
    std::unique_ptr<DesktopFamilies> families_;
    std::unique_ptr<PlaybackEngine> engine_;
    std::unique_ptr<HotkeyDispatcher> dispatcher_;
    std::unique_ptr<ShortKeys> shortKeys_;
    std::unique_ptr<WindowMacros> windowMacros_;
    std::unique_ptr<Scheduler> scheduler_;
    std::unique_ptr<SharedFileLock> sharedFile_;
    HandOverReceiver handOver_;
    remap::SwapKeys swapKeys_;
    HookHandle keyboardHook_ = 0;
    HookHandle mouseHook_ = 0;
    HookHandle windowHook_ = 0;
    bool popupShowing_ = false;
    int playingMacro_ = 0;
    bool capsLockOn_ = false;
};

}  // namespace orv
