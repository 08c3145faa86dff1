// Typing under the XWayland of a headless sway, with the X11 backend: the test application is an
// X11 client there. A test program of its own, run in a session with XWayland (ctest label
// xwayland); the other Wayland tests run without one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/cp1252.h"
#include "platform/x11/x11_window_system.h"
#include "wayland_test_support.h"

namespace orv::wayland {
namespace {

using namespace test;

// Under the session's XWayland the X11 backend types into an X11 window: the characters of the
// layout as keys, the others pasted through the clipboard (the compositor's keymap overrides
// any keycode the X11 backend binds for them).
TEST(XWaylandTypingTest, CliTypesEveryPrintableWindows1252CharacterIntoAnX11Window) {
    ORV_NEED_COMPOSITOR();
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        if (compositorRequired()) GTEST_FAIL() << "no XWayland display";
        GTEST_SKIP() << "no XWayland display";
    }
    const std::string title = "Orvanta XWayland Typing";
    WaylandTarget target({title}, {"--report-text"}, "xcb");
    auto x11 = x11::X11WindowSystem::create();
    ASSERT_TRUE(x11);
    ASSERT_TRUE(eventually([&] { return x11->windowTitle(x11->foregroundWindow()) == title; }));

    std::string literal = printableWindows1252();
    literal.erase(literal.find('<'), 1);
    const ProgramRun run =
        runProgram({ORV_CLI_PATH, "play", "--live", "--text", cp1252ToUtf8(literal)}, {"WAYLAND_DISPLAY"});
    EXPECT_EQ(run.status, 0) << run.errors;
    const std::string expected = cp1252ToUtf8(literal);
    std::string hex;
    for (unsigned char c : expected) {
        static constexpr char kDigits[] = "0123456789abcdef";
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    // The field's whole text, exactly.
    const std::string line = "text 0 " + hex;
    EXPECT_TRUE(target.waitUntil([&](const std::vector<std::string>& lines) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    })) << target.transcript();
}

}  // namespace
}  // namespace orv::wayland
