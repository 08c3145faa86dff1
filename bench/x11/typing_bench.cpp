// Typing speed and accuracy on a real display: the playback engine through the X11 platform
// against `xdotool type --delay 0`, both typing the same 5000-character mixed text into the
// Qt target application of the end-to-end tests, in the same run (rounds alternate between
// the two). Also times a 500-character phrase with five characters outside the layout, into the
// Qt target (until it has written out the last key) and into the bare key receiver (until its
// last key arrived), and the same phrase without them for comparison. Run it through
// bench/typing_bench.sh, which starts a private Xvfb with a window manager.
//   x11_typing_bench [--rounds N] [--phrase-runs N] [--keep DIR]
// --keep writes the sent and received texts of each round to DIR.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
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

#include "bench_support.h"
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
        // The next target's window may get the same id: the window manager must have let go of
        // this one first, or it takes the new window for the old one.
        if (window != 0) {
            bench::waitOnRoot([&] { return !bench::isManaged(window); }, std::chrono::seconds(20));
        }
    }

    // Waits until the target has written `characters` characters of text, or nothing new has
    // come for `quiet`; the moment the last character was seen (woken by the log file's changes,
    // so a moment after the target wrote it).
    Clock::time_point waitForText(std::size_t characters, std::chrono::milliseconds quiet) const {
        const int watch = ::inotify_init1(IN_CLOEXEC);
        ::inotify_add_watch(watch, log.c_str(), IN_MODIFY);
        std::ifstream in(log, std::ios::binary);
        std::string partial;
        std::size_t seen = 0;
        Clock::time_point last = Clock::now();
        for (;;) {
            char buffer[65536];
            std::size_t before = seen;
            while (in.read(buffer, sizeof buffer), in.gcount() > 0) {
                partial.append(buffer, static_cast<std::size_t>(in.gcount()));
            }
            in.clear();
            std::size_t start = 0;
            for (std::size_t nl; (nl = partial.find('\n', start)) != std::string::npos; start = nl + 1) {
                if (partial.compare(start, 6, "key 0 ") != 0 || partial.compare(start + 6, 2, "- ") == 0) continue;
                // One line per key with text: one character (two hex digits per byte, a
                // continuation byte starts with 8..b).
                for (std::size_t i = start + 6; i + 1 < nl && partial[i] != ' '; i += 2) {
                    if (partial[i] < '8' || partial[i] > 'b' || (partial[i] > '9' && partial[i] < 'a')) ++seen;
                }
            }
            partial.erase(0, start);
            if (seen != before) last = Clock::now();
            if (seen >= characters) break;
            pollfd p{watch, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(quiet.count())) <= 0) break;
            if (::read(watch, buffer, sizeof buffer) < 0) break;
        }
        ::close(watch);
        return last;
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
            for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
                out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        }
        return out;
    }
};

std::unique_ptr<Target> startTarget(const std::string& baseTitle, x11::X11WindowSystem& windows) {
    // Each target gets a title of its own, so a window of an earlier run is never taken for it.
    static int serial = 0;
    const std::string title = baseTitle + " " + std::to_string(++serial);
    auto target = std::make_unique<Target>();
    target->log =
        "/tmp/orvanta-typing-bench-" + std::to_string(::getpid()) + "-" + std::to_string(std::rand()) + ".log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, target->log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> args = {ORV_TARGET_APP, "--window", title};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn(&target->pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    // The window appears in the window manager's list. A window manager still busy with an
    // earlier keymap storm takes the window on late: wait for it, and say so.
    const auto begin = Clock::now();
    bench::waitOnRoot([&] { return (target->window = windows.findWindowByTitle(title)) != 0; },
                      std::chrono::seconds(600));
    const double waited = std::chrono::duration<double>(Clock::now() - begin).count();
    if (waited > 2.0) std::printf("  (the window manager took %.1f s to take on the next target window)\n", waited);
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
    double processSeconds = 0;  // xdotool: until it exited
    std::size_t errors = 0;
    std::string received;
};

struct EngineSession {
    std::unique_ptr<x11::X11KeyboardInput> keyboard = x11::X11KeyboardInput::create();
    x11::QtMessagePump pump;
    fake::FakePlaybackWindows playbackWindows;
    SystemClock clock;
    TAppSettings settings;
    std::unique_ptr<PlaybackEngine> engine;

    EngineSession() {
        engine = std::make_unique<PlaybackEngine>(PlaybackServices{
            .keyboard = *keyboard, .pump = pump, .windows = playbackWindows, .clock = clock, .settings = &settings});
    }
};

