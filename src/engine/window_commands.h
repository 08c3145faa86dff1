#pragma once

#include "engine/command_family.h"

namespace orv {

class WindowControl;

// "<ACTIVATE:", the launch commands and the window state, size and position commands.
// Launching goes through the engine's shell; activation makes the window HotKeyWindow.
class WindowCommands final : public ICommandFamily {
public:
    explicit WindowCommands(WindowControl& control) : control_(control) {}
    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) override;

private:
    WindowControl& control_;
};

// The program text of a launch command, from `from`: up to the next ">", or, when that text
// contains "<PARAM", up to the ">" after it. `next` is just past the closing ">".
struct LaunchText {
    std::string_view program;
    std::size_t next;
};
LaunchText launchText(std::string_view text, std::size_t from);

}  // namespace orv
