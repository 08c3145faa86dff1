#pragma once

#include <cstdint>
#include <deque>
#include <iostream>
#include <string>

#include "app/cli/play_platform.h"
#include "platform/cp1252.h"
#include "platform/user_prompt.h"
#include "platform/window_system.h"

// What a live playback shows the user without a window of the program's own, on any desktop.
namespace orv::cli {

inline void printWindow(const std::string& title, const std::string& text) {
    std::cerr << "orvanta-cli: " << cp1252ToUtf8(title) << ": " << cp1252ToUtf8(text) << '\n';
}

// Message boxes go to standard error and take the first answer.
class ConsolePrompt final : public IUserPrompt {
public:
    PromptAnswer messageBox(const std::string& title, const std::string& text, PromptButtons buttons) override {
        printWindow(title, text);
        return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes
                                                                                        : PromptAnswer::Ok;
    }
};

// The playback windows without a window of the program's own: messages and text boxes go to
// standard error, the pause window and repeat prompt answer as --pause and --repeat-count say
// (resume and 1 when they say nothing more); the foreground is the desktop's.
class ConsoleWindows final : public IPlaybackWindows {
public:
    ConsoleWindows(IWindowSystem& windows, const PlayOptions& o)
        : windows_(windows),
          pauses_(o.pauses.begin(), o.pauses.end()),
          counts_(o.repeatCounts.begin(), o.repeatCounts.end()) {}

    void messageWindow(const std::string& title, const std::string& text) override { printWindow(title, text); }
    void textBoxWindow(const std::string& title, const std::string& body) override { printWindow(title, body); }
    PauseChoice pauseWindow(const PauseWindowSpec& window) override {
        const PauseChoice choice = pauses_.empty() ? PauseChoice::Resume : pauses_.front();
        if (!pauses_.empty()) pauses_.pop_front();
        printWindow(window.caption, window.nickName + (choice == PauseChoice::Resume ? ": resumed" : ": aborted"));
        return choice;
    }
    int repeatPrompt() override {
        const int count = counts_.empty() ? 1 : counts_.front();
        if (!counts_.empty()) counts_.pop_front();
        return count;
    }
    void showApplication() override {}
    void hideApplication() override {}
    bool applicationMinimised() override { return false; }
    void restoreApplication() override {}
    void minimiseApplication() override {}
    void showMainWindow() override {}
    void hideMainWindow() override {}
    std::int32_t foregroundWindow() override { return static_cast<std::int32_t>(windows_.foregroundWindow()); }
    void setForegroundWindow(std::int32_t window) override {
        if (window != 0) windows_.setForegroundWindow(static_cast<WindowId>(window));
    }
    std::int32_t giveFocusBack(std::int32_t window) override {
        if (window == 0) return 0;
        return windows_.setForegroundWindow(static_cast<WindowId>(window)) ? window : 0;
    }
    int screenWidth() override { return windows_.screenSize().width; }
    int screenHeight() override { return windows_.screenSize().height; }

private:
    IWindowSystem& windows_;
    std::deque<PauseChoice> pauses_;
    std::deque<int> counts_;
};

}  // namespace orv::cli
