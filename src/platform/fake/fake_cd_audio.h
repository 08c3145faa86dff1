#pragma once

#include <vector>

#include "platform/cd_audio.h"
#include "platform/fake/transcript.h"

namespace orv::fake {

// A scripted audio CD: track lengths, the current position and the door. Lines:
// `cd open -> D:` (or `-> none`), `cd play`, `cd play-from 3 1:05.0`, `cd stop`, `cd pause`,
// `cd next`, `cd previous`, `cd position -> 2 1:05.0`, `cd tracks -> 10`, `cd length 2 -> 3:45`,
// `cd door open`, `cd door close`.
class FakeCdAudio final : public ICdAudio, public Recorder {
public:
    using Recorder::Recorder;

    bool open(char& drive) override;
    void play() override { record("cd play"); }
    void playFrom(const CdPosition& start) override;
    void stop() override { record("cd stop"); }
    void pause() override { record("cd pause"); }
    void nextTrack() override;
    void previousTrack() override;
    CdPosition position() override;
    int trackCount() override;
    CdLength trackLength(int track) override;
    void openDoor() override { record("cd door open"); }
    void closeDoor() override { record("cd door close"); }

    void setDrive(char drive) { drive_ = drive; }  // 0: no CD drive
    void setTracks(std::vector<CdLength> tracks) { tracks_ = std::move(tracks); }
    void setPosition(const CdPosition& p) { position_ = p; }
    const CdPosition& current() const { return position_; }

private:
    char drive_ = 'D';
    std::vector<CdLength> tracks_;
    CdPosition position_{};
};

std::string cdPositionText(const CdPosition& p);

}  // namespace orv::fake
