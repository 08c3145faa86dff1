#pragma once

#include <cstdint>

#include "platform/activation_table.h"
#include "platform/capabilities.h"

namespace orv {

// Message numbers the hook library posts (WM_USER + n).
inline constexpr int kWmUser = 0x400;
enum class HookMsg : int {
    PickerHotKey = 1,     // to the picker window: WParam = hotkey code
    HotKey = 2,           // code (+0x8000 Caps Lock on); foreground window
    CaptureText = 3,      // macro index; character
    CaptureEnd = 4,       // macro index
    Abort = 5,            // abort the playing macro
    ShortKeyChar = 6,     // 0, 1 reset, 2 Caps Lock on; character
    WindowActivated = 7,  // activated window
    DebugLine = 8,        // any
    CapsLock = 9,         // Caps Lock state
    Marker = 12,          // MacroInUse := 0
    ProcessesChanged = 13,
    WaitClick = 14,   // button 1..3 during WaitMouseClick
    WaitKey = 15,     // key during WaitKeyPress
    WaitText = 16,    // 1 reset; character, during WaitText
    WaitMarker = 17,  // WaitMarker := 0
};

inline constexpr std::int64_t kHotKeyCapsFlag = 0x8000;

// One message from the hook library, addressed to a window (the main window, the picker
// window or the capture window).
struct HookMessage {
    HookMsg msg{};
    std::int64_t wParam = 0;
    std::int64_t lParam = 0;
    std::int32_t window = 0;

    int number() const { return kWmUser + static_cast<int>(msg); }
    friend bool operator==(const HookMessage&, const HookMessage&) = default;
};

// Where the library posts its messages. Implementations must accept posts from any thread;
// the messages are handled on the main thread in the order they were posted.
class IHookMessageSink {
public:
    virtual ~IHookMessageSink() = default;
    virtual void postHookMessage(const HookMessage& message) = 0;
};

using HookHandle = std::int32_t;

// The system-wide hook library. It keeps its own copy of the activation table; each update
// operation copies one field group from the program's table (TActivationTable::copyGroup).
class IHookLibrary {
public:
    virtual ~IHookLibrary() = default;

    virtual HookHandle OrvHookKeyboard() = 0;
    virtual HookHandle OrvHookMouse() = 0;
    virtual HookHandle OrvHookCBT() = 0;
    virtual HookHandle OrvHookSwap() = 0;
    virtual bool OrvUnHook(HookHandle handle) = 0;

    virtual void OrvUpInit(const TActivationTable& table) = 0;
    virtual void OrvUpKeys(const TActivationTable& table) = 0;
    virtual void OrvUpItem(const TActivationTable& table, int j) = 0;
    virtual void OrvUpNumKeys(const TActivationTable& table) = 0;
    virtual void OrvUpWindow(const TActivationTable& table) = 0;
    virtual void OrvUpWindow2(const TActivationTable& table) = 0;
    virtual void OrvUpCapture(const TActivationTable& table) = 0;
    virtual void OrvUpCaptureOn(const TActivationTable& table) = 0;
    virtual void OrvUpInUse(const TActivationTable& table) = 0;
    virtual void OrvUpProg(const TActivationTable& table) = 0;
    virtual void OrvUpProgs(const TActivationTable& table) = 0;
    virtual void OrvUpWaits(const TActivationTable& table) = 0;
    virtual void OrvUpIdle(const TActivationTable& table) = 0;
    virtual void OrvUpKeyHook(const TActivationTable& table) = 0;
    virtual void OrvUpMouseHook(const TActivationTable& table) = 0;

    // Writes the seconds without user input into the program's IdleSeconds; 0 when there was
    // input since the previous call.
    virtual void OrvGetIdle(TActivationTable& table) = 0;

    // How far its hotkeys, typed characters, window events and idle time reach in this session.
    virtual Capabilities capabilities() const { return {}; }
};

}  // namespace orv
