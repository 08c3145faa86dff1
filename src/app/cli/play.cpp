// play: a macro played against the recording fakes (a dry run). Every platform call is printed
// as one line, in call order; docs/dry-run.md lists the line forms and the options.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/commands.h"
#include "app/cli/dry_run_desktop.h"
#include "app/cli/play_platform.h"
#include "app/cli/scratch_dir.h"
#include "engine/playback_engine.h"
#include "platform/fake/recording_macro_host.h"
#include "platform/cp1252.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_keyboard_input.h"
#include "platform/fake/fake_message_pump.h"
#include "platform/fake/fake_playback_windows.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_user_prompt.h"
#include "platform/activation_table.h"
#include "platform/runtime_dir.h"
#include "store/app_settings.h"
#include "store/macro_store.h"

namespace orv::cli {

namespace {

namespace fs = std::filesystem;

// The exit status of a dry run that stopped at a wait nothing scripted could end.
constexpr int kEndlessWaitStatus = 3;

constexpr const char* kPlayUsage =
    "Usage: orvanta-cli play (--text TEXT | --file FILE --macro NICKNAME) [OPTIONS]\n"
    "Plays a macro against a recorded desktop and prints one line per platform call; with --live,\n"
    "plays it on the real desktop into the focused window.\n"
    "  --text TEXT          the macro text (UTF-8, converted to Windows-1252)\n"
    "  --file FILE          a macro file (read from a private copy; never changed)\n"
    "  --macro NICKNAME     the macro of --file to play (exact nickname)\n"
    "  --now ISO            the clock: YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS] (default: now)\n"
    "  --clipboard TEXT     the clipboard text at the start\n"
    "  --caps-on            Caps Lock was on when the macro was started\n"
    "  --pause resume|abort answer of the next pause window (repeatable; default resume)\n"
    "  --repeat-count N     answer of the next repeat prompt (repeatable; default 1)\n"
    "  --minimised          the program is minimised at the start\n"
    "  --tray               the program lives in the tray (\"Use Tray\")\n"
    "  --abort-at N         request an abort at the N-th message processing\n"
    "  --max-steps N        abort after N interpretation steps or N waits (default 1000000;\n"
    "                       0: no bound)\n"
    "  --desktop FILE       the windows, programs and devices of the desktop (docs/desktop-script.md)\n"
    "  --live               type, click and open for real on the X display (DISPLAY); ends once\n"
    "                       every key has arrived; not with --now, --caps-on, --minimised,\n"
    "                       --abort-at, --desktop\n"
    "Exit status: 0 played, 1 wrong option or file, 3 stopped at a wait that no scripted event\n"
    "could end. See docs/dry-run.md for the lines printed.\n";

bool parseUnsigned(const std::string& s, std::uint64_t& out) {
    if (s.empty() || s.size() > 18) return false;
    out = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        out = out * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

// YYYY-MM-DD, optionally followed by THH:MM or THH:MM:SS (a blank also separates).
std::optional<LocalTime> parseIso(const std::string& s) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
    char sep = 0;
    int used = 0;
    if (std::sscanf(s.c_str(), "%4d-%2d-%2d%n", &y, &mo, &d, &used) != 3) return std::nullopt;
    if (static_cast<std::size_t>(used) != s.size()) {
        int more = 0;
        const char* rest = s.c_str() + used;
        if (std::sscanf(rest, "%c%2d:%2d%n", &sep, &h, &mi, &more) != 3 || (sep != 'T' && sep != ' '))
            return std::nullopt;
        rest += more;
        if (*rest != '\0') {
            int last = 0;
            if (std::sscanf(rest, ":%2d%n", &sec, &last) != 1 || rest[last] != '\0') return std::nullopt;
        }
    }
    if (y < 1 || mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo) || h > 23 || mi > 59 || sec > 59 || h < 0 ||
        mi < 0 || sec < 0)
        return std::nullopt;
    return LocalTime{y, mo, d, h, mi, sec, 0, dayOfWeek(y, mo, d)};
}

// Reads the options; an error message when they are wrong.
std::optional<std::string> parseOptions(const Args& args, PlayOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        auto value = [&]() -> const std::string& { return args[++i]; };
        if (a == "--caps-on") {
            o.capsOn = true;
        } else if (a == "--minimised") {
            o.minimised = true;
        } else if (a == "--tray") {
            o.tray = true;
        } else if (a == "--live") {
            o.live = true;
        } else if (!hasValue) {
            return "unknown option or missing value: " + a;
        } else if (a == "--text") {
            o.text = utf8ToCp1252(value());
        } else if (a == "--file") {
            o.file = value();
        } else if (a == "--macro") {
            o.nickName = utf8ToCp1252(value());
        } else if (a == "--clipboard") {
            o.clipboard = utf8ToCp1252(value());
        } else if (a == "--now") {
            o.now = parseIso(value());
            if (!o.now) return "--now takes YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS]: " + args[i];
        } else if (a == "--pause") {
            const std::string& v = value();
            if (v != "resume" && v != "abort") return "--pause takes resume or abort: " + v;
            o.pauses.push_back(v == "resume" ? PauseChoice::Resume : PauseChoice::Abort);
        } else if (a == "--repeat-count") {
            std::uint64_t n = 0;
            if (!parseUnsigned(value(), n) || n > 9999) return "--repeat-count takes 0 to 9999: " + args[i];
            o.repeatCounts.push_back(static_cast<int>(n));
        } else if (a == "--abort-at") {
            if (!parseUnsigned(value(), o.abortAt) || o.abortAt == 0)
                return "--abort-at takes a number from 1: " + args[i];
        } else if (a == "--desktop") {
            if (auto error = readDesktopScript(value(), o.desktopText)) return *error;
        } else if (a == "--max-steps") {
            if (!parseUnsigned(value(), o.maxSteps)) return "--max-steps takes a number: " + args[i];
        } else {
            return "unknown option: " + a;
        }
    }
    if (o.text.has_value() == !o.file.empty()) return "give either --text or --file with --macro";
    if (!o.file.empty() && !o.nickName) return "--file needs --macro";
    if (o.file.empty() && o.nickName) return "--macro needs --file";
    if (o.live) {
        // These describe the recorded desktop; the real one has its own clock, keyboard and windows.
        if (o.now) return "--now is for dry runs only (not with --live)";
        if (o.capsOn) return "--caps-on is for dry runs only (not with --live)";
        if (o.minimised) return "--minimised is for dry runs only (not with --live)";
        if (o.abortAt != 0) return "--abort-at is for dry runs only (not with --live)";
        if (!o.desktopText.empty()) return "--desktop is for dry runs only (not with --live)";
    }
    return std::nullopt;
}

