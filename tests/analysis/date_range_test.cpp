// Dates, date ranges and activity: a run narrowed to a range is the run of a
// log that holds only the lines inside it, and the activity adds up to the
// run's totals.
#include <gtest/gtest.h>

#include <random>

#include "report/activity_json.h"
#include "report/json_text.h"
#include "test_logs.h"
#include "wording/messages.h"
#include "wording/result_cells.h"
#include "wording/summary_captions.h"

using namespace varnoth;
using varnoth::test::uploadLine;

namespace {

AnalysisOutcome analyze(const std::string &log, const DateRange &range = {})
{
    AnalysisOptions options;
    options.numberFormat = NumberFormat::c();
    options.range = range;
    return analyzeLog(LogInput::inMemory(log), options);
}

// Everything a run shows, as text.
std::string shown(const AnalysisOutcome &outcome)
{
    const AnalysisReport *r = completed(outcome);
    if (!r)
        return messages::failureMessage(outcome);
    const SummaryCaptions c = summaryCaptions(r->summary, NumberFormat::c());
    return std::to_string(r->lineCount) + json::rows(downloaderCells(r->downloaders, NumberFormat::c())) +
           json::rows(folderCells(r->folders)) + json::rows(fileCells(r->files)) + c.totalSize + c.totalUploadTime +
           c.averageUploadTimePerPerson + c.averageFilesize + json::activity(r->activity);
}

std::optional<CalendarDate> date(const char *text)
{
    return CalendarDate::parse(text);
}

} // namespace

TEST(CalendarDate, RealDaysOnly)
{
    for (const char *real : {"2004-02-29", "2000-02-29", "2003-12-31", "0000-01-01", "9999-12-31"})
        EXPECT_TRUE(date(real)) << real;
    for (const char *not_ : {"2003-02-29", "1900-02-29", "2003-13-01", "2003-00-10", "2003-04-31", "2003-6-01",
                             "2003/06/01", "2003-06-01 ", "20030601", "2003-06-0x"})
        EXPECT_FALSE(date(not_)) << not_;
    // Day numbers run on without gaps across months, leap days and years.
    CalendarDate day = *date("1999-12-31");
    for (int i = 0; i < 3000; ++i) {
        const CalendarDate next = CalendarDate::fromDayNumber(day.dayNumber() + 1);
        ASSERT_LT(day, next);
        ASSERT_EQ(CalendarDate::parse(next.text()), next) << next.text();
        day = next;
    }
    EXPECT_EQ(day.text(), "2008-03-18");
}

TEST(CalendarDate, TheHourOfALine)
{
    const std::pair<const char *, int> cases[] = {
        {"2003-06-14 21:05: ", 21}, {"2003-06-14 00:00: ", 0},  {"2003-06-14 24:00: ", -1},
        {"2003-06-14T21:05: ", -1}, {"2003-06-14 21.05: ", -1}, {"2003-02-29 07:05: ", 7}, // no date, still an hour
        {"2003-06-1é 21:05: ", 21},                                                        // characters, not bytes
        {"2003-06-14 2", -1},
    };
    for (const auto &[text, hour] : cases)
        EXPECT_EQ(lineHour(text), hour) << text;
}

// Random logs over a few weeks around a leap day, with undated lines, lines
// dated on days that do not exist and blank lines; random ranges, some open.
TEST(DateRange, NarrowsToExactlyTheLinesInside)
{
    std::mt19937 random(17);
    const char *nicks[] = {"Ann", "Bob", "Cy", "Dee"};
    for (int round = 0; round < 200; ++round) {
        std::vector<std::pair<std::optional<CalendarDate>, std::string>> lines;
        std::string log;
        const int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) {
            const int day = static_cast<int>(random() % 12);
            std::string stamp = CalendarDate::fromDayNumber(date("2004-02-24")->dayNumber() + day).text();
            if (random() % 10 == 0)
                stamp = random() % 2 ? "2003-02-29" : "yesterday!";
            std::string line = uploadLine("C:\\f" + std::to_string(random() % 3) + "\\x" + std::to_string(random() % 5),
                                          nicks[random() % 4], std::to_string(random() % 3 * 1000000),
                                          "0:0" + std::to_string(random() % 10) + ":0" + std::to_string(random() % 10));
            line.replace(0, 10, stamp);
            if (random() % 20 == 0)
                line.replace(10, 3, "x99");
            log += line;
            lines.emplace_back(lineDate(line), line);
            if (random() % 15 == 0)
                log += "  \r\n";
        }
        DateRange range;
        if (random() % 3)
            range.from = CalendarDate::fromDayNumber(date("2004-02-24")->dayNumber() + static_cast<int>(random() % 12));
        if (random() % 3)
            range.to = CalendarDate::fromDayNumber(date("2004-02-24")->dayNumber() + static_cast<int>(random() % 12));
        if (range.from && range.to && *range.to < *range.from)
            std::swap(range.from, range.to);
        std::string inside;
        for (const auto &[lineDay, line] : lines) {
            if (range.whole() || (lineDay && range.contains(*lineDay)))
                inside += line;
        }
        ASSERT_EQ(shown(analyze(log, range)), shown(analyze(inside))) << log;
    }
}

TEST(DateRange, NothingToRankAndPhysicalLineNumbers)
{
    const std::string log = uploadLine("C:\\a\\b", "Bob", "1", "0:00:01");
    EXPECT_TRUE(std::holds_alternative<NoUploads>(analyze(log, {date("2004-01-01"), std::nullopt})));
    // Lines outside the range are skipped, but still counted as lines of the file.
    const std::string corrupted = log + "no date at all\r\n" + "2003-06-14 21:05: C:\\a sent to Bob\r\n";
    EXPECT_EQ(std::get<Corrupted>(analyze(corrupted, {date("2003-06-14"), date("2003-06-14")})).line, 3u);
}

TEST(Activity, AddsUpToTheRunsTotals)
{
    std::string log;
    for (int i = 0; i < 500; ++i) {
        std::string line =
            uploadLine("C:\\a\\" + std::to_string(i % 7), "n" + std::to_string(i % 5), std::to_string(1000 + i),
                       "0:0" + std::to_string(i % 10) + ":1" + std::to_string(i % 10));
        line.replace(8, 2, std::to_string(10 + i % 17));  // the day
        line.replace(11, 2, std::to_string(10 + i % 13)); // the hour
        if (i % 50 == 0)
            line.replace(0, 4, "20x3"); // undated, still in its hour
        log += line;
    }
    const AnalysisOutcome outcome = analyze(log);
    ASSERT_TRUE(completed(outcome));
    const AnalysisReport &r = *completed(outcome);
    ActivityCount days, hours;
    for (const DayActivity &d : r.activity.days) {
        days.uploads += d.count.uploads;
        days.bytes += d.count.bytes;
    }
    for (const ActivityCount &h : r.activity.hours) {
        hours.uploads += h.uploads;
        hours.seconds += h.seconds;
    }
    EXPECT_EQ(days.uploads + r.activity.undated, r.lineCount);
    EXPECT_EQ(r.activity.undated, 10);
    EXPECT_EQ(hours.uploads, r.lineCount);
    EXPECT_DOUBLE_EQ(hours.seconds, r.summary.totalUploadSeconds());
    EXPECT_EQ(days.bytes, 624750 - 12250); // all bytes but those of the ten undated uploads
    EXPECT_EQ(r.activity.first()->text(), "2003-06-10");
    EXPECT_EQ(r.activity.last()->text(), "2003-06-26");
}
