#pragma once

#include <deque>
#include <string>

#include "platform/fake/fake_window_system.h"
#include "platform/fake/transcript.h"
#include "platform/playback_windows.h"

namespace orv::fake {

// The playback windows answering from a script. Lines:
//   message window "<title>" "<text>"          text box "<title>" "<body>"
//   pause window "<caption>" "<nickname>" "<message>" at <top>,<left> size <w>x<h> -> resume|abort
//   repeat prompt -> <n>
//   show application | hide application | restore application | minimise application
//   show main window | hide main window | set foreground <w> | focus back <w> -> <top-level>
// Queries (minimised, foreground window, screen size) are not recorded. Unscripted pause
// windows resume; unscripted repeat prompts answer 1. The foreground window is its own, or
// that of a scripted desktop it follows.
class FakePlaybackWindows final : public IPlaybackWindows, public Recorder {
public:
    using Recorder::Recorder;

    void messageWindow(const std::string& title, const std::string& text) override;
    void textBoxWindow(const std::string& title, const std::string& body) override;
    PauseChoice pauseWindow(const PauseWindowSpec& window) override;
    int repeatPrompt() override;

    void showApplication() override { record("show application"); }
    void hideApplication() override { record("hide application"); }
    bool applicationMinimised() override { return minimised_; }
    void restoreApplication() override;
    void minimiseApplication() override;
    void showMainWindow() override { record("show main window"); }
    void hideMainWindow() override { record("hide main window"); }
    std::int32_t foregroundWindow() override;
    void setForegroundWindow(std::int32_t window) override;
    std::int32_t giveFocusBack(std::int32_t window) override;
    int screenWidth() override { return width_; }
    int screenHeight() override { return height_; }

    void queuePause(PauseChoice choice) { pauses_.push_back(choice); }
    void queueRepeatCount(int count) { counts_.push_back(count); }
    void setMinimised(bool minimised) { minimised_ = minimised; }
    void setForeground(std::int32_t window) { foreground_ = window; }
    // From now on the foreground window is the one of `desktop`, and setting it sets theirs.
    void followDesktop(FakeWindowSystem& desktop) { desktop_ = &desktop; }
    void setScreenSize(int width, int height) {
        width_ = width;
        height_ = height;
    }
    const PauseWindowSpec& lastPause() const { return lastPause_; }

private:
    std::deque<PauseChoice> pauses_;
    std::deque<int> counts_;
    bool minimised_ = false;
    std::int32_t foreground_ = 0;
    FakeWindowSystem* desktop_ = nullptr;
    int width_ = 1024;
    int height_ = 768;
    PauseWindowSpec lastPause_;
};

}  // namespace orv::fake
