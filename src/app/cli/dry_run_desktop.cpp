#include "app/cli/dry_run_desktop.h"

#include <fstream>
#include <sstream>

#include "engine/ansi_upper.h"
#include "engine/mouse_commands.h"
#include "engine/playback_engine.h"
#include "engine/system_commands.h"
#include "engine/wait_commands.h"
#include "engine/window_commands.h"
#include "engine/window_control.h"
#include "platform/cp1252.h"
#include "platform/hook_library.h"
#include "store/activation_table.h"

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

struct DryRunDesktop::Families {
    Families(fake::FakeDesktop& d, IHookLibrary& hooks, TActivationTable* engineTable, IThreadSleep& sleeper)
        : table(engineTable != nullptr ? *engineTable : ownTable),
          control(d.windows, d.processes),
          windows(control),
          waits(control, hooks, table, sleeper),
          mouse(d.mouse, d.windows),
          system(systemServices(d, table)) {}

    static SystemServices systemServices(fake::FakeDesktop& d, const TActivationTable& table) {
        SystemServices s;
        s.settings = &d.settings;
        s.shell = &d.shell;
        s.windows = &d.windows;
        s.network = &d.network;
        s.dialup = &d.dialup;
        s.mixer = &d.mixer;
        s.cd = &d.cd;
        s.media = &d.media;
        s.table = &table;
        return s;
    }

    TActivationTable ownTable;  // used when the engine has no table
    TActivationTable& table;
    WindowControl control;
    WindowCommands windows;
    WaitCommands waits;
    MouseCommands mouse;
    SystemCommands system;
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

void DryRunDesktop::wire(PlaybackServices& services) {
    services.pump = &timeline_;
    services.shell = shell_.get();
}

void DryRunDesktop::registerFamilies(PlaybackEngine& engine) {
    families_ = std::make_unique<Families>(desktop_, hooks_, engine.services().table, sleeper_);
    // Playback makes every window that these routines bring to the front HotKeyWindow.
    families_->control.setActivationObserver(
        [&engine](WindowId w) { engine.state().HotKeyWindow = static_cast<std::int32_t>(w); });
    engine.registerFamily(CommandFamily::Window, families_->windows);
    engine.registerFamily(CommandFamily::Wait, families_->waits);
    engine.registerFamily(CommandFamily::Mouse, families_->mouse);
    engine.registerFamily(CommandFamily::System, families_->system);

    // The running-program list stands in for the main window's upkeep of it: rebuilt from the
    // scripted processes at the start and whenever the process list changes.
    auto refreshPrograms = [this] {
        std::vector<std::string> names;
        for (const ProcessInfo& p : desktop_.processes.current()) names.push_back(ansiUpper(p.name));
        families_->table.setRunningPrograms(names.data(), static_cast<int>(names.size()));
    };
    refreshPrograms();
    timeline_.start(script_.events, [this, &engine, refreshPrograms](const HookMessage& m) {
        if (m.msg == HookMsg::Abort) engine.requestAbort();
        else if (m.msg == HookMsg::ProcessesChanged) refreshPrograms();
        else families_->waits.handleHookMessage(m);
    });
}

}  // namespace orv::cli
