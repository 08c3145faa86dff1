// Hotkeys under sway: the key combinations they are bound as, and the binding events that are
// (and are not) this run's hotkeys or abort key.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/hotkey_codes.h"
#include "platform/wayland/wayland_hook_library.h"

namespace orv::wayland {
namespace {

int code(DecodedHotKey key) { return hotKeyCodeOf(key); }

TEST(SwayKeyCombination, NamesModifiersAndTheKeysUsKeysym) {
    struct Case {
        DecodedHotKey key;
        std::string combination;
    } const cases[] = {
        {{.virtualKey = 'H', .alt = true, .ctrl = true}, "Ctrl+Mod1+h"},
        {{.virtualKey = 112, .win = true, .ctrl = true}, "Mod4+Ctrl+F1"},
        {{.virtualKey = 190, .shift = true, .alt = true, .ctrl = true}, "Ctrl+Mod1+Shift+period"},
        {{.virtualKey = 101}, "KP_5"},
        {{.virtualKey = '7', .shift = true, .ctrl = true}, "Ctrl+Shift+7"},
        {{.virtualKey = 37, .shift = true, .alt = true}, "Mod1+Shift+Left"},
        {{.virtualKey = 13, .ctrl = true}, "Ctrl+Return"},
    };
    for (const Case& c : cases) {
        const int hotKey = code(c.key);
        ASSERT_GE(hotKey, 0) << c.combination;
        EXPECT_EQ(swayKeyCombination(hotKey), c.combination) << hotKeyName(hotKey);
    }
    // A mouse button cannot be bound as a key.
    for (int hotKey = 0; hotKey < kHotKeyCount; ++hotKey) {
        if (DecipherKey(hotKey).mouseButton == 0) continue;
        EXPECT_EQ(swayKeyCombination(hotKey), "") << hotKeyName(hotKey);
    }
}

TEST(SwayBindingEvent, OnlyThisRunsTaggedBindingsCount) {
    const std::string tag = "orvanta-hotkey-12-99";
    auto event = [](const std::string& change, const std::string& command) {
        return R"({"change":")" + change + R"(","binding":{"command":")" + command +
               R"(","event_state_mask":["Ctrl","Mod1"],"input_code":0,"symbol":"h","input_type":"keyboard"}})";
    };
    struct Case {
        std::string json;
        std::optional<int> code;
    } const cases[] = {
        {event("run", "nop orvanta-hotkey-12-99 145"), 145},
        {event("run", "nop orvanta-hotkey-12-99 0"), 0},
        {event("run", "nop orvanta-hotkey-12-99 720"), 720},
        {event("run", "nop orvanta-hotkey-12-99 721"), kAbortBinding},
        {event("run", "nop orvanta-hotkey-12-99 722"), std::nullopt},
        {event("run", "nop orvanta-hotkey-12-99 -1"), std::nullopt},
        {event("run", "nop orvanta-hotkey-12-99 14x"), std::nullopt},
        {event("run", "nop orvanta-hotkey-12-990 145"), std::nullopt},  // another run
        {event("run", "nop orvanta-hotkey-1-99 145"), std::nullopt},
        {event("run", "exec foot"), std::nullopt},
        {event("mode", "nop orvanta-hotkey-12-99 145"), std::nullopt},
        {"not json", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(bindingOfEvent(c.json, tag), c.code) << c.json;
}

}  // namespace
}  // namespace orv::wayland
