#pragma once

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

// Replaces `path` with `bytes` without ever leaving a half-written file: the new content is
// written and flushed beside the original and renamed over it. Keeps the original's mode.
bool replaceFileAtomically(const std::string& path, const std::string& bytes, std::string* error = nullptr);

}  // namespace orv
