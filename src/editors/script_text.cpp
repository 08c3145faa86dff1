// Script lines to text and back: what each line shows, and the macro text it is saved as.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "editors/date_time_examples.h"
#include "editors/script_lines.h"
#include "editors/script_forms.h"
#include "engine/command_table.h"
#include "engine/date_time_formats.h"

namespace orv::script {

namespace text {

std::string_view fileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string padded(long long value, int width) { return zeroPadded(value, width); }

namespace {
std::string fixed(double value, int decimals) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}
}  // namespace

std::string fixed2(double value) { return fixed(value, 2); }

std::string fieldReal(double value) {
    constexpr std::size_t kWidth = 5;
    std::string out;
    for (int decimals = 2; decimals >= 0; --decimals) {
        out = fixed(value, decimals);
        if (out.size() <= kWidth) break;
    }
    if (out.size() < kWidth) {
        const std::size_t sign = !out.empty() && out[0] == '-' ? 1 : 0;
        out.insert(sign, kWidth - out.size(), '0');
    }
    return out;
}

std::string shortReal(double value) {
    std::string out = fixed2(value);
    if (out.ends_with(".00")) {
        out.resize(out.size() - 3);
    } else if (out.ends_with('0')) {
        out.pop_back();
    }
    return out;
}

}  // namespace text

