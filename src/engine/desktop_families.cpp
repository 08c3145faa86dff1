#include "engine/desktop_families.h"

#include <cstdint>

#include "engine/playback_engine.h"
#include "engine/window_control.h"

namespace orv {

namespace {

SystemServices withDesktop(SystemServices s, IWindowSystem& windowSystem, const TActivationTable& table) {
    if (s.windows == nullptr) s.windows = &windowSystem;
    s.table = &table;
    return s;
}

}  // namespace

DesktopFamilies::DesktopFamilies(WindowControl& windowControl, IHookLibrary& hooks, TActivationTable& table,
                                 IThreadSleep& sleeper, IMouseInput& mouseInput, IWindowSystem& windowSystem,
                                 SystemServices systemServices)
    : control(windowControl),
      windows(windowControl),
      waits(windowControl, hooks, table, sleeper),
      mouse(mouseInput, windowSystem),
      system(withDesktop(systemServices, windowSystem, table)) {}

void DesktopFamilies::registerWith(PlaybackEngine& engine) {
    engine.registerFamily(CommandFamily::Window, windows);
    engine.registerFamily(CommandFamily::Wait, waits);
    engine.registerFamily(CommandFamily::Mouse, mouse);
    engine.registerFamily(CommandFamily::System, system);
}

void DesktopFamilies::followActivations(PlaybackEngine& engine) {
    control.setActivationObserver(
        [&engine](WindowId w) { engine.state().HotKeyWindow = static_cast<std::int32_t>(w); });
}

}  // namespace orv
