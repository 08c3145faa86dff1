#include "activation/desktop_entry.h"

namespace orv {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string unescapeValue(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (const char c = value[++i]) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                out += c;
        }
    }
    return out;
}

// "%%" becomes "%" and field codes (%f, %U, %i ...) go; an argument that was only a field code
// is no argument at all.
std::optional<std::string> withoutFieldCodes(const std::string& arg) {
    std::string out;
    bool onlyCodes = !arg.empty();
    for (std::size_t i = 0; i < arg.size(); ++i) {
        if (arg[i] == '%' && i + 1 < arg.size()) {
            if (arg[++i] == '%') {
                out += '%';
                onlyCodes = false;
            }
            continue;
        }
        out += arg[i];
        onlyCodes = false;
    }
    if (onlyCodes) return std::nullopt;
    return out;
}

}  // namespace

std::string desktopKeyValue(std::string_view value) {
    std::string out;
    for (char c : value) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
    }
    return out;
}

std::string desktopExecArgument(std::string_view arg) {
    std::string out = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        if (c == '%') out += '%';
        out += c;
    }
    return out + "\"";
}

std::map<std::string, std::string> desktopEntryKeys(std::string_view contents) {
    std::map<std::string, std::string> keys;
    bool inGroup = false;
    while (!contents.empty()) {
        const auto end = contents.find('\n');
        const std::string_view line = trimmed(contents.substr(0, end));
        contents = end == std::string_view::npos ? std::string_view() : contents.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos) continue;
        keys.emplace(std::string(trimmed(line.substr(0, equals))), unescapeValue(trimmed(line.substr(equals + 1))));
    }
    return keys;
}

std::optional<std::vector<std::string>> splitDesktopExec(std::string_view exec) {
    std::vector<std::string> args;
    std::size_t i = 0;
    while (true) {
        while (i < exec.size() && exec[i] == ' ') ++i;
        if (i == exec.size()) break;
        std::string arg;
        if (exec[i] == '"') {
            for (++i; i < exec.size() && exec[i] != '"'; ++i) {
                if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
                arg += exec[i];
            }
            if (i == exec.size()) return std::nullopt;
            ++i;
        } else {
            for (; i < exec.size() && exec[i] != ' '; ++i) arg += exec[i];
        }
        if (auto kept = withoutFieldCodes(arg)) args.push_back(std::move(*kept));
    }
    return args;
}

}  // namespace orv
