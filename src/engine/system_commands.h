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
    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) override;

    const MediaState& media() const { return media_; }

private:
    using Result = std::optional<std::size_t>;
    // System settings.
    Result keyboardDelay(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result numberSetting(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result screenSaver(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result displayMode(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    IDesktopSettings* desktopSettings(PlaybackEngine& engine);
    Result wallpaper(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result defaultPrinter(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    // The desktop, the shell and the session.
    Result shellCommand(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result arrangeWindows(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result taskBar(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result emptyBin(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result explore(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result endSession(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    // Network drives and dial-up connections.
    Result networkDrive(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result dial(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result hangUp(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    // The mixer, the audio CD, video clips and sounds (media_commands.cpp).
    Result mixer(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result cd(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result video(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result waveFile(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result beep(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    // The dial-up service when it answers; otherwise its message has been shown.
    IDialUp* availableDialUp(PlaybackEngine& engine);

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
