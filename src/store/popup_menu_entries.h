#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// A popup menu's entries checked against the file it lives in: the entries a menu can show, in
// their order, and the ones it cannot (a macro number the file does not hold, or a macro the menu
// lists already).
struct MenuEntryCheck {
    std::vector<int> valid;
    std::vector<int> beyondFile;
    std::vector<int> repeated;

    bool clean() const { return beyondFile.empty() && repeated.empty(); }
    // What is wrong, as one phrase ("entries 12 and 600 name no macro of the file; entry 3 is
    // listed twice"); empty when clean.
    std::string problem() const;
};

MenuEntryCheck checkMenuEntries(const std::vector<std::int16_t>& items, int macroCount);

}  // namespace orv
