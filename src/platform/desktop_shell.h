#pragma once

#include <string>

#include "platform/window_system.h"

namespace orv {

// Functions of the desktop shell that need its automation interface.
enum class ShellFunction : int {
    MinimizeAll = 0,
    UndoMinimizeAll = 1,
    Suspend = 2,
    EjectPC = 3,
    SetTime = 4,  // the date and time dialog
    FindComputer = 5,
    FindFiles = 6,
    FileRun = 7,  // the Run dialog
};

const char* shellFunctionName(ShellFunction function);

// How a session ends.
namespace exit_flags {
inline constexpr int kLogOff = 0;
inline constexpr int kShutdown = 1;
inline constexpr int kReboot = 2;
inline constexpr int kPowerOff = 8;
}  // namespace exit_flags

// The desktop as a whole: arranging its windows, the task bar, the shell's functions and
// folders, and ending the session.
class IDesktopShell {
public:
    virtual ~IDesktopShell() = default;

    virtual void cascadeWindows() = 0;
    virtual void tileWindows(bool horizontal) = 0;
    virtual void hideTaskBar() = 0;
    // Shows the task bar again and tells the shell the rectangle its bar occupies.
    virtual void showTaskBar(const WindowRect& barRect) = 0;

    // Whether the shell's automation functions can be used.
    virtual bool shellAutomationAvailable() = 0;
    virtual void shellFunction(ShellFunction function) = 0;
    // Opens one of the shell's special folders (by its folder number) in a file manager.
    virtual void exploreSpecialFolder(int folder) = 0;

    // The right to shut the machine down, for systems that need it; false when refused.
    virtual bool setShutdownPrivilege(bool enable) = 0;
    virtual bool exitSession(int flags) = 0;
};

}  // namespace orv
