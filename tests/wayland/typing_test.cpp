// Typing through the compositor's virtual keyboard into a Qt window on Wayland: every printable
// Windows-1252 character arrives exactly, through the backend and through orvanta-cli.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/cp1252.h"
#include "platform/wayland/wayland_clipboard.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_keyboard_input.h"
#include "platform/wayland/wayland_window_system.h"
#include "wayland_test_support.h"

namespace orv::wayland {
namespace {

using namespace test;

class WaylandTypingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ORV_NEED_COMPOSITOR();
        std::string error;
        connection_ = Connection::open(error);
        ASSERT_TRUE(connection_) << error;
        windows_ = WaylandWindowSystem::create(*connection_);
        ASSERT_TRUE(windows_);
        // A headless compositor has no keyboard of its own: clients bind theirs when one appears,
        // so the keyboard exists before the application starts, as on a desktop.
        keyboard_ = WaylandKeyboardInput::create(*connection_);
        ASSERT_TRUE(keyboard_);
        target_ = std::make_unique<WaylandTarget>(std::vector<std::string>{"Orvanta Wayland Typing"});
        const WindowId window = windows_->waitForTitle("Orvanta Wayland Typing", kDeadline);
        ASSERT_NE(window, 0u);
        ASSERT_TRUE(windows_->setForegroundWindow(window));
        ASSERT_TRUE(target_->waitUntilTakingKeys(0, *keyboard_));
    }

    std::unique_ptr<Connection> connection_;
    std::unique_ptr<WaylandWindowSystem> windows_;
    std::unique_ptr<WaylandKeyboardInput> keyboard_;
    std::unique_ptr<WaylandTarget> target_;
};

TEST_F(WaylandTypingTest, TypesEveryPrintableWindows1252CharacterExactly) {
    const std::string text = printableWindows1252();
    ASSERT_EQ(text.size(), 95u + 123u);
    for (char c : text) ASSERT_TRUE(keyboard_->typeChar(cp1252ToUnicode(static_cast<unsigned char>(c))));
    EXPECT_TRUE(keyboard_->endPlayback());
    const std::string expected = cp1252ToUtf8(text);
    EXPECT_EQ(target_->waitForText(0, expected.size()), expected) << target_->transcript();
}

TEST_F(WaylandTypingTest, CliPlaysTheMacroThroughTheCompositor) {
    // The engine's paths: characters of the US keys as virtual keys with Shift, the others as
    // Alt codes, and a command key. "<" opens a tag, so it is left out of the literal text. A
    // desktop setting, which the compositor keeps to itself, is refused with a message.
    std::string literal = printableWindows1252();
    literal.erase(literal.find('<'), 1);
    const ProgramRun run =
        runProgram({ORV_CLI_PATH, "play", "--live", "--text", cp1252ToUtf8(literal) + "<ENTER><KEYSPD:31>ok"});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors,
              "orvanta-cli: Macro Execution Error: Keyboard repeat, screen saver and display mode settings are not "
              "available in this session.\n");
    const std::string expected = cp1252ToUtf8(literal) + "\rok";
    EXPECT_EQ(target_->waitForText(0, expected.size()), expected) << target_->transcript();
}

TEST_F(WaylandTypingTest, CliTypesTheClipboardOfAnotherProgram) {
    std::string error;
    auto owner = WaylandClipboard::create(error);
    ASSERT_TRUE(owner) << error;
    owner->setText(
        "Gr\xFC\xDF"
        "e \x80!");
    const ProgramRun run = runProgram({ORV_CLI_PATH, "play", "--live", "--text", "<CLIPTYPE>."});
    EXPECT_EQ(run.status, 0) << run.errors;
    const std::string expected = cp1252ToUtf8(
        "Gr\xFC\xDF"
        "e \x80!.");
    EXPECT_EQ(target_->waitForText(0, expected.size()), expected) << target_->transcript();
}

}  // namespace
}  // namespace orv::wayland
