#include "dialogs/input_dialogs.h"

#include "dialogs/dialog_text.h"
#include "dialogs/timing_dialogs.h"
#include "engine/command_table.h"

namespace orv::dialogs {

namespace {

const std::vector<std::string> kMouseActions = {"lclick",  "ldclick", "ldown", "lup",          "rclick",
                                                "rdclick", "rdown",   "rup",   "mclick",       "mdclick",
                                                "mdown",   "mup",     "move",  "wheelforward", "wheelbackward"};
constexpr CommandId kButtonTags[] = {CommandId::Lclk, CommandId::Ldclk, CommandId::Ldn, CommandId::Lup,
                                     CommandId::Rclk, CommandId::Rdclk, CommandId::Rdn, CommandId::Rup,
                                     CommandId::Mclk, CommandId::Mdclk, CommandId::Mdn, CommandId::Mup};
const std::vector<std::string> kMoveModes = {"screen", "window", "position", "caret"};

const std::vector<std::string> kKeyUpDown = {"ctrldown",  "ctrlup",  "altdown", "altup",
                                             "shiftdown", "shiftup", "windown", "winup"};
constexpr CommandId kKeyUpDownTags[] = {CommandId::Ctld, CommandId::Ctlu, CommandId::Altd, CommandId::Altu,
                                        CommandId::Shfd, CommandId::Shfu, CommandId::Wind, CommandId::Winu};

const std::vector<std::string> kClipKinds = {"start", "end", "textfile", "bitmap", "copy", "paste", "type"};

std::vector<std::string> numbers(int from, int to) {
    std::vector<std::string> out;
    for (int i = from; i <= to; ++i) out.push_back(std::to_string(i));
    return out;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
TDoMouse::TDoMouse()
    : ValuesDialog({
          choiceField("action", "lclick", kMouseActions),
          choiceField("movemode", "screen", kMoveModes),
          textField("x", "0", 6),
          textField("y", "0", 6),
          textField("clicks", "1", 3),
      }) {
    overflowField_ = "x";
}

void TDoMouse::load(const Values& v) {
    if (v.action >= 1 && v.action <= WheelBackward)
        set("action", kMouseActions[static_cast<std::size_t>(v.action - 1)]);
    if (v.moveMode >= Screen && v.moveMode <= Caret)
        set("movemode", kMoveModes[static_cast<std::size_t>(v.moveMode - 1)]);
    set("x", std::to_string(v.x));
    set("y", std::to_string(v.y));
    set("clicks", std::to_string(v.clicks));
}

Outcome TDoMouse::doCheck(const DialogEnv&) {
    Values v;
    v.action = choiceIndex("action") + 1;
    v.moveMode = choiceIndex("movemode") + 1;
    std::string out;
    if (v.action <= 12) {
        out = composeTag(kButtonTags[v.action - 1]);
    } else if (v.action == Move) {
        if (v.moveMode == Caret) {
            out = composeTag(CommandId::Mmc);
        } else {
            // Coordinates fill five characters; only a move relative to the last position may go
            // left or up.
            const std::int64_t lowest = v.moveMode == Position ? -9999 : 0;
            const auto x = parseWhole(text("x"));
            if (!x || *x < lowest || *x > 30000)
                return Outcome::fail("x", "Invalid X Position specified.  Please correct.");
            const auto y = parseWhole(text("y"));
            if (!y || *y < lowest || *y > 30000)
                return Outcome::fail("y", "Invalid Y Position specified.  Please correct.");
            v.x = static_cast<int>(*x);
            v.y = static_cast<int>(*y);
            static constexpr CommandId kMoveTags[] = {CommandId::Mms, CommandId::Mmw, CommandId::Mmp};
            out = composeTag(kMoveTags[v.moveMode - 1], {v.x, v.y});
        }
    } else {
        const auto clicks = parseWhole(text("clicks"));
        if (!clicks || *clicks <= 0 || *clicks > 999)
            return Outcome::fail("clicks", "Invalid number of wheel clicks specified.  Please correct.");
        v.clicks = static_cast<int>(*clicks);
        out = composeTag(v.action == WheelForward ? CommandId::Wfw : CommandId::Wbw, {v.clicks});
    }
    values_ = v;
    return Outcome::ok(out);
}

std::vector<std::pair<std::string, std::string>> TDoMouse::results() const {
    return {{"action", std::to_string(values_.action)},
            {"movemode", std::to_string(values_.moveMode)},
            {"x", std::to_string(values_.x)},
            {"y", std::to_string(values_.y)},
            {"clicks", std::to_string(values_.clicks)}};
}

// ---------------------------------------------------------------------------------------------
TDoKeyUpDown::TDoKeyUpDown() : ValuesDialog({choiceField("key", "ctrldown", kKeyUpDown)}) {}

void TDoKeyUpDown::load(const Values& v) {
    if (v.code >= 1 && v.code <= 8) set("key", kKeyUpDown[static_cast<std::size_t>(v.code - 1)]);
}

Outcome TDoKeyUpDown::doCheck(const DialogEnv&) {
    values_.code = choiceIndex("key") + 1;
    return Outcome::ok(composeTag(kKeyUpDownTags[values_.code - 1]));
}

std::vector<std::pair<std::string, std::string>> TDoKeyUpDown::results() const {
    return {{"code", std::to_string(values_.code)}};
}

// ---------------------------------------------------------------------------------------------
TDoClipboard::TDoClipboard()
    : ValuesDialog({
          choiceField("kind", "start", kClipKinds),
          textField("file", "", 255),
          checkField("ignorecrlf", "0"),
      }) {
    overflowField_ = "file";
}

void TDoClipboard::load(const Values& v) {
    if (v.kind >= StartCopy && v.kind <= TypeText) set("kind", kClipKinds[static_cast<std::size_t>(v.kind - 1)]);
    set("file", v.path);
    setFlag("ignorecrlf", v.ignoreCrLf);
}

Outcome TDoClipboard::doCheck(const DialogEnv& env) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    v.ignoreCrLf = flag("ignorecrlf");
    std::string out;
    switch (v.kind) {
        case StartCopy:
            out = composeTag(CommandId::Begclip);
            break;
        case EndCopy:
            out = composeTag(CommandId::Endclip);
            break;
        case Copy:
            out = composeTag(CommandId::Clipc);
            break;
        case Paste:
            out = composeTag(CommandId::Clipp);
            break;
        case TypeText:
            out = composeTag(v.ignoreCrLf ? CommandId::Cliptypei : CommandId::Cliptype);
            break;
        default: {
            v.path = text("file");
            if (env.files == nullptr || v.path.empty() || !env.files->fileExists(v.path))
                return Outcome::fail("file", v.kind == TextFile
                                                 ? "Specified Text File does not exist.  Please correct."
                                                 : "Specified Bitmap File does not exist.  Please correct.");
            if (const char c = firstOf(v.path, ">")) return Outcome::fail("file", forbiddenCharMessage(c));
            out =
                composeTag(v.kind == TextFile ? CommandId::Clipf : CommandId::Clipb, {}, env.files->shortPath(v.path));
            break;
        }
    }
    values_ = v;
    return Outcome::ok(out);
}

std::vector<std::pair<std::string, std::string>> TDoClipboard::results() const {
    return {
        {"kind", std::to_string(values_.kind)}, {"path", values_.path}, {"ignorecrlf", values_.ignoreCrLf ? "1" : "0"}};
}

// ---------------------------------------------------------------------------------------------
TDoSpecial::TDoSpecial()
    : ValuesDialog({
          FieldDef{"keypadallowed", FieldKind::Check, "1", 1, {}, true},
          choiceField("column", "0", numbers(0, 15)),
          choiceField("row", "0", numbers(0, 7)),
          choiceField("action", "symbol", {"symbol", "keypad"}),
          textField("keypad", "", 4),
      }) {
    overflowField_ = "keypad";
}

Outcome TDoSpecial::doCheck(const DialogEnv& env) {
    Values v;
    // The keypad button is hidden when the caller wants a character only.
    if (get("action") == "keypad" && flag("keypadallowed")) {
        TDoDelay keypad;
        keypad.set("mode", "keypad");
        keypad.set("keypad", get("keypad"));
        Outcome o = keypad.check(env);
        if (!o.accepted) return o;
        v.keypad = true;
        v.keypadDigits = keypad.values().keypad;
        values_ = v;
        return o;
    }
    v.code = 128 + 8 * choiceIndex("column") + choiceIndex("row");
    values_ = v;
    return Outcome::ok(std::string(1, static_cast<char>(v.code)));
}

std::vector<std::pair<std::string, std::string>> TDoSpecial::results() const {
    return {{"code", std::to_string(values_.code)},
            {"keypad", values_.keypad ? "1" : "0"},
            {"keypaddigits", values_.keypadDigits}};
}

}  // namespace orv::dialogs
