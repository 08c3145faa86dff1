#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "remap/remap_tables.h"

namespace orv::remap {

// The "Select Character" grid: the characters 32 to 255, 28 to a row.
struct CharacterGrid {
    static constexpr int kColumns = 28;
    static constexpr int kRows = 8;
    static constexpr int kFirst = 32;
    static int column(std::uint8_t code) { return (code < kFirst ? 0 : code - kFirst) % kColumns; }
    static int row(std::uint8_t code) { return (code < kFirst ? 0 : code - kFirst) / kColumns; }
    static std::uint8_t codeAt(int row, int column) {
        return static_cast<std::uint8_t>(kFirst + kColumns * row + column);
    }
};

// What a cell of the remapper shows for an entry (Windows-1252): the character, or "none" for a
// disabled key.
std::string entryText(std::uint8_t code);

// The "Keyboard Remapper" while it is open: a working copy of the tables, whether the user may
// change them (not in the browse modes) and whether anything changed.
class RemapperModel {
public:
    RemapperModel(const RemapTables& tables, bool readOnly) : tables_(tables), readOnly_(readOnly) {}

    const RemapTables& tables() const { return tables_; }
    bool editable() const { return !readOnly_; }
    // Stores the character chosen for entry `index`; false when the tables are read-only.
    bool choose(std::size_t index, std::uint8_t code);
    bool changed() const { return changed_; }

private:
    RemapTables tables_;
    bool readOnly_;
    bool changed_ = false;
};

}  // namespace orv::remap
