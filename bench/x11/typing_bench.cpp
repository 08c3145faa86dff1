// Typing speed and accuracy on a real display: the playback engine through the X11 platform
// against `xdotool type --delay 0`, both typing the same 5000-character mixed text into the
// Qt target application of the end-to-end tests, in the same run. Also times a 500-character
// phrase with five characters outside the layout. Run it through bench/typing_bench.sh, which
// starts a private Xvfb with a window manager.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/playback_engine.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/fake/fake_playback_windows.h"
#include "store/app_settings.h"
// Xlib last: its macros clash with ordinary names.
#include "platform/x11/key_injector.h"
#include "platform/x11/qt_message_pump.h"
#include "platform/x11/x11_keyboard_input.h"
#include "platform/x11/x11_window_system.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace orv;

// The target application, writing what it receives to a file (a pipe could fill up and stall it).
struct Target {
    pid_t pid = -1;
    std::string log;
    WindowId window = 0;

    ~Target() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        std::remove(log.c_str());
    }

    // The text received, as UTF-8.
    std::string text() const {
        std::ifstream in(log);
        std::string line, out;
        while (std::getline(in, line)) {
            if (line.rfind("key 0 ", 0) != 0) continue;
            std::istringstream fields(line.substr(6));
            std::string hex;
            fields >> hex;
            if (hex == "-") continue;
            for (std::size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        }
        return out;
    }
};

std::unique_ptr<Target> startTarget(const std::string& baseTitle, x11::X11WindowSystem& windows) {
    // Each target gets a title of its own, so a window of an earlier run is never taken for it.
    static int serial = 0;
    const std::string title = baseTitle + " " + std::to_string(++serial);
    auto target = std::make_unique<Target>();
    target->log = "/tmp/orvanta-typing-bench-" + std::to_string(::getpid()) + "-" + std::to_string(std::rand()) + ".log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, target->log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> args = {ORV_TARGET_APP, "--window", title};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn(&target->pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    // The window appears in the window manager's list: wait for it there, woken by the root
    // window's property changes.
    Display* d = XOpenDisplay(nullptr);
    XSelectInput(d, DefaultRootWindow(d), PropertyChangeMask);
    XSync(d, False);
    const auto end = Clock::now() + std::chrono::seconds(20);
    while ((target->window = windows.findWindowByTitle(title)) == 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) break;
        pollfd p{ConnectionNumber(d), POLLIN, 0};
        if (XPending(d) == 0) ::poll(&p, 1, static_cast<int>(left));
        while (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
        }
    }
    XCloseDisplay(d);
    if (target->window == 0 || !windows.setForegroundWindow(target->window)) {
        std::fprintf(stderr, "the target window did not come up\n");
        std::exit(2);
    }
    return target;
}

std::vector<char32_t> codePoints(const std::string& utf8) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = n == 1 ? c : c & (0xFF >> (n + 1));
        for (int k = 1; k < n && i + static_cast<std::size_t>(k) < utf8.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(n);
    }
    return out;
}

