#include "platform/x11/qt_media_player.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include "platform/cp1252.h"
#include "platform/x11/service_module.h"
#include "platform/x11/xlib_util.h"

namespace orv::x11 {

QtMediaPlayer::QtMediaPlayer(WavePlayer playWave) : playWave_(std::move(playWave)) {
    display_ = openDisplay().release();
}

QtMediaPlayer::~QtMediaPlayer() { DisplayCloser{}(display_); }

bool QtMediaPlayer::playSound(const std::string& file, bool wait) {
    // A file that cannot be read plays nothing: there is no default sound to fall back to.
    if (file.empty() || ::access(cp1252ToUtf8(file).c_str(), R_OK) != 0 || !playWave_) return false;
    playWave_(cp1252ToUtf8(file), wait);
    return true;
}

void QtMediaPlayer::beep() {
    if (display_ == nullptr) return;
    XBell(display_, 0);
    XFlush(display_);
}

void QtMediaPlayer::playVideoClip(const std::string& file, VideoStart start) {
    if (videoOpen_) return;
    auto* play = moduleFunction<OrvMediaPlayVideo>(kMediaModule, "orv_media_play_video");
    if (play == nullptr) return;
    videoOpen_ = true;
    play(cp1252ToUtf8(file).c_str(), static_cast<int>(start));
    videoOpen_ = false;
}

void playWaveFile(const std::string& file, bool wait) {
    if (auto* play = moduleFunction<OrvMediaPlayWave>(kMediaModule, "orv_media_play_wave"))
        play(file.c_str(), wait ? 1 : 0);
}

}  // namespace orv::x11
