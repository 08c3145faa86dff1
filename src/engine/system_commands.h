#pragma once

#include <string>

#include "engine/command_family.h"
#include "platform/cd_audio.h"
#include "platform/mixer.h"
#include "platform/system_services.h"

namespace orv {

// The step of a mixer control: a twentieth of its range, at least 1.
int mixerStep(const MixerRange& range);

// The position `seconds` forward (positive) or back (negative) from `from` on a disc whose
// track lengths `lengthOf` gives (1..trackCount), frames set to 0. Stays inside the disc:
// before the first track is track 1 at 0:00, past the last is the end of the last track.
template <typename LengthOf>
CdPosition stepCdPosition(const CdPosition& from, int seconds, int trackCount, LengthOf lengthOf);

// The mixer and CD state kept for the whole run.
struct MediaState {
    bool mixerOpen = false;
    bool waveMuted = false;  // mute memory: flipped by each mute command
    bool midiMuted = false;
    bool cdOpen = false;
    char cdDrive = 0;
};

// System settings, desktop and task bar, shell functions, session end, network drives,
// dial-up, mixer, CD, video clips and sounds.
class SystemCommands final : public ICommandFamily {
public:
    explicit SystemCommands(SystemServices services) : s_(services) {}
    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) override;

    const MediaState& media() const { return media_; }

private:
    std::optional<std::size_t> settingsCommand(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd);
    std::optional<std::size_t> desktopCommand(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd);
    std::optional<std::size_t> networkCommand(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd);
    std::optional<std::size_t> mixerCommand(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd);
    std::optional<std::size_t> cdCommand(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd);
    std::optional<std::size_t> clipCommand(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd);

    SystemServices s_;
    MediaState media_;
};

template <typename LengthOf>
CdPosition stepCdPosition(const CdPosition& from, int seconds, int trackCount, LengthOf lengthOf) {
    if (trackCount < 1) return {1, 0, 0, 0};
    int track = from.track < 1 ? 1 : (from.track > trackCount ? trackCount : from.track);
    long long at = static_cast<long long>(from.minute) * 60 + from.second + seconds;
    if (seconds >= 0) {
        for (;;) {
            const long long length = lengthOf(track);
            if (at <= length) break;
            if (track == trackCount) {
                at = length;
                break;
            }
            at -= length;
            ++track;
        }
    } else {
        while (at < 0) {
            if (track == 1) {
                at = 0;
                break;
            }
            --track;
            at += lengthOf(track);
        }
    }
    return {track, static_cast<int>(at / 60), static_cast<int>(at % 60), 0};
}

}  // namespace orv
