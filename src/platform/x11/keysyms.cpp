#include "platform/x11/keysyms.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include <array>

namespace orv::x11 {

namespace {

struct VkKeysym {
    int vk;
    KeySym32 keysym;
};

// Virtual keys that are not letters or digits. The order matters only for the reverse look-up:
// the first row of a keysym wins (Shift_L gives 16, not 160).
constexpr VkKeysym kTable[] = {
    {8, XK_BackSpace},
    {9, XK_Tab},
    {12, XK_Clear},
    {13, XK_Return},
    {16, XK_Shift_L},
    {17, XK_Control_L},
    {18, XK_Alt_L},
    {19, XK_Pause},
    {20, XK_Caps_Lock},
    {27, XK_Escape},
    {32, XK_space},
    {33, XK_Prior},
    {34, XK_Next},
    {35, XK_End},
    {36, XK_Home},
    {37, XK_Left},
    {38, XK_Up},
    {39, XK_Right},
    {40, XK_Down},
    {41, XK_Select},
    {42, XK_Print},
    {43, XK_Execute},
    {44, XK_Print},
    {45, XK_Insert},
    {46, XK_Delete},
    {47, XK_Help},
    {91, XK_Super_L},
    {92, XK_Super_R},
    {93, XK_Menu},
    {95, XF86XK_Sleep},
    {96, XK_KP_0},
    {97, XK_KP_1},
    {98, XK_KP_2},
    {99, XK_KP_3},
    {100, XK_KP_4},
    {101, XK_KP_5},
    {102, XK_KP_6},
    {103, XK_KP_7},
    {104, XK_KP_8},
    {105, XK_KP_9},
    {106, XK_KP_Multiply},
    {107, XK_KP_Add},
    {108, XK_KP_Separator},
    {109, XK_KP_Subtract},
    {110, XK_KP_Decimal},
    {111, XK_KP_Divide},
    {144, XK_Num_Lock},
    {145, XK_Scroll_Lock},
    {160, XK_Shift_L},
    {161, XK_Shift_R},
    {162, XK_Control_L},
    {163, XK_Control_R},
    {164, XK_Alt_L},
    {165, XK_Alt_R},
    {186, XK_semicolon},
    {187, XK_equal},
    {188, XK_comma},
    {189, XK_minus},
    {190, XK_period},
    {191, XK_slash},
    {192, XK_grave},
    {219, XK_bracketleft},
    {220, XK_backslash},
    {221, XK_bracketright},
    {222, XK_apostrophe},
    {226, XK_less},
    {246, XKB_KEY_3270_Attn},
    {247, XKB_KEY_3270_CursorSelect},
    {248, XKB_KEY_3270_ExSelect},
    {249, XKB_KEY_3270_EraseEOF},
    {250, XKB_KEY_3270_Play},
    {251, XF86XK_ZoomIn},
    {253, XKB_KEY_3270_PA1},
};

// Shifted punctuation of the US layout, for the reverse look-up of a character's key.
constexpr VkKeysym kShifted[] = {
    {'1', XK_exclam},      {'2', XK_at},         {'3', XK_numbersign}, {'4', XK_dollar},     {'5', XK_percent},
    {'6', XK_asciicircum}, {'7', XK_ampersand},  {'8', XK_asterisk},   {'9', XK_parenleft},  {'0', XK_parenright},
    {186, XK_colon},       {187, XK_plus},       {188, XK_less},       {189, XK_underscore}, {190, XK_greater},
    {191, XK_question},    {192, XK_asciitilde}, {219, XK_braceleft},  {220, XK_bar},        {221, XK_braceright},
    {222, XK_quotedbl},
};

}  // namespace

KeySym32 keysymOfVirtualKey(int vk) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<KeySym32>(XK_a + (vk - 'A'));
    if (vk >= '0' && vk <= '9') return static_cast<KeySym32>(XK_0 + (vk - '0'));
    if (vk >= 112 && vk <= 135) return static_cast<KeySym32>(XK_F1 + (vk - 112));
    for (const auto& row : kTable) {
        if (row.vk == vk) return row.keysym;
    }
    return 0;
}

int virtualKeyOfKeysym(KeySym32 keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return static_cast<int>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z) return static_cast<int>('A' + (keysym - XK_A));
    if (keysym >= XK_0 && keysym <= XK_9) return static_cast<int>('0' + (keysym - XK_0));
    if (keysym >= XK_F1 && keysym <= XK_F24) return static_cast<int>(112 + (keysym - XK_F1));
    for (const auto& row : kTable) {
        if (row.keysym == keysym) return row.vk;
    }
    for (const auto& row : kShifted) {
        if (row.keysym == keysym) return row.vk;
    }
    return 0;
}

KeySym32 keysymOfChar(char32_t ch) {
    switch (ch) {
        case U'\b':
            return XK_BackSpace;
        case U'\t':
            return XK_Tab;
        case U'\n':
            return XK_Linefeed;
        case U'\r':
            return XK_Return;
        case 0x1B:
            return XK_Escape;
        case 0x7F:
            return XK_Delete;
        default:
            break;
    }
    if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0 && ch != 0x80)) {
        // C1 controls (the five bytes Windows-1252 leaves undefined) are typed as their
        // Unicode keysym so that they still arrive as the character.
        if (ch >= 0x80 && ch < 0xA0) return static_cast<KeySym32>(0x01000000u | ch);
        return 0;
    }
    const xkb_keysym_t keysym = xkb_utf32_to_keysym(static_cast<std::uint32_t>(ch));
    return keysym != XKB_KEY_NoSymbol ? keysym : static_cast<KeySym32>(0x01000000u | ch);
}

KeySym32 spareKeysymOfChar(char32_t ch) {
    if (ch >= 0x20 && ch <= 0xFF && ch != 0x7F && !(ch >= 0x80 && ch < 0xA0)) return static_cast<KeySym32>(ch);
    return ch >= 0x80 ? static_cast<KeySym32>(0x01000000u | ch) : keysymOfChar(ch);
}

char32_t charOfKeysym(KeySym32 keysym) {
    if (keysym >= 0x01000080u && keysym <= 0x0100009Fu) return static_cast<char32_t>(keysym & 0xFFu);
    return static_cast<char32_t>(xkb_keysym_to_utf32(keysym));
}

}  // namespace orv::x11
