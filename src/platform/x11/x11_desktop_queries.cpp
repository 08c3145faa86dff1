#include "platform/x11/x11_desktop_queries.h"

#include <cstdlib>
#include <fstream>

#include "platform/desktop_settings.h"
#include "platform/desktop_shell.h"
#include "platform/x11/desktop_entries.h"
#include "platform/x11/mount_table.h"
#include "platform/x11/nmcli_dialup.h"

namespace orv::x11 {

namespace {
// The screen dialog numbers modes with three digits.
constexpr int kMostModes = 1000;
}  // namespace

X11DesktopQueries::Sources X11DesktopQueries::sessionSources(IDesktopSettings* settings, IDesktopShell* shell) {
    Sources s;
    s.settings = settings;
    s.shell = shell;
    s.dataDirs = xdgDataDirs();
    s.path = searchPath();
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0')
        s.gvfs = std::filesystem::path(runtime) / "gvfs";
    return s;
}

std::vector<std::string> X11DesktopQueries::printers() {
    std::vector<std::string> names;
    if (sources_.settings != nullptr)
        for (const PrinterInfo& p : sources_.settings->printers()) names.push_back(p.name);
    return names;
}

std::vector<DisplayMode> X11DesktopQueries::displayModes() {
    std::vector<DisplayMode> modes;
    DisplayMode mode;
    while (sources_.settings != nullptr && static_cast<int>(modes.size()) < kMostModes &&
           sources_.settings->displayMode(static_cast<int>(modes.size()), mode))
        modes.push_back(mode);
    return modes;
}

std::vector<std::string> X11DesktopQueries::phoneBookEntries() { return dialUpProfiles(); }

std::vector<NetworkConnection> X11DesktopQueries::networkConnections(bool remembered) {
    std::ifstream table(remembered ? sources_.fstab : sources_.mounts);
    std::vector<NetworkConnection> list = networkMounts(table, remembered);
    if (!remembered && !sources_.gvfs.empty())
        for (NetworkConnection& c : gvfsMounts(sources_.gvfs)) list.push_back(std::move(c));
    return list;
}

std::vector<ProgramShortcut> X11DesktopQueries::programShortcuts() {
    if (!programs_) programs_ = readApplicationEntries(sources_.dataDirs, sources_.path);
    return *programs_;
}

bool X11DesktopQueries::hasShellAutomation() {
    return sources_.shell != nullptr && sources_.shell->shellAutomationAvailable();
}

}  // namespace orv::x11
