#include "dialogs/dialog_text.h"

#include "engine/command_catalogue.h"

#include <cmath>
#include <cstdlib>

namespace orv::dialogs {

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string trimText(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

std::optional<std::int64_t> parseWhole(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size() || text.size() - i > 18) return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

std::optional<double> parseDecimal(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int digits = 0;
    bool point = false;
    std::string plain;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            ++digits;
            plain += c;
        } else if (c == '.' && !point) {
            point = true;
            plain += c;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || digits > 15) return std::nullopt;
    const double value = std::strtod(plain.c_str(), nullptr);
    return negative ? -value : value;
}

std::string padNumber(std::int64_t value, int width) { return zeroPadded(value, width); }

std::string formatHundredths(std::int64_t hundredths) {
    std::string out = padNumber(hundredths / 100, 2);
    out += '.';
    out += padNumber(hundredths % 100, 2);
    return out;
}

std::int64_t toHundredths(double value) { return std::llround(value * 100.0); }

std::string forbiddenCharMessage(char c) {
    return std::string("The character ") + c + " cannot be used in this field.  Please correct.";
}

}  // namespace orv::dialogs

namespace orv::dialogs {

char firstOf(std::string_view text, std::string_view chars) {
    const std::size_t at = text.find_first_of(chars);
    return at == std::string_view::npos ? '\0' : text[at];
}

}  // namespace orv::dialogs

#include <cstdio>

namespace orv::dialogs {

std::string formatReal(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    return buf;
}

}  // namespace orv::dialogs
