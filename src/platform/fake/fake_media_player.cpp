#include "platform/fake/trace_quoted.h"
#include "platform/fake/fake_media_player.h"

namespace orv::fake {

bool FakeMediaPlayer::playSound(const std::string& file, bool wait) {
    const bool ok = unplayable_.count(file) == 0;
    record("sound play " + traceQuoted(file) + " wait=" + (wait ? "yes" : "no") + " -> " + (ok ? "ok" : "failed"));
    return ok;
}

bool FakeMediaPlayer::videoPlayerOpen() {
    record(std::string("video open -> ") + (videoOpen_ ? "yes" : "no"));
    return videoOpen_;
}

void FakeMediaPlayer::playVideoClip(const std::string& file, VideoStart start) {
    const char* how = start == VideoStart::UserPlays ? "user" : start == VideoStart::PlayNow ? "now" : "play-and-close";
    record("video play " + traceQuoted(file) + " start=" + how);
}

}  // namespace orv::fake
