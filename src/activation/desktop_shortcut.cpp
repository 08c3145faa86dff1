#include "activation/desktop_shortcut.h"

#include "engine/ansi_upper.h"
#include "platform/cp1252.h"

namespace orv {

namespace {

bool blankOnly(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// One argument of an Exec key: always in double quotes, with the characters that stay special
// inside them escaped, and "%" doubled so that it is never a field code.
std::string execArgument(const std::string& arg) {
    std::string out = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        if (c == '%') out += '%';
        out += c;
    }
    return out + "\"";
}

// A value of a string key: backslashes and line breaks escaped, other control characters made
// blanks, so that a value always stays on its one line.
std::string keyValue(const std::string& value) {
    std::string out;
    for (char c : value) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
    }
    return out;
}

}  // namespace

std::string placeOnDesktopError(const TAppSettings& settings, int macroCount, int j) {
    const std::string& nick = settings.nickName(j);
    if (blankOnly(nick)) return kShortcutNoNickNameText;
    const std::string upper = ansiUpper(nick);
    for (int k = 1; k <= macroCount && k <= kMaxMacros; ++k)
        if (k != j && ansiUpper(settings.nickName(k)) == upper) return kShortcutSameNickNameText;
    return {};
}

DesktopShortcut makeDesktopShortcut(const std::string& nickName, const std::string& programPath,
                                    const std::string& iconPath, const std::string& workingDir) {
    const std::string name = cp1252ToUtf8(nickName);
    DesktopShortcut shortcut;
    shortcut.fileName = name;
    for (char& c : shortcut.fileName)
        if (c == '/' || static_cast<unsigned char>(c) < 0x20) c = '_';
    shortcut.fileName += ".desktop";
    shortcut.contents = "[Desktop Entry]\nType=Application\nName=" + keyValue(name) +
                        "\nExec=" + keyValue(execArgument(programPath) + " /A " + execArgument(name)) +
                        "\nIcon=" + keyValue(iconPath) + "\nPath=" + keyValue(workingDir) + "\nTerminal=false\n";
    return shortcut;
}

}  // namespace orv
