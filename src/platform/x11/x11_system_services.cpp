#include "platform/x11/x11_system_services.h"

#include "platform/x11/display_session.h"

namespace orv::x11 {

X11SystemServices::X11SystemServices(IWindowSystem& windows, QtMediaPlayer::WavePlayer playWave)
    : settings_(X11DesktopSettings::create()),
      shell_(X11DesktopShell::create(windows)),
      media_(std::move(playWave)),
      session_(detectDisplaySession()) {}

SystemServices X11SystemServices::services() {
    SystemServices s;
    s.settings = settings_.get();
    s.shell = shell_.get();
    s.mixer = &mixer_;
    s.cd = &cd_;
    s.dialup = &dialup_;
    s.media = &media_;
    s.capabilities = x11ServiceCapabilities(session_);
    return s;
}

}  // namespace orv::x11
