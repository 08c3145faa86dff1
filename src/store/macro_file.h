#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "store/macro_record.h"

namespace orv {

// The whole content of a macro file as read from disk, without touching it.
struct MacroFileContents {
    enum class Status {
        Ok,          // read; `records` holds every record
        Missing,     // no such file
        Unreadable,  // exists but could not be read (`error` says why)
    };
    Status status = Status::Ok;
    std::string error;
    std::vector<TMacroRecord> records;  // at most 500
    std::size_t recordsInFile = 0;      // how many whole records the file holds
    std::size_t trailingBytes = 0;      // bytes after the last whole record
    // Per-record damage repaired in memory, as "record N: what".
    std::vector<std::string> problems;

    // Why the file must not be written (it is not a whole number of records, or it holds more
    // records than the program can index); empty when it may be written.
    std::string damage() const;
};

MacroFileContents readMacroFile(const std::string& path);

// Why `path`, which exists, cannot be a macro file ("it is a folder", "it is a named pipe ..."),
// or empty when it is a regular file or does not exist.
std::string nonRegularFileReason(const std::string& path);

// Opens `path` with `flags` only when it is a regular file: a named pipe or a device is refused
// before it is opened, so that opening can neither block nor touch the device. Returns -1 on
// failure with errno set (ENOENT for a missing file) and `why` saying what went wrong.
int openRegularFile(const std::string& path, int flags, std::string* why = nullptr);

// Replaces `path` with `bytes` without ever leaving a half-written file: the new content is
// written and flushed beside the original, renamed over it and the folder flushed. A symbolic
// link keeps pointing at its target, which is what gets replaced. An existing file keeps its
// mode, owner and group (refused when they cannot be kept); a new one is created with
// `newFileMode` less the umask.
[[nodiscard]] bool replaceFileAtomically(const std::string& path, const std::string& bytes,
                                         std::string* error = nullptr, mode_t newFileMode = 0666);

// Removes what an interrupted replaceFileAtomically of `path` left beside it: temporary files
// of this user that no program is writing any more.
void removeStaleTemporaries(const std::string& path);

}  // namespace orv
