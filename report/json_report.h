#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/analysis_report.h"
#include "report_output.h"

namespace varnoth {

// {"log", "logs", "range", "summary", "downloaders", "files", "folders",
// "activity"}: the first log and every log read as one (in reading order),
// at most `top` rows of each ranked list, in the window's order; the range
// {"from", "to"} (either may be null), or null for the whole log.
void writeJsonReport(const AnalysisReport &report, const std::vector<std::string> &logs, std::size_t top,
                     ReportOutput &out);

} // namespace varnoth
