#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/playback_engine.h"
#include "platform/fake/recording_macro_host.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_keyboard_input.h"
#include "platform/fake/fake_message_pump.h"
#include "platform/fake/fake_playback_windows.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_user_prompt.h"
#include "platform/file_system.h"
#include "platform/activation_table.h"
#include "store/app_settings.h"
#include "store/macro_store.h"
#include "support/temp_dir.h"

namespace orv::test {

using Lines = std::vector<std::string>;

// The engine on the fakes, all recording into one transcript, with a real file system rooted in
// a temporary folder and a macro store whose file lives there too.
struct EngineRig {
    TempDir dir;
    fake::Transcript trace;
    fake::FakeKeyboardInput keyboard{trace};
    fake::FakeClock clock{LocalTime{2024, 3, 5, 14, 5, 9, 0, 2}};
    fake::FakeMessagePump pump{trace, &clock};
    fake::FakePlaybackWindows windows{trace};
    fake::FakeClipboard clipboard{trace};
    fake::FakeShell shell{trace};
    fake::FakeHookLibrary hook;  // store notifications are kept out of the trace
    fake::FakeUserPrompt prompt{trace};
    RecordingMacroHost host{trace};
    StdFileSystem files{dir.path().string()};
    std::unique_ptr<TActivationTable> table = std::make_unique<TActivationTable>();
    std::unique_ptr<TAppSettings> settings = std::make_unique<TAppSettings>();
    MacroStore store{*table, *settings, hook, prompt, clock, dir.file("Icons")};
    PlaybackEngine engine{services()};

    PlaybackServices services() {
        return PlaybackServices{.keyboard = keyboard,
                                .pump = pump,
                                .windows = windows,
                                .clock = clock,
                                .settings = settings.get(),
                                .clipboard = &clipboard,
                                .shell = &shell,
                                .files = &files,
                                .store = &store,
                                .table = table.get(),
                                .host = &host};
    }

    // Plays `text` as a top-level macro and returns what it did.
    Lines play(const std::string& text, bool capsWasOn = false) {
        trace.clear();
        engine.play(text, capsWasOn, 7, PlayingMacro{"Test", ""});
        return trace.lines();
    }

    // Makes a macro file of `records` (followed by the system macros) current.
    void useMacros(const std::vector<TMacroRecord>& records) {
        std::string bytes;
        for (const TMacroRecord& r : records) {
            const RecordBytes b = encodeRecord(r);
            bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
        }
        settings->CurrentFile = dir.file("TEST.ORV");
        writeFile(settings->CurrentFile, bytes);
        store.LoadMacroFile(settings->CurrentFile);
    }
};

inline TMacroRecord macro(const std::string& nick, const std::string& text, bool active = true) {
    TMacroRecord r;
    r.NickName = nick;
    r.MacroText = text;
    r.HotKeyCode = 30000;
    r.Scope = 1;
    r.Active = active ? 1 : 0;
    r.IconName = "MAIN";
    return r;
}

// The key lines that typing `text` as plain literal characters gives (no commands).
inline Lines typed(const std::string& text) {
    fake::Transcript t;
    fake::FakeKeyboardInput keyboard{t};
    fake::FakeMessagePump pump{t};
    fake::FakePlaybackWindows windows{t};
    fake::FakeClock clock;
    PlaybackEngine engine(PlaybackServices{.keyboard = keyboard, .pump = pump, .windows = windows, .clock = clock});
    Interpretation run;
    engine.typeText(run, text);
    return t.lines();
}

inline Lines join(std::initializer_list<Lines> parts) {
    Lines out;
    for (const Lines& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

}  // namespace orv::test
