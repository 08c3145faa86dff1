#pragma once

#include <cstdint>
#include <cstring>
#include <string>

// Records of the two foreign import formats built byte by byte at the offsets of their layouts
// (written out here, not taken from the program's headers, so that a wrong offset there shows).
namespace orv::test {

inline void pokeString(std::string& b, std::size_t at, const std::string& s) {
    b[at] = static_cast<char>(s.size());
    std::memcpy(b.data() + at + 1, s.data(), s.size());
}
inline void poke16(std::string& b, std::size_t at, int v) {
    b[at] = static_cast<char>(v & 0xff);
    b[at + 1] = static_cast<char>((v >> 8) & 0xff);
}

struct Bv2Fixture {
    std::string nick = "nick";
    std::string title;
    int code = 30000;
    int scope = 1;
    int active = 1;
    int paste = 0;
    std::string text = "hello";
    bool terminated = true;

    std::string bytes() const {
        std::string b(5141, '\0');
        pokeString(b, 0, nick);
        pokeString(b, 51, title);
        poke16(b, 82, code);
        poke16(b, 84, scope);
        b[86] = static_cast<char>(active);
        b[87] = static_cast<char>(paste);
        b[88] = 7;
        b[89] = 'x';
        if (terminated) {
            std::memcpy(b.data() + 90, text.data(), text.size());
        } else {
            std::memset(b.data() + 90, 'A', 5001);
        }
        poke16(b, 5091, 4);                         // Weekly
        const char days[] = {1, 0, 1, 0, 1, 0, 0};  // Mon, Wed, Fri
        std::memcpy(b.data() + 5093, days, 7);
        const char time[] = {9, 5, 11, 30, 20};  // 9:05, November 30, 20 past the hour
        std::memcpy(b.data() + 5100, time, 5);
        poke16(b, 5105, 45);
        b[5107] = 3;
        poke16(b, 5108, 1999);
        b[5110] = 1;
        b[5111] = 1;
        std::memset(b.data() + 5112, 0x5a, 29);  // unread
        return b;
    }
};

struct ShkFixture {
    std::string shortKey = "sk";
    int active = 1;
    int paste = 0;
    std::string text = "typed";
    bool terminated = true;

    std::string bytes() const {
        std::string b(3039, '\0');
        std::memset(b.data(), 0x33, 3);  // unread
        pokeString(b, 3, shortKey);
        b[14] = static_cast<char>(active);
        b[15] = 9;
        b[16] = 'y';
        if (terminated) {
            std::memcpy(b.data() + 17, text.data(), text.size());
        } else {
            std::memset(b.data() + 17, 'B', 3001);
        }
        b[3018] = static_cast<char>(paste);
        std::memset(b.data() + 3019, 0x44, 20);  // unread
        return b;
    }
};

}  // namespace orv::test
