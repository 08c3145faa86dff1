#pragma once

// Waits on a real display, woken by the server's events rather than by polling: shared by the
// end-to-end tests and the benchmarks.

#include <chrono>
#include <functional>
#include <vector>

namespace orv::x11::test {

using namespace std::chrono_literals;

// Every wait of the tests is bounded by this deadline; a passing run never waits it out.
inline constexpr auto kDeadline = 20s;

// The windows the window manager manages (_NET_CLIENT_LIST).
std::vector<unsigned long> managedWindows();
bool isManaged(unsigned long window);

// Waits until `condition` holds, woken by the window's structure and property events and by
// property and structure changes on the root window.
bool waitUntil(unsigned long window, const std::function<bool()>& condition,
               std::chrono::milliseconds deadline = kDeadline);
// The same, woken by the root window's changes only.
bool waitOnRoot(const std::function<bool()>& condition, std::chrono::milliseconds deadline = kDeadline);

// Activates the window through the window system (whose own requests give up after a while),
// asking again until it is active or the deadline passes: on a loaded machine the window
// manager may take on a new window only seconds after it was mapped.
template <typename WindowSystem, typename Window>
bool activate(WindowSystem& windows, Window window, std::chrono::milliseconds deadline = kDeadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    do {
        if (windows.setForegroundWindow(window)) return true;
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

}  // namespace orv::x11::test
