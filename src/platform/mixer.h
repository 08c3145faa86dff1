#pragma once

namespace orv {

// The mixer controls playback uses, by their fixed numbers.
enum class MixerControl : int {
    MidiVolume = 0,
    WaveVolume = 1,
    MidiMute = 2,
    WaveMute = 3,
    Treble = 4,
    Bass = 5,
};

const char* mixerControlName(MixerControl control);

struct MixerRange {
    int minimum = 0;
    int maximum = 0;
};

struct ChannelValues {
    int left = 0;
    int right = 0;
    friend bool operator==(const ChannelValues&, const ChannelValues&) = default;
};

// The default sound mixer device.
class IMixer {
public:
    virtual ~IMixer() = default;
    // Opens the default mixer; false when there is none.
    virtual bool open() = 0;
    // The range of a control; false when the device lacks it.
    virtual bool controlRange(MixerControl control, MixerRange& range) = 0;
    virtual bool value(MixerControl control, ChannelValues& values) = 0;
    virtual bool setValue(MixerControl control, const ChannelValues& values) = 0;
};

}  // namespace orv
