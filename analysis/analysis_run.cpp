#include "analysis_run.h"

#include <cmath>
#include <limits>
#include <new>

#include "deferred_tallies.h"
#include "duration.h"
#include "forms/failure.h"
#include "forms/line_reader.h"
#include "forms/number_reading.h"
#include "forms/text.h"
#include "line_cutter.h"
#include "messages.h"
#include "progress_pacer.h"
#include "rankings.h"
#include "tallies.h"

namespace varnoth {
namespace {

RunObserver silentObserver;

// The first pass. Reports the lines counted so far as progress of 0 of them,
// so that the window can repaint while a large log is counted.
std::int64_t countUploadLines(const std::string &path, RunObserver &observer)
{
    LineReader reader(path);
    ProgressPacer pacer(std::numeric_limits<std::int64_t>::max());
    TextLine line;
    std::int64_t count = 0;
    while (reader.next(line)) {
        if (!isBlank(line.bytes) && pacer.due(++count))
            observer.progress(0, count);
    }
    return count;
}

// The second pass. Returns the number of the first corrupted line, or 0.
std::uint64_t readUploads(const std::string &path, AnalysisState &state, const NumberFormat &format,
                          RunObserver &observer)
{
    LineReader reader(path);
    LineCutter cutter;
    ProgressPacer pacer(state.LineCount);
    DeferredTallies tallies(state);
    TextLine line;
    std::uint64_t corrupted = 0;
    try {
        while (reader.next(line)) {
            if (isBlank(line.bytes))
                continue;
            const CutLine &cut = cutter.cut(line, LineCutter::Mode::Analysis);
            if (cut.status != CutStatus::Ok) {
                corrupted = line.number;
                break;
            }
            const auto duration = readDuration(cut.DurationText, format);
            const double bytes = lenientNumber(cut.ByteText);
            if (!duration || !std::isfinite(bytes)) {
                corrupted = line.number;
                break;
            }

            state.LinesCompleted = checkedAdd(state.LinesCompleted, 1);
            const double megabytes = bytes / 1000000.0;
            state.TotalMegabytes += megabytes;
            if (!std::isfinite(state.TotalMegabytes))
                throw Failure(failures::overflow);
            addDownloaderUpload(state, cut.Nick, megabytes, *duration);
            tallies.add(cut.FilePath, cut.Folder.size(), megabytes);

            if (pacer.due(state.LinesCompleted))
                observer.progress(state.LinesCompleted, state.LineCount);
        }
    } catch (...) {
        // The queued files and folders of earlier lines are counted first, as when
        // each is counted at once: a failure among them is the one reported.
        tallies.flush();
        throw;
    }
    tallies.flush();
    return corrupted;
}

} // namespace

const char *phaseCaption(RunPhase phase)
{
    switch (phase) {
    case RunPhase::CountingLines:
    case RunPhase::ReadingInformation:
        return "Varnoth : Analyzing. - Reading Information -";
    case RunPhase::CountingDownloaders:
        return "Varnoth : Analyzing. - Counting individual downloaders -";
    case RunPhase::CountingFolders:
        return "Varnoth : Analyzing. - Counting Folder access times -";
    case RunPhase::CountingFiles:
        return "Varnoth : Analyzing. - Counting total unique filenames -";
    }
    return "Varnoth";
}

RunResult analyzeLog(const std::string &path, AnalysisState &state, const NumberFormat &format,
                     RunObserver *observer)
{
    RunObserver &watch = observer ? *observer : silentObserver;
    RunResult result;
    try {
        watch.phaseStarted(RunPhase::CountingLines);
        state.LineCount = countUploadLines(path, watch);

        watch.phaseStarted(RunPhase::ReadingInformation);
        const std::int64_t before = state.LinesCompleted;
        if (const std::uint64_t bad = readUploads(path, state, format, watch)) {
            result.message = messages::corruptedLine(bad);
            return result;
        }
        // A log that grew or shrank between the passes: the totals describe
        // the lines that were actually analysed.
        state.LineCount = state.LinesCompleted - before;
        watch.progress(state.LinesCompleted, state.LineCount);

        if (state.FileCount < 1 || state.FolderCount < 1) {
            result.message = messages::noFilesOrFolders;
            return result;
        }

        watch.phaseStarted(RunPhase::CountingDownloaders);
        result.grid1 = topDownloaders(state, format);
        watch.phaseStarted(RunPhase::CountingFolders);
        result.grid3 = mostAccessedFolders(state, format);
        watch.phaseStarted(RunPhase::CountingFiles);
        result.grid2 = mostDownloadedFiles(state, format);
        result.labels = summaryCaptions(state, result.grid1.rowCount(), result.grid2.rowCount(),
                                        result.grid3.rowCount(), format);

        state.TotalLinesAnalyzed += static_cast<double>(state.LinesCompleted);
        state.Grid1SortToggle = 0;
        result.completed = true;
    } catch (const Failure &failure) {
        result.message = messages::generalFailure(failure.description());
    } catch (const std::bad_alloc &) {
        result.message = messages::generalFailure(failures::outOfMemory);
    }
    return result;
}

} // namespace varnoth
