#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "activation/autostart.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv {

// "Sort Order": three lists of digits in the order the user arranges them, and whether a right
// click on a column header sorts by that column.
struct SortOrderModel {
    enum List { Primary, Activation, Scope };
    std::array<std::vector<int>, 3> lists;
    bool sortHeader = true;

    // The stored orders; a damaged value keeps its valid digits in their order and gets the
    // missing ones appended, so each list always holds every entry once.
    static SortOrderModel fromSettings(const TAppSettings& settings);
    // The caption of an entry ("Activation", "Hot Key", "Specific Window" ...).
    static std::string_view entryName(List list, int digit);

    static bool canMoveUp(int index) { return index > 0; }
    bool canMoveDown(List list, int index) const {
        return index >= 0 && index + 1 < static_cast<int>(lists[list].size());
    }
    // Moves entry `index` one place; returns its new index.
    int moveUp(List list, int index);
    int moveDown(List list, int index);

    // "&Ok": each list as the string of its digits, and the check box.
    void apply(TAppSettings& settings) const;
};

// "Appearance": the three column widths as typed, the two fonts, the button layout and icons.
struct AppearanceModel {
    static constexpr std::size_t kWidthChars = 4;
    std::array<std::string, 3> widths;
    FontSetting gridFont;
    FontSetting titleFont;
    bool speedButtons = true;
    bool showIcons = true;

    static AppearanceModel fromSettings(const TAppSettings& settings);
    // The first width (0..2, in field order) that is not a whole number greater than 0.
    std::optional<int> invalidWidth() const;
    // Stores everything; call only when invalidWidth() is empty.
    void apply(TAppSettings& settings) const;
};
inline constexpr const char* kMsgInvalidWidth = "Invalid width specified.";

// The grid font loses italic, underline and strike-out: italics mark deactivated macros.
FontSetting plainGridFont(FontSetting font);
// A stored font that can be used: a missing name or a size outside 1..200 points takes the value
// of `fallback` (the setting's default).
FontSetting usableFont(const FontSetting& font, const FontSetting& fallback);

// "Settings": how the program shows itself and what the close button does.
struct PreferenceModel {
    enum class Visibility { Taskbar, Tray, Hide };
    Visibility visibility = Visibility::Taskbar;
    bool useClose = false;
    // Whether the program starts with the desktop session, and with which switches. The caller
    // fills it from the user's autostart entry and writes it back there (updateAutostart), not
    // to the configuration file.
    AutostartSetting autostart;

    static PreferenceModel fromSettings(const TAppSettings& settings);
    // What keeps "&Ok" from closing the dialog: start-up switches whose quotation mark is not
    // closed. Empty when the choice can be stored.
    std::string check() const;
    void apply(TAppSettings& settings) const;
    // The File menu's Hide item works in the tray and hidden modes.
    bool hideEnabled() const { return visibility != Visibility::Taskbar; }
};

// What "Quick Info" shows of one record.
struct QuickInfoText {
    std::string lastModified;  // "Last Modified On ..."
    std::string iconName;      // "MAIN", "MENU" or the file name in the Icons folder
    std::string activationCaption;
    std::string activationValue;
    std::string nickName;
    std::string scope;
    std::string active;  // "Yes" / "No"
    bool showText = true;
    std::string textCaption;
    std::string macroText;
};
QuickInfoText quickInfo(const TMacroRecord& record);

}  // namespace orv
