#include "activation/hotkey_dispatch.h"

#include "activation/hotkey_table.h"
#include "engine/ansi_upper.h"
#include "engine/window_control.h"
#include "platform/keyboard_input.h"
#include "platform/message_pump.h"
#include "platform/mouse_input.h"
#include "store/macro_store.h"
#include "platform/virtual_keys.h"

namespace orv {

namespace {

constexpr std::size_t kForegroundTitleChars = 255;

}  // namespace

void HotkeyDispatcher::warn(const char* text) { s_.prompt.messageBox("Warning", text); }

void HotkeyDispatcher::postKey(std::uint8_t vk, bool up) { s_.keyboard.keyEvent(vk, s_.keyboard.scanCodeFor(vk), up); }

int HotkeyDispatcher::systemMacro(char code) const {
    for (int j = 1; j <= s_.table.MacroCount(); ++j) {
        const std::string title = s_.table.WindowTitle(j);
        if (s_.table.Scope(j) == kScopeSystem && !title.empty() && title[0] == code) return j;
    }
    return 0;
}

void HotkeyDispatcher::handleHotKey(std::int64_t wParam, std::int64_t lParam) {
    if (s_.host.popupMenuShowing()) return warn(kPopupBusyText);
    if (s_.table.CaptureOn()) return warn(kCaptureBusyText);
    if ((wParam & kMacroIndexFlag) != 0) {
        hotKeyWindow_ = static_cast<std::int32_t>(lParam);
        runMacro(static_cast<int>(wParam & ~(kMacroIndexFlag | kTrayFlag)));
        return;
    }
    const bool capsOn = (wParam & kHotKeyCapsFlag) != 0;
    const int code = static_cast<int>(wParam & ~kHotKeyCapsFlag);
    if (s_.host.macroPaused()) {
        const int resume = systemMacro('3');
        if ((resume != 0 && s_.table.HotKeyCode(resume) == code) || GetMacro(code) == s_.host.pausedMacro()) {
            if (capsOn) {
                postKey(kVkCapital, false);
                postKey(kVkCapital, true);
            }
            s_.host.resumePause();
        } else {
            warn(kPauseBusyText);
        }
        return;
    }
    if (capsOn) {
        if (!s_.table.MacroInUse()) capsWasOn_ = true;
    } else if (!s_.table.MacroInUse()) {
        capsWasOn_ = false;
    }
    hotKeyWindow_ = static_cast<std::int32_t>(lParam);

    if (s_.host.sharedFileChanged()) {
        s_.host.reloadSharedFile();
        replayHotKey(code);
        return;
    }
    for (int j = 1; j <= s_.table.MacroCount(); ++j) {
        if (s_.table.Scope(j) == kScopeSystem && s_.table.HotKeyCode(j) == code) {
            runSystemMacro(j);
            return;
        }
    }
    currentMacro_ = GetMacro(code);
    runMacro(currentMacro_);
}

void HotkeyDispatcher::replayHotKey(int code) {
    const DecodedHotKey key = DecipherKey(code);
    if (key.win) postKey(92, false);
    if (key.alt) postKey(18, false);
    if (key.ctrl) postKey(17, false);
    if (key.shift) postKey(16, false);
    if (key.mouseButton != 0) {
        s_.pump.waitFor(50);
        using namespace mouse_flags;
        const std::uint32_t down = key.mouseButton == 1 ? kLeftDown : key.mouseButton == 2 ? kRightDown : kMiddleDown;
        const std::uint32_t up = key.mouseButton == 1 ? kLeftUp : key.mouseButton == 2 ? kRightUp : kMiddleUp;
        s_.mouse.mouseEvent(down, 0, 0, 0);
        s_.mouse.mouseEvent(up, 0, 0, 0);
    } else {
        postKey(static_cast<std::uint8_t>(key.virtualKey), false);
        postKey(static_cast<std::uint8_t>(key.virtualKey), true);
    }
    if (key.shift) postKey(16, true);
    if (key.ctrl) postKey(17, true);
    if (key.alt) postKey(18, true);
    if (key.win) postKey(92, true);
}

int HotkeyDispatcher::GetMacro(int code) {
    const int count = s_.table.MacroCount();
    // Focused pass: a Window or Program macro that fits the foreground window. Only such a
    // macro needs the foreground window, whose title costs round trips to the display server on
    // the way to every hotkey.
    bool scoped = false;
    for (int j = 1; j <= count && !scoped; ++j) {
        const int scope = s_.table.Scope(j);
        scoped =
            s_.table.Active(j) && s_.table.HotKeyCode(j) == code && (scope == kScopeWindow || scope == kScopeProgram);
    }
    const WindowId foreground = scoped ? s_.windows.windows().foregroundWindow() : 0;
    if (foreground != 0) {
        std::string title = s_.windows.windows().windowTitle(foreground);
        if (title.size() > kForegroundTitleChars) title.resize(kForegroundTitleChars);
        title = ansiUpper(title);
        if (title.find("PAUSE (") == std::string::npos) {
            const std::string topProgram = s_.table.TopProgram();
            for (int j = 1; j <= count; ++j) {
                if (!s_.table.Active(j) || s_.table.HotKeyCode(j) != code) continue;
                const std::string wanted = ansiUpper(s_.table.WindowTitle(j));
                const int scope = s_.table.Scope(j);
                if ((scope == kScopeWindow && title.find(wanted) != std::string::npos) ||
                    (scope == kScopeProgram && topProgram.find(wanted) != std::string::npos)) {
                    hotKeyWindow_ = static_cast<std::int32_t>(foreground);
                    return j;
                }
            }
        }
    }
    // Second pass: running windows and programs, else the last Global, Popup Menu or System one.
    code &= 0x7FFF;
    int candidate = 0;
    for (int j = 1; j <= count; ++j) {
        if (!s_.table.Active(j) || s_.table.HotKeyCode(j) != code) continue;
        const int scope = s_.table.Scope(j);
        if (scope == kScopeGlobal || scope == kScopePopupMenu || scope == kScopeSystem) {
            candidate = j;
        } else if (scope == kScopeWindow && !s_.table.TopMostOnly(j)) {
            if (s_.windows.ActivateIt(s_.table.WindowTitle(j))) return j;
        } else if (scope == kScopeProgram && !s_.table.TopMostOnly(j)) {
            const std::string wanted = ansiUpper(s_.table.WindowTitle(j));
            for (int i = 1; i <= std::min(s_.table.RunningCount(), kMaxRunningPrograms); ++i) {
                if (s_.table.RunningProgram(i).find(wanted) != std::string::npos) {
                    s_.windows.ActivateProg(s_.table.WindowTitle(j));
                    return j;
                }
            }
        }
    }
    return candidate;
}

void HotkeyDispatcher::runSystemMacro(int j) {
    const std::string title = s_.table.WindowTitle(j);
    switch (title.empty() ? '\0' : title[0]) {
        case '1':
            s_.host.ActivateMe();
            break;
        case '2':
            s_.host.StartACapture();
            break;
        case '4':
            s_.host.showTopWindowMenu();
            break;
        default:  // "3" acts only while a macro is paused, which the hotkey message handles
            break;
    }
}

void HotkeyDispatcher::runMacro(int j) {
    // A popup menu may choose another popup menu; each choice is the user's, so this loop only
    // goes on while the user keeps choosing.
    while (j > 0 && j <= s_.table.MacroCount()) {
        if (!s_.store.ReadMacroRecord(j, menuBuffer_)) return;
        if (menuBuffer_.isPopupMenu()) {
            j = s_.host.showPopupMenu(menuBuffer_);
            continue;
        }
        if (menuBuffer_.Scope == kScopeSystem) {
            runSystemMacro(j);
            return;
        }
        currentMacro_ = j;
        s_.table.setMacroInUse(true);
        s_.hook.OrvUpInUse(s_.table);
        s_.host.IntoProgram(menuBuffer_, capsWasOn_, hotKeyWindow_);
        postKey(kMarkerKey, false);
        postKey(kMarkerKey, true);
        s_.host.startClearTimer();
        return;
    }
}

void HotkeyDispatcher::clearMacroInUse() {
    if (!s_.table.MacroInUse()) return;
    s_.table.setMacroInUse(false);
    s_.hook.OrvUpInUse(s_.table);
}

void HotkeyDispatcher::SetSecWind(std::int32_t window, bool on) {
    s_.table.setPicker(window, on);
    s_.hook.OrvUpWindow2(s_.table);
}

}  // namespace orv
