#include "store/recent_files.h"

namespace orv {

void DoLastFiles(RecentFiles& recent, const std::string& previous, const std::string& chosen) {
    for (std::size_t i = 0; i < recent.size(); ++i) {
        if (recent[i] == chosen) {
            for (std::size_t k = i; k + 1 < recent.size(); ++k) recent[k] = recent[k + 1];
            recent.back().clear();
            break;
        }
    }
    for (std::size_t k = recent.size() - 1; k > 0; --k) recent[k] = recent[k - 1];
    recent[0] = previous;
}

RecentFilesMenu SetMenuLastFiles(const RecentFiles& recent) {
    RecentFilesMenu menu;
    for (std::size_t i = 0; i < recent.size(); ++i) {
        if (recent[i].empty()) continue;
        menu.items.push_back({static_cast<int>(i + 1), "&" + std::to_string(i + 1) + "   " + recent[i]});
    }
    menu.separatorVisible = !menu.items.empty();
    return menu;
}

}  // namespace orv
