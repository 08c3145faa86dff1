#pragma once

#include <memory>
#include <optional>
#include <string>

#include "activation/capture_control.h"
#include "activation/command_line.h"
#include "activation/hook_start.h"
#include "activation/hotkey_dispatch.h"
#include "activation/open_macro_file.h"
#include "activation/resident_actions.h"
#include "activation/resident_ui.h"
#include "activation/scheduler.h"
#include "activation/window_macros.h"
#include "platform/macro_host.h"
#include "engine/system_commands.h"
#include "platform/hook_library.h"
#include "remap/remapper_model.h"
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

// The resident program without its windows: the macro index, the playback engine and every
// activation (hotkeys, ShortKeys, window titles, schedules, the command line), driven by the
// hook library's messages and the main window's timers. Everything runs on the main thread.
class Resident final : public IDispatchHost,
                       public ITimedMacroPlayer,
                       public IWindowMacroPlayer,
                       public IMacroHost,
                       public ISharedFileHost,
                       public IResidentActions {
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

    // The menu record of the Window and Program macros that fit the foreground window and its
    // program, at most 36, in file order.
    TMacroRecord topWindowMenu();

    // One character of a hand-over from another start of the program (0 or less ends it).
    void handOverCharacter(std::int64_t lParam);

    // IResidentActions
    BrowseMode browseMode() const override { return commandLine_.browseMode(); }
    bool popupMenuShowing() const override { return popupShowing_; }
    std::string iconsDir() const override { return paths_.iconsDir(); }
    const std::string& macroFileReadOnlyReason() const override;
    IMacroFile& macroFile() override { return *macroFile_; }
    void onScheduleTimer() override;
    void onStartupTimer() override;
    void onClearTimer() override;
    void onHeartbeatTimer() override;
    void onSyncTimer() override;
    void abortMacro() override;
    void openMacroFile(const std::string& path) override;
    void indexChanged() override;
    Outcome placeOnDesktop(int j, const std::string& desktopDir, const std::string& programPath) override;
    Outcome applyShortKeyOptions(const ShortKeyOptionsModel& model) override;
    SystemKeysModel systemKeys() const override { return SystemKeysModel(table_, settings_); }
    Outcome applySystemKeys(const SystemKeysModel& model) override;
    void SetSecWind(std::int32_t window, bool on) override;
    void saveSettings() override;
    void applyNetworkOptions(const NetworkOptionsModel& model) override;

    // IDispatchHost
    bool macroPaused() const override;
    int pausedMacro() const override { return playingMacro_; }
    void resumePause() override { ui_.resumePause(); }
    bool sharedFileChanged() override;
    void reloadSharedFile() override;
    void ActivateMe() override;
    void openTrayMenu(int j) override;
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

    // The key remap tables of the current macro file.
    remap::SwapKeys& swapKeys() { return swapKeys_; }
    // IResidentActions: "&Remap" and the Tools menu's hook restoring
    std::optional<remap::RemapperModel> beginRemap() override;
    void endRemap(const remap::RemapperModel& model) override;
    void restoreKeyboardHooks() override;
    void restoreMouseHooks() override;
    // IResidentActions: capture
    bool captureRunning() const override { return capture_->busy(); }
    std::optional<capture::CaptureMacroRequest> beginCapture(const capture::CaptureTarget& target) override;
    Outcome startCapture(const capture::CaptureMacroChoice& choice) override;
    void cancelCapture() override { capture_->cancel(); }
    void endCapture() override { capture_->endNow(); }
    Outcome recordKeys(std::uintmax_t inlineLimit, capture::RecordingDone done) override;
    std::string captureStopKeyName() const override { return capture_->stopKeyName(); }

    // IResidentActions: the editors. The keyboard hook is off while any editor is open (nested
    // editors count) and comes back when the last one closes, if it was on.
    void UnHookTheKeyboard() override;
    void HookTheKeyboard() override;
    void clearShortKeyBuffer() override;
    std::vector<std::string> windowTitleList() override;
    std::vector<std::string> programNameList() override;
    bool dialUpAvailable() const override;

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
    std::unique_ptr<OpenMacroFile> macroFile_;
    std::unique_ptr<CaptureControl> capture_;
    HandOverReceiver handOver_;
    remap::SwapKeys swapKeys_;
    HookHandles hooks_;
    bool popupShowing_ = false;
    int playingMacro_ = 0;
    bool capsLockOn_ = false;
    int keyboardPauses_ = 0;
    bool rehookKeyboard_ = false;
};

}  // namespace orv
