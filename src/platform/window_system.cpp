#include "platform/window_system.h"

namespace orv {

const char* windowActionName(WindowAction action) {
    switch (action) {
        case WindowAction::Restore:
            return "restore";
        case WindowAction::Minimize:
            return "minimize";
        case WindowAction::Maximize:
            return "maximize";
        case WindowAction::Close:
            return "close";
        case WindowAction::Hide:
            return "hide";
        case WindowAction::Show:
            return "show";
        case WindowAction::Quit:
            return "quit";
    }
    return "unknown";
}

}  // namespace orv
