#include "activation/desktop_lists.h"

#include <algorithm>

#include "engine/ansi_upper.h"
#include "platform/process_list.h"
#include "platform/window_system.h"

namespace orv {

std::vector<std::string> windowTitleList(IWindowSystem& windows) {
    std::vector<std::string> titles;
    for (const WindowId w : windows.topLevelWindows()) {
        std::string title = windows.windowTitle(w);
        if (!title.empty() && std::find(titles.begin(), titles.end(), title) == titles.end())
            titles.push_back(std::move(title));
    }
    return titles;
}

std::vector<std::string> programNameList(IProcessList& processes) {
    std::vector<std::string> names;
    for (const ProcessInfo& p : processes.processes())
        if (!p.name.empty()) names.push_back(p.name);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = ansiUpper(a), ub = ansiUpper(b);
        return ua != ub ? ua < ub : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

}  // namespace orv
