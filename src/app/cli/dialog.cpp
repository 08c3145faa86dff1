// dialog: runs one command dialog's "&Ok" on fields given on the command line and prints the
// command it makes or its first failure. docs/dialogs.md lists the dialogs and their fields.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/hotkey_codes.h"
#include "app/cli/commands.h"
#include "dialogs/copy_move_dialog.h"
#include "dialogs/dialog_registry.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/dialog_files.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialog_queries.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/app_settings.h"

namespace orv::cli {

namespace {

constexpr const char* kDialogUsage =
    "Usage: orvanta-cli dialog NAME [OPTIONS] [FIELD=VALUE ...]\n"
    "       orvanta-cli dialog --list\n"
    "       orvanta-cli dialog NAME --fields\n"
    "Runs the checks of a command dialog as its \"&Ok\" button does. Prints the command text it\n"
    "makes (exit 0) or the first failing field and its message as FIELD: MESSAGE (exit 3).\n"
    "Fields are UTF-8 and converted to Windows-1252; paths are checked on the real file system.\n"
    "  --edit               an existing command is edited (no new-command defaults from settings)\n"
    "  --values             also print the structured values after a success, one NAME=VALUE a line\n"
    "  --answer yes|no      answer of the next Yes/No question (repeatable; default yes)\n"
    "  --printers A;B       the installed printers\n"
    "  --phonebook A;B      the dial-up phone-book entries\n"
    "  --modes WxHxBxR;...  the display modes (width, height, bits per pixel, refresh rate)\n"
    "  --local-drives CDE   the letters of the local drives (default C)\n"
    "  --mapped F:=PATH;... the connected network drives\n"
    "  --no-shell           the shell lacks the newer desktop functions\n"
    "  --today YYYY-MM-DD   the date the schedule dialogs compare with (default: today)\n"
    "See docs/dialogs.md for the dialogs and their fields.\n";

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        if (end > start) out.push_back(utf8ToCp1252(text.substr(start, end - start)));
        start = end + 1;
    }
    return out;
}

std::optional<int> toInt(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::atoi(text.c_str());
}

std::optional<DisplayMode> parseMode(const std::string& text) {
    DisplayMode m;
    int* parts[] = {&m.width, &m.height, &m.bitsPerPixel, &m.refreshHz};
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = i == 3 ? text.size() : text.find('x', start);
        if (end == std::string::npos) return std::nullopt;
        const auto n = toInt(text.substr(start, end - start));
        if (!n) return std::nullopt;
        *parts[i] = *n;
        start = end + 1;
    }
    return m;
}

std::string kindName(const dialogs::FieldDef& f) {
    switch (f.kind) {
        case dialogs::FieldKind::Check:
            return "check 0|1";
        case dialogs::FieldKind::Choice: {
            std::string s = "choice";
            for (std::size_t i = 0; i < f.choices.size(); ++i) s += (i == 0 ? " " : "|") + f.choices[i];
            return s;
        }
        default:
            return "text, at most " + std::to_string(f.maxLength);
    }
}

// What one run of a dialog works with: the desktop, the questions and the fields given.
struct DialogRun {
    std::unique_ptr<dialogs::DialogModel> model;
    fake::Transcript transcript;
    fake::FakeDesktopQueries desktop{transcript};
    fake::FakeUserPrompt prompt{transcript};
    FileSystemDialogFiles files;
    TAppSettings settings;
    SystemClock systemClock;
    std::optional<fake::FakeClock> fixedClock;
    bool printValues = false;
    std::vector<std::pair<std::string, std::string>> fields;
};

// A date given as YYYY-MM-DD.
std::optional<LocalTime> parseDay(const std::string& v) {
    if (v.size() != 10 || v[4] != '-' || v[7] != '-') return std::nullopt;
    const auto y = toInt(v.substr(0, 4));
    const auto mo = toInt(v.substr(5, 2));
    const auto d = toInt(v.substr(8, 2));
    if (!y || !mo || !d || *mo < 1 || *mo > 12 || *d < 1 || *d > daysInMonth(*y, *mo)) return std::nullopt;
    LocalTime t;
    t.year = *y;
    t.month = *mo;
    t.day = *d;
    t.dayOfWeek = dayOfWeek(*y, *mo, *d);
    return t;
}

// The desktop's lists: printers, phone book, display modes, drives. The error, if any.
std::optional<std::string> setDesktopList(DialogRun& run, const std::string& option, const std::string& v) {
    fake::FakeDesktopQueries& desktop = run.desktop;
    if (option == "--printers") {
        desktop.printerList = splitList(v);
    } else if (option == "--phonebook") {
        desktop.phoneBook = splitList(v);
    } else if (option == "--local-drives") {
        desktop.local.assign(v.begin(), v.end());
    } else if (option == "--modes") {
        desktop.modes.clear();
        for (const std::string& m : splitList(v)) {
            const auto mode = parseMode(m);
            if (!mode) return "bad display mode \"" + m + "\" (WIDTHxHEIGHTxBITSxHERTZ)";
            desktop.modes.push_back(*mode);
        }
    } else {
        desktop.connected.clear();
        for (const std::string& m : splitList(v)) {
            const std::size_t eq = m.find('=');
            if (eq == std::string::npos) return "bad mapping \"" + m + "\" (DRIVE:=PATH)";
            desktop.connected.push_back({m.substr(0, eq), m.substr(eq + 1)});
        }
    }
    return std::nullopt;
}

