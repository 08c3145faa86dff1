#include "activation/window_macros.h"

#include <vector>

#include "engine/ansi_upper.h"
#include "engine/window_control.h"
#include "platform/hook_library.h"
#include "platform/process_list.h"

namespace orv {

WindowMacros::WindowMacros(TActivationTable& table, IHookLibrary& hook, WindowControl& windows,
                           IWindowMacroPlayer& player, std::string ownProgramName)
    : table_(table), hook_(hook), windows_(windows), player_(player), ownProgramName_(ansiUpper(ownProgramName)) {}

void WindowMacros::initialise(WindowId mainWindow) {
    lastActive_ = mainWindow;
    lastOther_ = mainWindow;
    table_.setTopProgram("");
    hook_.OrvUpProg(table_);
    table_.setRunningPrograms(nullptr, 0);
    hook_.OrvUpProgs(table_);
}

void WindowMacros::windowActivated(WindowId window) {
    if (closing_) return;
    const std::string program = ansiUpper(windows_.programNameOfWindow(window));
    table_.setTopProgram(program);
    hook_.OrvUpProg(table_);

    std::string title = windows_.windows().windowTitle(window);
    if (title.size() > kTitleChars) title.resize(kTitleChars);
    if (!title.empty()) {
        lastActive_ = window;
        if (program != ownProgramName_) lastOther_ = window;
    }
    SetRunningProgs();
    if (!title.empty()) CheckForWindowMacros(title);
}

void WindowMacros::processesChanged() {
    if (!closing_) SetRunningProgs();
}

void WindowMacros::SetRunningProgs() {
    std::vector<std::string> names;
    names.reserve(kMaxRunningPrograms);
    for (const ProcessInfo& process : windows_.processes().processes()) {
        if (names.size() == static_cast<std::size_t>(kMaxRunningPrograms)) break;
        if (process.name.empty()) continue;
        names.push_back(ansiUpper(process.name).substr(0, TActivationTable::kRunningProgramChars));
    }
    table_.setRunningPrograms(names.data(), static_cast<int>(names.size()));
    hook_.OrvUpProgs(table_);
}

void WindowMacros::CheckForWindowMacros(const std::string& title) {
    const std::string upper = ansiUpper(title);
    // The count is read afresh each time: a macro played here may change the macro file.
    for (int j = 1; j <= table_.MacroCount() && j <= kMaxMacros; ++j) {
        if (!table_.Active(j) || table_.HotKeyCode(j) != kCodeWindowTitle) continue;
        if (upper.find(ansiUpper(table_.WindowTitle(j))) == std::string::npos) continue;
        TMacroRecord record;
        if (!player_.readMacroRecord(j, record)) continue;
        // A macro is already playing (perhaps this one, having activated another matching
        // window): skipped, not queued.
        if (player_.macroPlaying()) continue;
        player_.playWindowMacro(j, record);
    }
}

std::string WindowMacros::GetTopProgram() {
    const WindowId foreground = windows_.windows().foregroundWindow();
    return foreground == 0 ? std::string() : windows_.programNameOfWindow(foreground);
}

}  // namespace orv
