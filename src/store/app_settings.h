#pragma once

#include <array>
#include <string>

#include "platform/activation_table.h"

namespace orv {

// Which picture a macro shows: the built-in macro icon, the built-in menu icon or a file in the
// Icons folder of the program directory. The GUI turns this into a real picture.
struct MacroIconRef {
    enum class Kind { Main, Menu, File };
    Kind kind = Kind::Main;
    std::string path;  // for Kind::File: full path of the icon file

    friend bool operator==(const MacroIconRef&, const MacroIconRef&) = default;
};

struct FontSetting {
    int Color = 0;
    std::string Name = "Arial";
    int Size = 10;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikeout = false;

    friend bool operator==(const FontSetting&, const FontSetting&) = default;
};

// The configuration values and the per-macro display arrays.
struct TAppSettings {
    // Misc
    int SystemMenu = 1;
    bool BypassWizardScreen = false;
    bool SortHeader = true;
    std::string PrimarySort = "123";
    std::string ActivationSort = "12345";
    std::string ScopeSort = "12345";
    int LastDateFormat = 0;
    int LastTimeFormat = 0;
    bool SuppressZerosInDate = true;
    bool SuppressZerosInTime = true;
    bool ShowDate = false;
    bool UseTray = false;
    bool UseHide = false;
    bool UseClose = false;
    bool DisableScreenSaver = true;
    bool FirstUse = true;
    // File paths are kept in the file system's own encoding.
    std::string CurrentFile;
    std::array<std::string, 5> LastFile{};
    // Capture
    bool CaptureDoubleAlt = true;
    bool CaptureKeys = true;
    bool CaptureMouse = true;
    int CaptureRelativeTo = 1;
    bool CaptureTime = true;
    bool CaptureClicksOnly = true;
    bool CapturePrompt = true;
    bool CaptureWindowSize = true;
    bool CaptureGlobal = true;
    int CaptureSpeed = 1;
    // ShortKeys
    bool SolitaryUsage = false;
    bool CaseSensitive = true;
    bool UseSuffix = false;
    std::string PrefixKeys;
    // Main Window
    int Width = 620;
    int Height = 460;
    int Left = 0;
    int Top = 0;
    int Col1Width = 155;
    int Col2Width = 239;
    int Col3Width = 138;
    bool UseSpeed = true;
    bool ShowIcons = true;
    FontSetting GridTitleFont{0, "Arial", 12};
    FontSetting GridFont{0, "Arial", 10};
    // Script Page
    int ScriptWidth = 606;
    int ScriptHeight = 446;
    int ScriptLeft = 0;
    int ScriptTop = 0;
    // Network
    bool NetworkMode = false;
    bool AutoSync = true;
    int SyncMinutes = 10;
    FontSetting PrintListFont{0, "Arial", 10};
    // Scheduler
    bool UseWaveFile = false;
    bool WaveFileWait = false;
    std::string WaveFile;
    int TimerSeconds = 10;

    // Per-macro display arrays, indexed by macro number - 1.
    std::array<std::string, kMaxMacros> NickName{};
    std::array<std::string, kMaxMacros> ShortKeyText{};
    std::array<MacroIconRef, kMaxMacros> MacroIcon{};

    const std::string& nickName(int j) const { return NickName[static_cast<std::size_t>(j - 1)]; }
    const std::string& shortKeyText(int j) const { return ShortKeyText[static_cast<std::size_t>(j - 1)]; }
    const MacroIconRef& macroIcon(int j) const { return MacroIcon[static_cast<std::size_t>(j - 1)]; }
};

}  // namespace orv
