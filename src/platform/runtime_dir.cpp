#include "platform/runtime_dir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orv {

namespace {

std::string octal(mode_t mode) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04o", static_cast<unsigned>(mode & 07777));
    return buf;
}

}  // namespace

std::string checkPrivateDir(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return path + ": " + std::strerror(errno);
    if (S_ISLNK(st.st_mode)) return path + " is a symbolic link";
    if (!S_ISDIR(st.st_mode)) return path + " is not a folder";
    if (st.st_uid != ::geteuid()) return path + " belongs to another user (uid " + std::to_string(st.st_uid) + ")";
    if ((st.st_mode & 077) != 0) return path + " is open to other users (mode " + octal(st.st_mode) + ")";
    return {};
}

RuntimeDir privateRuntimeDir(const char* xdgRuntimeDir, const std::string& fallbackRoot) {
    // A runtime folder that is not ours (left in the environment by su or sudo) is passed over.
    if (xdgRuntimeDir != nullptr && *xdgRuntimeDir != '\0' && checkPrivateDir(xdgRuntimeDir).empty())
        return {xdgRuntimeDir, {}};
    const std::string path = fallbackRoot + "/orvanta-" + std::to_string(::geteuid());
    // mkdir either creates the folder (ours, 0700 whatever the umask adds) or fails because
    // something is there already, which must then pass the checks as it stands.
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return {{}, "cannot create the private folder " + path + ": " + std::strerror(errno)};
    if (std::string why = checkPrivateDir(path); !why.empty())
        return {{},
                "the private folder is not safe to use: " + why +
                    " (remove it, or set XDG_RUNTIME_DIR to a folder of your own)"};
    return {path, {}};
}

RuntimeDir privateRuntimeDir() { return privateRuntimeDir(std::getenv("XDG_RUNTIME_DIR"), "/tmp"); }

UniqueFd openPrivateFile(const std::string& path, int flags, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error != nullptr) *error = path + ": " + why;
        return UniqueFd();
    };
    const bool truncate = (flags & O_TRUNC) != 0;
    // Non-blocking, so that a FIFO put in the file's place cannot hold the caller up.
    UniqueFd fd(::open(path.c_str(), (flags & ~O_TRUNC) | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600));
    if (!fd) return fail(errno == ELOOP ? "is a symbolic link" : std::strerror(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return fail(std::strerror(errno));
    if (!S_ISREG(st.st_mode)) return fail("is not a regular file");
    if (st.st_uid != ::geteuid()) return fail("belongs to another user (uid " + std::to_string(st.st_uid) + ")");
    if ((st.st_mode & 022) != 0) return fail("may be written by other users (mode " + octal(st.st_mode) + ")");
    if (truncate && ::ftruncate(fd.get(), 0) != 0) return fail(std::strerror(errno));
    if ((flags & O_NONBLOCK) == 0) ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace orv
