#pragma once

#include <cstdint>
#include <string>

#include "engine/command_family.h"
#include "platform/hook_library.h"

namespace orv {

class WindowControl;
class IThreadSleep;

// How often the waits look again when no message has come: the window and program waits ask
// the desktop, the input waits only look at what the hook library's messages left.
inline constexpr std::uint32_t kDesktopWaitPollMs = 250;
inline constexpr std::uint32_t kInputWaitPollMs = 100;
// "<WAITPB>" gives up on the marker key after this long (the clear-wait timer).
inline constexpr std::uint32_t kClearWaitMs = 30000;

// A key of "<WAITKEY:": its virtual-key code (0 for a number outside the table) and name.
struct WaitKey {
    int virtualKey = 0;
    std::string name;
};
WaitKey waitKeyFor(int keyNumber);

// What the hook library has reported while a wait runs.
struct WaitInput {
    bool clickedLeft = false;
    bool clickedRight = false;
    bool clickedMiddle = false;
    int lastKey = 0;
    std::string typed;              // the most recent characters typed
    std::size_t awaitedLength = 0;  // typed never grows beyond this
};

// The wait commands. The main window hands the hook library's click, key, character and
// marker messages (WM_USER+14 to +17) to handleHookMessage while a macro plays.
class WaitCommands final : public ICommandFamily {
public:
    WaitCommands(WindowControl& control, IHookLibrary& hooks, TActivationTable& table, IThreadSleep& sleeper)
        : control_(control), hooks_(hooks), table_(table), sleeper_(sleeper) {}

    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) override;

    // Handles WM_USER+14..17; false for any other message.
    bool handleHookMessage(const HookMessage& message);

    const WaitInput& input() const { return input_; }

private:
    using Result = std::optional<std::size_t>;
    Result waitWindow(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result waitProgramEnd(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result waitText(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result waitKey(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result waitClick(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result waitPlayback(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);
    Result waitTime(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd);

    void setFlag(std::size_t offset, bool on);

    WindowControl& control_;
    IHookLibrary& hooks_;
    TActivationTable& table_;
    IThreadSleep& sleeper_;
    WaitInput input_;
};

}  // namespace orv
