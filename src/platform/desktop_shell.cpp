#include "platform/desktop_shell.h"

namespace orv {

const char* shellFunctionName(ShellFunction function) {
    switch (function) {
        case ShellFunction::MinimizeAll:
            return "minimize-all";
        case ShellFunction::UndoMinimizeAll:
            return "undo-minimize-all";
        case ShellFunction::Suspend:
            return "suspend";
        case ShellFunction::EjectPC:
            return "eject-pc";
        case ShellFunction::SetTime:
            return "set-time";
        case ShellFunction::FindComputer:
            return "find-computer";
        case ShellFunction::FindFiles:
            return "find-files";
        case ShellFunction::FileRun:
            return "file-run";
    }
    return "unknown";
}

}  // namespace orv
