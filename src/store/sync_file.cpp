#include "store/sync_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>

#include "platform/byte_io.h"

namespace orv {

SyncBytes encodeSyncRecord(const SyncRecord& record) {
    SyncBytes out{};
    bytes::put<std::int32_t>(out.data(), 0, record.counter);
    bytes::put<std::int16_t>(out.data(), 4, record.state);
    bytes::put<double>(out.data(), 6, record.heartbeat);
    return out;
}

SyncRecord decodeSyncRecord(const SyncBytes& in) {
    SyncRecord record;
    record.counter = bytes::get<std::int32_t>(in.data(), 0);
    record.state = bytes::get<std::int16_t>(in.data(), 4);
    record.heartbeat = bytes::get<double>(in.data(), 6);
    return record;
}

std::string syncFilePath(const std::string& macroFile) {
    const std::size_t keep = macroFile.size() >= 3 ? macroFile.size() - 3 : 0;
    std::string extension = macroFile.substr(keep);
    for (char& c : extension)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (extension == "MAS") return {};
    std::string path = macroFile.substr(0, keep) + "MAS";
    struct stat macro {
    }, sync{};
    if (::stat(macroFile.c_str(), &macro) == 0 && ::stat(path.c_str(), &sync) == 0 && macro.st_dev == sync.st_dev &&
        macro.st_ino == sync.st_ino)
        return {};
    return path;
}

bool readableHeartbeat(double heartbeat) {
    constexpr double kEndOf9999 = 2958466.0;
    return std::isfinite(heartbeat) && heartbeat >= 0 && heartbeat < kEndOf9999;
}

std::int32_t advanceCounter(std::int32_t counter, int delta) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) + static_cast<std::uint32_t>(delta));
}

namespace {

// Closes the descriptor (and so drops its record lock) when the operation ends.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports a failure (a network file system reports late write errors here).
    bool close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

private:
    int fd_;
};

// Waits for the record lock of the whole file. A file system without record locks (ENOLCK,
// EOPNOTSUPP) still gets the plain read-then-write protocol rather than no sharing at all.
void lockWhole(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    while (::fcntl(fd, F_SETLKW, &lock) != 0 && errno == EINTR) {
    }
}

// Reads the record from offset 0; false when the file holds fewer than 14 bytes.
bool readRecord(int fd, SyncRecord& record) {
    SyncBytes raw{};
    std::size_t got = 0;
    while (got < raw.size()) {
        const ssize_t n = ::pread(fd, raw.data() + got, raw.size() - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    record = decodeSyncRecord(raw);
    return true;
}

bool writeRecord(int fd, const SyncRecord& record) {
    const SyncBytes raw = encodeSyncRecord(record);
    std::size_t done = 0;
    while (done < raw.size()) {
        const ssize_t n = ::pwrite(fd, raw.data() + done, raw.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return ::ftruncate(fd, static_cast<off_t>(raw.size())) == 0;
}

SyncFile::Result failure(SyncFile::Status status, int err) {
    SyncFile::Result result;
    result.status = status;
    result.error = std::strerror(err != 0 ? err : EIO);
    return result;
}

}  // namespace

SyncFile::Result SyncFile::read(SyncRecord& record, const SyncRecord& initial) const {
    Fd fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno != ENOENT) return failure(Status::NoAccess, errno);
    } else {
        lockWhole(fd.get(), F_RDLCK);
        SyncRecord got;
        if (readRecord(fd.get(), got)) {
            record = got;
            return {};
        }
    }
    // Missing, or too short to hold a record (a program is creating it right now, or it is
    // damaged): create it under the exclusive lock, where a creator that came first wins.
    SyncRecord after = record;
    const Result result = update(
        initial, [](SyncRecord&, bool) { return false; }, after);
    if (result.ok()) record = after;
    return result;
}

SyncFile::Result SyncFile::update(const SyncRecord& initial, const Decision& decide, SyncRecord& record) const {
    Fd fd(::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (fd.get() < 0) return failure(Status::NoAccess, errno);
    lockWhole(fd.get(), F_WRLCK);

    SyncRecord current = initial;
    const bool created = !readRecord(fd.get(), current);
    const bool write = decide(current, created) || created;
    if (write && !writeRecord(fd.get(), current)) return failure(Status::WriteError, errno);
    if (!fd.close() && write) return failure(Status::WriteError, errno);
    record = current;
    Result result;
    result.status = created ? Status::Created : Status::Ok;
    return result;
}

}  // namespace orv
