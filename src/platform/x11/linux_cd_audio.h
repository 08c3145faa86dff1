#pragma once

#include <string>
#include <vector>

#include "platform/cd_audio.h"
#include "platform/unique_fd.h"

namespace orv::x11 {

// The first CD drive the kernel lists (/proc/sys/dev/cdrom/info), played through the Linux
// CD-ROM ioctls: the drive plays the disc's audio itself. Without a drive nothing opens.
class LinuxCdAudio final : public ICdAudio {
public:
    explicit LinuxCdAudio(std::string driveListFile = "/proc/sys/dev/cdrom/info")
        : driveListFile_(std::move(driveListFile)) {}
    ~LinuxCdAudio() override;
    LinuxCdAudio(const LinuxCdAudio&) = delete;
    LinuxCdAudio& operator=(const LinuxCdAudio&) = delete;

    bool open(char& drive) override;
    void play() override;
    void playFrom(const CdPosition& start) override;
    void stop() override;
    void pause() override;
    void nextTrack() override;
    void previousTrack() override;
    CdPosition position() override;
    int trackCount() override;
    CdLength trackLength(int track) override;
    void openDoor() override;
    void closeDoor() override;

private:
    int firstTrack();
    // The start of a track (or the lead-out for one past the last) in frames from the disc's
    // start; -1 when unknown.
    long trackStart(int track);
    void playFromFrame(long frame);
    std::string driveListFile_;
    UniqueFd fd_;
    bool paused_ = false;
};

// The device names on the "drive name:" line of the kernel's CD-ROM list, lowest number first.
std::vector<std::string> cdDriveNames(const std::string& infoText);

}  // namespace orv::x11
