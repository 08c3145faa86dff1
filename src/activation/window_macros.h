#pragma once

#include <cstdint>
#include <string>

#include "platform/window_system.h"
#include "platform/activation_table.h"
#include "store/macro_record.h"

namespace orv {

class IHookLibrary;
class WindowControl;

// What window-title macros need from the resident program.
class IWindowMacroPlayer {
public:
    virtual ~IWindowMacroPlayer() = default;
    virtual bool readMacroRecord(int j, TMacroRecord& record) = 0;
    virtual bool macroPlaying() const = 0;
    // CurrentMacro := j, reset the engine's per-run state, playing flag, running tray icon,
    // DoMacro to the end, normal icon. No MacroInUse and no marker key.
    virtual void playWindowMacro(int j, const TMacroRecord& record) = 0;
};

// The activation table's view of the foreground program and the running programs, the last
// active windows, and the macros run when a window with a matching title becomes active.
class WindowMacros {
public:
    static constexpr std::size_t kTitleChars = 255;

    // `ownProgramName`: the upper-cased executable name of this program, whose windows never
    // become the last active window of another program.
    WindowMacros(TActivationTable& table, IHookLibrary& hook, WindowControl& windows, IWindowMacroPlayer& player,
                 std::string ownProgramName);

    // Main window creation: both last active windows are the main window; TopProgram and the
    // running programs start empty and are handed to the hook library.
    void initialise(WindowId mainWindow);

    // The hook library's notice that `window` became active (ignored while closing).
    void windowActivated(WindowId window);
    // The hook library's notice that processes may have started or ended (ignored while closing).
    void processesChanged();

    // Rebuilds RunningPrograms (upper-cased names, at most 200, each at most 25 characters) and
    // hands them to the hook library.
    void SetRunningProgs();
    // Plays, in file order, every active Window Title macro whose text the title contains.
    void CheckForWindowMacros(const std::string& title);
    // The program owning the foreground window, as the system names it; empty when unknown.
    std::string GetTopProgram();

    void setClosing(bool closing) { closing_ = closing; }
    WindowId lastActiveWindow() const { return lastActive_; }
    WindowId lastOtherProgramWindow() const { return lastOther_; }

private:
    TActivationTable& table_;
    IHookLibrary& hook_;
    WindowControl& windows_;
    IWindowMacroPlayer& player_;
    std::string ownProgramName_;
    WindowId lastActive_ = 0;
    WindowId lastOther_ = 0;
    bool closing_ = false;
};

}  // namespace orv
