// The resident program on a real display, side by side with a peer desktop macro program in the
// same run. orvanta runs against a macro file of 500 macros (written by orv_bench_macro_file),
// the peer (when --peer names it) against the same phrases in its own configuration, started
// under a session bus of its own. Each in turn types into the bare key receiver and into a Qt
// text field, which stamp every key they get with CLOCK_MONOTONIC. Measured for each:
//   - start-up to ready (orvanta: the hand-over socket exists and its main window is active;
//     the peer: it reports its service running);
//   - Ctrl+Alt+N pressed on the server's own keyboard device and held until "hello" has arrived:
//     press to first character and to the whole text;
//   - the ShortKey "qq" from its last keystroke until the whole replacement has arrived, and
//     whether what the user sees then is exactly the replacement;
//   - Ctrl+Alt+L, held, into the Qt text field: a 500-character phrase with five characters
//     outside the layout, press to the last character, and whether it arrived exactly;
//   - orvanta only: the same chord in one XTest burst (xdotool), how often it fires;
//   - the text field's own limit, before either program starts: the same phrase typed in one
//     XTest burst (one write to the server, and a write per event) right after a key on the
//     server's keyboard, as a held hotkey leaves it;
//   - orvanta only: Ctrl+Alt+M, a popup menu of 36 entries, from the press to its window being
//     mapped and managed (each menu then cancelled with Escape);
//   - resident memory of the program and the processes it started (the peer's bus excluded);
//   - processor time over idle seconds.
// Every figure is printed with the peer's and their ratio. Run it through
// bench/resident_bench.sh, which starts a private Xvfb with a window manager and installs the
// peer.
//   x11_resident_bench [--macros N] [--starts N] [--presses N] [--bursts N] [--shortkeys N]
//                      [--phrases N] [--menus N] [--floors N] [--idle SECONDS] [--peer PROGRAM]
//                      [--trace FILE]
// --trace runs the measured orvanta with the hook library's logging on, its standard error to
// FILE. ORVANTA_BENCH_RESIDENT=PATH measures that build of the program instead.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_phrases.h"
#include "bench_support.h"
#include "platform/cp1252.h"
#include "platform/x11/keymap.h"
#include "platform/x11/x11_window_system.h"
#include "platform/x11/xlib_util.h"
#include "x11_test_support.h"

namespace {

using namespace orv;
using namespace std::chrono_literals;
using bench::Receiver;

struct Options {
    int macros = 500, starts = 7, presses = 50, bursts = 30, shortKeys = 50, phrases = 10, idleSeconds = 30;
    int menus = 20;
    int floors = 10;   // runs of the text field's limit, per way of writing
    std::string peer;  // the peer program, e.g. autokey-gtk; none when empty
    std::string trace;
};

// The processes below `root` (`root` included), whose names are not in `skip`.
std::vector<pid_t> processTree(pid_t root, const std::set<std::string>& skip = {}) {
    std::map<pid_t, pid_t> parent;
    std::map<pid_t, std::string> name;
    if (DIR* proc = ::opendir("/proc")) {
        while (dirent* e = ::readdir(proc)) {
            const pid_t pid = static_cast<pid_t>(std::atoi(e->d_name));
            if (pid <= 0) continue;
            std::ifstream stat("/proc/" + std::string(e->d_name) + "/stat");
            std::string line;
            std::getline(stat, line);
            const auto open = line.find('(');
            const auto close = line.rfind(')');
            if (open == std::string::npos || close == std::string::npos) continue;
            std::istringstream rest(line.substr(close + 2));
            std::string state;
            pid_t ppid = 0;
            rest >> state >> ppid;
            parent[pid] = ppid;
            name[pid] = line.substr(open + 1, close - open - 1);
        }
        ::closedir(proc);
    }
    std::vector<pid_t> tree = {root};
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& [pid, ppid] : parent) {
            if (std::find(tree.begin(), tree.end(), ppid) != tree.end() &&
                std::find(tree.begin(), tree.end(), pid) == tree.end()) {
                tree.push_back(pid);
                grew = true;
            }
        }
    }
    std::erase_if(tree, [&](pid_t pid) { return skip.count(name[pid]) != 0; });
    return tree;
}

long statusField(pid_t pid, const std::string& field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
    }
    return 0;
}

// A field of /proc/<pid>/smaps_rollup in KiB.
long rollupField(pid_t pid, const std::string& field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
    }
    return 0;
}

