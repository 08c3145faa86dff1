#include "activation/desktop_shortcut.h"

#include "activation/desktop_entry.h"
#include "engine/ansi_upper.h"
#include "platform/cp1252.h"

namespace orv {

namespace {

bool blankOnly(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

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
    shortcut.contents =
        "[Desktop Entry]\nType=Application\nName=" + desktopKeyValue(name) +
        "\nExec=" + desktopKeyValue(desktopExecArgument(programPath) + " /A " + desktopExecArgument(name)) +
        "\nIcon=" + desktopKeyValue(iconPath) + "\nPath=" + desktopKeyValue(workingDir) + "\nTerminal=false\n";
    return shortcut;
}

}  // namespace orv
