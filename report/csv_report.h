#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "analysis/analysis_report.h"
#include "report_output.h"
#include "report_request.h"

namespace varnoth {

// One list as CSV (RFC 4180, UTF-8), written row by row: a header row of
// the JSON field names, then one record per row, every record ended by CR
// LF. Numbers are written as in JSON (never guarded: they are the program's
// own); a field is quoted when it holds a comma, a double quote, a
// semicolon (the separator some spreadsheets expect), a line break or
// blanks at either end, and a double quote inside is doubled.
void writeCsvReport(const AnalysisReport &report, ReportList list, std::size_t top, CsvCells cells, ReportOutput &out);

// One text field as CSV writes it, appended to out.
void appendCsvField(std::string &out, std::string_view text, CsvCells cells);

} // namespace varnoth
