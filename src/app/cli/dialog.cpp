// dialog: runs one command dialog's "&Ok" on fields given on the command line and prints the
// command it makes or its first failure. docs/dialogs.md lists the dialogs and their fields.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "activation/hotkey_table.h"
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
    std::unique_ptr<dialogs::DialogModel> model = dialogs::makeDialog(args[0]);
    if (!model) return fail("unknown dialog \"" + args[0] + "\" (try dialog --list)");

    fake::Transcript transcript;
    fake::FakeDesktopQueries desktop(transcript);
    fake::FakeUserPrompt prompt(transcript);
    FileSystemDialogFiles files;
    TAppSettings settings;
    SystemClock systemClock;
    std::optional<fake::FakeClock> fixedClock;
    bool printValues = false;
    std::vector<std::pair<std::string, std::string>> fields;

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (a == "--fields") {
            std::cout << model->typeName() << "  \"" << cp1252ToUtf8(model->caption()) << "\"\n";
            for (const dialogs::FieldDef& f : model->fields()) {
                std::cout << "  " << f.name << (f.input ? " (input)" : "") << ": " << kindName(f) << "; default \""
                          << cp1252ToUtf8(f.defaultValue) << "\"\n";
            }
            return 0;
        }
        if (a == "--edit") {
            model->setNewCommand(false);
        } else if (a == "--values") {
            printValues = true;
        } else if (a == "--no-shell") {
            desktop.shellAutomation = false;
        } else if (a == "--answer" || a == "--printers" || a == "--phonebook" || a == "--modes" ||
                   a == "--local-drives" || a == "--mapped" || a == "--today") {
            const auto v = value();
            if (!v) return fail(a + " needs a value");
            if (a == "--answer") {
                if (*v != "yes" && *v != "no") return fail("--answer takes yes or no");
                prompt.queueAnswer(*v == "yes" ? PromptAnswer::Yes : PromptAnswer::No);
            } else if (a == "--printers") {
                desktop.printerList = splitList(*v);
            } else if (a == "--phonebook") {
                desktop.phoneBook = splitList(*v);
            } else if (a == "--modes") {
                desktop.modes.clear();
                for (const std::string& m : splitList(*v)) {
                    const auto mode = parseMode(m);
                    if (!mode) return fail("bad display mode \"" + m + "\" (WIDTHxHEIGHTxBITSxHERTZ)");
                    desktop.modes.push_back(*mode);
                }
            } else if (a == "--local-drives") {
                desktop.local.assign(v->begin(), v->end());
            } else if (a == "--mapped") {
                desktop.connected.clear();
                for (const std::string& m : splitList(*v)) {
                    const std::size_t eq = m.find('=');
                    if (eq == std::string::npos) return fail("bad mapping \"" + m + "\" (DRIVE:=PATH)");
                    desktop.connected.push_back({m.substr(0, eq), m.substr(eq + 1)});
                }
            } else {
                LocalTime t;
                if (v->size() != 10 || (*v)[4] != '-' || (*v)[7] != '-') return fail("--today takes YYYY-MM-DD");
                const auto y = toInt(v->substr(0, 4));
                const auto mo = toInt(v->substr(5, 2));
                const auto d = toInt(v->substr(8, 2));
                if (!y || !mo || !d || *mo < 1 || *mo > 12 || *d < 1 || *d > daysInMonth(*y, *mo))
                    return fail("--today takes YYYY-MM-DD");
                t.year = *y;
                t.month = *mo;
                t.day = *d;
                t.dayOfWeek = dayOfWeek(*y, *mo, *d);
                fixedClock.emplace(t);
            }
        } else if (const std::size_t eq = a.find('='); eq != std::string::npos && eq > 0) {
            fields.emplace_back(a.substr(0, eq), utf8ToCp1252(a.substr(eq + 1)));
        } else {
            return fail("unexpected argument \"" + a + "\" (FIELD=VALUE expected; try dialog --help)");
        }
    }

    if (auto* copyMove = dynamic_cast<dialogs::TCopyOrMove*>(model.get()))
        copyMove->setHotKeyNames([](int code) { return hotKeyName(code); });

    dialogs::DialogEnv env{&files, &desktop, &prompt, &settings,
                           fixedClock ? static_cast<const IClock*>(&*fixedClock) : &systemClock};
    // The mode is an input of its own: set it first, so that "FormShow" sees it.
    for (const auto& [name, value] : fields) {
        if (name == "mode" && !model->set(name, value)) return fail("bad value \"" + value + "\" for field mode");
    }
    model->show(env);
    for (const auto& [name, value] : fields) {
        if (name == "mode") continue;
        if (model->field(name) == nullptr)
            return fail("dialog " + std::string(model->typeName()) + " has no field \"" + name + "\" (try --fields)");
        if (!model->set(name, value))
            return fail("bad value \"" + cp1252ToUtf8(value) + "\" for field " + name + " (try --fields)");
    }

    const dialogs::Outcome outcome = model->check(env);
    for (const auto& shown : prompt.shown()) {
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
        printValues = true;
    } else {
        std::cout << cp1252ToUtf8(outcome.output) << '\n';
    }
    if (printValues) {
        for (const auto& [name, value] : model->results()) std::cout << name << '=' << cp1252ToUtf8(value) << '\n';
    }
    return 0;
}

}  // namespace orv::cli
