#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/activity.h"
#include "analysis/activity_periods.h"
#include "analysis/calendar_date.h"
#include "forms/number_format.h"

namespace varnoth {

// The texts of the activity window and of the range in force, in words.
// Megabytes follow the user's decimal separator.

// "Uploads per day", "Uploads per week", "Uploads per month", "Uploads per
// year", "Uploads per decade" or "Uploads per century".
std::string periodChartTitle(PeriodLength length);
inline constexpr const char *hourChartTitle = "Uploads by hour of day";

// What a bar of the period chart covers: "Saturday 2003-06-14", "Week 2003-06-09
// to 2003-06-15" (its days within the log), "June 2003", "2003" or, for a
// decade or century, "Years 2000 to 2009" (its years within the log).
std::string periodName(const ActivityPeriod &period, PeriodLength length);
// "21:00 to 22:00"
std::string hourName(int hour);
// The figures of a bar, one per line: "42 uploads", "3214.50 MB", "Upload time 05:12:07".
std::string activityFigures(const ActivityCount &count, const NumberFormat &format);

// "Busiest day : Saturday 2003-06-14, 42 uploads, 3214.50 MB"
std::string busiestDayCaption(const Activity &activity, const NumberFormat &format);
// "Busiest hour : 21:00 to 22:00, 512 of 4000 uploads"
std::string busiestHourCaption(const Activity &activity);
// "Days with uploads : 331 of 366, 10.93 uploads a day on average" (over the
// days of span, its open ends the first and the last day with uploads);
// empty when no upload has a date.
std::string daysCaption(const Activity &activity, const NumberFormat &format, const DateRange &span = {});
// "12 uploads have no date and are not in the chart by period"; empty when every upload has one.
std::string undatedCaption(const Activity &activity);

// A label under the period chart: the index of its bar and its text.
struct AxisMark {
    std::size_t index;
    std::string text;
};
// Where the period chart's axis names its bars: every day of a short span
// ("14 Jun"), each Monday of a longer one, the first bar of each month when
// the bars are weeks or months ("Jun 2003"), every tenth year, decade or
// century from a round year on ("2010").
std::vector<AxisMark> axisMarks(const ActivityPeriods &periods);

// "from 2003-06-01 to 2003-06-30", "from 2003-06-01 on", "up to 2003-06-30".
std::string rangeText(const DateRange &range);
// The range in force beside the log path: "Range : " and the range's text;
// empty for the whole log.
std::string rangeCaption(const DateRange &range);
// A range run that found nothing to rank keeps the results shown.
std::string noUploadsInRangeMessage(const DateRange &range);

} // namespace varnoth