class DryRunPlatform final : public PlatformSet {
public:
    explicit DryRunPlatform(const PlayOptions& o) {
        clock_.set(o.now ? *o.now : SystemClock().now());
        if (o.clipboard) clipboard_.preset(*o.clipboard);
        for (PauseChoice p : o.pauses) windows_.queuePause(p);
        for (int n : o.repeatCounts) windows_.queueRepeatCount(n);
        windows_.setMinimised(o.minimised);
        // The dry run never switches the program's macro file.
        host_.allowSwap(false);
        desktop_.load(o.desktopText);
        windows_.followDesktop(desktop_.windows());
    }

    PlaybackServices services() override {
        // The desktop's timeline pump and scripted shell stand in for the plain ones.
        return PlaybackServices{.keyboard = keyboard_,
                                .pump = desktop_.pump(),
                                .windows = windows_,
                                .clock = clock_,
                                .clipboard = &clipboard_,
                                .shell = &desktop_.shell(),
                                .files = &files_,
                                .host = &host_};
    }
    void registerFamilies(PlaybackEngine& engine) override { desktop_.registerFamilies(engine); }
    IHookLibrary& hookLibrary() override { return hook_; }
    IUserPrompt& prompt() override { return prompt_; }
    const IClock& clock() override { return clock_; }
    void abortAt(std::uint64_t call, PlaybackEngine& engine) override {
        pump_.at(call, "abort", [&engine] { engine.requestAbort(); });
    }
    void boundWaits(std::uint64_t waits, PlaybackEngine& engine) override {
        pump_.limitWaits(waits, "max-steps", [&engine] { engine.requestAbort(); });
    }
    // Each line is printed as it comes: a long run needs no memory for them, and what it did
    // so far shows while it runs.
    void startRecording() override {
        trace_.clear();
        trace_.streamTo(&std::cout);
    }
    std::int32_t startWindow() override { return static_cast<std::int32_t>(desktop_.windows().foreground()); }
    int finish() override {
        std::cout.flush();
        return desktop_.endlessWait() ? kEndlessWaitStatus : 0;
    }

private:
    fake::Transcript trace_;
    fake::FakeKeyboardInput keyboard_{trace_};
    fake::FakeClock clock_;
    fake::FakeMessagePump pump_{trace_, &clock_};
    fake::FakePlaybackWindows windows_{trace_};
    fake::FakeClipboard clipboard_{trace_};
    fake::FakeShell shell_{trace_};
    fake::FakeFileSystem files_{trace_, fs::current_path().string()};
    fake::FakeHookLibrary hook_{trace_};
    fake::FakeUserPrompt prompt_{trace_};
    RecordingMacroHost host_{trace_};
    DryRunDesktop desktop_{trace_, clock_, pump_, shell_, hook_};
};

