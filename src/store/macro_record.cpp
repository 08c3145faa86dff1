#include "store/macro_record.h"

#include <algorithm>
#include <cstring>

#include "platform/byte_io.h"

namespace orv {

namespace {

void checkLength(const RecordBytes& b, std::size_t offset, std::size_t capacity, const char* field,
                 std::vector<std::string>* problems) {
    if (problems != nullptr && b[offset] > capacity) {
        problems->push_back(std::string(field) + " length " + std::to_string(b[offset]) + " is larger than its " +
                            std::to_string(capacity) + "-character field");
    }
}

}  // namespace

RecordBytes encodeRecord(const TMacroRecord& r) {
    RecordBytes b{};
    std::uint8_t* p = b.data();
    bytes::putShortString(p, TMacroRecord::oNickName, TMacroRecord::kNickName, r.NickName);
    bytes::putShortString(p, TMacroRecord::oWindowTitle, TMacroRecord::kWindowTitle, r.WindowTitle);
    bytes::putShortString(p, TMacroRecord::oShortKeyText, TMacroRecord::kShortKeyText, r.ShortKeyText);
    bytes::put(p, TMacroRecord::oHotKeyCode, r.HotKeyCode);
    bytes::put(p, TMacroRecord::oScope, r.Scope);
    b[TMacroRecord::oActive] = r.Active;
    if (r.isPopupMenu()) {
        const std::size_t count = std::min<std::size_t>(r.MenuItems.size(), kMaxPopupItems);
        bytes::put(p, TMacroRecord::oMacroText, static_cast<std::int16_t>(count));
        for (std::size_t i = 0; i < count; ++i) bytes::put(p, TMacroRecord::oMacroText + 2 + 2 * i, r.MenuItems[i]);
    } else {
        const std::size_t length = std::min(r.MacroText.size(), kMaxMacroText);
        std::memcpy(p + TMacroRecord::oMacroText, r.MacroText.data(), length);
        // The byte after the text is already the terminating NUL.
    }
    bytes::putShortString(p, TMacroRecord::oIconName, TMacroRecord::kIconName, r.IconName);
    bytes::put(p, TMacroRecord::oScheduleKind, r.ScheduleKind);
    std::memcpy(p + TMacroRecord::oScheduleDays, r.ScheduleDays.data(), 7);
    b[TMacroRecord::oScheduleHour] = r.ScheduleHour;
    b[TMacroRecord::oScheduleMinute] = r.ScheduleMinute;
    b[TMacroRecord::oScheduleMonth] = r.ScheduleMonth;
    b[TMacroRecord::oScheduleDay] = r.ScheduleDay;
    b[TMacroRecord::oHourlyMinute] = r.HourlyMinute;
    bytes::put(p, TMacroRecord::oIntervalMinutes, r.IntervalMinutes);
    b[TMacroRecord::oScheduleWeekday] = r.ScheduleWeekday;
    bytes::put(p, TMacroRecord::oScheduleYear, r.ScheduleYear);
    b[TMacroRecord::oSchedulePM] = r.SchedulePM;
    b[TMacroRecord::oTopMostOnly] = r.TopMostOnly;
    bytes::put(p, TMacroRecord::oLastModified, r.LastModified);
    return b;
}

TMacroRecord decodeRecord(const RecordBytes& b, std::vector<std::string>* problems) {
    TMacroRecord r;
    const std::uint8_t* p = b.data();
    checkLength(b, TMacroRecord::oNickName, TMacroRecord::kNickName, "nickname", problems);
    checkLength(b, TMacroRecord::oWindowTitle, TMacroRecord::kWindowTitle, "window title", problems);
    checkLength(b, TMacroRecord::oShortKeyText, TMacroRecord::kShortKeyText, "ShortKey text", problems);
    checkLength(b, TMacroRecord::oIconName, TMacroRecord::kIconName, "icon name", problems);
    r.NickName = bytes::getShortString(p, TMacroRecord::oNickName, TMacroRecord::kNickName);
    r.WindowTitle = bytes::getShortString(p, TMacroRecord::oWindowTitle, TMacroRecord::kWindowTitle);
    r.ShortKeyText = bytes::getShortString(p, TMacroRecord::oShortKeyText, TMacroRecord::kShortKeyText);
    r.HotKeyCode = bytes::get<std::int16_t>(p, TMacroRecord::oHotKeyCode);
    r.Scope = bytes::get<std::int16_t>(p, TMacroRecord::oScope);
    r.Active = b[TMacroRecord::oActive];
    if (r.isPopupMenu()) {
        const std::int16_t count = bytes::get<std::int16_t>(p, TMacroRecord::oMacroText);
        if (count < 0) {
            if (problems != nullptr) problems->push_back("popup menu count " + std::to_string(count) + " is negative");
        } else if (count > kMaxPopupItems && problems != nullptr) {
            problems->push_back("popup menu count " + std::to_string(count) + " is more than " +
                                std::to_string(kMaxPopupItems) + "; the first " + std::to_string(kMaxPopupItems) +
                                " entries are kept");
        }
        // A menu holds at most 36 entries; the first 36 of a longer list are all inside the field.
        for (int i = 0; i < std::min<int>(count, kMaxPopupItems); ++i)
            r.MenuItems.push_back(
                bytes::get<std::int16_t>(p, TMacroRecord::oMacroText + 2 + 2 * static_cast<std::size_t>(i)));
    } else {
        const char* text = reinterpret_cast<const char*>(p + TMacroRecord::oMacroText);
        const void* nul = std::memchr(text, 0, TMacroRecord::kMacroTextBytes);
        std::size_t length =
            nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : kMaxMacroText;
        if (nul == nullptr && problems != nullptr) problems->push_back("macro text has no end; cut to 5000 characters");
        if (length > kMaxMacroText) length = kMaxMacroText;
        r.MacroText.assign(text, length);
    }
    r.IconName = bytes::getShortString(p, TMacroRecord::oIconName, TMacroRecord::kIconName);
    r.ScheduleKind = bytes::get<std::int16_t>(p, TMacroRecord::oScheduleKind);
    std::memcpy(r.ScheduleDays.data(), p + TMacroRecord::oScheduleDays, 7);
    r.ScheduleHour = b[TMacroRecord::oScheduleHour];
    r.ScheduleMinute = b[TMacroRecord::oScheduleMinute];
    r.ScheduleMonth = b[TMacroRecord::oScheduleMonth];
    r.ScheduleDay = b[TMacroRecord::oScheduleDay];
    r.HourlyMinute = b[TMacroRecord::oHourlyMinute];
    r.IntervalMinutes = bytes::get<std::uint16_t>(p, TMacroRecord::oIntervalMinutes);
    r.ScheduleWeekday = b[TMacroRecord::oScheduleWeekday];
    r.ScheduleYear = bytes::get<std::uint16_t>(p, TMacroRecord::oScheduleYear);
    r.SchedulePM = b[TMacroRecord::oSchedulePM];
    r.TopMostOnly = b[TMacroRecord::oTopMostOnly];
    r.LastModified = bytes::get<double>(p, TMacroRecord::oLastModified);
    return r;
}

}  // namespace orv
