#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/hook_library.h"
#include "platform/unique_fd.h"

namespace orv::wayland {

class SwayIpc;

// sway's name of a hotkey's key combination ("Mod4+Ctrl+Mod1+Shift+f1": Win, Ctrl, Alt, Shift,
// then the key's keysym on a US layout); empty for mouse-button hotkeys and keys without a keysym.
std::string swayKeyCombination(int code);

// The binding number of the abort key (Pause); 0 to 720 are hotkey codes.
inline constexpr int kAbortBinding = kHotKeyCount;

// The binding number that a "binding" event (its JSON payload) reports for the bindings tagged
// `tag`; nothing for other bindings.
std::optional<int> bindingOfEvent(std::string_view eventJson, std::string_view tag);

// The hook library of a wlroots compositor's session. No client sees other clients' keys there.
// Under sway, though, a bound key combination runs a command and sway reports it to the clients
// that ask: the hotkeys in use are bound through sway's IPC socket ("bindsym --no-repeat <keys>
// nop <tag> <code>") and a thread with a connection of its own reads the "binding" events and
// posts the hotkey messages. The tag names this run, so that bindings of other programs and runs
// are never taken for ours. Without sway no hotkey is bound (each is refused).
//
// The bindings in place are written down in a ledger file, with the socket of the sway that
// holds them: a run that ended without removing them (killed, crashed) leaves them there, and
// the next start in the same sway session removes them.
//
// While a macro started by a hotkey, a ShortKey, its name or a window title plays (the table's
// MacroInUse), the abort key (Pause) is bound as well; the rest of the time Pause belongs to the
// windows.
//
// Window activations come from whoever follows the compositor's windows (windowActivated), the
// marker key from the keyboard (markerKeyTyped). Typed characters and idle time are not seen:
// those hooks do nothing.
class WaylandHookLibrary final : public IHookLibrary {
public:
    // Binds hotkeys when SWAYSOCK names a sway that answers; `ledgerPath` may be empty (no ledger).
    static std::unique_ptr<WaylandHookLibrary> create(IHookMessageSink& sink, std::string ledgerPath);
    ~WaylandHookLibrary() override;
    WaylandHookLibrary(const WaylandHookLibrary&) = delete;
    WaylandHookLibrary& operator=(const WaylandHookLibrary&) = delete;

    HookHandle OrvHookKeyboard() override;
    HookHandle OrvHookMouse() override { return 0; }
    HookHandle OrvHookCBT() override;
    HookHandle OrvHookSwap() override { return 0; }
    bool OrvUnHook(HookHandle handle) override;

    void OrvUpInit(const TActivationTable& table) override;
    void OrvUpKeys(const TActivationTable& table) override;
    void OrvUpItem(const TActivationTable&, int) override {}
    void OrvUpNumKeys(const TActivationTable&) override {}
    void OrvUpWindow(const TActivationTable&) override {}
    void OrvUpWindow2(const TActivationTable& table) override;
    void OrvUpCapture(const TActivationTable&) override {}
    void OrvUpCaptureOn(const TActivationTable&) override {}
    void OrvUpInUse(const TActivationTable& table) override;
    void OrvUpProg(const TActivationTable&) override {}
    void OrvUpProgs(const TActivationTable&) override {}
    void OrvUpWaits(const TActivationTable& table) override;
    void OrvUpIdle(const TActivationTable&) override {}
    void OrvUpKeyHook(const TActivationTable&) override {}
    void OrvUpMouseHook(const TActivationTable&) override {}
    void OrvGetIdle(TActivationTable& table) override;
    // Window events everywhere, hotkeys everywhere under sway; nothing of the rest.
    Capabilities capabilities() const override;

    // The marker key the program typed has been taken by the compositor: posts what the X11
    // hook posts when it sees the key come back.
    void markerKeyTyped();
    // A window became the active one (or the active one has a new title): posted while the
    // window hook is on.
    void windowActivated(std::int64_t window);
    // Hotkey codes in use that sway refused to bind or that have no sway name, with sway's
    // combination ("" when none).
    std::map<int, std::string> refusedHotKeys() const;
    // Removes every binding of this run (also done at destruction).
    void unbindAll();

private:
    WaylandHookLibrary(IHookMessageSink& sink, std::unique_ptr<SwayIpc> commands, std::unique_ptr<SwayIpc> events,
                       std::string ledgerPath);
    void setHotKeys(const TActivationTable& table);
    // Binds a combination to a binding number (once); false when sway refused it.
    bool bind(int binding, const std::string& combination);
    void unbind(int binding);
    void clearLeftovers();
    void writeLedger() const;
    void listen();

    IHookMessageSink& sink_;
    std::unique_ptr<SwayIpc> commands_;  // the main thread's; none without sway
    std::unique_ptr<SwayIpc> events_;    // the listening thread's; none without sway
    std::string ledgerPath_;
    std::string swaySocket_;
    std::string tag_;
    std::map<int, std::string> bound_;  // binding number -> combination
    mutable std::mutex refusedMutex_;
    std::map<int, std::string> refused_;
    std::atomic<bool> macroInUse_{false};
    bool windowHook_ = false;
    std::atomic<bool> waitMarker_{false};
    std::atomic<bool> pickerActive_{false};
    std::atomic<std::int32_t> pickerWindow_{0};
    UniqueFd wakeRead_;
    UniqueFd wakeWrite_;
    std::thread thread_;
};

}  // namespace orv::wayland
