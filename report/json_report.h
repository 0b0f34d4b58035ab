#pragma once

#include <cstddef>
#include <string>

#include "analysis/analysis_report.h"
#include "report_output.h"

namespace varnoth {

// {"log", "range", "summary", "downloaders", "files", "folders", "activity"}:
// at most `top` rows of each ranked list, in the window's order; the range
// {"from", "to"} (either may be null), or null for the whole log.
void writeJsonReport(const AnalysisReport &report, const std::string &log, std::size_t top, ReportOutput &out);

} // namespace varnoth