// Resident set of the processes in KiB, and a description per process.
long treeRssKb(const std::vector<pid_t>& tree, std::string& detail) {
    long total = 0;
    detail.clear();
    for (pid_t pid : tree) {
        const long rss = statusField(pid, "VmRSS");
        std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
        std::string name;
        std::getline(comm, name);
        detail += (detail.empty() ? "" : ", ") + name + " " + std::to_string(rss) + " KiB: anonymous " +
                  std::to_string(statusField(pid, "RssAnon")) + ", file " +
                  std::to_string(statusField(pid, "RssFile")) + ", shared memory " +
                  std::to_string(statusField(pid, "RssShmem")) + "; proportional " +
                  std::to_string(rollupField(pid, "Pss")) + " KiB";
        total += rss;
    }
    return total;
}

struct CpuSample {
    long long ticks = 0;                        // utime + stime of /proc/<pid>/stat, summed over the tree
    long long runNs = 0;                        // first field of /proc/<pid>/task/<tid>/schedstat, summed
    std::map<std::string, long long> threadNs;  // per "pid/tid name"
};

CpuSample cpuOf(const std::vector<pid_t>& tree) {
    CpuSample s;
    for (pid_t pid : tree) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        std::getline(stat, line);
        const auto close = line.rfind(')');
        if (close != std::string::npos) {
            std::istringstream rest(line.substr(close + 2));
            std::vector<std::string> fields;
            for (std::string f; rest >> f;) fields.push_back(f);
            // After the command: state is field 3; utime and stime are fields 14 and 15.
            if (fields.size() > 12) s.ticks += std::atoll(fields[11].c_str()) + std::atoll(fields[12].c_str());
        }
        const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
        std::error_code ec;
        for (const auto& t : std::filesystem::directory_iterator(tasks, ec)) {
            std::ifstream sched(t.path() / "schedstat");
            std::ifstream comm(t.path() / "comm");
            std::string name;
            std::getline(comm, name);
            long long run = 0;
            if (sched >> run) {
                s.runNs += run;
                s.threadNs[t.path().filename().string() + " " + name] = run;
            }
        }
    }
    return s;
}

// The figures of one program; negative or empty when not measured.
struct Figures {
    double startMs = -1;
    bench::Summary first, whole, shortKey, phrase, menu;
    std::string hotkeyCount, shortKeyCount, phraseCount;
    double rssMiB = -1, idlePercent = -1;
};

// The text field's own limit: the long phrase in one XTest burst, written at once or an event
// at a time.
struct FieldLimit {
    bench::Summary oneWrite, perEvent;
    std::string oneWriteCount, perEventCount;
};

// One program under measurement: how it starts, how it is known to be ready.
struct Subject {
    std::string name;
    std::vector<std::string> command;
    std::vector<std::string> env;
    std::set<std::string> notItself;  // processes of its tree that are not the program (its bus)
    std::function<bool(pid_t pid, int stderrFd)> ready;
    pid_t pid = -1;
    Figures figures;
};

class Bench {
public:
    explicit Bench(Options options) : options_(std::move(options)) {}

    int run() {
        std::printf("%s\n", bench::loadLine().c_str());
        char pattern[] = "/tmp/orvanta-resident-bench-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) return fail("no temporary directory");
        home_ = pattern;
        const int macros = writeMacroFiles();
        if (macros <= 0) return fail("the macro file could not be written");
        std::printf("macro file: %d macros (%lld KiB)\n", macros,
                    static_cast<long long>(std::filesystem::file_size(file_) / 1024));
        windows_ = x11::X11WindowSystem::create();
        if (!windows_ || !keyboard_.valid()) return fail("no display or no server keyboard device");
        receiver_ = std::make_unique<Receiver>("Resident Bench Receiver");
        field_ = std::make_unique<Receiver>("Resident Bench Text Field", true);
        if (receiver_->window() == 0 || field_->window() == 0) return fail("the receiving windows did not come up");

        const FieldLimit limit = fieldLimit();
        std::vector<Subject> subjects = {orvanta()};
        if (!options_.peer.empty()) subjects.push_back(peer());
        for (Subject& s : subjects) measure(s);
        report(subjects, limit);
        std::printf("%s\n", bench::loadLine().c_str());
        std::error_code ec;
        std::filesystem::remove_all(home_, ec);
        return 0;
    }

private:
    int fail(const char* what) {
        std::fprintf(stderr, "%s\n", what);
        return 2;
    }

    int writeMacroFiles() {
        file_ = home_ + "/bench.ORV";
        std::vector<std::string> args = {ORV_MACRO_FILE_TOOL, file_, std::to_string(options_.macros)};
        if (!options_.peer.empty()) {
            args.push_back("--peer");
            args.push_back(home_ + "/peer/.config");
        }
        int fds[2];
        if (::pipe(fds) != 0) return -1;
        const pid_t pid = bench::spawn(args, {}, fds[1]);
        ::close(fds[1]);
        char buffer[64] = {0};
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer - 1);
        ::close(fds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        return n > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? std::atoi(buffer) : -1;
    }

