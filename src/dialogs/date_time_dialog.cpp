#include "dialogs/date_time_dialog.h"

#include <cstdlib>

#include "dialogs/dialog_text.h"
#include "engine/command_table.h"
#include "engine/date_time_formats.h"

namespace orv::dialogs {

namespace {

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

// Day count as the date dialog reads it: leading blanks skipped, an optional sign, digits up to
// the first other character; anything else reads as 0.
int leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= 0x20) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int value = 0;
    for (int digits = 0; i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 9; ++i, ++digits)
        value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

}  // namespace

std::string dateFormatExample(std::size_t index) {
    if (index >= kDateFormats.size()) return {};
    const std::string_view f = kDateFormats[index];
    if (f == "Day of Week 1") return "Mon";
    if (f == "Day of Week 2") return "MON";
    if (f == "Day of Week 3") return "Monday";
    if (f == "Day of Week 4") return "MONDAY";
    std::string out;
    for (std::size_t i = 0; i < f.size();) {
        const std::string_view rest = f.substr(i);
        if (startsWith(rest, "YYYY")) {
            out += "1998";
            i += 4;
        } else if (startsWith(rest, "YY")) {
            out += "98";
            i += 2;
        } else if (startsWith(rest, "Mmmmm")) {
            out += "March";
            i += 5;
        } else if (startsWith(rest, "MMM")) {
            out += "MAR";
            i += 3;
        } else if (startsWith(rest, "Mmm")) {
            out += "Mar";
            i += 3;
        } else if (startsWith(rest, "MM")) {
            out += "03";
            i += 2;
        } else if (startsWith(rest, "DD")) {
            out += "30";
            i += 2;
        } else {
            out += f[i];
            ++i;
        }
    }
    return out;
}

std::string timeFormatExample(std::size_t index) {
    if (index >= kTimeFormats.size()) return {};
    std::string_view f = kTimeFormats[index];
    std::string suffix;
    bool twelve = true;
    if (f.size() > 3 && f.substr(f.size() - 3) == " am") {
        suffix = " pm";
        f.remove_suffix(3);
    } else if (f.size() > 3 && f.substr(f.size() - 3) == " AM") {
        suffix = " PM";
        f.remove_suffix(3);
    } else if (f.size() > 1 && f.back() == 'a') {
        suffix = "p";
        f.remove_suffix(1);
    } else
        twelve = false;
    std::string out;
    for (std::size_t i = 0; i < f.size();) {
        const std::string_view rest = f.substr(i);
        if (startsWith(rest, "hh")) {
            out += twelve ? "3" : "15";
            i += 2;
        } else if (startsWith(rest, "mm")) {
            out += "04";
            i += 2;
        } else if (startsWith(rest, "ss")) {
            out += "23";
            i += 2;
        } else {
            out += f[i];
            ++i;
        }
    }
    return out + suffix;
}

TDateOrTime::TDateOrTime()
    : ValuesDialog({
          choiceField("mode", "date", {"date", "time"}, true),
          textField("format", "1", 2),
          checkField("suppress", "1"),
          textField("days", "0", 3),
          choiceField("direction", "future", {"future", "past"}),
      }) {}

void TDateOrTime::show(const DialogEnv& env) {
    if (!isNewCommand() || env.settings == nullptr) return;
    const bool time = get("mode") == "time";
    const int last = time ? env.settings->LastTimeFormat : env.settings->LastDateFormat;
    const int count = static_cast<int>(time ? kTimeFormats.size() : kDateFormats.size());
    // A remembered position outside the list selects no row.
    set("format", last >= 0 && last < count ? std::to_string(last + 1) : "");
    setFlag("suppress", time ? env.settings->SuppressZerosInTime : env.settings->SuppressZerosInDate);
    set("days", "0");
    set("direction", "future");
}

void TDateOrTime::load(const Values& v) {
    setNewCommand(false);
    set("mode", v.date ? "date" : "time");
    set("format", std::to_string(v.format));
    setFlag("suppress", !v.leadingZeros);
    set("direction", v.future ? "future" : "past");
    set("days", std::to_string(v.days));
}

Outcome TDateOrTime::doCheck(const DialogEnv& env) {
    const bool time = get("mode") == "time";
    const int count = static_cast<int>(time ? kTimeFormats.size() : kDateFormats.size());
    const auto chosen = parseWhole(text("format"));
    Values v;
    v.date = !time;
    // With no row selected the first format is written.
    v.format = chosen && *chosen >= 1 && *chosen <= count ? static_cast<int>(*chosen) : 1;
    const bool suppress = flag("suppress");
    v.leadingZeros = !suppress;
    std::string out;
    if (time) {
        if (env.settings != nullptr) {
            env.settings->LastTimeFormat = v.format - 1;
            env.settings->SuppressZerosInTime = suppress;
        }
        out = composeTimeTag(static_cast<std::size_t>(v.format - 1), !suppress);
    } else {
        if (env.settings != nullptr) {
            env.settings->LastDateFormat = v.format - 1;
            env.settings->SuppressZerosInDate = suppress;
        }
        v.future = get("direction") == "future";
        v.days = leadingNumber(get("days"));
        // A negative count into the future is that many days into the past, and the other way
        // round: the command holds the count without a sign.
        if (v.days < 0) {
            v.days = -v.days;
            v.future = !v.future;
        }
        out = composeDateTag(static_cast<std::size_t>(v.format - 1), !suppress, v.future, v.days);
    }
    values_ = v;
    return Outcome::ok(out);
}

std::vector<std::pair<std::string, std::string>> TDateOrTime::results() const {
    return {{"date", values_.date ? "1" : "0"},
            {"format", std::to_string(values_.format)},
            {"leadingzeros", values_.leadingZeros ? "1" : "0"},
            {"future", values_.future ? "1" : "0"},
            {"days", std::to_string(values_.days)}};
}

}  // namespace orv::dialogs
