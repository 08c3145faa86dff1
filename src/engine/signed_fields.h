#pragma once

#include <cstddef>
#include <string_view>

namespace orv {

// Fixed-width fields that may hold a sign (and, for coordinates, a decimal point), such as
// "-0012" or "00400". Blanks around the value are allowed; a field that is not such a number
// (or is cut off by the end of the text) reads as 0.
int signedField(std::string_view text, std::size_t at, std::size_t offset, std::size_t length);
double decimalField(std::string_view text, std::size_t at, std::size_t offset, std::size_t length);

// A whole free-text value read as a signed decimal integer; 0 when it is not one. Values
// beyond the int range are held at its ends.
int signedNumber(std::string_view text);

}  // namespace orv
