// The resident program on a real display: orvanta runs against a macro file of 500 macros
// (written by orv_bench_macro_file) and types into the bare key receiver, which stamps every key
// it gets with CLOCK_MONOTONIC. Measures
//   - start-up to ready: the hand-over socket exists and the main window is the active one;
//   - a hotkey pressed on the server's own keyboard (Ctrl+Alt+N) until its text has arrived;
//   - the same chord sent in one burst by `xdotool key --delay 0`: how often it fires;
//   - a ShortKey ("qq") from its last keystroke until the whole replacement has arrived, and
//     whether what the user sees then is exactly the replacement;
//   - resident memory of orvanta and every process it started;
//   - processor time over idle seconds.
// Run it through bench/resident_bench.sh, which starts a private Xvfb with a window manager.
//   x11_resident_bench [--macros N] [--starts N] [--presses N] [--bursts N] [--shortkeys N]
//                      [--idle SECONDS] [--trace FILE]
// --trace runs the measured instance with the hook library's logging on, its standard error to FILE.
#include <X11/keysym.h>
#include <dirent.h>
#include <fcntl.h>
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

#include "bench_support.h"
#include "platform/x11/x11_window_system.h"
#include "x11_test_support.h"

namespace {

using namespace orv;
using namespace std::chrono_literals;
using bench::Receiver;

struct Options {
    int macros = 500, starts = 7, presses = 50, bursts = 30, shortKeys = 50, idleSeconds = 30;
    std::string trace;
};

// orvanta and every process below it.
std::vector<pid_t> processTree(pid_t root) {
    std::map<pid_t, pid_t> parent;
    if (DIR* proc = ::opendir("/proc")) {
        while (dirent* e = ::readdir(proc)) {
            const pid_t pid = static_cast<pid_t>(std::atoi(e->d_name));
            if (pid <= 0) continue;
            std::ifstream stat("/proc/" + std::string(e->d_name) + "/stat");
            std::string line;
            std::getline(stat, line);
            const auto close = line.rfind(')');
            if (close == std::string::npos) continue;
            std::istringstream rest(line.substr(close + 2));
            std::string state;
            pid_t ppid = 0;
            rest >> state >> ppid;
            parent[pid] = ppid;
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

// Resident set of the tree in KiB, and a description per process.
long treeRssKb(pid_t root, std::string& detail) {
    long total = 0;
    detail.clear();
    for (pid_t pid : processTree(root)) {
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

CpuSample cpuOf(pid_t root) {
    CpuSample s;
    for (pid_t pid : processTree(root)) {
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

class Bench {
public:
    explicit Bench(Options options) : options_(std::move(options)) {}

    int run() {
        std::printf("%s\n", bench::loadLine().c_str());
        char pattern[] = "/tmp/orvanta-resident-bench-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) return fail("no temporary directory");
        home_ = pattern;
        runtime_ = home_ + "/runtime";
        ::mkdir(runtime_.c_str(), 0700);
        file_ = home_ + "/bench.ORV";
        const int macros = writeMacroFile();
        if (macros <= 0) return fail("the macro file could not be written");
        std::printf("macro file: %d macros (%lld KiB)\n", macros,
                    static_cast<long long>(std::filesystem::file_size(file_) / 1024));

        windows_ = x11::X11WindowSystem::create();
        if (!windows_ || !keyboard_.valid()) return fail("no display or no server keyboard device");
        receiver_ = std::make_unique<Receiver>("Resident Bench Receiver");
        if (receiver_->window() == 0) return fail("the key receiver did not come up");

        startUp();
        if (pid_ <= 0) return fail("orvanta did not get ready");
        std::string detail;
        const long rssAtStart = treeRssKb(pid_, detail);
        std::printf("resident memory after start-up: %.1f MiB (%s)\n", rssAtStart / 1024.0, detail.c_str());

        if (!focusReceiver()) return fail("the key receiver could not be activated");
        hotkeys();
        bursts();
        shortKeys();
        const long rss = treeRssKb(pid_, detail);
        std::printf("resident memory after the runs: %.1f MiB (%s); goal <= 30 MiB: %s\n", rss / 1024.0, detail.c_str(),
                    rss <= 30 * 1024 ? "met" : "missed");
        idle();
        bench::stop(pid_);
        std::printf("%s\n", bench::loadLine().c_str());
        std::error_code ec;
        std::filesystem::remove_all(home_, ec);
        return 0;
    }

private:
    int fail(const char* what) {
        std::fprintf(stderr, "%s\n", what);
        if (pid_ > 0) bench::stop(pid_);
        return 2;
    }

    int writeMacroFile() {
        int fds[2];
        if (::pipe(fds) != 0) return -1;
        const pid_t pid = bench::spawn({ORV_MACRO_FILE_TOOL, file_, std::to_string(options_.macros)}, {}, fds[1]);
        ::close(fds[1]);
        char buffer[64] = {0};
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer - 1);
        ::close(fds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        return n > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? std::atoi(buffer) : -1;
    }

    std::string socketPath() const { return runtime_ + "/orvanta-" + std::to_string(::getuid()) + ".socket"; }

    // Starts orvanta; the time until it is ready, or a negative number.
    double startOnce(bool traced) {
        std::vector<std::string> env = {"ORVANTA_HOME=" + home_, "XDG_RUNTIME_DIR=" + runtime_, "QT_QPA_PLATFORM=xcb"};
        int err = -1;
        if (traced) {
            env.push_back("QT_LOGGING_RULES=orvanta.hook.debug=true");
            env.push_back("QT_MESSAGE_PATTERN=%{time process} %{message}");
            err = ::open(options_.trace.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        }
        const auto started = bench::Clock::now();
        pid_ = bench::spawn({ORV_RESIDENT, "/F", file_}, env, -1, err);
        if (err >= 0) ::close(err);
        const bool ready = bench::waitOnRoot(
            [&] {
                return std::filesystem::exists(socketPath()) &&
                       windows_->windowProcess(windows_->foregroundWindow()) == pid_;
            },
            20s);
        const double ms = std::chrono::duration<double, std::milli>(bench::Clock::now() - started).count();
        if (!ready) {
            bench::stop(pid_);
            pid_ = -1;
            return -1;
        }
        return ms;
    }

    void stopResident() {
        std::vector<unsigned long> own;
        for (WindowId w : windows_->topLevelWindows()) {
            if (windows_->windowProcess(w) == pid_) own.push_back(static_cast<unsigned long>(w));
        }
        bench::stop(pid_);
        pid_ = -1;
        // A socket left behind is found stale by the next start; removing it here keeps the
        // readiness check honest.
        std::error_code ec;
        std::filesystem::remove(socketPath(), ec);
        bench::waitOnRoot([&] { return std::none_of(own.begin(), own.end(), bench::isManaged); }, 20s);
    }

    void startUp() {
        std::vector<double> warm;
        double first = -1;
        for (int i = 0; i < options_.starts; ++i) {
            const bool last = i + 1 == options_.starts;
            const double ms = startOnce(last && !options_.trace.empty());
            if (ms < 0) {
                std::printf("start %d: not ready within 20 s\n", i + 1);
                continue;
            }
            if (i == 0)
                first = ms;
            else
                warm.push_back(ms);
            if (!last) stopResident();
        }
        std::printf("start-up to ready: first start %.1f ms; later starts %s; goal <= 250 ms\n", first,
                    bench::describe(bench::summarize(warm), "ms").c_str());
    }

    bool focusReceiver() {
        const auto w = static_cast<WindowId>(receiver_->window());
        return windows_->setForegroundWindow(w) && windows_->waitUntilActive(w, 5s);
    }

    // The key of keys[from..] with which the visible text first equals `text`; nullptr if none.
    static const Receiver::Key* completing(const std::vector<Receiver::Key>& keys, std::size_t from,
                                           const std::string& text) {
        for (std::size_t i = from; i < keys.size(); ++i) {
            const std::vector<Receiver::Key> head(keys.begin() + static_cast<std::ptrdiff_t>(from),
                                                  keys.begin() + static_cast<std::ptrdiff_t>(i + 1));
            if (bench::visibleText(head) == text) return &keys[i];
        }
        return nullptr;
    }

    bool waitForVisible(std::size_t from, const std::string& text, std::chrono::milliseconds deadline) {
        return receiver_->waitFor(
            from, [&](const std::vector<Receiver::Key>& keys) { return bench::visibleText(keys) == text; }, deadline);
    }

    // Waits a little after a playback so that its end (the marker key, the released
    // modifiers) is behind us before the next trial, and reports anything typed late.
    void settle() { std::this_thread::sleep_for(40ms); }

    void hotkeys() {
        std::vector<double> first, complete;
        int fired = 0, clean = 0;
        for (int i = 0; i < options_.presses; ++i) {
            const std::size_t from = receiver_->count();
            keyboard_.key(XK_Control_L, true);
            keyboard_.key(XK_Alt_L, true);
            const std::int64_t t0 = bench::monotonicNs();
            keyboard_.key(XK_n, true);
            keyboard_.key(XK_n, false);
            keyboard_.key(XK_Alt_L, false);
            keyboard_.key(XK_Control_L, false);
            const bool arrived = waitForVisible(from, "hello", 3s);
            settle();
            const auto keys = receiver_->keys();
            if (!arrived) continue;
            ++fired;
            if (bench::visibleText(keys, from) == "hello") ++clean;
            for (std::size_t k = from; k < keys.size(); ++k) {
                if (!keys[k].text.empty()) {
                    first.push_back(static_cast<double>(keys[k].ns - t0) / 1e6);
                    break;
                }
            }
            if (const auto* last = completing(keys, from, "hello"))
                complete.push_back(static_cast<double>(last->ns - t0) / 1e6);
        }
        std::printf("hotkey Ctrl+Alt+N on the server keyboard -> \"hello\": fired %d of %d, clean %d\n", fired,
                    options_.presses, clean);
        std::printf("  press to first character : %s\n", bench::describe(bench::summarize(first), "ms").c_str());
        std::printf("  press to whole text      : %s; goal <= 2 ms\n",
                    bench::describe(bench::summarize(complete), "ms").c_str());
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
            const bool arrived = waitForVisible(from, "hello", 2s);
            settle();
            if (!arrived) continue;
            ++fired;
            const auto keys = receiver_->keys();
            if (const auto* last = completing(keys, from, "hello"))
                latency.push_back(static_cast<double>(last->ns - t0) / 1e6);
        }
        std::printf("chord in one burst (xdotool key --delay 0 ctrl+alt+n): fired %d of %d\n", fired, options_.bursts);
        if (!latency.empty()) {
            std::printf("  xdotool start to whole text: %s\n",
                        bench::describe(bench::summarize(latency), "ms").c_str());
        }
    }

    void shortKeys() {
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
            const bool arrived = waitForVisible(from, "replaced", 3s);
            settle();
            const auto keys = receiver_->keys();
            const std::string seen = bench::visibleText(keys, from);
            if (arrived) ++arrivedCount;
            if (seen == "replaced")
                ++clean;
            else
                ++garbled[seen];
            if (const auto* last = completing(keys, from, "replaced"))
                complete.push_back(static_cast<double>(last->ns - t0) / 1e6);
        }
        std::printf("ShortKey \"qq\" -> \"replaced\": complete %d of %d, clean %d of %d\n", arrivedCount,
                    options_.shortKeys, clean, options_.shortKeys);
        for (const auto& [text, count] : garbled) std::printf("  seen %dx instead: \"%s\"\n", count, text.c_str());
        std::printf("  last keystroke to whole replacement: %s; goal <= 3 ms\n",
                    bench::describe(bench::summarize(complete), "ms").c_str());
    }

    void idle() {
        const long hz = ::sysconf(_SC_CLK_TCK);
        const CpuSample before = cpuOf(pid_);
        const auto start = bench::Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(options_.idleSeconds));
        const CpuSample after = cpuOf(pid_);
        const double seconds = std::chrono::duration<double>(bench::Clock::now() - start).count();
        const double statPercent =
            100.0 * static_cast<double>(after.ticks - before.ticks) / static_cast<double>(hz) / seconds;
        const double runPercent = 100.0 * static_cast<double>(after.runNs - before.runNs) / 1e9 / seconds;
        std::printf(
            "idle %.1f s: %lld clock ticks (1/%ld s) of utime+stime = %.4f%% of a core; scheduler run time %.3f ms = "
            "%.4f%% of a core; goal <= 0.05%%\n",
            seconds, after.ticks - before.ticks, hz, statPercent, static_cast<double>(after.runNs - before.runNs) / 1e6,
            runPercent);
        for (const auto& [thread, ns] : after.threadNs) {
            const auto it = before.threadNs.find(thread);
            const long long used = ns - (it == before.threadNs.end() ? 0 : it->second);
            if (used > 0) std::printf("  thread %s: %.3f ms\n", thread.c_str(), static_cast<double>(used) / 1e6);
        }
    }

    Options options_;
    std::string home_, runtime_, file_;
    std::unique_ptr<x11::X11WindowSystem> windows_;
    x11::test::PhysicalKeyboard keyboard_;
    std::unique_ptr<Receiver> receiver_;
    pid_t pid_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string a = argv[i];
        const std::string v = argv[++i];
        if (a == "--macros")
            options.macros = std::atoi(v.c_str());
        else if (a == "--starts")
            options.starts = std::max(1, std::atoi(v.c_str()));
        else if (a == "--presses")
            options.presses = std::atoi(v.c_str());
        else if (a == "--bursts")
            options.bursts = std::atoi(v.c_str());
        else if (a == "--shortkeys")
            options.shortKeys = std::atoi(v.c_str());
        else if (a == "--idle")
            options.idleSeconds = std::atoi(v.c_str());
        else if (a == "--trace")
            options.trace = v;
    }
    if (!orv::x11::test::haveDisplay()) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    return Bench(options).run();
}
