#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Desktop entry files: the launchers the desktop shows and runs, and the entries of the autostart
// folder. Values are written so that no text can add keys or arguments, and read back as the
// desktop reads them.

// The value of a string key, kept on its one line: backslashes and line breaks escaped, other
// control characters made blanks.
std::string desktopKeyValue(std::string_view value);

// One argument of an Exec key: always in double quotes, the characters that stay special inside
// them escaped, and "%" doubled so that it is never a field code. The Exec line then goes through
// desktopKeyValue like any other value.
std::string desktopExecArgument(std::string_view arg);

// The keys of the "[Desktop Entry]" group with their escapes resolved; comments, blank lines and
// other groups are skipped, and a repeated key keeps its first value.
std::map<std::string, std::string> desktopEntryKeys(std::string_view contents);

// The arguments an Exec value (its escapes resolved) runs, split as the desktop splits it: blanks
// separate, double quotes group, field codes are dropped and "%%" is "%". Nothing when a quotation
// mark is not closed.
std::optional<std::vector<std::string>> splitDesktopExec(std::string_view exec);

}  // namespace orv
