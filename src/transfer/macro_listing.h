#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/user_prompt.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv {

// --- The printed macro list ---

// One printed line: the activation, the nickname and the scope of a macro.
struct PrintLine {
    std::string activation;
    std::string nickName;
    std::string scope;
};
PrintLine printLineOf(const TMacroRecord& record);

// Column widths and line height of the printed list, in the printer's units: each the largest
// measured text, times 1.1, truncated.
struct PrintColumns {
    int lineHeight = 0;
    int activationWidth = 0;
    int nickNameWidth = 0;
};
using TextMeasure = std::function<int(const std::string& text)>;
PrintColumns measurePrintList(const std::vector<PrintLine>& lines, const TextMeasure& widthOf,
                              const TextMeasure& heightOf);

// A text placed on a page: its top-left corner in the printer's units.
struct PlacedText {
    int x = 0;
    int y = 0;
    std::string text;

    friend bool operator==(const PlacedText&, const PlacedText&) = default;
};
using PrintedPage = std::vector<PlacedText>;

// The pages of the list: every copy starts on a page of its own with the heading at the margins
// (left a 17th of the page width, top a 22nd of its height); the macros follow from the third
// line on. A page is full once a line has been placed below the page height less twice the top
// margin; the next page goes on from its top margin without the heading. No page is empty.
std::vector<PrintedPage> layOutPrintList(const std::string& heading, const std::vector<PrintLine>& lines,
                                         const PrintColumns& columns, int pageWidth, int pageHeight, int copies);

// The heading of the printed list.
std::string printHeading(const std::string& macroFile);
// The print list font as chosen in "Printer &Font": without underline and strike-out.
FontSetting printListFont(FontSetting chosen);

// --- "Output Macros To File" ---

inline constexpr const char* kMsgNothingChecked = "Nothing has been checked for printing.  Please Correct.";
inline constexpr const char* kMsgUnableToCreateText = "Unable to create text file.";

// The six check boxes of "Macro Information To Output", all ticked at first.
struct OutputChoices {
    bool hotKey = true;
    bool name = true;
    bool window = true;
    bool text = true;
    bool schedule = true;
    bool icon = true;

    // "&Ok" needs one of "&Hot Key", "&Name", "&Window" and "&Text".
    bool enough() const { return hotKey || name || window || text; }
};

// The information text of `records` (in list order), one block of lines per macro and an empty
// line after each. Lines end in "\n"; line breaks inside a macro text become "\n" too.
std::string macroInformation(const std::vector<TMacroRecord>& records, const OutputChoices& choices);
// Writes the information of `records` to `path` as UTF-8 text, replacing a file that is there.
// False, after saying so, when the file cannot be made.
bool writeMacroInformation(const std::string& path, const std::vector<TMacroRecord>& records,
                           const OutputChoices& choices, IUserPrompt& prompt);

}  // namespace orv
