#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv::x11 {

// One keysym of the keymap that the remap replaced: where it is and what stood there before.
struct RemappedSym {
    int keycode = 0;
    int group = 0;
    int level = 0;
    std::uint32_t original = 0;
    std::uint32_t applied = 0;
    friend bool operator==(const RemappedSym&, const RemappedSym&) = default;
};

// While the keymap is remapped, a file in the private runtime folder lists the replaced keysyms,
// written before the keymap changes, so that the next start after a crash can put the user's
// own keysyms back. One file per display.
std::string remapKeysPath(const std::string& runtimeDir, const std::string& displayName);

// The entries of the file; none when it is missing, is not a private file of this user, or a
// line cannot be read (a damaged file is never half-believed).
std::vector<RemappedSym> readRemappedSyms(const std::string& path);

// Replaces the file by one listing `syms` (a symbolic link at `path` is removed, never
// followed). False when it could not be written.
bool writeRemappedSyms(const std::string& path, const std::vector<RemappedSym>& syms);

}  // namespace orv::x11
