#include "remap_tables.h"

namespace orv::remap {

bool validEntry(std::uint8_t code) { return code == kDisabled || code >= 32; }

std::uint8_t RemapTables::identityAt(std::size_t index) {
    for (const RemapGroup& group : kRemapGroups)
        if (index >= group.offset && index < group.offset + group.typed.size())
            return static_cast<std::uint8_t>(group.typed[index - group.offset]);
    return 0;
}

RemapTables::RemapTables() {
    for (std::size_t i = 0; i < kTableSize; ++i) bytes_[i] = identityAt(i);
}

std::optional<RemapTables> RemapTables::fromBytes(std::span<const std::uint8_t, kTableSize> bytes) {
    RemapTables tables;
    for (std::size_t i = 0; i < kTableSize; ++i)
        if (!tables.set(i, bytes[i])) return std::nullopt;
    return tables;
}

bool RemapTables::set(std::size_t index, std::uint8_t code) {
    if (index >= kTableSize || !validEntry(code)) return false;
    bytes_[index] = code;
    return true;
}

std::optional<std::size_t> RemapTables::indexOf(char typed) {
    for (const RemapGroup& group : kRemapGroups) {
        const std::size_t at = group.typed.find(typed);
        if (at != std::string_view::npos) return group.offset + at;
    }
    return std::nullopt;
}

bool RemapTables::SwapsInUse() const {
    for (std::size_t i = 0; i < kTableSize; ++i)
        if (bytes_[i] != identityAt(i)) return true;
    return false;
}

std::vector<Remapping> RemapTables::remappings() const {
    std::vector<Remapping> out;
    for (std::size_t i = 0; i < kTableSize; ++i)
        if (bytes_[i] != identityAt(i)) out.push_back({typedAt(i), bytes_[i]});
    return out;
}

}  // namespace orv::remap
