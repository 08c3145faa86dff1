// The checks that "&Next >" runs on each screen, in the screen's order, with their messages.
#include <array>
#include <functional>
#include <unordered_map>

#include "wizards/wizard_flow.h"
#include "wizards/wizard_numbers.h"

namespace orv::wiz {

namespace {

struct Ctx {
    int wizard;
    const WizardAnswers& a;
    const dialogs::DialogEnv& env;

    bool fileExists(const std::string& path) const { return env.files && env.files->fileExists(path); }
    bool canEnter(const std::string& path) const { return env.files && env.files->canEnterFolder(path); }
};

using Check = std::function<Outcome(const Ctx&)>;

const char* const kNoText = "No text has been entered.";
const char* const kNoFileName = "A file name has not been entered. Please correct.";
const char* const kNoFile = "Specified file does not exist.  Please correct.";
const char* const kNoWav = "Specified WAV file does not exist.  Please correct.";
const char* const kNoTitle = "No window title name has been entered. Please enter one.";
const char* const kNoProgramName = "No program name has been entered. Please enter one.";
const char* const kNoProgram = "A program has not been selected. Please select one.";
const char* const kNoPassword = "No password has been entered. Please correct.";

Outcome requireText(const Ctx& c, const char* field, const char* message) {
    if (c.a.trimmed(field).empty()) return Outcome::fail(field, message);
    return Outcome::ok();
}

Outcome requireChoice(const Ctx& c, const char* field, const char* message) {
    if (c.a.get(field).empty()) return Outcome::fail(field, message);
    return Outcome::ok();
}

// An existing file named in the field: empty and missing are refused with their messages.
Outcome requireFile(const Ctx& c, const char* field, const char* missing) {
    if (c.a.trimmed(field).empty()) return Outcome::fail(field, kNoFileName);
    if (!c.fileExists(c.a.trimmed(field))) return Outcome::fail(field, missing);
    return Outcome::ok();
}

Outcome requireFolder(const Ctx& c, const char* field) {
    const std::string folder = c.a.trimmed(field);
    if (folder.empty()) return Outcome::fail(field, "A folder name has not been entered. Please correct.");
    if (!c.canEnter(folder)) return Outcome::fail(field, "Specified folder does not exist.  Please correct.");
    return Outcome::ok();
}

// A whole number within [low, high].
Outcome requireNumber(const Ctx& c, const char* field, long low, long high, const char* message) {
    const auto n = wholeNumber(c.a.get(field));
    if (!n || *n < low || *n > high) return Outcome::fail(field, message);
    return Outcome::ok();
}

// Runs the checks in order and gives the first refusal.
Outcome firstOf(std::initializer_list<std::function<Outcome()>> checks) {
    for (const auto& check : checks) {
        Outcome o = check();
        if (!o.accepted) return o;
    }
    return Outcome::ok();
}

Outcome checkScope(const Ctx& c) {
    switch (c.a.index("scope")) {
        case kOneWindow:
            return requireText(c, "windowTitle", kNoTitle);
        case kOneProgram:
            if (c.a.index("programBy") == 0) return requireText(c, "programName", kNoProgramName);
            return requireChoice(c, "programListed", kNoProgram);
        default:
            return Outcome::ok();
    }
}

Outcome checkPaste(const Ctx& c) {
    if (c.a.index("pasteKind") == 0) {
        if (c.a.get("pasteText").empty()) return Outcome::fail("pasteText", kNoText);
        return Outcome::ok();
    }
    if (!c.fileExists(c.a.trimmed("pastePath"))) return Outcome::fail("pastePath", kNoFile);
    return Outcome::ok();
}

Outcome checkWallpaper(const Ctx& c) {
    if (c.a.trimmed("bitmap").empty())
        return Outcome::fail("bitmap", "A bitmap name has not been entered. Please correct.");
    if (!c.fileExists(c.a.trimmed("bitmap")))
        return Outcome::fail("bitmap", "Specified bitmap file does not exist.  Please correct.");
    if (c.a.index("wallStyle") != 3) return Outcome::ok();
    // The macro carries each position in four digits.
    return firstOf(
        {[&] { return requireNumber(c, "wallTop", 0, 9999, "Invalid top position specified. Please correct."); },
         [&] { return requireNumber(c, "wallLeft", 0, 9999, "Invalid left position specified. Please correct."); }});
}

Outcome checkExplore(const Ctx& c) {
    if (c.a.index("folderKind") == 0) return requireFolder(c, "folder");
    return requireChoice(c, "specialFolder", "A special folder has not been selected. Please select one.");
}

Outcome checkReminder(const Ctx& c) {
    if (c.a.get("reminder").empty()) return Outcome::fail("reminder", kNoText);
    if (c.a.index("notify") == 1) return requireFile(c, "reminderWave", kNoWav);
    return Outcome::ok();
}

Outcome checkDialUp(const Ctx& c) {
    if (c.a.index("dialAction") != 0) return Outcome::ok();
    return firstOf({[&] {
                        return requireChoice(c, "phoneEntry",
                                             "A phone booke entry has not been selected. Please select one.");
                    },
                    [&] { return requireText(c, "dialUser", "No user name has been entered. Please correct."); },
                    [&] {
                        if (c.a.get("dialPassword").empty()) return Outcome::fail("dialPassword", kNoPassword);
                        return Outcome::ok();
                    }});
}

Outcome checkLogon(const Ctx& c) {
    if (c.a.index("netAction") == 1 || c.a.flag("defaultLogon")) return Outcome::ok();
    return firstOf({[&] { return requireText(c, "logonName", "No logon name has been entered. Please correct."); },
                    [&] {
                        if (c.a.get("logonPassword").empty()) return Outcome::fail("logonPassword", kNoPassword);
                        return Outcome::ok();
                    }});
}

Outcome checkSize(const Ctx& c) {
    const bool resize = c.a.index("moveKind") >= 2;
    return firstOf({[&] {
                        return requireNumber(c, "first", 0, 9999,
                                             resize ? "Invalid width specified. Please correct."
                                                    : "Invalid top position specified. Please correct.");
                    },
                    [&] {
                        return requireNumber(c, "second", 0, 9999,
                                             resize ? "Invalid height specified. Please correct."
                                                    : "Invalid left position specified. Please correct.");
                    }});
}

Outcome checkFileAction(const Ctx& c) {
    const int action = c.a.index("fileAction");
    if (action == 0) return requireFolder(c, "filePath");
    if (action == 1) return requireText(c, "filePath", "A folder name has not been entered. Please correct.");
    Outcome o = requireFile(c, "filePath", kNoFile);
    if (!o.accepted || action == 4) return o;
    return requireText(c, "newName", "No new file name specified.  Please correct.");
}

Outcome checkMenuMacros(const Ctx& c) {
    const auto items = numberList(c.a.get("menuMacros"));
    if (items.empty()) return Outcome::fail("menuMacros", "No macros have been selected for the menu. Please correct.");
    if (items.size() > static_cast<std::size_t>(kMaxPopupItems))
        return Outcome::fail("menuMacros", "A popup menu can hold at most 36 macros. Please correct.");
    return Outcome::ok();
}

bool validPrefixChar(char ch) {
    static constexpr std::string_view kMarks = "'!@#$%^&_=<>?.;,*-/+";
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
           kMarks.find(ch) != std::string_view::npos;
}

Outcome checkPrefix(const Ctx& c) {
    for (char ch : c.a.get("prefix"))
        if (!validPrefixChar(ch))
            return Outcome::fail(
                "prefix",
                "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, 0 - "
                "9 and ' ! @ # $ % ^ & _ = < > ? . ; , * - / +");
    return Outcome::ok();
}

const std::unordered_map<int, Check>& checks() {
    static const std::unordered_map<int, Check> table = {
        {6,
         [](const Ctx& c) {
             if (c.a.index("netAction") == 1) return Outcome::ok();
             return requireText(c, "netPath", "A network drive has not been entered.");
         }},
        {8, checkScope},
        {9,
         [](const Ctx& c) {
             if (!c.a.flag("addToMenu")) return Outcome::ok();
             return requireChoice(c, "menu", "No popup macro has been selected. Please select one.");
         }},
        {10, [](const Ctx& c) { return requireText(c, "nickname", "No nickname has been entered."); }},
        {12, checkPaste},
        {14,
         [](const Ctx& c) {
             if (c.a.get("typeText").empty()) return Outcome::fail("typeText", kNoText);
             return Outcome::ok();
         }},
        {15,
         [](const Ctx& c) { return requireChoice(c, "printer", "No printer has been selected. Please select one."); }},
        {16,
         [](const Ctx& c) {
             return requireChoice(c, "displayMode", "No display setting has been selected. Please select one.");
         }},
        {18,
         [](const Ctx& c) {
             return requireChoice(c, "dateFormat", "No date format has been selected. Please select one.");
         }},
        {19,
         [](const Ctx& c) {
             return requireChoice(c, "timeFormat", "No time format has been selected. Please select one.");
         }},
        {20,
         [](const Ctx& c) {
             if (c.a.index("dayWhen") < 3) return Outcome::ok();
             return requireNumber(c, "dayCount", 0, 999, "Invalid days specified. Please correct.");
         }},
        {22,
         [](const Ctx& c) {
             return requireText(c, "url",
                                c.a.index("webKind") == 1 ? "No FTP URL has been entered. Please enter one."
                                                          : "No web URL has been entered. Please enter one.");
         }},
        {23, checkWallpaper},
        {24, [](const Ctx& c) { return requireFile(c, "avi", "Specified AVI file does not exist.  Please correct."); }},
        {25, checkExplore},
        {26, checkReminder},
        {28, checkDialUp},
        {29, checkLogon},
        {31, [](const Ctx& c) { return c.a.flag("chdir") ? requireFolder(c, "chdirFolder") : Outcome::ok(); }},
        {32,
         [](const Ctx& c) {
             if (c.a.index("progBy") == 0) return requireText(c, "progPath", kNoProgramName);
             return requireChoice(c, "progListed", kNoProgram);
         }},
        {33, [](const Ctx& c) { return requireText(c, "winTitle", kNoTitle); }},
        {34, [](const Ctx& c) { return requireFile(c, "document", kNoFile); }},
        {36, checkSize},
        {37, [](const Ctx& c) { return requireText(c, "activationTitle", kNoTitle); }},
        {40, [](const Ctx& c) { return requireText(c, "chosenTitle", kNoTitle); }},
        {41,
         [](const Ctx& c) {
             if (c.a.index("saver") != 2) return Outcome::ok();
             return requireNumber(c, "saverMinutes", 1, 60,
                                  "Invalid minutes specified. Value must be between 1 and 60. Please correct.");
         }},
        {42,
         [](const Ctx& c) {
             if (c.a.index("cd") != 5) return Outcome::ok();
             return requireNumber(c, "track", 0, 99, "Invalid track specified. Please correct.");
         }},
        {46, [](const Ctx& c) { return requireFile(c, "wav", kNoWav); }},
        {49, checkFileAction},
        {50, checkMenuMacros},
        {58, [](const Ctx& c) { return requireText(c, "commandText", "A macro command has not been chosen yet."); }},
        {60,
         [](const Ctx& c) {
             if (c.a.flag("captureKeys") || c.a.flag("captureMouse")) return Outcome::ok();
             return Outcome::fail("captureMouse", "You must capture either keystrokes, mouse or both.");
         }},
        {62, [](const Ctx& c) { return requireChoice(c, "captureWindow", "No window title has been selected."); }},
        {64,
         [](const Ctx& c) {
             if (c.a.get("combined").empty())
                 return Outcome::fail("combined", "No macro commands have been moved over to form the new macro.");
             return Outcome::ok();
         }},
        {66, checkPrefix},
        // "&Next >" records the entry form before this check: an empty recording makes no macro.
        {72,
         [](const Ctx& c) {
             return requireChoice(c, "recorded",
                                  "Nothing has been recorded. Press \"Next >\" and fill in the entry form again.");
         }},
    };
    return table;
}

}  // namespace

Outcome checkScreen(int wizard, int screen, const WizardAnswers& answers, const dialogs::DialogEnv& env) {
    const auto& table = checks();
    const auto it = table.find(screen);
    if (it == table.end()) return Outcome::ok();
    return it->second(Ctx{wizard, answers, env});
}

}  // namespace orv::wiz

