#include "activation/command_line.h"

#include <charconv>
#include <filesystem>

#include "activation/hotkey_dispatch.h"
#include "engine/ansi_upper.h"
#include "platform/cp1252.h"

namespace orv {

namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

}  // namespace

std::string joinArguments(const std::vector<std::string>& args) {
    std::string line;
    for (const auto& arg : args) {
        if (!line.empty()) line += ' ';
        line += arg;
    }
    return line;
}

std::optional<std::string> macroNameAfterSwitch(std::string_view upperLine) {
    for (std::size_t pos = upperLine.find("/A"); pos != std::string_view::npos; pos = upperLine.find("/A", pos + 1)) {
        const bool wordStart = pos == 0 || upperLine[pos - 1] == ' ';
        const bool wordEnd = pos + 2 == upperLine.size() || upperLine[pos + 2] == ' ';
        if (!wordStart || !wordEnd) continue;
        std::string_view rest = upperLine.substr(pos + 2);
        rest = rest.substr(0, rest.find('/'));
        return std::string(trimBlanks(rest));
    }
    return std::nullopt;
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // Program entry: exactly, before the settings are on screen.
        if (arg == "/S") cl.useTray = true;
        if (arg == "/H") cl.useHide = true;
        // The main window's pass, upper-cased.
        const std::string upper = ansiUpper(arg);
        const bool hasValue = i + 1 < args.size();
        if (upper == "/S") {
            cl.autoSync = true;
        } else if (upper == "/HIDE") {
            cl.hideAtFirstPaint = true;
        } else if (upper == "/B") {
            cl.browse = true;
        } else if (upper == "/BA") {
            cl.browseAll = true;
        } else if (upper == "/C") {
            cl.useClose = true;
        } else if (upper == "/N") {
            cl.networkMode = true;
        } else if (upper == "/A") {
            cl.runMacro = true;
        } else if (upper == "/F" && hasValue) {
            // The value is taken whole: a path here begins with "/" and must not be read as a
            // switch.
            cl.file = args[++i];
        } else if (upper == "/SM" && hasValue) {
            const auto minutes = wholeNumber(args[++i]);
            if (minutes && *minutes >= 1 && *minutes <= 98) cl.syncMinutes = *minutes;
        }
    }
    if (cl.runMacro) {
        // Arguments arrive in UTF-8; nicknames are Windows-1252.
        std::string name = macroNameAfterSwitch(ansiUpper(utf8ToCp1252(joinArguments(args)))).value_or("");
        if (name.size() > kCommandLineNickChars) name.resize(kCommandLineNickChars);
        cl.macroName = std::move(name);
    }
    return cl;
}

bool applyCommandLine(const CommandLine& cl, TAppSettings& settings) {
    if (cl.useTray) settings.UseTray = true;
    if (cl.useHide) settings.UseHide = true;
    if (cl.autoSync) settings.AutoSync = true;
    if (cl.useClose) settings.UseClose = true;
    if (cl.networkMode) settings.NetworkMode = true;
    if (cl.syncMinutes) settings.SyncMinutes = *cl.syncMinutes;
    if (!cl.file) return false;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(*cl.file, ec)) return false;
    settings.CurrentFile = *cl.file;
    return true;
}

int findMacroByNickName(const TAppSettings& settings, int macroCount, std::string_view upperName) {
    if (upperName.empty()) return 0;
    for (int j = 1; j <= macroCount && j <= kMaxMacros; ++j)
        if (ansiUpper(settings.nickName(j)) == upperName) return j;
    return 0;
}

std::vector<std::int64_t> encodeHandOver(std::string_view commandLine) {
    std::vector<std::int64_t> messages;
    messages.reserve(commandLine.size() + 1);
    for (char c : commandLine) {
        // A NUL cannot travel: 0 ends the hand-over.
        if (c != '\0') messages.push_back(static_cast<unsigned char>(c));
    }
    messages.push_back(0);
    return messages;
}

std::optional<HandOverReceiver::Result> HandOverReceiver::receive(std::int64_t lParam) {
    if (lParam > 0) {
        if (lParam <= 255 && buffer_.size() < kHandOverChars) buffer_.push_back(static_cast<char>(lParam));
        return std::nullopt;
    }
    Result result;
    if (auto name = macroNameAfterSwitch(ansiUpper(buffer_))) {
        result.runMacro = true;
        result.macroName = std::move(*name);
    }
    buffer_.clear();
    return result;
}

bool runHandedOverMacro(std::string_view upperName, HotkeyDispatcher& dispatcher, const TActivationTable& table,
                        const TAppSettings& settings, IDispatchHost& host, IUserPrompt& prompt, bool macroPlaying) {
    const int j = findMacroByNickName(settings, table.MacroCount(), upperName);
    if (j == 0) return false;
    if (host.popupMenuShowing()) {
        prompt.messageBox("Warning", kPopupBusyText);
        return false;
    }
    if (table.CaptureOn()) {
        prompt.messageBox("Warning", kCaptureBusyText);
        return false;
    }
    if (macroPlaying) return false;
    if (table.Scope(j) == kScopeSystem) {
        const std::string code = table.WindowTitle(j);
        if (code.empty() || code[0] != '4') return false;
        host.showTopWindowMenu();
        return true;
    }
    dispatcher.runMacro(j);
    return true;
}

}  // namespace orv
