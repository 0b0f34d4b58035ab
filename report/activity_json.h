#pragma once

#include <string>

#include "analysis/activity.h"
#include "report_output.h"

namespace varnoth::json {

// {"first": "YYYY-MM-DD", "last": ..., "days": [{"date", "uploads", "bytes",
// "seconds"}, ...], "hours": [{"hour", "uploads", "bytes", "seconds"}, ...24],
// "undated": N}; first and last are null when no upload has a date.
void writeActivity(const Activity &activity, ReportOutput &out);
// The same as one text.
std::string activity(const Activity &activity);

} // namespace varnoth::json
