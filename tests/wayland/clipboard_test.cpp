// The clipboard through data control: text set by one program is what another reads, in both
// directions, and the owner serves it while it is busy with something else.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/wayland/wayland_clipboard.h"
#include "wayland_test_support.h"

namespace orv::wayland {
namespace {

TEST(WaylandClipboardTest, TextGoesFromOneProgramToAnother) {
    ORV_NEED_COMPOSITOR();
    std::string error;
    auto first = WaylandClipboard::create(error);
    ASSERT_TRUE(first) << error;
    auto second = WaylandClipboard::create(error);
    ASSERT_TRUE(second) << error;

    // Windows-1252 here, UTF-8 on the wire; a text longer than a pipe's buffer.
    const std::string text =
        "Gr\xFC\xDF"
        "e \x80 " +
        std::string(100000, 'x') + "\r\nend";
    first->setText(text);
    EXPECT_EQ(second->text(), text);
    EXPECT_EQ(first->text(), text);

    second->setText("back");
    EXPECT_EQ(first->text(), "back");
    EXPECT_EQ(second->text(), "back");

    // When its owner goes, the text goes with it.
    second.reset();
    EXPECT_EQ(first->text(), "");
}

}  // namespace
}  // namespace orv::wayland
