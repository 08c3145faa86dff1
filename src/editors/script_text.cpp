// Script lines to text and back: what each line shows, and the macro text it is saved as.
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "editors/date_time_examples.h"
#include "editors/script_lines.h"
#include "engine/date_time_formats.h"

namespace orv::script {

namespace text {

std::string_view fileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string padded(long long value, int width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    const std::size_t sign = value < 0 ? 1 : 0;
    if (digits.size() + sign < static_cast<std::size_t>(width)) {
        digits.insert(0, static_cast<std::size_t>(width) - sign - digits.size(), '0');
    }
    return value < 0 ? "-" + digits : digits;
}

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
using text::padded;

std::string num(long long value) { return std::to_string(value); }

std::string firstFifty(const std::string& s) { return s.substr(0, 50) + (s.size() >= 54 ? "..." : ""); }

std::string_view dateFormat(int n) {
    return n >= 1 && n <= static_cast<int>(kDateFormats.size()) ? kDateFormats[static_cast<std::size_t>(n - 1)] : "";
}
std::string_view timeFormat(int n) {
    return n >= 1 && n <= static_cast<int>(kTimeFormats.size()) ? kTimeFormats[static_cast<std::size_t>(n - 1)] : "";
}

bool codeFits(int command, const CodeOnly& c) {
    return c.code >= 0 && c.code < static_cast<int>(kCodeTags.size()) &&
           kCodeTags[static_cast<std::size_t>(c.code)].command == command;
}

// The command that a record names through its kind, or 0 when the label decides.
int commandNamedBy(const Payload& payload) {
    return std::visit(
        [](const auto& p) -> int {
            using T = std::decay_t<decltype(p)>;
            if constexpr (std::is_same_v<T, TextRun>) {
                return 1;
            } else if constexpr (std::is_same_v<T, DateTime>) {
                return p.isDate ? 2 : 3;
            } else if constexpr (std::is_same_v<T, Delay>) {
                return 4;
            } else if constexpr (std::is_same_v<T, Pause>) {
                return 5;
            } else if constexpr (std::is_same_v<T, Repeat>) {
                constexpr int kByKind[] = {6, 45, 7, 32};
                return kByKind[static_cast<int>(p.kind)];
            } else if constexpr (std::is_same_v<T, Speed>) {
                constexpr int kByKind[] = {8, 9, 50};
                return kByKind[static_cast<int>(p.kind)];
            } else if constexpr (std::is_same_v<T, Program>) {
                constexpr int kByKind[] = {10, 11, 34, 33};
                return kByKind[static_cast<int>(p.kind)];
            } else if constexpr (std::is_same_v<T, Window>) {
                constexpr int kByCommand[] = {18, 19, 20, 21, 22, 23, 38};
                return kByCommand[static_cast<int>(p.command)];
            } else if constexpr (std::is_same_v<T, WindowGeometry>) {
                return p.kind == WindowGeometry::Kind::Resize ? 16 : 17;
            } else if constexpr (std::is_same_v<T, Mouse>) {
                const int a = static_cast<int>(p.action);
                if (a == 0) return 24;
                if (a <= 4) return 25;
                if (a <= 8) return 26;
                if (a <= 12) return 27;
                return 28;
            } else if constexpr (std::is_same_v<T, Clipboard>) {
                constexpr int kByKind[] = {30, 31, 35, 36, 37, 71, 84};
                return kByKind[static_cast<int>(p.kind)];
            } else if constexpr (std::is_same_v<T, MacroCommand>) {
                constexpr int kByKind[] = {51, 95, 96, 97};
                return kByKind[static_cast<int>(p.kind)];
            } else if constexpr (std::is_same_v<T, FileOp>) {
                constexpr int kByKind[] = {46, 48, 49, 47, 98};
                return kByKind[static_cast<int>(p.kind)];
            } else if constexpr (std::is_same_v<T, TextBox>) {
                return 54;
            } else if constexpr (std::is_same_v<T, Video>) {
                return 55;
            } else if constexpr (std::is_same_v<T, Sound>) {
                return p.kind == Sound::Kind::Beep ? 12 : 13;
            } else if constexpr (std::is_same_v<T, Cd>) {
                return 56 + static_cast<int>(p.kind);
            } else if constexpr (std::is_same_v<T, CodeOnly>) {
                return p.code >= 0 && p.code < static_cast<int>(kCodeTags.size())
                           ? kCodeTags[static_cast<std::size_t>(p.code)].command
                           : -1;
            } else if constexpr (std::is_same_v<T, Screen>) {
                return 73;
            } else if constexpr (std::is_same_v<T, SystemSetting>) {
                constexpr int kByKind[] = {78, 78, 78, 80, 79, 81, 82};
                return kByKind[static_cast<int>(p.kind)];
            } else if constexpr (std::is_same_v<T, Wait>) {
                constexpr int kByKind[] = {93, 99, 100, 101, 102, 103, 104, 105, 110, 111};
                return kByKind[static_cast<int>(p.kind)];
            } else if constexpr (std::is_same_v<T, DialUp>) {
                return 94;
            } else {
                return 0;  // SingleText, Network: the label decides
            }
        },
        payload);
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
    return current ? std::string("\"CURRENT\"") : title;
}

std::string programText(const Program& p) {
    return p.parameters.empty() && !p.paramMarker ? p.path : p.path + "<PARAM>" + p.parameters;
}

bool fitsWidth(int value, int width) { return static_cast<int>(std::to_string(value).size()) <= width; }

}  // namespace

bool payloadFits(int command, const Payload& payload) {
    if (command < 1 || command > static_cast<int>(kCommandCount) || !kindsInRange(payload)) return false;
    if (const auto* single = std::get_if<SingleText>(&payload)) {
        (void)single;
        return command == 14 || command == 15 || command == 29 || command == 43 || command == 44 || command == 66 ||
               command == 72;
    }
    if (std::holds_alternative<Network>(payload)) return command == 52 || command == 53 || command == 83;
    if (const auto* code = std::get_if<CodeOnly>(&payload)) return codeFits(command, *code);
    return commandNamedBy(payload) == command;
}

std::string describeLine(int command, const Payload& payload) {
    const std::string label(commandLabel(command));
    return std::visit(
        [&](const auto& p) -> std::string {
            using T = std::decay_t<decltype(p)>;
            if constexpr (std::is_same_v<T, TextRun>) {
                return label + ": " + firstFifty(p.text);
            } else if constexpr (std::is_same_v<T, DateTime>) {
                if (!p.isDate) {
                    const auto f = static_cast<std::size_t>(p.format - 1);
                    return label + ": " + std::string(timeFormat(p.format)) + "  (" + std::string(kTimeExamples[f]) +
                           ")";
                }
                std::string offset;
                if (p.dayCount != 0) {
                    offset = " (" + num(p.dayCount) + (p.dayCount == 1 ? " day" : " days") +
                             (p.future ? " in future)" : " in past)");
                }
                const auto f = static_cast<std::size_t>(p.format - 1);
                return label + offset + ": " + std::string(dateFormat(p.format)) + "  (" +
                       std::string(kDateExamples[f]) + ")";
            } else if constexpr (std::is_same_v<T, Delay>) {
                if (p.unit == Delay::Unit::Milliseconds) {
                    return label + " " + num(static_cast<long long>(p.amount)) + " Milliseconds";
                }
                return label + " " + text::fixed2(p.amount) + " Seconds";
            } else if constexpr (std::is_same_v<T, Pause>) {
                return label + (p.kind == Pause::Kind::Basic ? ": Basic" : ": Complex");
            } else if constexpr (std::is_same_v<T, Repeat>) {
                switch (p.kind) {
                    case Repeat::Kind::Counted:
                        if (p.olderForm) return label + ": " + num(p.count);
                        return label + ": " + num(p.count) + " Times, Starting at " + num(p.start) + " Stepping by " +
                               num(p.step);
                    case Repeat::Kind::Prompted:
                        return label + ": (prompt for repeat count at macro play time)";
                    case Repeat::Kind::Counter:
                        return label + ": Width " + num(p.count);
                    case Repeat::Kind::End:
                        break;
                }
                return label;
            } else if constexpr (std::is_same_v<T, Speed>) {
                if (p.kind == Speed::Kind::Playback) return label + speedText(p.factor);
                return label + ": " + num(p.milliseconds) + " Milliseconds";
            } else if constexpr (std::is_same_v<T, Program>) {
                if (p.kind == Program::Kind::Activate) return label + ": \"" + p.title + "\"";
                return label + ": " + std::string(fileNameOf(p.path));
            } else if constexpr (std::is_same_v<T, Window>) {
                return p.currentWindow ? label + " - Current Win" : label + " - Window Title: " + p.title;
            } else if constexpr (std::is_same_v<T, WindowGeometry>) {
                if (p.kind == WindowGeometry::Kind::Resize) {
                    return label + titlePart(p.title, p.currentWindow) + " (Width: " + num(p.first) +
                           " Height: " + num(p.second) + ")";
                }
                return label + titlePart(p.title, p.currentWindow) + " (Left: " + num(p.first) +
                       " Top: " + num(p.second) + ")";
            } else if constexpr (std::is_same_v<T, Mouse>) {
                using A = Mouse::Action;
                switch (p.action) {
                    case A::Move:
                        switch (p.mode) {
                            case Mouse::MoveMode::Screen:
                                return label + " Screen " + num(p.x) + "," + num(p.y);
                            case Mouse::MoveMode::Window:
                                return label + " Window " + num(p.x) + "," + num(p.y);
                            case Mouse::MoveMode::Position:
                                return label + " Position " + num(p.x) + "," + num(p.y);
                            case Mouse::MoveMode::Caret:
                                break;
                        }
                        return label + " To Caret";
                    case A::WheelForward:
                        return label + " " + num(p.clicks) + " Clicks Forward";
                    case A::WheelBackward:
                        return label + " " + num(p.clicks) + " Clicks Backward";
                    default:
                        break;
                }
                static constexpr std::string_view kEndings[] = {" Down", " Up", " Click", " Double Click"};
                return label + std::string(kEndings[(static_cast<int>(p.action) - 1) % 4]);
            } else if constexpr (std::is_same_v<T, Clipboard>) {
                if (p.kind == Clipboard::Kind::FileCopy || p.kind == Clipboard::Kind::BitmapCopy) {
                    return label + ": " + std::string(fileNameOf(p.path));
                }
                return label;
            } else if constexpr (std::is_same_v<T, MacroCommand>) {
                return label + ": " + p.nickname;
            } else if constexpr (std::is_same_v<T, SingleText>) {
                if (command == 14 || command == 15) return label + ": " + std::string(fileNameOf(p.text));
                if (command == 29 && p.text.size() > 43) return label + ": " + p.text.substr(0, 40) + "...";
                return label + ": " + p.text;
            } else if constexpr (std::is_same_v<T, FileOp>) {
                if (p.kind == FileOp::Kind::ChangeFolder || p.kind == FileOp::Kind::CreateFolder) {
                    return label + ": " + p.first;
                }
                return label + ": " + std::string(fileNameOf(p.first));
            } else if constexpr (std::is_same_v<T, Network>) {
                if (command == 53) return label + ": " + p.drivePath;
                const std::string drive = p.drivePath.substr(0, 2);
                const std::string rest = p.drivePath.size() > 2 ? p.drivePath.substr(2) : std::string();
                return label + ": " + drive + " to " + rest;
            } else if constexpr (std::is_same_v<T, TextBox>) {
                return label + ": " + firstFifty(p.content);
            } else if constexpr (std::is_same_v<T, Video>) {
                return label + ": " + std::string(fileNameOf(p.path));
            } else if constexpr (std::is_same_v<T, Sound>) {
                if (p.kind == Sound::Kind::Beep) return label;
                return label + ": " + std::string(fileNameOf(p.path));
            } else if constexpr (std::is_same_v<T, Cd>) {
                switch (p.kind) {
                    case Cd::Kind::GoTo:
                        return label + " " + num(p.number);
                    case Cd::Kind::Step:
                        return label + " Forward " + num(p.number) + " Seconds";
                    case Cd::Kind::Back:
                        return label + " Up " + num(p.number) + " Seconds";
                    default:
                        return label;
                }
            } else if constexpr (std::is_same_v<T, CodeOnly>) {
                return label + std::string(kCodeTags[static_cast<std::size_t>(p.code)].ending);
            } else if constexpr (std::is_same_v<T, Screen>) {
                return label;
            } else if constexpr (std::is_same_v<T, SystemSetting>) {
                switch (p.kind) {
                    case SystemSetting::Kind::SaverOn:
                        return label + " On";
                    case SystemSetting::Kind::SaverOff:
                        return label + " Off";
                    case SystemSetting::Kind::SaverTimer:
                        return label + " Timer Set To " + num(p.number) + " Minutes";
                    case SystemSetting::Kind::Wallpaper:
                        return label + ": " + std::string(fileNameOf(p.path));
                    default:
                        return label;
                }
            } else if constexpr (std::is_same_v<T, Wait>) {
                switch (p.kind) {
                    case Wait::Kind::WindowTitle:
                    case Wait::Kind::LoseFocus:
                    case Wait::Kind::ProgramEnd:
                    case Wait::Kind::Text:
                        return label + ": " + p.text;
                    case Wait::Kind::TimeElapse:
                        return label + ": " + num(p.number / 60) + " Minutes " + num(p.number % 60) + " Seconds";
                    default:
                        return label;
                }
            } else if constexpr (std::is_same_v<T, DialUp>) {
                if (p.kind == DialUp::Kind::HangUp) return label + ": Hang Up";
                return label + ": Dial " + p.connection;
            }
        },
        payload);
}

std::string writtenForm(int command, const Payload& payload) {
    return std::visit(
        [&](const auto& p) -> std::string {
            using T = std::decay_t<decltype(p)>;
            if constexpr (std::is_same_v<T, TextRun>) {
                return p.text;
            } else if constexpr (std::is_same_v<T, DateTime>) {
                const char* zeros = p.leadingZeros ? "Y" : "N";
                if (!p.isDate) return "<" + std::string(timeFormat(p.format)) + "{" + zeros + "}>";
                return "<" + std::string(dateFormat(p.format)) + "{" + zeros + (p.future ? "F" : "P") +
                       padded(p.dayCount, 3) + "}>";
            } else if constexpr (std::is_same_v<T, Delay>) {
                if (p.unit == Delay::Unit::Milliseconds) {
                    return "<MSD:" + padded(static_cast<long long>(p.amount), 4) + ">";
                }
                return "<DELAY:" + text::fieldReal(p.amount) + ">";
            } else if constexpr (std::is_same_v<T, Pause>) {
                if (p.kind == Pause::Kind::Basic) return "<PAUSE>";
                return "<PAUSE:" + padded(p.top, 3) + "," + padded(p.left, 3) + p.message + ">";
            } else if constexpr (std::is_same_v<T, Repeat>) {
                switch (p.kind) {
                    case Repeat::Kind::Counted:
                        return "<REP:" + padded(p.count, 4) + ":" + padded(p.start, 6) + ":" + padded(p.step, 6) + ">";
                    case Repeat::Kind::Prompted:
                        return "<PROMPTREP>";
                    case Repeat::Kind::Counter:
                        return "<" + std::string(static_cast<std::size_t>(p.count), 'I') + ">";
                    case Repeat::Kind::End:
                        break;
                }
                return "<ENDREP>";
            } else if constexpr (std::is_same_v<T, Speed>) {
                switch (p.kind) {
                    case Speed::Kind::Keystroke:
                        return "<SPKEY:" + padded(p.milliseconds, 4) + ">";
                    case Speed::Kind::Mouse:
                        return "<SPMSE:" + padded(p.milliseconds, 4) + ">";
                    case Speed::Kind::Playback:
                        break;
                }
                return "<SPEED:" + text::fieldReal(p.factor) + ">";
            } else if constexpr (std::is_same_v<T, Program>) {
                switch (p.kind) {
                    case Program::Kind::Activate:
                        return "<ACTIVATE:" + p.title + ">";
                    case Program::Kind::Launch:
                        return "<LAUNCHDEL:" + padded(p.delay, 2) + programText(p) + ">";
                    case Program::Kind::ActivateOrLaunch:
                        return "<LAUNCHYES2:" + padded(p.delay, 2) + padded(p.maxWait, 2) + p.title +
                               "<LAUNCH:" + programText(p) + ">";
                    case Program::Kind::LaunchAndActivate:
                        break;
                }
                return "<LAUNCHNO2:" + padded(p.delay, 2) + padded(p.maxWait, 2) + p.title +
                       "<LAUNCH:" + programText(p) + ">";
            } else if constexpr (std::is_same_v<T, Window>) {
                static constexpr std::string_view kTags[] = {
                    "<WMAX:", "<WMIN:", "<WRES:", "<WCLS:", "<WHIDE:", "<WSHOW:", "<WSHUT:"};
                return std::string(kTags[static_cast<int>(p.command)]) + windowTitleField(p.title, p.currentWindow) +
                       ">";
            } else if constexpr (std::is_same_v<T, WindowGeometry>) {
                const std::string title = windowTitleField(p.title, p.currentWindow);
                if (p.kind == WindowGeometry::Kind::Resize) {
                    return "<WSIZE:" + padded(p.first, 4) + "," + padded(p.second, 4) + title + ">";
                }
                // A position that does not fit the four characters of "<WPOS:" (below -999,
                // above 9999) is written in the five-character form that playback also reads.
                if (!fitsWidth(p.first, 4) || !fitsWidth(p.second, 4)) {
                    return "<WPOS2:" + padded(p.first, 5) + "," + padded(p.second, 5) + title + ">";
                }
                return "<WPOS:" + padded(p.first, 4) + "," + padded(p.second, 4) + title + ">";
            } else if constexpr (std::is_same_v<T, Mouse>) {
                using A = Mouse::Action;
                static constexpr std::string_view kButtons[] = {"<LDN>", "<LUP>", "<LCLK>", "<LDCLK>",
                                                                "<RDN>", "<RUP>", "<RCLK>", "<RDCLK>",
                                                                "<MDN>", "<MUP>", "<MCLK>", "<MDCLK>"};
                switch (p.action) {
                    case A::Move: {
                        static constexpr std::string_view kMoves[] = {"<MMS:", "<MMW:", "<MMP:"};
                        if (p.mode == Mouse::MoveMode::Caret) return "<MMC>";
                        return std::string(kMoves[static_cast<int>(p.mode)]) + padded(p.x, 5) + "," + padded(p.y, 5) +
                               ">";
                    }
                    case A::WheelForward:
                        return "<WFW:" + padded(p.clicks, 3) + ">";
                    case A::WheelBackward:
                        return "<WBW:" + padded(p.clicks, 3) + ">";
                    default:
                        return std::string(kButtons[static_cast<int>(p.action) - 1]);
                }
            } else if constexpr (std::is_same_v<T, Clipboard>) {
                switch (p.kind) {
                    case Clipboard::Kind::Copy:
                        return "<CLIPC>";
                    case Clipboard::Kind::Paste:
                        return "<CLIPP>";
                    case Clipboard::Kind::StartCopy:
                        return "<BEGCLIP>";
                    case Clipboard::Kind::EndCopy:
                        return "<ENDCLIP>";
                    case Clipboard::Kind::FileCopy:
                        return "<CLIPF:" + p.path + ">";
                    case Clipboard::Kind::TypeText:
                        return p.typeTextVariant ? "<CLIPTYPEI>" : "<CLIPTYPE>";
                    case Clipboard::Kind::BitmapCopy:
                        break;
                }
                return "<CLIPB:" + p.path + ">";
            } else if constexpr (std::is_same_v<T, MacroCommand>) {
                static constexpr std::string_view kTags[] = {"<MACRUN:", "<MACDEL:", "<MACACT:", "<MACDEACT:"};
                return std::string(kTags[static_cast<int>(p.kind)]) + p.nickname + ">";
            } else if constexpr (std::is_same_v<T, SingleText>) {
                std::string_view tag;
                switch (command) {
                    case 14:
                        tag = "<SWAP:";
                        break;
                    case 15:
                        tag = "<TFILE:";
                        break;
                    case 29:
                        tag = "<REM:";
                        break;
                    case 43:
                        tag = "<HTTP:";
                        break;
                    case 44:
                        tag = "<FTP:";
                        break;
                    case 66:
                        tag = "<EXPLORE:";
                        break;
                    default:
                        tag = "<DEFPRT:";
                        break;
                }
                return std::string(tag) + p.text + ">";
            } else if constexpr (std::is_same_v<T, FileOp>) {
                switch (p.kind) {
                    case FileOp::Kind::ChangeFolder:
                        return "<CHDIR:" + p.first + ">";
                    case FileOp::Kind::CreateFolder:
                        return "<MKDIR:" + p.first + ">";
                    case FileOp::Kind::Delete:
                        return "<DELFILE:" + p.first + ">";
                    case FileOp::Kind::Copy:
                        return "<COPYFILE:" + p.first + ";" + p.second + ">";
                    case FileOp::Kind::Rename:
                        break;
                }
                return "<RENFILE:" + p.first + ";" + p.second + ">";
            } else if constexpr (std::is_same_v<T, Network>) {
                if (command == 53) {
                    return std::string("<NWD") + (p.permanent ? "P" : "") + (p.force ? "F" : "") +
                           (p.showStatus ? "S" : "") + ":" + p.drivePath + ">";
                }
                return std::string(command == 83 ? "<NWT" : "<NWC") + (p.permanent ? "P" : "") +
                       (p.showStatus ? "S" : "") + ":<NAME:" + p.user + "><PASS:" + p.password + ">" + p.drivePath +
                       ">";
            } else if constexpr (std::is_same_v<T, TextBox>) {
                return "<TBOX:<HEAD:" + p.header + ">" + p.content + ">";
            } else if constexpr (std::is_same_v<T, Video>) {
                static constexpr std::string_view kTags[] = {"<AVI:", "<AVII:", "<AVIE:"};
                return std::string(kTags[static_cast<int>(p.kind)]) + p.path + ">";
            } else if constexpr (std::is_same_v<T, Sound>) {
                if (p.kind == Sound::Kind::Beep) return "<BEEP>";
                return (p.wait ? "<WAV1:" : "<WAV2:") + p.path + ">";
            } else if constexpr (std::is_same_v<T, Cd>) {
                static constexpr std::string_view kTags[] = {
                    "<CDPLAY>", "<CDSTOP>", "<CDPAUSE>", "<CDNEXT>",  "<CDPREV>",
                    "<CDGOTO:", "<CDSTEP:", "<CDBACK:",  "<CDEJECT>", "<CDCLOSE>"};
                const std::string tag(kTags[static_cast<int>(p.kind)]);
                if (tag.ends_with(':')) return tag + padded(p.number, 2) + ">";
                return tag;
            } else if constexpr (std::is_same_v<T, CodeOnly>) {
                return std::string(kCodeTags[static_cast<std::size_t>(p.code)].tag);
            } else if constexpr (std::is_same_v<T, Screen>) {
                return "<SCREEN:" + padded(p.number, 3) + ">";
            } else if constexpr (std::is_same_v<T, SystemSetting>) {
                switch (p.kind) {
                    case SystemSetting::Kind::SaverOn:
                        return "<SSON>";
                    case SystemSetting::Kind::SaverOff:
                        return "<SSOFF>";
                    case SystemSetting::Kind::SaverTimer:
                        return "<SSTIME:" + padded(p.number, 2) + ">";
                    case SystemSetting::Kind::KeyDelay:
                        return "<KEYDEL:" + padded(p.number, 1) + ">";
                    case SystemSetting::Kind::KeySpeed:
                        return "<KEYSPD:" + padded(p.number, 2) + ">";
                    case SystemSetting::Kind::SizingBorder:
                        return "<WBSIZE:" + padded(p.number, 2) + ">";
                    case SystemSetting::Kind::Wallpaper:
                        break;
                }
                switch (p.style) {
                    case SystemSetting::Style::Tile:
                        return "<WALLT:" + p.path + ">";
                    case SystemSetting::Style::Center:
                        return "<WALLC:" + p.path + ">";
                    case SystemSetting::Style::Stretch:
                        return "<WALLS:" + p.path + ">";
                    case SystemSetting::Style::Position:
                        break;
                }
                return "<WALLP:" + padded(p.x, 4) + "," + padded(p.y, 4) + p.path + ">";
            } else if constexpr (std::is_same_v<T, Wait>) {
                const std::string minutes = padded(p.number, 3);
                switch (p.kind) {
                    case Wait::Kind::WindowTitle:
                        return "<WAITWIN:" + minutes + ":" + p.text + ">";
                    case Wait::Kind::LoseFocus:
                        return "<WAITWLF:" + minutes + ":" + p.text + ">";
                    case Wait::Kind::ProgramEnd:
                        return "<WAITPROG:" + minutes + ":" + p.text + ">";
                    case Wait::Kind::KeyPress:
                        return "<WAITKEY:" + minutes + ":" + p.text + ">";
                    case Wait::Kind::Text:
                        return (p.yFlag ? "<WAITTXTY:" : "<WAITTXTN:") + minutes + ":" + p.text + ">";
                    case Wait::Kind::LeftClick:
                        return "<WAITLM:" + minutes + ">";
                    case Wait::Kind::RightClick:
                        return "<WAITRM:" + minutes + ">";
                    case Wait::Kind::MiddleClick:
                        return "<WAITMM:" + minutes + ">";
                    case Wait::Kind::Playback:
                        return "<WAITPB>";
                    case Wait::Kind::TimeElapse:
                        break;
                }
                return "<WAITTIME:" + padded(p.number, 8) + ">";
            } else if constexpr (std::is_same_v<T, DialUp>) {
                if (p.kind == DialUp::Kind::HangUp) return "<HANG>";
                return "<DIAL:<NAME:" + p.user + "><PASS:" + p.password + ">" + p.connection + ">";
            }
        },
        payload);
}

std::string scriptTextOf(const std::vector<ScriptLine>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string written = writtenForm(commandOfLine(lines[i].text), lines[i].payload);
        // A tag that ran to the end of the text it was read from stays without its closing
        // ">" while it is still the last line: adding one could complete some earlier,
        // unfinished tag of the text and change how the text reads.
        if (i + 1 == lines.size() && lines[i].openEnd && written.ends_with('>')) written.pop_back();
        text += written;
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
