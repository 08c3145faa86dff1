#pragma once

#include "platform/desktop_shell.h"
#include "platform/fake/transcript.h"

namespace orv::fake {

// The desktop shell as a recorder. Lines: `desktop cascade`, `desktop tile horizontal`,
// `taskbar hide`, `taskbar show 0 0 100 768`, `shell available -> yes`,
// `shell minimize-all`, `shell explore-folder 10`,
// `session privilege on -> ok`, `session exit 2 -> ok`.
class FakeDesktopShell final : public IDesktopShell, public Recorder {
public:
    using Recorder::Recorder;

    void cascadeWindows() override { record("desktop cascade"); }
    void tileWindows(bool horizontal) override {
        record(std::string("desktop tile ") + (horizontal ? "horizontal" : "vertical"));
    }
    void hideTaskBar() override { record("taskbar hide"); }
    void showTaskBar(const WindowRect& r) override;
    bool shellAutomationAvailable() override;
    void shellFunction(ShellFunction function) override { record(std::string("shell ") + shellFunctionName(function)); }
    void exploreSpecialFolder(int folder) override { record("shell explore-folder " + std::to_string(folder)); }
    bool setShutdownPrivilege(bool enable) override;
    bool exitSession(int flags) override;

    void setAutomationAvailable(bool available) { automation_ = available; }
    void setPrivilegeGranted(bool granted) { privilege_ = granted; }

private:
    bool automation_ = true;
    bool privilege_ = true;
};

}  // namespace orv::fake
