#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "analysis/analysis_report.h"
#include "report_request.h"

namespace varnoth {

// One list as CSV (RFC 4180, UTF-8): a header row of the JSON field names,
// then one record per row, every record ended by CR LF. Numbers are written
// as in JSON; a field is quoted when it holds a comma, a double quote, a
// semicolon (the separator some spreadsheets expect), a line break or blanks
// at either end, and a double quote inside is doubled.
std::string csvReport(const AnalysisReport &report, ReportList list, std::size_t top);

// One field as CSV writes it.
std::string csvField(std::string_view text);

} // namespace varnoth
