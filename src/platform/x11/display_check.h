#pragma once

#include <string>

namespace orv::x11 {

// Empty when a connection to the X display ($DISPLAY) can be opened, otherwise one line that
// says why not.
std::string displayProblem();

}  // namespace orv::x11