namespace {

using text::fileNameOf;
using I = CommandId;

std::string num(long long value) { return std::to_string(value); }

std::string firstFifty(const std::string& s) { return s.substr(0, 50) + (s.size() >= 54 ? "..." : ""); }

std::string_view dateFormat(int n) {
    return n >= 1 && n <= static_cast<int>(kDateFormats.size()) ? kDateFormats[static_cast<std::size_t>(n - 1)] : "";
}
std::string_view timeFormat(int n) {
    return n >= 1 && n <= static_cast<int>(kTimeFormats.size()) ? kTimeFormats[static_cast<std::size_t>(n - 1)] : "";
}

// What the line of a tag without parameters shows after its label.
struct CodeEnding {
    CommandId id;
    std::string_view ending;
};
constexpr std::array<CodeEnding, 57> kCodeEndings = {{
    {I::Audoff, " Off"},
    {I::Audon, " On Full"},
    {I::Audup, " Up"},
    {I::Auddown, " Down"},
    {I::Audmute, ""},
    {I::Audleft, " Left"},
    {I::Audright, " Right"},
    {I::Audcenter, " Centered"},
    {I::Trebup, " Up"},
    {I::Trebdown, " Down"},
    {I::Midioff, " Off"},
    {I::Midion, " On Full"},
    {I::Midiup, " Up"},
    {I::Mididown, " Down"},
    {I::Midimute, ""},
    {I::Midileft, " Left"},
    {I::Midiright, " Right"},
    {I::Midicenter, " Centered"},
    {I::Bassup, " Up"},
    {I::Bassdown, " Down"},
    {I::Ctld, " Down"},
    {I::Ctlu, " Up"},
    {I::Altd, " Down"},
    {I::Altu, " Up"},
    {I::Shfd, " Down"},
    {I::Shfu, " Up"},
    {I::Wind, " Down"},
    {I::Winu, " Up"},
    {I::Logoff, ""},
    {I::Reboot, ""},
    {I::Shutdown, ""},
    {I::Poweroff, ""},
    {I::Cascdesk, ""},
    {I::Tilvdesk, " Vertically"},
    {I::Tilhdesk, " Horizontally"},
    {I::Minidesk, ""},
    {I::Restdesk, ""},
    {I::Suspend, ""},
    {I::Undock, ""},
    {I::Rundt, ": Date and Time"},
    {I::Runfc, ": Find Computer"},
    {I::Runff, ": Find Files"},
    {I::Runrp, ": Run Program"},
    {I::Expcp, ": Control Panel"},
    {I::Expdt, ": DeskTop"},
    {I::Expdp, ": DeskTop Programs"},
    {I::Expfv, ": Favorites"},
    {I::Expft, ": Fonts"},
    {I::Expmc, ": My Computer"},
    {I::Expnw, ": Network Neighborhood"},
    {I::Exppr, ": Printers"},
    {I::Exppf, ": Programs"},
    {I::Exprd, ": Recent Documents"},
    {I::Exprb, ": Recycle Bin"},
    {I::Expsm, ": Start Menu"},
    {I::Expsu, ": Startup Folder"},
    {I::Expud, ": User Documents"},
}};

std::optional<std::string_view> codeEnding(CommandId id) {
    for (const CodeEnding& c : kCodeEndings)
        if (c.id == id) return c.ending;
    return std::nullopt;
}

// The catalogue entry a CodeOnly record names, when it names a tag without parameters.
const CommandEntry* codeSpec(const CodeOnly& c) {
    if (c.code < 0 || c.code >= static_cast<int>(kCommandCatalogue.size())) return nullptr;
    const CommandEntry& entry = kCommandCatalogue[static_cast<std::size_t>(c.code)];
    return codeEnding(entry.id) ? &entry : nullptr;
}

CommandId counterTag(int width) { return kCounterCommands[static_cast<std::size_t>(width - 1)]; }

// The tag each record is written as.
CommandId tagOfPayload(const DateTime& p) { return p.isDate ? I::DateFormat : I::TimeFormat; }
CommandId tagOfPayload(const Delay& p) { return tagFor(forms::kDelay, p.unit); }
CommandId tagOfPayload(const Pause& p) { return tagFor(forms::kPause, p.kind); }
CommandId tagOfPayload(const Repeat& p) {
    return p.kind == Repeat::Kind::Counter ? counterTag(p.count) : tagFor(forms::kRepeat, p.kind);
}
CommandId tagOfPayload(const Speed& p) { return tagFor(forms::kSpeed, p.kind); }
CommandId tagOfPayload(const Program& p) { return tagFor(forms::kProgram, p.kind); }
CommandId tagOfPayload(const Window& p) { return tagFor(forms::kWindow, p.command); }
CommandId tagOfPayload(const WindowGeometry& p) { return tagFor(forms::kGeometry, p.kind); }
CommandId tagOfPayload(const Mouse& p) {
    return p.action == Mouse::Action::Move ? tagFor(forms::kMouseMove, p.mode) : tagFor(forms::kMouseAction, p.action);
}
CommandId tagOfPayload(const Clipboard& p) {
    return p.kind == Clipboard::Kind::TypeText && p.typeTextVariant ? I::Cliptypei : tagFor(forms::kClipboard, p.kind);
}
CommandId tagOfPayload(const MacroCommand& p) { return tagFor(forms::kMacro, p.kind); }
CommandId tagOfPayload(const FileOp& p) { return tagFor(forms::kFile, p.kind); }
CommandId tagOfPayload(const TextBox&) { return I::TextBox; }
CommandId tagOfPayload(const Video& p) { return tagFor(forms::kVideo, p.kind); }
CommandId tagOfPayload(const Sound& p) {
    return p.kind == Sound::Kind::WaveFile && !p.wait ? I::Wav2 : tagFor(forms::kSound, p.kind);
}
CommandId tagOfPayload(const Cd& p) { return tagFor(forms::kCd, p.kind); }
CommandId tagOfPayload(const Screen&) { return I::Screen; }
CommandId tagOfPayload(const SystemSetting& p) {
    return p.kind == SystemSetting::Kind::Wallpaper ? tagFor(forms::kWallpaper, p.style)
                                                    : tagFor(forms::kSetting, p.kind);
}
CommandId tagOfPayload(const Wait& p) {
    return p.kind == Wait::Kind::Text && !p.yFlag ? I::Waittxtn : tagFor(forms::kWait, p.kind);
}
CommandId tagOfPayload(const DialUp& p) { return tagFor(forms::kDialUp, p.kind); }

// The command a record names through its kind; 0 when the label decides (single texts and
// network drives, whose records several commands share), -1 for a record that names none.
int commandNamed(const TextRun&) { return cmd::Text; }
int commandNamed(const SingleText&) { return 0; }
int commandNamed(const Network&) { return 0; }
int commandNamed(const CodeOnly& p) {
    const CommandEntry* entry = codeSpec(p);
    return entry != nullptr ? entry->script : -1;
}
template <typename T>
int commandNamed(const T& p) {
    return commandSpec(tagOfPayload(p)).script;
}

// The tag of a record that several commands share, by the line's command (the first tag for a
// command that has none of them).
CommandId tagOfCommand(int command, std::span<const CommandId> tags) {
    for (CommandId id : tags)
        if (commandSpec(id).script == command) return id;
    return tags[0];
}

// Whether every kind field holds one of its named values (a record filled from elsewhere may
// carry a stray number; it must not index a table).
bool kindsInRange(const Payload& payload) {
    return std::visit(
        [](const auto& p) -> bool {
            using T = std::decay_t<decltype(p)>;
            auto in = [](auto e, int last) { return static_cast<int>(e) >= 0 && static_cast<int>(e) <= last; };
            // Amounts are written as numbers: they must be finite, and milliseconds whole-number sized.
            if constexpr (std::is_same_v<T, Delay>)
                return in(p.unit, 1) && std::isfinite(p.amount) && std::fabs(p.amount) < 1e15;
            if constexpr (std::is_same_v<T, Pause>) return in(p.kind, 1);
            if constexpr (std::is_same_v<T, Repeat>) {
                return in(p.kind, 3) && (p.kind != Repeat::Kind::Counter || (p.count >= 1 && p.count <= 4));
            }
            if constexpr (std::is_same_v<T, Speed>) return in(p.kind, 2) && std::isfinite(p.factor);
            if constexpr (std::is_same_v<T, Program>) return in(p.kind, 3);
            if constexpr (std::is_same_v<T, Window>) return in(p.command, 6);
            if constexpr (std::is_same_v<T, WindowGeometry>) return in(p.kind, 1);
            if constexpr (std::is_same_v<T, Mouse>) return in(p.action, 14) && in(p.mode, 3);
            if constexpr (std::is_same_v<T, Clipboard>) return in(p.kind, 6);
            if constexpr (std::is_same_v<T, MacroCommand>) return in(p.kind, 3);
            if constexpr (std::is_same_v<T, FileOp>) return in(p.kind, 4);
            if constexpr (std::is_same_v<T, Video>) return in(p.kind, 2);
            if constexpr (std::is_same_v<T, Sound>) return in(p.kind, 1);
            if constexpr (std::is_same_v<T, Cd>) return in(p.kind, 9);
            if constexpr (std::is_same_v<T, SystemSetting>) return in(p.kind, 6) && in(p.style, 3);
            if constexpr (std::is_same_v<T, Wait>) return in(p.kind, 9);
            if constexpr (std::is_same_v<T, DialUp>) return in(p.kind, 1);
            if constexpr (std::is_same_v<T, DateTime>) {
                return p.format >= 1 &&
                       p.format <= static_cast<int>(p.isDate ? kDateFormats.size() : kTimeFormats.size());
            }
            return true;
        },
        payload);
}

std::string speedText(double factor) {
    if (factor == 1) return ": Normal Speed";
    if (factor > 1) return ": " + text::shortReal(factor) + " Times Slower Than Normal";
    // Playback skips the waits for a factor of 0 and, in effect, for a negative one too.
    if (factor <= 0) return ": No Speed";
    return ": " + text::shortReal(1 / factor) + " Times Faster Than Normal";
}

std::string titlePart(const std::string& title, bool current) {
    return current ? std::string(" - Current Win") : " - \"" + title + "\"";
}

std::string windowTitleField(const std::string& title, bool current) {
    return current ? std::string(kCurrentWindowTitle) : title;
}

std::string programText(const Program& p) {
    return p.parameters.empty() && !p.paramMarker ? p.path : p.path + std::string(kParamTag) + p.parameters;
}

bool fitsWidth(int value, int width) { return static_cast<int>(std::to_string(value).size()) <= width; }

// --- what each line shows after its label ---

std::string describe(const TextRun& p, int) { return ": " + firstFifty(p.text); }

std::string describe(const DateTime& p, int) {
    const auto f = static_cast<std::size_t>(p.format - 1);
    if (!p.isDate) return ": " + std::string(timeFormat(p.format)) + "  (" + std::string(kTimeExamples[f]) + ")";
    std::string offset;
    if (p.dayCount != 0) {
        offset =
            " (" + num(p.dayCount) + (p.dayCount == 1 ? " day" : " days") + (p.future ? " in future)" : " in past)");
    }
    return offset + ": " + std::string(dateFormat(p.format)) + "  (" + std::string(kDateExamples[f]) + ")";
}

std::string describe(const Delay& p, int) {
    if (p.unit == Delay::Unit::Milliseconds) return " " + num(static_cast<long long>(p.amount)) + " Milliseconds";
    return " " + text::fixed2(p.amount) + " Seconds";
}

std::string describe(const Pause& p, int) { return p.kind == Pause::Kind::Basic ? ": Basic" : ": Complex"; }

std::string describe(const Repeat& p, int) {
    switch (p.kind) {
        case Repeat::Kind::Counted:
            if (p.olderForm) return ": " + num(p.count);
            return ": " + num(p.count) + " Times, Starting at " + num(p.start) + " Stepping by " + num(p.step);
        case Repeat::Kind::Prompted:
            return ": (prompt for repeat count at macro play time)";
        case Repeat::Kind::Counter:
            return ": Width " + num(p.count);
        case Repeat::Kind::End:
            break;
    }
    return "";
}

std::string describe(const Speed& p, int) {
    if (p.kind == Speed::Kind::Playback) return speedText(p.factor);
    return ": " + num(p.milliseconds) + " Milliseconds";
}

std::string describe(const Program& p, int) {
    if (p.kind == Program::Kind::Activate) return ": \"" + p.title + "\"";
    return ": " + std::string(fileNameOf(p.path));
}

std::string describe(const Window& p, int) {
    return p.currentWindow ? std::string(" - Current Win") : " - Window Title: " + p.title;
}

std::string describe(const WindowGeometry& p, int) {
    if (p.kind == WindowGeometry::Kind::Resize) {
        return titlePart(p.title, p.currentWindow) + " (Width: " + num(p.first) + " Height: " + num(p.second) + ")";
    }
    return titlePart(p.title, p.currentWindow) + " (Left: " + num(p.first) + " Top: " + num(p.second) + ")";
}

std::string describe(const Mouse& p, int) {
    using A = Mouse::Action;
    static constexpr std::string_view kModes[] = {" Screen ", " Window ", " Position "};
    static constexpr std::string_view kEndings[] = {" Down", " Up", " Click", " Double Click"};
    switch (p.action) {
        case A::Move:
            if (p.mode == Mouse::MoveMode::Caret) return " To Caret";
            return std::string(kModes[static_cast<int>(p.mode)]) + num(p.x) + "," + num(p.y);
        case A::WheelForward:
            return " " + num(p.clicks) + " Clicks Forward";
        case A::WheelBackward:
            return " " + num(p.clicks) + " Clicks Backward";
        default:
            return std::string(kEndings[(static_cast<int>(p.action) - 1) % 4]);
    }
}

std::string describe(const Clipboard& p, int) {
    if (p.kind == Clipboard::Kind::FileCopy || p.kind == Clipboard::Kind::BitmapCopy) {
        return ": " + std::string(fileNameOf(p.path));
    }
    return "";
}

std::string describe(const MacroCommand& p, int) { return ": " + p.nickname; }

std::string describe(const SingleText& p, int command) {
    if (command == cmd::LoadNewMacroFile || command == cmd::LoadTextFile) return ": " + std::string(fileNameOf(p.text));
    if (command == cmd::Remark && p.text.size() > 43) return ": " + p.text.substr(0, 40) + "...";
    return ": " + p.text;
}

std::string describe(const FileOp& p, int) {
    if (p.kind == FileOp::Kind::ChangeFolder || p.kind == FileOp::Kind::CreateFolder) return ": " + p.first;
    return ": " + std::string(fileNameOf(p.first));
}

std::string describe(const Network& p, int command) {
    if (command == cmd::NetworkDisconnect) return ": " + p.drivePath;
    const std::string drive = p.drivePath.substr(0, 2);
    const std::string rest = p.drivePath.size() > 2 ? p.drivePath.substr(2) : std::string();
    return ": " + drive + " to " + rest;
}

std::string describe(const TextBox& p, int) { return ": " + firstFifty(p.content); }

std::string describe(const Video& p, int) { return ": " + std::string(fileNameOf(p.path)); }

std::string describe(const Sound& p, int) {
    if (p.kind == Sound::Kind::Beep) return "";
    return ": " + std::string(fileNameOf(p.path));
}

std::string describe(const Cd& p, int) {
    switch (p.kind) {
        case Cd::Kind::GoTo:
            return " " + num(p.number);
        case Cd::Kind::Step:
            return " Forward " + num(p.number) + " Seconds";
        case Cd::Kind::Back:
            return " Up " + num(p.number) + " Seconds";
        default:
            return "";
    }
}

std::string describe(const CodeOnly& p, int) { return std::string(*codeEnding(codeSpec(p)->id)); }

std::string describe(const Screen&, int) { return ""; }

std::string describe(const SystemSetting& p, int) {
    switch (p.kind) {
        case SystemSetting::Kind::SaverOn:
            return " On";
        case SystemSetting::Kind::SaverOff:
            return " Off";
        case SystemSetting::Kind::SaverTimer:
            return " Timer Set To " + num(p.number) + " Minutes";
        case SystemSetting::Kind::Wallpaper:
            return ": " + std::string(fileNameOf(p.path));
        default:
            return "";
    }
}

std::string describe(const Wait& p, int) {
    switch (p.kind) {
        case Wait::Kind::WindowTitle:
        case Wait::Kind::LoseFocus:
        case Wait::Kind::ProgramEnd:
        case Wait::Kind::Text:
            return ": " + p.text;
        case Wait::Kind::TimeElapse:
            return ": " + num(p.number / 60) + " Minutes " + num(p.number % 60) + " Seconds";
        default:
            return "";
    }
}

std::string describe(const DialUp& p, int) {
    if (p.kind == DialUp::Kind::HangUp) return ": Hang Up";
    return ": Dial " + p.connection;
}

// --- the macro text each line is saved as ---

std::string written(const TextRun& p, int) { return p.text; }

std::string written(const DateTime& p, int) {
    const auto format = static_cast<std::size_t>(p.format - 1);
    if (!p.isDate) return composeTimeTag(format, p.leadingZeros);
    return composeDateTag(format, p.leadingZeros, p.future, p.dayCount);
}

std::string written(const Delay& p, int) {
    if (p.unit == Delay::Unit::Milliseconds) return composeTag(I::Msd, {static_cast<long long>(p.amount)});
    return composeTagFields(I::Delay, {text::fieldReal(p.amount)});
}

std::string written(const Pause& p, int) {
    if (p.kind == Pause::Kind::Basic) return composeTag(I::Pause);
    return composeTag(I::PauseAt, {p.top, p.left}, p.message);
}

std::string written(const Repeat& p, int) {
    if (p.kind == Repeat::Kind::Counted) return composeTag(I::Rep, {p.count, p.start, p.step});
    return composeTag(tagOfPayload(p));
}

std::string written(const Speed& p, int) {
    if (p.kind == Speed::Kind::Playback) return composeTagFields(I::Speed, {text::fieldReal(p.factor)});
    return composeTag(tagOfPayload(p), {p.milliseconds});
}

std::string written(const Program& p, int) {
    const CommandId id = tagOfPayload(p);
    if (p.kind == Program::Kind::Activate) return composeTag(id, {}, p.title);
    if (p.kind == Program::Kind::Launch) return composeTag(id, {p.delay}, programText(p));
    return composeTag(id, {p.delay, p.maxWait}, p.title + std::string(tagOf(I::Launch)) + programText(p));
}

std::string written(const Window& p, int) {
    return composeTag(tagOfPayload(p), {}, windowTitleField(p.title, p.currentWindow));
}

std::string written(const WindowGeometry& p, int) {
    const std::string title = windowTitleField(p.title, p.currentWindow);
    // A position that does not fit the four characters of "<WPOS:" (below -999, above 9999) is
    // written in the five-character form that playback also reads.
    const bool wide = p.kind == WindowGeometry::Kind::Reposition && (!fitsWidth(p.first, 4) || !fitsWidth(p.second, 4));
    return composeTag(wide ? I::Wpos2 : tagOfPayload(p), {p.first, p.second}, title);
}

std::string written(const Mouse& p, int) {
    switch (p.action) {
        case Mouse::Action::Move:
            return composeTag(tagOfPayload(p), {p.x, p.y});
        case Mouse::Action::WheelForward:
        case Mouse::Action::WheelBackward:
            return composeTag(tagOfPayload(p), {p.clicks});
        default:
            return composeTag(tagOfPayload(p));
    }
}

std::string written(const Clipboard& p, int) { return composeTag(tagOfPayload(p), {}, p.path); }

std::string written(const MacroCommand& p, int) { return composeTag(tagOfPayload(p), {}, p.nickname); }

std::string written(const SingleText& p, int command) {
    return composeTag(tagOfCommand(command, forms::kSingleText), {}, p.text);
}

std::string written(const FileOp& p, int) {
    const CommandId id = tagOfPayload(p);
    if (p.kind == FileOp::Kind::Copy || p.kind == FileOp::Kind::Rename)
        return composeTag(id, {}, p.first + ";" + p.second);
    return composeTag(id, {}, p.first);
}

std::string written(const Network& p, int command) {
    const CommandId id = tagOfCommand(command, forms::kNetwork);
    const std::string start = composeNetworkStart(id, p.permanent, p.force, p.showStatus);
    if (id == I::Nwd) return start + p.drivePath + ">";
    return start + composeLogon(p.user, p.password) + p.drivePath + ">";
}

std::string written(const TextBox& p, int) { return composeTag(I::TextBox, {}, p.header + ">" + p.content); }

std::string written(const Video& p, int) { return composeTag(tagOfPayload(p), {}, p.path); }

std::string written(const Sound& p, int) { return composeTag(tagOfPayload(p), {}, p.path); }

std::string written(const Cd& p, int) { return composeTag(tagOfPayload(p), {p.number}); }

std::string written(const CodeOnly& p, int) { return std::string(codeSpec(p)->tag); }

std::string written(const Screen& p, int) { return composeTag(I::Screen, {p.number}); }

std::string written(const SystemSetting& p, int) {
    if (p.kind == SystemSetting::Kind::Wallpaper) return composeTag(tagOfPayload(p), {p.x, p.y}, p.path);
    return composeTag(tagOfPayload(p), {p.number});
}

std::string written(const Wait& p, int) { return composeTag(tagOfPayload(p), {p.number}, p.text); }

std::string written(const DialUp& p, int) {
    if (p.kind == DialUp::Kind::HangUp) return composeTag(I::Hang);
    return composeDialTag(p.user, p.password, p.connection);
}

}  // namespace

