#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/dialog_queries.h"

namespace orv::x11 {

// The data folders that hold application entries, most important first: $XDG_DATA_HOME
// (default ~/.local/share), then each of $XDG_DATA_DIRS (default /usr/local/share:/usr/share).
std::vector<std::filesystem::path> xdgDataDirs();

// The desktop's installed programs: the application entries (".desktop" files under each data
// folder's "applications", subfolders included) that a menu would show. An entry of a more
// important folder hides one of the same id (its path below "applications" with "/" as "-")
// in a later folder, so a user's own copy with Hidden=true or NoDisplay=true takes a program
// off the menu. Kept: Type=Application with a Name and an Exec whose program (or TryExec) is
// found, absolute or on `path` (PATH's folders). Each is the entry's name with ".desktop"
// and the full path of its program, in Windows-1252, sorted by name without regard to case.
std::vector<ProgramShortcut> readApplicationEntries(const std::vector<std::filesystem::path>& dataDirs,
                                                    const std::vector<std::filesystem::path>& path);

// PATH's folders.
std::vector<std::filesystem::path> searchPath();

}  // namespace orv::x11
