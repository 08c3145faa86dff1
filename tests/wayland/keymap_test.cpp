// The typing keymap: compiled as the compositor's clients compile it, every key types what the
// backend expects of it.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <memory>

#include "platform/cp1252.h"
#include "platform/virtual_keys.h"
#include "platform/wayland/typing_keymap.h"
#include "platform/x11/keysyms.h"

namespace orv::wayland {
namespace {

class TypingKeymapTest : public ::testing::Test {
protected:
    void SetUp() override {
        keymap_.reset(xkb_keymap_new_from_string(context_.get(), typing_.text().c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                                 XKB_KEYMAP_COMPILE_NO_FLAGS));
        ASSERT_TRUE(keymap_) << typing_.text();
    }
    // A fresh keyboard state with Shift held or not.
    std::unique_ptr<xkb_state, decltype(&xkb_state_unref)> state(bool shift) {
        std::unique_ptr<xkb_state, decltype(&xkb_state_unref)> s(xkb_state_new(keymap_.get()), xkb_state_unref);
        if (shift) xkb_state_update_key(s.get(), typing_.keycodeOfVirtualKey(kVkShift), XKB_KEY_DOWN);
        return s;
    }

    TypingKeymap typing_;
    std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context_{xkb_context_new(XKB_CONTEXT_NO_FLAGS),
                                                                        xkb_context_unref};
    std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap_{nullptr, xkb_keymap_unref};
};

// The compositor hands clients the keymap as the XKB library writes it: it must read back.
TEST_F(TypingKeymapTest, ReadsBackAsTheCompositorWritesIt) {
    std::unique_ptr<char, decltype(&std::free)> written(
        xkb_keymap_get_as_string(keymap_.get(), XKB_KEYMAP_FORMAT_TEXT_V1), std::free);
    ASSERT_TRUE(written);
    std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> again(
        xkb_keymap_new_from_string(context_.get(), written.get(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                   XKB_KEYMAP_COMPILE_NO_FLAGS),
        xkb_keymap_unref);
    EXPECT_TRUE(again);
    EXPECT_FALSE(fitsKeymap(XKB_KEY_3270_Attn));
}

TEST_F(TypingKeymapTest, EveryPrintableWindows1252CharacterHasAKeyThatTypesIt) {
    int characters = 0;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const char32_t ch = cp1252ToUnicode(static_cast<unsigned char>(byte));
        if (byte == 0x7F || (ch >= 0x80 && ch <= 0x9F)) continue;
        const auto stroke = typing_.strokeFor(ch);
        ASSERT_TRUE(stroke) << "byte " << byte;
        EXPECT_EQ(xkb_state_key_get_utf32(state(stroke->shift).get(), stroke->keycode), ch) << "byte " << byte;
        ++characters;
    }
    EXPECT_EQ(characters, 95 + 123);
}

TEST_F(TypingKeymapTest, VirtualKeysAreTheUsKeysAndModifiersSetTheirModifier) {
    for (int vk = 1; vk < 256; ++vk) {
        const std::uint32_t keycode = typing_.keycodeOfVirtualKey(static_cast<std::uint8_t>(vk));
        const std::uint32_t keysym = x11::keysymOfVirtualKey(vk);
        ASSERT_EQ(keycode != 0, keysym != 0 && fitsKeymap(keysym)) << "vk " << vk;
        if (keycode == 0) continue;
        EXPECT_EQ(xkb_state_key_get_one_sym(state(false).get(), keycode), keysym) << "vk " << vk;
        EXPECT_EQ(typing_.virtualKeyOfKeycode(keycode), vk);
    }
    // The engine types a character as its virtual key, with Shift for the upper level.
    EXPECT_EQ(typing_.strokeFor(U'A'), (KeyStroke{typing_.keycodeOfVirtualKey('A'), true}));
    EXPECT_EQ(typing_.strokeFor(U','), (KeyStroke{typing_.keycodeOfVirtualKey(188), false}));
    EXPECT_EQ(typing_.strokeFor(U'0'), (KeyStroke{typing_.keycodeOfVirtualKey('0'), false}));

    const struct {
        std::uint8_t vk;
        const char* modifier;
    } modifiers[] = {{kVkShift, XKB_MOD_NAME_SHIFT},
                     {kVkControl, XKB_MOD_NAME_CTRL},
                     {kVkMenu, XKB_MOD_NAME_ALT},
                     {kVkLeftWin, XKB_MOD_NAME_LOGO}};
    for (const auto& m : modifiers) {
        auto s = state(false);
        xkb_state_update_key(s.get(), typing_.keycodeOfVirtualKey(m.vk), XKB_KEY_DOWN);
        EXPECT_GT(xkb_state_mod_name_is_active(s.get(), m.modifier, XKB_STATE_MODS_EFFECTIVE), 0) << m.modifier;
    }
}

}  // namespace
}  // namespace orv::wayland
