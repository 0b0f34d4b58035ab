#pragma once

#include <string>

#include "analysis_options.h"
#include "analysis_report.h"
#include "forms/line_reader.h"
#include "outcome.h"
#include "progress.h"

namespace varnoth {

using AnalysisOutcome = Outcome<AnalysisReport>;

// Analyses an upload log: counts its upload
// lines, reads it again cutting every line and counting it per downloader,
// file and folder, then ranks the three lists and sums up. Blank lines are
// skipped by both passes. Runs on the calling thread; progress, when given,
// is called on it too.
AnalysisOutcome analyzeLog(const LogInput &log, const AnalysisOptions &options, const ProgressCallback &progress = {});

} // namespace varnoth
