// The report's formats on what a log can hold: dates at both ends of the
// calendar, names that would drive a terminal or a spreadsheet, upload
// times beyond 2^53 seconds; and that a report reaches its target in
// blocks as it is made.
#include <gtest/gtest.h>

#include <algorithm>

#include "../analysis/test_logs.h"
#include "report/csv_report.h"
#include "report/report_request.h"
#include "wording/display_text.h"

using namespace varnoth;

namespace {

std::string line(const char *when, const std::string &path, const std::string &nick, const char *duration = "0:00:01")
{
    return std::string(when) + " 21:05: " + path + " uploaded to " + nick + ", 5 (5), 1 KiB/s, " + duration + "\r\n";
}

AnalysisReport analysed(const std::string &log)
{
    AnalysisOutcome outcome = test::analyzeText(log);
    EXPECT_TRUE(completed(outcome));
    return std::move(std::get<AnalysisReport>(outcome));
}

std::string report(const AnalysisReport &r, ReportFormat format, ReportList list = ReportList::Downloaders,
                   CsvCells cells = CsvCells::Guarded)
{
    return reportText(r, {format, list, std::nullopt, {"far.log"}, NumberFormat::c(), cells, std::nullopt});
}

std::size_t count(const std::string &text, const std::string &what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

// Each format of a log whose dates span the calendar ends, with the chart in
// centuries (or years at the end of the calendar) and every day kept in the data.
TEST(ReportFormats, FarDates)
{
    struct Case {
        const char *first, *last, *chart;
        std::size_t bars;
    };
    for (const Case &c : {Case{"0001-01-01", "9999-12-31", "Uploads per century", 100},
                          Case{"9949-06-01", "9999-01-01", "Uploads per year", 51},
                          Case{"9999-12-01", "9999-12-31", "Uploads per day", 31}}) {
        const AnalysisReport r = analysed(line(c.first, "C:\\a\\b.txt", "Bob") + line(c.last, "C:\\a\\c.txt", "Ann"));
        const std::string html = report(r, ReportFormat::Html);
        EXPECT_EQ(count(html, "<rect"), c.bars + 24) << c.first;
        EXPECT_NE(html.find(c.chart), std::string::npos) << c.first;
        EXPECT_NE(report(r, ReportFormat::Json).find("\"last\": \"" + std::string(c.last) + "\""), std::string::npos);
        EXPECT_EQ(report(r, ReportFormat::Csv, ReportList::Days),
                  "date,uploads,bytes,seconds\r\n" + std::string(c.first) + ",1,5,1\r\n" + c.last + ",1,5,1\r\n");
        EXPECT_NE(report(r, ReportFormat::Text).find("Total Uploads :  2\n"), std::string::npos);
    }
}

// Names are shown by the printable() rule (and a text column cut at 60
// columns) where a person reads them, kept exact in JSON and in CSV but for
// the formula guard.
TEST(ReportFormats, NamesShownAndKept)
{
    const std::string spoofed = "photo\u202Egpj.exe";
    const std::string escape = "Red\x1b[31m\x07";
    const std::string formula = "=cmd|' /C calc'!A0";
    const std::string longNick = std::string(70, 'n');
    const AnalysisReport r =
        analysed(line("2003-06-14", "C:\\s\\" + spoofed, escape) + line("2003-06-14", "C:\\s\\a.txt", formula) +
                 line("2003-06-14", "C:\\s\\b.txt", longNick));
    const std::string text = report(r, ReportFormat::Text);
    EXPECT_NE(text.find("Red\u241B[31m\u2407 "), std::string::npos);
    EXPECT_NE(text.find("C:\\s\\photo\uFFFDgpj.exe"), std::string::npos);
    EXPECT_NE(text.find(std::string(59, 'n') + "\u2026 "), std::string::npos);
    EXPECT_EQ(text.find(std::string(60, 'n')), std::string::npos);
    EXPECT_EQ(text.find_first_of("\x1b\x07"), std::string::npos);
    EXPECT_EQ(text.find("\u202E"), std::string::npos);
    const std::string html = report(r, ReportFormat::Html);
    EXPECT_EQ(html.find("\u202E"), std::string::npos);
    EXPECT_NE(html.find(std::string(70, 'n')), std::string::npos);

    const std::string json = report(r, ReportFormat::Json);
    EXPECT_NE(json.find("Red\\u001b[31m\\u0007"), std::string::npos);
    EXPECT_NE(json.find(spoofed), std::string::npos);
    EXPECT_NE(json.find("\"" + formula + "\""), std::string::npos);
    EXPECT_NE(report(r, ReportFormat::Csv).find("\n'" + formula + ","), std::string::npos);
    EXPECT_NE(report(r, ReportFormat::Csv, ReportList::Downloaders, CsvCells::Exact).find("\n" + formula + ","),
              std::string::npos);
}

TEST(ReportFormats, CsvFields)
{
    struct Case {
        const char *text, *guarded, *exact;
    };
    const Case cases[] = {
        {"plain", "plain", "plain"},
        {"=1+2", "'=1+2", "=1+2"},
        {"+1", "'+1", "+1"},
        {"-1", "'-1", "-1"},
        {"@SUM(A1)", "'@SUM(A1)", "@SUM(A1)"},
        {"\tx", "'\tx", "\"\tx\""},
        {"\r=x", "\"'\r=x\"", "\"\r=x\""},
        {"=a,\"b\"", "\"'=a,\"\"b\"\"\"", "\"=a,\"\"b\"\"\""},
        {"a=b", "a=b", "a=b"},
        {" lead", "\" lead\"", "\" lead\""},
        {"", "", ""},
    };
    for (const Case &c : cases) {
        std::string guarded, exact;
        appendCsvField(guarded, c.text, CsvCells::Guarded);
        appendCsvField(exact, c.text, CsvCells::Exact);
        EXPECT_EQ(guarded, c.guarded) << c.text;
        EXPECT_EQ(exact, c.exact) << c.text;
    }
}

// Whole counts of seconds with every digit, far beyond 2^53.
TEST(ReportFormats, WholeCountsExact)
{
    const AnalysisReport r = analysed(line("2003-06-14", "C:\\a\\b.txt", "Bob", "99999999999999:59:59"));
    EXPECT_NE(report(r, ReportFormat::Json).find("\"upload_seconds\": 359999999999999999}"), std::string::npos);
    EXPECT_NE(report(r, ReportFormat::Json).find("\"total_upload_seconds\": 359999999999999999,"), std::string::npos);
    EXPECT_NE(report(r, ReportFormat::Csv).find(",359999999999999999\r\n"), std::string::npos);
}

// A long report reaches its target in blocks while it is made, never whole.
TEST(ReportFormats, WrittenInBlocks)
{
    std::string log;
    for (int i = 0; i < 20000; ++i)
        log += line("2003-06-14", "C:\\share\\file number " + std::to_string(i) + ".avi", "Bob");
    const AnalysisReport r = analysed(log);
    for (ReportFormat format : {ReportFormat::Text, ReportFormat::Csv, ReportFormat::Json, ReportFormat::Html}) {
        std::size_t blocks = 0, largest = 0, total = 0;
        ReportOutput out([&](std::string_view block) {
            ++blocks;
            largest = std::max(largest, block.size());
            total += block.size();
        });
        writeReport(
            r, {format, ReportList::Files, 1000000, {"log"}, NumberFormat::c(), CsvCells::Guarded, std::nullopt}, out);
        EXPECT_GT(blocks, total / (2 * ReportOutput::blockBytes));
        EXPECT_LT(largest, ReportOutput::blockBytes + 4096);
    }
}
