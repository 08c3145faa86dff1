#include "platform/x11/x11_shell.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <future>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/cp1252.h"
#include "platform/x11/run_program.h"
#include "platform/unique_fd.h"

namespace orv::x11 {

namespace {

namespace fs = std::filesystem;

constexpr int kOpened = 42;
constexpr int kOutOfResources = 0;
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kOutOfMemory = 8;
constexpr int kBadFormat = 11;
constexpr int kSharingViolation = 26;
constexpr int kNoAssociation = 31;

// The result number of a failed stat, open or exec.
int resultOfErrno(int error) {
    switch (error) {
        case ENOENT:
        case ELOOP:
        case ENAMETOOLONG:
            return kFileNotFound;
        case ENOTDIR:
            return kPathNotFound;
        case EACCES:
        case EPERM:
            return kAccessDenied;
        case ENOEXEC:
        case ELIBBAD:
            return kBadFormat;
        case ETXTBSY:
            return kSharingViolation;
        case ENOMEM:
        case EAGAIN:
        case E2BIG:
            return kOutOfMemory;
        default:
            return kOutOfResources;
    }
}

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

// A name in double quotes (as written when it holds blanks) is the name without them.
std::string unquoted(std::string s) {
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
    return s;
}

std::string asciiLower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

// "scheme:rest" with a scheme of two characters or more (so that a drive letter is none).
bool isAddress(std::string_view s) {
    const auto colon = s.find(':');
    if (colon == std::string_view::npos || colon < 2 || colon + 1 >= s.size()) return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!alpha(s[0])) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = s[i];
        if (!alpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

bool startsWithWww(std::string_view s) { return s.size() > 4 && asciiLower(std::string(s.substr(0, 4))) == "www."; }

// `path` taken relative to `directory` (itself relative to the current folder) when relative.
std::string resolved(const std::string& path, const std::string& directory) {
    const fs::path p(path);
    if (p.is_absolute()) return path;
    std::error_code ec;
    const fs::path base = directory.empty() ? fs::current_path(ec) : fs::absolute(directory, ec);
    return (base / p).string();
}

// Started directly (no shell, no search) with our standard streams, in `directory` when given,
// in a session of its own so that a terminal's Ctrl+C or hang-up meant for us does not reach it.
Spawned spawnDetached(const std::string& path, const std::vector<std::string>& argv, const std::string& directory) {
    SpawnOptions options;
    options.directory = directory;
    options.newSession = true;
    return spawnProgram(path, argv, options);
}

}  // namespace

struct X11Shell::Shared {
    std::mutex mutex;
    ExitObserver observer;
};

// Waits for `pid` on a detached thread of its own, so that it never stays a zombie and nobody
// else has to wait; the future gets its wait status.
std::future<int> X11Shell::reap(pid_t pid) {
    auto promise = std::make_shared<std::promise<int>>();
    std::future<int> done = promise->get_future();
    try {
        std::thread([pid, shared = shared_, promise] {
            // A child someone else reaped counts as ended cleanly: it was started, and nothing
            // more is known.
            const int status = waitForStatus(pid).value_or(0);
            promise->set_value(status);
            std::lock_guard lock(shared->mutex);
            if (shared->observer) shared->observer(pid, status);
        }).detach();
    } catch (const std::system_error&) {
        // Out of threads: the child is left to be reaped when this process ends.
    }
    return done;
}

X11Shell::X11Shell(std::chrono::milliseconds openerWait)
    : openerWait_(openerWait), shared_(std::make_shared<Shared>()) {}

X11Shell::~X11Shell() {
    // Reaping threads outlive the shell; they must not call into an observer that is gone.
    std::lock_guard lock(shared_->mutex);
    shared_->observer = nullptr;
}

void X11Shell::setExitObserver(ExitObserver observer) {
    std::lock_guard lock(shared_->mutex);
    shared_->observer = std::move(observer);
}

int X11Shell::shellOpen(const std::string& verb, const std::string& target, const std::string& parameters,
                        const std::string& directory) {
    const std::string how = asciiLower(trimmed(verb));
    if (!how.empty() && how != "open" && how != "explore") return kNoAssociation;

    const std::string folder = cp1252ToUtf8(unquoted(trimmed(directory)));
    if (!folder.empty()) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0) return errno == EACCES ? kAccessDenied : kPathNotFound;
        if (!S_ISDIR(st.st_mode)) return kPathNotFound;
    }
    const std::string name = cp1252ToUtf8(unquoted(trimmed(target)));

