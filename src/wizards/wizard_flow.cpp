#include "wizards/wizard_flow.h"

#include <algorithm>
#include <unordered_map>

#include "dialogs/schedule_dialog.h"
#include "platform/hotkey_codes.h"
#include "wizards/wizard_numbers.h"

namespace orv::wiz {

namespace {

// The answers' starting values where they are not empty. The schedule and capture fields
// start from today's date and the capture settings (see WizardFlow::loadDefaults).
const std::unordered_map<std::string_view, std::string>& defaults() {
    static const std::unordered_map<std::string_view, std::string> table = {
        {"activation", "0"}, {"symbol", "75"},      {"netAction", "2"},   {"scope", "0"},      {"programBy", "1"},
        {"addToMenu", "0"},  {"reboot", "0"},       {"pasteKind", "0"},   {"dateOrTime", "2"}, {"dayWhen", "0"},
        {"dayCount", "0"},   {"webKind", "0"},      {"wallStyle", "0"},   {"aviMode", "0"},    {"folderKind", "0"},
        {"notify", "0"},     {"deleteAfter", "0"},  {"dialAction", "0"},  {"permanent", "0"},  {"showStatus", "1"},
        {"force", "0"},      {"defaultLogon", "1"}, {"launchKind", "0"},  {"chdir", "0"},      {"progBy", "1"},
        {"moveKind", "0"},   {"winAction", "0"},    {"whichWindow", "0"}, {"saver", "0"},      {"saverMinutes", "5"},
        {"cd", "0"},         {"track", "1"},        {"soundKind", "0"},   {"audio", "4"},      {"midi", "4"},
        {"wavWait", "0"},    {"desktop", "0"},      {"fileAction", "0"},  {"menuShows", "0"},  {"iconSize", "0"},
        {"menuTray", "1"},   {"category", "0"},     {"programOnly", "0"}, {"dontShow", "1"},   {"command0", "0"},
        {"command1", "0"},   {"command2", "0"},     {"command3", "0"},
    };
    return table;
}

const std::string kEmpty;

std::string trimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string bit(bool on) { return on ? "1" : "0"; }

// The capture speed of the settings (1 same, 2 half, 3 twice, 4 four, 5 ten times) and the
// playback-speed list of the capture wizard (as fast as possible, same, twice, four, ten, half).
constexpr std::array<int, 6> kSpeedOfChoice = {1, 1, 3, 4, 5, 2};
int choiceOfSpeed(bool timing, int speed) {
    if (!timing) return 0;
    for (int i = 1; i < 6; ++i)
        if (kSpeedOfChoice[static_cast<std::size_t>(i)] == speed) return i;
    return 1;
}

// The wizards that make the ten sample macros of the first-time set-up, in its list order.
constexpr std::array<int, 10> kSampleWizards = {1, 1, 6, 12, 8, 9, 15, 17, 14, 15};

// The schedule fields of screen 3 as a record holds them.
dialogs::ScheduleValues scheduleAnswers(const WizardAnswers& a) {
    dialogs::ScheduleValues v;
    v.kind = a.index("schedKind");
    const std::string& days = a.get("days");
    for (std::size_t i = 0; i < v.days.size(); ++i) v.days[i] = i < days.size() && days[i] == '1' ? 1 : 0;
    v.hour = a.index("hour");
    v.minute = a.index("minute");
    v.pm = a.index("pm");
    v.month = a.index("month");
    v.day = a.index("day");
    v.year = a.index("year");
    v.hourlyMinute = a.index("hourlyMinute");
    v.intervalMinutes = a.index("interval");
    v.weekday = a.index("weekday");
    return v;
}

}  // namespace

const std::string& WizardAnswers::get(std::string_view name) const {
    if (const auto it = values_.find(name); it != values_.end()) return it->second;
    const auto& table = defaults();
    const auto d = table.find(name);
    return d == table.end() ? kEmpty : d->second;
}

void WizardAnswers::set(std::string_view name, std::string value) {
    values_.insert_or_assign(std::string(name), std::move(value));
}

int WizardAnswers::index(std::string_view name) const {
    const auto n = wholeNumber(get(name));
    return n ? static_cast<int>(*n) : -1;
}

std::string WizardAnswers::trimmed(std::string_view name) const { return trimBlanks(get(name)); }

WizardFlow::WizardFlow(int number, const WizardFile& file, const dialogs::DialogEnv& env)
    : number_(std::clamp(number, 1, kWizardCount)), file_(file), env_(env), screens_(screenList(number_)) {
    for (const TMacroRecord& m : file_.macros) {
        const bool global = m.Scope == kScopeGlobal || m.Scope == kScopePopupMenu || m.Scope == kScopeSystem;
        if (global && m.HotKeyCode >= 0 && m.HotKeyCode < static_cast<int>(globalUse_.size()))
            globalUse_[static_cast<std::size_t>(m.HotKeyCode)] = true;
    }
    loadDefaults();
    step_ = bypass() && number_ != kFirstTimeSetUp ? 2 : 1;
    enterScreen();
}

void WizardFlow::loadDefaults() {
    const LocalTime today = env_.clock ? env_.clock->now() : LocalTime{};
    const dialogs::ScheduleValues s = dialogs::defaultSchedule(today);
    const std::pair<const char*, int> schedule[] = {{"schedKind", s.kind},
                                                    {"hour", s.hour},
                                                    {"minute", s.minute},
                                                    {"pm", s.pm},
                                                    {"day", s.day},
                                                    {"month", s.month},
                                                    {"year", s.year},
                                                    {"weekday", s.weekday},
                                                    {"hourlyMinute", s.hourlyMinute},
                                                    {"interval", s.intervalMinutes}};
    for (const auto& [name, value] : schedule) answers_.set(name, std::to_string(value));
    std::string days;
    for (auto d : s.days) days += bit(d != 0);
    answers_.set("days", days);

    const TAppSettings settings = env_.settings ? *env_.settings : TAppSettings{};
    answers_.set("captureKeys", bit(settings.CaptureKeys));
    answers_.set("doubleAlt", bit(settings.CaptureDoubleAlt));
    answers_.set("captureMouse", bit(settings.CaptureMouse));
    answers_.set("relative", std::to_string(std::clamp(settings.CaptureRelativeTo, 1, 3) - 1));
    answers_.set("clicksOnly", bit(settings.CaptureClicksOnly));
    answers_.set("speed", std::to_string(choiceOfSpeed(settings.CaptureTime, settings.CaptureSpeed)));
    answers_.set("timing", bit(settings.CaptureTime));
    answers_.set("setSpeed", std::to_string(std::clamp(settings.CaptureSpeed, 1, 4) - 1));
    answers_.set("usePrefix", bit(!settings.UseSuffix));
    answers_.set("prefix", settings.PrefixKeys);
    answers_.set("caseSensitive", bit(settings.CaseSensitive));
    answers_.set("solitary", bit(settings.SolitaryUsage));
    answers_.set("networkMode", bit(settings.NetworkMode));
    answers_.set("tray", bit(settings.UseTray));
}

bool WizardFlow::bypass() const { return env_.settings && env_.settings->BypassWizardScreen; }

void WizardFlow::setBypass(bool on) {
    if (env_.settings) env_.settings->BypassWizardScreen = on;
}

bool WizardFlow::applies(int screen) const {
    const int act = answers_.index("activation");
    const bool scoped = act == kHotKey || act == kShortKey;
    switch (screen) {
        case 3:
            return act != kNone && act != kWindowTitle;
        case 7:
            return scoped;
        case 8:
            return scoped && answers_.index("scope") != kAllPrograms;
        case 37:
            return act == kWindowTitle;
        case 9:
            return !popupMenus().empty();
        case 33:
            if (number_ == 20) return answers_.index("moveKind") % 2 == 1;
            return answers_.index("launchKind") >= 2;
        case 31:
        case 32:
            return answers_.index("launchKind") != 1 && answers_.index("launchKind") != 2;
        case 34:
            return answers_.index("launchKind") == 1;
        case 18:
        case 20:
            return answers_.index("dateOrTime") != 1;
        case 19:
            return answers_.index("dateOrTime") != 0;
        case 40:
            return answers_.index("whichWindow") == 1;
        case 44:
            return answers_.index("soundKind") == 1;
        case 45:
            return answers_.index("soundKind") == 2;
        case 46:
            return answers_.index("soundKind") == 0;
        case 54:
        case 55:
        case 56:
        case 57:
            return answers_.index("category") == screen - 54;
        default:
            return true;
    }
}

bool WizardFlow::atFirst() const {
    for (int s = step_ - 1; s >= 1; --s)
        if (applies(screens_[static_cast<std::size_t>(s - 1)])) return false;
    return true;
}

bool WizardFlow::atLast() const {
    for (int s = step_ + 1; s <= static_cast<int>(screens_.size()); ++s)
        if (applies(screens_[static_cast<std::size_t>(s - 1)])) return false;
    return true;
}

bool WizardFlow::moveTo(int direction) {
    for (int s = step_ + direction; s >= 1 && s <= static_cast<int>(screens_.size()); s += direction) {
        if (!applies(screens_[static_cast<std::size_t>(s - 1)])) continue;
        step_ = s;
        enterScreen();
        return true;
    }
    return false;
}

Outcome WizardFlow::next() {
    if (finished()) return Outcome::ok();
    Outcome o = check(screen());
    if (!o.accepted) return o;
    if (atLast()) return finish();
    moveTo(1);
    return Outcome::ok();
}

bool WizardFlow::back() { return !finished() && moveTo(-1); }

void WizardFlow::enterScreen() {
    const int s = screen();
    const bool first = std::find(seen_.begin(), seen_.end(), s) == seen_.end();
    if (first) seen_.push_back(s);
    if (s == 26) answers_.set("activation", std::to_string(kSchedule));
    if (s == 50 || s == 59) {
        answers_.set("activation", std::to_string(kHotKey));
        answers_.set("scope", std::to_string(kAllPrograms));
    }
    if (s == 10 && number_ == 10 && answers_.trimmed("nickname").empty())
        answers_.set("nickname", answers_.get("reminder").substr(0, 10));
    if (s == 29 && first) answers_.set("permanent", bit(answers_.index("netAction") == 1));
    // A command made for another choice than the one now on screens 53-57 no longer counts.
    const WizardCommand* command = chosenCommand();
    if (s == 58 && (command == nullptr || answers_.get("commandOf") != command->caption)) {
        answers_.set("commandText", "");
        answers_.set("commandOf", "");
    }
}

const WizardCommand* WizardFlow::chosenCommand() const {
    const int category = answers_.index("category");
    if (category < 0 || category >= static_cast<int>(kCommandCategories.size())) return nullptr;
    const std::vector<const WizardCommand*> commands = commandsOf(category);
    const int i = answers_.index("command" + std::to_string(category));
    return i >= 0 && i < static_cast<int>(commands.size()) ? commands[static_cast<std::size_t>(i)] : nullptr;
}

void WizardFlow::setCommandText(std::string text) {
    const WizardCommand* command = chosenCommand();
    answers_.set("commandOf", command ? std::string(command->caption) : std::string());
    answers_.set("commandText", std::move(text));
}

Outcome WizardFlow::check(int screen) {
    if (screen != 3) return checkScreen(number_, screen, answers_, env_);
    switch (answers_.index("activation")) {
        case kHotKey:
            return checkHotKey();
        case kShortKey:
            if (answers_.trimmed("shortkey").empty())
                return Outcome::fail("shortkey", "A ShortKey name has not been entered. Please enter one.");
            return Outcome::ok();
        case kSchedule:
            return checkSchedule(answers_, env_.clock ? env_.clock->now() : LocalTime{});
        default:
            return Outcome::ok();
    }
}

bool WizardFlow::ask(const std::string& text) const {
    return env_.prompt && env_.prompt->messageBox("Warning", text, PromptButtons::YesNo) == PromptAnswer::Yes;
}

Outcome WizardFlow::checkHotKey() {
    const int code = answers_.index("hotkey");
    if (code < 0 || code >= static_cast<int>(globalUse_.size()))
        return Outcome::fail("hotkey", "A hot key has not been selected. Please select one.");
    if (!globalUses(code)) {
        globalAllowed_ = true;
        return Outcome::ok();
    }
    if (number_ == 7 || number_ == 25)
        return Outcome::fail("hotkey",
                             "A Global Macro already exists for this Hot Key combination. Popup Menus can only be "
                             "assigned on a global basis.");
    if (!ask("A Global Macro already exists for this Hot Key combination. You will not be able to make this macro "
             "\"Global\".  Do you wish to continue?"))
        return Outcome::fail("hotkey", "");
    globalAllowed_ = false;
    answers_.set("scope", std::to_string(kOneWindow));
    return Outcome::ok();
}

bool WizardFlow::globalUses(int code) const {
    return code >= 0 && code < static_cast<int>(globalUse_.size()) && globalUse_[static_cast<std::size_t>(code)];
}

std::vector<std::string> WizardFlow::hotKeyList() const {
    std::array<int, kHotKeyCount> uses{};
    for (const TMacroRecord& m : file_.macros)
        if (m.HotKeyCode >= 0 && m.HotKeyCode < kHotKeyCount) ++uses[static_cast<std::size_t>(m.HotKeyCode)];
    std::vector<std::string> out;
    out.reserve(kHotKeyCount);
    for (int code = 0; code < kHotKeyCount; ++code) {
        const int n = uses[static_cast<std::size_t>(code)];
        const std::string count = n == 0   ? "Not in Use"
                                  : n == 1 ? "1 macro in use"
                                           : std::to_string(n) + " macros in use";
        out.push_back(hotKeyName(code) + "  (" + count + ")");
    }
    return out;
}

std::vector<int> WizardFlow::popupMenus() const {
    std::vector<int> out;
    for (std::size_t i = 0; i < file_.macros.size(); ++i)
        if (file_.macros[i].Scope == kScopePopupMenu) out.push_back(static_cast<int>(i) + 1);
    return out;
}

std::vector<int> WizardFlow::menuCandidates() const {
    std::vector<int> out;
    for (std::size_t i = 0; i < file_.macros.size(); ++i)
        if (file_.macros[i].Scope != kScopeSystem) out.push_back(static_cast<int>(i) + 1);
    return out;
}

void WizardFlow::fillActivation(TMacroRecord& r) const {
    switch (answers_.index("activation")) {
        case kHotKey:
            r.HotKeyCode = static_cast<std::int16_t>(answers_.index("hotkey"));
            break;
        case kShortKey:
            r.ShortKeyText = answers_.trimmed("shortkey").substr(0, TMacroRecord::kShortKeyText);
            r.HotKeyCode = kCodeShortKey;
            break;
        case kSchedule:
            r.HotKeyCode = kCodeTimed;
            break;
        case kWindowTitle:
            r.HotKeyCode = kCodeWindowTitle;
            break;
        default:
            r.HotKeyCode = kCodeNone;
            break;
    }
}

void WizardFlow::fillScope(TMacroRecord& r) const {
    r.Scope = kScopeGlobal;
    if (!applies(7)) return;
    if (answers_.index("scope") == kOneWindow) {
        r.Scope = kScopeWindow;
        r.WindowTitle = answers_.trimmed("windowTitle").substr(0, TMacroRecord::kWindowTitle);
    } else if (answers_.index("scope") == kOneProgram) {
        r.Scope = kScopeProgram;
        const std::string program =
            answers_.index("programBy") == 0 ? answers_.trimmed("programName") : answers_.get("programListed");
        r.WindowTitle = program.substr(0, TMacroRecord::kWindowTitle);
    }
}

CaptureSetup WizardFlow::captureSetup() const {
    CaptureSetup c;
    c.keystrokes = answers_.flag("captureKeys");
    c.mouse = answers_.flag("captureMouse");
    c.relativeTo = std::clamp(answers_.index("relative"), 0, 2) + 1;
    c.clicksOnly = answers_.flag("clicksOnly");
    const int choice = std::clamp(answers_.index("speed"), 0, 5);
    c.timing = choice != 0;
    c.speed = kSpeedOfChoice[static_cast<std::size_t>(choice)];
    c.doubleAlt = answers_.flag("doubleAlt");
    c.windowTitle = answers_.get("captureWindow");
    c.programOnly = answers_.flag("programOnly");
    return c;
}

Outcome WizardFlow::finish() {
    if (number_ == kFirstTimeSetUp) return finishSetUp();
    const int act = answers_.index("activation");
    const int code = answers_.index("hotkey");
    if (act == kHotKey && number_ != 7 && isReservedHotKey(code) && !ask(reservedHotKeyQuestion(code)))
        return Outcome::fail("hotkey", "");
    WizardResult result;
    TMacroRecord r;
    fillActivation(r);
    r.MacroText = macroText(number_, answers_, env_.files);
    if (r.MacroText.size() > kMaxMacroText)
        return Outcome::error("The macro text would be longer than 5000 characters.  Please shorten it.");
    r.Active = 1;
    r.NickName = answers_.trimmed("nickname").substr(0, TMacroRecord::kNickName);
    r.IconName = answers_.get("icon").substr(0, TMacroRecord::kIconName);
    r.TopMostOnly = 1;
    const LocalTime now = env_.clock ? env_.clock->now() : LocalTime{};
    dialogs::applySchedule(dialogs::defaultSchedule(now), r);
    if (number_ == 25) {
        r.Scope = kScopePopupMenu;
        r.ShortKeyText = std::string(answers_.flag("menuTray") ? "Y" : "N") +
                         static_cast<char>('1' + std::clamp(answers_.index("menuShows"), 0, 2)) +
                         static_cast<char>('0' + std::clamp(answers_.index("iconSize"), 0, 4));
        for (int n : numberList(answers_.get("menuMacros"))) r.MenuItems.push_back(static_cast<std::int16_t>(n));
        result.rebuildTrayMenus = answers_.flag("menuTray");
    } else {
        fillScope(r);
    }
    if (act == kSchedule) dialogs::applySchedule(scheduleAnswers(answers_), r);
    if (act == kWindowTitle) r.WindowTitle = answers_.trimmed("activationTitle").substr(0, TMacroRecord::kWindowTitle);
    r.LastModified = toDateSerial(now);
    if (number_ == 7) result.capture = captureSetup();
    if (applies(9) && answers_.flag("addToMenu")) result.joinMenu = answers_.index("menu");
    result.record = std::move(r);
    result_ = std::move(result);
    return Outcome::ok();
}

Outcome WizardFlow::finishSetUp() {
    WizardResult result;
    if (env_.settings) {
        TAppSettings& s = *env_.settings;
        s.SolitaryUsage = answers_.flag("solitary");
        s.CaseSensitive = answers_.flag("caseSensitive");
        s.UseSuffix = !answers_.flag("usePrefix");
        s.PrefixKeys = answers_.get("prefix").substr(0, 2);
        s.CaptureKeys = answers_.flag("captureKeys");
        s.CaptureMouse = answers_.flag("captureMouse");
        s.CaptureRelativeTo = std::clamp(answers_.index("relative"), 0, 2) + 1;
        s.CaptureClicksOnly = answers_.flag("clicksOnly");
        s.CaptureTime = answers_.flag("timing");
        s.CaptureSpeed = std::clamp(answers_.index("setSpeed"), 0, 3) + 1;
        s.NetworkMode = s.AutoSync = answers_.flag("networkMode");
        s.SyncMinutes = s.NetworkMode ? 10 : 0;
        s.UseTray = answers_.flag("tray");
        if (s.UseTray) s.UseHide = false;
        s.FirstUse = !answers_.flag("dontShow");
    }
    for (std::size_t i = 0; i < kSampleWizards.size(); ++i)
        if (answers_.flag("sample" + std::to_string(i))) result.sampleWizards.push_back(kSampleWizards[i]);
    result_ = std::move(result);
    return Outcome::ok();
}

bool isReservedHotKey(int code) {
    static const std::vector<int> reserved = [] {
        // Alt+F6, Ctrl+Alt+F6, Alt+Shift+F6, Win+F1, Win+D, Win+E, Win+F, Win+M, Win+R, Win+Ctrl+F
        const DecodedHotKey keys[] = {{0x75, 0, false, false, true, false}, {0x75, 0, false, false, true, true},
                                      {0x75, 0, false, true, true, false},  {0x70, 0, true, false, false, false},
                                      {0x44, 0, true, false, false, false}, {0x45, 0, true, false, false, false},
                                      {0x46, 0, true, false, false, false}, {0x4D, 0, true, false, false, false},
                                      {0x52, 0, true, false, false, false}, {0x46, 0, true, false, false, true}};
        std::vector<int> codes;
        for (const DecodedHotKey& k : keys)
            if (const int c = hotKeyCodeOf(k); c >= 0) codes.push_back(c);
        return codes;
    }();
    return std::find(reserved.begin(), reserved.end(), code) != reserved.end();
}

std::string reservedHotKeyQuestion(int code) {
    const std::string& name = hotKeyName(code);
    return name + " may be used internally by Windows 95, 98 or NT. " +
           " This may cause the hot key not to function correctly." + " Would you still like to use " + name + "?";
}

}  // namespace orv::wiz
