#include "activation/autostart.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "activation/desktop_entry.h"
#include "store/macro_file.h"
#include "store/paths.h"

namespace orv {

namespace {

bool isTrue(const std::map<std::string, std::string>& keys, const char* key, bool otherwise) {
    const auto it = keys.find(key);
    return it == keys.end() ? otherwise : it->second == "true";
}

bool needsQuotes(const std::string& arg) { return arg.empty() || arg.find_first_of(" \t\"\\") != std::string::npos; }

}  // namespace

std::string autostartPath() { return xdgBaseDir("XDG_CONFIG_HOME", "/.config") + "/autostart/" + kAutostartFileName; }

AutostartSetting readAutostart(std::string_view contents) {
    const std::map<std::string, std::string> keys = desktopEntryKeys(contents);
    AutostartSetting setting;
    const auto exec = keys.find("Exec");
    const auto args = exec == keys.end() ? std::nullopt : splitDesktopExec(exec->second);
    // An entry without a command the desktop can run starts nothing.
    if (!args || args->empty()) return setting;
    setting.enabled = !isTrue(keys, "Hidden", false) && isTrue(keys, "X-GNOME-Autostart-enabled", true);
    setting.switches = joinSwitches(std::vector<std::string>(args->begin() + 1, args->end()));
    return setting;
}

AutostartSetting readAutostartFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return readAutostart(text.str());
}

std::string autostartEntry(const std::string& programPath, const std::vector<std::string>& switches) {
    std::string exec = desktopExecArgument(programPath);
    for (const std::string& arg : switches) exec += ' ' + desktopExecArgument(arg);
    return "[Desktop Entry]\nType=Application\nName=Orvanta\nComment=Keyboard and mouse macros\nExec=" +
           desktopKeyValue(exec) + "\nIcon=orvanta\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
}

std::optional<std::vector<std::string>> splitSwitches(std::string_view text) {
    std::vector<std::string> args;
    std::string arg;
    bool inArg = false;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            arg += text[++i];
            inArg = true;
        } else if (c == '"') {
            quoted = !quoted;
            inArg = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArg) args.push_back(std::move(arg));
            arg.clear();
            inArg = false;
        } else {
            arg += c;
            inArg = true;
        }
    }
    if (quoted) return std::nullopt;
    if (inArg) args.push_back(std::move(arg));
    return args;
}

std::string joinSwitches(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& arg : args) {
        if (!text.empty()) text += ' ';
        if (!needsQuotes(arg)) {
            text += arg;
            continue;
        }
        text += '"';
        for (char c : arg) {
            if (c == '"' || c == '\\') text += '\\';
            text += c;
        }
        text += '"';
    }
    return text;
}

std::string updateAutostart(const std::string& path, const AutostartSetting& current, const AutostartSetting& wanted,
                            const std::string& programPath) {
    if (wanted == current) return {};
    std::error_code ec;
    if (!wanted.enabled) {
        if (!std::filesystem::remove(path, ec) && ec)
            return "The autostart entry " + path + " could not be removed: " + ec.message() + ".";
        return {};
    }
    const std::optional<std::vector<std::string>> args = splitSwitches(wanted.switches);
    if (!args) return kMsgSwitchesQuote;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::string error;
    if (!replaceFileAtomically(path, autostartEntry(programPath, *args), &error))
        return "The autostart entry " + path + " could not be written: " + error + ".";
    return {};
}

}  // namespace orv
