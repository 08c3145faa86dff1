#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "activation/resident.h"
#include "gui/hook_message_bridge.h"
#include "gui/main_window.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_keyboard_input.h"
#include "platform/fake/fake_message_pump.h"
#include "platform/fake/fake_mouse_input.h"
#include "platform/fake/fake_playback_windows.h"
#include "platform/fake/fake_process_list.h"
#include "platform/fake/fake_thread_sleep.h"
#include "platform/fake/fake_user_prompt.h"
#include "platform/fake/fake_window_system.h"
#include "store/macro_store.h"
#include "support/temp_dir.h"

namespace orv::test {

// A resident program on fakes whose window layer is the real main window, with the library's
// messages carried to it through the bridge as in the running program.
class ResidentWindowTest : public ::testing::Test {
protected:
    // Writes the file (its four system macros, then what `write` adds) and starts the program.
    void start(const std::function<void(MacroStore&)>& write) {
        paths.programDir = dir.file("prog");
        paths.configDir = dir.file("config");
        settings.CurrentFile = dir.file("macros.ORV");
        {
            TActivationTable t;
            TAppSettings s;
            s.CurrentFile = settings.CurrentFile;
            fake::FakeHookLibrary h;
            MacroStore store(t, s, h, prompt, clock, "");
            store.LoadMacroFile(settings.CurrentFile);
            write(store);
        }
        resident = std::make_unique<Resident>(
            table, settings, paths,
            ResidentPlatform{keyboard, mouse, pump, playbackWindows, windows, processes, hook, prompt, clock, sleeper},
            window, "ORVANTA");
        hook.setSink(&bridge);
        resident->start(999, CommandLine{});
    }

    // A Global, active macro that types its nickname.
    static TMacroRecord macro(const std::string& nick, int code, int scope = kScopeGlobal) {
        TMacroRecord r;
        r.NickName = nick;
        r.HotKeyCode = static_cast<std::int16_t>(code);
        r.Scope = static_cast<std::int16_t>(scope);
        r.Active = 1;
        r.MacroText = nick;
        r.IconName = "MAIN";
        return r;
    }

    TempDir dir;
    ProgramPaths paths;
    TActivationTable table;
    TAppSettings settings;
    fake::Transcript trace;
    fake::FakeClock clock;
    fake::FakeKeyboardInput keyboard;
    fake::FakeMouseInput mouse;
    fake::FakeMessagePump pump{trace, &clock};
    fake::FakePlaybackWindows playbackWindows;
    fake::FakeWindowSystem windows;
    fake::FakeProcessList processes;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeThreadSleep sleeper{trace, &clock};
    gui::TMainWin window{settings};
    std::unique_ptr<Resident> resident;
    gui::HookMessageBridge bridge{[this](const HookMessage& m) { resident->handleHookMessage(m); }};
};

}  // namespace orv::test
