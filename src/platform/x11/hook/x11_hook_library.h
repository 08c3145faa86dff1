#pragma once

#include <chrono>
#include <memory>
#include <vector>

#include "platform/hook_library.h"

namespace orv::x11 {

class InjectionLog;

// The system-wide hook library on X11. One thread with its own X connection watches the
// input (XInput2 raw events), grabs the hotkeys in use on the root window, answers the marker
// key, follows the active window (_NET_ACTIVE_WINDOW), the process list (/proc) and Caps
// Lock, and posts numbered messages to the sink. The library keeps its own copy of the
// activation table, updated one field group per update call under a lock; the thread reads
// only that copy.
//
// Input is the user's unless the program injected it itself: the injector logs what it sends
// (injectionLog()), and the XTest events that match the log are the program's own. Input that
// other programs inject (on-screen keyboards, remote desktops, xdotool) counts as the user's.
//
// The abort key is Pause (Ctrl+Break is the same key): the user's press of it posts the abort
// message; the program's own presses do not.
class X11HookLibrary final : public IHookLibrary {
public:
    explicit X11HookLibrary(IHookMessageSink& sink);
    ~X11HookLibrary() override;
    X11HookLibrary(const X11HookLibrary&) = delete;
    X11HookLibrary& operator=(const X11HookLibrary&) = delete;

    // False when there is no X display to watch: every hook then fails with handle 0.
    bool available() const;

    HookHandle OrvHookKeyboard() override;
    HookHandle OrvHookMouse() override;
    HookHandle OrvHookCBT() override;
    // Key remapping is not available on X11 yet: always 0.
    HookHandle OrvHookSwap() override;
    bool OrvUnHook(HookHandle handle) override;

    void OrvUpInit(const TActivationTable& table) override;
    void OrvUpKeys(const TActivationTable& table) override;
    void OrvUpItem(const TActivationTable& table, int j) override;
    void OrvUpNumKeys(const TActivationTable& table) override;
    void OrvUpWindow(const TActivationTable& table) override;
    void OrvUpWindow2(const TActivationTable& table) override;
    void OrvUpCapture(const TActivationTable& table) override;
    void OrvUpCaptureOn(const TActivationTable& table) override;
    void OrvUpInUse(const TActivationTable& table) override;
    void OrvUpProg(const TActivationTable& table) override;
    void OrvUpProgs(const TActivationTable& table) override;
    void OrvUpWaits(const TActivationTable& table) override;
    void OrvUpIdle(const TActivationTable& table) override;
    void OrvUpKeyHook(const TActivationTable& table) override;
    void OrvUpMouseHook(const TActivationTable& table) override;
    void OrvGetIdle(TActivationTable& table) override;
    // Everything on a plain X server; under XWayland only while an X11 window has the focus.
    Capabilities capabilities() const override;

    // Blocks until the hook thread has acted on every update and hook call made so far (the
    // grabs of the current hotkeys are in place), or the deadline passes.
    bool waitUntilApplied(std::chrono::milliseconds deadline);
    // Hotkey codes in use whose combination the server refused (another client owns it).
    std::vector<int> refusedHotKeys() const;
    // Whether the marker key is currently waited for (the table copy's WaitMarker).
    bool waitingForMarker() const;
    // Where the program's injector logs the input it sends.
    InjectionLog& injectionLog();

private:
    struct Impl;
    void update(const TActivationTable& table, TableGroup group, int j = 0);
    std::unique_ptr<Impl> impl_;
    DisplaySession session_;
};

}  // namespace orv::x11
