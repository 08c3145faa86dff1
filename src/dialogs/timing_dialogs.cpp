#include "dialogs/timing_dialogs.h"

#include "dialogs/dialog_text.h"
#include "engine/command_table.h"

namespace orv::dialogs {

namespace {

// Seconds of a delay: more than 0 and at most 60, judged after rounding to the hundredths that
// the command holds, so that the written value is always 00.01 to 60.00.
std::optional<std::int64_t> delayHundredths(const std::string& text) {
    const auto value = parseDecimal(text);
    if (!value) return std::nullopt;
    const std::int64_t h = toHundredths(*value);
    if (h <= 0 || h > 6000) return std::nullopt;
    return h;
}

const char* kDelayMessage = "Value must be greater than zero and no larger than 60.";

}  // namespace

// ---------------------------------------------------------------------------------------------
TDoDelay::TDoDelay()
    : ValuesDialog({
          choiceField("mode", "seconds", {"seconds", "keypad", "timer"}, true),
          textField("seconds", "", 5),
          textField("keypad", "", 4),
          textField("frequency", "10", 2),
      }) {
    overflowField_ = "seconds";
}

void TDoDelay::load(const Values& v) {
    if (v.mode == Keypad) {
        set("mode", "keypad");
        set("keypad", v.keypad);
    } else if (v.mode == Timer) {
        set("mode", "timer");
        set("frequency", std::to_string(v.frequency));
    } else {
        set("mode", "seconds");
        set("seconds", formatReal(v.seconds));
    }
}

Outcome TDoDelay::doCheck(const DialogEnv& env) {
    Values v;
    v.mode = choiceIndex("mode") + 1;
    std::string out;
    if (v.mode == Seconds) {
        const auto h = delayHundredths(text("seconds"));
        if (!h) return Outcome::fail("seconds", kDelayMessage);
        v.seconds = static_cast<double>(*h) / 100.0;
        out = composeTagFields(CommandId::Delay, {formatHundredths(*h)});
    } else if (v.mode == Keypad) {
        // Up to three digits are an Alt code padded to three; four digits are entered as typed
        // (a leading zero selects the other code page of the Alt entry).
        const std::string digits = text("keypad");
        const auto n = parseWhole(digits);
        if (digits.empty() || digits.size() > 4 || !n || digits.find_first_not_of("0123456789") != std::string::npos)
            return Outcome::fail("keypad", "Value must be numeric.");
        v.keypad = digits.size() == 4 ? digits : padNumber(*n, 3);
        out = composeTagFields(digits.size() == 4 ? CommandId::AltCode4 : CommandId::AltCode3, {v.keypad});
    } else {
        const auto n = parseWhole(text("frequency"));
        if (!n || *n < 1 || *n > 60) return Outcome::fail("frequency", "Value must be between 1 and 60.");
        v.frequency = static_cast<int>(*n);
        if (env.settings != nullptr) env.settings->TimerSeconds = v.frequency;
    }
    values_ = v;
    return Outcome::ok(out);
}

std::vector<std::pair<std::string, std::string>> TDoDelay::results() const {
    return {{"mode", std::to_string(values_.mode)},
            {"seconds", formatReal(values_.seconds)},
            {"keypad", values_.keypad},
            {"frequency", std::to_string(values_.frequency)}};
}

// ---------------------------------------------------------------------------------------------
TDoDelay2::TDoDelay2()
    : ValuesDialog({
          choiceField("unit", "seconds", {"seconds", "milliseconds"}),
          textField("seconds", "", 5),
          textField("milliseconds", "", 5),
      }) {
    overflowField_ = "seconds";
}

void TDoDelay2::load(const Values& v) {
    if (v.unit == Milliseconds) {
        set("unit", "milliseconds");
        set("milliseconds", std::to_string(static_cast<std::int64_t>(v.amount)));
    } else {
        set("unit", "seconds");
        set("seconds", formatReal(v.amount));
    }
}

Outcome TDoDelay2::doCheck(const DialogEnv&) {
    Values v;
    v.unit = choiceIndex("unit") + 1;
    std::string out;
    if (v.unit == Seconds) {
        const auto h = delayHundredths(text("seconds"));
        if (!h) return Outcome::fail("seconds", kDelayMessage);
        v.amount = static_cast<double>(*h) / 100.0;
        out = composeTagFields(CommandId::Delay, {formatHundredths(*h)});
    } else {
        const auto ms = parseWhole(text("milliseconds"));
        if (!ms || *ms <= 0) return Outcome::fail("milliseconds", "Value must be greater than zero.");
        if (*ms >= 10000) return Outcome::fail("milliseconds", "Value must be less than 9999.");
        v.amount = static_cast<double>(*ms);
        out = composeTag(CommandId::Msd, {*ms});
    }
    values_ = v;
    return Outcome::ok(out);
}

std::vector<std::pair<std::string, std::string>> TDoDelay2::results() const {
    return {{"unit", std::to_string(values_.unit)}, {"amount", formatReal(values_.amount)}};
}

// ---------------------------------------------------------------------------------------------
TDoSpeed::TDoSpeed()
    : ValuesDialog({
          choiceField("kind", "keyboard", {"keyboard", "mouse", "macro"}),
          textField("milliseconds", "0", 4),
          textField("factor", "1.00", 5),
      }) {
    overflowField_ = "factor";
}

void TDoSpeed::load(const Values& v) {
    if (v.kind == Macro) {
        set("kind", "macro");
        set("factor", formatReal(v.factor));
    } else {
        set("kind", v.kind == Mouse ? "mouse" : "keyboard");
        set("milliseconds", std::to_string(v.milliseconds));
    }
}

Outcome TDoSpeed::doCheck(const DialogEnv&) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    const char* kMessage = "Value must be zero or greater.";
    std::string out;
    if (v.kind == Macro) {
        // The factor has five characters in the command: 00.00 to 99.99.
        const auto value = parseDecimal(text("factor"));
        const std::int64_t h = value ? toHundredths(*value) : -1;
        if (!value || *value < 0 || h > 9999) return Outcome::fail("factor", kMessage);
        v.factor = static_cast<double>(h) / 100.0;
        out = composeTagFields(CommandId::Speed, {formatHundredths(h)});
    } else {
        const auto ms = parseWhole(text("milliseconds"));
        if (!ms || *ms < 0 || *ms > 9999) return Outcome::fail("milliseconds", kMessage);
        v.milliseconds = static_cast<int>(*ms);
        out = composeTag(v.kind == Keyboard ? CommandId::Spkey : CommandId::Spmse, {*ms});
    }
    values_ = v;
    return Outcome::ok(out);
}

