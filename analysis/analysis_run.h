#pragma once

#include <cstdint>
#include <string>

#include "analysis_options.h"
#include "analysis_report.h"
#include "forms/line_reader.h"
#include "outcome.h"
#include "progress.h"

namespace varnoth {

using AnalysisOutcome = Outcome<AnalysisReport>;

// Analyses an upload log: counts its upload lines, reads it again cutting
// every line and counting it per downloader, file and folder, then ranks the
// three lists and sums up. Blank lines are skipped by both passes. Each pass
// reads consecutive parts of the log on options.threads threads and joins
// what they found in log order, so the outcome is the same for every number
// of threads. Runs on the calling thread and helpers of its own; progress,
// when given, is called from them, one at a time. partBytes cuts the log
// into parts of that size instead of one per thread (tests use it to read
// small logs in many parts).
AnalysisOutcome analyzeLog(const LogInput &log, const AnalysisOptions &options, const ProgressCallback &progress = {},
                           std::uint64_t partBytes = 0);

} // namespace varnoth
