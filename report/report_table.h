#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_report.h"
#include "report_request.h"

namespace varnoth {

// A value of a report's row as JSON and CSV write it: a text, a number in
// JSON's form, or nothing (null; an empty CSV field).
struct ReportCell {
    enum class Kind { Text, Number, Nothing };
    Kind kind = Kind::Nothing;
    std::string text;

    static ReportCell textCell(std::string_view text) { return {Kind::Text, std::string(text)}; }
    static ReportCell numberCell(double value);
    // A whole count with all of its digits, however large.
    static ReportCell countCell(const WideInteger &value) { return {Kind::Number, value.text()}; }
    static ReportCell nothing() { return {}; }
};

// Named fields and rows of cells, one cell per field. The rows are made one
// at a time as a writer asks for them, from the report they describe (which
// must outlive the table): a list of millions of rows is never held twice.
struct ReportTable {
    std::vector<const char *> fields;
    std::size_t rowCount = 0;
    // Puts the cells of one row into cells (replacing what was there).
    std::function<void(std::size_t row, std::vector<ReportCell> &cells)> rowCells;
};

// The rows of one list, at most `top` of a ranked list (days and hours are
// never cut): downloaders {nick, uploads, megabytes, upload_time,
// upload_seconds}, files {file, uploads}, folders {folder, accesses}, days
// {date, uploads, bytes, seconds}, hours {hour, uploads, bytes, seconds}.
ReportTable listTable(const AnalysisReport &report, ReportList list, std::size_t top);

// The activity per day and per hour of the day (always 24 rows).
ReportTable dayTable(const Activity &activity);
ReportTable hourTable(const Activity &activity);

// The summary's figures as one row of named fields.
ReportTable summaryTable(const Summary &summary);

// A file's text as the grid shows it, without the blank that ends it.
std::string_view fileText(const FileRow &row);

} // namespace varnoth
