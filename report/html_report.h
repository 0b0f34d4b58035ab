#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_report.h"
#include "forms/number_format.h"
#include "report_output.h"

namespace varnoth {

// The report as one self-contained HTML page (UTF-8), written row by row:
// the log's name and the dates in the title, the fourteen summary captions,
// the three ranked lists (at most `top` rows each) and the activity as
// inline SVG bar charts. No script and no outside resource (a content
// security policy forbids both); styles for screen and print are inline.
// With reloadSeconds (logs that are followed) the page reloads itself that
// often, by a meta refresh, still without a script.
void writeHtmlReport(const AnalysisReport &report, const std::vector<std::string> &logs, std::size_t top,
                     const NumberFormat &format, std::optional<unsigned> reloadSeconds, ReportOutput &out);

} // namespace varnoth
