#pragma once

#include "engine/mouse_commands.h"
#include "engine/system_commands.h"
#include "engine/wait_commands.h"
#include "engine/window_commands.h"

namespace orv {

class IHookLibrary;
class IMouseInput;
class IThreadSleep;
class IWindowSystem;
class PlaybackEngine;
class TActivationTable;
class WindowControl;

// The command families that work on the desktop (window, wait, mouse and system), built
// together from the services they need and registered with an engine together.
struct DesktopFamilies {
    // The system commands get `table` and, unless `systemServices` names its own, `windowSystem`.
    DesktopFamilies(WindowControl& windowControl, IHookLibrary& hooks, TActivationTable& table, IThreadSleep& sleeper,
                    IMouseInput& mouseInput, IWindowSystem& windowSystem, SystemServices systemServices);

    // Registers the four families with `engine`.
    void registerWith(PlaybackEngine& engine);
    // Every window the window routines bring to the front becomes the window `engine` plays in
    // (its HotKeyWindow).
    void followActivations(PlaybackEngine& engine);

    WindowControl& control;
    WindowCommands windows;
    WaitCommands waits;
    MouseCommands mouse;
    SystemCommands system;
};

}  // namespace orv
