#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

inline constexpr std::size_t kMaxMacroText = 5000;
inline constexpr int kMaxPopupItems = 36;

// One macro as stored: a 5165-byte little-endian record. Strings hold Windows-1252 bytes.
struct TMacroRecord {
    static constexpr std::size_t kSize = 5165;

    // Field offsets and string capacities.
    static constexpr std::size_t oNickName = 0, kNickName = 50;
    static constexpr std::size_t oWindowTitle = 51, kWindowTitle = 30;
    static constexpr std::size_t oShortKeyText = 82, kShortKeyText = 10;
    static constexpr std::size_t oHotKeyCode = 93;
    static constexpr std::size_t oScope = 95;
    static constexpr std::size_t oActive = 97;
    static constexpr std::size_t oReserved98 = 98;
    static constexpr std::size_t oMacroText = 100, kMacroTextBytes = 5001;
    static constexpr std::size_t oIconName = 5101, kIconName = 12;
    static constexpr std::size_t oScheduleKind = 5114;
    static constexpr std::size_t oScheduleDays = 5116;
    static constexpr std::size_t oScheduleHour = 5123;
    static constexpr std::size_t oScheduleMinute = 5124;
    static constexpr std::size_t oScheduleMonth = 5125;
    static constexpr std::size_t oScheduleDay = 5126;
    static constexpr std::size_t oHourlyMinute = 5127;
    static constexpr std::size_t oIntervalMinutes = 5128;
    static constexpr std::size_t oScheduleWeekday = 5130;
    static constexpr std::size_t oScheduleYear = 5131;
    static constexpr std::size_t oSchedulePM = 5133;
    static constexpr std::size_t oTopMostOnly = 5134;
    static constexpr std::size_t oLastModified = 5135;
    static constexpr std::size_t oReserved5143 = 5143;

    std::string NickName;
    std::string WindowTitle;
    std::string ShortKeyText;
    std::int16_t HotKeyCode = 0;
    std::int16_t Scope = 0;
    std::uint8_t Active = 0;
    // The macro text (at most 5000 characters). Not used for popup-menu macros (Scope 4),
    // whose text area holds MenuItems instead.
    std::string MacroText;
    // Popup-menu overlay: the macro numbers of the menu lines (at most 36).
    std::vector<std::int16_t> MenuItems;
    std::string IconName;
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
    double LastModified = 0;

    bool isPopupMenu() const { return Scope == 4; }

    friend bool operator==(const TMacroRecord&, const TMacroRecord&) = default;
};

using RecordBytes = std::array<std::uint8_t, TMacroRecord::kSize>;

// Encodes a record. Strings longer than their field are cut; reserved bytes and bytes past a
// string's length are zero.
RecordBytes encodeRecord(const TMacroRecord& record);

// Decodes a record. Damage that the decoder repairs in memory (a length byte larger than its
// field, a macro text without its terminating NUL, a popup-menu count outside 0..36) is
// described in `problems`, one short phrase each; nothing is read outside the 5165 bytes.
TMacroRecord decodeRecord(const RecordBytes& bytes, std::vector<std::string>* problems = nullptr);

}  // namespace orv
