#pragma once

#include <string_view>
#include <utility>

#include "dialogs/dialog_env.h"

namespace orv::test {

// What the sample tags name exists here, so that the dialogs' checks pass.
inline void addSampleDesktop(DialogFixture& f) {
    for (const char* file :
         {"C:\\Windows\\notepad.exe", "/usr/bin/xterm", "C:\\Sounds\\ding.wav", "chimes.wav", "C:\\Macros\\work.orv",
          "C:\\Text\\notes.txt", "calc.exe", "C:\\Ed\\ed.exe", "C:\\Text\\clip.txt", "C:\\a\\src.txt", "C:\\b\\old.txt",
          "C:\\Clips\\a.avi", "C:\\Clips\\b.avi", "C:\\Clips\\c.avi", "C:\\Windows\\clouds.bmp",
          "/usr/share/backgrounds/bg.png", "C:\\Pics\\shot.bmp"})
        f.files.addFile(file);
    for (const char* folder : {"C:\\Temp", "C:\\Docs"}) f.files.addFolder(folder);
    f.desktop.printerList.push_back("Laser Printer");
    f.desktop.modes.assign(5, {800, 600, 16, 60});
}

// Tags that their dialog writes in another form of the same command: the reposition dialog
// always writes its five-digit form, a web address gets its scheme, and a window-relative mouse
// move may not go left of the window.
inline constexpr std::pair<std::string_view, std::string_view> kRewrittenTags[] = {
    {"<WPOS:0010,0020Calculator>", "<WPOS2:00010,00020Calculator>"},
    {"<WPOS:-005,0000Calculator>", "<WPOS2:-0005,00000Calculator>"},
    {"<HTTP:www.example.com>", "<HTTP:http://www.example.com>"},
    {"<MMW:-0010,00020>", "refused: Invalid X Position specified.  Please correct."},
};

// What the dialog of the sample tag gives when it is confirmed unchanged.
inline std::string_view confirmedTag(std::string_view tag) {
    for (const auto& [from, to] : kRewrittenTags)
        if (from == tag) return to;
    return tag;
}

}  // namespace orv::test
