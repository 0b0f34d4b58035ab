#pragma once

#include <cstddef>
#include <string>

#include "analysis/analysis_report.h"
#include "forms/number_format.h"

namespace varnoth {

// The report for a terminal: the fourteen summary captions of the window,
// then the three ranked lists (at most `top` rows each) in columns aligned by
// display width, under their headers.
std::string textReport(const AnalysisReport &report, std::size_t top, const NumberFormat &format);

} // namespace varnoth
