#include "transfer/foreign_records.h"

#include <cstring>

#include "platform/byte_io.h"

namespace orv {

namespace {

std::string shortString(const std::uint8_t* b, std::size_t offset, std::size_t capacity, const char* field,
                        std::vector<std::string>& problems) {
    if (b[offset] > capacity)
        problems.push_back(std::string(field) + " length " + std::to_string(b[offset]) + " is larger than its " +
                           std::to_string(capacity) + "-character field");
    return bytes::getShortString(b, offset, capacity);
}

// A NUL-terminated text in a field of `capacity` bytes; without its NUL the field is taken whole
// but one byte (the longest text the field can end).
std::string terminatedText(const std::uint8_t* b, std::size_t offset, std::size_t capacity,
                           std::vector<std::string>& problems) {
    const char* text = reinterpret_cast<const char*>(b + offset);
    const void* nul = std::memchr(text, 0, capacity);
    if (nul == nullptr) {
        problems.push_back("macro text has no end");
        return std::string(text, capacity - 1);
    }
    return std::string(text, static_cast<std::size_t>(static_cast<const char*>(nul) - text));
}

}  // namespace

Bv2Record decodeBv2(const std::uint8_t* b, std::vector<std::string>& problems) {
    using R = Bv2Record;
    R r;
    r.NickName = shortString(b, R::oNickName, R::kNickName, "nickname", problems);
    r.WindowTitle = shortString(b, R::oWindowTitle, R::kWindowTitle, "window title", problems);
    r.HotKeyCode = bytes::get<std::int16_t>(b, R::oHotKeyCode);
    r.Scope = bytes::get<std::int16_t>(b, R::oScope);
    r.Active = b[R::oActive];
    r.paste = b[R::oPasteFlag] != 0;
    r.MacroText = terminatedText(b, R::oMacroText, R::kMacroTextBytes, problems);
    r.ScheduleKind = bytes::get<std::int16_t>(b, R::oScheduleKind);
    std::memcpy(r.ScheduleDays.data(), b + R::oScheduleDays, r.ScheduleDays.size());
    const std::uint8_t* time = b + R::oScheduleDays + r.ScheduleDays.size();
    r.ScheduleHour = time[0];
    r.ScheduleMinute = time[1];
    r.ScheduleMonth = time[2];
    r.ScheduleDay = time[3];
    r.HourlyMinute = time[4];
    r.IntervalMinutes = bytes::get<std::uint16_t>(b, R::oIntervalMinutes);
    r.ScheduleWeekday = b[R::oScheduleWeekday];
    r.ScheduleYear = bytes::get<std::uint16_t>(b, R::oScheduleYear);
    r.SchedulePM = b[R::oSchedulePM];
    r.TopMostOnly = b[R::oTopMostOnly];
    return r;
}

ShkRecord decodeShk(const std::uint8_t* b, std::vector<std::string>& problems) {
    using R = ShkRecord;
    R r;
    r.ShortKeyText = shortString(b, R::oShortKeyText, R::kShortKeyText, "ShortKey text", problems);
    r.Active = b[R::oActive];
    r.MacroText = terminatedText(b, R::oMacroText, R::kMacroTextBytes, problems);
    r.paste = b[R::oPasteFlag] != 0;
    return r;
}

}  // namespace orv
