#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/activation_table.h"
#include "store/app_settings.h"

namespace orv {

// The macro list without its window: which macro each row shows (the row map), the selected row
// and the text typed to find a macro. Rows are numbered 1..rowCount() as the grid numbers its
// data rows (row 0 is the header); 0 stands for "no row".
class MacroList {
public:
    static constexpr std::size_t kMaxSearch = 255;

    // Rebuilds the row map from the index, sorts it when it holds two macros or more, and selects
    // the first row (no row when the index is empty). Clears nothing else.
    void FillList(const TActivationTable& table, const TAppSettings& settings);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    // The macro shown in `row`, or 0 outside 1..rowCount().
    int macroAt(int row) const;
    // The row that shows `macro`, or -1.
    int ReverseSort(int macro) const;
    const std::vector<std::int32_t>& rowMap() const { return rows_; }

    int selectedRow() const { return selected_; }
    int selectedMacro() const { return macroAt(selected_); }
    // Selects `row`; a row outside 1..rowCount() selects nothing.
    void select(int row);

    // A character typed into the list: Tab, line feed, Enter and Escape clear the search text;
    // Backspace takes its last character off; any other character is upper-cased and added. The
    // first row whose Activation text begins with the search text is then selected (an empty text
    // begins no row). True when the selection moved.
    bool keyPress(char c);
    // A key pressed in the list: Ctrl, Alt and the paging and arrow keys clear the search text.
    void keyDown(int virtualKey);
    // The list gained or lost the focus.
    void clearSearch() { search_.clear(); }
    const std::string& searchText() const { return search_; }

private:
    std::vector<std::int32_t> rows_;      // rows_[r - 1] is the macro of row r
    std::vector<std::string> findTexts_;  // upper-cased Activation text of each row
    int selected_ = 0;
    std::string search_;
};

}  // namespace orv