std::unique_ptr<PlatformSet> choosePlatform(const PlayOptions& o, std::string& error) {
    if (o.live) return makeLivePlatform(o, error);
    return std::make_unique<DryRunPlatform>(o);
}

// The macro index the playback works with.
struct MacroIndex {
    std::unique_ptr<TActivationTable> table = std::make_unique<TActivationTable>();
    std::unique_ptr<TAppSettings> settings = std::make_unique<TAppSettings>();
    MacroStore store;

    explicit MacroIndex(PlatformSet& p)
        : store(*table, *settings, p.hookLibrary(), p.prompt(), p.clock(), std::string()) {
        // As in the resident program: shutting down asks for the privilege first.
        table->setU8(TActivationTable::oIsNT, 1);
    }
};

// The macro `o.nickName` of `o.file`, played from a private copy that the commands on other
// macros ("<MACDEL:", "<MACACT:", "<MACDEACT:") change as they would change the file, while
// the user's file is never written. The error when it cannot be loaded.
std::optional<std::string> loadMacro(const PlayOptions& o, MacroIndex& index, std::unique_ptr<ScratchDir>& scratch,
                                     std::string& text, PlayingMacro& playing) {
    std::error_code ec;
    if (!fs::is_regular_file(o.file, ec)) return "no such macro file: " + o.file;
    const RuntimeDir runtime = privateRuntimeDir();
    if (!runtime.ok()) return runtime.error;
    scratch = std::make_unique<ScratchDir>(runtime.path);
    if (scratch->path().empty()) return "cannot make a folder for the copy in " + runtime.path;
    const std::string copy = scratch->path() + "/" + fs::path(o.file).filename().string();
    scratch->holds(copy);
    fs::copy_file(o.file, copy, ec);
    if (ec) return "cannot copy " + o.file + ": " + ec.message();
    index.settings->CurrentFile = copy;
    if (!index.store.LoadMacroFile(copy)) return "cannot read macro file " + o.file;
    const int count = index.table->MacroCount();
    int found = 0;
    for (int j = 1; j <= count && found == 0; ++j)
        if (index.settings->nickName(j) == *o.nickName) found = j;
    TMacroRecord record;
    if (found == 0 || !index.store.ReadMacroRecord(found, record))
        return "no macro \"" + cp1252ToUtf8(*o.nickName) + "\" in " + o.file;
    text = record.MacroText;
    playing.nickName = record.NickName;
    return std::nullopt;
}

}  // namespace

int cmdPlay(const Args& args) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kPlayUsage;
        return 0;
    }
    PlayOptions o;
    if (const std::optional<std::string> error = parseOptions(args, o)) return fail(*error);

    std::string platformError;
    const std::unique_ptr<PlatformSet> platform = choosePlatform(o, platformError);
    if (!platform) return fail(platformError);
    MacroIndex index(*platform);
    index.settings->UseTray = o.tray;
    std::unique_ptr<ScratchDir> scratch;
    std::string text;
    PlayingMacro playing{"", ""};
    if (o.text) {
        text = *o.text;
    } else if (const std::optional<std::string> error = loadMacro(o, index, scratch, text, playing)) {
        return fail(*error);
    }

    PlaybackServices services = platform->services();
    services.store = &index.store;
    services.table = index.table.get();
    services.settings = index.settings.get();
    PlaybackLimits limits;
    limits.maxSteps = o.maxSteps;
    PlaybackEngine engine(services, limits);
    platform->registerFamilies(engine);
    if (o.abortAt != 0) platform->abortAt(o.abortAt, engine);
    if (o.maxSteps != 0) platform->boundWaits(o.maxSteps, engine);
    platform->startRecording();
    engine.play(text, platform->capsWasOn(o), platform->startWindow(), playing);
    return platform->finish();
}

}  // namespace orv::cli