// From the first key until the target wrote out the last character.
Run typeWithEngine(const std::string& macro, x11::X11WindowSystem& windows, const char* title) {
    auto target = startTarget(title, windows);
    EngineSession session;
    const std::size_t want = codePoints(expectedUtf8(macro)).size();
    const auto start = Clock::now();
    session.engine->play(macro, false, 0);
    const auto last = target->waitForText(want, std::chrono::seconds(10));
    Run run;
    run.seconds = std::chrono::duration<double>(last - start).count();
    if (!session.keyboard->waitUntilDelivered(std::chrono::seconds(60)))
        std::fprintf(stderr, "the target did not answer within 60 s\n");
    session.keyboard->endPlayback();
    run.received = target->text();
    run.errors = errors(expectedUtf8(macro), run.received);
    return run;
}

// From the start of xdotool until the target wrote out the last character.
Run typeWithXdotool(const std::string& macro, x11::X11WindowSystem& windows) {
    auto target = startTarget("Typing Bench xdotool", windows);
    std::string utf8 = expectedUtf8(macro);
    // xdotool types a line feed as Return, which the target receives as a carriage return.
    std::replace(utf8.begin(), utf8.end(), '\r', '\n');
    auto probe = x11::KeyInjector::open();
    const auto start = Clock::now();
    // xdotool reads its argument in the locale's encoding: a UTF-8 one.
    const pid_t pid = bench::spawn({"xdotool", "type", "--delay", "0", "--", utf8}, {"LC_ALL=C.UTF-8"});
    if (pid < 0) std::exit(2);
    int status = 0;
    ::waitpid(pid, &status, 0);
    Run run;
    run.processSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    // xdotool's exit is not the end: the target may still be working through the keymap changes
    // it made. Until the last character arrived, or nothing came for 30 s.
    const auto last = target->waitForText(codePoints(utf8).size(), std::chrono::seconds(30));
    probe->waitForFocusClient(std::chrono::seconds(60));
    run.seconds = std::chrono::duration<double>(last - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "xdotool ended with status %d\n", status);
    run.received = target->text();
    run.errors = errors(expectedUtf8(macro), run.received);
    return run;
}

// The phrase into the bare key receiver: from the first key until its last key arrived there.
Run typeIntoReceiver(const std::string& macro, x11::X11WindowSystem& windows) {
    static int serial = 0;
    bench::Receiver receiver("Typing Bench Receiver " + std::to_string(++serial));
    if (receiver.window() == 0 || !windows.setForegroundWindow(static_cast<WindowId>(receiver.window()))) {
        std::fprintf(stderr, "the key receiver did not come up\n");
        std::exit(2);
    }
    const std::string expected = expectedUtf8(macro);
    const std::size_t want = codePoints(expected).size();
    EngineSession session;
    const std::int64_t start = bench::monotonicNs();
    session.engine->play(macro, false, 0);
    // Keys without text (the end-of-playback marker) do not count.
    auto withText = [](const std::vector<bench::Receiver::Key>& keys) {
        return static_cast<std::size_t>(
            std::count_if(keys.begin(), keys.end(), [](const bench::Receiver::Key& k) { return !k.text.empty(); }));
    };
    receiver.waitFor(
        0, [&](const std::vector<bench::Receiver::Key>& keys) { return withText(keys) >= want; },
        std::chrono::seconds(20));
    session.keyboard->endPlayback();
    const auto keys = receiver.keys();
    Run run;
    std::int64_t last = start;
    for (const auto& k : keys) {
        if (!k.text.empty()) last = std::max(last, k.ns);
    }
    run.seconds = static_cast<double>(last - start) / 1e9;
    run.received = bench::visibleText(keys);
    run.errors = errors(expected, run.received);
    return run;
}

