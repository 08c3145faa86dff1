#include "app/cli/scratch_dir.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace orv::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = "orvanta-play-";
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};

// What the signal handler removes: set before the handler is installed, or while the signals
// are blocked, so that it never sees half a path.
char heldFile[PATH_MAX];
char heldDir[PATH_MAX];
struct sigaction previous[std::size(kSignals)];

// Removes the copy and its folder, then ends the process by the same signal as it would have
// ended without this handler. Only calls that are safe in a signal handler.
void onSignal(int signal) {
    if (heldFile[0] != '\0') ::unlink(heldFile);
    if (heldDir[0] != '\0') ::rmdir(heldDir);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// Runs `change` with the signals above blocked.
template <typename Change>
void withSignalsBlocked(Change change) {
    sigset_t blocked, old;
    ::sigemptyset(&blocked);
    for (int s : kSignals) ::sigaddset(&blocked, s);
    ::sigprocmask(SIG_BLOCK, &blocked, &old);
    change();
    ::sigprocmask(SIG_SETMASK, &old, nullptr);
}

bool copyInto(char (&to)[PATH_MAX], const std::string& from) {
    if (from.size() >= PATH_MAX) return false;
    std::memcpy(to, from.c_str(), from.size() + 1);
    return true;
}

// The pid in "orvanta-play-<pid>-XXXXXX"; 0 when the name is not of that form.
pid_t ownerOf(const std::string& name) {
    if (name.rfind(kPrefix, 0) != 0) return 0;
    const char* digits = name.c_str() + std::strlen(kPrefix);
    char* end = nullptr;
    const long pid = std::strtol(digits, &end, 10);
    return end != digits && *end == '-' && pid > 0 ? static_cast<pid_t>(pid) : 0;
}

}  // namespace

ScratchDir::ScratchDir(const std::string& parent) {
    removeAbandonedScratchDirs(parent);
    std::string pattern = parent + "/" + kPrefix + std::to_string(::getpid()) + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr || !copyInto(heldDir, pattern)) return;
    path_ = pattern;
    heldFile[0] = '\0';
    struct sigaction action {};
    action.sa_handler = onSignal;
    ::sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &action, &previous[i]);
}

ScratchDir::~ScratchDir() {
    if (path_.empty()) return;
    std::error_code ec;
    fs::remove_all(path_, ec);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &previous[i], nullptr);
    heldFile[0] = heldDir[0] = '\0';
}

void ScratchDir::holds(const std::string& file) {
    withSignalsBlocked([&] {
        if (!copyInto(heldFile, file)) heldFile[0] = '\0';
    });
}

void removeAbandonedScratchDirs(const std::string& parent) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(parent, ec)) {
        const pid_t pid = ownerOf(entry.path().filename().string());
        if (pid == 0 || !entry.is_directory(ec) || entry.is_symlink(ec)) continue;
        // A run that still lives keeps its folder.
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
        fs::remove_all(entry.path(), ec);
    }
}

}  // namespace orv::cli
