#pragma once

#include <algorithm>
#include <string>

#include "engine/desktop_families.h"
#include "engine/engine_rig.h"
#include "engine/window_control.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_system_services.h"
#include "platform/fake/fake_thread_sleep.h"
#include "platform/fake/trace_quoted.h"

namespace orv::test {

// The engine with the window, wait, mouse and system families on a scripted desktop, every
// fake recording into the rig's one transcript.
struct DesktopRig : EngineRig {
    // How far the system services reach in the session played in.
    Capabilities session;
    fake::FakeDesktop desktop{trace};
    fake::FakeThreadSleep sleeper{trace, &clock};
    WindowControl control{desktop.windows, desktop.processes};
    DesktopFamilies families{control, hook, *table, sleeper, desktop.mouse, desktop.windows, services()};
    SystemCommands& systemCommands = families.system;

    explicit DesktopRig(Capabilities sessionCapabilities = {}) : session(sessionCapabilities) {
        families.registerWith(engine);
    }

    SystemServices services() {
        SystemServices s = fake::systemServicesOf(desktop);
        s.capabilities = session;
        return s;
    }

    void addWindow(WindowId id, const std::string& title, std::int32_t pid = 0, bool minimized = false) {
        fake::FakeWindowSystem::Window w;
        w.id = id;
        w.title = title;
        w.pid = pid;
        w.minimized = minimized;
        desktop.windows.addWindow(w);
    }

    // Delivers a hook-library message at pump call `call` (counted from the rig's start).
    void postAt(std::uint64_t call, HookMsg msg, std::int64_t wParam = 0, std::int64_t lParam = 0) {
        pump.at(call, "hook " + std::to_string(static_cast<int>(msg)), [this, msg, wParam, lParam] {
            HookMessage m;
            m.msg = msg;
            m.wParam = wParam;
            m.lParam = lParam;
            if (msg == HookMsg::Abort)
                engine.requestAbort();
            else
                families.waits.handleHookMessage(m);
        });
    }
};

// The "message window" lines of a transcript.
inline Lines messages(const Lines& lines) {
    Lines out;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(out), [](const std::string& l) {
        return l.rfind("message window ", 0) == 0 || l.rfind("text box ", 0) == 0;
    });
    return out;
}

inline std::string messageLine(const std::string& title, const std::string& text) {
    return "message window " + fake::traceQuoted(title) + " " + fake::traceQuoted(text);
}

// Lines that begin with `prefix`.
inline Lines linesStarting(const Lines& lines, const std::string& prefix) {
    Lines out;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(out),
                 [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    return out;
}

inline bool hasLine(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace orv::test
