#pragma once

#include <memory>

#include "platform/system_services.h"
#include "platform/x11/linux_cd_audio.h"
#include "platform/x11/module_mixer.h"
#include "platform/x11/nmcli_dialup.h"
#include "platform/x11/qt_media_player.h"
#include "platform/x11/x11_desktop_settings.h"
#include "platform/x11/x11_desktop_shell.h"

namespace orv::x11 {

// The real desktop, sound, CD and network services of the system commands, owned together
// for the run of the program.
class X11SystemServices {
public:
    // The window system arranges windows; the wave player is the program's own.
    X11SystemServices(IWindowSystem& windows, QtMediaPlayer::WavePlayer playWave);

    // The services for the system commands (no display: no settings and no shell), with how
    // far they reach on this kind of X server.
    SystemServices services();

private:
    std::unique_ptr<X11DesktopSettings> settings_;
    std::unique_ptr<X11DesktopShell> shell_;
    ModuleMixer mixer_;
    LinuxCdAudio cd_;
    NmcliDialUp dialup_;
    QtMediaPlayer media_;
    DisplaySession session_;
};

}  // namespace orv::x11
