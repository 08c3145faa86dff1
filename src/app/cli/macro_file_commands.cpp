// list, show, hotkeys and new: the macro file and hotkey commands.
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <sstream>

#include "activation/hotkey_table.h"
#include "app/cli/commands.h"
#include "mainwin/list_texts.h"
#include "platform/cp1252.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_store.h"
#include "store/paths.h"
#include "store/settings.h"

namespace orv::cli {

namespace {

// A macro file loaded into an index of its own, for reading it as the program would.
struct LoadedFile {
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    SystemClock clock;
    MacroStore store;

    explicit LoadedFile(const ProgramPaths& paths) : store(table, settings, hook, prompt, clock, paths.iconsDir()) {}

    // The messages the load showed, joined on one line.
    std::string messages() const {
        std::string out;
        for (const auto& shown : prompt.shown()) {
            std::string text = shown.text;
            for (char& c : text)
                if (c == '\n') c = ';';
            out += (out.empty() ? "" : " ") + text;
        }
        return out;
    }
};

std::string utf8(const std::string& cp1252) { return cp1252ToUtf8(cp1252); }

bool isControl(unsigned char c) {
    // C0, DEL, and the five bytes Windows-1252 leaves undefined, which become C1 controls.
    return c < 0x20 || c == 0x7f || c == 0x81 || c == 0x8d || c == 0x8f || c == 0x90 || c == 0x9d;
}

// A stored text for the terminal: control characters are written as \xHH, so that a nickname can
// neither break the one-line-per-macro layout nor drive the terminal. `multiLine` keeps line
// ends and tabs (a macro text's own layout).
std::string printable(const std::string& cp1252, bool multiLine = false) {
    std::string out;
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        const auto c = static_cast<unsigned char>(cp1252[i]);
        const bool layout =
            multiLine && (c == '\n' || c == '\t' || (c == '\r' && i + 1 < cp1252.size() && cp1252[i + 1] == '\n'));
        if (!isControl(c) || layout) {
            out += static_cast<char>(c);
            continue;
        }
        static constexpr char kHex[] = "0123456789ABCDEF";
        out += {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
    }
    return utf8(out);
}

// What `show` says about a number the index does not hold: what the file really holds.
std::string noSuchMacro(const std::string& file, const std::string& number, long n, int loaded) {
    std::error_code ec;
    const auto records = static_cast<long>(std::filesystem::file_size(file, ec) / TMacroRecord::kSize);
    const std::string holds = "the file holds " + std::to_string(records) + (records == 1 ? " macro" : " macros");
    if (n > loaded && n <= records)
        return file + ": macro number " + number + " is beyond the " + std::to_string(loaded) + " the program loads (" +
               holds + ")";
    std::string detail = holds;
    if (loaded > records)
        detail += ", to which the program adds " + std::to_string(loaded - records) + " system macros";
    return file + ": no macro number " + number + " (" + detail + ")";
}

bool hasOrvExtension(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext == ".ORV";
}

std::string dateText(double serial) {
    const LocalTime t = fromDateSerial(serial);
    std::ostringstream out;
    out << std::setfill('0') << std::setw(4) << t.year << '-' << std::setw(2) << t.month << '-' << std::setw(2) << t.day
        << ' ' << std::setw(2) << t.hour << ':' << std::setw(2) << t.minute << ':' << std::setw(2) << t.second;
    return out.str();
}

}  // namespace

int cmdList(const Args& args) {
    if (args.size() > 1) return fail("usage: orvanta-cli list [FILE]");
    const ProgramPaths paths = ProgramPaths::fromEnvironment();
    LoadedFile f(paths);
    bool ok = false;
    if (args.empty()) {
        // The program's current file, created with its system macros when it is new.
        LoadSettings(f.settings, paths);
        std::error_code ec;
        std::filesystem::create_directories(paths.programDir, ec);
        ok = f.store.LoadMacroFile(f.settings.CurrentFile);
    } else {
        f.settings.CurrentFile = args[0];
        ok = f.store.LoadMacroFile(args[0], MacroStore::LoadMode::Inspect);
    }
    const std::string file = f.settings.CurrentFile;
    if (!ok) return fail(file + ": " + f.messages());
    // What the program would load, the system macros it adds included; a damaged file's message
    // follows on standard error.
    for (int j = 1; j <= f.table.MacroCount(); ++j) {
        std::cout << j << '\t' << printable(activationText(f.table, f.settings, j)) << '\t'
                  << printable(f.settings.nickName(j)) << '\t' << printable(scopeText(f.table, j)) << '\t'
                  << (f.table.Active(j) ? "Yes" : "No") << '\n';
    }
    std::cout.flush();
    if (!f.prompt.shown().empty()) return fail(file + ": " + f.messages());
    return 0;
}

int cmdShow(const Args& args) {
    if (args.size() != 2) return fail("usage: orvanta-cli show FILE N");
    const ProgramPaths paths = ProgramPaths::fromEnvironment();
    LoadedFile f(paths);
    f.settings.CurrentFile = args[0];
    if (!f.store.LoadMacroFile(args[0], MacroStore::LoadMode::Inspect)) return fail(args[0] + ": " + f.messages());
    char* end = nullptr;
    const long n = std::strtol(args[1].c_str(), &end, 10);
    if (end == args[1].c_str() || *end != '\0' || n < 1 || n > f.table.MacroCount())
        return fail(noSuchMacro(args[0], args[1], n, f.table.MacroCount()));
    TMacroRecord r;
    if (!f.store.ReadMacroRecord(static_cast<int>(n), r))
        return fail(args[0] + ": macro " + args[1] + " could not be read");
    const int j = static_cast<int>(n);
    std::cout << "Number: " << n << '\n'
              << "NickName: " << printable(r.NickName) << '\n'
              << "WindowTitle: " << printable(r.WindowTitle) << '\n'
              << "ShortKeyText: " << printable(r.ShortKeyText) << '\n'
              << "HotKeyCode: " << r.HotKeyCode << " (" << printable(activationText(f.table, f.settings, j)) << ")\n"
              << "Scope: " << r.Scope << " (" << printable(scopeText(f.table, j)) << ")\n"
              << "Active: " << int{r.Active} << '\n'
              << "IconName: " << printable(r.IconName) << '\n'
              << "ScheduleKind: " << r.ScheduleKind << '\n'
              << "ScheduleDays:";
    for (const auto d : r.ScheduleDays) std::cout << ' ' << int{d};
    std::cout << '\n'
              << "ScheduleHour: " << int{r.ScheduleHour} << '\n'
              << "ScheduleMinute: " << int{r.ScheduleMinute} << '\n'
              << "ScheduleMonth: " << int{r.ScheduleMonth} << '\n'
              << "ScheduleDay: " << int{r.ScheduleDay} << '\n'
              << "HourlyMinute: " << int{r.HourlyMinute} << '\n'
              << "IntervalMinutes: " << r.IntervalMinutes << '\n'
              << "ScheduleWeekday: " << int{r.ScheduleWeekday} << '\n'
              << "ScheduleYear: " << r.ScheduleYear << '\n'
              << "SchedulePM: " << int{r.SchedulePM} << '\n'
              << "TopMostOnly: " << int{r.TopMostOnly} << '\n'
              << "LastModified: " << std::setprecision(17) << r.LastModified << " (" << dateText(r.LastModified)
              << ")\n";
    if (r.isPopupMenu()) {
        std::cout << "MenuItems:";
        for (const auto item : r.MenuItems) std::cout << ' ' << item;
        std::cout << '\n';
    } else {
        std::cout << "MacroText:\n" << printable(r.MacroText, true) << '\n';
    }
    return 0;
}

int cmdHotkeys(const Args& args) {
    if (!args.empty()) return fail("usage: orvanta-cli hotkeys");
    for (int code = 0; code < kHotKeyCount; ++code) std::cout << code << '\t' << hotKeyName(code) << '\n';
    return 0;
}

int cmdNew(const Args& args) {
    if (args.size() != 1) return fail("usage: orvanta-cli new FILE");
    const std::string& file = args[0];
    if (!hasOrvExtension(file)) return fail(file + ": a macro file name must end in .ORV");
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) return fail(file + ": the file already exists");
    const ProgramPaths paths = ProgramPaths::fromEnvironment();
    LoadedFile f(paths);
    f.settings.CurrentFile = file;
    if (!f.store.LoadMacroFile(file) || !f.prompt.shown().empty()) return fail(file + ": " + f.messages());
    std::cout << "Created " << file << " with " << f.table.MacroCount() << " system macros\n";
    return 0;
}

}  // namespace orv::cli
