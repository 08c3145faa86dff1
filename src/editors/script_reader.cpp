// Macro text to script lines: the recognisers of the command tags, tried in a fixed order at
// every "<", and the runs of text between the commands.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "editors/script_lines.h"
#include "engine/date_time_formats.h"

namespace orv::script {
namespace {

using std::string_view;

struct Match {
    int command = 0;
    Payload payload;
    std::size_t end = 0;  // just after the tag
    bool open = false;    // its last text field ran to the end of the text: no closing ">"
};
using Found = std::optional<Match>;

// A decimal integer read from exactly `width` characters at `i`: an optional minus sign, then
// digits only. Anything else (blanks, a plus sign, a missing digit) is not a number, and the
// tag holding it is left as text.
std::optional<int> numberAt(string_view t, std::size_t i, std::size_t width) {
    if (i > t.size() || t.size() - i < width || width == 0) return std::nullopt;
    const string_view field = t.substr(i, width);
    std::size_t k = field[0] == '-' ? 1 : 0;
    if (k == field.size()) return std::nullopt;
    long long value = 0;
    for (; k < field.size(); ++k) {
        if (field[k] < '0' || field[k] > '9') return std::nullopt;
        value = value * 10 + (field[k] - '0');
    }
    return static_cast<int>(field[0] == '-' ? -value : value);
}

// A real read from exactly `width` characters: an optional minus sign, digits with at most one
// decimal point, at least one digit.
std::optional<double> realAt(string_view t, std::size_t i, std::size_t width) {
    if (i > t.size() || t.size() - i < width || width == 0) return std::nullopt;
    const string_view field = t.substr(i, width);
    std::size_t k = field[0] == '-' ? 1 : 0;
    long long digits = 0;
    int digitCount = 0;
    int decimals = 0;
    bool point = false;
    for (; k < field.size(); ++k) {
        const char c = field[k];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = digits * 10 + (c - '0');
            ++digitCount;
            if (point) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    if (digitCount == 0) return std::nullopt;
    double value = static_cast<double>(digits);
    double scale = 1;
    for (int d = 0; d < decimals; ++d) scale *= 10;
    value /= scale;
    return field[0] == '-' ? -value : value;
}

bool charAt(string_view t, std::size_t i, char c) { return i < t.size() && t[i] == c; }

// The one-character separator between two number fields: any character but "<" and ">",
// which saving replaces with its own separator. Those two are left alone because other tags
// are delimited by them: rewriting one could change how the text around the tag reads.
bool separatorAt(string_view t, std::size_t i) { return i < t.size() && t[i] != '<' && t[i] != '>'; }

bool startsAt(string_view t, std::size_t i, string_view s) { return i <= t.size() && t.substr(i).starts_with(s); }

// A text field from `i` up to the next `stop` character or the end of the text. `end` is just
// after the stop character (or the end of the text); `closed` tells which.
struct Field {
    std::string value;
    std::size_t end = 0;
    bool closed = false;
};

Field fieldAt(string_view t, std::size_t i, char stop = '>') {
    const std::size_t at = t.find(stop, i);
    if (at == string_view::npos) return {std::string(t.substr(i)), t.size(), false};
    return {std::string(t.substr(i, at - i)), at + 1, true};
}

// The keys and characters that stay inside a run of text.
constexpr std::array<string_view, 68> kRunTags = {
    "<TAB>",        "<ENTER>",       "<RIGHTWIN>", "<LEFTWIN>",    "<APP>",    "<BACKSPACE>", "<ESC>",    "<SPACE>",
    "<LEFT ARROW>", "<RIGHT ARROW>", "<UP ARROW>", "<DOWN ARROW>", "<HOME>",   "<END>",       "<INSERT>", "<DELETE>",
    "<PAGE DOWN>",  "<PAGE UP>",     "<F1>",       "<F2>",         "<F3>",     "<F4>",        "<F5>",     "<F6>",
    "<F7>",         "<F8>",          "<F9>",       "<F10>",        "<F11>",    "<F12>",       "<F13>",    "<F14>",
    "<F15>",        "<F16>",         "<F17>",      "<F18>",        "<F19>",    "<F20>",       "<F21>",    "<F22>",
    "<F23>",        "<F24>",         "<SHIFT>",    "<CTRL>",       "<ALT>",    "<ATTN>",      "<CRSEL>",  "<EXSEL>",
    "<EREOF>",      "<PLAY>",        "<ZOOM>",     "<PA1>",        "<PRTSCR>", "<KEYP0>",     "<KEYP1>",  "<KEYP2>",
    "<KEYP3>",      "<KEYP4>",       "<KEYP5>",    "<KEYP6>",      "<KEYP7>",  "<KEYP8>",     "<KEYP9>",  "<KEYP.>",
    "<KEYP/>",      "<KEYP*>",       "<KEYP->",    "<KEYP+>",
};

// The length of the run tag at `p`, or 0.
std::size_t runTagLength(string_view t, std::size_t p) {
    for (string_view tag : kRunTags) {
        if (startsAt(t, p, tag)) return tag.size();
    }
    if (startsAt(t, p, "<ALT:") && charAt(t, p + 8, '>')) return 9;
    if (startsAt(t, p, "<ALT4:") && charAt(t, p + 10, '>')) return 11;
    return 0;
}

Found codeTag(string_view t, std::size_t p, std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k) {
        if (startsAt(t, p, kCodeTags[k].tag)) {
            return Match{kCodeTags[k].command, CodeOnly{static_cast<int>(k)}, p + kCodeTags[k].tag.size()};
        }
    }
    return std::nullopt;
}

// Index range of kCodeTags: the speaker and modifier tags come early in the order, the
// system and desktop tags later.
constexpr std::size_t kFirstLateCodeTag = 28;

Found mouseTags(string_view t, std::size_t p) {
    using A = Mouse::Action;
    struct Button {
        string_view tag;
        int command;
        A action;
    };
    static constexpr std::array<Button, 12> kButtons = {{
        {"<LDN>", 25, A::LeftDown},
        {"<LUP>", 25, A::LeftUp},
        {"<LCLK>", 25, A::LeftClick},
        {"<LDCLK>", 25, A::LeftDoubleClick},
        {"<RDN>", 26, A::RightDown},
        {"<RUP>", 26, A::RightUp},
        {"<RCLK>", 26, A::RightClick},
        {"<RDCLK>", 26, A::RightDoubleClick},
        {"<MDN>", 27, A::MiddleDown},
        {"<MUP>", 27, A::MiddleUp},
        {"<MCLK>", 27, A::MiddleClick},
        {"<MDCLK>", 27, A::MiddleDoubleClick},
    }};
    for (const Button& b : kButtons) {
        if (startsAt(t, p, b.tag)) return Match{b.command, Mouse{0, 0, 0, b.action, {}}, p + b.tag.size()};
    }
    for (const auto& [tag, action] :
         {std::pair{string_view("<WFW:"), A::WheelForward}, std::pair{string_view("<WBW:"), A::WheelBackward}}) {
        if (!startsAt(t, p, tag)) continue;
        const auto clicks = numberAt(t, p + 5, 3);
        if (clicks && charAt(t, p + 8, '>')) return Match{28, Mouse{0, 0, *clicks, action, {}}, p + 9};
    }
    using M = Mouse::MoveMode;
    for (const auto& [tag, mode] :
         {std::pair{string_view("<MMS:"), M::Screen}, std::pair{string_view("<MMW:"), M::Window},
          std::pair{string_view("<MMP:"), M::Position}}) {
        if (!startsAt(t, p, tag)) continue;
        const auto x = numberAt(t, p + 5, 5);
        const auto y = numberAt(t, p + 11, 5);
        if (x && y && separatorAt(t, p + 10) && charAt(t, p + 16, '>'))
            return Match{24, Mouse{*x, *y, 0, A::Move, mode}, p + 17};
    }
    if (startsAt(t, p, "<MMC>")) return Match{24, Mouse{0, 0, 0, A::Move, M::Caret}, p + 5};
    return std::nullopt;
}

Found pauseAndDelay(string_view t, std::size_t p) {
    if (startsAt(t, p, "<PAUSE:")) {
        const auto top = numberAt(t, p + 7, 3);
        const auto left = numberAt(t, p + 11, 3);
        if (top && left && separatorAt(t, p + 10)) {
            Field message = fieldAt(t, p + 14);
            return Match{5, Pause{Pause::Kind::Complex, *top, *left, std::move(message.value)}, message.end,
                         !message.closed};
        }
    }
    if (startsAt(t, p, "<PAUSE>")) return Match{5, Pause{}, p + 7};
    if (startsAt(t, p, "<DELAY:")) {
        const auto seconds = realAt(t, p + 7, 5);
        if (seconds && charAt(t, p + 12, '>')) return Match{4, Delay{Delay::Unit::Seconds, *seconds}, p + 13};
    }
    if (startsAt(t, p, "<MSD:")) {
        const auto ms = numberAt(t, p + 5, 4);
        if (ms && charAt(t, p + 9, '>')) return Match{4, Delay{Delay::Unit::Milliseconds, double(*ms)}, p + 10};
    }
    return std::nullopt;
}

constexpr string_view kCurrentWindow = "\"CURRENT\"";

Found windowTags(string_view t, std::size_t p) {
    using C = Window::Command;
    struct Tag {
        string_view tag;
        int command;
        C action;
    };
    static constexpr std::array<Tag, 7> kTags = {{
        {"<WHIDE:", 22, C::Hide},
        {"<WSHOW:", 23, C::Show},
        {"<WMAX:", 18, C::Maximize},
        {"<WMIN:", 19, C::Minimize},
        {"<WCLS:", 21, C::Close},
        {"<WRES:", 20, C::Restore},
        {"<WSHUT:", 38, C::ShutDown},
    }};
    for (const Tag& w : kTags) {
        if (!startsAt(t, p, w.tag)) continue;
        Field title = fieldAt(t, p + w.tag.size());
        const bool current = title.value == kCurrentWindow;
        return Match{w.command, Window{current ? std::string() : std::move(title.value), current, w.action}, title.end,
                     !title.closed};
    }
    for (const auto& [tag, kind] : {std::pair{string_view("<WSIZE:"), WindowGeometry::Kind::Resize},
                                    std::pair{string_view("<WPOS:"), WindowGeometry::Kind::Reposition}}) {
        if (!startsAt(t, p, tag)) continue;
        const std::size_t i = p + tag.size();
        const auto first = numberAt(t, i, 4);
        const auto second = numberAt(t, i + 5, 4);
        if (!first || !second || !separatorAt(t, i + 4)) continue;
        Field title = fieldAt(t, i + 9);
        const bool current = title.value == kCurrentWindow;
        const int command = kind == WindowGeometry::Kind::Resize ? 16 : 17;
        return Match{command,
                     WindowGeometry{current ? std::string() : std::move(title.value), current, kind, *first, *second},
                     title.end, !title.closed};
    }
    return std::nullopt;
}

Found repeatTags(string_view t, std::size_t p) {
    using K = Repeat::Kind;
    for (const auto& [tag, width] : {std::pair{string_view("<IIII>"), 4}, std::pair{string_view("<III>"), 3},
                                     std::pair{string_view("<II>"), 2}, std::pair{string_view("<I>"), 1}}) {
        if (startsAt(t, p, tag)) return Match{32, Repeat{K::Counter, width, 1, 1, false}, p + tag.size()};
    }
    if (startsAt(t, p, "<REPEAT:")) {
        const auto count = numberAt(t, p + 8, 4);
        if (count && charAt(t, p + 12, '>')) return Match{6, Repeat{K::Counted, *count, 1, 1, true}, p + 13};
    }
    if (startsAt(t, p, "<REP:")) {
        const auto count = numberAt(t, p + 5, 4);
        const auto start = numberAt(t, p + 10, 6);
        const auto step = numberAt(t, p + 17, 6);
        if (count && start && step && separatorAt(t, p + 9) && separatorAt(t, p + 16) && charAt(t, p + 23, '>')) {
            return Match{6, Repeat{K::Counted, *count, *start, *step, false}, p + 24};
        }
    }
    if (startsAt(t, p, "<PROMPTREP>")) return Match{45, Repeat{K::Prompted, 0, 1, 1, false}, p + 11};
    if (startsAt(t, p, "<ENDREP>")) return Match{7, Repeat{K::End, 0, 1, 1, false}, p + 8};
    return std::nullopt;
}

Found systemSettingTags(string_view t, std::size_t p) {
    using K = SystemSetting::Kind;
    using S = SystemSetting::Style;
    if (startsAt(t, p, "<SSON>")) return Match{78, SystemSetting{K::SaverOn, {}, 0, 0, 0, S::Tile}, p + 6};
    if (startsAt(t, p, "<SSOFF>")) return Match{78, SystemSetting{K::SaverOff, {}, 0, 0, 0, S::Tile}, p + 7};
    struct Numbered {
        string_view tag;
        std::size_t width;
        int command;
        K kind;
    };
    static constexpr std::array<Numbered, 3> kNumbered = {{
        {"<SSTIME:", 2, 78, K::SaverTimer},
        {"<KEYDEL:", 1, 80, K::KeyDelay},
        {"<KEYSPD:", 2, 79, K::KeySpeed},
    }};
    for (const Numbered& n : kNumbered) {
        if (!startsAt(t, p, n.tag)) continue;
        const std::size_t i = p + n.tag.size();
        const auto value = numberAt(t, i, n.width);
        if (value && charAt(t, i + n.width, '>')) {
            return Match{n.command, SystemSetting{n.kind, {}, *value, 0, 0, S::Tile}, i + n.width + 1};
        }
    }
    for (const auto& [tag, style] :
         {std::pair{string_view("<WALLT:"), S::Tile}, std::pair{string_view("<WALLC:"), S::Center},
          std::pair{string_view("<WALLS:"), S::Stretch}}) {
        if (!startsAt(t, p, tag)) continue;
        Field path = fieldAt(t, p + 7);
        return Match{81, SystemSetting{K::Wallpaper, std::move(path.value), 0, 0, 0, style}, path.end, !path.closed};
    }
    if (startsAt(t, p, "<WALLP:")) {
        const auto x = numberAt(t, p + 7, 4);
        const auto y = numberAt(t, p + 12, 4);
        if (x && y && separatorAt(t, p + 11)) {
            Field path = fieldAt(t, p + 16);
            return Match{81, SystemSetting{K::Wallpaper, std::move(path.value), 0, *x, *y, S::Position}, path.end,
                         !path.closed};
        }
    }
    if (startsAt(t, p, "<WBSIZE:")) {
        const auto value = numberAt(t, p + 8, 2);
        if (value && charAt(t, p + 10, '>')) {
            return Match{82, SystemSetting{K::SizingBorder, {}, *value, 0, 0, S::Tile}, p + 11};
        }
    }
    return std::nullopt;
}

Found clipboardTags(string_view t, std::size_t p) {
    using K = Clipboard::Kind;
    if (startsAt(t, p, "<CLIPTYPE>")) return Match{71, Clipboard{K::TypeText, {}, false}, p + 10};
    if (startsAt(t, p, "<CLIPTYPEI>")) return Match{71, Clipboard{K::TypeText, {}, true}, p + 11};
    if (startsAt(t, p, "<BEGCLIP>")) return Match{35, Clipboard{K::StartCopy, {}, false}, p + 9};
    if (startsAt(t, p, "<ENDCLIP>")) return Match{36, Clipboard{K::EndCopy, {}, false}, p + 9};
    if (startsAt(t, p, "<CLIPC>")) return Match{30, Clipboard{K::Copy, {}, false}, p + 7};
    if (startsAt(t, p, "<CLIPP>")) return Match{31, Clipboard{K::Paste, {}, false}, p + 7};
    for (const auto& [tag, kind, command] :
         {std::tuple{string_view("<CLIPF:"), K::FileCopy, 37}, std::tuple{string_view("<CLIPB:"), K::BitmapCopy, 84}}) {
        if (!startsAt(t, p, tag)) continue;
        Field path = fieldAt(t, p + 7);
        return Match{command, Clipboard{kind, std::move(path.value), false}, path.end, !path.closed};
    }
    return std::nullopt;
}

Found cdTags(string_view t, std::size_t p) {
    using K = Cd::Kind;
    struct Tag {
        string_view tag;
        int command;
        K kind;
        bool numbered;
    };
    static constexpr std::array<Tag, 10> kTags = {{
        {"<CDPLAY>", 56, K::Play, false},
        {"<CDSTOP>", 57, K::Stop, false},
        {"<CDPAUSE>", 58, K::Pause, false},
        {"<CDNEXT>", 59, K::Next, false},
        {"<CDPREV>", 60, K::Previous, false},
        {"<CDGOTO:", 61, K::GoTo, true},
        {"<CDSTEP:", 62, K::Step, true},
        {"<CDBACK:", 63, K::Back, true},
        {"<CDEJECT>", 64, K::Eject, false},
        {"<CDCLOSE>", 65, K::Close, false},
    }};
    for (const Tag& c : kTags) {
        if (!startsAt(t, p, c.tag)) continue;
        if (!c.numbered) return Match{c.command, Cd{c.kind, 0}, p + c.tag.size()};
        const auto number = numberAt(t, p + 8, 2);
        if (number && charAt(t, p + 10, '>')) return Match{c.command, Cd{c.kind, *number}, p + 11};
    }
    return std::nullopt;
}

Found mediaTags(string_view t, std::size_t p) {
    using V = Video::Kind;
    for (const auto& [tag, kind] :
         {std::pair{string_view("<AVI:"), V::Open}, std::pair{string_view("<AVII:"), V::PlayAtOnce},
          std::pair{string_view("<AVIE:"), V::PlayAndClose}}) {
        if (!startsAt(t, p, tag)) continue;
        Field path = fieldAt(t, p + tag.size());
        return Match{55, Video{std::move(path.value), kind}, path.end, !path.closed};
    }
    for (const auto& [tag, wait] : {std::pair{string_view("<WAV1:"), true}, std::pair{string_view("<WAV2:"), false}}) {
        if (!startsAt(t, p, tag)) continue;
        Field path = fieldAt(t, p + 6);
        return Match{13, Sound{Sound::Kind::WaveFile, std::move(path.value), wait}, path.end, !path.closed};
    }
    if (startsAt(t, p, "<BEEP>")) return Match{12, Sound{Sound::Kind::Beep, {}, false}, p + 6};
    return std::nullopt;
}

Found speedTags(string_view t, std::size_t p) {
    using K = Speed::Kind;
    if (startsAt(t, p, "<SPEED:")) {
        const auto factor = realAt(t, p + 7, 5);
        if (factor && charAt(t, p + 12, '>')) return Match{50, Speed{K::Playback, 0, *factor}, p + 13};
    }
    for (const auto& [tag, kind, command] :
         {std::tuple{string_view("<SPKEY:"), K::Keystroke, 8}, std::tuple{string_view("<SPMSE:"), K::Mouse, 9}}) {
        if (!startsAt(t, p, tag)) continue;
        const auto ms = numberAt(t, p + 7, 4);
        if (ms && charAt(t, p + 11, '>')) return Match{command, Speed{kind, *ms, 1}, p + 12};
    }
    return std::nullopt;
}

Found fileAndTextTags(string_view t, std::size_t p) {
    using F = FileOp::Kind;
    for (const auto& [tag, kind, command] : {std::tuple{string_view("<CHDIR:"), F::ChangeFolder, 46},
                                             std::tuple{string_view("<MKDIR:"), F::CreateFolder, 98},
                                             std::tuple{string_view("<DELFILE:"), F::Delete, 47}}) {
        if (!startsAt(t, p, tag)) continue;
        Field path = fieldAt(t, p + tag.size());
        return Match{command, FileOp{kind, std::move(path.value), {}}, path.end, !path.closed};
    }
    for (const auto& [tag, kind, command] :
         {std::tuple{string_view("<COPYFILE:"), F::Copy, 48}, std::tuple{string_view("<RENFILE:"), F::Rename, 49}}) {
        if (!startsAt(t, p, tag)) continue;
        // The source (or old name) runs to the next ";", as playback reads it; without one
        // the tag is not a file command.
        const Field source = fieldAt(t, p + tag.size(), ';');
        if (!source.closed) continue;
        Field target = fieldAt(t, source.end);
        return Match{command, FileOp{kind, source.value, std::move(target.value)}, target.end, !target.closed};
    }
    for (const auto& [tag, command] : {std::pair{string_view("<SWAP:"), 14}, std::pair{string_view("<EXPLORE:"), 66},
                                       std::pair{string_view("<DEFPRT:"), 72}}) {
        if (!startsAt(t, p, tag)) continue;
        Field text = fieldAt(t, p + tag.size());
        return Match{command, SingleText{std::move(text.value)}, text.end, !text.closed};
    }
    if (startsAt(t, p, "<SCREEN:")) {
        const auto number = numberAt(t, p + 8, 3);
        if (number && charAt(t, p + 11, '>')) return Match{73, Screen{*number}, p + 12};
    }
    using MK = MacroCommand::Kind;
    for (const auto& [tag, kind, command] :
         {std::tuple{string_view("<MACRUN:"), MK::Run, 51}, std::tuple{string_view("<MACDEL:"), MK::Delete, 95},
          std::tuple{string_view("<MACACT:"), MK::Activate, 96},
          std::tuple{string_view("<MACDEACT:"), MK::Deactivate, 97}}) {
        if (!startsAt(t, p, tag)) continue;
        Field nickname = fieldAt(t, p + tag.size());
        return Match{command, MacroCommand{kind, std::move(nickname.value)}, nickname.end, !nickname.closed};
    }
    if (startsAt(t, p, "<TBOX:<HEAD:")) {
        const Field header = fieldAt(t, p + 12);
        if (header.closed) {
            Field content = fieldAt(t, header.end);
            return Match{54, TextBox{header.value, std::move(content.value)}, content.end, !content.closed};
        }
    }
    return std::nullopt;
}

// "<NAME:" + user + "><PASS:" + password + ">" at `i`, then the last field up to ">".
struct Logon {
    std::string user;
    std::string password;
    Field last;
};

std::optional<Logon> logonAt(string_view t, std::size_t i) {
    if (!startsAt(t, i, "<NAME:")) return std::nullopt;
    const Field user = fieldAt(t, i + 6);
    if (!user.closed || !startsAt(t, user.end, "<PASS:")) return std::nullopt;
    const Field password = fieldAt(t, user.end + 6);
    if (!password.closed) return std::nullopt;
    return Logon{user.value, password.value, fieldAt(t, password.end)};
}

Found networkTags(string_view t, std::size_t p) {
    if (startsAt(t, p, "<HANG>")) return Match{94, DialUp{DialUp::Kind::HangUp, {}, {}, {}}, p + 6};
    if (startsAt(t, p, "<DIAL:")) {
        if (auto logon = logonAt(t, p + 6)) {
            return Match{94, DialUp{DialUp::Kind::Dial, std::move(logon->last.value), logon->user, logon->password},
                         logon->last.end, !logon->last.closed};
        }
    }
    for (const auto& [tag, command] : {std::pair{string_view("<NWT"), 83}, std::pair{string_view("<NWC"), 52}}) {
        if (!startsAt(t, p, tag)) continue;
        std::size_t i = p + 4;
        Network net;
        if (charAt(t, i, 'P')) {
            net.permanent = true;
            ++i;
        }
        if (charAt(t, i, 'S')) {
            net.showStatus = true;
            ++i;
        }
        if (!charAt(t, i, ':')) continue;
        if (auto logon = logonAt(t, i + 1)) {
            net.user = logon->user;
            net.password = logon->password;
            net.drivePath = std::move(logon->last.value);
            return Match{command, std::move(net), logon->last.end, !logon->last.closed};
        }
    }
    if (startsAt(t, p, "<NWD")) {
        std::size_t i = p + 4;
        Network net;
        if (charAt(t, i, 'P')) {
            net.permanent = true;
            ++i;
        }
        if (charAt(t, i, 'F')) {
            net.force = true;
            ++i;
        }
        if (charAt(t, i, 'S')) {
            net.showStatus = true;
            ++i;
        }
        if (charAt(t, i, ':')) {
            Field drive = fieldAt(t, i + 1);
            net.drivePath = std::move(drive.value);
            return Match{53, std::move(net), drive.end, !drive.closed};
        }
    }
    for (const auto& [tag, command] : {std::pair{string_view("<HTTP:"), 43}, std::pair{string_view("<FTP:"), 44},
                                       std::pair{string_view("<REM:"), 29}}) {
        if (!startsAt(t, p, tag)) continue;
        Field text = fieldAt(t, p + tag.size());
        return Match{command, SingleText{std::move(text.value)}, text.end, !text.closed};
    }
    return std::nullopt;
}

Found waitTags(string_view t, std::size_t p) {
    using K = Wait::Kind;
    struct Tag {
        string_view tag;
        int command;
        K kind;
        bool hasText;
        bool yFlag;
    };
    static constexpr std::array<Tag, 10> kTags = {{
        {"<WAITWIN:", 93, K::WindowTitle, true, false},
        {"<WAITWLF:", 99, K::LoseFocus, true, false},
        {"<WAITPROG:", 100, K::ProgramEnd, true, false},
        {"<WAITTXTY:", 102, K::Text, true, true},
        {"<WAITTXTN:", 102, K::Text, true, false},
        {"<WAITPB>", 110, K::Playback, false, false},
        {"<WAITKEY:", 101, K::KeyPress, true, false},
        {"<WAITLM:", 103, K::LeftClick, false, false},
        {"<WAITRM:", 104, K::RightClick, false, false},
        {"<WAITMM:", 105, K::MiddleClick, false, false},
    }};
    for (const Tag& w : kTags) {
        if (!startsAt(t, p, w.tag)) continue;
        if (w.kind == K::Playback) return Match{w.command, Wait{w.kind, {}, 0, false}, p + w.tag.size()};
        const std::size_t i = p + w.tag.size();
        const auto number = numberAt(t, i, 3);
        if (!number) continue;
        if (!w.hasText) {
            if (charAt(t, i + 3, '>')) return Match{w.command, Wait{w.kind, {}, *number, false}, i + 4};
            continue;
        }
        if (!separatorAt(t, i + 3)) continue;
        Field text = fieldAt(t, i + 4);
        return Match{w.command, Wait{w.kind, std::move(text.value), *number, w.yFlag}, text.end, !text.closed};
    }
    if (startsAt(t, p, "<WAITTIME:")) {
        const auto seconds = numberAt(t, p + 10, 8);
        if (seconds && charAt(t, p + 18, '>')) return Match{111, Wait{K::TimeElapse, {}, *seconds, false}, p + 19};
    }
    if (startsAt(t, p, "<TFILE:")) {
        Field path = fieldAt(t, p + 7);
        return Match{15, SingleText{std::move(path.value)}, path.end, !path.closed};
    }
    return std::nullopt;
}

// The program text of a launch tag from `i`, read as playback reads it: up to the next ">";
// when that text holds "<PARAM", the ">" belongs to it and the text runs on to the following
// ">". Path and parameters are split at "<PARAM>". A text that runs to the end of the macro
// while holding "<PARAM" is not read, because its written form could not be read back alike.
bool programAt(string_view t, std::size_t i, Program& program, std::size_t& end, bool& open) {
    const std::size_t close = t.find('>', i);
    std::string_view raw;
    open = false;
    if (close == string_view::npos) {
        raw = t.substr(i);
        if (raw.find("<PARAM") != string_view::npos) return false;
        end = t.size();
        open = true;
    } else {
        raw = t.substr(i, close - i);
        end = close + 1;
        if (raw.find("<PARAM") != string_view::npos) {
            const std::size_t next = t.find('>', close + 1);
            raw = next == string_view::npos ? t.substr(i) : t.substr(i, next - i);
            end = next == string_view::npos ? t.size() : next + 1;
            open = next == string_view::npos;
        }
    }
    const std::size_t marker = raw.find("<PARAM>");
    program.paramMarker = marker != string_view::npos;
    if (marker == string_view::npos) {
        program.path = std::string(raw);
        program.parameters.clear();
    } else {
        program.path = std::string(raw.substr(0, marker));
        program.parameters = std::string(raw.substr(marker + 7));
    }
    return true;
}

Found programTags(string_view t, std::size_t p) {
    using K = Program::Kind;
    if (startsAt(t, p, "<ACTIVATE:")) {
        Field title = fieldAt(t, p + 10);
        Program program;
        program.kind = K::Activate;
        program.title = std::move(title.value);
        return Match{10, std::move(program), title.end, !title.closed};
    }
    if (startsAt(t, p, "<LAUNCH:")) {
        Program program;
        program.kind = K::Launch;
        std::size_t end = 0;
        bool open = false;
        if (programAt(t, p + 8, program, end, open)) return Match{11, std::move(program), end, open};
    }
    if (startsAt(t, p, "<LAUNCHDEL:")) {
        Program program;
        program.kind = K::Launch;
        std::size_t end = 0;
        bool open = false;
        const auto delay = numberAt(t, p + 11, 2);
        if (delay && programAt(t, p + 13, program, end, open)) {
            program.delay = *delay;
            return Match{11, std::move(program), end, open};
        }
    }
    struct Tag {
        string_view tag;
        int command;
        K kind;
        bool maxWait;
    };
    static constexpr std::array<Tag, 4> kTags = {{
        {"<LAUNCHNO:", 34, K::LaunchAndActivate, false},
        {"<LAUNCHYES:", 33, K::ActivateOrLaunch, false},
        {"<LAUNCHNO2:", 34, K::LaunchAndActivate, true},
        {"<LAUNCHYES2:", 33, K::ActivateOrLaunch, true},
    }};
    for (const Tag& l : kTags) {
        if (!startsAt(t, p, l.tag)) continue;
        std::size_t i = p + l.tag.size();
        Program program;
        program.kind = l.kind;
        const auto delay = numberAt(t, i, 2);
        if (!delay) continue;
        program.delay = *delay;
        i += 2;
        if (l.maxWait) {
            const auto wait = numberAt(t, i, 2);
            if (!wait) continue;
            program.maxWait = *wait;
            i += 2;
        }
        const std::size_t launch = t.find('<', i);
        if (launch == string_view::npos || !startsAt(t, launch, "<LAUNCH:")) continue;
        program.title = std::string(t.substr(i, launch - i));
        std::size_t end = 0;
        bool open = false;
        if (programAt(t, launch + 8, program, end, open)) return Match{l.command, std::move(program), end, open};
    }
    return std::nullopt;
}

Found dateTimeTags(string_view t, std::size_t p) {
    if (!charAt(t, p, '<')) return std::nullopt;
    for (std::size_t k = 0; k < kDateFormats.size(); ++k) {
        const std::size_t brace = p + 1 + kDateFormats[k].size();
        if (!startsAt(t, p + 1, kDateFormats[k]) || !charAt(t, brace, '{')) continue;
        const std::size_t i = brace + 1;
        if (!charAt(t, i, 'Y') && !charAt(t, i, 'N')) continue;
        DateTime date{true, static_cast<int>(k + 1), t[i] == 'Y', true, 0};
        if (startsAt(t, i + 1, "}>")) return Match{2, date, i + 3};
        if (!charAt(t, i + 1, 'F') && !charAt(t, i + 1, 'P')) continue;
        const auto days = numberAt(t, i + 2, 3);
        if (days && startsAt(t, i + 5, "}>")) {
            date.future = t[i + 1] == 'F';
            date.dayCount = *days;
            return Match{2, date, i + 7};
        }
    }
    for (std::size_t k = 0; k < kTimeFormats.size(); ++k) {
        const std::size_t brace = p + 1 + kTimeFormats[k].size();
        if (!startsAt(t, p + 1, kTimeFormats[k])) continue;
        if (startsAt(t, brace, "{N}>") || startsAt(t, brace, "{Y}>")) {
            return Match{3, DateTime{false, static_cast<int>(k + 1), t[brace + 1] == 'Y', true, 0}, brace + 4};
        }
    }
    return std::nullopt;
}

// The command recognisers in the order in which they are tried.
Found recognise(string_view t, std::size_t p) {
    using Recogniser = Found (*)(string_view, std::size_t);
    static constexpr Recogniser kOrder[] = {
        [](string_view text, std::size_t at) { return codeTag(text, at, 0, kFirstLateCodeTag); },
        mouseTags,
        pauseAndDelay,
        windowTags,
        repeatTags,
        systemSettingTags,
        clipboardTags,
        cdTags,
        mediaTags,
        [](string_view text, std::size_t at) { return codeTag(text, at, kFirstLateCodeTag, kCodeTags.size()); },
        speedTags,
        fileAndTextTags,
        networkTags,
        waitTags,
        programTags,
        dateTimeTags,
    };
    for (Recogniser r : kOrder) {
        if (Found m = r(t, p)) return m;
    }
    return std::nullopt;
}

}  // namespace

std::vector<ScriptLine> readScriptLines(std::string_view t, std::vector<SourceSpan>* spans) {
    std::vector<ScriptLine> lines;
    if (spans != nullptr) spans->clear();
    std::string run;
    bool runStarted = false;
    std::size_t runBegin = 0;
    auto flush = [&](std::size_t at) {
        if (!runStarted) return;
        lines.push_back(makeLine(1, TextRun{std::move(run)}));
        if (spans != nullptr) spans->push_back({runBegin, at - runBegin});
        run.clear();
        runStarted = false;
    };
    auto appendToRun = [&](std::size_t at, std::size_t length) {
        if (!runStarted) {
            runStarted = true;
            runBegin = at;
        }
        run.append(t.substr(at, length));
    };

    std::size_t p = 0;
    while (p < t.size()) {
        if (t[p] != '<') {
            appendToRun(p, 1);
            ++p;
            continue;
        }
        if (const std::size_t length = runTagLength(t, p); length > 0) {
            appendToRun(p, length);
            p += length;
            continue;
        }
        if (Found m = recognise(t, p)) {
            flush(p);
            lines.push_back(makeLine(m->command, std::move(m->payload)));
            lines.back().openEnd = m->open;
            if (spans != nullptr) spans->push_back({p, m->end - p});
            p = m->end;
            continue;
        }
        appendToRun(p, 1);
        ++p;
    }
    flush(t.size());
    return lines;
}

}  // namespace orv::script
