#include "dialogs/system_dialogs.h"

#include <algorithm>

#include "dialogs/dialog_text.h"
#include "engine/command_table.h"

namespace orv::dialogs {

namespace {

struct DesktopChoice {
    const char* name;
    CommandId tag;
    bool needsShell;  // disabled when the shell lacks the newer desktop functions
};

const DesktopChoice kDesktop[] = {
    {"cascade", CommandId::Cascdesk, false},
    {"tilevertical", CommandId::Tilvdesk, false},
    {"tilehorizontal", CommandId::Tilhdesk, false},
    {"minimizeall", CommandId::Minidesk, true},
    {"restoreall", CommandId::Restdesk, true},
    {"suspend", CommandId::Suspend, true},
    {"undock", CommandId::Undock, true},
    {"dateandtime", CommandId::Rundt, true},
    {"findcomputers", CommandId::Runfc, true},
    {"findfiles", CommandId::Runff, true},
    {"runprograms", CommandId::Runrp, true},
    {"controlpanel", CommandId::Expcp, false},
    {"desktopfolder", CommandId::Expdt, false},
    {"desktopprograms", CommandId::Expdp, false},
    {"favorites", CommandId::Expfv, false},
    {"fonts", CommandId::Expft, false},
    {"mycomputer", CommandId::Expmc, false},
    {"network", CommandId::Expnw, false},
    {"printers", CommandId::Exppr, false},
    {"programs", CommandId::Exppf, false},
    {"recent", CommandId::Exprd, false},
    {"recyclebin", CommandId::Exprb, false},
    {"startmenu", CommandId::Expsm, false},
    {"startup", CommandId::Expsu, false},
    {"userdocuments", CommandId::Expud, false},
};

std::vector<std::string> desktopChoices() {
    std::vector<std::string> out;
    for (const DesktopChoice& c : kDesktop) out.push_back(c.name);
    return out;
}

const std::vector<std::string> kRebootKinds = {"reboot", "shutdown", "logoff", "poweroff"};
constexpr CommandId kRebootTags[] = {CommandId::Reboot, CommandId::Shutdown, CommandId::Logoff, CommandId::Poweroff};

const std::vector<std::string> kSysKinds = {"saveron",  "saveroff",  "savertime", "keydelay",
                                            "keyspeed", "wallpaper", "border"};
const std::vector<std::string> kStyles = {"center", "stretch", "position"};

std::string upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

std::string rightAligned(std::int64_t n, std::size_t width) {
    std::string s = std::to_string(n);
    if (s.size() < width) s.insert(0, width - s.size(), ' ');
    return s;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t at = path.find_last_of("\\/");
    return at == std::string::npos ? path : path.substr(at + 1);
}

}  // namespace

std::string displayModeText(const DisplayMode& mode) {
    // 2 to the power of the colour depth; depths beyond 62 bits do not occur.
    const int depth = std::clamp(mode.bitsPerPixel, 0, 62);
    return rightAligned(mode.width, 4) + " x " + rightAligned(mode.height, 4) + "  " +
           std::to_string(std::int64_t{1} << depth) + " Colors  " + std::to_string(mode.refreshHz) + " hertz";
}

std::vector<std::string> installedPrograms(const std::vector<ProgramShortcut>& shortcuts, IDialogFiles& files) {
    std::vector<std::string> out;
    std::vector<std::string> seen;
    for (const ProgramShortcut& s : shortcuts) {
        // An application entry of the desktop's menu ("<name>.desktop") names its program
        // directly; a start-menu shortcut must lead to a program file that is not the help viewer.
        const std::string link = upper(s.linkName);
        const bool appEntry = link.size() > 8 && link.ends_with(".DESKTOP");
        const std::string target = upper(s.target);
        if (!appEntry && (link.find(".LNK") == std::string::npos || target.find(".EXE") == std::string::npos ||
                          target.find("WINHELP.EXE") != std::string::npos))
            continue;
        if (!files.fileExists(s.target)) continue;
        // The entry keeps ".LNK" between the name and the program, which is how it is read back.
        const std::string name = appEntry ? s.linkName.substr(0, s.linkName.size() - 8) + ".LNK" : s.linkName;
        const std::string entry = name + fileNameOf(s.target);
        const std::string key = upper(entry);
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
        seen.push_back(key);
        out.push_back(entry);
    }
    return out;
}

std::string installedProgramOf(const std::string& entry) {
    const std::size_t at = upper(entry).find(".LNK");
    return at == std::string::npos ? entry : entry.substr(at + 4);
}

// ---------------------------------------------------------------------------------------------
TDoRecycle::TDoRecycle() : ValuesDialog({choiceField("command", "cascade", desktopChoices())}) {}

void TDoRecycle::load(const Values& v) {
    if (v.code >= 1 && v.code <= 25) set("command", kDesktop[v.code - 1].name);
}

Outcome TDoRecycle::doCheck(const DialogEnv& env) {
    const int code = choiceIndex("command") + 1;
    const DesktopChoice& c = kDesktop[code - 1];
    // The form disables these choices; a caller that picks one anyway gets the editors' notice.
    if (c.needsShell && (env.desktop == nullptr || !env.desktop->hasShellAutomation()))
        return Outcome::fail("command",
                             "This function requires Windows 98 or NT.  Ruvi requires Windows 95 that has Internet "
                             "Explore 4.0 or greater installed. It appears that your system does not meet these "
                             "requirements.",
                             "Warning");
    values_.code = code;
    return Outcome::ok(composeTag(c.tag));
}

std::vector<std::pair<std::string, std::string>> TDoRecycle::results() const {
    return {{"code", std::to_string(values_.code)}};
}

// ---------------------------------------------------------------------------------------------
TDoDefPrint::TDoDefPrint() : ValuesDialog({textField("printer", "", 255)}) { overflowField_ = "printer"; }

Outcome TDoDefPrint::doCheck(const DialogEnv& env) {
    // The printer is chosen from the list of installed printers.
    Values v;
    v.printer = get("printer");
    const std::vector<std::string> list = env.desktop != nullptr ? env.desktop->printers() : std::vector<std::string>{};
    if (v.printer.empty() || std::find(list.begin(), list.end(), v.printer) == list.end())
        return Outcome::fail("printer", "No printer setting selected.");
    if (const char c = firstOf(v.printer, ">")) return Outcome::fail("printer", forbiddenCharMessage(c));
    values_ = v;
    return Outcome::ok(composeTag(CommandId::Defprt, {}, v.printer));
}

std::vector<std::pair<std::string, std::string>> TDoDefPrint::results() const { return {{"printer", values_.printer}}; }

// ---------------------------------------------------------------------------------------------
TDoScreen::TDoScreen() : ValuesDialog({textField("mode", "", 4)}) { overflowField_ = "mode"; }

void TDoScreen::show(const DialogEnv& env) {
    lines_.clear();
    if (env.desktop == nullptr) return;
    for (const DisplayMode& m : env.desktop->displayModes()) lines_.push_back(displayModeText(m));
}

Outcome TDoScreen::doCheck(const DialogEnv&) {
    // The mode number is the selected line's position; it fills three digits.
    const auto n = parseWhole(text("mode"));
    if (!n || *n < 0 || *n >= static_cast<std::int64_t>(lines_.size()) || *n > 999)
        return Outcome::fail("mode", "No display setting selected.");
    values_.mode = static_cast<int>(*n);
    return Outcome::ok(composeTag(CommandId::Screen, {values_.mode}));
}

std::vector<std::pair<std::string, std::string>> TDoScreen::results() const {
    return {{"mode", std::to_string(values_.mode)}};
}

// ---------------------------------------------------------------------------------------------
TDoReboot::TDoReboot() : ValuesDialog({choiceField("kind", "reboot", kRebootKinds)}) {}

void TDoReboot::load(const Values& v) {
    if (v.kind >= Reboot && v.kind <= PowerOff) set("kind", kRebootKinds[static_cast<std::size_t>(v.kind - 1)]);
}

Outcome TDoReboot::doCheck(const DialogEnv&) {
    values_.kind = choiceIndex("kind") + 1;
    return Outcome::ok(composeTag(kRebootTags[values_.kind - 1]));
}

std::vector<std::pair<std::string, std::string>> TDoReboot::results() const {
    return {{"kind", std::to_string(values_.kind)}};
}

// ---------------------------------------------------------------------------------------------
TDoSysControls::TDoSysControls()
    : ValuesDialog({
          choiceField("kind", "saveron", kSysKinds),
          textField("minutes", "", 2),
          textField("delay", "", 1),
          textField("speed", "", 2),
          textField("border", "", 2),
          checkField("tile", "0"),
          choiceField("style", "center", kStyles),
          textField("x", "0", 4),
          textField("y", "0", 4),
          textField("bitmap", "", 255),
      }) {
    overflowField_ = "bitmap";
}

void TDoSysControls::load(const Values& v) {
    if (v.kind >= SaverOn && v.kind <= SizingBorder) set("kind", kSysKinds[static_cast<std::size_t>(v.kind - 1)]);
    const std::string n = std::to_string(v.number);
    switch (v.kind) {
        case SaverTime:
            set("minutes", n);
            break;
        case KeyDelay:
            set("delay", n);
            break;
        case KeySpeed:
            set("speed", n);
            break;
        case SizingBorder:
            set("border", n);
            break;
        case Wallpaper:
            setFlag("tile", v.style == Tile);
            if (v.style >= Center && v.style <= Position) set("style", kStyles[static_cast<std::size_t>(v.style - 2)]);
            set("x", std::to_string(v.x));
            set("y", std::to_string(v.y));
            set("bitmap", v.path);
            break;
        default:
            break;
    }
}

Outcome TDoSysControls::doCheck(const DialogEnv& env) {
    struct Ranged {
        int kind;
        const char* field;
        std::int64_t lo, hi;
        const char* message;
        CommandId tag;
    };
    static constexpr Ranged kRanged[] = {
        {SaverTime, "minutes", 1, 60, "Invalid minutes specified.  Valid values or 1 to 60.  Please correct.",
         CommandId::Sstime},
        {KeyDelay, "delay", 0, 3,
         "Invalid factor specified.  Valid values or 0 to 3.  0 = shortest delay.  Please correct.", CommandId::Keydel},
        {KeySpeed, "speed", 0, 31,
         "Invalid factor specified.  Valid values or 0 to 31.  0 = slowest speed.  Please correct.", CommandId::Keyspd},
        {SizingBorder, "border", 1, 10, "Invalid value specified.  Valid values or 1 to 10.  Please correct.",
         CommandId::Wbsize},
    };
    Values v;
    v.kind = choiceIndex("kind") + 1;
    if (v.kind == SaverOn || v.kind == SaverOff) {
        values_ = v;
        return Outcome::ok(composeTag(v.kind == SaverOn ? CommandId::Sson : CommandId::Ssoff));
    }
    for (const Ranged& r : kRanged) {
        if (r.kind != v.kind) continue;
        const auto n = parseWhole(text(r.field));
        if (!n || *n < r.lo || *n > r.hi) return Outcome::fail(r.field, r.message);
        v.number = static_cast<int>(*n);
        values_ = v;
        return Outcome::ok(composeTag(r.tag, {v.number}));
    }
    return checkWallpaper(v, env);
}

Outcome TDoSysControls::checkWallpaper(Values& v, const DialogEnv& env) {
    v.style = flag("tile") ? Tile : choiceIndex("style") + 2;
    if (v.style == Position) {
        // X and Y fill four digits each.
        const auto x = parseWhole(text("x"));
        if (!x || *x < 0 || *x > 9999) return Outcome::fail("x", "Invalid X Coordinate specified. Please correct.");
        const auto y = parseWhole(text("y"));
        if (!y || *y < 0 || *y > 9999) return Outcome::fail("y", "Invalid Y Coordinate specified. Please correct.");
        v.x = static_cast<int>(*x);
        v.y = static_cast<int>(*y);
    }
    v.path = text("bitmap");
    if (env.files == nullptr || v.path.empty() || !env.files->fileExists(v.path))
        return Outcome::fail("bitmap", "Specified bitmap file does not exist.  Please correct.");
    if (const char c = firstOf(v.path, ">")) return Outcome::fail("bitmap", forbiddenCharMessage(c));
    static constexpr CommandId kStyleTags[] = {CommandId::Wallt, CommandId::Wallc, CommandId::Walls, CommandId::Wallp};
    values_ = v;
    return Outcome::ok(composeTag(kStyleTags[v.style - Tile], {v.x, v.y}, v.path));
}

std::vector<std::pair<std::string, std::string>> TDoSysControls::results() const {
    return {{"kind", std::to_string(values_.kind)},     {"path", values_.path},
            {"number", std::to_string(values_.number)}, {"x", std::to_string(values_.x)},
            {"y", std::to_string(values_.y)},           {"style", std::to_string(values_.style)}};
}

// ---------------------------------------------------------------------------------------------
TDoAllProgs::TDoAllProgs() : ValuesDialog({textField("entry", "", 6)}) {}

void TDoAllProgs::show(const DialogEnv& env) {
    if (!entries_.empty() || env.desktop == nullptr || env.files == nullptr) return;
    entries_ = installedPrograms(env.desktop->programShortcuts(), *env.files);
}

Outcome TDoAllProgs::doCheck(const DialogEnv&) {
    // The entry is the chosen line's position in the list.
    const auto n = parseWhole(text("entry"));
    if (!n || *n < 0 || *n >= static_cast<std::int64_t>(entries_.size()))
        return Outcome::fail("entry", "No program selected.  Please select one.");
    values_.program = installedProgramOf(entries_[static_cast<std::size_t>(*n)]);
    return Outcome::ok("");
}

std::vector<std::pair<std::string, std::string>> TDoAllProgs::results() const { return {{"program", values_.program}}; }

}  // namespace orv::dialogs
