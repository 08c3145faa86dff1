#pragma once

#include <string>
#include <vector>

namespace orv::x11 {

// While spare keycodes carry keysyms of ours, a file in the private runtime folder names them,
// so that the next start after a crash can empty them again. One file per display.

// The file for `displayName` in `runtimeDir`.
std::string spareKeysPath(const std::string& runtimeDir, const std::string& displayName);

// The keycodes the file names. None when it is missing, or is not a regular file of this user
// that only this user may write (a file planted by someone else is never believed).
std::vector<int> readSpareKeys(const std::string& path);

// Replaces the file by a new one naming `keycodes` (whatever stood at `path`, a symbolic link
// included, is removed, never followed). False when it could not be written.
bool writeSpareKeys(const std::string& path, const std::vector<int>& keycodes);

}  // namespace orv::x11
