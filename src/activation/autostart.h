#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Starting the program with the desktop session: an entry in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart) that runs the program with the switches the user chose. The entry
// itself is the setting: there is nothing to keep in the configuration file, and removing the
// program's package never leaves a stale copy of it there.

// The entry's file name: the program's desktop entry id, so that desktops list the two together.
inline constexpr const char* kAutostartFileName = "org.orvanta.Orvanta.desktop";

inline constexpr const char* kMsgSwitchesQuote = "The start-up switches have a quotation mark that is not closed.";

struct AutostartSetting {
    bool enabled = false;
    // As the user types them: blanks separate switches, double quotes keep blanks inside one
    // ("/F "/home/me/My Macros/work.ORV""), a backslash takes the next character as it is.
    std::string switches;

    bool operator==(const AutostartSetting&) const = default;
};

// $XDG_CONFIG_HOME/autostart/org.orvanta.Orvanta.desktop (~/.config/autostart/...).
std::string autostartPath();

// What an entry says: on unless it is hidden or turned off or has no command the desktop can
// run, with the switches that follow the program in its Exec line. No file is off.
AutostartSetting readAutostart(std::string_view contents);
AutostartSetting readAutostartFile(const std::string& path);

// The entry that starts `programPath` with `switches`.
std::string autostartEntry(const std::string& programPath, const std::vector<std::string>& switches);

// The typed switches as arguments; nothing when a quotation mark is not closed.
std::optional<std::vector<std::string>> splitSwitches(std::string_view text);
// The arguments written as splitSwitches reads them.
std::string joinSwitches(const std::vector<std::string>& args);

// Writes or removes the entry at `path` when `wanted` differs from `current` (what the file said
// when the user began), so that an entry the user edited by hand stays as it is unless the setting
// changed. Returns the message for the user, empty on success.
std::string updateAutostart(const std::string& path, const AutostartSetting& current, const AutostartSetting& wanted,
                            const std::string& programPath);

}  // namespace orv
