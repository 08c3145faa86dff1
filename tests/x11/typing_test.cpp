// The playback engine typing into a real application through the X11 platform.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/playback_engine.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/fake/fake_playback_windows.h"
#include "platform/x11/qt_message_pump.h"
#include "platform/x11/x11_keyboard_input.h"
#include "platform/x11/x11_window_system.h"
#include "store/app_settings.h"
#include "x11_test_support.h"

#include <X11/keysym.h>

namespace orv::x11 {
namespace {

using namespace test;

class TypingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ORV_NEED_DISPLAY();
        app_ = std::make_unique<TargetApp>(std::vector<std::string>{"Orvanta Typing Target"});
        window_ = app_->window(0);
        ASSERT_NE(window_, 0u);
        windows_ = X11WindowSystem::create();
        ASSERT_TRUE(test::activate(*windows_, static_cast<WindowId>(window_)));
        keyboard_ = X11KeyboardInput::create();
        ASSERT_TRUE(keyboard_);
        engine_ = std::make_unique<PlaybackEngine>(PlaybackServices{.keyboard = *keyboard_,
                                                                    .pump = pump_,
                                                                    .windows = playbackWindows_,
                                                                    .clock = clock_,
                                                                    .settings = &settings_});
    }

    // Plays `macro` and waits until the target has handled every key of it.
    void play(const std::string& macro) {
        engine_->play(macro, false, 0);
        keyboard_->endPlayback();
        ASSERT_TRUE(keyboard_->waitUntilDelivered(kDeadline));
        app_->poll();
    }

    std::unique_ptr<TargetApp> app_;
    unsigned long window_ = 0;
    std::unique_ptr<X11WindowSystem> windows_;
    std::unique_ptr<X11KeyboardInput> keyboard_;
    QtMessagePump pump_;
    fake::FakePlaybackWindows playbackWindows_;
    SystemClock clock_;
    TAppSettings settings_;
    std::unique_ptr<PlaybackEngine> engine_;
};

// Every character of Windows-1252 but the five the code page leaves undefined.
std::string allCharacters() {
    std::string text;
    for (int c = 32; c < 256; ++c) {
        if (c == 127 || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) continue;
        text += static_cast<char>(c);
    }
    return text;
}

TEST_F(TypingTest, EveryPrintableCharacterArrivesAsItself) {
    const std::string macro = allCharacters();
    play(macro);
    const std::string expected = cp1252ToUtf8(macro);
    EXPECT_EQ(app_->waitForText(0, expected.size()), expected);
}

TEST_F(TypingTest, LineBreaksArriveOnceBetweenCharactersOutsideTheLayout) {
    std::string macro;
    for (int round = 0; round < 2; ++round) {
        for (int c = 0xC0; c < 0x100; ++c) macro += static_cast<char>(c);
        macro += "\r\n";
    }
    play(macro);
    std::string expected;
    for (int round = 0; round < 2; ++round) {
        for (int c = 0xC0; c < 0x100; ++c) expected += cp1252ToUtf8(std::string(1, static_cast<char>(c)));
        expected += "\r";
    }
    EXPECT_EQ(app_->waitForText(0, expected.size()), expected);
}

TEST_F(TypingTest, SpareKeycodesAreReboundWithoutLosingCharactersOnTheirWay) {
    // Windows-1252 and then every DOS code page character by Alt code, then Windows-1252 again:
    // more characters outside the layout than the spare keycodes hold at once.
    std::string macro;
    std::string expected;
    for (int round = 0; round < 1; ++round) {
        for (int c = 0xA0; c < 0x100; ++c) {
            macro += static_cast<char>(c);
            expected += cp1252ToUtf8(std::string(1, static_cast<char>(c)));
        }
        for (int code = 128; code < 255; ++code) {
            macro += "<ALT:" + std::to_string(code) + ">";
            const char32_t ch = altCodeChar(std::to_string(code));
            std::string utf8;
            if (ch < 0x800) {
                utf8 += static_cast<char>(0xC0 | (ch >> 6));
            } else {
                utf8 += static_cast<char>(0xE0 | (ch >> 12));
                utf8 += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
            }
            utf8 += static_cast<char>(0x80 | (ch & 0x3F));
            expected += utf8;
        }
    }
    for (int c = 0xA0; c < 0x100; ++c) {
        macro += static_cast<char>(c);
        expected += cp1252ToUtf8(std::string(1, static_cast<char>(c)));
    }
    play(macro);
    EXPECT_EQ(app_->waitForText(0, expected.size()), expected);
}

