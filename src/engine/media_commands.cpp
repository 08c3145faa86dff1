// Mixer, audio CD, video clip and sound commands of the system family.
#include <algorithm>

#include "engine/playback_engine.h"
#include "engine/system_commands.h"
#include "engine/text_fields.h"
#include "platform/cd_audio.h"
#include "platform/media_player.h"
#include "platform/mixer.h"

namespace orv {

namespace {

enum class MixerAction { Off, On, Up, Down, Left, Right, Center, Mute };

struct MixerCommand {
    CommandId id;
    MixerControl control;
    MixerAction action;
};

constexpr MixerCommand kMixerCommands[] = {
    {CommandId::Audoff, MixerControl::WaveVolume, MixerAction::Off},
    {CommandId::Audon, MixerControl::WaveVolume, MixerAction::On},
    {CommandId::Audup, MixerControl::WaveVolume, MixerAction::Up},
    {CommandId::Auddown, MixerControl::WaveVolume, MixerAction::Down},
    {CommandId::Audmute, MixerControl::WaveMute, MixerAction::Mute},
    {CommandId::Audleft, MixerControl::WaveVolume, MixerAction::Left},
    {CommandId::Audright, MixerControl::WaveVolume, MixerAction::Right},
    {CommandId::Audcenter, MixerControl::WaveVolume, MixerAction::Center},
    {CommandId::Trebup, MixerControl::Treble, MixerAction::Up},
    {CommandId::Trebdown, MixerControl::Treble, MixerAction::Down},
    {CommandId::Midioff, MixerControl::MidiVolume, MixerAction::Off},
    {CommandId::Midion, MixerControl::MidiVolume, MixerAction::On},
    {CommandId::Midiup, MixerControl::MidiVolume, MixerAction::Up},
    {CommandId::Mididown, MixerControl::MidiVolume, MixerAction::Down},
    {CommandId::Midimute, MixerControl::MidiMute, MixerAction::Mute},
    {CommandId::Midileft, MixerControl::MidiVolume, MixerAction::Left},
    {CommandId::Midiright, MixerControl::MidiVolume, MixerAction::Right},
    {CommandId::Midicenter, MixerControl::MidiVolume, MixerAction::Center},
    {CommandId::Bassup, MixerControl::Bass, MixerAction::Up},
    {CommandId::Bassdown, MixerControl::Bass, MixerAction::Down},
};

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

std::optional<std::size_t> SystemCommands::mixerCommand(PlaybackEngine& engine, Interpretation& run,
                                                        const CommandSpec& cmd) {
    const auto it = std::find_if(std::begin(kMixerCommands), std::end(kMixerCommands),
                                 [&](const MixerCommand& m) { return m.id == cmd.id; });
    if (it == std::end(kMixerCommands)) return std::nullopt;
    const std::size_t next = run.pos + cmd.tag.size();
    IMixer* mixer = s_.mixer;
    if (!mixer) return next;
    if (!media_.mixerOpen) media_.mixerOpen = mixer->open();
    MixerRange range;
    ChannelValues v;
    if (!media_.mixerOpen || !mixer->controlRange(it->control, range) || !mixer->value(it->control, v)) {
        engine.DoAMessage("Macro Error", missingControlText(it->control));
        return next;
    }
    const int lo = range.minimum;
    const int hi = range.maximum;
    const int step = mixerStep(range);
    const bool volume = it->control == MixerControl::WaveVolume || it->control == MixerControl::MidiVolume;
    std::optional<ChannelValues> set;
    switch (it->action) {
        case MixerAction::Off:
            set = ChannelValues{lo, lo};
            break;
        case MixerAction::On:
            set = ChannelValues{hi, hi};
            break;
        case MixerAction::Up:
            if (volume) {
                if (v.left >= hi || v.right >= hi) break;
                set = ChannelValues{std::min(v.left + step, hi), std::min(v.right + step, hi)};
            } else if (v.left < hi) {  // treble and bass follow the left channel
                const int value = std::min(v.left + step, hi);
                set = ChannelValues{value, value};
            }
            break;
        case MixerAction::Down:
            if (volume) {
                if (v.left <= lo || v.right <= lo) break;
                set = ChannelValues{std::max(v.left - step, lo), std::max(v.right - step, lo)};
            } else if (v.left > lo) {
                const int value = std::max(v.left - step, lo);
                set = ChannelValues{value, value};
            }
            break;
        case MixerAction::Left:
            set = v.left < v.right ? ChannelValues{std::min(v.left + step, v.right), v.right}
                                   : ChannelValues{v.left, std::max(v.right - step, lo)};
            break;
        case MixerAction::Right:
            set = v.right < v.left ? ChannelValues{v.left, std::min(v.right + step, v.left)}
                                   : ChannelValues{std::max(v.left - step, lo), v.right};
            break;
        case MixerAction::Center: {
            const int louder = std::max(v.left, v.right);
            set = ChannelValues{louder, louder};
            break;
        }
        case MixerAction::Mute: {
            bool& muted = it->control == MixerControl::WaveMute ? media_.waveMuted : media_.midiMuted;
            const int value = muted ? lo : hi;
            set = ChannelValues{value, value};
            muted = !muted;
            break;
        }
    }
    if (set) mixer->setValue(it->control, *set);
    return next;
}

std::optional<std::size_t> SystemCommands::cdCommand(PlaybackEngine&, Interpretation& run, const CommandSpec& cmd) {
    const std::string_view text = run.text;
    const std::size_t at = run.pos;
    const bool stepped = cmd.id == CommandId::Cdgoto || cmd.id == CommandId::Cdstep || cmd.id == CommandId::Cdback;
    switch (cmd.id) {
        case CommandId::Cdplay:
        case CommandId::Cdstop:
        case CommandId::Cdpause:
        case CommandId::Cdnext:
        case CommandId::Cdprev:
        case CommandId::Cdeject:
        case CommandId::Cdclose:
        case CommandId::Cdgoto:
        case CommandId::Cdstep:
        case CommandId::Cdback:
            break;
        default:
            return std::nullopt;
    }
    if (stepped && !charAt(text, at, 10, '>')) return std::nullopt;
    const std::size_t next = stepped ? at + 11 : at + cmd.tag.size();
    ICdAudio* cd = s_.cd;
    if (!cd) return next;
    if (!media_.cdOpen) media_.cdOpen = cd->open(media_.cdDrive);
    if (!media_.cdOpen) return next;
    const int number = static_cast<int>(fieldNumber(text, at, 8, 2));
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
        default: {
            const CdPosition from = cd->position();
            const int count = cd->trackCount();
            const int seconds = cmd.id == CommandId::Cdstep ? number : -number;
            cd->playFrom(stepCdPosition(from, seconds, count, [cd](int track) {
                const CdLength length = cd->trackLength(track);
                return static_cast<long long>(length.minute) * 60 + length.second;
            }));
            break;
        }
    }
    return next;
}

std::optional<std::size_t> SystemCommands::clipCommand(PlaybackEngine& engine, Interpretation& run,
                                                       const CommandSpec& cmd) {
    IMediaPlayer* media = s_.media;
    switch (cmd.id) {
        case CommandId::Avi:
        case CommandId::Avii:
        case CommandId::Avie: {
            const FreeText file = freeText(run.text, run.pos + cmd.tag.size());
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
        case CommandId::Wav1:
        case CommandId::Wav2: {
            const FreeText file = freeText(run.text, run.pos + 6);
            if (media) media->playSound(std::string(file.value), cmd.id == CommandId::Wav1);
            return file.next;
        }
        case CommandId::Beep:
            if (media) media->beep();
            return run.pos + cmd.tag.size();
        default:
            return std::nullopt;
    }
}

}  // namespace orv