    Subject orvanta() {
        const std::string runtime = home_ + "/runtime";
        ::mkdir(runtime.c_str(), 0700);
        const std::string socket = runtime + "/orvanta-" + std::to_string(::getuid()) + ".socket";
        // Not a first start: the first-time set-up would take the focus.
        std::ofstream(home_ + "/ORVANTA.INI") << "[Misc]\nFirst Use=No\n";
        Subject s;
        s.name = "orvanta";
        // ORVANTA_BENCH_RESIDENT names another build of the program, to compare two in one sitting.
        const char* other = std::getenv("ORVANTA_BENCH_RESIDENT");
        s.command = {other != nullptr && *other != 0 ? other : ORV_RESIDENT, "/F", file_};
        s.env = {"ORVANTA_HOME=" + home_, "XDG_RUNTIME_DIR=" + runtime, "QT_QPA_PLATFORM=xcb"};
        s.ready = [this, socket](pid_t pid, int) {
            return bench::waitOnRoot(
                [&] {
                    return std::filesystem::exists(socket) &&
                           windows_->windowProcess(windows_->foregroundWindow()) == pid;
                },
                20s);
        };
        return s;
    }

    Subject peer() {
        const std::string home = home_ + "/peer";
        const std::string runtime = home + "/runtime";
        ::mkdir(runtime.c_str(), 0700);
        Subject s;
        s.name = options_.peer;
        s.command = {"dbus-run-session", "--", options_.peer, "--verbose"};
        s.env = {"HOME=" + home,
                 "XDG_CONFIG_HOME=" + home + "/.config",
                 "XDG_DATA_HOME=" + home + "/.local/share",
                 "XDG_CACHE_HOME=" + home + "/.cache",
                 "XDG_RUNTIME_DIR=" + runtime,
                 "LANG=C.UTF-8",
                 "LC_ALL=C.UTF-8"};
        s.notItself = {"dbus-run-session", "dbus-daemon"};
        // Ready once it reports its service running (it then watches the keyboard).
        s.ready = [](pid_t, int fd) { return waitForLine(fd, "Service now marked as running", 20s); };
        return s;
    }