struct KeyCase {
    const char* macro;
    const char* text;  // what arrives as text (UTF-8)
};

TEST_F(TypingTest, ModifierCommandsShapeTheFollowingKeys) {
    const KeyCase cases[] = {
        {"<SHIFT>ab", "Ab"},         {"<SHFD>abc<SHFU>d", "ABCd"},
        {"<ALT><ALT>x", "x"},        {"<CAPLOCK>ab<CAPLOCK>c", "ABc"},
        {"<ALT4:0169>", "\xC2\xA9"},  // ©
        {"<ALT:130>", "\xC3\xA9"},    // é, from the DOS code page
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.macro);
        app_->clear();
        play(c.macro);
        EXPECT_EQ(app_->waitForText(0, std::string(c.text).size()), c.text);
    }
}

TEST_F(TypingTest, FunctionKeysArrowsAndHeldModifiersArriveAsKeyEvents) {
    struct {
        const char* macro;
        unsigned long keysym;
        int modifiers;  // Qt: 0x02000000 Shift, 0x04000000 Ctrl, 0x08000000 Alt
    } cases[] = {
        {"<F5>", XK_F5, 0},
        {"<F12>", XK_F12, 0},
        {"<LEFT ARROW>", XK_Left, 0},
        {"<DOWN ARROW>", XK_Down, 0},
        {"<HOME>", XK_Home, 0},
        {"<CTLD>k<CTLU>", XK_k, 0x04000000},
        {"<CTRL><SHIFT><END>", XK_End, 0x06000000},
        {"<ALTD><F3><ALTU>", XK_F3, 0x08000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.macro);
        app_->clear();
        play(c.macro);
        const std::string tail = " " + std::to_string(c.keysym) + " " + std::to_string(c.modifiers);
        EXPECT_NE(app_->waitForLine([&](const std::string& l) {
            return l.rfind("key 0 ", 0) == 0 && l.size() > tail.size() &&
                   l.compare(l.size() - tail.size(), tail.size(), tail) == 0;
        }),
                  "");
    }
}

TEST_F(TypingTest, NothingTheMacroHeldStaysDownAfterPlayback) {
    PhysicalKeyboard probe;
    ASSERT_TRUE(probe.valid());
    engine_->play("<SHFD><CTLD><ALTD>a", false, 0);
    keyboard_->endPlayback();
    for (unsigned long sym : {XK_Shift_L, XK_Control_L, XK_Alt_L}) EXPECT_FALSE(keyDown(probe.display(), sym)) << sym;
}

TEST_F(TypingTest, TheUsersHeldModifiersDoNotReachTheTypedText) {
    // The user still holds Ctrl+Alt of the hotkey and never lets go in time: the macro types
    // its text plain, and Ctrl is not left down once the user lets go.
    PhysicalKeyboard user;
    ASSERT_TRUE(user.valid());
    user.key(XK_Control_L, true);
    user.key(XK_Alt_L, true);
    play("xyz");
    EXPECT_EQ(app_->waitForText(0, 3), "xyz");
    for (const auto& line : app_->lines()) {
        if (line.rfind("key 0 ", 0) == 0 && line.rfind("key 0 - ", 0) != 0) {
            EXPECT_TRUE(line.size() > 2 && line.substr(line.size() - 2) == " 0") << line;
        }
    }
    user.key(XK_Control_L, false);
    user.key(XK_Alt_L, false);
    EXPECT_FALSE(keyDown(user.display(), XK_Control_L));
    EXPECT_FALSE(keyDown(user.display(), XK_Alt_L));
}

}  // namespace
}  // namespace orv::x11
