#include "engine/signed_fields.h"

#include <charconv>
#include <climits>

#include "engine/text_fields.h"

namespace orv {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Sign, then digits with at most one point (when allowed), at least one digit.
bool wellFormed(std::string_view s, bool allowPoint) {
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
    bool digit = false;
    int points = 0;
    for (const char c : s) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && allowPoint)
            ++points;
        else
            return false;
    }
    return digit && points <= 1;
}

}  // namespace

int signedNumber(std::string_view text) {
    std::string_view s = trimmed(text);
    if (!wellFormed(s, false)) return 0;
    const bool negative = s.front() == '-';
    if (s.front() == '-' || s.front() == '+') s.remove_prefix(1);
    long long value = 0;
    for (const char c : s) {
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

int signedField(std::string_view text, std::size_t at, std::size_t offset, std::size_t length) {
    if (at + offset + length > text.size()) return 0;
    return signedNumber(fieldAt(text, at, offset, length));
}

double decimalField(std::string_view text, std::size_t at, std::size_t offset, std::size_t length) {
    if (at + offset + length > text.size()) return 0;
    std::string_view s = trimmed(fieldAt(text, at, offset, length));
    if (!wellFormed(s, true)) return 0;
    if (s.front() == '+') s.remove_prefix(1);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || ptr != s.data() + s.size()) return 0;
    return value;
}

}  // namespace orv
