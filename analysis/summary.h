#pragma once

#include <cstdint>

#include "analysis_report.h"
#include "tallies.h"

namespace varnoth {

// The summary of a run from its tallies and ranked lists. The total upload
// time is summed over the downloaders in order of first appearance, seconds
// and minutes carrying at 60.
Summary summarize(const Tallies &tallies, const AnalysisReport &report, double totalMegabytes);

} // namespace varnoth
