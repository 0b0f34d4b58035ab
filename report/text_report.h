#pragma once

#include <cstddef>
#include <string>

#include "analysis/analysis_report.h"
#include "forms/number_format.h"
#include "report_output.h"

namespace varnoth {

// The widest a text column of the text report grows, in display columns:
// a longer name is cut there with "…" (CSV and JSON keep it whole).
inline constexpr std::size_t textColumnLimit = 60;

// The report for a terminal: the fourteen summary captions of the window,
// then the three ranked lists (at most `top` rows each) in columns aligned by
// display width, under their headers, names shown by the rule of printable().
void writeTextReport(const AnalysisReport &report, std::size_t top, const NumberFormat &format, ReportOutput &out);

} // namespace varnoth
