#pragma once

#include <string>

#include "platform/mixer.h"

struct _snd_mixer;

namespace orv::x11 {

// The mixer module's mixer (the program reaches it through ModuleMixer): the simple mixer
// elements of an ALSA card ("default" unless told): wave volume is PCM,
// MIDI volume the synthesiser (Synth, MIDI), each falling back to Master; the mutes are the
// same elements' playback switches (1 = muted, as the commands count); Treble and Bass are
// the tone controls. A machine without a sound card has no mixer to open.
class AlsaMixer final : public IMixer {
public:
    explicit AlsaMixer(std::string card = "default") : card_(std::move(card)) {}
    ~AlsaMixer() override;
    AlsaMixer(const AlsaMixer&) = delete;
    AlsaMixer& operator=(const AlsaMixer&) = delete;

    bool open() override;
    bool controlRange(MixerControl control, MixerRange& range) override;
    bool value(MixerControl control, ChannelValues& values) override;
    bool setValue(MixerControl control, const ChannelValues& values) override;

private:
    std::string card_;
    _snd_mixer* mixer_ = nullptr;
};

}  // namespace orv::x11
