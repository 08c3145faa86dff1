#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::wiz {

// A whole decimal number between blanks ("-3", " 12 "); none for anything else.
std::optional<long> wholeNumber(std::string_view text);
// A list of macro numbers written "2,5,9" (the selection of a multi-select list).
std::vector<int> numberList(std::string_view text);
// The lines of a list written one entry a line.
std::vector<std::string> lineList(std::string_view text);
// A number of at least 0 in `width` digits with leading zeros ("005").
std::string padded(long value, int width);

}  // namespace orv::wiz
