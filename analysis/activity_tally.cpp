#include "activity_tally.h"

#include <algorithm>

#include "forms/number_reading.h"

namespace varnoth {

void ActivityTally::Count::add(const Count &other)
{
    uploads = checkedAdd(uploads, other.uploads);
    bytes.add(other.bytes);
    seconds.add(other.seconds);
}

ActivityCount ActivityTally::Count::finish() const
{
    return {uploads, bytes.value(), seconds.value()};
}

void ActivityTally::addToDay(const std::optional<CalendarDate> &date, double bytes, double seconds)
{
    if (!date) {
        undated_ = checkedAdd(undated_, 1);
        return;
    }
    if (!last_ || *date != lastDate_) {
        last_ = &days_[date->dayNumber()]; // elements keep their place when the map grows
        lastDate_ = *date;
    }
    last_->add(bytes, seconds);
}

void ActivityTally::append(const ActivityTally &later)
{
    for (std::size_t h = 0; h < hours_.size(); ++h)
        hours_[h].add(later.hours_[h]);
    undated_ = checkedAdd(undated_, later.undated_);
    for (const auto &[day, count] : later.days_)
        days_[day].add(count);
    last_ = nullptr;
}

Activity ActivityTally::finish(const ActivityTally *more) const
{
    Activity activity;
    for (std::size_t h = 0; h < hours_.size(); ++h) {
        Count hour = hours_[h];
        if (more)
            hour.add(more->hours_[h]);
        activity.hours[h] = hour.finish();
    }
    activity.undated = more ? checkedAdd(undated_, more->undated_) : undated_;
    activity.days.reserve(days_.size() + (more ? more->days_.size() : 0));
    for (const auto &[day, c] : days_) {
        Count count = c;
        if (more)
            if (const auto also = more->days_.find(day); also != more->days_.end())
                count.add(also->second);
        activity.days.push_back({CalendarDate::fromDayNumber(day), count.finish()});
    }
    if (more)
        for (const auto &[day, c] : more->days_)
            if (!days_.count(day))
                activity.days.push_back({CalendarDate::fromDayNumber(day), c.finish()});
    std::sort(activity.days.begin(), activity.days.end(),
              [](const DayActivity &a, const DayActivity &b) { return a.date < b.date; });
    return activity;
}

} // namespace varnoth
