#include "activation/session_notice.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace orv {
namespace {

Capabilities lacking(Capability c, Reach r) { return Capabilities{}.set(c, r); }

TEST(SessionNotice, ShownUntilThatSameNoticeIsDismissedForGood) {
    test::TempDir config;
    const SessionNotice full(Capabilities{}, config.path().string());
    EXPECT_FALSE(full.due());

    const SessionNotice hotkeys(lacking(Capability::GlobalHotkeys, Reach::X11WindowsOnly), config.path().string());
    EXPECT_NE(hotkeys.text().find("Hotkeys work only while an X11 window has the focus."), std::string::npos);
    EXPECT_TRUE(hotkeys.due());
    EXPECT_TRUE(hotkeys.due()) << "showing it does not dismiss it";
    ASSERT_TRUE(hotkeys.dismissForGood());
    EXPECT_FALSE(
        SessionNotice(lacking(Capability::GlobalHotkeys, Reach::X11WindowsOnly), config.path().string()).due());

    // A session that lacks something else has news for the user.
    EXPECT_TRUE(SessionNotice(lacking(Capability::GlobalHotkeys, Reach::Nowhere), config.path().string()).due());
}

TEST(SessionNotice, AnUnwritableFolderKeepsShowingIt) {
    test::TempDir root;
    std::ofstream(root.file("plain")) << "a file where the folder should be";
    const SessionNotice notice(lacking(Capability::Pointer, Reach::Nowhere), root.file("plain") + "/orvanta");
    EXPECT_TRUE(notice.due());
    EXPECT_FALSE(notice.dismissForGood());
    EXPECT_TRUE(notice.due());
}

}  // namespace
}  // namespace orv
