#include "activity_tally.h"

#include <algorithm>

#include "forms/number_reading.h"

namespace varnoth {
namespace {

void count(ActivityCount &c, double bytes, double seconds)
{
    c.uploads = checkedAdd(c.uploads, 1);
    c.bytes += bytes;
    c.seconds += seconds;
}

} // namespace

void ActivityTally::add(const std::optional<CalendarDate> &date, int hour, double bytes, double seconds)
{
    if (hour >= 0)
        count(activity_.hours[static_cast<std::size_t>(hour)], bytes, seconds);
    if (!date) {
        activity_.undated = checkedAdd(activity_.undated, 1);
        return;
    }
    const std::int32_t day = date->dayNumber();
    if (!last_ || day != lastDay_) {
        last_ = &days_[day]; // elements keep their place when the map grows
        lastDay_ = day;
    }
    count(*last_, bytes, seconds);
}

Activity ActivityTally::finish() const
{
    Activity activity = activity_;
    activity.days.reserve(days_.size());
    for (const auto &[day, c] : days_)
        activity.days.push_back({CalendarDate::fromDayNumber(day), c});
    std::sort(activity.days.begin(), activity.days.end(),
              [](const DayActivity &a, const DayActivity &b) { return a.date < b.date; });
    return activity;
}

} // namespace varnoth
