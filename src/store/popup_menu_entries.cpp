#include "store/popup_menu_entries.h"

#include <algorithm>

namespace orv {

namespace {

// "entry 5" or "entries 5, 7 and 9".
std::string entryList(const std::vector<int>& numbers) {
    std::string text = numbers.size() == 1 ? "entry " : "entries ";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) text += i + 1 == numbers.size() ? " and " : ", ";
        text += std::to_string(numbers[i]);
    }
    return text;
}

}  // namespace

std::string MenuEntryCheck::problem() const {
    std::string text;
    if (!beyondFile.empty())
        text = entryList(beyondFile) + (beyondFile.size() == 1 ? " names" : " name") + " no macro of the file";
    if (!repeated.empty()) {
        if (!text.empty()) text += "; ";
        text += entryList(repeated) + (repeated.size() == 1 ? " is" : " are") + " listed more than once";
    }
    return text;
}

MenuEntryCheck checkMenuEntries(const std::vector<std::int16_t>& items, int macroCount) {
    MenuEntryCheck check;
    for (const std::int16_t item : items) {
        const int j = item;
        if (j < 1 || j > macroCount) {
            check.beyondFile.push_back(j);
        } else if (std::find(check.valid.begin(), check.valid.end(), j) != check.valid.end()) {
            if (std::find(check.repeated.begin(), check.repeated.end(), j) == check.repeated.end())
                check.repeated.push_back(j);
        } else {
            check.valid.push_back(j);
        }
    }
    return check;
}

}  // namespace orv