std::vector<std::pair<std::string, std::string>> TDoSpeed::results() const {
    return {{"kind", std::to_string(values_.kind)},
            {"milliseconds", std::to_string(values_.milliseconds)},
            {"factor", formatReal(values_.factor)}};
}

// ---------------------------------------------------------------------------------------------
TDoRepeat::TDoRepeat()
    : ValuesDialog({
          choiceField("kind", "start", {"start", "prompt", "end", "counter"}),
          textField("count", "10", 4),
          textField("start", "1", 6),
          textField("step", "1", 6),
          textField("width", "1", 1),
      }) {
    overflowField_ = "count";
}

void TDoRepeat::load(const Values& v) {
    static const char* kinds[] = {"start", "prompt", "end", "counter"};
    if (v.kind < Counted || v.kind > Counter) return;
    set("kind", kinds[v.kind - 1]);
    if (v.kind == Counter) {
        set("width", std::to_string(v.count));
    } else if (v.kind == Counted) {
        set("count", std::to_string(v.count));
        set("start", std::to_string(v.start));
        set("step", std::to_string(v.step));
    }
}

Outcome TDoRepeat::doCheck(const DialogEnv&) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    std::string out;
    switch (v.kind) {
        case Counted: {
            // Count, start and step fill fields of 4, 6 and 6 digits; playback counts from 0 up.
            const auto count = parseWhole(text("count"));
            if (!count || *count <= 0 || *count > 9999)
                return Outcome::fail("count", "Value must be greater than zero.");
            const auto start = parseWhole(text("start"));
            if (!start || *start < 0 || *start > 999999)
                return Outcome::fail("start", "Invalid start counter specified.  Please Correct.");
            const auto step = parseWhole(text("step"));
            if (!step || *step < 0 || *step > 999999)
                return Outcome::fail("step", "Invalid step counter specified.  Please Correct.");
            v.count = *count;
            v.start = *start;
            v.step = *step;
            out = composeTag(CommandId::Rep, {v.count, v.start, v.step});
            break;
        }
        case Prompted:
            out = composeTag(CommandId::Promptrep);
            break;
        case End:
            out = composeTag(CommandId::Endrep);
            break;
        default: {
            const auto width = parseWhole(text("width"));
            if (!width || *width < 1 || *width > 4) return Outcome::fail("width", "Width must be between 1 and 4.");
            v.count = *width;
            out = composeTag(kCounterCommands[static_cast<std::size_t>(*width - 1)]);
            break;
        }
    }
    values_ = v;
    return Outcome::ok(out);
}

