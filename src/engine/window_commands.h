#pragma once

#include "engine/command_family.h"

namespace orv {

class WindowControl;

// "<ACTIVATE:", the launch commands and the window state, size and position commands.
// Launching goes through the engine's shell; activation makes the window HotKeyWindow.
class WindowCommands final : public ICommandFamily {
public:
    explicit WindowCommands(WindowControl& control) : control_(control) {}
    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) override;

private:
    using Result = std::optional<std::size_t>;
    Result activate(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result launch(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result launchAndActivate(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result windowState(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result resize(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result reposition(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);

    // Brings the window with `title` to the front; it becomes the engine's HotKeyWindow.
    bool activateTitle(PlaybackEngine& engine, std::string_view title);
    // Starts `program`; with `waitForWindow`, waits for `title` and makes it HotKeyWindow.
    // False when the launch failed (its message was shown). Without the engine's shell the
    // launch does nothing and counts as done.
    bool startProgram(PlaybackEngine& engine, std::string_view program, int delay, int waitSeconds, bool waitForWindow,
                      std::string_view title);

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