bool payloadFits(int command, const Payload& payload) {
    if (command < 1 || command > static_cast<int>(kCommandCount) || !kindsInRange(payload)) return false;
    if (std::holds_alternative<SingleText>(payload)) {
        return std::ranges::any_of(forms::kSingleText, [&](CommandId id) { return commandSpec(id).script == command; });
    }
    if (std::holds_alternative<Network>(payload)) {
        return std::ranges::any_of(forms::kNetwork, [&](CommandId id) { return commandSpec(id).script == command; });
    }
    return std::visit([](const auto& p) { return commandNamed(p); }, payload) == command;
}

std::string describeLine(int command, const Payload& payload) {
    return std::string(commandLabel(command)) +
           std::visit([&](const auto& p) { return describe(p, command); }, payload);
}

std::string writtenForm(int command, const Payload& payload) {
    return std::visit([&](const auto& p) { return written(p, command); }, payload);
}

std::string scriptTextOf(const std::vector<ScriptLine>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string form = writtenForm(commandOfLine(lines[i].text), lines[i].payload);
        // A tag that ran to the end of the text it was read from stays without its closing
        // ">" while it is still the last line: adding one could complete some earlier,
        // unfinished tag of the text and change how the text reads.
        if (i + 1 == lines.size() && lines[i].openEnd && form.ends_with('>')) form.pop_back();
        text += form;
    }
    return text;
}

ScriptLine makeLine(int command, Payload payload) {
    if (!payloadFits(command, payload)) {
        throw std::invalid_argument("script line: parameters do not belong to command " + std::to_string(command));
    }
    std::string display = describeLine(command, payload);
    return ScriptLine{std::move(display), std::move(payload), false};
}

}  // namespace orv::script
