#include "store/macro_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "platform/activation_table.h"
#include "store/popup_menu_entries.h"

namespace orv {

std::string MacroFileContents::damage() const {
    if (trailingBytes != 0 && recordsInFile == 0) {
        return "it is shorter than one " + std::to_string(TMacroRecord::kSize) + "-byte record (" +
               std::to_string(trailingBytes) + " bytes)";
    }
    if (trailingBytes != 0) {
        return "its size is not a whole number of " + std::to_string(TMacroRecord::kSize) + "-byte records (" +
               std::to_string(trailingBytes) + " bytes are left over after record " + std::to_string(recordsInFile) +
               ")";
    }
    if (recordsInFile > static_cast<std::size_t>(kMaxMacros)) {
        return "it holds " + std::to_string(recordsInFile) + " macros, more than the " + std::to_string(kMaxMacros) +
               " a macro file may hold";
    }
    return {};
}

namespace {

bool readAll(int fd, std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string fileTypeText(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder";
    if (S_ISFIFO(mode)) return "it is a named pipe (FIFO), not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
    if (S_ISSOCK(mode)) return "it is a socket, not a file";
    return "it is not a regular file";
}

// Follows symbolic links from `path` to the file they name (which may not exist yet).
std::string resolveLinks(std::string path) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) break;
        target.resize(static_cast<std::size_t>(n));
        if (target.front() != '/') target = (std::filesystem::path(path).parent_path() / target).string();
        path = target;
    }
    return path;
}

// Temporary files of a replacement are hidden, name the file they replace and carry a mark of
// their own, so that clearing them up can never meet a user's file.
constexpr const char* kTempMark = ".orvtmp-";
constexpr std::size_t kTempSuffixLength = 6;

std::string tempPrefix(const std::string& target) {
    const std::filesystem::path p(target);
    return (p.parent_path() / ("." + p.filename().string() + kTempMark)).string();
}

std::string randomSuffix() {
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char raw[kTempSuffixLength] = {};
    if (::getrandom(raw, sizeof raw, 0) != static_cast<ssize_t>(sizeof raw)) {
        const auto seed = static_cast<unsigned>(::getpid()) ^ static_cast<unsigned>(::time(nullptr));
        for (std::size_t i = 0; i < sizeof raw; ++i) raw[i] = static_cast<unsigned char>(seed >> (i * 5));
    }
    std::string out;
    for (unsigned char c : raw) out += kChars[c % (sizeof kChars - 1)];
    return out;
}

// Flushes a folder, so that a rename in it survives a crash.
void syncFolder(const std::string& dir) {
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A temporary file beside the target, locked while it is written (see removeStaleTemporaries).
struct TempFile {
    std::string path;
    int fd = -1;
    bool keep = false;  // renamed into place
    ~TempFile() {
        if (fd >= 0) ::close(fd);
        if (!path.empty() && !keep) ::unlink(path.c_str());
    }
    bool create(const std::string& target, mode_t mode) {
        const std::string prefix = tempPrefix(target);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string candidate = prefix + randomSuffix();
            fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd >= 0) {
                path = candidate;
                ::flock(fd, LOCK_EX);
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }
};

}  // namespace

std::string nonRegularFileReason(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return {};
    return fileTypeText(st.st_mode);
}

