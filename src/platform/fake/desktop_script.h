#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fake/fake_desktop.h"
#include "platform/hook_library.h"

namespace orv::fake {

// A change of the scripted desktop that happens at a given time after the start of the dry
// run: a desktop change (`foreground 12`, `window ...`, `close 12`, `process ...`,
// `end-process 300`) or an input the hook library reports (`click left`, `key 13`,
// `type abc`, `backspace`, `marker`).
struct TimedEvent {
    std::uint64_t atMs = 0;
    std::string line;  // the event as written after "at MS"
};

// What a desktop script sets up besides the fakes' state.
struct DesktopScript {
    std::vector<TimedEvent> events;            // in time order
    std::map<std::string, int> launchResults;  // shell result by program text
    // Lists kept while loading, so that each line adds to what the fakes already hold.
    std::vector<DisplayMode> displayModes;
    std::vector<PrinterInfo> printers;
    std::vector<CdLength> cdTracks;
};

// Reads a desktop script (Windows-1252 text; see docs/desktop-script.md) into the fakes.
// Returns false with "line N: what is wrong" in `error` at the first bad line.
bool loadDesktopScript(std::string_view text, FakeDesktop& desktop, DesktopScript& script, std::string& error);

// Performs one timed event on the fakes. Input events become hook messages, appended to
// `messages` for the caller to deliver. False with `error` for a malformed event.
bool applyTimedEvent(const TimedEvent& event, FakeDesktop& desktop, std::vector<HookMessage>& messages,
                     std::string& error);

}  // namespace orv::fake
