#include "platform/x11/display_check.h"

#include <cstdlib>

#include "platform/x11/xlib_util.h"

namespace orv::x11 {

std::string displayProblem() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') return "no X display to work on (DISPLAY is not set)";
    if (!openDisplay()) return "cannot open the X display \"" + std::string(name) + "\"";
    return {};
}

}  // namespace orv::x11
