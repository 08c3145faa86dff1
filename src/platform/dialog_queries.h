#pragma once

#include <string>
#include <vector>

#include "platform/desktop_settings.h"  // DisplayMode

namespace orv {

// What the command dialogs ask of the file system before they accept a path. Paths are the
// Windows-1252 text the user typed.
class IDialogFiles {
public:
    virtual ~IDialogFiles() = default;
    // A file (anything that is not a folder) exists at the path.
    virtual bool fileExists(const std::string& path) = 0;
    // The path names a folder that the program could make its current directory.
    virtual bool canEnterFolder(const std::string& path) = 0;
    // The short form of an existing path (the 8.3 name on the original platform); here the path
    // itself, since the file systems have no short names.
    virtual std::string shortPath(const std::string& path) = 0;
};

// A network connection: the drive ("F:") and the network name it is mapped to.
struct NetworkConnection {
    std::string drive;
    std::string remoteName;

    friend bool operator==(const NetworkConnection&, const NetworkConnection&) = default;
};

// A program shortcut found in the start menus: its file name (with its extension) and the
// full path of its target.
struct ProgramShortcut {
    std::string linkName;
    std::string target;

    friend bool operator==(const ProgramShortcut&, const ProgramShortcut&) = default;
};

// What the command dialogs ask of the desktop to fill their lists.
class IDesktopQueries {
public:
    virtual ~IDesktopQueries() = default;
    virtual std::vector<std::string> printers() = 0;
    // In enumeration order; a mode's position is its number in the screen command.
    virtual std::vector<DisplayMode> displayModes() = 0;
    virtual std::vector<std::string> phoneBookEntries() = 0;
    // The letters (upper case) of the drives that are local to this machine.
    virtual std::vector<char> localDrives() = 0;
    // The connected network drives, or with `remembered` the ones that are mapped at logon.
    virtual std::vector<NetworkConnection> networkConnections(bool remembered) = 0;
    virtual std::vector<ProgramShortcut> programShortcuts() = 0;
    // The shell offers the newer desktop functions (minimise all, suspend, run dialogs ...).
    virtual bool hasShellAutomation() = 0;
};

}  // namespace orv
