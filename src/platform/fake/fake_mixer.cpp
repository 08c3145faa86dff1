#include "platform/fake/fake_mixer.h"

#include <string>

namespace orv::fake {

bool FakeMixer::open() {
    ++opens_;
    record(std::string("mixer open -> ") + (openable_ ? "ok" : "failed"));
    return openable_;
}

bool FakeMixer::controlRange(MixerControl c, MixerRange& range) {
    const auto& control = controls_[index(c)];
    if (!control) {
        record(std::string("mixer range ") + mixerControlName(c) + " -> missing");
        return false;
    }
    range = control->range;
    record(std::string("mixer range ") + mixerControlName(c) + " -> " + std::to_string(range.minimum) + " " +
           std::to_string(range.maximum));
    return true;
}

bool FakeMixer::value(MixerControl c, ChannelValues& values) {
    const auto& control = controls_[index(c)];
    if (!control) {
        record(std::string("mixer get ") + mixerControlName(c) + " -> missing");
        return false;
    }
    values = control->values;
    record(std::string("mixer get ") + mixerControlName(c) + " -> " + std::to_string(values.left) + " " +
           std::to_string(values.right));
    return true;
}

bool FakeMixer::setValue(MixerControl c, const ChannelValues& values) {
    auto& control = controls_[index(c)];
    record(std::string("mixer set ") + mixerControlName(c) + " " + std::to_string(values.left) + " " +
           std::to_string(values.right));
    if (!control) return false;
    control->values = values;
    return true;
}

}  // namespace orv::fake
