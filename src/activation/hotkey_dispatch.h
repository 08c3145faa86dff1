#pragma once

#include <cstdint>
#include <string>

#include "platform/hook_library.h"
#include "platform/user_prompt.h"
#include "platform/activation_table.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv {

class IKeyboardInput;
class IMouseInput;
class IMessagePump;
class MacroStore;
class WindowControl;

// What the dispatcher asks of the resident program around it: its busy states, the windows it
// shows and the playback engine.
class IDispatchHost {
public:
    virtual ~IDispatchHost() = default;

    virtual bool popupMenuShowing() const = 0;
    // A macro is halted in a PAUSE; pausedMacro() is its index.
    virtual bool macroPaused() const = 0;
    virtual int pausedMacro() const = 0;
    virtual void resumePause() = 0;

    // The macro file is shared and another user changed it since it was last read.
    virtual bool sharedFileChanged() = 0;
    // Reloads it: tray icons, macro file, key remapping, list, hotkeys, commands, schedule.
    virtual void reloadSharedFile() = 0;

    virtual void ActivateMe() = 0;
    virtual void StartACapture() = 0;
    // The popup menu of the macros whose window or program scope fits the foreground window.
    virtual void showTopWindowMenu() = 0;
    // Shows a popup-menu macro's menu modally (with the popup-menu busy state set and the main
    // window out of the way) and returns the chosen macro index, or -1 when cancelled.
    virtual int showPopupMenu(const TMacroRecord& menu) = 0;

    // Plays a macro (does nothing when one is already playing): per-run reset, Caps Lock off
    // when it was on, the running tray icon, the engine to the end, the normal icon.
    virtual void IntoProgram(const TMacroRecord& macro, bool capsWasOn, std::int32_t hotKeyWindow) = 0;
    // Starts (or restarts) the 15-second timer whose expiry calls clearMacroInUse().
    virtual void startClearTimer() = 0;
};

// Messages of the busy refusals.
inline constexpr const char* kPopupBusyText =
    "A current Popup Menu macro is being displayed. Another macro cannot be executed until either a choice is made "
    "from the Popup Menu or it is cancelled.";
inline constexpr const char* kCaptureBusyText =
    "A macro is currently being recorded. Another macro cannot be executed until the recording is completed.";
inline constexpr const char* kPauseBusyText =
    "A current playback macro is in the middle of a PAUSE. Another macro cannot be executed until the PAUSE is "
    "either cancelled or resumed.";

// Marker key posted after a macro that a hotkey, ShortKey or name started.
inline constexpr std::uint8_t kMarkerKey = 43;

// Hotkey dispatch: the hotkey message, the scope-aware lookup, running a macro by index and the
// system macros. Runs on the main thread.
class HotkeyDispatcher {
public:
    struct Services {
        TActivationTable& table;
        TAppSettings& settings;
        MacroStore& store;
        IHookLibrary& hook;
        IUserPrompt& prompt;
        WindowControl& windows;
        IKeyboardInput& keyboard;
        IMouseInput& mouse;
        IMessagePump& pump;
        IDispatchHost& host;
    };

    explicit HotkeyDispatcher(Services services) : s_(services) {}

    // WParam bits of a hotkey message that carries a macro index instead of a hotkey code, as a
    // popup menu's tray icon sends it.
    static constexpr std::int64_t kMacroIndexFlag = 0x4000;
    static constexpr std::int64_t kTrayFlag = 0x1000;

    // The hook library's hotkey message: WParam = code (+0x8000 Caps Lock on, +0x4000 a macro
    // index from a popup-menu tray icon), LParam = the foreground window at the press (or before the
    // tray click).
    void handleHotKey(std::int64_t wParam, std::int64_t lParam);

    // The macro a hotkey code runs, taking scope into account; 0 when none.
    int GetMacro(int code);

    // Plays macro j (a popup menu shows its menu first). Index 0 or below does nothing.
    void runMacro(int j);

    // The marker key came back, or the clear timer expired.
    void clearMacroInUse();

    // A dialog's hotkey field takes (on) or gives back (off) the pressed hotkeys.
    void SetSecWind(std::int32_t window, bool on);

    int CurrentMacro() const { return currentMacro_; }
    std::int32_t HotKeyWindow() const { return hotKeyWindow_; }
    void setHotKeyWindow(std::int32_t window) { hotKeyWindow_ = window; }
    bool CapsWasOn() const { return capsWasOn_; }

    // The index of the system macro with this code ("1".."4"), or 0.
    int systemMacro(char code) const;

private:
    void warn(const char* text);
    void postKey(std::uint8_t vk, bool up);
    void replayHotKey(int code);
    void runSystemMacro(int j);

    Services s_;
    int currentMacro_ = 0;
    std::int32_t hotKeyWindow_ = 0;
    bool capsWasOn_ = false;
    TMacroRecord menuBuffer_;
};

}  // namespace orv
