#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/fake/desktop_script.h"
#include "platform/fake/desktop_timeline.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_thread_sleep.h"
#include "platform/shell.h"

namespace orv {
class PlaybackEngine;
class IMessagePump;
class IHookLibrary;
}  // namespace orv

namespace orv::cli {

// Reads a desktop script file; the error ("FILE: line N: ...") when it cannot be read or is
// malformed.
std::optional<std::string> readDesktopScript(const std::string& path, std::string& text);

// The scripted desktop of a dry run: windows, processes, settings and devices as a desktop
// script describes them, the window, wait, mouse and system command families on it, and the
// timed events of the script delivered while the macro plays.
class DryRunDesktop {
public:
    DryRunDesktop(fake::Transcript& trace, fake::FakeClock& clock, IMessagePump& pump, fake::FakeShell& shell,
                  IHookLibrary& hooks);
    ~DryRunDesktop();

    // Loads a desktop script (already checked by readDesktopScript).
    void load(const std::string& text);
    // The timeline pump and the scripted shell that the engine plays with.
    IMessagePump& pump();
    IShell& shell();
    // Registers the four families with the engine and starts the timeline.
    void registerFamilies(PlaybackEngine& engine);

    fake::FakeWindowSystem& windows() { return desktop_.windows; }
    // The macro stopped at a wait that nothing left in the script could end.
    bool endlessWait() const { return timeline_.endlessWait(); }

private:
    class ScriptedShell;
    struct Commands;

    IHookLibrary& hooks_;
    fake::FakeDesktop desktop_;
    fake::DesktopScript script_;
    fake::DesktopTimeline timeline_;
    fake::FakeThreadSleep sleeper_;
    std::unique_ptr<ScriptedShell> shell_;
    std::unique_ptr<Commands> commands_;
};

}  // namespace orv::cli
