#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/clipboard.h"

namespace orv::wayland {

class Connection;

// The compositor's clipboard through data control, on a connection and a thread of its own:
// whoever pastes the text set here is served at once, whatever the program is doing. Text only
// (UTF-8 on the wire, Windows-1252 here). As everywhere on Wayland, text set here stays on the
// clipboard only while the program runs.
class WaylandClipboard final : public IClipboard {
public:
    // nullptr, with the reason in `error`, when the compositor does not answer or lacks data control.
    static std::unique_ptr<WaylandClipboard> create(std::string& error);
    ~WaylandClipboard() override;
    WaylandClipboard(const WaylandClipboard&) = delete;
    WaylandClipboard& operator=(const WaylandClipboard&) = delete;

    std::string text() override;
    void setText(const std::string& text) override;
    // Pictures are not offered on the Wayland clipboard.
    bool setBitmapFromFile(const std::string&) override { return false; }

private:
    struct State;
    explicit WaylandClipboard(std::unique_ptr<State> state);
    // Runs `task` on the clipboard's thread and waits until it is done.
    void run(const std::function<void()>& task);
    void loop();
    void dispatch();

    std::unique_ptr<State> state_;
    std::mutex mutex_;
    std::condition_variable done_;
    std::deque<std::function<void()>> tasks_;
    bool stop_ = false;
    bool loopEnded_ = false;  // the thread is gone (stopped, or the connection broke)
    std::thread thread_;
};

}  // namespace orv::wayland
