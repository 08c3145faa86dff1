#include "activation/hotkey_table.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/fake/fake_hook_library.h"

namespace orv {
namespace {

struct NameCase {
    int code;
    const char* name;
    DecodedHotKey key;  // vk, button, win, shift, alt, ctrl
};

const NameCase kCases[] = {
    {0, "Ctrl+A", {65, 0, false, false, false, true}},
    {47, "Ctrl+F12", {123, 0, false, false, false, true}},
    {48, "Alt+A", {65, 0, false, false, true, false}},
    {96, "Ctrl+Shift+A", {65, 0, false, true, false, true}},
    {144, "Ctrl+Alt+A", {65, 0, false, false, true, true}},
    {192, "Alt+Shift+A", {65, 0, false, true, true, false}},
    {262, "Ctrl+Alt+Shift+W", {87, 0, false, true, true, true}},
    {265, "Ctrl+Alt+Shift+Z", {90, 0, false, true, true, true}},
    {266, "Ctrl+Alt+Shift+0", {48, 0, false, true, true, true}},
    {288, "F1", {112, 0, false, false, false, false}},
    {311, "Shift+F12", {123, 0, false, true, false, false}},
    {312, "Ctrl+Enter", {13, 0, false, false, false, true}},
    {318, "Ctrl+Alt+Shift+Enter", {13, 0, false, true, true, true}},
    {319, "Ctrl+Tab", {9, 0, false, false, false, true}},
    {323, "Ctrl+Alt+Shift+Tab", {9, 0, false, true, true, true}},
    {324, "Ctrl+Backspace", {8, 0, false, false, false, true}},
    {331, "Ctrl+Space", {32, 0, false, false, false, true}},
    {345, "Ctrl+Delete", {46, 0, false, false, false, true}},
    {349, "Alt+Shift+Delete", {46, 0, false, true, true, false}},
    {350, "Ctrl+Home", {36, 0, false, false, false, true}},
    {363, "Ctrl+Alt+Shift+End", {35, 0, false, true, true, true}},
    {364, "Ctrl+.", {190, 0, false, false, false, true}},
    {429, "Ctrl+Alt+Shift+`", {192, 0, false, true, true, true}},
    {430, "KeyPad /", {111, 0, false, false, false, false}},
    {431, "Ctrl+Keypad /", {111, 0, false, false, false, true}},
    {433, "Shift+KeyPad /", {111, 0, false, true, false, false}},
    {434, "Ctrl+Shift+Keypad /", {111, 0, false, true, false, true}},
    {461, "Ctrl+Alt+Shift+Keypad +", {107, 0, false, true, true, true}},
    {462, "Insert", {45, 0, false, false, false, false}},
    {471, "Down Arrow", {40, 0, false, false, false, false}},
    {472, "Ctrl+Page Up", {33, 0, false, false, false, true}},
    {492, "Ctrl+Alt+Shift+Left Arro", {37, 0, false, true, true, true}},
    {513, "Ctrl+Alt+Shift+Down Arro", {40, 0, false, true, true, true}},
    {514, "KeyPad 0", {96, 0, false, false, false, false}},
    {517, "Ctrl+Alt+Keypad 0", {96, 0, false, false, true, true}},
    {553, "Ctrl+Alt+Keypad 9", {105, 0, false, false, true, true}},
    {554, "Win+A", {65, 0, true, false, false, false}},
    {602, "Win+Ctrl+A", {65, 0, true, false, false, true}},
    {697, "Win+Alt+F12", {123, 0, true, false, true, false}},
    {698, "ESC", {27, 0, false, false, false, false}},
    {699, "LMouse", {0, 1, false, false, false, false}},
    {705, "Shift+Alt+LMouse", {0, 1, false, true, true, false}},
    {706, "RMouse", {0, 2, false, false, false, false}},
    {717, "Ctrl+Shift+MMouse", {0, 3, false, true, false, true}},
    {718, "Ctrl+Alt+MMouse", {0, 3, false, false, true, true}},
    {720, "Win+Space", {32, 0, true, false, false, false}},
};

TEST(HotKeyTable, NamesAndDecodingFollowTheCodeRules) {
    for (const NameCase& c : kCases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(hotKeyName(c.code), c.name);
        EXPECT_EQ(DecipherKey(c.code), c.key);
        EXPECT_EQ(hotKeyCodeOf(c.key), c.code);
    }
}

TEST(HotKeyTable, EveryCodeHasAUniqueNameOfAtMost24Characters) {
    std::set<std::string> names;
    for (int code = 0; code < kHotKeyCount; ++code) {
        const std::string& name = hotKeyName(code);
        ASSERT_FALSE(name.empty()) << code;
        EXPECT_LE(name.size(), 24u) << code;
        names.insert(name);
        // Every code decodes to a combination that leads back to it.
        EXPECT_EQ(hotKeyCodeOf(DecipherKey(code)), code) << name;
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kHotKeyCount));
}

TEST(HotKeyTable, CodesOutsideTheTableDecodeToNothing) {
    for (int code : {-1, 721, kCodeTimed, kCodeShortKey, kCodeWindowTitle, kCodeNone}) {
        EXPECT_EQ(DecipherKey(code), DecodedHotKey{}) << code;
        EXPECT_EQ(hotKeyName(code), "") << code;
    }
}

TEST(SetHotKeys, MarksCodesOfActiveMacrosAndShortKeysOfAnyMacro) {
    TActivationTable table;
    fake::FakeHookLibrary hook;
    table.setMacroCount(5);
    const struct {
        int code;
        bool active;
    } macros[] = {{262, true}, {10, false}, {10, true}, {kCodeShortKey, false}, {44, false}};
    for (int j = 1; j <= 5; ++j) {
        table.setHotKeyCode(j, static_cast<std::int16_t>(macros[j - 1].code));
        table.setActive(j, macros[j - 1].active);
    }
    table.setHotKeyInUse(500, true);  // stale: rebuilt, never edited in place

    SetHotKeys(table, hook);

    for (int c = 0; c < kHotKeyCount; ++c) EXPECT_EQ(table.HotKeyInUse(c), c == 262 || c == 10) << c;
    EXPECT_TRUE(table.HaveShortKeys());
    EXPECT_EQ(hook.transcript().text(), "OrvUpKeys\n");
    for (int c = 0; c < kHotKeyCount; ++c) EXPECT_EQ(hook.libraryTable().HotKeyInUse(c), table.HotKeyInUse(c));
    EXPECT_TRUE(hook.libraryTable().HaveShortKeys());

    // Deactivating one of two macros on code 10 keeps it in use; deactivating both clears it.
    table.setActive(3, false);
    table.setHotKeyCode(4, 30000);
    SetHotKeys(table, hook);
    EXPECT_FALSE(table.HotKeyInUse(10));
    EXPECT_FALSE(table.HaveShortKeys());
}

}  // namespace
}  // namespace orv
