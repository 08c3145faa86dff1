#include "platform/x11/desktop_layout.h"

#include <algorithm>
#include <cmath>

namespace orv::x11 {

namespace {
constexpr int kCascadeStep = 30;  // about one title bar
}  // namespace

std::vector<WindowRect> cascadeLayout(int count, const WindowRect& area) {
    std::vector<WindowRect> rects;
    if (count <= 0) return rects;
    const int width = std::max(area.width() * 2 / 3, 1);
    const int height = std::max(area.height() * 2 / 3, 1);
    // How many steps fit before the window would cross the area's right or bottom edge.
    const int fit =
        std::max(std::min((area.width() - width) / kCascadeStep, (area.height() - height) / kCascadeStep) + 1, 1);
    for (int i = 0; i < count; ++i) {
        const int offset = (i % fit) * kCascadeStep;
        const int left = area.left + offset;
        const int top = area.top + offset;
        rects.push_back({left, top, left + width, top + height});
    }
    return rects;
}

std::vector<WindowRect> tileLayout(int count, const WindowRect& area, bool horizontal) {
    std::vector<WindowRect> rects;
    if (count <= 0) return rects;
    // Lines run across the stacking direction: columns of stacked windows for horizontal
    // tiling, rows of side-by-side windows otherwise. Up to three windows share one line.
    const int lines = count <= 3 ? 1 : static_cast<int>(std::floor(std::sqrt(static_cast<double>(count))));
    const int across = horizontal ? area.width() : area.height();  // the size the lines share
    const int along = horizontal ? area.height() : area.width();   // the size inside one line
    int placed = 0;
    for (int line = 0; line < lines; ++line) {
        // The later lines take the windows that do not divide evenly.
        const int inLine = count / lines + (line >= lines - count % lines ? 1 : 0);
        const int lineFrom = across * line / lines;
        const int lineTo = across * (line + 1) / lines;
        for (int k = 0; k < inLine; ++k, ++placed) {
            const int from = along * k / inLine;
            const int to = along * (k + 1) / inLine;
            if (horizontal) {
                rects.push_back({area.left + lineFrom, area.top + from, area.left + lineTo, area.top + to});
            } else {
                rects.push_back({area.left + from, area.top + lineFrom, area.left + to, area.top + lineTo});
            }
        }
    }
    return rects;
}

std::string xdgUserDir(std::string_view name, std::string_view text, const std::string& home) {
    const std::string key = "XDG_" + std::string(name) + "_DIR=";
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        from = end + 1;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        if (line.substr(0, key.size()) != key) continue;
        line.remove_prefix(key.size());
        // The value is quoted; it is either absolute or starts with $HOME.
        if (line.size() < 2 || line.front() != '"') continue;
        const std::size_t close = line.find('"', 1);
        if (close == std::string_view::npos) continue;
        std::string_view value = line.substr(1, close - 1);
        std::string path;
        if (value.substr(0, 5) == "$HOME") {
            path = home + std::string(value.substr(5));
        } else if (!value.empty() && value.front() == '/') {
            path = std::string(value);
        } else {
            continue;
        }
        // Backslash escapes inside the quotes.
        std::string unescaped;
        for (std::size_t i = 0; i < path.size(); ++i) {
            if (path[i] == '\\' && i + 1 < path.size()) ++i;
            unescaped += path[i];
        }
        while (unescaped.size() > 1 && unescaped.back() == '/') unescaped.pop_back();
        return unescaped;
    }
    return name == "DESKTOP" ? home + "/Desktop" : home;
}

}  // namespace orv::x11
