#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "activity.h"
#include "exact_sum.h"
#include "forms/number_reading.h"

namespace varnoth {

// Counts uploads per day and per hour of the day as a run reads them. A log
// is written in time order, so the day of the last upload is kept at hand.
// Bytes and seconds are summed exactly, so the tallies of stretches of the
// log joined by append() are exactly those of counting the whole at once.
class ActivityTally {
public:
    ActivityTally() = default;
    ActivityTally(const ActivityTally &) = delete;
    ActivityTally &operator=(const ActivityTally &) = delete;
    ActivityTally(ActivityTally &&) = default;
    ActivityTally &operator=(ActivityTally &&) = default;

    // hour: 0-23, or -1 when the line has none.
    void add(const std::optional<CalendarDate> &date, int hour, double bytes, double seconds)
    {
        if (hour >= 0)
            hours_[static_cast<std::size_t>(hour)].add(bytes, seconds);
        // Nearly every line, inline: dated as the line before.
        if (date && last_ && *date == lastDate_)
            last_->add(bytes, seconds);
        else
            addToDay(date, bytes, seconds);
    }

    void append(const ActivityTally &later);

    // The days in date order; with more, counting its uploads too (this
    // tally stays as it is).
    Activity finish(const ActivityTally *more = nullptr) const;

private:
    struct Count {
        std::int64_t uploads = 0;
        ExactSum bytes;
        ExactSum seconds;
        void add(double moreBytes, double moreSeconds)
        {
            uploads = checkedAdd(uploads, 1);
            bytes.add(moreBytes);
            seconds.add(moreSeconds);
        }
        void add(const Count &other);
        ActivityCount finish() const;
    };
    void addToDay(const std::optional<CalendarDate> &date, double bytes, double seconds);

    std::unordered_map<std::int32_t, Count> days_;
    CalendarDate lastDate_ = CalendarDate::fromDayNumber(0);
    Count *last_ = nullptr;
    std::array<Count, 24> hours_{};
    std::int64_t undated_ = 0;
};

} // namespace varnoth
