#include "platform/fake/fake_keyboard_input.h"

#include <string>

namespace orv::fake {

namespace {

std::int16_t shifted(int vk) { return static_cast<std::int16_t>(0x100 | vk); }
std::int16_t withCtrl(int vk) { return static_cast<std::int16_t>(0x200 | vk); }

}  // namespace

void FakeKeyboardInput::keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, bool up) {
    lastScan_ = scanCode;
    record(std::string(up ? "key up " : "key down ") + std::to_string(virtualKey));
}

bool FakeKeyboardInput::waitUntilDelivered(std::chrono::milliseconds) {
    if (!confirmsDelivery_) return false;
    record("keys handled");
    return true;
}

std::int16_t FakeKeyboardInput::keyForChar(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<std::int16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return shifted(c);
    if (c >= '0' && c <= '9') return static_cast<std::int16_t>(c);
    switch (c) {
        case ' ':
            return 32;
        case '\b':
            return 8;
        case '\t':
            return 9;
        case '\r':
            return 13;
        case '\n':
            return withCtrl(13);
        case 27:
            return 27;
        case 28:
            return withCtrl(0xDC);
        case 29:
            return withCtrl(0xDD);
        case 30:
            return static_cast<std::int16_t>(0x300 | '6');
        case 31:
            return static_cast<std::int16_t>(0x300 | 0xBD);
        case 0:
            return static_cast<std::int16_t>(0x300 | '2');
        case 127:
            return withCtrl(8);
        case ')':
            return shifted('0');
        case '!':
            return shifted('1');
        case '@':
            return shifted('2');
        case '#':
            return shifted('3');
        case '$':
            return shifted('4');
        case '%':
            return shifted('5');
        case '^':
            return shifted('6');
        case '&':
            return shifted('7');
        case '*':
            return shifted('8');
        case '(':
            return shifted('9');
        case ';':
            return 0xBA;
        case ':':
            return shifted(0xBA);
        case '=':
            return 0xBB;
        case '+':
            return shifted(0xBB);
        case ',':
            return 0xBC;
        case '<':
            return shifted(0xBC);
        case '-':
            return 0xBD;
        case '_':
            return shifted(0xBD);
        case '.':
            return 0xBE;
        case '>':
            return shifted(0xBE);
        case '/':
            return 0xBF;
        case '?':
            return shifted(0xBF);
        case '`':
            return 0xC0;
        case '~':
            return shifted(0xC0);
        case '[':
            return 0xDB;
        case '{':
            return shifted(0xDB);
        case '\\':
            return 0xDC;
        case '|':
            return shifted(0xDC);
        case ']':
            return 0xDD;
        case '}':
            return shifted(0xDD);
        case '\'':
            return 0xDE;
        case '"':
            return shifted(0xDE);
        default:
            break;
    }
    if (c >= 1 && c <= 26) return withCtrl('A' + c - 1);  // Ctrl+letter
    return -1;                                            // 128 and above: not on this layout
}

std::uint8_t FakeKeyboardInput::scanCodeFor(std::uint8_t vk) {
    static constexpr std::uint8_t kLetters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                                  0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                                  0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    if (vk >= 'A' && vk <= 'Z') return kLetters[vk - 'A'];
    if (vk >= '1' && vk <= '9') return static_cast<std::uint8_t>(vk - '1' + 2);
    if (vk >= 112 && vk <= 121) return static_cast<std::uint8_t>(0x3B + vk - 112);  // F1..F10
    switch (vk) {
        case '0':
            return 0x0B;
        case 8:
            return 0x0E;
        case 9:
            return 0x0F;
        case 13:
            return 0x1C;
        case 16:
            return 0x2A;
        case 17:
            return 0x1D;
        case 18:
            return 0x38;
        case 20:
            return 0x3A;
        case 27:
            return 0x01;
        case 32:
            return 0x39;
        case 33:
            return 0x49;
        case 34:
            return 0x51;
        case 35:
            return 0x4F;
        case 36:
            return 0x47;
        case 37:
            return 0x4B;
        case 38:
            return 0x48;
        case 39:
            return 0x4D;
        case 40:
            return 0x50;
        case 45:
            return 0x52;
        case 46:
            return 0x53;
        case 96:
            return 0x52;
        case 97:
            return 0x4F;
        case 98:
            return 0x50;
        case 99:
            return 0x51;
        case 100:
            return 0x4B;
        case 101:
            return 0x4C;
        case 102:
            return 0x4D;
        case 103:
            return 0x47;
        case 104:
            return 0x48;
        case 105:
            return 0x49;
        case 106:
            return 0x37;
        case 107:
            return 0x4E;
        case 109:
            return 0x4A;
        case 110:
            return 0x53;
        case 122:
            return 0x57;
        case 123:
            return 0x58;
        case 144:
            return 0x45;
        case 145:
            return 0x46;
        case 0xBA:
            return 0x27;
        case 0xBB:
            return 0x0D;
        case 0xBC:
            return 0x33;
        case 0xBD:
            return 0x0C;
        case 0xBE:
            return 0x34;
        case 0xBF:
            return 0x35;
        case 0xC0:
            return 0x29;
        case 0xDB:
            return 0x1A;
        case 0xDC:
            return 0x2B;
        case 0xDD:
            return 0x1B;
        case 0xDE:
            return 0x28;
        default:
            return 0;
    }
}

void FakeKeyboardInput::altCode(std::string_view digits) {
    keyEvent(18, scanCodeFor(18), false);
    for (const char d : digits) {
        const auto vk = static_cast<std::uint8_t>(96 + (d - '0'));
        keyEvent(vk, scanCodeFor(vk), false);
        keyEvent(vk, scanCodeFor(vk), true);
    }
    keyEvent(18, scanCodeFor(18), true);
}

}  // namespace orv::fake
