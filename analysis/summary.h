#pragma once

#include <cstdint>

#include "analysis_report.h"

namespace varnoth {

// The summary of a report from its lists, before the downloaders are
// ranked: the total upload time is summed over them in order of first
// appearance, seconds and minutes carrying at 60.
Summary summarize(const AnalysisReport &report, std::int64_t fileListUploads, double fileListMegabytes,
                  double totalMegabytes);

} // namespace varnoth
