#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace orv {

// The 14-byte record of the sync file that sits beside a shared macro file:
// change counter (i32), state (i16: 1 held, 2 free) and heartbeat (date serial, f64),
// little-endian, no padding.
struct SyncRecord {
    static constexpr std::size_t kSize = 14;
    static constexpr std::int16_t kHeld = 1;
    static constexpr std::int16_t kFree = 2;

    std::int32_t counter = 1;
    std::int16_t state = kFree;
    double heartbeat = 0;

    friend bool operator==(const SyncRecord&, const SyncRecord&) = default;
};

using SyncBytes = std::array<std::uint8_t, SyncRecord::kSize>;

SyncBytes encodeSyncRecord(const SyncRecord& record);
SyncRecord decodeSyncRecord(const SyncBytes& bytes);

// The sync file of a macro file: its path with the last three characters (the extension)
// replaced by "MAS". Empty when that would be the macro file itself: a name that already ends in
// "MAS" in any case (shared folders often ignore case), or a sync file that is the macro file
// under another name (a link). Such a file cannot be shared in network mode.
std::string syncFilePath(const std::string& macroFile);

// Whether a heartbeat read from a sync file is a moment at all: a finite date serial between
// 30 December 1899 and the end of the year 9999. A holder whose heartbeat is not is taken as gone.
bool readableHeartbeat(double heartbeat);

// The change counter after `delta` more changes. It wraps from the largest value to the
// smallest: the others only ever compare it for a change.
std::int32_t advanceCounter(std::int32_t counter, int delta);

// Access to one sync file. Every operation holds an fcntl record lock on the file while it
// reads or rewrites it (shared for reading, exclusive for a read-modify-write), so programs that
// share the file through this class see each change whole and never interleave two
// test-and-set operations. The file is rewritten in place, never replaced, so the lock always
// guards the file the others open.
class SyncFile {
public:
    enum class Status {
        Ok,        // read (and written where asked)
        Created,   // the file was missing (or shorter than a record) and was created
        NoAccess,  // could not be opened; nothing changed
        WriteError,
    };

    struct Result {
        Status status = Status::Ok;
        std::string error;  // the system's reason for NoAccess and WriteError
        bool ok() const { return status == Status::Ok || status == Status::Created; }
    };

    explicit SyncFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // Reads the record. A missing file is created holding `initial`, which is then the record.
    // When the file cannot be opened, `record` keeps its value and NoAccess is returned.
    Result read(SyncRecord& record, const SyncRecord& initial) const;

    // Atomic read-modify-write. Under the exclusive lock: reads the record (a missing or short
    // file reads as `initial`, with `created` true), calls `decide`, and writes the record back
    // when `decide` returns true (a created file is always written). `record` is the value the
    // file holds afterwards.
    using Decision = std::function<bool(SyncRecord& record, bool created)>;
    Result update(const SyncRecord& initial, const Decision& decide, SyncRecord& record) const;

private:
    std::string path_;
};

}  // namespace orv
