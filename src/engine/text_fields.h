#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/command_catalogue.h"

namespace orv {

// Readers of command parameters. Offsets count from the "<" of the tag at `at`; a field that
// runs past the end of the text is cut there.

// `length` characters from `at + offset` (fewer near the end of the text).
std::string_view fieldAt(std::string_view text, std::size_t at, std::size_t offset, std::size_t length);

// Whether `c` stands at `at + offset`.
bool charAt(std::string_view text, std::size_t at, std::size_t offset, char c);

// A fixed-width number field: optional leading blanks, then decimal digits only. Anything else
// (an empty or cut field, a sign, other characters) reads as 0.
std::uint32_t fieldNumber(std::string_view text, std::size_t at, std::size_t offset, std::size_t length);

// A decimal number with an optional point, such as "01.00"; false when `s` is not one.
bool parseDecimal(std::string_view s, double& out);

// A free-text parameter from `from` up to the next ">" (or the end of the text).
struct FreeText {
    std::string_view value;  // the whole parameter
    std::size_t next;        // just past the ">", or the end of the text
    // The parameter as a short string: at most 255 characters, the rest dropped.
    std::string shortString() const { return std::string(value.substr(0, 255)); }
};
FreeText freeText(std::string_view text, std::size_t from);

// The same for the fields of the tag `cmd` standing at `at`, as its layout places them.
inline std::string_view fieldAt(std::string_view text, std::size_t at, const TagField& field) {
    return fieldAt(text, at, field.at, field.width);
}
inline std::uint32_t fieldNumber(std::string_view text, std::size_t at, const TagField& field) {
    return fieldNumber(text, at, field.at, field.width);
}
// Whether the ">" that closes the fixed fields of `cmd` stands where its layout puts it.
inline bool closedAt(std::string_view text, std::size_t at, const CommandEntry& cmd) {
    return charAt(text, at, cmd.layout.close, '>');
}
// The free-text parameter of `cmd`.
inline FreeText textParameter(std::string_view text, std::size_t at, const CommandEntry& cmd) {
    return freeText(text, at + cmd.layout.text);
}

// Whether `word` starts at `at`.
inline bool startsAt(std::string_view text, std::size_t at, std::string_view word) {
    return at <= text.size() && text.substr(at, word.size()) == word;
}

}  // namespace orv
