#include "platform/fake/fake_dialog_queries.h"

namespace orv::fake {

bool FakeDialogFiles::fileExists(const std::string& path) {
    record("fileExists \"" + path + "\"");
    return files_.count(path) != 0;
}

bool FakeDialogFiles::canEnterFolder(const std::string& path) {
    record("canEnterFolder \"" + path + "\"");
    return folders_.count(path) != 0;
}

std::string FakeDialogFiles::shortPath(const std::string& path) {
    record("shortPath \"" + path + "\"");
    return shortPrefix_ + path;
}

std::vector<std::string> FakeDesktopQueries::printers() {
    record("printers");
    return printerList;
}

std::vector<DisplayMode> FakeDesktopQueries::displayModes() {
    record("displayModes");
    return modes;
}

std::vector<std::string> FakeDesktopQueries::phoneBookEntries() {
    record("phoneBookEntries");
    return phoneBook;
}

std::vector<char> FakeDesktopQueries::localDrives() {
    record("localDrives");
    return local;
}

std::vector<NetworkConnection> FakeDesktopQueries::networkConnections(bool rememberedOnes) {
    record(rememberedOnes ? "networkConnections remembered" : "networkConnections connected");
    return rememberedOnes ? remembered : connected;
}

std::vector<ProgramShortcut> FakeDesktopQueries::programShortcuts() {
    record("programShortcuts");
    return shortcuts;
}

bool FakeDesktopQueries::hasShellAutomation() {
    record("hasShellAutomation");
    return shellAutomation;
}

}  // namespace orv::fake
