// libFuzzer target over dates and date ranges: the date of a log line, its
// hour, a range's test, and the activity chart's periods for any two dates
// (bounded in number, covering every day once, ending at the last day).

#include <cstdint>
#include <string_view>

#include "analysis/activity_periods.h"
#include "analysis/calendar_date.h"
#include "expect.h"

using namespace varnoth;
using fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    // The input's lines, each dated as the run dates them.
    LineDates dates;
    std::optional<CalendarDate> first, second;
    for (std::size_t start = 0; start <= bytes.size();) {
        const std::size_t stop = std::min(bytes.find('\n', start), bytes.size());
        const std::string_view line = bytes.substr(start, stop - start);
        const std::optional<CalendarDate> date = lineDate(line);
        expect(dates.of(line) == date, "a line's date is the same read alone or after others");
        if (date) {
            expect(date->text() == line.substr(0, 10), "a date reads back as its text");
            expect(CalendarDate::fromDayNumber(date->dayNumber()) == *date, "day numbers go both ways");
            (first ? second : first) = date;
        }
        const int hour = lineHour(line);
        expect(hour >= -1 && hour <= 23, "an hour is 0 to 23, or none");
        start = stop + 1;
    }
    if (!first || !second)
        return 0;
    const DateRange range{std::min(*first, *second), std::max(*first, *second)};
    expect(range.contains(*first) && range.contains(*second), "a range holds its ends");
    Activity activity;
    activity.days.push_back({*range.from, {1, 5, 1}});
    if (*range.to != *range.from)
        activity.days.push_back({*range.to, {2, 7, 1}});
    const ActivityPeriods periods = activityPeriods(activity);
    expect(!periods.periods.empty() && periods.periods.size() <= 600, "at most 600 periods");
    expect(periods.periods.front().start == *range.from && periods.periods.back().end == *range.to,
           "the periods span the days with uploads");
    std::int64_t uploads = 0;
    for (std::size_t i = 0; i < periods.periods.size(); ++i) {
        const ActivityPeriod &period = periods.periods[i];
        expect(period.start <= period.end, "a period has days");
        if (i > 0)
            expect(periods.periods[i - 1].end.dayNumber() + 1 == period.start.dayNumber(), "periods follow each other");
        uploads += period.count.uploads;
    }
    expect(uploads == (*range.to == *range.from ? 1 : 3), "every upload is in one period");
    return 0;
}
