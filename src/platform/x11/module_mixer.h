#pragma once

#include <memory>
#include <string>

#include "platform/mixer.h"

namespace orv::x11 {

// The sound card's mixer from the mixer module, opened when a command first uses it. Without
// the module it behaves as a machine without a sound card: nothing opens.
class ModuleMixer final : public IMixer {
public:
    explicit ModuleMixer(std::string card = "default") : card_(std::move(card)) {}

    bool open() override;
    bool controlRange(MixerControl control, MixerRange& range) override;
    bool value(MixerControl control, ChannelValues& values) override;
    bool setValue(MixerControl control, const ChannelValues& values) override;

private:
    IMixer* mixer();

    std::string card_;
    std::unique_ptr<IMixer> mixer_;
    bool loaded_ = false;
};

}  // namespace orv::x11
