#include "platform/x11/alsa_mixer.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <vector>

#include "platform/x11/service_module.h"

namespace orv::x11 {

namespace {

bool isMute(MixerControl control) { return control == MixerControl::WaveMute || control == MixerControl::MidiMute; }

std::vector<const char*> elementNames(MixerControl control) {
    switch (control) {
        case MixerControl::WaveVolume:
        case MixerControl::WaveMute:
            return {"PCM", "Master"};
        case MixerControl::MidiVolume:
        case MixerControl::MidiMute:
            return {"Synth", "MIDI", "Master"};
        case MixerControl::Treble:
            return {"Treble"};
        case MixerControl::Bass:
            return {"Bass"};
    }
    return {};
}

// The first element of the control's names that can do what the control needs.
snd_mixer_elem_t* findElement(snd_mixer_t* mixer, MixerControl control) {
    if (mixer == nullptr) return nullptr;
    snd_mixer_handle_events(mixer);  // take in changes made by other programs
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    for (const char* name : elementNames(control)) {
        snd_mixer_selem_id_set_index(id, 0);
        snd_mixer_selem_id_set_name(id, name);
        snd_mixer_elem_t* elem = snd_mixer_find_selem(mixer, id);
        if (elem == nullptr) continue;
        if (isMute(control) ? snd_mixer_selem_has_playback_switch(elem) : snd_mixer_selem_has_playback_volume(elem))
            return elem;
    }
    return nullptr;
}

}  // namespace

AlsaMixer::~AlsaMixer() {
    if (mixer_ != nullptr) snd_mixer_close(mixer_);
}

bool AlsaMixer::open() {
    if (mixer_ != nullptr) return true;
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) < 0) return false;
    if (snd_mixer_attach(mixer, card_.c_str()) < 0 || snd_mixer_selem_register(mixer, nullptr, nullptr) < 0 ||
        snd_mixer_load(mixer) < 0) {
        snd_mixer_close(mixer);
        return false;
    }
    mixer_ = mixer;
    return true;
}

bool AlsaMixer::controlRange(MixerControl control, MixerRange& range) {
    snd_mixer_elem_t* elem = findElement(mixer_, control);
    if (elem == nullptr) return false;
    if (isMute(control)) {
        range = {0, 1};
        return true;
    }
    long minimum = 0, maximum = 0;
    if (snd_mixer_selem_get_playback_volume_range(elem, &minimum, &maximum) < 0) return false;
    range = {static_cast<int>(minimum), static_cast<int>(maximum)};
    return true;
}

bool AlsaMixer::value(MixerControl control, ChannelValues& values) {
    snd_mixer_elem_t* elem = findElement(mixer_, control);
    if (elem == nullptr) return false;
    const bool mono = snd_mixer_selem_is_playback_mono(elem);
    const auto rightChannel = mono ? SND_MIXER_SCHN_MONO : SND_MIXER_SCHN_FRONT_RIGHT;
    if (isMute(control)) {
        int left = 0, right = 0;
        if (snd_mixer_selem_get_playback_switch(elem, SND_MIXER_SCHN_FRONT_LEFT, &left) < 0 ||
            snd_mixer_selem_get_playback_switch(elem, rightChannel, &right) < 0)
            return false;
        values = {left ? 0 : 1, right ? 0 : 1};  // a switched-off channel is muted
        return true;
    }
    long left = 0, right = 0;
    if (snd_mixer_selem_get_playback_volume(elem, SND_MIXER_SCHN_FRONT_LEFT, &left) < 0 ||
        snd_mixer_selem_get_playback_volume(elem, rightChannel, &right) < 0)
        return false;
    values = {static_cast<int>(left), static_cast<int>(right)};
    return true;
}

bool AlsaMixer::setValue(MixerControl control, const ChannelValues& values) {
    snd_mixer_elem_t* elem = findElement(mixer_, control);
    if (elem == nullptr) return false;
    const bool mono = snd_mixer_selem_is_playback_mono(elem);
    if (isMute(control)) {
        if (mono) return snd_mixer_selem_set_playback_switch_all(elem, values.left ? 0 : 1) >= 0;
        return snd_mixer_selem_set_playback_switch(elem, SND_MIXER_SCHN_FRONT_LEFT, values.left ? 0 : 1) >= 0 &&
               snd_mixer_selem_set_playback_switch(elem, SND_MIXER_SCHN_FRONT_RIGHT, values.right ? 0 : 1) >= 0;
    }
    if (mono) return snd_mixer_selem_set_playback_volume_all(elem, values.left) >= 0;
    return snd_mixer_selem_set_playback_volume(elem, SND_MIXER_SCHN_FRONT_LEFT, values.left) >= 0 &&
           snd_mixer_selem_set_playback_volume(elem, SND_MIXER_SCHN_FRONT_RIGHT, values.right) >= 0;
}

}  // namespace orv::x11

// The orvanta-mixer module's entry.
extern "C" {
OrvMixerCreate orv_mixer_create;  // declared through the interface's type
orv::IMixer* orv_mixer_create(const char* card) { return new orv::x11::AlsaMixer(card); }
}
