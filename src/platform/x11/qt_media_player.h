#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/media_player.h"

struct _XDisplay;

namespace orv::x11 {

// Sounds through the program's wave player (the one the scheduler's reminder sound uses), the
// beep through the X server's bell, and the modal "Video Clip Player" window through the media
// module (Qt Multimedia, loaded when first needed). Main thread only; needs a QApplication for
// the video window.
class QtMediaPlayer final : public IMediaPlayer {
public:
    // Plays a sound file; with wait, returns when it has ended.
    using WavePlayer = std::function<void(const std::string& file, bool wait)>;

    explicit QtMediaPlayer(WavePlayer playWave);
    ~QtMediaPlayer() override;

    bool playSound(const std::string& file, bool wait) override;
    void beep() override;
    bool videoPlayerOpen() override { return videoOpen_; }
    void playVideoClip(const std::string& file, VideoStart start) override;

private:
    WavePlayer playWave_;
    _XDisplay* display_ = nullptr;  // for the bell; none without a display
    bool videoOpen_ = false;
};

// Plays a sound file (UTF-8 path) through the media module; with wait, returns when it has
// ended. Main thread only, with a QApplication. Nothing plays when the module is missing.
void playWaveFile(const std::string& file, bool wait);

}  // namespace orv::x11
