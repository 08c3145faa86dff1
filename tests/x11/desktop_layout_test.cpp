// The pure parts of the system services: repeat-rate mapping, window layouts, user folders and
// the kernel's CD drive list. No display needed.
#include <gtest/gtest.h>

#include "platform/x11/desktop_layout.h"
#include "platform/x11/linux_cd_audio.h"
#include "platform/x11/x11_desktop_settings.h"

namespace orv::x11 {
namespace {

TEST(KeyboardRepeatMapping, DelayAndSpeedStepsAndClamping) {
    struct Case {
        int value;
        int delayMs;
        int intervalMs;
    };
    // Delay 0..3 is 250..1000 ms; speed 0 is 2.5/s (400 ms), 31 is 30/s (33 ms). Out-of-range
    // values count as the nearest end.
    const Case cases[] = {{0, 250, 400},  {1, 500, 295},  {2, 750, 234},  {3, 1000, 194},
                          {15, 1000, 63}, {31, 1000, 33}, {99, 1000, 33}, {-1, 250, 400}};
    for (const Case& c : cases) {
        EXPECT_EQ(repeatDelayMs(c.value), c.delayMs) << c.value;
        EXPECT_EQ(repeatIntervalMs(c.value), c.intervalMs) << c.value;
    }
    for (int speed = 1; speed <= 31; ++speed) EXPECT_LT(repeatIntervalMs(speed), repeatIntervalMs(speed - 1)) << speed;
}

long long areaOf(const WindowRect& r) { return static_cast<long long>(r.width()) * r.height(); }

bool overlap(const WindowRect& a, const WindowRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(WindowLayout, TilesCoverTheAreaExactlyWithoutOverlapForEveryCount) {
    const WindowRect area{10, 20, 1013, 767};  // odd sizes, so that divisions leave remainders
    for (bool horizontal : {true, false}) {
        for (int count = 1; count <= 12; ++count) {
            const std::vector<WindowRect> rects = tileLayout(count, area, horizontal);
            ASSERT_EQ(rects.size(), static_cast<std::size_t>(count));
            long long covered = 0;
            for (std::size_t i = 0; i < rects.size(); ++i) {
                EXPECT_GT(rects[i].width(), 0);
                EXPECT_GT(rects[i].height(), 0);
                EXPECT_TRUE(rects[i].left >= area.left && rects[i].top >= area.top && rects[i].right <= area.right &&
                            rects[i].bottom <= area.bottom);
                for (std::size_t j = i + 1; j < rects.size(); ++j)
                    EXPECT_FALSE(overlap(rects[i], rects[j])) << count << " windows: " << i << " and " << j;
                covered += areaOf(rects[i]);
            }
            EXPECT_EQ(covered, areaOf(area)) << count << (horizontal ? " horizontal" : " vertical");
        }
    }
}

TEST(WindowLayout, HorizontalTilingStacksWindowsVerticalPutsThemSideBySide) {
    const WindowRect area{0, 0, 1200, 900};
    const auto stacked = tileLayout(3, area, true);
    const auto sideBySide = tileLayout(3, area, false);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(stacked[i], (WindowRect{0, 300 * i, 1200, 300 * (i + 1)}));
        EXPECT_EQ(sideBySide[i], (WindowRect{400 * i, 0, 400 * (i + 1), 900}));
    }
    // Four windows make a 2 x 2 grid either way.
    const auto grid = tileLayout(4, area, true);
    EXPECT_EQ(grid[3], (WindowRect{600, 450, 1200, 900}));
}

TEST(WindowLayout, CascadeStepsDownRightAndStaysInsideTheArea) {
    const WindowRect area{0, 30, 1280, 1024};
    const std::vector<WindowRect> rects = cascadeLayout(40, area);
    ASSERT_EQ(rects.size(), 40u);
    EXPECT_EQ(rects[0].left, 0);
    EXPECT_EQ(rects[0].top, 30);
    EXPECT_EQ(rects[1].left - rects[0].left, rects[1].top - rects[0].top);
    EXPECT_GT(rects[1].left, rects[0].left);
    bool wrapped = false;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        EXPECT_EQ(rects[i].width(), rects[0].width());
        EXPECT_LE(rects[i].right, area.right) << i;
        EXPECT_LE(rects[i].bottom, area.bottom) << i;
        wrapped = wrapped || (i > 0 && rects[i].left < rects[i - 1].left);
    }
    EXPECT_TRUE(wrapped) << "40 windows cannot all step down a 1024-pixel screen";
    EXPECT_TRUE(cascadeLayout(0, area).empty());
}

TEST(UserFolders, XdgUserDirsFileAndDefaults) {
    const std::string text =
        "# written by xdg-user-dirs-update\n"
        "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
        "  XDG_DOCUMENTS_DIR=\"/data/docs/\"\n"
        "XDG_MUSIC_DIR=\"$HOME/My\\ Music\"\n"
        "XDG_VIDEOS_DIR=unquoted\n";
    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {{"DESKTOP", "/home/u/Schreibtisch"},
                          {"DOCUMENTS", "/data/docs"},
                          {"MUSIC", "/home/u/My Music"},
                          {"VIDEOS", "/home/u"},
                          {"PICTURES", "/home/u"}};
    for (const Case& c : cases) EXPECT_EQ(xdgUserDir(c.name, text, "/home/u"), c.expected) << c.name;
    EXPECT_EQ(xdgUserDir("DESKTOP", "", "/home/u"), "/home/u/Desktop");
}

TEST(CdDrives, DriveNamesLowestNumberFirst) {
    const std::string info =
        "CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\n"
        "drive name:\t\tsr10\tsr2\tsr0\n"
        "drive speed:\t\t24\t24\t24\n";
    EXPECT_EQ(cdDriveNames(info), (std::vector<std::string>{"sr0", "sr2", "sr10"}));
    EXPECT_TRUE(cdDriveNames("CD-ROM information\n").empty());
}

}  // namespace
}  // namespace orv::x11