    if (how == "explore") {
        if (name.empty()) return kPathNotFound;
        const std::string path = resolved(name, folder);
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return errno == EACCES ? kAccessDenied : kPathNotFound;
        if (!S_ISDIR(st.st_mode)) return kPathNotFound;
        return openWithDesktop(path, folder);
    }

    if (name.empty()) return kFileNotFound;
    const std::vector<std::string> arguments = splitParameters(cp1252ToUtf8(parameters));
    // A bare name is a program on PATH first, as a command line takes it; only then a file of
    // the starting folder.
    if (name.find('/') == std::string::npos) {
        const std::string program = findProgram(name);
        if (!program.empty()) return startProgram(program, arguments, folder);
    }
    const std::string path = resolved(name, folder);
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (!exists && isAddress(name)) return openWithDesktop(name, folder);
    if (!exists && startsWithWww(name)) return openWithDesktop("http://" + name, folder);
    return openPath(path, arguments, folder);
}

int X11Shell::openPath(const std::string& path, const std::vector<std::string>& arguments,
                       const std::string& directory) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int error = errno;
        if (error != ENOENT) return resultOfErrno(error);
        // The file is missing, or already a folder on its way.
        struct stat parent {};
        const std::string up = fs::path(path).parent_path().string();
        const bool folderThere = up.empty() || (::stat(up.c_str(), &parent) == 0 && S_ISDIR(parent.st_mode));
        return folderThere ? kFileNotFound : kPathNotFound;
    }
    if (S_ISDIR(st.st_mode)) return openWithDesktop(path, directory);
    if (!S_ISREG(st.st_mode)) return openWithDesktop(path, directory);
    if ((st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0) return startProgram(path, arguments, directory);

    // No execute permission: a program (an ELF image or a "#!" script) is refused as the system
    // would refuse it; anything else is a document for its handler.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (!fd) return resultOfErrno(errno);
    char head[4] = {};
    const ssize_t n = ::read(fd.get(), head, sizeof head);
    const bool script = n >= 2 && head[0] == '#' && head[1] == '!';
    const bool image = n == 4 && std::memcmp(head,
                                             "\x7f"
                                             "ELF",
                                             4) == 0;
    if (script || image) return kAccessDenied;
    return openWithDesktop(path, directory);
}

int X11Shell::startProgram(const std::string& path, const std::vector<std::string>& arguments,
                           const std::string& directory) {
    std::vector<std::string> argv{path};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const Spawned s = spawnDetached(path, argv, directory);
    if (s.error != 0) return resultOfErrno(s.error);
    reap(s.pid);
    return kOpened;
}

int X11Shell::openWithDesktop(const std::string& target, const std::string& directory) {
    const std::string opener = findProgram("xdg-open");
    if (opener.empty()) return kNoAssociation;
    const Spawned s = spawnDetached(opener, {"xdg-open", target}, directory);
    if (s.error != 0) return kNoAssociation;
    std::future<int> done = reap(s.pid);
    // Still running: it has found a handler and runs it in the foreground.
    if (done.wait_for(openerWait_) != std::future_status::ready) return kOpened;
    int status = 0;
    try {
        status = done.get();
    } catch (const std::future_error&) {
        return kOpened;  // nobody could wait for it: it was started, which is all that is known
    }
    if (!WIFEXITED(status)) return kNoAssociation;
    switch (WEXITSTATUS(status)) {
        case 0:
            return kOpened;
        case 2:
            return kFileNotFound;
        case 5:
            return kAccessDenied;
        default:  // 1: the argument was not taken; 3: no method for it; 4: its handler failed
            return kNoAssociation;
    }
}

std::vector<std::string> splitParameters(std::string_view parameters) {
    std::vector<std::string> out;
    std::string current;
    bool inWord = false;
    bool quoted = false;
    for (const char c : parameters) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;  // "" is an argument, if an empty one
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
            if (inWord) out.push_back(std::move(current));
            current.clear();
            inWord = false;
        } else {
            current += c;
            inWord = true;
        }
    }
    if (inWord) out.push_back(std::move(current));
    return out;
}

}  // namespace orv::x11
