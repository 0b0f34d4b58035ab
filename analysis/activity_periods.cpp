#include "activity_periods.h"

#include <algorithm>

namespace varnoth {
namespace {

constexpr std::int32_t longestDaily = 120;
constexpr std::int32_t longestWeekly = 730;
constexpr int longestMonthlyYears = 50;

// The first day of the period of the given length that holds date.
CalendarDate periodStart(const CalendarDate &date, PeriodLength length)
{
    switch (length) {
    case PeriodLength::Day:
        return date;
    case PeriodLength::Week:
        return CalendarDate::fromDayNumber(date.dayNumber() - (isoWeekday(date) - 1));
    case PeriodLength::Month:
        return CalendarDate::fromDayNumber(date.dayNumber() - (date.day() - 1));
    case PeriodLength::Year:
        return *CalendarDate::parse(date.text().substr(0, 4) + "-01-01");
    }
    return date;
}

// The first day of the period after the one that starts at start.
CalendarDate nextPeriodStart(const CalendarDate &start, PeriodLength length)
{
    switch (length) {
    case PeriodLength::Day:
        return CalendarDate::fromDayNumber(start.dayNumber() + 1);
    case PeriodLength::Week:
        return CalendarDate::fromDayNumber(start.dayNumber() + 7);
    case PeriodLength::Month:
        // 31 days on from the 1st always lands in the next month.
        return periodStart(CalendarDate::fromDayNumber(start.dayNumber() + 31), PeriodLength::Month);
    case PeriodLength::Year:
        // 366 days on from the 1st of January always lands in the next year.
        return periodStart(CalendarDate::fromDayNumber(start.dayNumber() + 366), PeriodLength::Year);
    }
    return start;
}

void add(ActivityCount &sum, const ActivityCount &count)
{
    sum.uploads += count.uploads;
    sum.bytes += count.bytes;
    sum.seconds += count.seconds;
}

} // namespace

int isoWeekday(const CalendarDate &date)
{
    // 1970-01-01 was a Thursday.
    const std::int32_t sinceMonday = (date.dayNumber() + 3) % 7;
    return static_cast<int>(sinceMonday < 0 ? sinceMonday + 7 : sinceMonday) + 1;
}

PeriodLength periodLengthFor(const CalendarDate &first, const CalendarDate &last)
{
    const std::int32_t days = last.dayNumber() - first.dayNumber() + 1;
    if (days <= longestDaily)
        return PeriodLength::Day;
    if (days <= longestWeekly)
        return PeriodLength::Week;
    return last.year() - first.year() < longestMonthlyYears ? PeriodLength::Month : PeriodLength::Year;
}

std::optional<DateRange> shownSpan(const Activity &activity, const DateRange &span)
{
    const auto first = span.from ? span.from : activity.first();
    const auto last = span.to ? span.to : activity.last();
    if (!first || !last || *last < *first)
        return std::nullopt;
    return DateRange{first, last};
}

ActivityPeriods activityPeriods(const Activity &activity, const DateRange &span)
{
    ActivityPeriods result;
    const auto shown = shownSpan(activity, span);
    if (!shown)
        return result;
    const CalendarDate first = *shown->from;
    const CalendarDate last = *shown->to;
    result.length = periodLengthFor(first, last);
    auto day = activity.days.begin();
    while (day != activity.days.end() && day->date < first)
        ++day;
    for (CalendarDate start = first; start <= last;) {
        const CalendarDate next = nextPeriodStart(periodStart(start, result.length), result.length);
        ActivityPeriod period{start, std::min(CalendarDate::fromDayNumber(next.dayNumber() - 1), last), {}};
        for (; day != activity.days.end() && day->date <= period.end; ++day)
            add(period.count, day->count);
        result.periods.push_back(period);
        start = next;
    }
    return result;
}

std::optional<DayActivity> busiestDay(const Activity &activity)
{
    const auto busiest =
        std::max_element(activity.days.begin(), activity.days.end(),
                         [](const DayActivity &a, const DayActivity &b) { return a.count.uploads < b.count.uploads; });
    return busiest == activity.days.end() ? std::nullopt : std::optional<DayActivity>(*busiest);
}

int busiestHour(const Activity &activity)
{
    const auto busiest =
        std::max_element(activity.hours.begin(), activity.hours.end(),
                         [](const ActivityCount &a, const ActivityCount &b) { return a.uploads < b.uploads; });
    return busiest->uploads == 0 ? -1 : static_cast<int>(busiest - activity.hours.begin());
}

} // namespace varnoth
