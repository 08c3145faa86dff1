#include "app/cli/dry_run_desktop.h"

#include <fstream>
#include <sstream>

#include "engine/ansi_upper.h"
#include "engine/desktop_families.h"
#include "engine/playback_engine.h"
#include "engine/window_control.h"
#include "platform/cp1252.h"
#include "platform/fake/fake_system_services.h"
#include "platform/hook_library.h"
#include "platform/activation_table.h"

namespace orv::cli {

std::optional<std::string> readDesktopScript(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "cannot read desktop script " + path;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = utf8ToCp1252(bytes.str());
    fake::Transcript scratchTrace;
    fake::FakeDesktop scratch(scratchTrace);
    fake::DesktopScript script;
    std::string error;
    if (!fake::loadDesktopScript(text, scratch, script, error)) return path + ": " + error;
    return std::nullopt;
}

// The shell answers a program named in the script's `launch` lines with its scripted result.
class DryRunDesktop::ScriptedShell final : public IShell {
public:
    ScriptedShell(fake::FakeShell& inner, const fake::DesktopScript& script) : inner_(inner), script_(script) {}
    int shellOpen(const std::string& verb, const std::string& target, const std::string& parameters,
                  const std::string& directory) override {
        if (const auto it = script_.launchResults.find(target); it != script_.launchResults.end())
            inner_.queueResult(it->second);
        return inner_.shellOpen(verb, target, parameters, directory);
    }

private:
    fake::FakeShell& inner_;
    const fake::DesktopScript& script_;
};

// The families work on the engine's activation table, or on one of their own when it has none.
struct DryRunDesktop::Commands {
    Commands(fake::FakeDesktop& d, IHookLibrary& hooks, TActivationTable* engineTable, IThreadSleep& sleeper)
        : table(engineTable != nullptr ? *engineTable : ownTable),
          control(d.windows, d.processes),
          families(control, hooks, table, sleeper, d.mouse, d.windows, fake::systemServicesOf(d)) {}

    TActivationTable ownTable;  // used when the engine has no table
    TActivationTable& table;
    WindowControl control;
    DesktopFamilies families;
};

DryRunDesktop::DryRunDesktop(fake::Transcript& trace, fake::FakeClock& clock, IMessagePump& pump,
                             fake::FakeShell& shell, IHookLibrary& hooks)
    : hooks_(hooks),
      desktop_(trace),
      timeline_(trace, pump, clock, desktop_),
      sleeper_(trace, &clock),
      shell_(std::make_unique<ScriptedShell>(shell, script_)) {}

DryRunDesktop::~DryRunDesktop() = default;

void DryRunDesktop::load(const std::string& text) {
    std::string error;
    fake::loadDesktopScript(text, desktop_, script_, error);
}

IMessagePump& DryRunDesktop::pump() { return timeline_; }

IShell& DryRunDesktop::shell() { return *shell_; }

void DryRunDesktop::registerFamilies(PlaybackEngine& engine) {
    commands_ = std::make_unique<Commands>(desktop_, hooks_, engine.services().table, sleeper_);
    commands_->families.followActivations(engine);
    commands_->families.registerWith(engine);

    // The running-program list stands in for the main window's upkeep of it: rebuilt from the
    // scripted processes at the start and whenever the process list changes.
    auto refreshPrograms = [this] {
        std::vector<std::string> names;
        for (const ProcessInfo& p : desktop_.processes.current()) names.push_back(ansiUpper(p.name));
        commands_->table.setRunningPrograms(names.data(), static_cast<int>(names.size()));
    };
    refreshPrograms();
    timeline_.start(script_.events, [this, &engine, refreshPrograms](const HookMessage& m) {
        if (m.msg == HookMsg::Abort)
            engine.requestAbort();
        else if (m.msg == HookMsg::ProcessesChanged)
            refreshPrograms();
        else
            commands_->families.waits.handleHookMessage(m);
    });
}

}  // namespace orv::cli
