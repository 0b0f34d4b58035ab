#include "drilldown.h"

#include <cmath>
#include <new>

#include "forms/failure.h"
#include "forms/number_reading.h"
#include "forms/text.h"
#include "line_cutter.h"
#include "opened_log.h"
#include "part_reading.h"
#include "read_plan.h"
#include "read_threads.h"
#include "shared_progress.h"

namespace varnoth {
namespace {

// Reads the logs once, part by part side by side, cutting every line as the
// views do, and hands each cut line to keep(), which adds a row when the line
// matches and returns false for a line that cannot be used. The rows of the
// parts are joined in log order.
template <class Row, class Keep>
Outcome<std::vector<Row>> readMatches(const std::vector<LogExtent> &logs, const AnalysisOptions &options,
                                      const ProgressCallback &progress, std::stop_token stop, std::uint64_t partBytes,
                                      Keep keep)
{
    std::size_t failingLog = 0;
    try {
        std::vector<std::unique_ptr<OpenedLog>> opened;
        std::vector<LogStretch> stretches;
        for (std::size_t i = 0; i < logs.size(); ++i) {
            failingLog = i;
            opened.push_back(std::make_unique<OpenedLog>(logs[i].log));
            const OpenedLog &log = *opened.back();
            const std::uint64_t to = log.stream() ? 0 : std::min(log.sizeNow(), logs[i].bytes);
            stretches.push_back({i, &log, log.stream() ? 0 : std::min(logs[i].from, to), to});
        }
        ReadPlan plan(stretches, options.readMethod, readThreads(options), partBytes);
        const double size = static_cast<double>(plan.fileBytes() + plan.streamFileBytes());
        auto describe = [&](std::int64_t lines, std::uint64_t bytes) {
            const double done = static_cast<double>(bytes + plan.streamBytesTaken());
            return Progress{RunPhase::ReadingDrilldown, lines, 0, size == 0 ? 1.0 : std::min(1.0, done / size)};
        };
        if (progress)
            progress(describe(0, 0));
        SharedProgress shared(progress, describe);
        std::vector<Row> all;
        auto supply = plan.allParts();
        const PartsEnd end = readInParts<std::vector<Row>>(
            *supply, plan.threads(), plan.inFlight(), stop,
            [&](const LogPart &part, std::vector<Row> &rows, PartEnd &partEnd, const auto &needless) {
                std::int64_t unreported = 0;
                std::uint64_t reported = 0;
                LineReader reader = part.reader();
                LineCutter cutter;
                TextLine line;
                // The results left a half-written last line waiting: so does the view.
                const bool lastLineMayWait = part.lastOfLog && part.log + 1 == stretches.size();
                while (reader.next(line)) {
                    partEnd.lines = line.number;
                    if (line.blank() || !options.range.admits(line.bytes))
                        continue;
                    const CutLine &cut = cutter.cut(line, LineCutter::Mode::View);
                    if (!line.ended && lastLineMayWait && cut.status != CutStatus::Ok)
                        break;
                    if (cut.status != CutStatus::Ok || !keep(cut, rows)) {
                        partEnd.corruptedLine = line.number;
                        break;
                    }
                    if (++unreported == linesPerBatch) {
                        shared.add(unreported, reader.bytesConsumed() - reported);
                        reported = reader.bytesConsumed();
                        unreported = 0;
                        if (stop.stop_requested() || needless())
                            break;
                    }
                }
                shared.add(unreported, reader.bytesConsumed() - reported);
            },
            [&](const LogPart &, std::vector<Row> &&rows) {
                if (all.empty())
                    all = std::move(rows);
                else
                    all.insert(all.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
            });
        for (std::size_t k = 0; k < stretches.size(); ++k)
            if (plan.mappingLost(k) || (!stretches[k].opened->stream() && stretches[k].opened->file() &&
                                        stretches[k].opened->sizeNow() < stretches[k].to))
                return LogChanged{logs[k].log.path()};
        if (end.cancelled)
            return Cancelled{};
        if (end.failure) {
            failingLog = end.failureLog;
            std::rethrow_exception(end.failure);
        }
        if (end.corruptedLine != 0)
            return Corrupted{end.corruptedLine, logs.size() > 1 ? logs[end.corruptedLog].log.path() : std::string()};
        if (progress)
            progress(describe(shared.lines(), static_cast<std::uint64_t>(size)));
        return all;
    } catch (const FileFailure &failure) {
        return Unreadable{failure.description(), failure.systemError(),
                          logs.size() > 1 && failingLog < logs.size() ? logs[failingLog].log.path() : std::string()};
    } catch (const Failure &failure) {
        return Failed{failure.description()};
    } catch (const std::bad_alloc &) {
        return Failed{failures::outOfMemory};
    }
}

} // namespace

Outcome<std::vector<PersonalUpload>> personalRows(const std::vector<LogExtent> &logs, std::string_view nick,
                                                  const AnalysisOptions &options, const ProgressCallback &progress,
                                                  std::stop_token stop, std::uint64_t partBytes)
{
    return readMatches<PersonalUpload>(
        logs, options, progress, stop, partBytes, [&](const CutLine &cut, std::vector<PersonalUpload> &rows) {
            if (cut.Nick != nick)
                return true;
            const double bytes = lenientNumber(cut.ByteText);
            if (!std::isfinite(bytes))
                return false;
            rows.push_back({std::string(cut.FilePath), bytes / 1000000.0, std::string(cut.DurationText)});
            return true;
        });
}

Outcome<std::vector<FileUpload>> fileRows(const std::vector<LogExtent> &logs, std::string_view file,
                                          const AnalysisOptions &options, const ProgressCallback &progress,
                                          std::stop_token stop, std::uint64_t partBytes)
{
    return readMatches<FileUpload>(logs, options, progress, stop, partBytes,
                                   [&](const CutLine &cut, std::vector<FileUpload> &rows) {
                                       if (cut.FilePath != file)
                                           return true;
                                       rows.push_back({std::string(cut.Nick), std::string(cut.DurationText),
                                                       std::string(firstChars(cut.DateTimeText, 16))});
                                       return true;
                                   });
}

} // namespace varnoth
