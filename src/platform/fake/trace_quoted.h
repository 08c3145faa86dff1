#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace orv::fake {

// Text in double quotes for a transcript line: printable ASCII as it is, `"` and `\` escaped
// with a backslash, every other byte as \xNN, so that a line never breaks and stays ASCII.
inline std::string traceQuoted(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c >= 32 && c < 127) {
            out += ch;
        } else {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    out += '"';
    return out;
}

}  // namespace orv::fake
