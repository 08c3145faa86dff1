#pragma once

#include <set>
#include <string>

#include "platform/fake/transcript.h"
#include "platform/media_player.h"

namespace orv::fake {

// Sounds, beep and the video clip player as a recorder. Lines:
// `sound play "ding.wav" wait=yes -> ok` (or `-> failed` for a file set unplayable), `beep`,
// `video open -> no`, `video play "clip.avi" start=user|now|play-and-close`.
class FakeMediaPlayer final : public IMediaPlayer, public Recorder {
public:
    using Recorder::Recorder;

    bool playSound(const std::string& file, bool wait) override;
    void beep() override { record("beep"); }
    bool videoPlayerOpen() override;
    void playVideoClip(const std::string& file, VideoStart start) override;

    void setUnplayable(const std::string& file) { unplayable_.insert(file); }
    void setVideoPlayerOpen(bool open) { videoOpen_ = open; }

private:
    std::set<std::string> unplayable_;
    bool videoOpen_ = false;
};

}  // namespace orv::fake
