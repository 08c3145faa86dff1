#pragma once

#include "engine/command_family.h"

namespace orv {

class IMouseInput;
class IWindowSystem;

// The absolute-move value of a screen coordinate: Trunc(v * 65535 / extent), held within the
// range of a 32-bit value; 0 for a screen without size.
std::int32_t absoluteMouseValue(double v, int extent);

// Mouse buttons, the wheel, moves and the mouse delay.
class MouseCommands final : public ICommandFamily {
public:
    MouseCommands(IMouseInput& mouse, IWindowSystem& windows) : mouse_(mouse), windows_(windows) {}
    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) override;

private:
    using Result = std::optional<std::size_t>;
    Result button(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result mouseDelay(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result wheel(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result move(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result moveToCaret(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);

    IMouseInput& mouse_;
    IWindowSystem& windows_;
};

}  // namespace orv
