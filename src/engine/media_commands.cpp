// Mixer, audio CD, video clip and sound commands of the system family.
#include <algorithm>

#include "engine/playback_engine.h"
#include "engine/system_command_tables.h"
#include "engine/system_commands.h"
#include "engine/text_fields.h"
#include "platform/cd_audio.h"
#include "platform/media_player.h"
#include "platform/mixer.h"

namespace orv {

namespace {

std::string missingControlText(MixerControl control) {
    switch (control) {
        case MixerControl::WaveVolume:
        case MixerControl::WaveMute:
            return "Audio volume control is not supported by your Audio Device.";
        case MixerControl::MidiVolume:
        case MixerControl::MidiMute:
            return "MIDI volume control is not supported by your Audio Device.";
        case MixerControl::Treble:
            return "Treble volume control is not supported by your Audio Device.";
        case MixerControl::Bass:
            return "Bass volume control is not supported by your Audio Device.";
    }
    return {};
}

}  // namespace

int mixerStep(const MixerRange& range) { return std::max((range.maximum - range.minimum) / 20, 1); }

namespace {

// The channel values a mixer command sets, from the control's range and its current values;
// none when the control is already at the end the command moves it to. A mute command flips
// the mute memory it goes by.
std::optional<ChannelValues> mixedValues(const system_tables::MixerCommand& c, const MixerRange& range,
                                         const ChannelValues& v, MediaState& media) {
    using system_tables::MixerAction;
    const int lo = range.minimum;
    const int hi = range.maximum;
    const int step = mixerStep(range);
    const bool volume = c.control == MixerControl::WaveVolume || c.control == MixerControl::MidiVolume;
    switch (c.action) {
        case MixerAction::Off:
            return ChannelValues{lo, lo};
        case MixerAction::On:
            return ChannelValues{hi, hi};
        case MixerAction::Up:
            if (volume) {
                if (v.left >= hi || v.right >= hi) return std::nullopt;
                return ChannelValues{std::min(v.left + step, hi), std::min(v.right + step, hi)};
            }
            // Treble and bass follow the left channel.
            if (v.left >= hi) return std::nullopt;
            return ChannelValues{std::min(v.left + step, hi), std::min(v.left + step, hi)};
        case MixerAction::Down:
            if (volume) {
                if (v.left <= lo || v.right <= lo) return std::nullopt;
                return ChannelValues{std::max(v.left - step, lo), std::max(v.right - step, lo)};
            }
            if (v.left <= lo) return std::nullopt;
            return ChannelValues{std::max(v.left - step, lo), std::max(v.left - step, lo)};
        case MixerAction::Left:
            return v.left < v.right ? ChannelValues{std::min(v.left + step, v.right), v.right}
                                    : ChannelValues{v.left, std::max(v.right - step, lo)};
        case MixerAction::Right:
            return v.right < v.left ? ChannelValues{v.left, std::min(v.right + step, v.left)}
                                    : ChannelValues{std::max(v.left - step, lo), v.right};
        case MixerAction::Center:
            return ChannelValues{std::max(v.left, v.right), std::max(v.left, v.right)};
        case MixerAction::Mute: {
            bool& muted = c.control == MixerControl::WaveMute ? media.waveMuted : media.midiMuted;
            const int value = muted ? lo : hi;
            muted = !muted;
            return ChannelValues{value, value};
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::size_t> SystemCommands::mixer(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
    const auto it = std::find_if(std::begin(system_tables::kMixerCommands), std::end(system_tables::kMixerCommands),
                                 [&](const system_tables::MixerCommand& m) { return m.id == cmd.id; });
    const std::size_t next = cmd.end(run.pos);
    IMixer* mixer = s_.mixer;
    if (!mixer) return next;
    if (!media_.mixerOpen) media_.mixerOpen = mixer->open();
    MixerRange range;
    ChannelValues v;
    if (!media_.mixerOpen || !mixer->controlRange(it->control, range) || !mixer->value(it->control, v)) {
        engine.DoAMessage("Macro Error", missingControlText(it->control));
        return next;
    }
    if (const std::optional<ChannelValues> set = mixedValues(*it, range, v, media_)) mixer->setValue(it->control, *set);
    return next;
}

// The CD commands; "<CDGOTO:" plays a track, "<CDSTEP:" and "<CDBACK:" move by seconds.
std::optional<std::size_t> SystemCommands::cd(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
    const bool stepped = cmd.layout.fieldCount > 0;
    if (stepped && !closedAt(run.text, run.pos, cmd)) return std::nullopt;
    const std::size_t next = cmd.end(run.pos);
    ICdAudio* cd = s_.cd;
    if (!cd) return next;
    if (!media_.cdOpen) media_.cdOpen = cd->open(media_.cdDrive);
    if (!media_.cdOpen) return next;
    const int number = stepped ? static_cast<int>(fieldNumber(run.text, run.pos, cmd.field(0))) : 0;
    switch (cmd.id) {
        case CommandId::Cdplay:
            cd->play();
            break;
        case CommandId::Cdstop:
            cd->stop();
            break;
        case CommandId::Cdpause:
            cd->pause();
            break;
        case CommandId::Cdnext:
            cd->nextTrack();
            break;
        case CommandId::Cdprev:
            cd->previousTrack();
            break;
        case CommandId::Cdeject:
            cd->openDoor();
            break;
        case CommandId::Cdclose:
            cd->closeDoor();
            break;
        case CommandId::Cdgoto:
            // A track the disc does not have cannot be played; the command then has no effect.
            if (number >= 1 && number <= cd->trackCount()) cd->playFrom({number, 0, 0, 0});
            break;
        default:
            cd->playFrom(stepCdPosition(cd->position(), cmd.id == CommandId::Cdstep ? number : -number,
                                        cd->trackCount(), [cd](int track) {
                                            const CdLength length = cd->trackLength(track);
                                            return static_cast<long long>(length.minute) * 60 + length.second;
                                        }));
            break;
    }
    return next;
}

// "<AVI:" opens a video clip for the user to play, "<AVII:" plays it, "<AVIE:" plays and closes it.
std::optional<std::size_t> SystemCommands::video(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
    const FreeText file = textParameter(run.text, run.pos, cmd);
    IMediaPlayer* media = s_.media;
    if (!media) return file.next;
    if (media->videoPlayerOpen()) {
        engine.DoAMessage("Error", "AVI Player currently in use.");
        return file.next;
    }
    const VideoStart start = cmd.id == CommandId::Avi    ? VideoStart::UserPlays
                             : cmd.id == CommandId::Avii ? VideoStart::PlayNow
                                                         : VideoStart::PlayAndClose;
    media->playVideoClip(std::string(file.value), start);
    return file.next;
}

// "<WAV1:" plays a sound and waits for its end; "<WAV2:" does not wait.
std::optional<std::size_t> SystemCommands::waveFile(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
    const FreeText file = textParameter(run.text, run.pos, cmd);
    if (s_.media) s_.media->playSound(std::string(file.value), cmd.id == CommandId::Wav1);
    return file.next;
}

std::optional<std::size_t> SystemCommands::beep(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
    if (s_.media) s_.media->beep();
    return cmd.end(run.pos);
}

}  // namespace orv