std::vector<std::pair<std::string, std::string>> TDoRepeat::results() const {
    return {{"kind", std::to_string(values_.kind)},
            {"count", std::to_string(values_.count)},
            {"start", std::to_string(values_.start)},
            {"step", std::to_string(values_.step)}};
}

// ---------------------------------------------------------------------------------------------
TDoPausePos::TDoPausePos()
    : ValuesDialog({
          choiceField("kind", "basic", {"basic", "complex"}),
          textField("top", "0", 3),
          textField("left", "0", 3),
          textField("message", "", 255),
      }) {
    overflowField_ = "message";
}

void TDoPausePos::load(const Values& v) {
    set("kind", v.kind == Complex ? "complex" : "basic");
    set("top", std::to_string(v.top));
    set("left", std::to_string(v.left));
    set("message", v.message);
}

Outcome TDoPausePos::doCheck(const DialogEnv&) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    if (v.kind == Basic) {
        values_ = v;
        return Outcome::ok(composeTag(CommandId::Pause));
    }
    const auto top = parseWhole(text("top"));
    if (!top || *top < 0 || *top > 999)
        return Outcome::fail("top", "Invalid Top Window Coordinate entered.  Please correct.");
    const auto left = parseWhole(text("left"));
    if (!left || *left < 0 || *left > 999)
        return Outcome::fail("left", "Invalid Left Window Coordinate entered.  Please correct.");
    v.top = static_cast<int>(*top);
    v.left = static_cast<int>(*left);
    v.message = text("message");
    if (const char c = firstOf(v.message, ">")) return Outcome::fail("message", forbiddenCharMessage(c));
    values_ = v;
    return Outcome::ok(composeTag(CommandId::PauseAt, {v.top, v.left}, v.message));
}

std::vector<std::pair<std::string, std::string>> TDoPausePos::results() const {
    return {{"kind", std::to_string(values_.kind)},
            {"top", std::to_string(values_.top)},
            {"left", std::to_string(values_.left)},
            {"message", values_.message}};
}

// ---------------------------------------------------------------------------------------------
TRepeatPrompt::TRepeatPrompt() : ValuesDialog({textField("count", "", 4)}) {}

Outcome TRepeatPrompt::doCheck(const DialogEnv&) {
    const auto n = parseWhole(text("count"));
    if (!n) return Outcome::fail("count", "Invalid numeric value entered.  Please Correct");
    values_.count = static_cast<int>(*n);
    return Outcome::ok("");
}

std::vector<std::pair<std::string, std::string>> TRepeatPrompt::results() const {
    return {{"count", std::to_string(values_.count)}};
}

}  // namespace orv::dialogs
