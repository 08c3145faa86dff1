#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

inline constexpr int kMaxMacros = 500;
inline constexpr int kHotKeyCount = 721;
inline constexpr int kMaxRunningPrograms = 200;

// Activation codes other than hotkeys.
inline constexpr int kCodeTimed = 10000;
inline constexpr int kCodeShortKey = 20000;
inline constexpr int kCodeWindowTitle = 25000;
inline constexpr int kCodeNone = 30000;

// Scope values.
inline constexpr int kScopeGlobal = 1;
inline constexpr int kScopeWindow = 2;
inline constexpr int kScopeProgram = 3;
inline constexpr int kScopePopupMenu = 4;
inline constexpr int kScopeSystem = 5;

// The field groups that each update operation of the hook library copies.
enum class TableGroup {
    Init,       // IsNT, MouseSwapped
    Keys,       // HotKeyInUse, HaveShortKeys
    Item,       // element j of each per-macro array
    NumKeys,    // MacroCount
    Window,     // MainWindow
    Window2,    // PickerWindow, PickerActive, CaptureWindow, CaptureWindowActive
    Capture,    // CaptureMacro, capture options, stop and own keys, state bytes
    CaptureOn,  // CaptureOn
    InUse,      // MacroInUse
    Prog,       // TopProgram
    Progs,      // RunningCount, RunningPrograms
    Waits,      // the four wait flags
    Idle,       // IdleWatch, IdleSeconds
    KeyHook,    // KeyboardHook
    MouseHook,  // MouseHook
};

// The 19788-byte activation block shared byte for byte with the hook library. It is kept as
// raw bytes with accessors at fixed offsets, so its layout is the stored one by construction.
// Per-macro accessors take the 1-based macro number j (1..500).
class TActivationTable {
public:
    static constexpr std::size_t kSize = 19788;

    // Offsets of every field.
    static constexpr std::size_t oMainWindow = 0;
    static constexpr std::size_t oReserved4 = 4;
    static constexpr std::size_t oHotKeyInUse = 17;
    static constexpr std::size_t oCaptureOn = 738;
    static constexpr std::size_t oCaptureMacro = 739;
    static constexpr std::size_t oCaptureState1 = 741;
    static constexpr std::size_t oCaptureDoubleAlt = 742;
    static constexpr std::size_t oMouseHook = 745;
    static constexpr std::size_t oKeyboardHook = 749;
    static constexpr std::size_t oPickerWindow = 753;
    static constexpr std::size_t oPickerActive = 757;
    static constexpr std::size_t oCaptureWindow = 758;
    static constexpr std::size_t oCaptureWindowActive = 762;
    static constexpr std::size_t oStopKeyButton = 763;
    static constexpr std::size_t oStopKeyVK = 765;
    static constexpr std::size_t oStopKeyCtrl = 767;
    static constexpr std::size_t oStopKeyAlt = 768;
    static constexpr std::size_t oStopKeyShift = 769;
    static constexpr std::size_t oStopKeyWin = 770;
    static constexpr std::size_t oCaptureState2 = 771;
    static constexpr std::size_t oOwnKeyValid = 772;
    static constexpr std::size_t oOwnKeyButton = 773;
    static constexpr std::size_t oOwnKeyVK = 775;
    static constexpr std::size_t oOwnKeyCtrl = 777;
    static constexpr std::size_t oOwnKeyAlt = 778;
    static constexpr std::size_t oOwnKeyShift = 779;
    static constexpr std::size_t oOwnKeyWin = 780;
    static constexpr std::size_t oCaptureState3 = 781;
    static constexpr std::size_t oCaptureWindowSize = 782;
    static constexpr std::size_t oMacroInUse = 783;
    static constexpr std::size_t oCaptureKeystrokes = 785;
    static constexpr std::size_t oCaptureMouse = 786;
    static constexpr std::size_t oCaptureClicksOnly = 787;
    static constexpr std::size_t oCaptureRelativeTo = 788;
    static constexpr std::size_t oCaptureTiming = 789;
    static constexpr std::size_t oCaptureStarting = 798;
    static constexpr std::size_t oCaptureWindowSizeCopy = 799;
    static constexpr std::size_t oScope = 816;
    static constexpr std::size_t oWindowTitle = 1816;
    static constexpr std::size_t oActive = 12316;
    static constexpr std::size_t oHotKeyCode = 12816;
    static constexpr std::size_t oTopMostOnly = 13816;
    static constexpr std::size_t oMacroCount = 14316;
    static constexpr std::size_t oReserved14320 = 14320;
    static constexpr std::size_t oIsNT = 14321;
    static constexpr std::size_t oHaveShortKeys = 14322;
    static constexpr std::size_t oTopProgram = 14323;
    static constexpr std::size_t oRunningCount = 14574;
    static constexpr std::size_t oMouseSwapped = 14578;
    static constexpr std::size_t oIdleWatch = 14579;
    static constexpr std::size_t oWaitMouseClick = 14580;
    static constexpr std::size_t oWaitKeyPress = 14581;
    static constexpr std::size_t oWaitText = 14582;
    static constexpr std::size_t oWaitMarker = 14583;
    static constexpr std::size_t oIdleSeconds = 14584;
    static constexpr std::size_t oRunningPrograms = 14588;

