#pragma once

#include <array>
#include <string>
#include <vector>

namespace orv {

using RecentFiles = std::array<std::string, 5>;

// Updates the recent-files list when `chosen` becomes the current file in place of
// `previous`: the chosen file leaves the list and the previous one goes on top.
void DoLastFiles(RecentFiles& recent, const std::string& previous, const std::string& chosen);

// What the File menu shows for the list: the separator and one item per non-empty entry,
// captioned "&<i>   <path>".
struct RecentFilesMenu {
    bool separatorVisible = false;
    struct Item {
        int entry;  // 1..5
        std::string caption;
    };
    std::vector<Item> items;
};
RecentFilesMenu SetMenuLastFiles(const RecentFiles& recent);

}  // namespace orv
