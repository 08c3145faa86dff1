#pragma once

#include "platform/capabilities.h"

namespace orv {

class IDesktopSettings;
class IDesktopShell;
class INetworkDrives;
class IDialUp;
class IMixer;
class ICdAudio;
class IMediaPlayer;
class IWindowSystem;
class TActivationTable;

// What the system, desktop and multimedia commands work with. A missing service leaves the
// commands that need it without effect.
struct SystemServices {
    IDesktopSettings* settings = nullptr;
    IDesktopShell* shell = nullptr;
    IWindowSystem* windows = nullptr;
    INetworkDrives* network = nullptr;
    IDialUp* dialup = nullptr;
    IMixer* mixer = nullptr;
    ICdAudio* cd = nullptr;
    IMediaPlayer* media = nullptr;
    const TActivationTable* table = nullptr;  // IsNT: shutting down needs the privilege
    // How far typing, window control, the pointer and the desktop settings reach in this
    // session; a command that needs one the session lacks says so.
    Capabilities capabilities{};
};

}  // namespace orv
