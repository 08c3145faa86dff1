#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace orv::x11 {

// Small files of this user in the private runtime folder, one per display, that let the next
// start undo what a crashed run left in the keymap.

// <runtimeDir>/orvanta-<stem>-<uid>-<display>, the display name made a file name.
std::string displayFilePath(const std::string& runtimeDir, const std::string& stem, const std::string& displayName);

// Up to `maxBytes` of the file; nothing when it is missing, or is not a regular file of this
// user that only this user may write (a file planted by someone else is never believed).
std::optional<std::string> readPrivateText(const std::string& path, std::size_t maxBytes);

// Replaces whatever stood at `path` (a symbolic link included, removed and never followed) by a
// new private file holding `text`, flushed to disk. False when it could not be written.
bool writePrivateText(const std::string& path, const std::string& text);

}  // namespace orv::x11
