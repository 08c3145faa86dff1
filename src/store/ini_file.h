#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// A profile (INI) file kept line by line, so that writing a value leaves every other section,
// key and comment as it was. Section and key names match case-insensitively; values are kept
// as written (surrounding blanks removed).
class IniFile {
public:
    static IniFile parse(std::string_view text);
    // A missing or unreadable file reads as empty.
    static IniFile load(const std::string& path);

    std::optional<std::string> get(std::string_view section, std::string_view key) const;
    // Replaces the value of an existing key, or adds the key at the end of its section (adding
    // the section at the end of the file when it is new).
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;
    // Writes the whole file, creating its folder when needed; false (and why in `error`) when it
    // could not be written.
    [[nodiscard]] bool save(const std::string& path, std::string* error = nullptr) const;

private:
    struct Line {
        std::string raw;  // the line as read, for lines that are not key=value
        std::string key;  // empty for other lines
        std::string value;
    };
    struct Section {
        std::string name;    // empty for the lines before the first section header
        std::string header;  // the header line as read (text after "]" included); empty for new ones
        std::vector<Line> lines;
    };
    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;

    std::vector<Section> sections_;
};

}  // namespace orv
