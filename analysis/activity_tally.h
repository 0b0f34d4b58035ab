#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "activity.h"

namespace varnoth {

// Counts uploads per day and per hour of the day as a run reads them. A log
// is written in time order, so the day of the last upload is kept at hand.
class ActivityTally {
public:
    // hour: 0-23, or -1 when the line has none.
    void add(const std::optional<CalendarDate> &date, int hour, double bytes, double seconds);

    // The days in date order.
    Activity finish() const;

private:
    std::unordered_map<std::int32_t, ActivityCount> days_;
    std::int32_t lastDay_ = 0;
    ActivityCount *last_ = nullptr;
    Activity activity_; // hours and undated
};

} // namespace varnoth
