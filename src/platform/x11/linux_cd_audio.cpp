#include "platform/x11/linux_cd_audio.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace orv::x11 {

namespace {

constexpr long kFramesPerSecond = CD_FRAMES;  // 75

long framesOf(const cdrom_msf0& msf) {
    return (static_cast<long>(msf.minute) * 60 + msf.second) * kFramesPerSecond + msf.frame;
}

cdrom_msf0 msfOf(long frames) {
    cdrom_msf0 msf{};
    msf.minute = static_cast<unsigned char>(frames / (60 * kFramesPerSecond));
    msf.second = static_cast<unsigned char>(frames / kFramesPerSecond % 60);
    msf.frame = static_cast<unsigned char>(frames % kFramesPerSecond);
    return msf;
}

}  // namespace

std::vector<std::string> cdDriveNames(const std::string& infoText) {
    std::istringstream in(infoText);
    std::string line;
    std::vector<std::string> names;
    while (std::getline(in, line)) {
        if (line.rfind("drive name:", 0) != 0) continue;
        std::istringstream fields(line.substr(11));
        std::string name;
        while (fields >> name) names.push_back(name);
    }
    // The kernel lists the newest drive first; sr0 before sr1, sr9 before sr10.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return names;
}

LinuxCdAudio::~LinuxCdAudio() = default;

bool LinuxCdAudio::open(char& drive) {
    if (!fd_) {
        std::ifstream in(driveListFile_);
        std::stringstream text;
        text << in.rdbuf();
        const std::vector<std::string> names = cdDriveNames(text.str());
        if (names.empty()) return false;
        fd_.reset(::open(("/dev/" + names.front()).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (!fd_) return false;
    }
    drive = 'D';  // the letter a first CD drive gets after the system disk
    return true;
}

int LinuxCdAudio::firstTrack() {
    cdrom_tochdr header{};
    if (!fd_ || ::ioctl(fd_.get(), CDROMREADTOCHDR, &header) != 0) return 1;
    return header.cdth_trk0;
}

int LinuxCdAudio::trackCount() {
    cdrom_tochdr header{};
    if (!fd_ || ::ioctl(fd_.get(), CDROMREADTOCHDR, &header) != 0) return 0;
    return header.cdth_trk1 - header.cdth_trk0 + 1;
}

long LinuxCdAudio::trackStart(int track) {
    if (!fd_) return -1;
    cdrom_tocentry entry{};
    entry.cdte_track = static_cast<unsigned char>(track > trackCount() ? CDROM_LEADOUT : firstTrack() + track - 1);
    entry.cdte_format = CDROM_MSF;
    if (::ioctl(fd_.get(), CDROMREADTOCENTRY, &entry) != 0) return -1;
    return framesOf(entry.cdte_addr.msf);
}

CdLength LinuxCdAudio::trackLength(int track) {
    if (track < 1 || track > trackCount()) return {};
    const long from = trackStart(track), to = trackStart(track + 1);
    if (from < 0 || to < from) return {};
    const long seconds = (to - from) / kFramesPerSecond;
    return {static_cast<int>(seconds / 60), static_cast<int>(seconds % 60)};
}

void LinuxCdAudio::playFromFrame(long frame) {
    const long end = trackStart(trackCount() + 1);
    if (frame < 0 || end <= frame) return;
    cdrom_msf msf{};
    const cdrom_msf0 from = msfOf(frame), to = msfOf(end - 1);
    msf.cdmsf_min0 = from.minute;
    msf.cdmsf_sec0 = from.second;
    msf.cdmsf_frame0 = from.frame;
    msf.cdmsf_min1 = to.minute;
    msf.cdmsf_sec1 = to.second;
    msf.cdmsf_frame1 = to.frame;
    if (::ioctl(fd_.get(), CDROMPLAYMSF, &msf) == 0) paused_ = false;
}

void LinuxCdAudio::play() {
    if (!fd_) return;
    if (paused_ && ::ioctl(fd_.get(), CDROMRESUME) == 0) {
        paused_ = false;
        return;
    }
    playFrom(position());
}

void LinuxCdAudio::playFrom(const CdPosition& start) {
    const long track = trackStart(start.track);
    if (track < 0) return;
    playFromFrame(track + (static_cast<long>(start.minute) * 60 + start.second) * kFramesPerSecond + start.frame);
}

void LinuxCdAudio::stop() {
    if (fd_ && ::ioctl(fd_.get(), CDROMSTOP) == 0) paused_ = false;
}

void LinuxCdAudio::pause() {
    if (fd_ && ::ioctl(fd_.get(), CDROMPAUSE) == 0) paused_ = true;
}

void LinuxCdAudio::nextTrack() {
    const int track = position().track;
    if (track < trackCount()) playFrom({track + 1, 0, 0, 0});
}

void LinuxCdAudio::previousTrack() { playFrom({std::max(position().track - 1, 1), 0, 0, 0}); }

CdPosition LinuxCdAudio::position() {
    cdrom_subchnl sub{};
    sub.cdsc_format = CDROM_MSF;
    if (!fd_ || ::ioctl(fd_.get(), CDROMSUBCHNL, &sub) != 0 || sub.cdsc_trk == 0) return {1, 0, 0, 0};
    const int track = sub.cdsc_trk - firstTrack() + 1;
    return {std::max(track, 1), sub.cdsc_reladdr.msf.minute, sub.cdsc_reladdr.msf.second, sub.cdsc_reladdr.msf.frame};
}

void LinuxCdAudio::openDoor() {
    if (fd_) ::ioctl(fd_.get(), CDROMEJECT);
}

void LinuxCdAudio::closeDoor() {
    if (fd_) ::ioctl(fd_.get(), CDROMCLOSETRAY);
}

}  // namespace orv::x11
