#include "analysis_run.h"

#include <cmath>
#include <new>

#include "activity_tally.h"
#include "deferred_tallies.h"
#include "forms/failure.h"
#include "forms/line_count.h"
#include "forms/line_reader.h"
#include "forms/number_reading.h"
#include "line_cutter.h"
#include "log_parts.h"
#include "rankings.h"
#include "shared_progress.h"
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

// The first pass: the upload lines of the log, counted part by part side by
// side. Reports the lines counted so far, so that a window can show that it
// is busy while a large log is counted.
std::int64_t countUploadLines(const LogInput &log, const DateRange &range, const std::vector<ByteRange> &parts,
                              unsigned threads, const ProgressCallback &progress)
{
    SharedProgress shared(progress, [](std::int64_t lines, std::uint64_t) {
        return Progress{RunPhase::CountingLines, 0, lines, 0};
    });
    std::vector<std::int64_t> counts(parts.size(), 0);
    std::vector<std::exception_ptr> failures(parts.size());
    readParts(parts.size(), threads, [&](std::size_t i) {
        try {
            if (range.whole()) {
                std::int64_t told = 0;
                counts[i] = static_cast<std::int64_t>(countFilledLines(log, parts[i], [&](std::uint64_t lines) {
                    shared.add(static_cast<std::int64_t>(lines), 0);
                    told += static_cast<std::int64_t>(lines);
                }));
                shared.add(counts[i] - told, 0);
                return;
            }
            LineReader reader(log, parts[i]);
            TextLine line;
            std::int64_t unreported = 0;
            while (reader.next(line)) {
                if (!line.blank() && range.admits(line.bytes) && ++unreported == SharedProgress::batch) {
                    counts[i] += unreported;
                    shared.add(unreported, 0);
                    unreported = 0;
                }
            }
            counts[i] += unreported;
        } catch (...) {
            failures[i] = std::current_exception();
        }
    });
    std::int64_t count = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (failures[i])
            std::rethrow_exception(failures[i]);
        count += counts[i];
    }
    return count;
}

// What the second pass found in one part of the log. Parts stand side by
// side and are written by different threads line after line: each starts a
// cache line of its own.
struct alignas(64) PartTallies {
    Tallies tallies;
    ActivityTally activity;
    std::int64_t linesCompleted = 0;
    PartEnd end;
};

// The second pass over one part: cuts every line and counts it, up to the
// part's first corrupted line, then counts the folders of its files. Gives
// up (its tallies then unused) once needless() says that an earlier part
// has stopped.
template <class Needless>
void readPart(const LogInput &log, ByteRange range, const AnalysisOptions &options, SharedProgress &shared,
              Needless needless, PartTallies &part)
{
    DeferredTallies deferred(part.tallies);
    std::int64_t unreported = 0;
    try {
        LineReader reader(log, range);
        // Queued paths are the lines' own bytes: counted before those move.
        reader.whenBytesMove([&] { deferred.flush(); });
        LineCutter cutter;
        LineDates dates;
        TextLine line;
        while (reader.next(line)) {
            part.end.lines = line.number;
            if (line.blank() || !options.range.admits(line.bytes))
                continue;
            const CutLine &cut = cutter.cut(line, LineCutter::Mode::Analysis);
            DurationParts duration;
            const bool timed =
                cut.status == CutStatus::Ok && readDuration(cut.DurationText, options.numberFormat, duration);
            const double bytes = timed ? lenientNumber(cut.ByteText) : 0;
            if (!timed || !std::isfinite(bytes)) {
                part.end.corruptedLine = line.number;
                break;
            }

            part.linesCompleted = checkedAdd(part.linesCompleted, 1);
            part.tallies.addDownloaderUpload(cut.Nick, bytes, duration);
            deferred.add(cut.FilePath, cut.Folder.size(), bytes, cut.inLine);
            part.activity.add(dates.of(line.bytes), lineHour(cut.DateTimeText), bytes, duration.totalSeconds());
            if (++unreported == SharedProgress::batch) {
                shared.add(unreported, 0);
                unreported = 0;
                if (needless())
                    break;
            }
        }
        deferred.flush();
        part.tallies.countFolders();
    } catch (...) {
        // The queued files and folders of earlier lines are counted first, as
        // when each is counted at once: a failure among them is the one reported.
        try {
            deferred.flush();
            part.end.failure = std::current_exception();
        } catch (...) {
            part.end.failure = std::current_exception();
        }
    }
    shared.add(unreported, 0);
}