void keep(const std::string& dir, const std::string& name, const std::string& text) {
    if (dir.empty()) return;
    std::ofstream(dir + "/" + name, std::ios::binary) << text;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 3, phraseRuns = 11;
    std::string keepDir;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--rounds")
            rounds = std::max(0, std::atoi(argv[++i]));
        else if (a == "--phrase-runs")
            phraseRuns = std::max(1, std::atoi(argv[++i]));
        else if (a == "--keep")
            keepDir = argv[++i];
    }
    auto windows = x11::X11WindowSystem::create();
    if (!windows) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    std::printf("%s\n", bench::loadLine().c_str());
    const std::string macro = mixedText(5000);
    const std::string expected = expectedUtf8(macro);
    const std::size_t typed = codePoints(expected).size();
    keep(keepDir, "sent.txt", expected);
    std::vector<double> engineRates, xdotoolRates, ratios;
    std::size_t engineErrors = 0, xdotoolErrors = 0;
    if (rounds > 0) std::printf("mixed text: %zu characters typed per round, %d rounds\n", typed, rounds);
    for (int r = 0; r < rounds; ++r) {
        const Run engine = typeWithEngine(macro, *windows, "Typing Bench Orvanta");
        const Run xdotool = typeWithXdotool(macro, *windows);
        const double engineRate = static_cast<double>(typed) / engine.seconds;
        const double xdotoolRate = static_cast<double>(typed) / xdotool.seconds;
        engineRates.push_back(engineRate);
        xdotoolRates.push_back(xdotoolRate);
        ratios.push_back(engineRate / xdotoolRate);
        engineErrors += engine.errors;
        xdotoolErrors += xdotool.errors;
        keep(keepDir, "engine-" + std::to_string(r) + ".txt", engine.received);
        keep(keepDir, "xdotool-" + std::to_string(r) + ".txt", xdotool.received);
        std::printf(
            "  round %d: engine %8.0f chars/s %4zu wrong or missing | xdotool %6.0f chars/s %4zu wrong or missing"
            " (its process ended after %.2f s, the last character arrived after %.2f s) | ratio %.2f\n",
            r + 1, engineRate, engine.errors, xdotoolRate, xdotool.errors, xdotool.processSeconds, xdotool.seconds,
            engineRate / xdotoolRate);
        std::fflush(stdout);
    }
    if (rounds > 0) {
        std::printf("  orvanta engine : %s, %zu wrong or missing in %d rounds\n",
                    bench::describe(bench::summarize(engineRates), "chars/s").c_str(), engineErrors, rounds);
        std::printf("  xdotool type   : %s, %zu wrong or missing in %d rounds\n",
                    bench::describe(bench::summarize(xdotoolRates), "chars/s").c_str(), xdotoolErrors, rounds);
        std::printf("  speed ratio    : %s\n", bench::describe(bench::summarize(ratios), "x xdotool").c_str());
    }

    // A 500-character phrase with five characters outside the layout, binding them included.
    std::string phrase;
    const std::string word = "quick brown fox jumps over the lazy dog ";
    while (phrase.size() < 495) phrase += word;
    phrase.resize(495);
    const std::string outside = "\xE9\xFC\xF1\x80\xDF";  // é ü ñ € ß in Windows-1252
    for (int i = 0; i < 5; ++i)
        phrase.insert(static_cast<std::size_t>(90 * (i + 1)), 1, outside[static_cast<std::size_t>(i)]);
    {
        auto probe = x11::KeyInjector::open();
        std::string missing;
        for (const char c : outside) {
            const std::string utf8 = cp1252ToUtf8(std::string(1, c));
            if (!probe->typable(codePoints(utf8).front())) missing += utf8;
        }
        std::printf("500-character phrase; of its five special characters the layout lacks %zu (%s)\n",
                    codePoints(missing).size(), missing.c_str());
    }
    std::vector<double> qtTimes, receiverTimes;
    std::size_t qtErrors = 0, receiverErrors = 0;
    for (int i = 0; i < phraseRuns; ++i) {
        const Run qt = typeWithEngine(phrase, *windows, "Typing Bench Phrase");
        qtTimes.push_back(qt.seconds * 1000.0);
        qtErrors += qt.errors;
        const Run bare = typeIntoReceiver(phrase, *windows);
        receiverTimes.push_back(bare.seconds * 1000.0);
        receiverErrors += bare.errors;
        if (i == 0) keep(keepDir, "phrase.txt", expectedUtf8(phrase));
        keep(keepDir, "phrase-qt-" + std::to_string(i) + ".txt", qt.received);
        keep(keepDir, "phrase-receiver-" + std::to_string(i) + ".txt", bare.received);
    }
    std::printf("  Qt target, until it wrote out the last key: %s, %zu wrong or missing in %d runs\n",
                bench::describe(bench::summarize(qtTimes), "ms").c_str(), qtErrors, phraseRuns);
    std::printf("  key receiver, until its last key arrived : %s, %zu wrong or missing in %d runs\n",
                bench::describe(bench::summarize(receiverTimes), "ms").c_str(), receiverErrors, phraseRuns);
    // For comparison: the same phrase with its five characters replaced by letters of the
    // layout, so no keymap change is involved.
    std::string plain = phrase;
    for (char& c : plain) {
        if (static_cast<unsigned char>(c) >= 0x80) c = 'e';
    }
    std::vector<double> plainQt, plainReceiver;
    for (int i = 0; i < phraseRuns; ++i) {
        const Run qt = typeWithEngine(plain, *windows, "Typing Bench Plain Phrase");
        plainQt.push_back(qt.seconds * 1000.0);
        qtErrors += qt.errors;
        const Run bare = typeIntoReceiver(plain, *windows);
        plainReceiver.push_back(bare.seconds * 1000.0);
        receiverErrors += bare.errors;
    }
    std::printf("the same phrase, all of it in the layout:\n");
    std::printf("  Qt target, until it wrote out the last key: %s\n",
                bench::describe(bench::summarize(plainQt), "ms").c_str());
    std::printf("  key receiver, until its last key arrived : %s\n",
                bench::describe(bench::summarize(plainReceiver), "ms").c_str());
    std::printf("%s\n", bench::loadLine().c_str());
    return engineErrors == 0 && qtErrors == 0 && receiverErrors == 0 ? 0 : 1;
}
