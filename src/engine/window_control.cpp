#include "engine/window_control.h"

#include "engine/ansi_upper.h"
#include "platform/process_list.h"

namespace orv {

WindowControl::WindowControl(IWindowSystem& windows, IProcessList& processes)
    : windows_(windows), processes_(processes) {}

std::string WindowControl::titleOf(WindowId window) {
    std::string title = windows_.windowTitle(window);
    if (title.size() > kWindowTitleChars) title.resize(kWindowTitleChars);
    return title;
}

bool WindowControl::GetWinHandle(WindowId& window, std::string_view title) {
    window = 0;
    // An empty text would name an untitled window exactly; untitled windows are never found.
    if (!title.empty()) window = windows_.findWindowByTitle(std::string(title));
    if (window != 0) return true;
    const std::string wanted = ansiUpper(title);
    for (const WindowId candidate : windows_.topLevelWindows()) {
        const std::string text = titleOf(candidate);
        if (text.empty()) continue;
        if (ansiUpper(text).find(wanted) != std::string::npos) {
            window = candidate;
            return true;
        }
    }
    return false;
}

void WindowControl::bringToFront(WindowId window) {
    if (windows_.isMinimized(window)) windows_.windowAction(window, WindowAction::Restore);
    windows_.setForegroundWindow(window);
    lastActivated_ = window;
    if (observer_) observer_(window);
}

bool WindowControl::ActivateIt(std::string_view title) {
    WindowId window = 0;
    if (!GetWinHandle(window, title)) return false;
    bringToFront(window);
    return true;
}

bool WindowControl::ActivateProg(std::string_view programName) {
    const std::string wanted = ansiUpper(programName);
    std::int32_t pid = 0;
    bool found = false;
    for (const ProcessInfo& process : processes_.processes()) {
        if (ansiUpper(process.name).find(wanted) != std::string::npos) {
            pid = process.pid;
            found = true;
            break;
        }
    }
    if (!found) return false;
    for (const WindowId window : windows_.topLevelWindows()) {
        if (windows_.windowProcess(window) != pid) continue;
        if (titleOf(window).empty()) continue;
        bringToFront(window);
        return true;
    }
    return false;
}

std::string WindowControl::programNameOfWindow(WindowId window) {
    const std::int32_t pid = windows_.windowProcess(window);
    if (pid == 0) return {};
    return processes_.processName(pid);
}

}  // namespace orv
