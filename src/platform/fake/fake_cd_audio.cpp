#include "platform/fake/fake_cd_audio.h"

#include <string>

namespace orv::fake {

namespace {
std::string two(int v) { return (v < 10 && v >= 0 ? "0" : "") + std::to_string(v); }
}  // namespace

std::string cdPositionText(const CdPosition& p) {
    return std::to_string(p.track) + " " + std::to_string(p.minute) + ":" + two(p.second) + "." +
           std::to_string(p.frame);
}

bool FakeCdAudio::open(char& drive) {
    if (drive_ == 0) {
        record("cd open -> none");
        return false;
    }
    drive = drive_;
    record(std::string("cd open -> ") + drive_ + ":");
    return true;
}

void FakeCdAudio::playFrom(const CdPosition& start) {
    position_ = start;
    record("cd play-from " + cdPositionText(start));
}

void FakeCdAudio::nextTrack() {
    if (position_.track < static_cast<int>(tracks_.size())) position_ = {position_.track + 1, 0, 0, 0};
    record("cd next");
}

void FakeCdAudio::previousTrack() {
    if (position_.track > 1) position_ = {position_.track - 1, 0, 0, 0};
    record("cd previous");
}

CdPosition FakeCdAudio::position() {
    record("cd position -> " + cdPositionText(position_));
    return position_;
}

int FakeCdAudio::trackCount() {
    record("cd tracks -> " + std::to_string(tracks_.size()));
    return static_cast<int>(tracks_.size());
}

CdLength FakeCdAudio::trackLength(int track) {
    CdLength length{};
    if (track >= 1 && track <= static_cast<int>(tracks_.size())) length = tracks_[static_cast<std::size_t>(track - 1)];
    record("cd length " + std::to_string(track) + " -> " + std::to_string(length.minute) + ":" + two(length.second));
    return length;
}

}  // namespace orv::fake
