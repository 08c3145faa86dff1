#pragma once

#include <string>

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
// Reads the file, writes every key and saves it; errors while writing are ignored (false).
bool SaveSettings(const TAppSettings& settings, const ProgramPaths& paths);

// Makes a five-character sort order hold each digit 1 to 5 exactly once. A value that
// already does is returned unchanged.
std::string repairActivationSort(std::string value);

// The decimal conversion used for integer keys: leading blanks, an optional sign and the
// digits that follow; no digits give 0; values beyond the int range are clamped.
int profileInt(std::string_view text);

}  // namespace orv
