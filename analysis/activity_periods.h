#pragma once

#include <optional>
#include <vector>

#include "activity.h"
#include "calendar_date.h"

namespace varnoth {

// How many days one bar of the activity chart covers. Decades and centuries
// begin with a year that ends in 0 or 00 (2000 to 2009, 1900 to 1999).
enum class PeriodLength { Day, Week, Month, Year, Decade, Century };

// The days from start to end (both included) and the uploads on them.
struct ActivityPeriod {
    CalendarDate start;
    CalendarDate end;
    ActivityCount count;
};

// The bars of the activity chart: every period from the first day with
// uploads to the last, empty ones included, in date order.
struct ActivityPeriods {
    PeriodLength length = PeriodLength::Day;
    std::vector<ActivityPeriod> periods;
};

// Per day up to 120 days from the first day to the last (both counted), per
// week (Monday to Sunday) up to two years (730 days), per month up to 50
// years, then per year, decade or century, whichever makes at most 600 bars:
// a log dated wrongly (0001 and 9999 in one log) still gets a chart of a
// hundred bars, never tens of thousands.
PeriodLength periodLengthFor(const CalendarDate &first, const CalendarDate &last);

// The activity's days gathered into periods of the length that its span
// calls for: the days of span, its open ends taken from the first and the
// last day with uploads (a run narrowed to a range shows the whole range,
// its days without uploads as empty periods). The first and the last period
// are cut to the span, so that every period lies within it.
ActivityPeriods activityPeriods(const Activity &activity, const DateRange &span = {});

// The span that activityPeriods shows: span with its open ends taken from
// the activity; nothing where an end stays open (no dated upload).
std::optional<DateRange> shownSpan(const Activity &activity, const DateRange &span);

// 1 for Monday to 7 for Sunday.
int isoWeekday(const CalendarDate &date);

// The day with the most uploads (the earliest of equals); nothing without dated uploads.
std::optional<DayActivity> busiestDay(const Activity &activity);
// The hour of the day with the most uploads (the earliest of equals); -1 when no upload has an hour.
int busiestHour(const Activity &activity);

} // namespace varnoth
