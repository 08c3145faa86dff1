#include "engine/text_fields.h"

#include <charconv>

namespace orv {

std::string_view fieldAt(std::string_view text, std::size_t at, std::size_t offset, std::size_t length) {
    const std::size_t from = at + offset;
    if (from >= text.size()) return {};
    return text.substr(from, length);
}

bool charAt(std::string_view text, std::size_t at, std::size_t offset, char c) {
    const std::size_t i = at + offset;
    return i < text.size() && text[i] == c;
}

std::uint32_t fieldNumber(std::string_view text, std::size_t at, std::size_t offset, std::size_t length) {
    std::string_view f = fieldAt(text, at, offset, length);
    while (!f.empty() && f.front() == ' ') f.remove_prefix(1);
    if (f.empty()) return 0;
    std::uint32_t value = 0;
    for (char c : f) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

bool parseDecimal(std::string_view s, double& out) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (s.empty()) return false;
    bool digit = false;
    int points = 0;
    for (char c : s) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.') {
            ++points;
        } else {
            return false;
        }
    }
    if (!digit || points > 1) return false;
    double v = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || ptr != s.data() + s.size()) return false;
    out = v;
    return true;
}

FreeText freeText(std::string_view text, std::size_t from) {
    if (from >= text.size()) return {{}, text.size()};
    const std::size_t close = text.find('>', from);
    if (close == std::string_view::npos) return {text.substr(from), text.size()};
    return {text.substr(from, close - from), close + 1};
}

}  // namespace orv
