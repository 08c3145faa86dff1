#pragma once

#include "platform/system_services.h"
#include "platform/fake/fake_desktop.h"

namespace orv::fake {

// The fake desktop's settings, shell, windows, network, dial-up and multimedia as the system
// commands' services (without the activation table).
inline SystemServices systemServicesOf(FakeDesktop& d) {
    SystemServices s;
    s.settings = &d.settings;
    s.shell = &d.shell;
    s.windows = &d.windows;
    s.network = &d.network;
    s.dialup = &d.dialup;
    s.mixer = &d.mixer;
    s.cd = &d.cd;
    s.media = &d.media;
    return s;
}

}  // namespace orv::fake
