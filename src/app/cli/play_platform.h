#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/playback_engine.h"
#include "platform/clock.h"
#include "platform/playback_windows.h"

namespace orv {
class IHookLibrary;
class IUserPrompt;
}  // namespace orv

// What `orvanta-cli play` plays against: the options it was given and the platform set they
// choose (the recorded desktop of a dry run, or the real one with --live).
namespace orv::cli {

struct PlayOptions {
    std::optional<std::string> text;
    std::string file;
    std::optional<std::string> nickName;
    std::optional<LocalTime> now;
    std::optional<std::string> clipboard;
    bool capsOn = false;
    bool minimised = false;
    bool tray = false;
    bool live = false;
    std::vector<PauseChoice> pauses;
    std::vector<int> repeatCounts;
    std::uint64_t abortAt = 0;
    std::uint64_t maxSteps = 1000000;
    std::string desktopText;  // a desktop script, already checked
};

// The platform a playback runs against. choosePlatform() is the one place that decides which
// set is used.
class PlatformSet {
public:
    virtual ~PlatformSet() = default;
    // The platform part of the services (store, table and settings are filled in by the caller).
    virtual PlaybackServices services() = 0;
    // The hook library the macro store keeps up to date with the loaded macros.
    virtual IHookLibrary& hookLibrary() = 0;
    virtual IUserPrompt& prompt() = 0;
    virtual const IClock& clock() = 0;
    // Families of commands that come with this platform.
    virtual void registerFamilies(PlaybackEngine&) {}
    // Requests an abort at the n-th message processing (a scripted user action).
    virtual void abortAt(std::uint64_t, PlaybackEngine&) {}
    // Requests an abort at the first wait past the n-th, so that no loop runs for ever.
    virtual void boundWaits(std::uint64_t, PlaybackEngine&) {}
    // Called after loading, before playing: what was recorded so far is not part of the run.
    virtual void startRecording() {}
    // Whether Caps Lock counts as on at the start, and the window the macro starts in.
    virtual bool capsWasOn(const PlayOptions& o) { return o.capsOn; }
    virtual std::int32_t startWindow() { return 0; }
    // After the macro: waits until what it typed has arrived; the exit status.
    virtual int finish() { return 0; }
};

// The real desktop, or nullptr with the reason in `error` (no display, not built in): a wlroots
// compositor's own protocols when WAYLAND_DISPLAY names one that has them, else X11 (through
// XWayland in other Wayland sessions).
std::unique_ptr<PlatformSet> makeLivePlatform(const PlayOptions& o, std::string& error);
// The wlroots desktop alone; nullptr without WAYLAND_DISPLAY, or with the reason in `error` when
// the compositor does not answer or lacks a protocol.
std::unique_ptr<PlatformSet> makeWaylandPlatform(const PlayOptions& o, std::string& error);

}  // namespace orv::cli
