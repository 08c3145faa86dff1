#include "store/paths.h"

#include <cstdlib>

namespace orv {

namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

}  // namespace

std::string xdgBaseDir(const char* variable, const char* fallbackUnderHome) {
    std::string dir = env(variable);
    if (dir.empty() || dir.front() != '/') {
        std::string home = env("HOME");
        if (home.empty()) home = "/tmp";
        dir = home + fallbackUnderHome;
    }
    return dir;
}

ProgramPaths ProgramPaths::fromEnvironment() {
    ProgramPaths paths;
    const std::string home = env("ORVANTA_HOME");
    if (!home.empty()) {
        paths.programDir = home;
        paths.configDir = home;
    } else {
        paths.programDir = xdgBaseDir("XDG_DATA_HOME", "/.local/share") + "/orvanta";
        paths.configDir = xdgBaseDir("XDG_CONFIG_HOME", "/.config") + "/orvanta";
    }
    while (paths.programDir.size() > 1 && paths.programDir.back() == '/') paths.programDir.pop_back();
    while (paths.configDir.size() > 1 && paths.configDir.back() == '/') paths.configDir.pop_back();
    return paths;
}

}  // namespace orv
