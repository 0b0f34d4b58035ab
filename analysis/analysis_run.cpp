#include "analysis_run.h"

#include <cmath>
#include <new>

#include "activity_tally.h"
#include "deferred_tallies.h"
#include "forms/failure.h"
#include "forms/line_reader.h"
#include "forms/number_reading.h"
#include "line_cutter.h"
#include "progress_pacer.h"
#include "rankings.h"
#include "summary.h"
#include "tallies.h"

namespace varnoth {
namespace {

// Reports to a callback that may be empty.
class Reporter {
public:
    explicit Reporter(const ProgressCallback &callback)
        : callback_(callback)
    {
    }
    void operator()(RunPhase phase, std::int64_t done, std::int64_t total, double share) const
    {
        if (callback_)
            callback_(Progress{phase, done, total, share});
    }

private:
    const ProgressCallback &callback_;
};

double shareOf(std::int64_t done, std::int64_t total)
{
    return total > 0 ? std::min(1.0, static_cast<double>(done) / static_cast<double>(total)) : 1.0;
}

// The first pass: the upload lines of the log. Reports the lines counted so
// far, so that a window can show that it is busy while a large log is counted.
std::int64_t countUploadLines(const LogInput &log, const DateRange &range, const Reporter &report)
{
    LineReader reader(log);
    ProgressPacer pacer;
    TextLine line;
    std::int64_t count = 0;
    while (reader.next(line)) {
        if (!line.blank() && range.admits(line.bytes) && pacer.due(++count))
            report(RunPhase::CountingLines, 0, count, 0);
    }
    return count;
}

struct SecondPass {
    Tallies tallies;
    ActivityTally activity;
    std::int64_t linesCompleted = 0;
    double totalMegabytes = 0;
    std::uint64_t corruptedLine = 0; // the first corrupted line, 0 when none
};

// The second pass: cuts every line and counts it.
void readUploads(const LogInput &log, const AnalysisOptions &options, std::int64_t lineCount, const Reporter &report,
                 SecondPass &pass)
{
    LineReader reader(log);
    LineCutter cutter;
    ProgressPacer pacer;
    DeferredTallies deferred(pass.tallies);
    TextLine line;
    try {
        while (reader.next(line)) {
            if (line.blank() || !options.range.admits(line.bytes))
                continue;
            const CutLine &cut = cutter.cut(line, LineCutter::Mode::Analysis);
            const auto duration =
                cut.status == CutStatus::Ok ? readDuration(cut.DurationText, options.numberFormat) : std::nullopt;
            const double bytes = duration ? lenientNumber(cut.ByteText) : 0;
            if (!duration || !std::isfinite(bytes)) {
                pass.corruptedLine = line.number;
                break;
            }

            pass.linesCompleted = checkedAdd(pass.linesCompleted, 1);
            const double megabytes = bytes / 1000000.0;
            pass.totalMegabytes += megabytes;
            if (!std::isfinite(pass.totalMegabytes))
                throw Failure(failures::overflow);
            pass.tallies.addDownloaderUpload(cut.Nick, megabytes, *duration);
            deferred.add(cut.FilePath, cut.Folder.size(), megabytes);
            pass.activity.add(lineDate(line.bytes), lineHour(cut.DateTimeText), bytes, duration->totalSeconds());

            if (pacer.due(pass.linesCompleted))
                report(RunPhase::ReadingInformation, pass.linesCompleted, lineCount,
                       shareOf(pass.linesCompleted, lineCount));
        }
    } catch (...) {
        // The queued files and folders of earlier lines are counted first, as when
        // each is counted at once: a failure among them is the one reported.
        deferred.flush();
        throw;
    }
    deferred.flush();
}

AnalysisReport rankAndSum(const SecondPass &pass, const DateRange &range, const Reporter &report)
{
    AnalysisReport result;
    result.lineCount = pass.linesCompleted;
    result.range = range;
    result.activity = pass.activity.finish();
    report(RunPhase::CountingDownloaders, pass.linesCompleted, pass.linesCompleted, 1);
    result.downloaders = rankDownloaders(pass.tallies);
    report(RunPhase::CountingFolders, pass.linesCompleted, pass.linesCompleted, 1);
    result.folders = rankFolders(pass.tallies);
    report(RunPhase::CountingFiles, pass.linesCompleted, pass.linesCompleted, 1);
    result.files = rankFiles(pass.tallies);
    result.summary = summarize(pass.tallies, result, pass.totalMegabytes);
    return result;
}

} // namespace

AnalysisOutcome analyzeLog(const LogInput &log, const AnalysisOptions &options, const ProgressCallback &progress)
{
    const Reporter report(progress);
    try {
        report(RunPhase::CountingLines, 0, 0, 0);
        const std::int64_t lineCount = countUploadLines(log, options.range, report);
        report(RunPhase::ReadingInformation, 0, lineCount, 0);

        SecondPass pass;
        readUploads(log, options, lineCount, report, pass);
        if (pass.corruptedLine != 0)
            return Corrupted{pass.corruptedLine};
        // A log that grew or shrank between the passes: the totals describe
        // the lines that were actually analysed.
        report(RunPhase::ReadingInformation, pass.linesCompleted, pass.linesCompleted, 1);

        if (pass.tallies.fileNames().empty() || pass.tallies.folderNames().empty())
            return NoUploads{};
        return rankAndSum(pass, options.range, report);
    } catch (const FileFailure &failure) {
        return Unreadable{failure.description(), failure.systemError()};
    } catch (const Failure &failure) {
        return Failed{failure.description()};
    } catch (const std::bad_alloc &) {
        return Failed{failures::outOfMemory};
    }
}

} // namespace varnoth
