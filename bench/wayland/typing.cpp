// Typing into a Qt window on Wayland under a headless sway (bench/wayland_typing_bench.sh
// starts one): orvanta-cli play --live against wtype, each typing the same text, round after
// round. Characters per second count from the command's start to the last character's arrival;
// each run must arrive exactly.
//   wayland_typing_bench [--chars N] [--rounds N]
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "platform/virtual_keys.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_keyboard_input.h"
#include "platform/wayland/wayland_window_system.h"
#include "wayland_test_support.h"

namespace {

using namespace orv;
using namespace orv::wayland;

constexpr const char* kTitle = "Orvanta Wayland Typing Bench";

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// `count` characters cycling through the printable Windows-1252 ones ("<" opens a tag), as UTF-8.
std::string benchText(std::size_t count) {
    std::string cycle;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const char32_t ch = cp1252ToUnicode(static_cast<unsigned char>(byte));
        if (byte != '<' && byte != 0x7F && (ch < 0x80 || ch > 0x9F)) cycle.push_back(static_cast<char>(byte));
    }
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text.push_back(cycle[i % cycle.size()]);
    return cp1252ToUtf8(text);
}

// The text of the stamped key lines and the last stamp.
struct Received {
    std::string text;
    long long lastNs = 0;
};

Received received(const std::vector<std::string>& lines) {
    Received r;
    for (const auto& line : lines) {
        char hex[64];
        long long ns = 0;
        if (std::sscanf(line.c_str(), "key %lld %63s", &ns, hex) != 2 || hex[0] == '-') continue;
        for (std::size_t i = 0; hex[i] != '\0' && hex[i + 1] != '\0'; i += 2) {
            r.text.push_back(static_cast<char>(std::strtol(std::string(hex + i, 2).c_str(), nullptr, 16)));
        }
        r.lastNs = ns;
    }
    return r;
}

// A fresh window for each run: a text edit slows down as its one paragraph grows, and the runs
// are to be alike. Nullptr when it does not come up with the keyboard focus.
std::unique_ptr<test::WaylandTarget> freshWindow(WaylandWindowSystem& windows, WaylandKeyboardInput& keyboard) {
    // A title of its own, so that the last run's window, going away, is not taken for it.
    static int runs = 0;
    const std::string title = std::string(kTitle) + ' ' + std::to_string(++runs);
    auto target =
        std::make_unique<test::WaylandTarget>(std::vector<std::string>{title}, std::vector<std::string>{"--stamped"});
    const WindowId window = windows.waitForTitle(title, test::kDeadline);
    if (window == 0 || !windows.setForegroundWindow(window)) return nullptr;
    // A window the compositor has just activated takes keys once its toolkit has caught up.
    for (int tap = 0; tap < 80; ++tap) {
        keyboard.keyEvent(kVkShift, 0, false);
        keyboard.keyEvent(kVkShift, 0, true);
        keyboard.endPlayback();
        if (target->waitForLine("key ", std::chrono::milliseconds(250))) {
            target->clear();
            return target;
        }
    }
    return nullptr;
}

// One run of a typing command in a fresh window; characters per second, or 0 when the text did
// not arrive exactly.
double timeRun(WaylandWindowSystem& windows, WaylandKeyboardInput& keyboard, const std::vector<std::string>& command,
               const std::string& text) {
    const auto window = freshWindow(windows, keyboard);
    if (!window) {
        std::fprintf(stderr, "wayland_typing_bench: the window did not come up\n");
        return 0;
    }
    test::WaylandTarget& target = *window;
    const long long start = monotonicNs();
    const test::ProgramRun run = test::runProgram(command);
    target.waitUntil([&](const std::vector<std::string>& lines) { return received(lines).text.size() >= text.size(); },
                     std::chrono::seconds(60));
    const Received r = received(target.lines());
    if (run.status != 0 || r.text != text) {
        std::fprintf(stderr, "%s: status %d, %zu of %zu bytes, %s\n", command[0].c_str(), run.status, r.text.size(),
                     text.size(), r.text == text.substr(0, r.text.size()) ? "a prefix" : "different");
        return 0;
    }
    const std::size_t characters = utf8ToCp1252(text).size();
    return static_cast<double>(characters) * 1e9 / static_cast<double>(r.lastNs - start);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t chars = 2000;
    int rounds = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--chars") chars = static_cast<std::size_t>(std::atol(argv[i + 1]));
        if (a == "--rounds") rounds = std::atoi(argv[i + 1]);
    }
    std::string error;
    auto connection = Connection::open(error);
    if (!connection) {
        std::fprintf(stderr, "wayland_typing_bench: %s\n", error.c_str());
        return 1;
    }
    auto windows = WaylandWindowSystem::create(*connection);
    // The seat's keyboard for the whole run: the window binds its keyboard at its start.
    auto keyboard = WaylandKeyboardInput::create(*connection);
    if (!windows || !keyboard) {
        std::fprintf(stderr, "wayland_typing_bench: the compositor lacks foreign toplevels or the virtual keyboard\n");
        return 1;
    }
    const std::string text = benchText(chars);
    std::vector<double> ours, theirs;
    for (int round = 1; round <= rounds; ++round) {
        ours.push_back(timeRun(*windows, *keyboard, {ORV_CLI_PATH, "play", "--live", "--text", text}, text));
        theirs.push_back(timeRun(*windows, *keyboard, {"/usr/bin/wtype", text}, text));
        std::printf("round %d: orvanta-cli %.0f chars/s, wtype %.0f chars/s\n", round, ours.back(), theirs.back());
    }
    const double a = median(ours), b = median(theirs);
    std::printf("median of %d rounds, %zu characters: orvanta-cli %.0f chars/s, wtype %.0f chars/s, ratio %.2f\n",
                rounds, chars, a, b, b > 0 ? a / b : 0.0);
    return a > 0 ? 0 : 1;
}
