#pragma once

#include <array>
#include <optional>

#include "platform/fake/transcript.h"
#include "platform/mixer.h"

namespace orv::fake {

// A scripted mixer device: each of the six controls is present (with a range and per-channel
// values) or missing. Lines: `mixer open -> ok`, `mixer range wave-volume -> 0 65535` (or
// `-> missing`), `mixer get wave-volume -> 100 300`, `mixer set wave-volume 3376 3376`.
class FakeMixer final : public IMixer, public Recorder {
public:
    using Recorder::Recorder;

    struct Control {
        MixerRange range;
        ChannelValues values;
    };

    bool open() override;
    bool controlRange(MixerControl control, MixerRange& range) override;
    bool value(MixerControl control, ChannelValues& values) override;
    bool setValue(MixerControl control, const ChannelValues& values) override;

    void setOpenable(bool openable) { openable_ = openable; }
    void setControl(MixerControl control, MixerRange range, ChannelValues values) {
        controls_[index(control)] = Control{range, values};
    }
    void removeControl(MixerControl control) { controls_[index(control)].reset(); }
    const std::optional<Control>& control(MixerControl c) const { return controls_[index(c)]; }
    int openCount() const { return opens_; }

private:
    static std::size_t index(MixerControl c) { return static_cast<std::size_t>(c); }
    std::array<std::optional<Control>, 6> controls_;
    bool openable_ = true;
    int opens_ = 0;
};

}  // namespace orv::fake
