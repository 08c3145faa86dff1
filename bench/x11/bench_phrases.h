#pragma once

// The phrases of the resident benchmark: written into orvanta's macro file and into the peer
// program's configuration alike, and the text each must produce.

#include <string>

namespace orv::bench {

inline constexpr int kCtrlAlt = 144;                      // hotkey code of Ctrl+Alt+A; letters follow
inline constexpr int kHotkeyCode = kCtrlAlt + 'N' - 'A';  // Ctrl+Alt+N
inline constexpr int kPhraseCode = kCtrlAlt + 'L' - 'A';  // Ctrl+Alt+L
inline constexpr const char* kHotkeyText = "hello";
inline constexpr const char* kShortKey = "qq";
inline constexpr const char* kShortKeyText = "replaced";
// A popup menu of 36 entries on Ctrl+Alt+M (orvanta only), shown as nickname and scope.
inline constexpr int kMenuCode = kCtrlAlt + 'M' - 'A';
inline constexpr int kMenuEntries = 36;
inline constexpr const char* kMenuTitle = "Double Click or Press Number or Letter";

// 500 characters (Windows-1252), five of them outside the US layout, the last one among them.
inline std::string longPhrase() {
    const std::string words = "The quick brown fox jumps over the lazy dog. ";
    const char outside[] = {'\xE9', '\xF1', '\xFC', '\x80', '\xDF'};  // e acute, n tilde, u umlaut, euro, sharp s
    std::string text;
    while (text.size() < 500) text += words;
    text.resize(500);
    for (std::size_t i = 0; i < sizeof outside; ++i) text[99 + 100 * i] = outside[i];
    return text;
}

}  // namespace orv::bench
