#include "activity_periods.h"

#include <algorithm>

namespace varnoth {
namespace {

constexpr std::int32_t longestDaily = 120;
constexpr std::int32_t longestWeekly = 730;
constexpr int longestMonthlyYears = 50;
constexpr int mostLongBars = 600; // per year, decade or century

// The years one period of a length of years covers.
int yearsOf(PeriodLength length)
{
    switch (length) {
    case PeriodLength::Decade:
        return 10;
    case PeriodLength::Century:
        return 100;
    default:
        return 1;
    }
}

// The day number of the first day of the period after the one that holds
// date. Periods are counted in day numbers, so that the period after one
// that ends on 9999-12-31 starts on a day that no date text has to name.
std::int32_t nextPeriodStart(const CalendarDate &date, PeriodLength length)
{
    switch (length) {
    case PeriodLength::Day:
        return date.dayNumber() + 1;
    case PeriodLength::Week:
        return date.dayNumber() - (isoWeekday(date) - 1) + 7;
    case PeriodLength::Month:
        return date.month() == 12 ? CalendarDate::dayNumberOf(date.year() + 1, 1, 1)
                                  : CalendarDate::dayNumberOf(date.year(), date.month() + 1, 1);
    case PeriodLength::Year:
    case PeriodLength::Decade:
    case PeriodLength::Century:
        break;
    }
    const int years = yearsOf(length);
    return CalendarDate::dayNumberOf(date.year() - date.year() % years + years, 1, 1);
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
    if (last.year() - first.year() < longestMonthlyYears)
        return PeriodLength::Month;
    for (const PeriodLength length : {PeriodLength::Year, PeriodLength::Decade}) {
        const int years = yearsOf(length);
        if (last.year() / years - first.year() / years < mostLongBars)
            return length;
    }
    return PeriodLength::Century;
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
    const std::int32_t lastDay = last.dayNumber();
    for (std::int32_t start = first.dayNumber(); start <= lastDay;) {
        const CalendarDate startDate = CalendarDate::fromDayNumber(start);
        const std::int32_t next = nextPeriodStart(startDate, result.length);
        ActivityPeriod period{startDate, CalendarDate::fromDayNumber(std::min(next - 1, lastDay)), {}};
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
