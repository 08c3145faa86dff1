#include "store/macro_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/activation_table.h"

namespace orv {

std::string MacroFileContents::damage() const {
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

}  // namespace

MacroFileContents readMacroFile(const std::string& path) {
    MacroFileContents out;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        out.status = errno == ENOENT ? MacroFileContents::Status::Missing : MacroFileContents::Status::Unreadable;
        out.error = std::strerror(errno);
        return out;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        out.status = MacroFileContents::Status::Unreadable;
        out.error = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
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
    return out;
}

bool replaceFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
    struct stat st {};
    const mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    auto fail = [&](const char* what) {
        if (error != nullptr) *error = std::string(what) + ": " + std::strerror(errno);
        return false;
    };
    if (fd < 0) return fail("cannot create a file beside it");
    const bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ::close(fd);
    if (!ok || ::rename(tmp.c_str(), path.c_str()) != 0) {
        const int renameErrno = ok ? errno : savedErrno;
        ::unlink(tmp.c_str());
        errno = renameErrno;
        return fail("cannot replace it");
    }
    return true;
}

}  // namespace orv
