#pragma once

#include <string>
#include <vector>

namespace orv {

class IProcessList;
class IWindowSystem;

// The titles of the desktop's windows, topmost first, each once; untitled windows left out.
std::vector<std::string> windowTitleList(IWindowSystem& windows);
// The names of the running programs, each once, in alphabetical order regardless of case.
std::vector<std::string> programNameList(IProcessList& processes);

}  // namespace orv