    static constexpr std::size_t kTitleChars = 20;
    static constexpr std::size_t kTopProgramChars = 250;
    static constexpr std::size_t kRunningProgramChars = 25;

    TActivationTable() { bytes_.fill(0); }

    const std::array<std::uint8_t, kSize>& bytes() const { return bytes_; }
    std::array<std::uint8_t, kSize>& bytes() { return bytes_; }

    // Copies one update operation's field group (element j for Item) from another table.
    void copyGroup(const TActivationTable& from, TableGroup group, int j = 0);

    // The run-time fields as the program starts: no capture, stop key, wait, idle watch, picker
    // or running program; the main window is `mainWindow` (also as picker and capture window).
    void resetForStart(std::int32_t mainWindow);

    std::int32_t MainWindow() const { return i32(oMainWindow); }
    void setMainWindow(std::int32_t v) { setI32(oMainWindow, v); }

    bool HotKeyInUse(int code) const { return bytes_[oHotKeyInUse + static_cast<std::size_t>(code)] != 0; }
    void setHotKeyInUse(int code, bool v) { bytes_[oHotKeyInUse + static_cast<std::size_t>(code)] = v ? 1 : 0; }

    std::uint8_t u8(std::size_t offset) const { return bytes_[offset]; }
    void setU8(std::size_t offset, std::uint8_t v) { bytes_[offset] = v; }
    std::int16_t i16(std::size_t offset) const;
    void setI16(std::size_t offset, std::int16_t v);
    std::int32_t i32(std::size_t offset) const;
    void setI32(std::size_t offset, std::int32_t v);

    bool CaptureOn() const { return u8(oCaptureOn) != 0; }
    void setCaptureOn(bool v) { setU8(oCaptureOn, v ? 1 : 0); }
    bool MacroInUse() const { return u8(oMacroInUse) != 0; }
    void setMacroInUse(bool v) { setU8(oMacroInUse, v ? 1 : 0); }
    bool PickerActive() const { return u8(oPickerActive) != 0; }
    std::int32_t PickerWindow() const { return i32(oPickerWindow); }
    void setPicker(std::int32_t window, bool active) {
        setI32(oPickerWindow, window);
        setU8(oPickerActive, active ? 1 : 0);
    }
    // Capture window size lives twice in the block; both copies are always written together.
    void setCaptureWindowSize(bool v) {
        setU8(oCaptureWindowSize, v ? 1 : 0);
        setU8(oCaptureWindowSizeCopy, v ? 1 : 0);
    }

    // Per-macro arrays, j = 1..500.
    std::int16_t Scope(int j) const { return i16(oScope + 2 * idx(j)); }
    void setScope(int j, std::int16_t v) { setI16(oScope + 2 * idx(j), v); }
    std::string WindowTitle(int j) const;
    void setWindowTitle(int j, std::string_view title);  // keeps the first 20 characters
    bool Active(int j) const { return bytes_[oActive + idx(j)] != 0; }
    void setActive(int j, bool v) { bytes_[oActive + idx(j)] = v ? 1 : 0; }
    std::int16_t HotKeyCode(int j) const { return i16(oHotKeyCode + 2 * idx(j)); }
    void setHotKeyCode(int j, std::int16_t v) { setI16(oHotKeyCode + 2 * idx(j), v); }
    bool TopMostOnly(int j) const { return bytes_[oTopMostOnly + idx(j)] != 0; }
    void setTopMostOnly(int j, bool v) { bytes_[oTopMostOnly + idx(j)] = v ? 1 : 0; }

    int MacroCount() const { return i32(oMacroCount); }
    void setMacroCount(int v) { setI32(oMacroCount, v); }
    bool IsNT() const { return u8(oIsNT) != 0; }
    bool HaveShortKeys() const { return u8(oHaveShortKeys) != 0; }
    void setHaveShortKeys(bool v) { setU8(oHaveShortKeys, v ? 1 : 0); }

    std::string TopProgram() const;
    void setTopProgram(std::string_view name);
    int RunningCount() const { return i32(oRunningCount); }
    std::string RunningProgram(int i) const;  // i = 1..200
    // Sets RunningCount and the entries (at most 200, each cut to 25 characters).
    void setRunningPrograms(const std::string* names, int count);

    bool MouseSwapped() const { return u8(oMouseSwapped) != 0; }
    bool IdleWatch() const { return u8(oIdleWatch) != 0; }
    void setIdleWatch(bool v) { setU8(oIdleWatch, v ? 1 : 0); }
    std::int32_t IdleSeconds() const { return i32(oIdleSeconds); }
    void setIdleSeconds(std::int32_t v) { setI32(oIdleSeconds, v); }

private:
    static std::size_t idx(int j) { return static_cast<std::size_t>(j - 1); }
    std::array<std::uint8_t, kSize> bytes_;
};

}  // namespace orv
