#include "store/settings.h"

#include <array>
#include <climits>
#include <filesystem>
#include <variant>

namespace orv {

namespace {

using BoolRef = bool& (*)(TAppSettings&);
using IntRef = int& (*)(TAppSettings&);
using TextRef = std::string& (*)(TAppSettings&);

// One key of the configuration file: where it lives, which field it fills and how many of its
// characters are read.
struct KeyDef {
    const char* section;
    std::string key;
    std::variant<BoolRef, IntRef, TextRef> field;
    std::size_t readLength;
    std::size_t maxChars = std::string::npos;  // texts of limited length keep their first characters
};

#define ORV_FIELD(expr) +[](TAppSettings& s) -> decltype(auto) { return (s.expr); }

// The keys of a font section; the print font has no underline or strike-out keys.
#define ORV_FONT_KEYS(keys, section, font, allStyles)                              \
    do {                                                                           \
        keys.push_back({section, "Color", ORV_FIELD(font.Color), 149});            \
        keys.push_back({section, "Font Name", ORV_FIELD(font.Name), 149});         \
        keys.push_back({section, "Size", ORV_FIELD(font.Size), 149});              \
        keys.push_back({section, "Bold", ORV_FIELD(font.Bold), 14});               \
        keys.push_back({section, "Italic", ORV_FIELD(font.Italic), 14});           \
        if (allStyles) {                                                           \
            keys.push_back({section, "Underline", ORV_FIELD(font.Underline), 14}); \
            keys.push_back({section, "Strikeout", ORV_FIELD(font.Strikeout), 14}); \
        }                                                                          \
    } while (false)

std::vector<KeyDef> buildKeys() {
    std::vector<KeyDef> k;
    const char* misc = "Misc";
    k.push_back({misc, "System Menu", ORV_FIELD(SystemMenu), 14});
    k.push_back({misc, "Bypass Wizard Screen", ORV_FIELD(BypassWizardScreen), 14});
    k.push_back({misc, "Sort Header", ORV_FIELD(SortHeader), 14});
    k.push_back({misc, "Primary Sort", ORV_FIELD(PrimarySort), 14, 3});
    k.push_back({misc, "Activation Sort", ORV_FIELD(ActivationSort), 14, 5});
    k.push_back({misc, "Scope Sort", ORV_FIELD(ScopeSort), 14, 5});
    k.push_back({misc, "Last Date Format", ORV_FIELD(LastDateFormat), 14});
    k.push_back({misc, "Last Time Format", ORV_FIELD(LastTimeFormat), 14});
    k.push_back({misc, "Suppress Zeros In Date", ORV_FIELD(SuppressZerosInDate), 14});
    k.push_back({misc, "Suppress Zeros In Time", ORV_FIELD(SuppressZerosInTime), 14});
    k.push_back({misc, "Show Date", ORV_FIELD(ShowDate), 14});
    k.push_back({misc, "Use Tray", ORV_FIELD(UseTray), 14});
    k.push_back({misc, "Use Hide", ORV_FIELD(UseHide), 14});
    k.push_back({misc, "Use Close", ORV_FIELD(UseClose), 14});
    k.push_back({misc, "Disable Screen Saver", ORV_FIELD(DisableScreenSaver), 14});
    k.push_back({misc, "First Use", ORV_FIELD(FirstUse), 14});
    k.push_back({misc, "Current File", ORV_FIELD(CurrentFile), 249});
    k.push_back({misc, "Last File 1", ORV_FIELD(LastFile[0]), 254});
    k.push_back({misc, "Last File 2", ORV_FIELD(LastFile[1]), 254});
    k.push_back({misc, "Last File 3", ORV_FIELD(LastFile[2]), 254});
    k.push_back({misc, "Last File 4", ORV_FIELD(LastFile[3]), 254});
    k.push_back({misc, "Last File 5", ORV_FIELD(LastFile[4]), 254});
    const char* cap = "Capture";
    k.push_back({cap, "Double Alt", ORV_FIELD(CaptureDoubleAlt), 14});
    k.push_back({cap, "Keys", ORV_FIELD(CaptureKeys), 14});
    k.push_back({cap, "Mouse", ORV_FIELD(CaptureMouse), 14});
    k.push_back({cap, "Relative To Screen", ORV_FIELD(CaptureRelativeTo), 14});
    k.push_back({cap, "Time", ORV_FIELD(CaptureTime), 14});
    k.push_back({cap, "Clicks Only", ORV_FIELD(CaptureClicksOnly), 14});
    k.push_back({cap, "Prompt", ORV_FIELD(CapturePrompt), 14});
    k.push_back({cap, "Window Size", ORV_FIELD(CaptureWindowSize), 14});
    k.push_back({cap, "Global", ORV_FIELD(CaptureGlobal), 14});
    k.push_back({cap, "Speed", ORV_FIELD(CaptureSpeed), 14});
    const char* sk = "ShortKeys";
    k.push_back({sk, "Solitary Usage", ORV_FIELD(SolitaryUsage), 14});
    k.push_back({sk, "Case Sensative", ORV_FIELD(CaseSensitive), 14});
    k.push_back({sk, "Use Suffix", ORV_FIELD(UseSuffix), 14});
    k.push_back({sk, "Prefix Keys", ORV_FIELD(PrefixKeys), 249});
    const char* mw = "Main Window";
    k.push_back({mw, "Width", ORV_FIELD(Width), 14});
    k.push_back({mw, "Height", ORV_FIELD(Height), 14});
    k.push_back({mw, "Left", ORV_FIELD(Left), 14});
    k.push_back({mw, "Top", ORV_FIELD(Top), 14});
    k.push_back({mw, "Col 1 Width", ORV_FIELD(Col1Width), 14});
    k.push_back({mw, "Col 2 Width", ORV_FIELD(Col2Width), 14});
    k.push_back({mw, "Col 3 Width", ORV_FIELD(Col3Width), 14});
    k.push_back({mw, "Use Speed", ORV_FIELD(UseSpeed), 14});
    k.push_back({mw, "Show Icons", ORV_FIELD(ShowIcons), 14});
    ORV_FONT_KEYS(k, "Grid Title Font", GridTitleFont, true);
    ORV_FONT_KEYS(k, "Grid Font", GridFont, true);
    const char* sp = "Script Page";
    k.push_back({sp, "Width", ORV_FIELD(ScriptWidth), 14});
    k.push_back({sp, "Height", ORV_FIELD(ScriptHeight), 14});
    k.push_back({sp, "Left", ORV_FIELD(ScriptLeft), 14});
    k.push_back({sp, "Top", ORV_FIELD(ScriptTop), 14});
    const char* net = "Network";
    k.push_back({net, "Network Mode", ORV_FIELD(NetworkMode), 14});
    k.push_back({net, "Auto Sync", ORV_FIELD(AutoSync), 14});
    k.push_back({net, "Sync Minutes", ORV_FIELD(SyncMinutes), 14});
    ORV_FONT_KEYS(k, "Print List Font", PrintListFont, false);
    const char* sch = "Scheduler";
    k.push_back({sch, "Use Wave File", ORV_FIELD(UseWaveFile), 14});
    k.push_back({sch, "Wave File Wait", ORV_FIELD(WaveFileWait), 14});
    k.push_back({sch, "Wave File", ORV_FIELD(WaveFile), 249});
    k.push_back({sch, "Timer Seconds", ORV_FIELD(TimerSeconds), 14});
    return k;
}

#undef ORV_FONT_KEYS
#undef ORV_FIELD

const std::vector<KeyDef>& keys() {
    static const std::vector<KeyDef> table = buildKeys();
    return table;
}

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

std::string trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

}  // namespace

int profileInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

std::string repairActivationSort(std::string value) {
    if (value.size() > 5) value.resize(5);
    if (value.size() == 3) value += "45";
    if (value.size() == 4) value += "5";
    while (value.size() < 5) value += '0';  // an empty slot that the repair fills
    std::array<int, 6> count{};
    for (const char c : value)
        if (c >= '1' && c <= '5') ++count[static_cast<std::size_t>(c - '0')];
    for (int k = 1; k <= 5; ++k) {
        if (count[static_cast<std::size_t>(k)] != 0) continue;
        // Take the last occurrence of the smallest surplus digit, else the first slot that holds
        // no digit of the order.
        std::size_t slot = std::string::npos;
        for (int d = 1; d <= 5 && slot == std::string::npos; ++d) {
            if (count[static_cast<std::size_t>(d)] > 1) {
                slot = value.rfind(static_cast<char>('0' + d));
                --count[static_cast<std::size_t>(d)];
            }
        }
        if (slot == std::string::npos) {
            for (std::size_t i = 0; i < value.size(); ++i) {
                if (value[i] < '1' || value[i] > '5') {
                    slot = i;
                    break;
                }
            }
        }
        value[slot] = static_cast<char>('0' + k);
        ++count[static_cast<std::size_t>(k)];
    }
    return value;
}

void LoadSettings(TAppSettings& settings, const IniFile& ini, const ProgramPaths& paths) {
    for (const KeyDef& def : keys()) {
        const std::optional<std::string> raw = ini.get(def.section, def.key);
        if (!raw) continue;
        std::string value = raw->substr(0, def.readLength);
        if (const auto* b = std::get_if<BoolRef>(&def.field)) {
            (*b)(settings) = upper(value) == "YES";
        } else if (const auto* i = std::get_if<IntRef>(&def.field)) {
            (*i)(settings) = profileInt(value);
        } else {
            if (def.key == "Prefix Keys") value = trimmed(value);
            if (value.size() > def.maxChars) value.resize(def.maxChars);
            (*std::get<TextRef>(def.field))(settings) = value;
        }
    }
    if (settings.PrefixKeys.size() > 2) settings.PrefixKeys.resize(2);
    if (settings.CurrentFile.empty()) settings.CurrentFile = paths.defaultMacroFile();
    settings.ActivationSort = repairActivationSort(settings.ActivationSort);
    if (settings.TimerSeconds < 1 || settings.TimerSeconds > 60) settings.TimerSeconds = 10;
    if (!fileExists(settings.CurrentFile)) settings.CurrentFile = paths.defaultMacroFile();
}

void LoadSettings(TAppSettings& settings, const ProgramPaths& paths) {
    LoadSettings(settings, IniFile::load(paths.iniFile()), paths);
}

void SaveSettings(const TAppSettings& settings, IniFile& ini) {
    auto& s = const_cast<TAppSettings&>(settings);  // the accessors only read here
    for (const KeyDef& def : keys()) {
        if (const auto* b = std::get_if<BoolRef>(&def.field)) {
            ini.set(def.section, def.key, (*b)(s) ? "Yes" : "No");
        } else if (const auto* i = std::get_if<IntRef>(&def.field)) {
            ini.set(def.section, def.key, std::to_string((*i)(s)));
        } else {
            ini.set(def.section, def.key, (*std::get<TextRef>(def.field))(s));
        }
    }
}

bool SaveSettings(const TAppSettings& settings, const ProgramPaths& paths, std::string* error) {
    IniFile ini = IniFile::load(paths.iniFile());
    SaveSettings(settings, ini);
    return ini.save(paths.iniFile(), error);
}

bool SettingsSaver::save(const TAppSettings& settings) {
    std::string error;
    if (SaveSettings(settings, paths_, &error)) {
        told_ = false;
        return true;
    }
    if (!told_) {
        told_ = true;
        prompt_.messageBox("Error", "The settings could not be saved to \"" + paths_.iniFile() + "\": " + error +
                                        ". Settings changed now are lost when Orvanta ends.");
    }
    return false;
}

}  // namespace orv
