// Reads arbitrary bytes as the configuration file: nothing may crash, the corrections must hold,
// and what is saved must read back the same.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orv;
    const std::string text(reinterpret_cast<const char*>(data), size);
    IniFile ini = IniFile::parse(text);
    ProgramPaths paths{"/nonexistent-program-dir", "/nonexistent-config-dir"};
    TAppSettings settings;
    LoadSettings(settings, ini, paths);
    std::string sorted = settings.ActivationSort;
    std::sort(sorted.begin(), sorted.end());
    if (sorted != "12345") std::abort();
    if (settings.TimerSeconds < 1 || settings.TimerSeconds > 60) std::abort();
    if (settings.PrefixKeys.size() > 2) std::abort();

    SaveSettings(settings, ini);
    TAppSettings again;
    LoadSettings(again, IniFile::parse(ini.text()), paths);
    if (again.ActivationSort != settings.ActivationSort || again.Width != settings.Width ||
        again.UseTray != settings.UseTray || again.GridFont != settings.GridFont)
        std::abort();
    return 0;
}
