// orvanta-cli: macro files, hotkeys, dry runs and models from the command line.
#include <cstring>
#include <iostream>
#include <string_view>

#include "app/cli/commands.h"

namespace orv::cli {

int fail(const std::string& message) {
    std::cerr << "orvanta-cli: " << message << '\n';
    return 1;
}

}  // namespace orv::cli

namespace {

struct Command {
    std::string_view name;
    int (*run)(const orv::cli::Args&);
    std::string_view usage;
};

constexpr Command kCommands[] = {
    {"list", orv::cli::cmdList,
     "list [FILE]            one line per macro: number, activation, nickname, scope, active"},
    {"show", orv::cli::cmdShow, "show FILE N            every field of macro N"},
    {"hotkeys", orv::cli::cmdHotkeys, "hotkeys                the 721 hotkey codes and names"},
    {"new", orv::cli::cmdNew, "new FILE               create a macro file with its four system macros"},
    {"play", orv::cli::cmdPlay, "play [OPTIONS]         play a macro (dry run by default); play --help for options"},
    {"script", orv::cli::cmdScript, "script [OPTIONS]       the Scripting Editor lines of a macro; script --help"},
    {"dialog", orv::cli::cmdDialog, "dialog NAME FIELD=VALUE...  run a command dialog's checks; dialog --help"},
};

void printHelp(std::ostream& out) {
    out << "Usage: orvanta-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const Command& c : kCommands) out << "  " << c.usage << '\n';
    out << "\nWithout FILE, list uses the current macro file of the configuration (created with its\n"
           "system macros when it does not exist yet).\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
        std::strcmp(argv[1], "help") == 0) {
        printHelp(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    const std::string_view name = argv[1];
    for (const Command& c : kCommands) {
        if (c.name == name) return c.run(orv::cli::Args(argv + 2, argv + argc));
    }
    return orv::cli::fail("unknown command \"" + std::string(name) + "\" (try --help)");
}
