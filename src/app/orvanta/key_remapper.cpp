#include "app/orvanta/key_remapper.h"

#include "platform/x11/key_injector.h"
#include "platform/x11/keymap_remap.h"

namespace orv {

X11KeyRemapper::X11KeyRemapper(std::unique_ptr<x11::KeymapRemap> keymap, x11::KeyInjector& injector)
    : keymap_(std::move(keymap)), notifier_(keymap_->connectionNumber(), QSocketNotifier::Read) {
    keymap_->setReserved([&injector](int keycode) { return injector.isSpare(keycode); });
    keymap_->setOnChange([&injector] { injector.reloadKeymap(); });
    QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { keymap_->processEvents(); });
}

X11KeyRemapper::~X11KeyRemapper() = default;

bool X11KeyRemapper::remapKeys(const std::vector<remap::Remapping>& remappings) {
    std::vector<x11::KeyRemap> remaps;
    remaps.reserve(remappings.size());
    for (const remap::Remapping& r : remappings) remaps.push_back({static_cast<std::uint8_t>(r.typed), r.produced});
    const bool ok = keymap_->apply(remaps);
    // Events read while the change was made never wake the notifier: handle them now.
    keymap_->processEvents();
    return ok;
}

void X11KeyRemapper::restoreKeys() {
    keymap_->restore();
    keymap_->processEvents();
}

}  // namespace orv
