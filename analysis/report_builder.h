#pragma once

#include "analysis_report.h"
#include "calendar_date.h"
#include "outcome.h"
#include "upload_tally.h"

namespace varnoth {

// The report of what a tally holds, with what `more` holds on top of it
// (the last line of a log still waiting for its line end), ranked and
// summed up, without changing either tally: a report can be made at any
// moment and the tally read on afterwards. NoUploads when there is no file
// or no folder to rank; Failed when a total is too large to count.
Outcome<AnalysisReport> buildReport(const UploadTally &tally, const UploadTally *more, const DateRange &range);

} // namespace varnoth
