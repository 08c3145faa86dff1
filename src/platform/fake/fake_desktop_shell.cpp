#include "platform/fake/fake_desktop_shell.h"

#include <string>

namespace orv::fake {

void FakeDesktopShell::showTaskBar(const WindowRect& r) {
    record("taskbar show " + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
           " " + std::to_string(r.bottom));
}

bool FakeDesktopShell::shellAutomationAvailable() {
    record(std::string("shell available -> ") + (automation_ ? "yes" : "no"));
    return automation_;
}

bool FakeDesktopShell::setShutdownPrivilege(bool enable) {
    const bool ok = !enable || privilege_;
    record(std::string("session privilege ") + (enable ? "on" : "off") + " -> " + (ok ? "ok" : "failed"));
    return ok;
}

bool FakeDesktopShell::exitSession(int flags) {
    record("session exit " + std::to_string(flags) + " -> ok");
    return true;
}

}  // namespace orv::fake
