#pragma once

// Where the desktop's windows go when they are cascaded or tiled, and where the user's
// folders are. Pure functions: the X11 shell applies their results.

#include <string>
#include <string_view>
#include <vector>

#include "platform/window_system.h"

namespace orv::x11 {

// Rectangles for `count` windows cascaded inside `area`, back window first: each one a title
// bar further right and down than the one behind it, wrapping to the area's corner before a
// window would leave the area.
std::vector<WindowRect> cascadeLayout(int count, const WindowRect& area);

// Rectangles that cover `area` exactly without overlapping. horizontal: the windows lie one
// above the other (in columns when there are more than three); otherwise side by side (in rows).
std::vector<WindowRect> tileLayout(int count, const WindowRect& area, bool horizontal);

// The XDG user directory `name` ("DESKTOP", "DOCUMENTS" ...) from the text of user-dirs.dirs,
// with "$HOME" replaced by `home`; when the file does not name it, $HOME/Desktop for the
// desktop and `home` for the others, as xdg-user-dir answers.
std::string xdgUserDir(std::string_view name, std::string_view userDirsText, const std::string& home);

}  // namespace orv::x11