int openRegularFile(const std::string& path, int flags, std::string* why) {
    auto refuse = [&](mode_t mode) {
        if (why != nullptr) *why = fileTypeText(mode);
        errno = EINVAL;
        return -1;
    };
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return refuse(st.st_mode);
    // Non-blocking, in case a pipe took the file's place since it was looked at.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (why != nullptr) *why = std::strerror(err);
        errno = err;
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse(st.st_mode);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

MacroFileContents readMacroFile(const std::string& path) {
    MacroFileContents out;
    const int fd = openRegularFile(path, O_RDONLY, &out.error);
    if (fd < 0) {
        out.status = errno == ENOENT ? MacroFileContents::Status::Missing : MacroFileContents::Status::Unreadable;
        return out;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        out.status = MacroFileContents::Status::Unreadable;
        out.error = std::strerror(errno);
        ::close(fd);
        return out;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    out.recordsInFile = size / TMacroRecord::kSize;
    out.trailingBytes = size % TMacroRecord::kSize;
    const std::size_t toRead = std::min<std::size_t>(out.recordsInFile, kMaxMacros);
    out.records.reserve(toRead);
    RecordBytes buffer{};
    for (std::size_t i = 0; i < toRead; ++i) {
        if (!readAll(fd, buffer.data(), buffer.size())) {
            out.status = MacroFileContents::Status::Unreadable;
            out.error = "it could not be read to its end";
            out.records.clear();
            break;
        }
        std::vector<std::string> problems;
        out.records.push_back(decodeRecord(buffer, &problems));
        for (const auto& problem : problems) out.problems.push_back("record " + std::to_string(i + 1) + ": " + problem);
    }
    ::close(fd);
    // A menu's entries can only be checked once the whole file is known.
    for (std::size_t i = 0; i < out.records.size(); ++i) {
        if (!out.records[i].isPopupMenu()) continue;
        const std::string problem =
            checkMenuEntries(out.records[i].MenuItems, static_cast<int>(out.records.size())).problem();
        if (!problem.empty()) out.problems.push_back("record " + std::to_string(i + 1) + ": popup menu " + problem);
    }
    return out;
}

bool replaceFileAtomically(const std::string& path, const std::string& bytes, std::string* error, mode_t newFileMode) {
    auto fail = [&](const std::string& what, int err) {
        if (error != nullptr) *error = err != 0 ? what + ": " + std::strerror(err) : what;
        return false;
    };
    const std::string target = resolveLinks(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) return fail("cannot look at it", errno);
    if (exists && !S_ISREG(st.st_mode)) return fail(fileTypeText(st.st_mode), 0);

    TempFile tmp;
    if (!tmp.create(target, exists ? 0600 : newFileMode)) return fail("cannot create a file beside it", errno);
    if (exists) {
        // Owner and group first: changing them may clear the set-id bits that fchmod then sets.
        struct stat mine {};
        if (::fstat(tmp.fd, &mine) != 0) return fail("cannot create a file beside it", errno);
        if ((mine.st_uid != st.st_uid || mine.st_gid != st.st_gid) && ::fchown(tmp.fd, st.st_uid, st.st_gid) != 0)
            return fail("its owner and group cannot be kept", errno);
        if (::fchmod(tmp.fd, st.st_mode & 07777) != 0) return fail("its permissions cannot be kept", errno);
    }
    if (!writeAll(tmp.fd, bytes.data(), bytes.size()) || ::fsync(tmp.fd) != 0)
        return fail("cannot write the new content", errno);
    // Renamed while still open, so that its lock guards it up to the moment it is in place.
    if (::rename(tmp.path.c_str(), target.c_str()) != 0) return fail("cannot replace it", errno);
    tmp.keep = true;
    syncFolder(std::filesystem::path(target).parent_path().string());
    return true;
}

void removeStaleTemporaries(const std::string& path) {
    const std::string prefix = tempPrefix(resolveLinks(path));
    const std::filesystem::path p(prefix);
    const std::string dir = p.parent_path().empty() ? "." : p.parent_path().string();
    const std::string start = p.filename().string();
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) return;
    while (const dirent* entry = ::readdir(d)) {
        const std::string name = entry->d_name;
        if (name.size() != start.size() + kTempSuffixLength || name.compare(0, start.size(), start) != 0) continue;
        const std::string full = dir + "/" + name;
        const int fd = ::open(full.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        // A writer holds its lock until it renames the file into place; an unlocked one was left
        // by a program that died.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(full.c_str());
        ::close(fd);
    }
    ::closedir(d);
}

}  // namespace orv
