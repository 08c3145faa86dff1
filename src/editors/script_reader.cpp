// Macro text to script lines: at every "<" the tag standing there is looked up in the
// macro-language catalogue and its parameters are read by its layout; runs of text lie between
// the commands.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "editors/script_forms.h"
#include "editors/script_lines.h"
#include "engine/command_table.h"

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

// The one-character separator between two fields: any character but "<" and ">", which saving
// replaces with its own separator. Those two are left alone because other tags are delimited
// by them: rewriting one could change how the text around the tag reads.
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

// A tag's fixed fields read by its layout, and its text parameter up to ">" when it has one.
struct Parsed {
    std::array<int, 3> n{};
    double decimal = 0;
    std::size_t textStart = 0;  // where the text parameter begins
    Field text;
    std::size_t end = 0;
    bool open = false;
};

// Reads field i of the tag at `p`; false when it is not a number of its width.
bool readField(const TagField& field, string_view t, std::size_t p, Parsed& out, std::size_t i) {
    if (field.kind == FieldKind::Decimal) {
        const auto value = realAt(t, p + field.at, field.width);
        if (value) out.decimal = *value;
        return value.has_value();
    }
    const auto value = numberAt(t, p + field.at, field.width);
    if (value) out.n[i] = *value;
    return value.has_value();
}

std::optional<Parsed> parseTag(const CommandEntry& e, string_view t, std::size_t p) {
    const TagLayout& l = e.layout;
    Parsed out;
    std::size_t fieldEnd = e.tag.size();
    for (std::size_t i = 0; i < l.fieldCount; ++i) {
        const TagField& field = l.fields[i];
        if (field.at > fieldEnd && !separatorAt(t, p + fieldEnd)) return std::nullopt;
        if (!readField(field, t, p, out, i)) return std::nullopt;
        fieldEnd = field.at + field.width;
    }
    if (l.close != 0) {
        if (!charAt(t, p + l.close, '>')) return std::nullopt;
        out.end = p + l.close + 1;
    } else if (l.hasText()) {
        if (l.fieldCount > 0 && l.text > fieldEnd && !separatorAt(t, p + fieldEnd)) return std::nullopt;
        out.textStart = p + l.text;
        out.text = fieldAt(t, out.textStart);
        out.end = out.text.end;
        out.open = !out.text.closed;
    } else {
        out.end = p + e.tag.size();
    }
    return out;
}

Match lineOf(const CommandEntry& e, Payload payload, const Parsed& f) {
    return Match{e.script, std::move(payload), f.end, f.open};
}

std::string windowTitleOf(const Field& text) { return text.value == kCurrentWindowTitle ? std::string() : text.value; }

// "<NAME:" + user + "><PASS:" + password + ">" at `i`, then the last field up to ">".
struct Logon {
    std::string user;
    std::string password;
    Field last;
};

std::optional<Logon> logonAt(string_view t, std::size_t i) {
    if (!startsAt(t, i, kNameTag)) return std::nullopt;
    const Field user = fieldAt(t, i + kNameTag.size());
    if (!user.closed || !startsAt(t, user.end, kPassTag)) return std::nullopt;
    const Field password = fieldAt(t, user.end + kPassTag.size());
    if (!password.closed) return std::nullopt;
    return Logon{user.value, password.value, fieldAt(t, password.end)};
}

Found readDialUp(const CommandEntry& e, string_view t, std::size_t p) {
    if (e.id == CommandId::Hang) return Match{e.script, DialUp{DialUp::Kind::HangUp, {}, {}, {}}, p + e.tag.size()};
    auto logon = logonAt(t, p + e.tag.size() - kNameTag.size());
    if (!logon) return std::nullopt;
    return Match{e.script, DialUp{DialUp::Kind::Dial, std::move(logon->last.value), logon->user, logon->password},
                 logon->last.end, !logon->last.closed};
}

// The flags after a network tag, in their fixed order, each at most once.
std::size_t readFlag(string_view t, std::size_t i, char flag, bool& on) {
    on = charAt(t, i, flag);
    return on ? i + 1 : i;
}

Found readNetwork(const CommandEntry& e, string_view t, std::size_t p) {
    Network net;
    std::size_t i = readFlag(t, p + e.tag.size(), kPermanentFlag, net.permanent);
    if (e.id == CommandId::Nwd) i = readFlag(t, i, kForceFlag, net.force);
    i = readFlag(t, i, kStatusFlag, net.showStatus);
    if (!charAt(t, i, ':')) return std::nullopt;
    if (e.id == CommandId::Nwd) {
        Field drive = fieldAt(t, i + 1);
        net.drivePath = std::move(drive.value);
        return Match{e.script, std::move(net), drive.end, !drive.closed};
    }
    auto logon = logonAt(t, i + 1);
    if (!logon) return std::nullopt;
    net.user = logon->user;
    net.password = logon->password;
    net.drivePath = std::move(logon->last.value);
    return Match{e.script, std::move(net), logon->last.end, !logon->last.closed};
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
        if (raw.find(kParamStart) != string_view::npos) return false;
        end = t.size();
        open = true;
    } else {
        raw = t.substr(i, close - i);
        end = close + 1;
        if (raw.find(kParamStart) != string_view::npos) {
            const std::size_t next = t.find('>', close + 1);
            raw = next == string_view::npos ? t.substr(i) : t.substr(i, next - i);
            end = next == string_view::npos ? t.size() : next + 1;
            open = next == string_view::npos;
        }
    }
    const std::size_t marker = raw.find(kParamTag);
    program.paramMarker = marker != string_view::npos;
    program.path = std::string(marker == string_view::npos ? raw : raw.substr(0, marker));
    program.parameters =
        marker == string_view::npos ? std::string() : std::string(raw.substr(marker + kParamTag.size()));
    return true;
}

