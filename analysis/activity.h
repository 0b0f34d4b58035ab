#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "calendar_date.h"

namespace varnoth {

// Uploads counted together: how many, their byte counts and their durations.
struct ActivityCount {
    std::int64_t uploads = 0;
    double bytes = 0;
    double seconds = 0;
};

struct DayActivity {
    CalendarDate date;
    ActivityCount count;
};

// When the uploads of a run happened: per day (only days with uploads, in
// date order) and per hour of the day. An upload without a date counts as
// undated, and still in its hour when its line has one.
struct Activity {
    std::vector<DayActivity> days;
    std::array<ActivityCount, 24> hours{};
    std::int64_t undated = 0;

    // The earliest and latest day with uploads; nothing when no upload has a date.
    std::optional<CalendarDate> first() const;
    std::optional<CalendarDate> last() const;
};

} // namespace varnoth
