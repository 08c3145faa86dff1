#include "capture/capture_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orv::capture {
namespace {

CaptureFileError ioError(const std::string& what, const std::string& path, int err) {
    return {what + " \"" + path + "\": " + std::strerror(err) + ".", err == ENOSPC || err == EDQUOT};
}

// Writes all of `text`, retrying short writes; the errno of a failure, else 0.
int writeAll(int fd, std::string_view text, std::uintmax_t& written) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        written += static_cast<std::uintmax_t>(n);
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return (std::filesystem::absolute(folder) / name).lexically_normal().string();
}

}  // namespace

std::string CaptureFile::pathIn(const std::string& folder) { return joinPath(folder, kCaptureFileName); }

std::variant<CaptureFile, CaptureFileError> CaptureFile::create(const std::string& folder) {
    std::string path = pathIn(folder);
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644));
    if (fd.get() < 0) return ioError("Cannot create the capture file", path, errno);
    return CaptureFile(std::move(path), std::move(fd));
}

std::variant<std::monostate, CaptureFileError> CaptureFile::append(std::string_view text) {
    if (fd_.get() < 0) return CaptureFileError{"The capture file \"" + path_ + "\" is closed.", false};
    if (const int err = writeAll(fd_.get(), text, size_)) return ioError("Cannot write the capture file", path_, err);
    return std::monostate{};
}

std::string overflowName(int n) { return "OR" + std::to_string(n) + ".TXT"; }

std::variant<std::string, CaptureFileError> finishCaptureFile(const std::string& folder, std::uintmax_t inlineLimit) {
    const std::string path = CaptureFile::pathIn(folder);
    // Anything but a plain file (a device, a pipe) could hand out bytes without end.
    std::error_code kind;
    if (!std::filesystem::is_regular_file(path, kind))
        return CaptureFileError{"The capture file \"" + path + "\" is not a plain file.", false};
    std::ifstream in(path, std::ios::binary);
    if (!in) return ioError("Cannot read the capture file", path, errno != 0 ? errno : ENOENT);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return ioError("Cannot read the capture file", path, EIO);
    in.close();

    std::string macroText = text;
    if (text.size() > inlineLimit) {
        for (int n = 0;; ++n) {
            const std::string overflow = joinPath(folder, overflowName(n));
            UniqueFd fd(::open(overflow.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
            if (fd.get() < 0 && errno == EEXIST) continue;
            if (fd.get() < 0) return ioError("Cannot create the overflow file", overflow, errno);
            std::uintmax_t written = 0;
            if (const int err = writeAll(fd.get(), text, written)) {
                ::unlink(overflow.c_str());
                return ioError("Cannot write the overflow file", overflow, err);
            }
            macroText = "<TFILE:" + overflow + ">";
            break;
        }
    }
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return macroText;
}

}  // namespace orv::capture
