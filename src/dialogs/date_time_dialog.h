#pragma once

#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// The example shown beside each format: the format applied to Monday, 30 March 1998, 15:04:23
// with leading zeros, the 12-hour formats without a leading zero on the hour. `index` is 0-based.
std::string dateFormatExample(std::size_t index);
std::string timeFormatExample(std::size_t index);

// "Dates" / "Times" (TDateOrTime): the date and time commands.
struct TDateOrTimeTypes {
    struct Values {
        bool date = true;
        int format = 1;  // 1-based position in the format list
        bool leadingZeros = false;
        bool future = true;
        int days = 0;
    };
};
class TDateOrTime final : public ValuesDialog<TDateOrTimeTypes> {
public:
    TDateOrTime();
    std::string_view typeName() const override { return "TDateOrTime"; }
    std::string caption() const override { return get("mode") == "time" ? "Times" : "Dates"; }
    std::string title() const { return get("mode") == "time" ? "Select Time Format" : "Select Date Format"; }
    // A new command starts on the remembered format and check box; an edited one keeps its values.
    void show(const DialogEnv& env) override;
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

}  // namespace orv::dialogs