namespace orv::wiz {

namespace {

int monthLength(int month, int year) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && year % 4 == 0) return 29;
    return month >= 1 && month <= 12 ? kDays[static_cast<std::size_t>(month - 1)] : 31;
}

Outcome checkClock(const Ctx& c) {
    return firstOf({[&] { return requireNumber(c, "hour", 1, 12, "Invalid hour specified."); },
                    [&] { return requireNumber(c, "minute", 0, 59, "Invalid minute specified."); }});
}

// A date before today is refused with the focus on its first part that is too early.
Outcome checkOnce(const Ctx& c, const LocalTime& today) {
    Outcome o = checkClock(c);
    if (!o.accepted) return o;
    const int year = c.a.index("year"), month = c.a.index("month");
    o = requireNumber(c, "day", 1, monthLength(month, year), "Invalid day of month specified.");
    if (!o.accepted) return o;
    const int day = c.a.index("day");
    const char* const kElapsed = "Specified date has already elapsed.";
    if (year != today.year) return year < today.year ? Outcome::fail("year", kElapsed) : Outcome::ok();
    if (month != today.month) return month < today.month ? Outcome::fail("month", kElapsed) : Outcome::ok();
    return day < today.day ? Outcome::fail("day", kElapsed) : Outcome::ok();
}

}  // namespace

Outcome checkSchedule(const WizardAnswers& answers, const LocalTime& today) {
    const dialogs::DialogEnv none;
    const Ctx c{0, answers, none};
    switch (answers.index("schedKind")) {
        case 1:
            return checkOnce(c, today);
        case 2:
            return requireNumber(c, "hourlyMinute", 0, 59, "Invalid minutes specified.");
        case 3:
        case 4:
            return checkClock(c);
        case 5:
            return firstOf({[&] { return checkClock(c); },
                            [&] { return requireNumber(c, "day", 1, 31, "Invalid day of month specified."); }});
        case 6:
            return requireNumber(c, "interval", 1, 720, "Invalid minutes specified.  Must be between 1 and 720.");
        case 7:
            return requireNumber(c, "interval", 1, 90, "Invalid minutes specified.  Must be between 1 and 90.");
        default:
            return Outcome::ok();
    }
}

}  // namespace orv::wiz
