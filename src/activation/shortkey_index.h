#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/activation_table.h"
#include "store/app_settings.h"

namespace orv {

inline constexpr std::size_t kShortKeyChars = 10;
inline constexpr std::size_t kPrefixKeyChars = 2;
inline constexpr std::size_t kMaxShortKeyMatches = 50;

// Characters that make up a ShortKey word (and the only ones allowed in "Prefix Keys"):
// letters, digits and ! # $ % & * + , - . / ; < = > ? ^ _ @.
bool isShortKeyWordChar(char c);

// True when some macro is a ShortKey macro (active or not).
bool ThereAreShortKeys(const TActivationTable& table);

// How typed text is matched, from the ShortKey settings.
struct ShortKeyMatchOptions {
    bool caseSensitive = true;
    bool exact = false;  // suffix mode or "Solitary Usage": the word must be the pattern
    bool suffix = false;
    std::string prefix;  // empty in suffix mode

    static ShortKeyMatchOptions from(const TAppSettings& settings);
    friend bool operator==(const ShortKeyMatchOptions&, const ShortKeyMatchOptions&) = default;
};

// The patterns (prefix + ShortKey text, upper-cased unless case-sensitive) of the active
// ShortKey macros in a trie, so that a typed word is matched in time that depends on its length,
// not on the number of ShortKeys.
class ShortKeyIndex {
public:
    void rebuild(const TActivationTable& table, const TAppSettings& settings, const ShortKeyMatchOptions& options);

    // The macros whose pattern the subject equals (exact) or contains, in file order, at most
    // kMaxShortKeyMatches. The subject is upper-cased here unless matching is case-sensitive.
    void match(std::string_view subject, std::vector<int>& out) const;

    const ShortKeyMatchOptions& options() const { return options_; }

private:
    struct Node {
        int firstChild = -1;
        int nextSibling = -1;
        char ch = 0;
        std::vector<std::int16_t> macros;
    };
    int child(int node, char c) const;
    int addChild(int node, char c);

    ShortKeyMatchOptions options_;
    std::array<int, 256> root_{};
    std::vector<Node> nodes_;
};

}  // namespace orv
