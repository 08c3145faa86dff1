#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "activation/shortkey_index.h"
#include "platform/activation_table.h"
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

}  // namespace orv
