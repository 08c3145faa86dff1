#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "store/macro_record.h"

namespace orv {

// One row of the import and export lists: the macro list's three columns.
struct PickRow {
    std::string activation;
    std::string nickName;
    std::string scope;
};
// The row of a macro as a record holds it (the window title as the index keeps it, 20 characters).
PickRow pickRowOf(const TMacroRecord& record);

// The rows the user picks from and which of them are picked.
class PickList {
public:
    const std::vector<PickRow>& rows() const { return rows_; }
    std::size_t size() const { return rows_.size(); }
    bool picked(std::size_t row) const { return picked_.at(row); }
    void setPicked(std::size_t row, bool on) { picked_.at(row) = on; }
    void pickAll() { picked_.assign(rows_.size(), true); }
    void clearPicks() { picked_.assign(rows_.size(), false); }
    std::size_t pickedCount() const;

protected:
    void setRows(std::vector<PickRow> rows);

private:
    std::vector<PickRow> rows_;
    std::vector<bool> picked_;
};

}  // namespace orv
