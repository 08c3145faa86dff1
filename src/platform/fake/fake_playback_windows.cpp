#include "platform/fake/fake_playback_windows.h"

#include "platform/fake/trace_quoted.h"

namespace orv::fake {

void FakePlaybackWindows::messageWindow(const std::string& title, const std::string& text) {
    record("message window " + traceQuoted(title) + " " + traceQuoted(text));
}

void FakePlaybackWindows::textBoxWindow(const std::string& title, const std::string& body) {
    record("text box " + traceQuoted(title) + " " + traceQuoted(body));
}

PauseChoice FakePlaybackWindows::pauseWindow(const PauseWindowSpec& window) {
    PauseChoice choice = PauseChoice::Resume;
    if (!pauses_.empty()) {
        choice = pauses_.front();
        pauses_.pop_front();
    }
    lastPause_ = window;
    record("pause window " + traceQuoted(window.caption) + " " + traceQuoted(window.nickName) + " " +
           traceQuoted(window.message) + " at " + std::to_string(window.top) + "," + std::to_string(window.left) +
           " size " + std::to_string(window.width) + "x" + std::to_string(window.height) +
           (choice == PauseChoice::Resume ? " -> resume" : " -> abort"));
    return choice;
}

int FakePlaybackWindows::repeatPrompt() {
    int count = 1;
    if (!counts_.empty()) {
        count = counts_.front();
        counts_.pop_front();
    }
    record("repeat prompt -> " + std::to_string(count));
    return count;
}

void FakePlaybackWindows::restoreApplication() {
    minimised_ = false;
    record("restore application");
}

void FakePlaybackWindows::minimiseApplication() {
    minimised_ = true;
    record("minimise application");
}

std::int32_t FakePlaybackWindows::foregroundWindow() {
    return desktop_ != nullptr ? static_cast<std::int32_t>(desktop_->foreground()) : foreground_;
}

void FakePlaybackWindows::setForegroundWindow(std::int32_t window) {
    foreground_ = window;
    if (desktop_ != nullptr) desktop_->setForeground(static_cast<WindowId>(window));
    record("set foreground " + std::to_string(window));
}

std::int32_t FakePlaybackWindows::giveFocusBack(std::int32_t window) {
    // Every window of the fake desktop is a top-level window.
    foreground_ = window;
    if (desktop_ != nullptr) desktop_->setForeground(static_cast<WindowId>(window));
    record("focus back " + std::to_string(window) + " -> " + std::to_string(window));
    return window;
}

}  // namespace orv::fake