struct SecondPass {
    Tallies tallies;
    ActivityTally activity;
    std::int64_t linesCompleted = 0;
    double totalMegabytes = 0;
    std::uint64_t corruptedLine = 0; // the first corrupted line, 0 when none
};

// The second pass: every part read side by side into tallies of its own,
// then the tallies joined in log order, exactly those of one read of the
// whole log.
SecondPass readUploads(const LogInput &log, const AnalysisOptions &options, const std::vector<ByteRange> &ranges,
                       std::int64_t lineCount, const ProgressCallback &progress)
{
    SharedProgress shared(progress, [lineCount](std::int64_t lines, std::uint64_t) {
        return Progress{RunPhase::ReadingInformation, lines, lineCount, shareOf(lines, lineCount)};
    });
    std::vector<PartTallies> parts(ranges.size());
    FirstStop firstStop;
    readParts(ranges.size(), readThreads(options), [&](std::size_t i) {
        if (firstStop.needless(i))
            return;
        readPart(
            log, ranges[i], options, shared, [&] { return firstStop.needless(i); }, parts[i]);
        // Only the first part's names are looked up again, as the others join it.
        if (i > 0)
            parts[i].tallies.dropIndexes();
        if (parts[i].end.stopped())
            firstStop.stoppedAt(i);
    });

    SecondPass pass;
    std::vector<PartEnd> ends;
    for (const PartTallies &part : parts)
        ends.push_back(part.end);
    pass.corruptedLine = joinParts(ends, [&](std::size_t i) {
        PartTallies part = std::move(parts[i]);
        if (i == 0) {
            pass.tallies = std::move(part.tallies);
            pass.activity = std::move(part.activity);
        } else {
            pass.tallies.append(std::move(part.tallies));
            pass.activity.append(part.activity);
        }
        pass.linesCompleted = checkedAdd(pass.linesCompleted, part.linesCompleted);
    });
    // Every upload belongs to one downloader: their bytes are all the bytes.
    ExactSum bytes;
    for (const DownloaderTally &d : pass.tallies.downloaders())
        bytes.add(d.bytes);
    pass.totalMegabytes = bytes.value() / 1000000.0;
    if (!std::isfinite(pass.totalMegabytes))
        throw Failure(failures::overflow);
    // A time too long to count fails before a later corrupted line is met.
    for (const DownloaderTally &d : pass.tallies.downloaders())
        d.time.total();
    return pass;
}

AnalysisReport rankAndSum(SecondPass &pass, const DateRange &range, const Reporter &report)
{
    pass.tallies.dropIndexes();
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
    struct Names {
        NameBlocks files, folders;
    };
    result.names =
        std::make_shared<const Names>(Names{pass.tallies.files().takeNames(), pass.tallies.folders().takeNames()});
    return result;
}

} // namespace

AnalysisOutcome analyzeLog(const LogInput &log, const AnalysisOptions &options, const ProgressCallback &progress,
                           std::uint64_t partBytes)
{
    const Reporter report(progress);
    try {
        report(RunPhase::CountingLines, 0, 0, 0);
        const std::vector<ByteRange> parts = splitLog(log, readThreads(options), partBytes);
        const std::int64_t lineCount = countUploadLines(log, options.range, parts, readThreads(options), progress);
        report(RunPhase::ReadingInformation, 0, lineCount, 0);

        SecondPass pass = readUploads(log, options, parts, lineCount, progress);
        if (pass.corruptedLine != 0)
            return Corrupted{pass.corruptedLine};
        // A log that grew or shrank between the passes: the totals describe
        // the lines that were actually analysed.
        report(RunPhase::ReadingInformation, pass.linesCompleted, pass.linesCompleted, 1);

        if (pass.tallies.files().empty() || pass.tallies.folders().empty())
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
