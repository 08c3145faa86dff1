#pragma once

#include <string>

#include "platform/unique_fd.h"

namespace orv {

// The folder for the files that only this user may see while the program runs: the hand-over
// socket, the spare-keys recovery file, the dry run's scratch copies.
struct RuntimeDir {
    std::string path;   // empty when no folder is safe to use
    std::string error;  // then: why, as one line for the user
    bool ok() const { return !path.empty(); }
};

// $XDG_RUNTIME_DIR when it is set and private to this user, else <fallbackRoot>/orvanta-<uid>,
// created mode 0700 when it does not exist. A folder is private when it is a directory (not a
// symbolic link) owned by this user that nobody else may enter. A fallback folder that exists
// and is not private (another user made it first) is refused: never used, never repaired.
RuntimeDir privateRuntimeDir();
RuntimeDir privateRuntimeDir(const char* xdgRuntimeDir, const std::string& fallbackRoot);

// Empty when `path` is a private folder as above, otherwise why it is not.
std::string checkPrivateDir(const std::string& path);

// Opens `path` without following a symbolic link in its last part, and only when it is a
// regular file owned by this user that nobody else may write. `flags` as for open(2): O_CREAT
// makes the file mode 0600, O_TRUNC empties it only once it has passed the checks. An invalid
// descriptor on failure, with the reason in `error` when given.
UniqueFd openPrivateFile(const std::string& path, int flags, std::string* error = nullptr);

}  // namespace orv
