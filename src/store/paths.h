#pragma once

#include <string>

namespace orv {

// Where the program keeps its files. ORVANTA_HOME, when set, holds everything; otherwise the
// program directory is $XDG_DATA_HOME/orvanta (~/.local/share/orvanta) and the configuration
// file lives in $XDG_CONFIG_HOME/orvanta (~/.config/orvanta).
struct ProgramPaths {
    std::string programDir;
    std::string configDir;

    std::string iniFile() const { return configDir + "/ORVANTA.INI"; }
    std::string defaultMacroFile() const { return programDir + "/ORVANTA.ORV"; }
    std::string iconsDir() const { return programDir + "/Icons"; }

    // Reads the environment.
    static ProgramPaths fromEnvironment();
};

// An XDG base folder: $variable when it holds an absolute path, else $HOME followed by
// `fallbackUnderHome` (for example "/.config").
std::string xdgBaseDir(const char* variable, const char* fallbackUnderHome);

}  // namespace orv
