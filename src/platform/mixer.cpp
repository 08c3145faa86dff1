#include "platform/mixer.h"

namespace orv {

const char* mixerControlName(MixerControl control) {
    switch (control) {
        case MixerControl::MidiVolume:
            return "midi-volume";
        case MixerControl::WaveVolume:
            return "wave-volume";
        case MixerControl::MidiMute:
            return "midi-mute";
        case MixerControl::WaveMute:
            return "wave-mute";
        case MixerControl::Treble:
            return "treble";
        case MixerControl::Bass:
            return "bass";
    }
    return "unknown";
}

}  // namespace orv