Found readProgram(const CommandEntry& e, Program::Kind kind, string_view t, std::size_t p) {
    const auto f = parseTag(e, t, p);
    if (!f) return std::nullopt;
    Program program;
    program.kind = kind;
    if (kind == Program::Kind::Activate) {
        program.title = f->text.value;
        return lineOf(e, std::move(program), *f);
    }
    std::size_t from = f->textStart;
    if (e.layout.fieldCount > 0) program.delay = f->n[0];
    if (kind != Program::Kind::Launch) {
        // The title to wait for runs up to the "<LAUNCH:" of the program.
        if (e.layout.fieldCount > 1) program.maxWait = f->n[1];
        const std::size_t launch = t.find('<', from);
        if (launch == string_view::npos || !startsAt(t, launch, tagOf(CommandId::Launch))) return std::nullopt;
        program.title = std::string(t.substr(from, launch - from));
        from = launch + tagOf(CommandId::Launch).size();
    }
    std::size_t end = 0;
    bool open = false;
    if (!programAt(t, from, program, end, open)) return std::nullopt;
    return Match{e.script, std::move(program), end, open};
}

Found readFileOp(const CommandEntry& e, FileOp::Kind kind, const Parsed& f, string_view t) {
    if (kind != FileOp::Kind::Copy && kind != FileOp::Kind::Rename) return lineOf(e, FileOp{kind, f.text.value, {}}, f);
    // The source (or old name) runs to the next ";", as playback reads it; without one the
    // tag is not a file command.
    const Field source = fieldAt(t, f.textStart, ';');
    if (!source.closed) return std::nullopt;
    Field target = fieldAt(t, source.end);
    return Match{e.script, FileOp{kind, source.value, std::move(target.value)}, target.end, !target.closed};
}

Found readTextBox(const CommandEntry& e, string_view t, std::size_t p) {
    const Field header = fieldAt(t, p + e.layout.text);
    if (!header.closed) return std::nullopt;
    Field content = fieldAt(t, header.end);
    return Match{e.script, TextBox{header.value, std::move(content.value)}, content.end, !content.closed};
}

Found readDate(const CommandEntry& e, string_view t, std::size_t p) {
    const std::size_t i = p + e.tag.size();
    if (!charAt(t, i, kZerosFlag) && !charAt(t, i, kNoZerosFlag)) return std::nullopt;
    DateTime date{true, e.arg + 1, t[i] == kZerosFlag, true, 0};
    if (startsAt(t, i + 1, kDateTimeClose)) return Match{e.script, date, i + 1 + kDateTimeClose.size()};
    if (!charAt(t, i + 1, kFutureFlag) && !charAt(t, i + 1, kPastFlag)) return std::nullopt;
    const auto days = numberAt(t, i + 2, kDayCountWidth);
    const std::size_t close = i + 2 + kDayCountWidth;
    if (!days || !startsAt(t, close, kDateTimeClose)) return std::nullopt;
    date.future = t[i + 1] == kFutureFlag;
    date.dayCount = *days;
    return Match{e.script, date, close + kDateTimeClose.size()};
}

Found readTime(const CommandEntry& e, string_view t, std::size_t p) {
    const std::size_t i = p + e.tag.size();
    if ((!charAt(t, i, kNoZerosFlag) && !charAt(t, i, kZerosFlag)) || !startsAt(t, i + 1, kDateTimeClose))
        return std::nullopt;
    return Match{e.script, DateTime{false, e.arg + 1, t[i] == kZerosFlag, true, 0}, i + 1 + kDateTimeClose.size()};
}

