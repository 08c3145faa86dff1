#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::dialogs {

// Leading and trailing blanks and control characters removed; bytes 128-255 are kept.
std::string trimText(std::string_view text);

// A whole number written in decimal with an optional sign, nothing else. Empty when the text is
// not such a number or has more than 18 digits.
std::optional<std::int64_t> parseWhole(std::string_view text);

// A decimal number with an optional sign and an optional point ("1.5", ".25", "60"). No
// exponent; empty when the text is not such a number or has more than 15 digits.
std::optional<double> parseDecimal(std::string_view text);

// The number with zeros in front until it has `width` characters; for a negative number the
// zeros go after the minus sign (-12 in 5 characters is -0012). Wider numbers are written whole.
std::string padNumber(std::int64_t value, int width);

// Hundredths written with two decimals and a zero in front of a one-digit whole part: 150 is
// "01.50", 6000 is "60.00".
std::string formatHundredths(std::int64_t hundredths);

// The value rounded to hundredths.
std::int64_t toHundredths(double value);

// The message for a free-text field holding a character that would end its command early.
std::string forbiddenCharMessage(char c);

}  // namespace orv::dialogs

namespace orv::dialogs {

// The first character of `text` that is one of `chars`, or 0 when there is none.
char firstOf(std::string_view text, std::string_view chars);

}  // namespace orv::dialogs

namespace orv::dialogs {

// A real number with two decimals ("1.50") for listings of structured values.
std::string formatReal(double value);

}  // namespace orv::dialogs
