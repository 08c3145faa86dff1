#include "transfer/import_conversion.h"

#include "platform/activation_table.h"

namespace orv {

namespace {

constexpr std::string_view kLaunch = "<LAUNCH>";
constexpr std::string_view kParam = "<PARAM>";
// The launch text is read from its first 255 characters; the program starts at the 10th, after
// "<LAUNCH>" and one blank.
constexpr std::size_t kLaunchTextChars = 255;
constexpr std::size_t kProgramStart = 9;

std::string from(const std::string& s, std::size_t at) { return at < s.size() ? s.substr(at) : std::string(); }

std::string launchCommand(const std::string& text) {
    const std::string head = text.substr(0, kLaunchTextChars);
    const std::size_t param = head.find(kParam);
    if (param == std::string::npos) return "<LAUNCH:" + from(head, kProgramStart) + ">";
    const std::string program = param > kProgramStart ? head.substr(kProgramStart, param - kProgramStart) : "";
    return "<CHDIR:" + from(head, param + kParam.size()) + "><LAUNCH:" + program + ">";
}

}  // namespace

std::string clipboardWrapped(const std::string& text) { return "<BEGCLIP>" + text + "<ENDCLIP><CLIPP>"; }

std::string convertBv2Text(const std::string& text, bool paste) {
    if (text.find(kLaunch) != std::string::npos) return launchCommand(text);
    return paste ? clipboardWrapped(text) : text;
}

TMacroRecord fromBv2(const Bv2Record& s, double now) {
    TMacroRecord r;
    r.NickName = s.NickName;
    r.WindowTitle = s.WindowTitle;
    r.HotKeyCode = s.HotKeyCode;
    r.Scope = s.Scope;
    r.Active = s.Active;
    r.MacroText = convertBv2Text(s.MacroText, s.paste);
    r.IconName = "MAIN";
    r.ScheduleKind = s.ScheduleKind;
    r.ScheduleDays = s.ScheduleDays;
    r.ScheduleHour = s.ScheduleHour;
    r.ScheduleMinute = s.ScheduleMinute;
    r.ScheduleMonth = s.ScheduleMonth;
    r.ScheduleDay = s.ScheduleDay;
    r.HourlyMinute = s.HourlyMinute;
    r.IntervalMinutes = s.IntervalMinutes;
    r.ScheduleWeekday = s.ScheduleWeekday;
    r.ScheduleYear = s.ScheduleYear;
    r.SchedulePM = s.SchedulePM;
    r.TopMostOnly = s.TopMostOnly;
    r.LastModified = now;
    return r;
}

TMacroRecord fromShk(const ShkRecord& s, double now) {
    TMacroRecord r;
    r.ShortKeyText = s.ShortKeyText;
    r.HotKeyCode = kCodeShortKey;
    r.Scope = kScopeGlobal;
    r.Active = s.Active;
    r.MacroText = s.paste ? clipboardWrapped(s.MacroText) : s.MacroText;
    r.IconName = "MAIN";
    // A ShortKey file has no schedule: the record gets a fixed one.
    r.ScheduleKind = 1;
    r.ScheduleHour = 0;
    r.ScheduleMinute = 0;
    r.ScheduleMonth = 1;
    r.ScheduleDay = 1;
    r.HourlyMinute = 15;
    r.IntervalMinutes = 15;
    r.ScheduleWeekday = 1;
    r.ScheduleYear = 1998;
    r.SchedulePM = 1;
    r.TopMostOnly = 1;
    r.LastModified = now;
    return r;
}

void renumberMenu(TMacroRecord& menu, const std::map<int, int>& newNumbers) {
    std::vector<std::int16_t> kept;
    for (const std::int16_t entry : menu.MenuItems) {
        if (const auto it = newNumbers.find(entry); it != newNumbers.end())
            kept.push_back(static_cast<std::int16_t>(it->second));
    }
    menu.MenuItems = std::move(kept);
}

}  // namespace orv