// The parameters of the tags whose payload follows from their fixed fields and text alone.
std::optional<Payload> simplePayload(const CommandEntry& e, const Parsed& f) {
    using namespace forms;
    const CommandId id = e.id;
    if (const auto k = kindOf(kDelay, id))
        return Delay{*k, *k == Delay::Unit::Seconds ? f.decimal : static_cast<double>(f.n[0])};
    if (const auto k = kindOf(kPause, id)) return Pause{*k, f.n[0], f.n[1], f.text.value};
    if (const auto k = kindOf(kSpeed, id)) return Speed{*k, f.n[0], *k == Speed::Kind::Playback ? f.decimal : 1};
    if (const auto k = kindOf(kWindow, id))
        return Window{windowTitleOf(f.text), f.text.value == kCurrentWindowTitle, *k};
    if (const auto k = kindOf(kGeometry, id))
        return WindowGeometry{windowTitleOf(f.text), f.text.value == kCurrentWindowTitle, *k, f.n[0], f.n[1]};
    if (const auto k = kindOf(kMouseMove, id)) return Mouse{f.n[0], f.n[1], 0, Mouse::Action::Move, *k};
    if (const auto k = kindOf(kMouseAction, id)) return Mouse{0, 0, f.n[0], *k, {}};
    if (const auto k = kindOf(kClipboard, id)) return Clipboard{*k, f.text.value, id == CommandId::Cliptypei};
    if (const auto k = kindOf(kMacro, id)) return MacroCommand{*k, f.text.value};
    if (const auto k = kindOf(kVideo, id)) return Video{f.text.value, *k};
    if (const auto k = kindOf(kSound, id)) return Sound{*k, f.text.value, id == CommandId::Wav1};
    if (const auto k = kindOf(kCd, id)) return Cd{*k, f.n[0]};
    if (const auto k = kindOf(kSetting, id)) return SystemSetting{*k, {}, f.n[0], 0, 0, SystemSetting::Style::Tile};
    if (const auto k = kindOf(kWallpaper, id))
        return SystemSetting{SystemSetting::Kind::Wallpaper, f.text.value, 0, f.n[0], f.n[1], *k};
    if (const auto k = kindOf(kWait, id)) return Wait{*k, f.text.value, f.n[0], id == CommandId::Waittxty};
    if (id == CommandId::Screen) return Screen{f.n[0]};
    for (CommandId single : kSingleText)
        if (id == single) return SingleText{f.text.value};
    return std::nullopt;
}

Payload repeatPayload(const CommandEntry& e, Repeat::Kind kind, const Parsed& f) {
    switch (kind) {
        case Repeat::Kind::Counted:
            if (e.id == CommandId::Repeat) return Repeat{kind, f.n[0], 1, 1, true};
            return Repeat{kind, f.n[0], f.n[1], f.n[2], false};
        case Repeat::Kind::Counter:
            return Repeat{kind, static_cast<int>(e.tag.size()) - 2, 1, 1, false};
        default:
            return Repeat{kind, 0, 1, 1, false};
    }
}

// The line of the command whose tag `e` stands at `p`, when its parameters have its shape.
Found readCommand(const CommandEntry& e, string_view t, std::size_t p) {
    using namespace forms;
    if (e.id == CommandId::DateFormat) return readDate(e, t, p);
    if (e.id == CommandId::TimeFormat) return readTime(e, t, p);
    if (const auto k = kindOf(kProgram, e.id)) return readProgram(e, *k, t, p);
    if (e.id == CommandId::TextBox) return readTextBox(e, t, p);
    if (hasTag(kDialUp, e.id)) return readDialUp(e, t, p);
    for (CommandId net : kNetwork)
        if (e.id == net) return readNetwork(e, t, p);
    const auto f = parseTag(e, t, p);
    if (!f) return std::nullopt;
    if (const auto k = kindOf(kFile, e.id)) return readFileOp(e, *k, *f, t);
    if (const auto k = kindOf(kRepeat, e.id)) return lineOf(e, repeatPayload(e, *k, *f), *f);
    if (auto payload = simplePayload(e, *f)) return lineOf(e, std::move(*payload), *f);
    // The remaining commands are tags without parameters.
    const auto code = static_cast<int>(&e - commandTable().data());
    return lineOf(e, CodeOnly{code}, *f);
}

// The catalogue entry whose tag text stands at `p`, or null.
const CommandEntry* tagAt(string_view t, std::size_t p) {
    if (p + 1 >= t.size()) return nullptr;
    const auto all = commandTable();
    for (std::uint16_t i : commandCandidates(static_cast<unsigned char>(t[p + 1]))) {
        if (startsAt(t, p, all[i].tag)) return &all[i];
    }
    return nullptr;
}

// The length of the key tag at `p` that stays inside a run of text, or 0.
std::size_t runTagLength(const CommandEntry* e, string_view t, std::size_t p) {
    if (e == nullptr || e->script != ScriptCommand::Text) return 0;
    if (e->layout.close != 0 && !charAt(t, p + e->layout.close, '>')) return 0;
    return e->layout.end(e->tag.size());
}

Found recognise(const CommandEntry* e, string_view t, std::size_t p) {
    if (e == nullptr || e->script == ScriptCommand::None || e->script == ScriptCommand::Text) return std::nullopt;
    return readCommand(*e, t, p);
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
        lines.push_back(makeLine(cmd::Text, TextRun{std::move(run)}));
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
        const CommandEntry* tag = t[p] == '<' ? tagAt(t, p) : nullptr;
        if (const std::size_t length = runTagLength(tag, t, p); length > 0) {
            appendToRun(p, length);
            p += length;
            continue;
        }
        if (Found m = recognise(tag, t, p)) {
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
