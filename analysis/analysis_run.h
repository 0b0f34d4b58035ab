#pragma once

#include <cstdint>
#include <stop_token>
#include <string>
#include <vector>

#include "analysis_options.h"
#include "analysis_report.h"
#include "forms/line_reader.h"
#include "outcome.h"
#include "progress.h"

namespace varnoth {

using AnalysisOutcome = Outcome<AnalysisReport>;

// Analyses logs read once as one log, in the order given: counts their
// upload lines, reads them again cutting every line and counting it per
// downloader, file and folder, then ranks the three lists and sums up.
// Blank lines are skipped by both passes. Each pass reads consecutive parts
// of the logs on options.threads threads and joins what they found in log
// order, so the outcome is the same for every number of threads. Runs on
// the calling thread and helpers of its own; progress, when given, is
// called from them, one at a time. partBytes cuts the files into parts of
// that size instead of one per thread (tests use it to read small logs in
// many parts).
AnalysisOutcome analyzeLogs(const std::vector<LogInput> &logs, const AnalysisOptions &options,
                            const ProgressCallback &progress = {}, std::stop_token stop = {},
                            std::uint64_t partBytes = 0);

// The same for one log.
AnalysisOutcome analyzeLog(const LogInput &log, const AnalysisOptions &options, const ProgressCallback &progress = {},
                           std::uint64_t partBytes = 0);

// The captions of the ranking phases, told to progress once the logs are read.
void reportRankingPhases(const ProgressCallback &progress, std::int64_t uploads);

} // namespace varnoth
