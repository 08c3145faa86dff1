#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/unique_fd.h"
#include "platform/window_system.h"

namespace orv::wayland {

// A window as sway's tree describes it.
struct SwayWindow {
    long long id = 0;  // the container's id, for commands
    std::string title;
    std::string appId;  // empty for X11 windows
    std::int32_t pid = 0;
    WindowRect rect;  // in layout coordinates, borders included
    bool focused = false;
};

// The windows of a sway tree (get_tree's reply), tiled and floating, on every workspace.
std::vector<SwayWindow> swayWindows(std::string_view treeJson);

// sway's IPC socket (SWAYSOCK): what foreign toplevel management does not tell (process ids,
// positions and sizes) and what it cannot do (moving and sizing).
class SwayIpc {
public:
    // nullptr when SWAYSOCK is not set or nothing listens there.
    static std::unique_ptr<SwayIpc> connect();

    std::vector<SwayWindow> windows();
    // Runs a sway command; false when sway refused it.
    bool command(const std::string& command);
    // Asks for the events named in `eventsJson` (a JSON array of names); false when sway refused.
    // Afterwards the connection carries those events (readEvent) besides the replies.
    bool subscribe(std::string_view eventsJson);
    // The payload of the next event, waiting at most `timeoutMs` (-1: no limit); nothing on the
    // deadline or a broken connection (broken() tells which).
    std::optional<std::string> readEvent(int timeoutMs);
    bool broken() const { return broken_; }
    int fd() const { return socket_.get(); }

private:
    explicit SwayIpc(UniqueFd socket) : socket_(std::move(socket)) {}
    std::optional<std::string> request(std::uint32_t type, std::string_view payload);
    // The next message's type and payload (the first bytes must be ready or come within the
    // reply deadline).
    std::optional<std::pair<std::uint32_t, std::string>> readMessage();

    UniqueFd socket_;
    bool broken_ = false;
};

}  // namespace orv::wayland
