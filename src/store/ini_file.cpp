#include "store/ini_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "store/macro_file.h"

namespace orv {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

}  // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    ini.sections_.push_back({});
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        const std::string_view line = trim(raw);
        if (line.size() >= 2 && line.front() == '[' && line.find(']') != std::string_view::npos) {
            ini.sections_.push_back({std::string(trim(line.substr(1, line.find(']') - 1))), std::string(raw), {}});
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos && eq > 0 && line.front() != ';') {
            ini.sections_.back().lines.push_back(
                {{}, std::string(trim(line.substr(0, eq))), std::string(trim(line.substr(eq + 1)))});
        } else {
            ini.sections_.back().lines.push_back({std::string(raw), {}, {}});
        }
    }
    return ini;
}

IniFile IniFile::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return parse({});
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse(text);
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    for (std::size_t i = 1; i < sections_.size(); ++i)
        if (sameName(sections_[i].name, name)) return &sections_[i];
    return nullptr;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    return const_cast<IniFile*>(this)->findSection(name);
}

std::optional<std::string> IniFile::get(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (s == nullptr) return std::nullopt;
    for (const Line& line : s->lines)
        if (!line.key.empty() && sameName(line.key, key)) return line.value;
    return std::nullopt;
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    if (sections_.empty()) sections_.push_back({});
    Section* s = findSection(section);
    if (s == nullptr) {
        sections_.push_back({std::string(section), {}, {}});
        s = &sections_.back();
    }
    for (Line& line : s->lines) {
        if (!line.key.empty() && sameName(line.key, key)) {
            line.value = std::string(value);
            return;
        }
    }
    // New keys go after the section's last key, before any trailing blank lines.
    auto at = s->lines.end();
    while (at != s->lines.begin() && std::prev(at)->key.empty() && trim(std::prev(at)->raw).empty()) --at;
    s->lines.insert(at, {{}, std::string(key), std::string(value)});
}

std::string IniFile::text() const {
    std::string out;
    for (const Section& s : sections_) {
        if (&s != &sections_.front()) out += (s.header.empty() ? "[" + s.name + "]" : s.header) + "\n";
        for (const Line& line : s.lines) out += (line.key.empty() ? line.raw : line.key + "=" + line.value) + "\n";
    }
    return out;
}

bool IniFile::save(const std::string& path, std::string* error) const {
    std::error_code ec;
    const auto parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    return replaceFileAtomically(path, text(), error);
}

}  // namespace orv
