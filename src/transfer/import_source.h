#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/macro_record.h"

namespace orv {

// The formats macros are imported from: this program's macro files and two foreign formats.
enum class ImportFormat { Orv, Bv2, Shk };

// The format a file's name names by its last four characters, in upper case (".ORV", ".BV2",
// ".SHK"); none for anything else.
std::optional<ImportFormat> importFormatOf(const std::string& path);

// One macro offered for import: its record number in the source file and the macro it becomes.
struct ImportEntry {
    int position = 0;
    TMacroRecord record;
};

// What an import file offers. The file is only read.
struct ImportSource {
    enum class Status { Listed, WrongType, Unopenable };
    Status status = Status::Listed;
    ImportFormat format = ImportFormat::Orv;
    std::vector<ImportEntry> entries;
    // The records that are not offered and why, one line each; the valid ones are still offered.
    std::vector<std::string> notOffered;
};

// Reads `path` by the format its name names. System macros of a macro file are not offered;
// records that are damaged or that this program cannot hold are named in `notOffered`, as are a
// partial record at the end and the records past the 500th. `now` stamps the macros converted
// from the foreign formats.
ImportSource readImportSource(const std::string& path, double now);

// The message that tells which records of `fileName` were not offered, or empty when all were.
std::string notOfferedMessage(const ImportSource& source, const std::string& fileName);

}  // namespace orv
