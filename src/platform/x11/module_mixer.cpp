#include "platform/x11/module_mixer.h"

#include "platform/x11/service_module.h"

namespace orv::x11 {

IMixer* ModuleMixer::mixer() {
    if (!loaded_) {
        loaded_ = true;
        if (auto* create = moduleFunction<OrvMixerCreate>(kMixerModule, "orv_mixer_create"))
            mixer_.reset(create(card_.c_str()));
    }
    return mixer_.get();
}

bool ModuleMixer::open() { return mixer() != nullptr && mixer_->open(); }

bool ModuleMixer::controlRange(MixerControl control, MixerRange& range) {
    return mixer() != nullptr && mixer_->controlRange(control, range);
}

bool ModuleMixer::value(MixerControl control, ChannelValues& values) {
    return mixer() != nullptr && mixer_->value(control, values);
}

bool ModuleMixer::setValue(MixerControl control, const ChannelValues& values) {
    return mixer() != nullptr && mixer_->setValue(control, values);
}

}  // namespace orv::x11
