// Whole runs and drill-downs over logs held in memory: what a run reports,
// how it ends, and the progress it gives on the way.
#include <gtest/gtest.h>

#include "analysis/drilldown.h"
#include "test_logs.h"
#include "wording/result_cells.h"

using namespace varnoth;
using varnoth::test::analyzeText;
using varnoth::test::uploadLine;

namespace {

const std::string good = uploadLine("C:\\a\\b.txt", "Bob", "100", "0:00:01");

std::vector<std::vector<std::string>> table(const GridRows &rows)
{
    std::vector<std::vector<std::string>> out;
    for (std::size_t r = 0; r < rows.rowCount(); ++r)
        out.emplace_back(rows.cells.begin() + static_cast<long>(r * rows.columns),
                         rows.cells.begin() + static_cast<long>((r + 1) * rows.columns));
    return out;
}

} // namespace

TEST(AnalysisRun, OutcomesOfRunsThatCannotFinish)
{
    using Check = bool (*)(const AnalysisOutcome &);
    const std::pair<std::string, Check> cases[] = {
        // Line numbers count every physical line, blank ones included.
        {good + "\r\n\r\n" + "2003-06-14 21:05: C:\\a.txt sent to Bob\r\n",
         [](const AnalysisOutcome &o) { return std::get<Corrupted>(o).line == 4; }},
        {good + "short line\r\n" + good, [](const AnalysisOutcome &o) { return std::get<Corrupted>(o).line == 2; }},
        {good + "2003-06-14 21:05: C:\\a uploaded to Bob, 1 (1), 1 KiB/s, 10:00:0x\r\n",
         [](const AnalysisOutcome &o) { return std::get<Corrupted>(o).line == 2; }},
        {uploadLine("MyList.bz2", "Bob", "5", "0:00:01") + uploadLine("MyList.DcLst", "Ann", "5", "0:00:01"),
         [](const AnalysisOutcome &o) { return std::holds_alternative<NoUploads>(o); }},
        {uploadLine("song.mp3", "Bob", "5", "0:00:01"),
         [](const AnalysisOutcome &o) { return std::holds_alternative<NoUploads>(o); }},
    };
    for (const auto &[log, check] : cases)
        EXPECT_TRUE(check(analyzeText(log))) << log;
    const AnalysisOutcome missing = analyzeLog("/nonexistent/varnoth/uploads.log", {});
    EXPECT_EQ(std::get<Unreadable>(missing).cause, "File not found");
}

TEST(AnalysisRun, ProgressGoesThroughThePhasesInOrder)
{
    std::string log;
    for (int i = 0; i < 20000; ++i)
        log += uploadLine("C:\\a\\" + std::to_string(i % 50), "n" + std::to_string(i % 7), "1", "0:00:01");
    std::vector<Progress> seen;
    const AnalysisOutcome outcome =
        analyzeLog(LogInput::inMemory(log), {}, [&](const Progress &p) { seen.push_back(p); });
    ASSERT_TRUE(completed(outcome));
    ASSERT_FALSE(seen.empty());
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GE(seen[i].phase, seen[i - 1].phase);
        if (seen[i].phase == seen[i - 1].phase) {
            EXPECT_GE(seen[i].share, seen[i - 1].share);
        }
    }
    // The second pass starts knowing every line and ends at all of them.
    const auto reading = std::find_if(seen.begin(), seen.end(),
                                      [](const Progress &p) { return p.phase == RunPhase::ReadingInformation; });
    ASSERT_NE(reading, seen.end());
    EXPECT_EQ(reading->lineCount, 20000);
    EXPECT_EQ(seen.back().phase, RunPhase::CountingFiles);
    EXPECT_EQ(seen.back().linesCompleted, 20000);
}

TEST(Drilldowns, RowsOfOneNickAndOfOneFile)
{
    const std::string log = uploadLine("C:\\a\\b.txt", "Bob", "4123456", "0:03:12") +
                            "2003-06-14 21:06: C:\\a\\c.txt uploaded to bob, 1 (1), x, 0:00:01\r\n" +
                            "2003-06-14 21:07: C:\\a\\b.txt uploaded to Bob, 4123456 (123456), x, 10:00:01\r\n" +
                            uploadLine("MyList.DcLst", "Bob", "5210", "0:00:01");
    const LogInput input = LogInput::inMemory(log);
    const auto personal = personalRows(input, "Bob", {});
    ASSERT_TRUE(completed(personal));
    EXPECT_EQ(table(personalCells(*completed(personal), NumberFormat{",", "."})),
              (std::vector<std::vector<std::string>>{{"C:\\a\\b.txt ", "4,12", "0:03:12"},
                                                     {"C:\\a\\b.txt ", "0,12", "10:00:01"},
                                                     {"MyList.DcLst ", "0,01", "0:00:01"}}));
    const auto file = fileRows(input, "C:\\a\\b.txt ", {});
    ASSERT_TRUE(completed(file));
    EXPECT_EQ(table(fileUploadCells(*completed(file))),
              (std::vector<std::vector<std::string>>{{"Bob", "0:03:12", "2003-06-14 21:05"},
                                                     {"Bob", "10:00:01", "2003-06-14 21:07"}}));
    EXPECT_TRUE(completed(personalRows(input, "Nobody", {}))->empty());

    // A line that the views cannot cut either; a line without the marker they can.
    const std::string bad = good + "2003-06-14 21:05: C:\\a uploaded to Bob, 1 (1), 0:00:01\r\n";
    EXPECT_EQ(std::get<Corrupted>(fileRows(LogInput::inMemory(bad), "x", {})).line, 2u);
    const std::string noMarker = good + "2003-06-14 21:05: C:\\a.txt x Bob, 1 (1), x, 0:00:01\r\n";
    EXPECT_EQ(completed(personalRows(LogInput::inMemory(noMarker), "Bob", {}))->size(), 1u);
    EXPECT_TRUE(std::holds_alternative<Unreadable>(fileRows("/nonexistent/varnoth/uploads.log", "x", {})));
}
