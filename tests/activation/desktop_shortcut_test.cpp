#include "activation/desktop_shortcut.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orv {
namespace {

TEST(DesktopShortcutTest, NeedsANicknameNoOtherMacroAnswersTo) {
    TAppSettings settings;
    settings.NickName[0] = "Morning Report";
    settings.NickName[1] = "   ";
    settings.NickName[2] = "MORNING REPORT";
    settings.NickName[3] = "Evening Report";
    EXPECT_EQ(placeOnDesktopError(settings, 4, 2), kShortcutNoNickNameText);
    // "/A MORNING REPORT" would find macro 1 for either of them.
    EXPECT_EQ(placeOnDesktopError(settings, 4, 1), kShortcutSameNickNameText);
    EXPECT_EQ(placeOnDesktopError(settings, 4, 3), kShortcutSameNickNameText);
    EXPECT_EQ(placeOnDesktopError(settings, 4, 4), "");
    EXPECT_EQ(placeOnDesktopError(settings, 2, 1), "");
}

TEST(DesktopShortcutTest, EntryRunsTheMacroByNickname) {
    const DesktopShortcut s =
        makeDesktopShortcut("Morning Report", "/opt/orvanta/orvanta", "/home/u/.local/share/orvanta/Icons/SUN.ICO",
                            "/home/u/.local/share/orvanta");
    EXPECT_EQ(s.fileName, "Morning Report.desktop");
    EXPECT_EQ(s.contents,
              "[Desktop Entry]\nType=Application\nName=Morning Report\n"
              "Exec=\"/opt/orvanta/orvanta\" /A \"Morning Report\"\n"
              "Icon=/home/u/.local/share/orvanta/Icons/SUN.ICO\nPath=/home/u/.local/share/orvanta\nTerminal=false\n");
}

TEST(DesktopShortcutTest, NicknameCannotAddKeysArgumentsOrFieldCodes) {
    const DesktopShortcut s =
        makeDesktopShortcut("Caf\xE9 \"now\" $HOME `id` 50%\nExec=evil/x", "/opt/orvanta", "i", "d");
    EXPECT_EQ(s.fileName, "Caf\xC3\xA9 \"now\" $HOME `id` 50%_Exec=evil_x.desktop");
    EXPECT_EQ(std::count(s.contents.begin(), s.contents.end(), '\n'), 7);
    EXPECT_NE(s.contents.find(R"(Exec="/opt/orvanta" /A "Caf)"
                              "\xC3\xA9"
                              R"( \\"now\\" \\$HOME \\`id\\` 50%%\nExec=evil/x")"
                              "\n"),
              std::string::npos)
        << s.contents;
    EXPECT_EQ(s.contents.find("\nExec=evil"), std::string::npos);
}

}  // namespace
}  // namespace orv
