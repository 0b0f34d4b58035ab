#include "analysis_run.h"

#include "log_tally.h"

namespace varnoth {

void reportRankingPhases(const ProgressCallback &progress, std::int64_t uploads)
{
    if (!progress)
        return;
    for (RunPhase phase : {RunPhase::CountingDownloaders, RunPhase::CountingFolders, RunPhase::CountingFiles})
        progress(Progress{phase, uploads, uploads, 1});
}

AnalysisOutcome analyzeLogs(const std::vector<LogInput> &logs, const AnalysisOptions &options,
                            const ProgressCallback &progress, std::stop_token stop, std::uint64_t partBytes)
{
    LogTally tally(logs, options, partBytes);
    const Outcome<ReadDone> read = tally.read(LogTally::Reading::Refresh, progress, stop);
    if (!completed(read))
        return notCompleted<AnalysisReport>(read);
    // Nothing more will be read: the counts need no lookups beyond this.
    tally.settle();
    reportRankingPhases(progress, tally.uploads());
    return tally.report(LogTally::LastLine::End);
}

AnalysisOutcome analyzeLog(const LogInput &log, const AnalysisOptions &options, const ProgressCallback &progress,
                           std::uint64_t partBytes)
{
    return analyzeLogs({log}, options, progress, {}, partBytes);
}

} // namespace varnoth
