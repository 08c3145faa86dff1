#pragma once

#include <string>

#include "platform/user_prompt.h"
#include "store/app_settings.h"
#include "store/ini_file.h"
#include "store/paths.h"

namespace orv {

// Reads every key of the configuration into `settings` (a missing file, section or key gives
// the default) and applies the corrections after reading.
void LoadSettings(TAppSettings& settings, const IniFile& ini, const ProgramPaths& paths);
void LoadSettings(TAppSettings& settings, const ProgramPaths& paths);

// Writes every key in order into `ini`, keeping its other sections and keys.
void SaveSettings(const TAppSettings& settings, IniFile& ini);
// Reads the file, writes every key and saves it; false (and why in `error`) when it could not
// be written.
[[nodiscard]] bool SaveSettings(const TAppSettings& settings, const ProgramPaths& paths, std::string* error = nullptr);

// Saves the configuration of the running program and tells the user when that fails: once, at
// the first failure, so that settings changed while the file cannot be written are not lost
// unnoticed, yet a read-only configuration does not bring up a message at every change. After a
// save that succeeds, the next failure is told again.
class SettingsSaver {
public:
    SettingsSaver(ProgramPaths paths, IUserPrompt& prompt) : paths_(std::move(paths)), prompt_(prompt) {}
    bool save(const TAppSettings& settings);
    const ProgramPaths& paths() const { return paths_; }

private:
    ProgramPaths paths_;
    IUserPrompt& prompt_;
    bool told_ = false;
};

// Makes a five-character sort order hold each digit 1 to 5 exactly once. A value that
// already does is returned unchanged.
std::string repairActivationSort(std::string value);

// The decimal conversion used for integer keys: leading blanks, an optional sign and the
// digits that follow; no digits give 0; values beyond the int range are clamped.
int profileInt(std::string_view text);

}  // namespace orv
