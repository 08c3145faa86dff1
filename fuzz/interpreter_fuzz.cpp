// Any byte sequence as macro text: the interpreter must run it to its end or to a clear stop.
// Every command family is registered on the fakes, which record everything and change nothing
// outside a scratch folder; the macro file holds macros that run themselves, each other and the
// clipboard, so nesting is exercised too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/desktop_families.h"
#include "engine/playback_engine.h"
#include "platform/fake/recording_macro_host.h"
#include "engine/window_control.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_keyboard_input.h"
#include "platform/fake/fake_message_pump.h"
#include "platform/fake/fake_playback_windows.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_system_services.h"
#include "platform/fake/fake_thread_sleep.h"
#include "platform/fake/fake_user_prompt.h"
#include "platform/activation_table.h"
#include "store/app_settings.h"
#include "store/macro_store.h"

namespace {

using namespace orv;

TMacroRecord macro(const std::string& nick, const std::string& text, std::int16_t scope = 1) {
    TMacroRecord r;
    r.NickName = nick;
    r.MacroText = text;
    r.HotKeyCode = 30000;
    r.Scope = scope;
    r.Active = 1;
    r.IconName = "MAIN";
    return r;
}

std::string macroFileBytes() {
    std::string bytes;
    TMacroRecord menu = macro("M", "", 4);
    menu.MacroText.clear();
    menu.MenuItems = {1, 2, 3};
    for (const TMacroRecord& r :
         {macro("A", "a<MACRUN:A>"), macro("B", "<REPEAT:0002><MACRUN:B><ENDREP>"), macro("C", "<CLIPTYPE>"),
          macro("D", "<REP:0003:000001:000002><IIII><MACRUN:A><ENDREP>"), menu}) {
        const RecordBytes b = encodeRecord(r);
        bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    return bytes;
}

// Waits that only the user can end (no time-out) would run for ever on a quiet desktop: the
// user aborts once a single input has processed messages this many times.
class BoundedPump final : public IMessagePump {
public:
    explicit BoundedPump(IMessagePump& inner) : inner_(inner) {}
    void processMessages() override {
        count();
        inner_.processMessages();
    }
    void waitFor(std::uint32_t ms) override {
        count();
        inner_.waitFor(ms);
    }
    void startInput(PlaybackEngine& engine) { engine_ = &engine, calls_ = 0; }

private:
    void count() {
        if (++calls_ == 5000 && engine_ != nullptr) engine_->requestAbort();
    }
    IMessagePump& inner_;
    PlaybackEngine* engine_ = nullptr;
    std::uint64_t calls_ = 0;
};

struct Rig {
    std::filesystem::path dir;
    std::string file;
    std::string bytes = macroFileBytes();
    fake::Transcript trace;
    fake::FakeKeyboardInput keyboard{trace};
    fake::FakeClock clock{LocalTime{2024, 3, 5, 14, 5, 9, 0, 2}};
    fake::FakeMessagePump pump{trace, &clock};
    BoundedPump bounded{pump};
    fake::FakePlaybackWindows windows{trace};
    fake::FakeClipboard clipboard{trace};
    fake::FakeShell shell{trace};
    fake::FakeFileSystem files;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    RecordingMacroHost host{trace};
    std::unique_ptr<TActivationTable> table = std::make_unique<TActivationTable>();
    std::unique_ptr<TAppSettings> settings = std::make_unique<TAppSettings>();
    std::unique_ptr<MacroStore> store;
    // The desktop of the window, wait, mouse and system commands.
    fake::FakeDesktop desktop{trace};
    fake::FakeThreadSleep sleeper{trace, &clock};
    WindowControl control{desktop.windows, desktop.processes};
    DesktopFamilies families{
        control, hook, *table, sleeper, desktop.mouse, desktop.windows, fake::systemServicesOf(desktop)};

    Rig() : files(trace, makeDir()) {
        file = (dir / "FUZZ.ORV").string();
        settings->CurrentFile = file;
        store = std::make_unique<MacroStore>(*table, *settings, hook, prompt, clock, (dir / "Icons").string());
        host.allowSwap(false);
        resetDesktop();
    }

    // Windows closed and processes ended by one input are back for the next.
    void resetDesktop() {
        const char* titles[] = {"Untitled - Editor", "", "Calculator", "CURRENT"};
        for (WindowId id = 1; id <= 4; ++id) {
            fake::FakeWindowSystem::Window w;
            w.id = id;
            w.title = titles[id - 1];
            w.pid = static_cast<std::int32_t>(100 * id);
            desktop.windows.addWindow(w);
        }
        desktop.processes.setProcesses({{100, "editor"}, {300, "calc"}});
        for (int c = 0; c < 6; ++c) desktop.mixer.setControl(static_cast<MixerControl>(c), {0, 65535}, {100, 300});
        desktop.cd.setTracks({{3, 20}, {0, 5}, {4, 0}});
        desktop.settings.setDisplayModes({{640, 480, 8, 60}, {1024, 768, 32, 60}});
        desktop.settings.setPrinters({{"Laser", "", ""}});
        desktop.network.addConnected("X:", "//srv/share");
        desktop.mouse.clearEvents();
    }

    std::string makeDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orv-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        dir = pattern;
        return pattern;
    }

    PlaybackServices services() {
        return PlaybackServices{.keyboard = keyboard,
                                .pump = bounded,
                                .windows = windows,
                                .clock = clock,
                                .settings = settings.get(),
                                .clipboard = &clipboard,
                                .shell = &shell,
                                .files = &files,
                                .store = store.get(),
                                .table = table.get(),
                                .host = &host};
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Rig rig;
    // A fresh macro file for every input ("<MACDEL:" changes it).
    {
        FILE* f = std::fopen(rig.file.c_str(), "wb");
        if (f == nullptr) std::abort();
        std::fwrite(rig.bytes.data(), 1, rig.bytes.size(), f);
        std::fclose(f);
    }
    rig.settings->CurrentFile = rig.file;
    rig.store->LoadMacroFile(rig.file);
    rig.trace.clear();
    rig.resetDesktop();
    rig.clock.set(LocalTime{2024, 3, 5, 14, 5, 9, 0, 2});
    rig.desktop.windows.setForeground(static_cast<WindowId>(size % 5));
    rig.clipboard.preset("<MACRUN:C>");
    rig.windows.queuePause(size % 2 == 0 ? PauseChoice::Resume : PauseChoice::Abort);
    rig.windows.queueRepeatCount(static_cast<int>(size % 7));

    PlaybackLimits limits;
    limits.maxSteps = 20000;
    PlaybackEngine engine(rig.services(), limits);
    rig.families.registerWith(engine);
    rig.bounded.startInput(engine);
    const std::string text(reinterpret_cast<const char*>(data), size);
    engine.play(text, size % 3 == 0, 1, PlayingMacro{"Fuzz", "Ctrl+F"});
    if (engine.state().playing || engine.nestingDepth() != 0) std::abort();
    return 0;
}
