#include "platform/x11/desktop_entries.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string_view>

#include "platform/cp1252.h"

namespace orv::x11 {

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> splitPaths(const char* value, const char* fallback) {
    const std::string text = value != nullptr && *value != '\0' ? value : fallback;
    std::vector<fs::path> out;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t colon = std::min(text.find(':', from), text.size());
        if (colon > from) out.emplace_back(text.substr(from, colon - from));
        from = colon + 1;
    }
    return out;
}

// The keys of the main group of an entry that decide whether and how it is listed.
struct Entry {
    std::string type;
    std::string name;
    std::string exec;
    std::string tryExec;
    bool noDisplay = false;
    bool hidden = false;
};

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

Entry readEntry(const fs::path& file) {
    Entry e;
    std::ifstream in(file);
    std::string line;
    bool mainGroup = false;
    while (std::getline(in, line)) {
        const std::string_view l = trim(line);
        if (l.empty() || l.front() == '#') continue;
        if (l.front() == '[') {
            mainGroup = l == "[Desktop Entry]";
            continue;
        }
        const std::size_t eq = l.find('=');
        if (!mainGroup || eq == std::string_view::npos) continue;
        // Localised keys (Name[de]) are left out: the list shows the entry's own name.
        const std::string_view key = trim(l.substr(0, eq));
        const std::string value(trim(l.substr(eq + 1)));
        if (key == "Type")
            e.type = value;
        else if (key == "Name")
            e.name = value;
        else if (key == "Exec")
            e.exec = value;
        else if (key == "TryExec")
            e.tryExec = value;
        else if (key == "NoDisplay")
            e.noDisplay = value == "true";
        else if (key == "Hidden")
            e.hidden = value == "true";
    }
    return e;
}

// The program of an Exec line: its first word, quotes removed.
std::string programOf(const std::string& exec) {
    std::string word;
    bool quoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && quoted && i + 1 < exec.size()) {
            word += exec[++i];
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (!word.empty()) break;
        } else {
            word += c;
        }
    }
    return word;
}

bool isProgram(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec) && ::access(p.c_str(), X_OK) == 0;
}

// The full path of a program named absolute or found in the search path, or empty.
fs::path findProgram(const std::string& program, const std::vector<fs::path>& path) {
    if (program.empty()) return {};
    if (program.find('/') != std::string::npos) return isProgram(program) ? fs::path(program) : fs::path();
    for (const fs::path& dir : path)
        if (isProgram(dir / program)) return dir / program;
    return {};
}

std::string entryId(const fs::path& root, const fs::path& file) {
    std::string id = file.lexically_relative(root).generic_string();
    std::replace(id.begin(), id.end(), '/', '-');
    return id;
}

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

}  // namespace

std::vector<fs::path> xdgDataDirs() {
    std::vector<fs::path> dirs;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome != '\0') {
        dirs.emplace_back(dataHome);
    } else if (const char* home = std::getenv("HOME")) {
        dirs.push_back(fs::path(home) / ".local/share");
    }
    for (fs::path& d : splitPaths(std::getenv("XDG_DATA_DIRS"), "/usr/local/share:/usr/share"))
        dirs.push_back(std::move(d));
    return dirs;
}

std::vector<fs::path> searchPath() { return splitPaths(std::getenv("PATH"), "/usr/local/bin:/usr/bin:/bin"); }

std::vector<ProgramShortcut> readApplicationEntries(const std::vector<fs::path>& dataDirs,
                                                    const std::vector<fs::path>& path) {
    std::vector<ProgramShortcut> out;
    std::set<std::string> seen;
    for (const fs::path& dir : dataDirs) {
        const fs::path root = dir / "applications";
        std::error_code ec;
        if (!fs::is_directory(root, ec)) continue;
        // Sorted, so that the same desktop always gives the same list.
        std::vector<fs::path> files;
        for (auto it = fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            if (it->path().extension() == ".desktop") files.push_back(it->path());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            if (!seen.insert(entryId(root, file)).second) continue;
            const Entry e = readEntry(file);
            if (e.type != "Application" || e.name.empty() || e.noDisplay || e.hidden) continue;
            if (!e.tryExec.empty() && findProgram(e.tryExec, path).empty()) continue;
            const fs::path program = findProgram(programOf(e.exec), path);
            if (program.empty()) continue;
            out.push_back({utf8ToCp1252(e.name) + ".desktop", utf8ToCp1252(program.string())});
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const ProgramShortcut& a, const ProgramShortcut& b) {
        return upper(a.linkName) < upper(b.linkName);
    });
    return out;
}

}  // namespace orv::x11
