#include "wizards/wizard_numbers.h"

#include <charconv>

namespace orv::wiz {

namespace {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<long> wholeNumber(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty() || text.size() > 9) return std::nullopt;
    long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end) return std::nullopt;
    return value;
}

std::vector<int> numberList(std::string_view text) {
    std::vector<int> out;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const auto n = wholeNumber(text.substr(0, comma));
        if (n) out.push_back(static_cast<int>(*n));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return out;
}

std::vector<std::string> lineList(std::string_view text) {
    std::vector<std::string> out;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        out.emplace_back(text.substr(0, nl));
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return out;
}

std::string padded(long value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

}  // namespace orv::wiz
