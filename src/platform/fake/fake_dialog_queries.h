#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/dialog_queries.h"
#include "platform/fake/transcript.h"

namespace orv::fake {

// File questions answered from a set of paths that a test declares. Each call is recorded as
// `fileExists "<path>"`, `canEnterFolder "<path>"` or `shortPath "<path>"`.
class FakeDialogFiles final : public IDialogFiles, public Recorder {
public:
    using Recorder::Recorder;

    bool fileExists(const std::string& path) override;
    bool canEnterFolder(const std::string& path) override;
    std::string shortPath(const std::string& path) override;

    void addFile(const std::string& path) { files_.insert(path); }
    void addFolder(const std::string& path) { folders_.insert(path); }
    // The short path returned for every existing path is the path with this prefix.
    void setShortPrefix(std::string prefix) { shortPrefix_ = std::move(prefix); }

private:
    std::set<std::string> files_;
    std::set<std::string> folders_;
    std::string shortPrefix_;
};

// Desktop lists set by a test. Each call is recorded by its name (`printers`,
// `networkConnections remembered`, ...).
class FakeDesktopQueries final : public IDesktopQueries, public Recorder {
public:
    using Recorder::Recorder;

    std::vector<std::string> printers() override;
    std::vector<DisplayMode> displayModes() override;
    std::vector<std::string> phoneBookEntries() override;
    std::vector<char> localDrives() override;
    std::vector<NetworkConnection> networkConnections(bool remembered) override;
    std::vector<ProgramShortcut> programShortcuts() override;
    bool hasShellAutomation() override;

    std::vector<std::string> printerList;
    std::vector<DisplayMode> modes;
    std::vector<std::string> phoneBook;
    std::vector<char> local{'C'};
    std::vector<NetworkConnection> connected;
    std::vector<NetworkConnection> remembered;
    std::vector<ProgramShortcut> shortcuts;
    bool shellAutomation = true;
};

}  // namespace orv::fake
