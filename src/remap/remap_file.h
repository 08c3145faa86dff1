#pragma once

#include <string>

#include "remap_tables.h"

namespace orv::remap {

// The remap file of a macro file: its path with a final ".ORV" (any case) replaced by ".ORS".
// Any other name gets ".ORS" appended, so that the remap file is never the macro file itself
// (nor a link to it).
std::string swapFilePath(const std::string& macroFile);

struct LoadResult {
    enum class Kind {
        Loaded,      // all 93 entries read
        Missing,     // no such file; the tables are unchanged
        Unreadable,  // could not be opened or read; the tables are unchanged
        Repaired,    // wrong size or entries out of range: what could not be read is identity
    };
    Kind kind = Kind::Missing;
    std::string message;  // for Repaired: what was wrong, for the user
};

// Reads the 93-byte record of `path` into `tables`.
LoadResult LoadSwapKeys(const std::string& path, RemapTables& tables);

// Creates or replaces `path` with the tables; false when it cannot be written.
bool SaveSwapKeys(const std::string& path, const RemapTables& tables);

// The tables of the macro file `macroFile`: its remap file read when it exists; otherwise the
// identity tables, written to a new remap file. `swapPath` receives the remap file's path.
LoadResult GetSwapFile(const std::string& macroFile, RemapTables& tables, std::string& swapPath);

}  // namespace orv::remap