    // Reads `fd` until a line contains `text` or the deadline passes.
    static bool waitForLine(int fd, const std::string& text, std::chrono::milliseconds deadline) {
        const auto end = bench::Clock::now() + deadline;
        std::string seen;
        for (;;) {
            if (seen.find(text) != std::string::npos) return true;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - bench::Clock::now());
            pollfd p{fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
            char buffer[4096];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0) return false;
            seen.append(buffer, static_cast<std::size_t>(n));
        }
    }

    // Starts the subject; the time until it is ready, or a negative number.
    double startOnce(Subject& s, bool traced) {
        std::vector<std::string> env = s.env;
        if (traced) {
            env.push_back("QT_LOGGING_RULES=orvanta.hook.debug=true");
            env.push_back("QT_MESSAGE_PATTERN=%{time process} %{message}");
        }
        int fds[2] = {-1, -1};
        if (::pipe2(fds, O_CLOEXEC) != 0) return -1;
        int err = fds[1];
        if (traced) err = ::open(options_.trace.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const auto started = bench::Clock::now();
        s.pid = bench::spawn(s.command, env, traced ? -1 : err, err);
        ::close(fds[1]);
        if (traced) ::close(err);
        const bool ready = s.pid > 0 && s.ready(s.pid, fds[0]);
        const double ms = std::chrono::duration<double, std::milli>(bench::Clock::now() - started).count();
        // Whatever it writes later must not block it: a thread drains the pipe until it ends.
        std::thread([fd = fds[0]] {
            char buffer[4096];
            while (::read(fd, buffer, sizeof buffer) > 0) {
            }
            ::close(fd);
        }).detach();
        if (!ready) {
            stopSubject(s);
            return -1;
        }
        return ms;
    }

    void stopSubject(Subject& s) {
        std::vector<unsigned long> own;
        for (WindowId w : windows_->topLevelWindows()) {
            const pid_t owner = windows_->windowProcess(w);
            for (pid_t p : processTree(s.pid)) {
                if (owner == p) own.push_back(static_cast<unsigned long>(w));
            }
        }
        // The whole tree: a session bus outlives the program it was started for, and the peer
        // refuses to start while an earlier one lives.
        const std::vector<pid_t> tree = processTree(s.pid);
        for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
            if (*it != s.pid) ::kill(*it, SIGTERM);
        }
        bench::stop(s.pid);
        for (pid_t p : tree) {
            if (p != s.pid) ::kill(p, SIGKILL);  // those that ignored the request
        }
        s.pid = -1;
        // A socket left behind is found stale by the next start; the windows must be gone before
        // the next start so that its readiness check sees its own.
        std::error_code ec;
        std::filesystem::remove(home_ + "/runtime/orvanta-" + std::to_string(::getuid()) + ".socket", ec);
        bench::waitOnRoot([&] { return std::none_of(own.begin(), own.end(), bench::isManaged); }, 20s);
    }

    void startUp(Subject& s) {
        std::vector<double> warm;
        double first = -1;
        // The peer is started once: a second start in the same run was not seen to get ready.
        const int starts = s.name == "orvanta" ? options_.starts : 1;
        for (int i = 0; i < starts; ++i) {
            const bool last = i + 1 == starts;
            const double ms = startOnce(s, last && s.name == "orvanta" && !options_.trace.empty());
            if (ms < 0) {
                std::printf("%s start %d: not ready within 20 s\n", s.name.c_str(), i + 1);
                continue;
            }
            (i == 0 ? first : warm.emplace_back()) = ms;
            if (!last) stopSubject(s);
        }
        const bench::Summary summary = bench::summarize(warm);
        s.figures.startMs = warm.empty() ? first : summary.median;
        std::printf("%s start-up to ready: first start %.1f ms; later starts %s\n", s.name.c_str(), first,
                    bench::describe(summary, "ms").c_str());
    }

    void measure(Subject& s) {
        std::printf("--- %s\n", s.name.c_str());
        startUp(s);
        if (s.pid <= 0) return;
        std::string detail;
        const long startRss = treeRssKb(processTree(s.pid, s.notItself), detail);
        std::printf("resident memory after start-up: %.1f MiB (%s)\n", startRss / 1024.0, detail.c_str());
        if (!focus(*receiver_)) {
            std::printf("the key receiver could not be activated\n");
        } else {
            hotkeys(s);
            if (s.name == "orvanta") bursts();
            shortKeys(s);
            if (s.name == "orvanta") popupMenus(s);
        }
        if (focus(*field_)) {
            phrases(s);
        } else {
            std::printf("the text field could not be activated\n");
        }
        const long rss = treeRssKb(processTree(s.pid, s.notItself), detail);
        s.figures.rssMiB = rss / 1024.0;
        std::printf("resident memory after the runs: %.1f MiB (%s)\n", rss / 1024.0, detail.c_str());
        idle(s);
        stopSubject(s);
    }

    // Activates the receiving window, asking again while the window manager is slow to act; a
    // run that still fails says which window has the focus instead.
    bool focus(const Receiver& r) {
        const auto w = static_cast<WindowId>(r.window());
        if (x11::test::activate(*windows_, w)) return true;
        const WindowId active = windows_->foregroundWindow();
        std::printf("window %lu not active: window %lu (\"%s\", process %d) is\n", static_cast<unsigned long>(w),
                    static_cast<unsigned long>(active), windows_->windowTitle(active).c_str(),
                    windows_->windowProcess(active));
        return false;
    }

    // The key of keys[from..] with which the visible text first equals `text`; nullptr if none.
    static const Receiver::Key* completing(const std::vector<Receiver::Key>& keys, std::size_t from,
                                           const std::string& text) {
        std::string seen;
        for (std::size_t i = from; i < keys.size(); ++i) {
            seen = bench::visibleText(keys, from);
            const std::vector<Receiver::Key> head(keys.begin() + static_cast<std::ptrdiff_t>(from),
                                                  keys.begin() + static_cast<std::ptrdiff_t>(i + 1));
            if (bench::visibleText(head) == text) return &keys[i];
        }
        return nullptr;
    }

    static bool waitForVisible(Receiver& r, std::size_t from, const std::string& text,
                               std::chrono::milliseconds deadline) {
        return r.waitFor(
            from, [&](const std::vector<Receiver::Key>& keys) { return bench::visibleText(keys) == text; }, deadline);
    }

    // The key events that type `text` (Windows-1252) on `keymap`: keycode and down, Shift added
    // where the key needs it. Empty when a character has no key.
    static std::vector<std::pair<KeyCode, bool>> burstOf(const x11::Keymap& keymap, const std::string& text) {
        std::vector<std::pair<KeyCode, bool>> events;
        const KeyCode shift = keymap.keycodeOf(XK_Shift_L);
        for (char c : text) {
            const auto stroke = keymap.find(x11::keysymOfChar(cp1252ToUnicode(static_cast<unsigned char>(c))), 0, 0);
            if (!stroke || (stroke->mods & ~ShiftMask) != 0) return {};
            const bool shifted = (stroke->mods & ShiftMask) != 0;
            if (shifted) events.emplace_back(shift, true);
            events.emplace_back(stroke->keycode, true);
            events.emplace_back(stroke->keycode, false);
            if (shifted) events.emplace_back(shift, false);
        }
        return events;
    }

    // Binds each character of `chars` to an empty keycode of its own (both levels), or with
    // `unbind` empties those keycodes again; the map is read again afterwards.
    static bool bindSpare(Display* d, x11::Keymap& keymap, const std::vector<KeyCode>& spare, const std::string& chars,
                          bool unbind) {
        if (spare.size() < chars.size()) return false;
        for (std::size_t i = 0; i < chars.size(); ++i) {
            const KeySym sym =
                unbind ? NoSymbol : x11::keysymOfChar(cp1252ToUnicode(static_cast<unsigned char>(chars[i])));
            KeySym syms[2] = {sym, sym};
            XChangeKeyboardMapping(d, spare[i], 2, syms, 1);
        }
        XSync(d, False);
        keymap.load(d);
        return true;
    }

    // One run of the limit: a line break from the server's keyboard, then the burst; the time
    // from the first event sent to the last character in the field, or a negative number.
    double limitRun(Display* d, const std::vector<std::pair<KeyCode, bool>>& events, bool perEvent,
                    const std::string& expected, bool& exact) {
        std::size_t from = field_->count();
        keyboard_.tap(XK_Return);
        field_->waitFor(
            from, [](const std::vector<Receiver::Key>& k) { return !k.empty(); }, 2s);
        from = field_->count();
        const std::int64_t t0 = bench::monotonicNs();
        for (const auto& [keycode, down] : events) {
            XTestFakeKeyEvent(d, keycode, down ? True : False, CurrentTime);
            if (perEvent) XFlush(d);
        }
        XFlush(d);
        waitForVisible(*field_, from, expected, 5s);
        settle();
        const auto keys = field_->keys();
        exact = bench::visibleText(keys, from) == expected;
        const Receiver::Key* last = completing(keys, from, expected);
        return last == nullptr ? -1 : static_cast<double>(last->ns - t0) / 1e6;
    }

    // How fast the text field takes the long phrase at all, measured before either program runs.
    FieldLimit fieldLimit() {
        FieldLimit limit;
        if (options_.floors <= 0 || !focus(*field_)) return limit;
        const x11::DisplayPtr display = x11::openDisplay();
        if (!display) return limit;
        Display* d = display.get();
        x11::Keymap keymap;
        keymap.load(d);
        const std::vector<KeyCode> spare = keymap.emptyKeycodes();
        const std::string phrase = bench::longPhrase();
        std::string outside;
        for (char c : phrase) {
            if (static_cast<unsigned char>(c) >= 0x80 && outside.find(c) == std::string::npos) outside += c;
        }
        if (!bindSpare(d, keymap, spare, outside, false)) return limit;
        const auto events = burstOf(keymap, phrase);
        const std::string expected = cp1252ToUtf8(phrase);
        for (const bool perEvent : {false, true}) {
            std::vector<double> complete;
            int exact = 0;
            for (int i = 0; i < options_.floors && !events.empty(); ++i) {
                bool same = false;
                const double ms = limitRun(d, events, perEvent, expected, same);
                if (ms >= 0) complete.push_back(ms);
                if (same) ++exact;
            }
            (perEvent ? limit.perEvent : limit.oneWrite) = bench::summarize(complete);
            (perEvent ? limit.perEventCount : limit.oneWriteCount) =
                count(static_cast<int>(complete.size()), exact, options_.floors);
            std::printf("the text field's limit, the phrase in one XTest burst, %s: %s\n",
                        perEvent ? "a write per event" : "one write",
                        (perEvent ? limit.perEventCount : limit.oneWriteCount).c_str());
            std::printf("  first event to last character: %s\n",
                        bench::describe(perEvent ? limit.perEvent : limit.oneWrite, "ms").c_str());
        }
        bindSpare(d, keymap, spare, outside, true);
        return limit;
    }

    // Waits a little after a playback so that its end (the marker key, the released keys) is
    // behind us before the next trial.
    static void settle() { std::this_thread::sleep_for(40ms); }

    // Presses Ctrl+Alt+`key` on the server's keyboard and holds it until `text` has arrived in
    // `r` (at most `deadline`); the press time in CLOCK_MONOTONIC ns.
    std::int64_t pressHeld(Receiver& r, unsigned long key, const std::string& text,
                           std::chrono::milliseconds deadline) {
        const std::size_t from = r.count();
        keyboard_.key(XK_Control_L, true);
        keyboard_.key(XK_Alt_L, true);
        const std::int64_t t0 = bench::monotonicNs();
        keyboard_.key(key, true);
        waitForVisible(r, from, text, deadline);
        keyboard_.key(key, false);
        keyboard_.key(XK_Alt_L, false);
        keyboard_.key(XK_Control_L, false);
        return t0;
    }

    static std::string count(int done, int clean, int of) {
        return std::to_string(done) + "/" + std::to_string(of) + " arrived, " + std::to_string(clean) + " exact";
    }

    void hotkeys(Subject& s) {
        std::vector<double> first, whole;
        int fired = 0, clean = 0;
        for (int i = 0; i < options_.presses; ++i) {
            const std::size_t from = receiver_->count();
            const std::int64_t t0 = pressHeld(*receiver_, XK_n, bench::kHotkeyText, 3s);
            settle();
            const auto keys = receiver_->keys();
            const Receiver::Key* last = completing(keys, from, bench::kHotkeyText);
            if (last == nullptr) continue;
            ++fired;
            if (bench::visibleText(keys, from) == bench::kHotkeyText) ++clean;
            const auto firstText = std::find_if(keys.begin() + static_cast<std::ptrdiff_t>(from), keys.end(),
                                                [](const Receiver::Key& k) { return !k.text.empty(); });
            first.push_back(static_cast<double>(firstText->ns - t0) / 1e6);
            whole.push_back(static_cast<double>(last->ns - t0) / 1e6);
        }
        s.figures.first = bench::summarize(first);
        s.figures.whole = bench::summarize(whole);
        s.figures.hotkeyCount = count(fired, clean, options_.presses);
        std::printf("hotkey Ctrl+Alt+N held on the server keyboard -> \"hello\": %s\n", s.figures.hotkeyCount.c_str());
        std::printf("  press to first character : %s\n", bench::describe(s.figures.first, "ms").c_str());
        std::printf("  press to whole text      : %s\n", bench::describe(s.figures.whole, "ms").c_str());
    }

    void bursts() {
        int fired = 0;
        std::vector<double> latency;
        for (int i = 0; i < options_.bursts; ++i) {
            const std::size_t from = receiver_->count();
            const std::int64_t t0 = bench::monotonicNs();
            const pid_t pid = bench::spawn({"xdotool", "key", "--delay", "0", "ctrl+alt+n"});
            int status = 0;
            ::waitpid(pid, &status, 0);
            const bool arrived = waitForVisible(*receiver_, from, bench::kHotkeyText, 2s);
            settle();
            if (!arrived) continue;
            ++fired;
            if (const auto* last = completing(receiver_->keys(), from, bench::kHotkeyText))
                latency.push_back(static_cast<double>(last->ns - t0) / 1e6);
        }
        std::printf("chord in one burst (xdotool key --delay 0 ctrl+alt+n): fired %d of %d\n", fired, options_.bursts);
        if (!latency.empty()) {
            std::printf("  xdotool start to whole text: %s\n",
                        bench::describe(bench::summarize(latency), "ms").c_str());
        }
    }

    void shortKeys(Subject& s) {
        std::vector<double> complete;
        int clean = 0, arrivedCount = 0;
        std::map<std::string, int> garbled;
        for (int i = 0; i < options_.shortKeys; ++i) {
            // Each trial starts on a fresh line, so nothing typed before is part of it.
            std::size_t from = receiver_->count();
            keyboard_.tap(XK_Return);
            receiver_->waitFor(
                from, [](const std::vector<Receiver::Key>& k) { return !k.empty(); }, 2s);
            from = receiver_->count();
            keyboard_.tap(XK_q);
            const std::int64_t t0 = bench::monotonicNs();
            keyboard_.tap(XK_q);
            const bool arrived = waitForVisible(*receiver_, from, bench::kShortKeyText, 3s);
            settle();
            const auto keys = receiver_->keys();
            const std::string seen = bench::visibleText(keys, from);
            if (arrived) ++arrivedCount;
            if (seen == bench::kShortKeyText)
                ++clean;
            else
                ++garbled[seen];
            if (const auto* last = completing(keys, from, bench::kShortKeyText))
                complete.push_back(static_cast<double>(last->ns - t0) / 1e6);
        }
        s.figures.shortKey = bench::summarize(complete);
        s.figures.shortKeyCount = count(arrivedCount, clean, options_.shortKeys);
        std::printf("ShortKey \"qq\" -> \"replaced\": %s\n", s.figures.shortKeyCount.c_str());
        for (const auto& [text, n] : garbled) std::printf("  seen %dx instead: \"%s\"\n", n, text.c_str());
        std::printf("  last keystroke to whole replacement: %s\n", bench::describe(s.figures.shortKey, "ms").c_str());
    }

    // The popup menu's window: managed by the window manager and viewable, or 0.
    unsigned long menuWindow() {
        const WindowId w = windows_->findWindowByTitle(bench::kMenuTitle);
        XWindowAttributes a{};
        if (w == 0 || XGetWindowAttributes(keyboard_.display(), static_cast<Window>(w), &a) == 0) return 0;
        return a.map_state == IsViewable ? static_cast<unsigned long>(w) : 0;
    }

    void popupMenus(Subject& s) {
        std::vector<double> shown;
        int unfocused = 0, leftOpen = 0;
        for (int i = 0; i < options_.menus; ++i) {
            keyboard_.key(XK_Control_L, true);
            keyboard_.key(XK_Alt_L, true);
            const std::int64_t t0 = bench::monotonicNs();
            keyboard_.key(XK_m, true);
            keyboard_.key(XK_m, false);
            keyboard_.key(XK_Alt_L, false);
            keyboard_.key(XK_Control_L, false);
            unsigned long w = 0;
            const bool up = bench::waitOnRoot([&] { return (w = menuWindow()) != 0; }, 3s);
            const std::int64_t t1 = bench::monotonicNs();
            if (!up) continue;
            shown.push_back(static_cast<double>(t1 - t0) / 1e6);
            // Escape goes to the window with the keyboard focus: pressed before the window
            // manager has given it to the menu, it would leave the menu open and the next press
            // of the hotkey would only be refused.
            if (!windows_->waitUntilActive(static_cast<WindowId>(w), 3000ms)) ++unfocused;
            keyboard_.tap(XK_Escape);
            if (!bench::waitOnRoot([&] { return !bench::isManaged(w); }, 3s)) ++leftOpen;
            // The focus is back in the receiver before the next menu.
            focus(*receiver_);
        }
        s.figures.menu = bench::summarize(shown);
        std::printf("popup menu of %d entries, Ctrl+Alt+M: %zu/%d shown\n", bench::kMenuEntries, shown.size(),
                    options_.menus);
        std::printf("  press to window mapped: %s\n", bench::describe(s.figures.menu, "ms").c_str());
        if (unfocused + leftOpen > 0)
            std::printf("  never active: %d, still open after Escape: %d\n", unfocused, leftOpen);
    }

    void phrases(Subject& s) {
        const std::string expected = cp1252ToUtf8(bench::longPhrase());
        std::vector<double> complete;
        int arrived = 0, exact = 0;
        for (int i = 0; i < options_.phrases; ++i) {
            std::size_t from = field_->count();
            keyboard_.tap(XK_Return);
            field_->waitFor(
                from, [](const std::vector<Receiver::Key>& k) { return !k.empty(); }, 2s);
            from = field_->count();
            const std::int64_t t0 = pressHeld(*field_, XK_l, expected, 5s);
            settle();
            const auto keys = field_->keys();
            const std::string seen = bench::visibleText(keys, from);
            if (seen.size() >= expected.size()) ++arrived;
            if (seen == expected) ++exact;
            if (const auto* last = completing(keys, from, expected))
                complete.push_back(static_cast<double>(last->ns - t0) / 1e6);
        }
        s.figures.phrase = bench::summarize(complete);
        s.figures.phraseCount = count(arrived, exact, options_.phrases);
        std::printf("Ctrl+Alt+L held -> 500 characters, 5 outside the layout, into a Qt text field: %s\n",
                    s.figures.phraseCount.c_str());
        std::printf("  press to last character: %s\n", bench::describe(s.figures.phrase, "ms").c_str());
    }

    void idle(Subject& s) {
        const long hz = ::sysconf(_SC_CLK_TCK);
        const std::vector<pid_t> tree = processTree(s.pid, s.notItself);
        const CpuSample before = cpuOf(tree);
        const auto start = bench::Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(options_.idleSeconds));
        const CpuSample after = cpuOf(tree);
        const double seconds = std::chrono::duration<double>(bench::Clock::now() - start).count();
        const double statPercent =
            100.0 * static_cast<double>(after.ticks - before.ticks) / static_cast<double>(hz) / seconds;
        const double runPercent = 100.0 * static_cast<double>(after.runNs - before.runNs) / 1e9 / seconds;
        s.figures.idlePercent = runPercent;
        std::printf(
            "idle %.1f s: %lld clock ticks (1/%ld s) of utime+stime = %.4f%% of a core; scheduler run time %.3f ms = "
            "%.4f%% of a core\n",
            seconds, after.ticks - before.ticks, hz, statPercent, static_cast<double>(after.runNs - before.runNs) / 1e6,
            runPercent);
        for (const auto& [thread, ns] : after.threadNs) {
            const auto it = before.threadNs.find(thread);
            const long long used = ns - (it == before.threadNs.end() ? 0 : it->second);
            if (used > 0) std::printf("  thread %s: %.3f ms\n", thread.c_str(), static_cast<double>(used) / 1e6);
        }
    }

    // One line of the comparison: orvanta's figure, the peer's, their ratio and the goal.
    static void line(const char* what, double ours, double peers, const char* unit, double goal,
                     const std::string& note) {
        if (ours < 0 && peers < 0) return;
        char ratio[32] = "-";
        if (ours >= 0 && peers > 0) std::snprintf(ratio, sizeof ratio, "%.2f", ours / peers);
        char peer[32] = "-";
        if (peers >= 0) std::snprintf(peer, sizeof peer, "%.3f", peers);
        std::printf("%-44s %10.3f %10s  %-4s ratio %-6s goal <= %g %s: %s%s\n", what, ours, peer, unit, ratio, goal,
                    unit, ours >= 0 && ours <= goal ? "met" : "missed", note.c_str());
    }

    // A median, or -1 when nothing was measured.
    static double median(const bench::Summary& s) { return s.n == 0 ? -1 : s.median; }

    static void report(const std::vector<Subject>& subjects, const FieldLimit& limit) {
        const Figures& o = subjects[0].figures;
        const Figures none;
        const Figures& p = subjects.size() > 1 ? subjects[1].figures : none;
        std::printf("=== orvanta against %s (medians; ratio = orvanta / peer)\n",
                    subjects.size() > 1 ? subjects[1].name.c_str() : "no peer");
        line("start-up to ready", o.startMs, p.startMs, "ms", 100, "");
        line("hotkey held: press to first character", median(o.first), median(p.first), "ms", 5, "");
        line("hotkey held: press to whole 5-character text", median(o.whole), median(p.whole), "ms", 2,
             " (" + o.hotkeyCount + "; peer " + (p.hotkeyCount.empty() ? "-" : p.hotkeyCount) + ")");
        line("ShortKey: last key to whole replacement", median(o.shortKey), median(p.shortKey), "ms", 3,
             " (" + o.shortKeyCount + "; peer " + (p.shortKeyCount.empty() ? "-" : p.shortKeyCount) + ")");
        line("500-character phrase, keys held, Qt field", median(o.phrase), median(p.phrase), "ms", 60,
             " (" + o.phraseCount + "; peer " + (p.phraseCount.empty() ? "-" : p.phraseCount) + ")");
        if (limit.oneWrite.n > 0) {
            std::printf("%-44s %10.3f (one XTest burst, one write; a write per event %.3f ms; %s)\n",
                        "500-character phrase: the field's own limit", limit.oneWrite.median, median(limit.perEvent),
                        limit.oneWriteCount.c_str());
        }
        line("popup menu of 36: press to window mapped", median(o.menu), -1, "ms", 30, "");
        line("resident memory after the runs", o.rssMiB, p.rssMiB, "MiB", 30, "");
        line("idle processor time", o.idlePercent, p.idlePercent, "%", 0.05, "");
    }

    Options options_;
    std::string home_, file_;
    std::unique_ptr<x11::X11WindowSystem> windows_;
    x11::test::PhysicalKeyboard keyboard_;
    std::unique_ptr<Receiver> receiver_, field_;
};

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Options options;
    const std::map<std::string, int*> numbers = {
        {"--macros", &options.macros},    {"--starts", &options.starts},       {"--presses", &options.presses},
        {"--bursts", &options.bursts},    {"--shortkeys", &options.shortKeys}, {"--phrases", &options.phrases},
        {"--idle", &options.idleSeconds}, {"--menus", &options.menus},         {"--floors", &options.floors},
    };
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (const auto it = numbers.find(a); it != numbers.end()) {
            *it->second = std::max(a == "--starts" ? 1 : 0, std::atoi(argv[i + 1]));
        } else if (a == "--peer") {
            options.peer = argv[i + 1];
        } else if (a == "--trace") {
            options.trace = argv[i + 1];
        }
    }
    if (!orv::x11::test::haveDisplay()) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    return Bench(options).run();
}
