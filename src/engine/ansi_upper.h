#pragma once

#include <string>
#include <string_view>

namespace orv {

// Upper case of Windows-1252 text as the system's ANSI upper-casing gives it: a-z and the
// accented small letters become capitals; every other byte stays.
char ansiUpperChar(char c);
std::string ansiUpper(std::string_view text);

// Whether `haystack` contains `needle` after upper-casing both.
bool containsNoCase(std::string_view haystack, std::string_view needle);

}  // namespace orv
