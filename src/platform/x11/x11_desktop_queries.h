#pragma once

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "platform/dialog_queries.h"

namespace orv {
class IDesktopSettings;
class IDesktopShell;
}  // namespace orv

namespace orv::x11 {

// The lists the command dialogs show, from the desktop this program runs on: printers (CUPS)
// and display modes (RandR) through the desktop settings, the phone book from NetworkManager,
// network drives from the mount tables and GVfs, installed programs from the application
// entries (read once, on first use, and kept for the run). A service that is missing gives an
// empty list. There are no drive letters: every letter is free for a network command.
class X11DesktopQueries final : public IDesktopQueries {
public:
    struct Sources {
        IDesktopSettings* settings = nullptr;
        IDesktopShell* shell = nullptr;
        std::vector<std::filesystem::path> dataDirs;  // xdgDataDirs()
        std::vector<std::filesystem::path> path;      // searchPath()
        std::filesystem::path mounts = "/proc/self/mounts";
        std::filesystem::path fstab = "/etc/fstab";
        std::filesystem::path gvfs;  // $XDG_RUNTIME_DIR/gvfs
    };
    // The sources of this session.
    static Sources sessionSources(IDesktopSettings* settings, IDesktopShell* shell);

    explicit X11DesktopQueries(Sources sources) : sources_(std::move(sources)) {}

    std::vector<std::string> printers() override;
    std::vector<DisplayMode> displayModes() override;
    std::vector<std::string> phoneBookEntries() override;
    std::vector<char> localDrives() override { return {}; }
    std::vector<NetworkConnection> networkConnections(bool remembered) override;
    std::vector<ProgramShortcut> programShortcuts() override;
    bool hasShellAutomation() override;

private:
    Sources sources_;
    std::optional<std::vector<ProgramShortcut>> programs_;
};

}  // namespace orv::x11
