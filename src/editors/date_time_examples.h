#pragma once

#include <array>
#include <string_view>

#include "engine/date_time_formats.h"

namespace orv {

// The example shown beside each date and time format: the format applied to Monday, 30 March
// 1998, 15:04:23 with leading zeros shown, except that the 12-hour formats show the hour
// without its leading zero. Same order as kDateFormats and kTimeFormats.
inline constexpr std::array<std::string_view, kDateFormats.size()> kDateExamples = {
    "03/30/98",
    "03-30-98",
    "03.30.98",
    "03/30/1998",
    "03-30-1998",
    "03.30.1998",
    "30/03/98",
    "30-03-98",
    "30.03.98",
    "30/03/1998",
    "30-03-1998",
    "30.03.1998",
    "98/03/30",
    "98-03-30",
    "98.03.30",
    "1998/03/30",
    "1998-03-30",
    "1998.03.30",
    "MAR 1998",
    "Mar 1998",
    "30 MAR 98",
    "30 Mar 98",
    "30 MAR 1998",
    "30 Mar 1998",
    "30 March 98",
    "30 March 1998",
    "Mar 30 98",
    "Mar 30, 98",
    "Mar 30 1998",
    "Mar 30, 1998",
    "March 30 98",
    "March 30, 98",
    "March 30 1998",
    "March 30, 1998",
    "033098",
    "03301998",
    "300398",
    "30031998",
    "980330",
    "19980330",
    "30",
    "03",
    "Mar",
    "MAR",
    "March",
    "98",
    "1998",
    "Mon",
    "MON",
    "Monday",
    "MONDAY",
};

inline constexpr std::array<std::string_view, kTimeFormats.size()> kTimeExamples = {
    "15:04",   "15.04",   "15,04",      "1504",       "15:04:23",   "15.04.23",   "15,04,23",   "150423",     "15",
    "04",      "23",      "3:04 pm",    "3.04 pm",    "3,04 pm",    "3:04:23 pm", "3.04.23 pm", "3,04,23 pm", "3:04 PM",
    "3.04 PM", "3,04 PM", "3:04:23 PM", "3.04.23 PM", "3,04,23 PM", "3:04p",      "3.04p",      "3,04p",
};

}  // namespace orv
