#include "editors/memo_editor.h"

#include "engine/ansi_upper.h"
#include "engine/command_catalogue.h"

namespace orv::editors {

namespace {

// The text of a key's tag, looked up in the language's catalogue when the tables are built.
consteval std::string_view keyTag(CommandId id, int arg = 0) {
    for (const CommandEntry& c : kCommandCatalogue)
        if (c.id == id && c.arg == arg) return c.tag;
    throw "not a tag of the language";
}

using enum CommandId;

constexpr KeyInsert kKeys[] = {
    {"S&hift", "S&hift", keyTag(Shift)},
    {"C&trl", "Con&trol", keyTag(Ctrl)},
    {"Alt", "&Alt", keyTag(Alt)},
    {"Space", "Spa&ce", keyTag(Space)},
    {"Ta&b", "Ta&b", keyTag(Tab)},
    {"Backspace", "Bac&kspace", keyTag(Backspace)},
    {"E&nter", "E&nter", keyTag(Enter)},
    {"E&sc", "E&sc", keyTag(Esc)},
    {"Pa&ge Up", "Pa&ge Up", keyTag(PageUp)},
    {"Page Do&wn", "Page Do&wn", keyTag(PageDown)},
    {"&Insert", "&Insert", keyTag(Insert)},
    {"&Delete", "&Delete", keyTag(Delete)},
    {"Ho&me", "Ho&me", keyTag(Home)},
    {"End", "&End", keyTag(End)},
    {"U&p Arrow", "U&p Arrow", keyTag(UpArrow)},
    {"D&own Arrow", "D&own Arrow ", keyTag(DownArrow)},
    {"&Left Arrow", "&Left Arrow", keyTag(LeftArrow)},
    {"&Right Arrow", "&Right Arrow", keyTag(RightArrow)},
    {"F1", "F&1", keyTag(FKey, 1), true},
    {"F2", "F&2", keyTag(FKey, 2), true},
    {"F3", "F&3", keyTag(FKey, 3), true},
    {"F4", "F&4", keyTag(FKey, 4), true},
    {"F5", "F&5", keyTag(FKey, 5), true},
    {"F6", "F&6", keyTag(FKey, 6), true},
    {"F7", "F&7", keyTag(FKey, 7), true},
    {"F8", "F&8", keyTag(FKey, 8), true},
    {"F9", "F&9", keyTag(FKey, 9), true},
    {"F10", "&F10", keyTag(FKey, 10), true},
    {"F11", "F11", keyTag(FKey, 11), true},
    {"F12", "F12", keyTag(FKey, 12), true},
};

constexpr MiscKey kMisc[] = {
    {"Left Window", keyTag(Leftwin)},
    {"Right Window", keyTag(Rightwin)},
    {"Application", keyTag(App)},
    {"F13", keyTag(FKey, 13)},
    {"F14", keyTag(FKey, 14)},
    {"F15", keyTag(FKey, 15)},
    {"F16", keyTag(FKey, 16)},
    {"F17", keyTag(FKey, 17)},
    {"F18", keyTag(FKey, 18)},
    {"F19", keyTag(FKey, 19)},
    {"F20", keyTag(FKey, 20)},
    {"F21", keyTag(FKey, 21)},
    {"F22", keyTag(FKey, 22)},
    {"F23", keyTag(FKey, 23)},
    {"F24", keyTag(FKey, 24)},
    {"Attn", keyTag(Attn)},
    {"CrSel", keyTag(Crsel)},
    {"ExSel", keyTag(Exsel)},
    {"Erase EOF", keyTag(Ereof)},
    {"Play", keyTag(Play)},
    {"Zoom", keyTag(Zoom)},
    {"PA1", keyTag(Pa1)},
    {"Keypad 0", keyTag(KeyPadDigit, 0)},
    {"Keypad 1", keyTag(KeyPadDigit, 1)},
    {"Keypad 2", keyTag(KeyPadDigit, 2)},
    {"Keypad 3", keyTag(KeyPadDigit, 3)},
    {"Keypad 4", keyTag(KeyPadDigit, 4)},
    {"Keypad 5", keyTag(KeyPadDigit, 5)},
    {"Keypad 6", keyTag(KeyPadDigit, 6)},
    {"Keypad 7", keyTag(KeyPadDigit, 7)},
    {"Keypad 8", keyTag(KeyPadDigit, 8)},
    {"Keypad 9", keyTag(KeyPadDigit, 9)},
    {"Keypad .", keyTag(KeyPadDecimal)},
    {"Keypad /", keyTag(KeyPadDivide)},
    {"Keypad *", keyTag(KeyPadMultiply)},
    {"Keypad -", keyTag(KeyPadSubtract)},
    {"Keypad +", keyTag(KeyPadAdd)},
    {"Print Screen", keyTag(Prtscr)},
    {"Scroll Lock", keyTag(Scrlock)},
    {"Pause", keyTag(Pausekey)},
    {"Caps Lock", keyTag(Caplock)},
    {"Num Lock", keyTag(Numlock)},
};
static_assert(std::size(kMisc) == 42);

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

bool CheckSize(IUserPrompt& prompt, std::size_t currentLength, std::size_t adding) {
    if (currentLength + adding <= kMacroTextLimit) return true;
    prompt.messageBox("Error", kTextTooLong);
    return false;
}

std::string tabsToTags(std::string_view memo) {
    std::string out;
    out.reserve(memo.size());
    for (char c : memo) {
        if (c == '\t')
            out += tagOf(CommandId::Tab);
        else
            out += c;
    }
    return out;
}

std::span<const KeyInsert> keyInserts() { return kKeys; }
std::span<const MiscKey> miscKeys() { return kMisc; }

std::optional<MemoSelection> MemoSearch::find(std::string_view memo, std::string text, IUserPrompt& prompt) {
    offset_ = 0;
    last_ = std::move(text);
    return DoSearchFor(memo, prompt);
}

std::optional<MemoSelection> MemoSearch::findAgain(std::string_view memo, IUserPrompt& prompt) {
    if (last_.empty()) return std::nullopt;
    return DoSearchFor(memo, prompt);
}

std::optional<MemoSelection> MemoSearch::DoSearchFor(std::string_view memo, IUserPrompt& prompt) {
    // The memo may have shrunk since the previous search.
    const std::size_t from = offset_ <= memo.size() ? offset_ : memo.size();
    const std::size_t at = ansiUpper(memo.substr(from)).find(ansiUpper(last_));
    if (at == std::string::npos) {
        prompt.messageBox("Warning", quoted(last_) + " was not found.");
        offset_ = 0;
        return std::nullopt;
    }
    const MemoSelection found{from + at, last_.size()};
    offset_ = found.start + found.length;
    return found;
}

Replaced replaceInLines(std::string_view memo, std::string_view find, std::string_view replacement) {
    Replaced out;
    if (find.empty()) {
        out.text = memo;
        return out;
    }
    const std::string upperFind = ansiUpper(find);
    std::size_t lineStart = 0;
    while (lineStart <= memo.size()) {
        const std::size_t lineEnd = std::min(memo.find('\n', lineStart), memo.size());
        const std::string_view line = memo.substr(lineStart, lineEnd - lineStart);
        const std::string upperLine = ansiUpper(line);
        std::size_t done = 0;
        for (std::size_t at = upperLine.find(upperFind); at != std::string::npos;
             at = upperLine.find(upperFind, done)) {
            out.text += line.substr(done, at - done);
            out.text += replacement;
            done = at + find.size();
            ++out.count;
        }
        out.text += line.substr(done);
        if (lineEnd == memo.size()) break;
        out.text += '\n';
        lineStart = lineEnd + 1;
    }
    return out;
}

void reportReplaced(IUserPrompt& prompt, std::string_view find, int count) {
    if (count > 0) {
        prompt.messageBox("Replaced", quoted(find) + " was replaced " + std::to_string(count) + " times.");
    } else {
        prompt.messageBox("Warning", quoted(find) + " was not found.");
    }
}

}  // namespace orv::editors