// An option that takes a value. The error, if any.
std::optional<std::string> setOption(DialogRun& run, const std::string& option, const std::string& v) {
    if (option == "--answer") {
        if (v != "yes" && v != "no") return std::string("--answer takes yes or no");
        run.prompt.queueAnswer(v == "yes" ? PromptAnswer::Yes : PromptAnswer::No);
        return std::nullopt;
    }
    if (option == "--today") {
        const std::optional<LocalTime> day = parseDay(v);
        if (!day) return std::string("--today takes YYYY-MM-DD");
        run.fixedClock.emplace(*day);
        return std::nullopt;
    }
    return setDesktopList(run, option, v);
}

bool takesValue(const std::string& a) {
    return a == "--answer" || a == "--printers" || a == "--phonebook" || a == "--modes" || a == "--local-drives" ||
           a == "--mapped" || a == "--today";
}

int printFields(const dialogs::DialogModel& model) {
    std::cout << model.typeName() << "  \"" << cp1252ToUtf8(model.caption()) << "\"\n";
    for (const dialogs::FieldDef& f : model.fields()) {
        std::cout << "  " << f.name << (f.input ? " (input)" : "") << ": " << kindName(f) << "; default \""
                  << cp1252ToUtf8(f.defaultValue) << "\"\n";
    }
    return 0;
}

// Reads the options and fields after the dialog's name. The exit status when the run ends here
// (an error, or the list of fields).
std::optional<int> readArguments(DialogRun& run, const Args& args) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--fields") return printFields(*run.model);
        if (a == "--edit") {
            run.model->setNewCommand(false);
        } else if (a == "--values") {
            run.printValues = true;
        } else if (a == "--no-shell") {
            run.desktop.shellAutomation = false;
        } else if (takesValue(a)) {
            if (i + 1 >= args.size()) return fail(a + " needs a value");
            if (const auto error = setOption(run, a, args[++i])) return fail(*error);
        } else if (const std::size_t eq = a.find('='); eq != std::string::npos && eq > 0) {
            run.fields.emplace_back(a.substr(0, eq), utf8ToCp1252(a.substr(eq + 1)));
        } else {
            return fail("unexpected argument \"" + a + "\" (FIELD=VALUE expected; try dialog --help)");
        }
    }
    return std::nullopt;
}

// Sets the fields given; the mode first, so that showing the dialog sees it. The exit status of
// a field the dialog does not have or a value it does not take.
std::optional<int> applyFields(DialogRun& run, const dialogs::DialogEnv& env) {
    dialogs::DialogModel& model = *run.model;
    for (const auto& [name, value] : run.fields) {
        if (name == "mode" && !model.set(name, value)) return fail("bad value \"" + value + "\" for field mode");
    }
    model.show(env);
    for (const auto& [name, value] : run.fields) {
        if (name == "mode") continue;
        if (model.field(name) == nullptr)
            return fail("dialog " + std::string(model.typeName()) + " has no field \"" + name + "\" (try --fields)");
        if (!model.set(name, value))
            return fail("bad value \"" + cp1252ToUtf8(value) + "\" for field " + name + " (try --fields)");
    }
    return std::nullopt;
}

int printOutcome(DialogRun& run, const Outcome& outcome) {
    for (const auto& shown : run.prompt.shown()) {
        std::cout << "question \"" << cp1252ToUtf8(shown.title) << "\" \"" << cp1252ToUtf8(shown.text) << "\"\n";
    }
    if (!outcome.accepted) {
        std::cout << outcome.failure.field << ": "
                  << (outcome.failure.message.empty() ? std::string("(declined; the dialog stays open)")
                                                      : cp1252ToUtf8(outcome.failure.message))
                  << '\n';
        return 3;
    }
    if (outcome.output.empty()) {
        std::cout << "(no command)\n";
        run.printValues = true;
    } else {
        std::cout << cp1252ToUtf8(outcome.output) << '\n';
    }
    if (run.printValues) {
        for (const auto& [name, value] : run.model->results()) std::cout << name << '=' << cp1252ToUtf8(value) << '\n';
    }
    return 0;
}

}  // namespace

int cmdDialog(const Args& args) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << kDialogUsage;
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--list") {
        for (const dialogs::DialogInfo& d : dialogs::dialogRegistry()) std::cout << d.name << "  " << d.summary << '\n';
        return 0;
    }
    DialogRun run;
    run.model = dialogs::makeDialog(args[0]);
    if (!run.model) return fail("unknown dialog \"" + args[0] + "\" (try dialog --list)");
    if (const std::optional<int> status = readArguments(run, args)) return *status;

    if (auto* copyMove = dynamic_cast<dialogs::TCopyOrMove*>(run.model.get()))
        copyMove->setHotKeyNames([](int code) { return hotKeyName(code); });
    const IClock* clock = run.fixedClock ? static_cast<const IClock*>(&*run.fixedClock) : &run.systemClock;
    const dialogs::DialogEnv env{&run.files, &run.desktop, &run.prompt, &run.settings, clock};
    if (const std::optional<int> status = applyFields(run, env)) return *status;
    return printOutcome(run, run.model->check(env));
}

}  // namespace orv::cli
