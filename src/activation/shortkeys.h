#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/activation_table.h"
#include "platform/outcome.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv {

class IDispatchHost;
class IHookLibrary;
class IKeyboardInput;
class IMessagePump;
class IUserPrompt;
class MacroStore;
class WindowControl;

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

// ShortKeys: the typed-text buffer fed by the hook library, matching, the scope choice and
// running the chosen macro after erasing the typed abbreviation.
//
// The index of patterns is rebuilt when the ShortKey settings change (checked at every typed
// character) and when the program calls macrosChanged() after loading or changing macros;
// every match is checked against the live activation table before it is run.
class ShortKeys {
public:
    struct Services {
        TActivationTable& table;
        TAppSettings& settings;
        MacroStore& store;
        IHookLibrary& hook;
        IUserPrompt& prompt;
        WindowControl& windows;
        IKeyboardInput& keyboard;
        IMessagePump& pump;
        IDispatchHost& host;
    };

    explicit ShortKeys(Services services);

    // The hook library's typing notification: WParam 1 resets the buffer, 0 a typed character,
    // 2 a character typed with Caps Lock on; LParam the character.
    void handleTyping(std::int64_t wParam, std::int64_t lParam);

    // Matches the buffer against the ShortKeys and runs the chosen macro.
    void TestIt();

    // After every load of the macro file and every change of a macro.
    void macrosChanged() { indexValid_ = false; }

    // The Backspaces that erase a ShortKey's typed text (the ending blank or Enter in suffix
    // mode, the prefix in prefix mode).
    static int backspacesFor(const std::string& shortKeyText, const ShortKeyMatchOptions& options);

    std::string_view buffer() const { return std::string_view(buffer_.data(), length_); }
    int CurrentMacro() const { return currentMacro_; }
    bool CapsWasOn() const { return capsWasOn_; }

private:
    void ensureIndex();
    // Scope choice among the matches: the first Window match that fits the foreground window,
    // else the first fitting Program match, else the first Global match; 0 when none.
    int chooseMacro(const std::vector<int>& matches);
    void runShortKey(int j);
    void postKey(std::uint8_t vk, bool up);
    void clearBuffer() { length_ = 0; }

    Services s_;
    ShortKeyIndex index_;
    bool indexValid_ = false;
    std::array<char, kPrefixKeyChars + kShortKeyChars> buffer_{};
    std::size_t length_ = 0;
    std::vector<int> matches_;
    int currentMacro_ = 0;
    bool capsWasOn_ = false;
    TMacroRecord menuBuffer_;
};

// The ShortKey Options dialog ("ShortKey Options") as fields and checks.
struct ShortKeyOptionsModel {
    bool solitaryUsage = false;
    bool usePrefixKeys = true;
    bool caseSensitive = true;
    std::string prefixKeys;  // the field's text as typed

    static ShortKeyOptionsModel fromSettings(const TAppSettings& settings);
    // The prefix field is enabled only while "Use &Prefix Keys" is checked.
    bool prefixEnabled() const { return usePrefixKeys; }
    // The message when the trimmed prefix holds a character that no ShortKey word can hold;
    // empty when it is valid. Shown (title "Error") on every change and on leaving the field.
    std::string checkPrefix() const;
    // "&Ok": refused with the message when the prefix is invalid; otherwise stores the options in
    // the settings, which the caller then saves.
    Outcome apply(TAppSettings& settings) const;
};

inline constexpr const char* kInvalidPrefixText =
    "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ # $ % ^ & _ = < "
    "> ? . ; , * - / +";

}  // namespace orv