// Wrong, missing and extra characters: the edit distance between expected and received.
std::size_t errors(const std::string& expectedUtf8, const std::string& receivedUtf8) {
    const auto a = codePoints(expectedUtf8), b = codePoints(receivedUtf8);
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

// 5000 typed characters: letters and blanks, digits, punctuation, line breaks (CR LF in the
// macro, one Enter) and Windows-1252 characters 128-255.
std::string mixedText(std::size_t typed) {
    std::mt19937 random(20261210);
    const std::string punctuation = "!\"#$%&'()*+,-./:;=?@[\\]^_`{|}~";
    std::string text;
    for (std::size_t n = 0; n < typed; ++n) {
        const int kind = static_cast<int>(random() % 100);
        if (kind < 60) {
            text += static_cast<char>("abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ"[random() % 53]);
        } else if (kind < 70) {
            text += static_cast<char>('0' + random() % 10);
        } else if (kind < 80) {
            text += punctuation[random() % punctuation.size()];
        } else if (kind < 83) {
            text += "\r\n";
        } else {
            int c = 0;
            do {
                c = 0x80 + static_cast<int>(random() % 128);
            } while (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D);
            text += static_cast<char>(c);
        }
    }
    return text;
}

std::string expectedUtf8(const std::string& macro) {
    std::string cr;
    for (std::size_t i = 0; i < macro.size(); ++i) {
        cr += macro[i];
        if (macro[i] == '\r' && i + 1 < macro.size() && macro[i + 1] == '\n') ++i;
    }
    return cp1252ToUtf8(cr);
}

struct Run {
    double seconds = 0;
    std::size_t errors = 0;
};

Run typeWithEngine(const std::string& macro, x11::X11WindowSystem& windows, const char* title) {
    auto target = startTarget(title, windows);
    auto keyboard = x11::X11KeyboardInput::create();
    x11::QtMessagePump pump;
    fake::FakePlaybackWindows playbackWindows;
    SystemClock clock;
    TAppSettings settings;
    PlaybackServices services;
    services.keyboard = keyboard.get();
    services.pump = &pump;
    services.windows = &playbackWindows;
    services.clock = &clock;
    services.settings = &settings;
    PlaybackEngine engine(services);
    const auto start = Clock::now();
    engine.play(macro, false, 0);
    keyboard->waitUntilDelivered(std::chrono::seconds(60));  // the target has handled every key
    Run run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    keyboard->endPlayback();
    run.errors = errors(expectedUtf8(macro), target->text());
    return run;
}

Run typeWithXdotool(const std::string& macro, x11::X11WindowSystem& windows) {
    auto target = startTarget("Typing Bench xdotool", windows);
    std::string utf8 = expectedUtf8(macro);
    std::replace(utf8.begin(), utf8.end(), '\r', '\n');
    auto probe = x11::KeyInjector::open();
    std::vector<std::string> args = {"xdotool", "type", "--delay", "0", "--", utf8};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = -1;
    if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "xdotool could not be started\n");
        std::exit(2);
    }
    ::waitpid(pid, nullptr, 0);
    probe->waitForFocusClient(std::chrono::seconds(60));
    Run run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.errors = errors(expectedUtf8(macro), target->text());
    return run;
}

}  // namespace

int main() {
    auto windows = x11::X11WindowSystem::create();
    if (!windows) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const std::string macro = mixedText(5000);
    const std::size_t typed = codePoints(expectedUtf8(macro)).size();
    const Run engine = typeWithEngine(macro, *windows, "Typing Bench Orvanta");
    const Run xdotool = typeWithXdotool(macro, *windows);
    const double engineRate = static_cast<double>(typed) / engine.seconds;
    const double xdotoolRate = static_cast<double>(typed) / xdotool.seconds;
    std::printf("mixed text: %zu characters typed\n", typed);
    std::printf("  orvanta engine : %8.0f chars/s  %zu wrong or missing\n", engineRate, engine.errors);
    std::printf("  xdotool type   : %8.0f chars/s  %zu wrong or missing\n", xdotoolRate, xdotool.errors);
    std::printf("  speed ratio    : %.2f x xdotool\n", engineRate / xdotoolRate);

    // A 500-character phrase with five characters outside the layout, binding included.
    std::string phrase;
    const std::string word = "quick brown fox jumps over the lazy dog ";
    while (phrase.size() < 495) phrase += word;
    phrase.resize(495);
    for (int i = 0; i < 5; ++i) phrase.insert(static_cast<std::size_t>(90 * (i + 1)), 1, "\xE9\xFC\xF1\x80\xDF"[i]);
    std::vector<double> times;
    std::size_t phraseErrors = 0;
    for (int i = 0; i < 5; ++i) {
        const Run run = typeWithEngine(phrase, *windows, "Typing Bench Phrase");
        times.push_back(run.seconds * 1000.0);
        phraseErrors += run.errors;
    }
    std::sort(times.begin(), times.end());
    std::printf("500-character phrase, 5 outside the layout: median %.1f ms (min %.1f, max %.1f), %zu wrong or missing in 5 runs\n",
                times[2], times.front(), times.back(), phraseErrors);
    return engine.errors == 0 ? 0 : 1;
}
