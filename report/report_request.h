#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_report.h"
#include "forms/number_format.h"
#include "report_output.h"

namespace varnoth {

enum class ReportFormat { Text, Csv, Json, Html };

// The lists a CSV file can hold: the three ranked lists and the activity.
enum class ReportList { Downloaders, Files, Folders, Days, Hours };

// What a CSV cell holds of a text: exactly the text (for programs), or the
// text guarded against spreadsheets, which run a cell that begins with
// "=", "+", "-" or "@" (or a tab or carriage return before one) as a
// formula: such a text gets a leading apostrophe, the common guard that a
// spreadsheet shows as nothing and that keeps the rest as text. Names come
// from other users; `=cmd|' /C calc'!A0` must stay a name.
enum class CsvCells { Guarded, Exact };

inline constexpr ReportList allReportLists[] = {ReportList::Downloaders, ReportList::Files, ReportList::Folders,
                                                ReportList::Days, ReportList::Hours};

// The names the command takes: "text", "csv", "json", "html"; "downloaders",
// "files", "folders", "days", "hours".
std::optional<ReportFormat> reportFormatNamed(std::string_view name);
std::optional<ReportList> reportListNamed(std::string_view name);
const char *reportListName(ReportList list);

// How many rows of each ranked list a format shows unless told: 20 in the
// text, 100 in the HTML page, every row in JSON and CSV.
std::size_t defaultTop(ReportFormat format);

// What to write about a completed run.
struct ReportRequest {
    ReportFormat format = ReportFormat::Text;
    ReportList list = ReportList::Downloaders; // the list of a CSV file
    std::optional<std::size_t> top;            // rows of each ranked list; the format's default when empty
    std::vector<std::string> logs;             // every log read as one, in reading order, as given (UTF-8)
    NumberFormat numberFormat;                 // for the texts a person reads (text, HTML)
    CsvCells csvCells = CsvCells::Guarded;     // CSV: guarded for spreadsheets, or exact
    std::optional<unsigned> reloadSeconds;     // HTML: the page reloads itself so often (the logs are followed)
};

// The report in the requested format (UTF-8), written as it is made.
void writeReport(const AnalysisReport &report, const ReportRequest &request, ReportOutput &out);

// The same as one text (for small reports: tests, fuzzing).
std::string reportText(const AnalysisReport &report, const ReportRequest &request);

} // namespace varnoth
