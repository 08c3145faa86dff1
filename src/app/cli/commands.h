#pragma once

#include <string>
#include <vector>

// The orvanta-cli commands. Each takes the arguments after its name and returns the exit
// status; output goes to standard output as UTF-8, errors to standard error as one line.
namespace orv::cli {

using Args = std::vector<std::string>;

int cmdList(const Args& args);
int cmdShow(const Args& args);
int cmdHotkeys(const Args& args);
int cmdNew(const Args& args);
int cmdPlay(const Args& args);
int cmdScript(const Args& args);
int cmdDialog(const Args& args);

// Prints "orvanta-cli: <message>" on standard error and returns 1.
int fail(const std::string& message);

}  // namespace orv::cli
