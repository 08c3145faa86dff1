#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace orv::remap {

// One group of remappable characters; the typed character at position i of `typed` produces
// the entry at `offset + i` of the 93-byte table.
struct RemapGroup {
    std::string_view title;  // the grid's caption
    std::string_view typed;
    std::size_t offset;
};

inline constexpr std::size_t kTableSize = 93;

// In table order: upper case, lower case, digits, punctuation. "{" and "|" cannot be remapped.
inline constexpr std::array<RemapGroup, 4> kRemapGroups{{
    {"Upper Case", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 0},
    {"Lower Case", "abcdefghijklmnopqrstuvwxyz", 26},
    {"Numeric", "0123456789", 52},
    {"Punctuation", " !\"#$%&'()*+,-./:;<=>?@[\\]^_`}~", 62},
}};

// An entry of 0 disables its key; otherwise entries are characters 32 to 255.
inline constexpr std::uint8_t kDisabled = 0;
bool validEntry(std::uint8_t code);

// A typed character and what it produces now.
struct Remapping {
    char typed;
    std::uint8_t produced;
    friend bool operator==(const Remapping&, const Remapping&) = default;
};

// The remap tables: for each remappable character, the character code produced when its key is
// typed. The identity tables remap nothing.
class RemapTables {
public:
    using Bytes = std::array<std::uint8_t, kTableSize>;

    RemapTables();  // the identity
    static std::optional<RemapTables> fromBytes(std::span<const std::uint8_t, kTableSize> bytes);

    const Bytes& bytes() const { return bytes_; }
    static std::uint8_t identityAt(std::size_t index);

    std::uint8_t at(std::size_t index) const { return bytes_.at(index); }
    // False (and nothing changed) for an index past the table or an invalid code.
    bool set(std::size_t index, std::uint8_t code);

    // The index of `typed` in the table, or nothing when it cannot be remapped.
    static std::optional<std::size_t> indexOf(char typed);
    static char typedAt(std::size_t index) { return static_cast<char>(identityAt(index)); }

    // True when some entry differs from its identity value.
    bool SwapsInUse() const;
    // The entries that differ from identity, in table order.
    std::vector<Remapping> remappings() const;

    friend bool operator==(const RemapTables&, const RemapTables&) = default;

private:
    Bytes bytes_;
};

}  // namespace orv::remap
