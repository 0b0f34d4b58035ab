#include "activity_captions.h"

#include <array>
#include <cmath>
#include <numeric>

#include "forms/number_forms.h"
#include "result_cells.h"

namespace varnoth {
namespace {

// At least two digits ("07", "123"), as clock times show them.
std::string twoDigits(double value)
{
    return formatPattern(value, Pattern::TwoDigits, NumberFormat::c());
}

constexpr std::array<const char *, 7> weekdayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                      "Friday", "Saturday", "Sunday"};
constexpr std::array<const char *, 12> monthNames = {"January",   "February", "March",    "April",
                                                     "May",       "June",     "July",     "August",
                                                     "September", "October",  "November", "December"};

std::string dayName(const CalendarDate &date)
{
    return std::string(weekdayNames[static_cast<std::size_t>(isoWeekday(date) - 1)]) + " " + date.text();
}

// A year as dates write it, in four digits: "2003", "0001".
std::string yearText(const CalendarDate &date)
{
    return date.text().substr(0, 4);
}

std::string monthName(const CalendarDate &date, std::size_t letters)
{
    return std::string(monthNames[static_cast<std::size_t>(date.month() - 1)]).substr(0, letters) + " " +
           yearText(date);
}

std::string megabytes(double bytes, const NumberFormat &format)
{
    return formatPattern(bytes / 1e6, Pattern::TwoDecimals, format) + " MB";
}

std::string uploads(std::int64_t count)
{
    return plainDecimal(count) + (count == 1 ? " upload" : " uploads");
}

} // namespace

std::string periodChartTitle(PeriodLength length)
{
    switch (length) {
    case PeriodLength::Day:
        return "Uploads per day";
    case PeriodLength::Week:
        return "Uploads per week";
    case PeriodLength::Month:
        return "Uploads per month";
    case PeriodLength::Year:
        return "Uploads per year";
    case PeriodLength::Decade:
        return "Uploads per decade";
    case PeriodLength::Century:
        return "Uploads per century";
    }
    return {};
}

std::string periodName(const ActivityPeriod &period, PeriodLength length)
{
    switch (length) {
    case PeriodLength::Day:
        return dayName(period.start);
    case PeriodLength::Week:
        return "Week " + period.start.text() + " to " + period.end.text();
    case PeriodLength::Month:
        return monthName(period.start, std::string::npos);
    case PeriodLength::Year:
        return yearText(period.start);
    case PeriodLength::Decade:
    case PeriodLength::Century:
        return "Years " + yearText(period.start) + " to " + yearText(period.end);
    }
    return {};
}

std::string hourName(int hour)
{
    return twoDigits(hour) + ":00 to " + twoDigits((hour + 1) % 24) + ":00";
}

std::string activityFigures(const ActivityCount &count, const NumberFormat &format)
{
    // Whole seconds as hours (every digit, however many), minutes and seconds.
    const double seconds = std::round(count.seconds);
    const double belowHour = std::fmod(seconds, 3600.0);
    return uploads(count.uploads) + "\n" + megabytes(count.bytes, format) + "\nUpload time " +
           twoDigits((seconds - belowHour) / 3600) + ":" + twoDigits(std::trunc(belowHour / 60)) + ":" +
           twoDigits(std::fmod(belowHour, 60.0));
}

std::string busiestDayCaption(const Activity &activity, const NumberFormat &format)
{
    const auto day = busiestDay(activity);
    if (!day)
        return "Busiest day : none, no upload has a date";
    return "Busiest day : " + dayName(day->date) + ", " + uploads(day->count.uploads) + ", " +
           megabytes(day->count.bytes, format);
}

std::string busiestHourCaption(const Activity &activity)
{
    const int hour = busiestHour(activity);
    if (hour < 0)
        return "Busiest hour : none, no upload has an hour";
    const std::int64_t all =
        std::accumulate(activity.hours.begin(), activity.hours.end(), std::int64_t{0},
                        [](std::int64_t sum, const ActivityCount &count) { return sum + count.uploads; });
    return "Busiest hour : " + hourName(hour) + ", " +
           plainDecimal(activity.hours[static_cast<std::size_t>(hour)].uploads) + " of " + uploads(all);
}

std::string daysCaption(const Activity &activity, const NumberFormat &format, const DateRange &range)
{
    const auto shown = shownSpan(activity, range);
    if (activity.days.empty() || !shown)
        return {};
    const std::int32_t span = shown->to->dayNumber() - shown->from->dayNumber() + 1;
    std::int64_t dated = 0;
    for (const DayActivity &day : activity.days)
        dated += day.count.uploads;
    return "Days with uploads : " + std::to_string(activity.days.size()) + " of " + std::to_string(span) + ", " +
           formatPattern(static_cast<double>(dated) / span, Pattern::TwoDecimals, format) + " uploads a day on average";
}

std::string undatedCaption(const Activity &activity)
{
    if (activity.undated == 0)
        return {};
    return uploads(activity.undated) + (activity.undated == 1 ? " has" : " have") + " no date and " +
           (activity.undated == 1 ? "is" : "are") + " not in the chart by period";
}

std::vector<AxisMark> axisMarks(const ActivityPeriods &periods)
{
    std::vector<AxisMark> marks;
    const std::vector<ActivityPeriod> &bars = periods.periods;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const CalendarDate &start = bars[i].start;
        switch (periods.length) {
        case PeriodLength::Day:
            if (i == 0 || bars.size() <= 14 || isoWeekday(start) == 1)
                marks.push_back({i, std::to_string(start.day()) + " " + monthName(start, 3).substr(0, 3)});
            break;
        case PeriodLength::Week:
            // The week that holds the 1st of a month is named after that month.
            if (const bool holdsFirst = start.day() == 1 || bars[i].end.month() != start.month(); i == 0 || holdsFirst)
                marks.push_back({i, monthName(holdsFirst ? bars[i].end : start, 3)});
            break;
        case PeriodLength::Month:
            // Quarters while there are a few years, then years.
            if (i == 0 || start.month() == 1 || (bars.size() <= 48 && start.month() % 3 == 1))
                marks.push_back({i, monthName(start, 3)});
            break;
        case PeriodLength::Year:
        case PeriodLength::Decade:
        case PeriodLength::Century: {
            // Every tenth bar from a round year on.
            const int every = periods.length == PeriodLength::Year     ? 10
                              : periods.length == PeriodLength::Decade ? 100
                                                                       : 1000;
            if (i == 0 || start.year() % every == 0)
                marks.push_back({i, yearText(start)});
            break;
        }
        }
    }
    return marks;
}

std::string rangeText(const DateRange &range)
{
    if (range.from && range.to)
        return "from " + range.from->text() + " to " + range.to->text();
    if (range.from)
        return "from " + range.from->text() + " on";
    return range.to ? "up to " + range.to->text() : std::string();
}

std::string rangeCaption(const DateRange &range)
{
    return range.whole() ? std::string() : "Range : " + rangeText(range);
}

std::string noUploadsInRangeMessage(const DateRange &range)
{
    return "No uploaded files or folders found " + rangeText(range) +
           " (or all files are MyLists). The results shown are kept.";
}

} // namespace varnoth
