#pragma once

#include <QSocketNotifier>

#include <memory>

#include "remap/swap_keys.h"

namespace orv::x11 {
class KeyInjector;
class KeymapRemap;
}  // namespace orv::x11

namespace orv {

// The remap tables applied to the X keymap. The typing engine's spare keycodes are never
// remapped and it re-reads the keymap after each change; a new keymap from another program
// gets the remap again as soon as its events arrive.
class X11KeyRemapper final : public remap::IKeyRemapper {
public:
    X11KeyRemapper(std::unique_ptr<x11::KeymapRemap> keymap, x11::KeyInjector& injector);
    ~X11KeyRemapper() override;

    bool remapKeys(const std::vector<remap::Remapping>& remappings) override;
    void restoreKeys() override;

private:
    std::unique_ptr<x11::KeymapRemap> keymap_;
    QSocketNotifier notifier_;
};

}  // namespace orv
