#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// A record of a ".BV2" macro file (another keyboard-macro program's format): 5141 bytes,
// little-endian, length-prefixed strings. The schedule block has the layout of a macro record's.
struct Bv2Record {
    static constexpr std::size_t kSize = 5141;
    static constexpr std::size_t oNickName = 0, kNickName = 50;
    static constexpr std::size_t oWindowTitle = 51, kWindowTitle = 30;
    static constexpr std::size_t oHotKeyCode = 82;
    static constexpr std::size_t oScope = 84;
    static constexpr std::size_t oActive = 86;
    static constexpr std::size_t oPasteFlag = 87;
    static constexpr std::size_t oMacroText = 90, kMacroTextBytes = 5001;
    static constexpr std::size_t oScheduleKind = 5091;
    static constexpr std::size_t oScheduleDays = 5093;  // then hour, minute, month, day, minute past the hour
    static constexpr std::size_t oIntervalMinutes = 5105;
    static constexpr std::size_t oScheduleWeekday = 5107;
    static constexpr std::size_t oScheduleYear = 5108;
    static constexpr std::size_t oSchedulePM = 5110;
    static constexpr std::size_t oTopMostOnly = 5111;

    std::string NickName;
    std::string WindowTitle;
    std::int16_t HotKeyCode = 0;
    std::int16_t Scope = 0;
    std::uint8_t Active = 0;
    bool paste = false;  // the text is pasted through the clipboard instead of typed
    std::string MacroText;
    std::int16_t ScheduleKind = 0;
    std::array<std::uint8_t, 7> ScheduleDays{};
    std::uint8_t ScheduleHour = 0;
    std::uint8_t ScheduleMinute = 0;
    std::uint8_t ScheduleMonth = 0;
    std::uint8_t ScheduleDay = 0;
    std::uint8_t HourlyMinute = 0;
    std::uint16_t IntervalMinutes = 0;
    std::uint8_t ScheduleWeekday = 0;
    std::uint16_t ScheduleYear = 0;
    std::uint8_t SchedulePM = 0;
    std::uint8_t TopMostOnly = 0;
};

// A record of a ".SHK" ShortKey file: 3039 bytes, one ShortKey and its text.
struct ShkRecord {
    static constexpr std::size_t kSize = 3039;
    static constexpr std::size_t oShortKeyText = 3, kShortKeyText = 10;
    static constexpr std::size_t oActive = 14;
    static constexpr std::size_t oMacroText = 17, kMacroTextBytes = 3001;
    static constexpr std::size_t oPasteFlag = 3018;

    std::string ShortKeyText;
    std::uint8_t Active = 0;
    std::string MacroText;
    bool paste = false;
};

// Decode one record from exactly kSize bytes. Damage (a length byte larger than its field, a text
// without its terminating NUL) is described in `problems`, one short phrase each; a damaged
// record is still decoded as far as it goes, nothing is read outside the record.
Bv2Record decodeBv2(const std::uint8_t* bytes, std::vector<std::string>& problems);
ShkRecord decodeShk(const std::uint8_t* bytes, std::vector<std::string>& problems);

}  // namespace orv
