#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/user_prompt.h"

namespace orv::editors {

// The longest macro text a record holds.
inline constexpr std::size_t kMacroTextLimit = 5000;

inline constexpr const char* kTextTooLong = "Text exceeds maximum length.  Text not added.";

// "CheckSize": whether `adding` more characters may go into a memo that holds `currentLength`;
// when they may not, says so. The memo's length is its text as stored: a line break counts two
// characters, a TAB one.
bool CheckSize(IUserPrompt& prompt, std::size_t currentLength, std::size_t adding);

// The memo's text as it is kept: every TAB character becomes "<TAB>".
std::string tabsToTags(std::string_view memo);

// A key button of the editors and its menu item: the caption, the menu caption and the tag it
// inserts. `functionKey` puts the item in the "FKe&ys" menu instead of "&Keys".
struct KeyInsert {
    std::string_view caption;
    std::string_view menuCaption;
    std::string_view tag;
    bool functionKey = false;
};
std::span<const KeyInsert> keyInserts();

// An entry of the Miscellaneous box and its tag.
struct MiscKey {
    std::string_view name;
    std::string_view tag;
};
std::span<const MiscKey> miscKeys();

// A stretch of the memo: where it starts and how many characters it has.
struct MemoSelection {
    std::size_t start = 0;
    std::size_t length = 0;
    friend bool operator==(const MemoSelection&, const MemoSelection&) = default;
};

// Find and Find Again over the memo's text: case-insensitive, each search going on from where
// the previous one ended, and from the top again after one that found nothing.
class MemoSearch {
public:
    // "Find": a new text, searched from the top.
    std::optional<MemoSelection> find(std::string_view memo, std::string text, IUserPrompt& prompt);
    // "Find Again": the last text from where the previous search ended; nothing when no text
    // was searched for yet.
    std::optional<MemoSelection> findAgain(std::string_view memo, IUserPrompt& prompt);
    std::size_t offset() const { return offset_; }
    const std::string& lastSearch() const { return last_; }

private:
    std::optional<MemoSelection> DoSearchFor(std::string_view memo, IUserPrompt& prompt);

    std::size_t offset_ = 0;
    std::string last_;
};

struct Replaced {
    std::string text;
    int count = 0;
};

// "Search and Replace": every occurrence of `find` in each line of the memo, compared without
// regard to case, replaced by `replacement`; a replacement is never searched again and a match
// never spans a line break.
Replaced replaceInLines(std::string_view memo, std::string_view find, std::string_view replacement);
// The message after a replace: how many were replaced, or that the text was not found.
void reportReplaced(IUserPrompt& prompt, std::string_view find, int count);

}  // namespace orv::editors
