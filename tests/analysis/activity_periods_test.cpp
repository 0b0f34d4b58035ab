// The bars of the activity chart: the period length that a span calls for,
// periods cut to the log's first and last day, and sums that keep every upload.
#include <gtest/gtest.h>

#include "analysis/activity_periods.h"

using namespace varnoth;

namespace {

CalendarDate day(const char *text)
{
    return *CalendarDate::parse(text);
}

Activity activityOn(std::initializer_list<std::pair<const char *, std::int64_t>> days)
{
    Activity activity;
    for (const auto &[date, uploads] : days)
        activity.days.push_back({day(date), {uploads, 1e6 * static_cast<double>(uploads), 60}});
    return activity;
}

std::string shown(const ActivityPeriods &periods)
{
    std::string text;
    for (const ActivityPeriod &p : periods.periods)
        text += p.start.text() + ".." + p.end.text() + "=" + std::to_string(p.count.uploads) + " ";
    return text;
}

} // namespace

TEST(ActivityPeriods, LengthBySpan)
{
    EXPECT_EQ(periodLengthFor(day("2003-01-01"), day("2003-04-30")), PeriodLength::Day);  // 120 days
    EXPECT_EQ(periodLengthFor(day("2003-01-01"), day("2003-05-01")), PeriodLength::Week); // 121 days
    EXPECT_EQ(periodLengthFor(day("2003-01-01"), day("2004-12-30")), PeriodLength::Week); // 730 days
    EXPECT_EQ(periodLengthFor(day("2003-01-01"), day("2004-12-31")), PeriodLength::Month);
    EXPECT_EQ(periodLengthFor(day("1954-01-01"), day("2003-12-31")), PeriodLength::Month);
    EXPECT_EQ(periodLengthFor(day("1953-12-31"), day("2003-01-01")), PeriodLength::Year); // a date gone wrong
}

// Dates far apart or at the calendar's end: every span ends, in at most 600
// bars, the last one cut at the last day.
TEST(ActivityPeriods, FarDates)
{
    struct Case {
        const char *first, *last;
        PeriodLength length;
        std::size_t bars;
        const char *ends; // the first and the last period
    };
    const Case cases[] = {
        {"9999-12-01", "9999-12-31", PeriodLength::Day, 31, "9999-12-01..9999-12-01=1 9999-12-31..9999-12-31=1 "},
        {"9998-01-05", "9999-12-31", PeriodLength::Week, 104, "9998-01-05..9998-01-11=1 9999-12-27..9999-12-31=1 "},
        {"9990-01-01", "9999-12-31", PeriodLength::Month, 120, "9990-01-01..9990-01-31=1 9999-12-01..9999-12-31=1 "},
        {"9949-06-01", "9999-01-01", PeriodLength::Year, 51, "9949-06-01..9949-12-31=1 9999-01-01..9999-01-01=1 "},
        {"0000-01-01", "0599-12-31", PeriodLength::Year, 600, "0000-01-01..0000-12-31=1 0599-01-01..0599-12-31=1 "},
        {"0001-06-01", "2004-01-15", PeriodLength::Decade, 201, "0001-06-01..0009-12-31=1 2000-01-01..2004-01-15=1 "},
        {"0001-01-01", "9999-12-31", PeriodLength::Century, 100, "0001-01-01..0099-12-31=1 9900-01-01..9999-12-31=1 "},
    };
    for (const Case &c : cases) {
        const ActivityPeriods periods = activityPeriods(activityOn({{c.first, 1}, {c.last, 1}}));
        EXPECT_EQ(periods.length, c.length) << c.first << " " << c.last;
        EXPECT_EQ(periods.periods.size(), c.bars) << c.first << " " << c.last;
        EXPECT_EQ(shown({periods.length, {periods.periods.front(), periods.periods.back()}}), c.ends);
    }
}

TEST(ActivityPeriods, DaysWeeksAndMonthsCutToTheLog)
{
    EXPECT_EQ(shown(activityPeriods(activityOn({{"2004-02-28", 1}, {"2004-03-01", 2}}))),
              "2004-02-28..2004-02-28=1 2004-02-29..2004-02-29=0 2004-03-01..2004-03-01=2 ");
    // Weeks run Monday to Sunday; 2003-06-04 is a Wednesday.
    const ActivityPeriods weeks =
        activityPeriods(activityOn({{"2003-06-04", 3}, {"2003-06-08", 1}, {"2003-10-07", 5}}));
    EXPECT_EQ(weeks.length, PeriodLength::Week);
    EXPECT_EQ(weeks.periods.size(), 19u);
    EXPECT_EQ(shown({weeks.length, {weeks.periods.front(), weeks.periods.back()}}),
              "2003-06-04..2003-06-08=4 2003-10-06..2003-10-07=5 ");
    const ActivityPeriods months = activityPeriods(activityOn({{"2001-12-31", 1}, {"2004-01-15", 2}}));
    EXPECT_EQ(months.periods.size(), 26u);
    EXPECT_EQ(shown({months.length, {months.periods[0], months.periods[1], months.periods.back()}}),
              "2001-12-31..2001-12-31=1 2002-01-01..2002-01-31=0 2004-01-01..2004-01-15=2 ");
    EXPECT_TRUE(activityPeriods(Activity{}).periods.empty());
}

// A run narrowed to a range shows the range: its days without uploads at
// either end are empty periods, an open end is the first or last upload.
TEST(ActivityPeriods, SpanOfARange)
{
    const Activity activity = activityOn({{"2004-07-20", 1}, {"2004-07-22", 2}});
    EXPECT_EQ(shown(activityPeriods(activity, {day("2004-07-18"), day("2004-07-23")})),
              "2004-07-18..2004-07-18=0 2004-07-19..2004-07-19=0 2004-07-20..2004-07-20=1 "
              "2004-07-21..2004-07-21=0 2004-07-22..2004-07-22=2 2004-07-23..2004-07-23=0 ");
    EXPECT_EQ(shown(activityPeriods(activity, {std::nullopt, day("2004-07-23")})).substr(0, 24),
              "2004-07-20..2004-07-20=1");
    const ActivityPeriods weeks = activityPeriods(activity, {day("2004-01-01"), day("2004-07-31")});
    EXPECT_EQ(weeks.length, PeriodLength::Week);
    EXPECT_EQ(weeks.periods.front().start, day("2004-01-01"));
    EXPECT_EQ(weeks.periods.back().end, day("2004-07-31"));
    EXPECT_FALSE(shownSpan(Activity{}, {day("2004-01-01"), std::nullopt}));
}

TEST(ActivityPeriods, BusiestDayAndHourTakeTheEarliestOfEquals)
{
    Activity activity = activityOn({{"2003-06-13", 2}, {"2003-06-14", 3}, {"2003-06-15", 3}});
    EXPECT_EQ(busiestDay(activity)->date, day("2003-06-14"));
    EXPECT_EQ(busiestHour(activity), -1);
    activity.hours[21].uploads = activity.hours[22].uploads = 4;
    EXPECT_EQ(busiestHour(activity), 21);
}
