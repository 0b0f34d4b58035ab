#include "drilldown.h"

#include <cmath>
#include <filesystem>
#include <new>

#include "forms/failure.h"
#include "forms/file_exists.h"
#include "forms/line_reader.h"
#include "forms/number_reading.h"
#include "forms/text.h"
#include "line_cutter.h"
#include "log_parts.h"
#include "shared_progress.h"

namespace varnoth {
namespace {

// Reads the log once, part by part side by side, cutting every line as the
// views do, and hands each cut line to keep(), which adds a row when the line
// matches and returns false for a line that cannot be used. The rows of the
// parts are joined in log order.
template <class Row, class Keep>
Outcome<std::vector<Row>> readMatches(const LogInput &log, const AnalysisOptions &options,
                                      const ProgressCallback &progress, std::uint64_t partBytes, Keep keep)
{
    try {
        std::error_code error;
        const double size = log.bytes()
                                ? static_cast<double>(log.bytes()->size())
                                : static_cast<double>(std::filesystem::file_size(pathFromUtf8(log.path()), error));
        auto describe = [&](std::int64_t lines, std::uint64_t bytes) {
            return Progress{RunPhase::ReadingDrilldown, lines, 0,
                            error || size == 0 ? 1.0 : std::min(1.0, static_cast<double>(bytes) / size)};
        };
        if (progress)
            progress(describe(0, 0));
        SharedProgress shared(progress, describe);
        const std::vector<ByteRange> ranges = splitLog(log, readThreads(options), partBytes);
        std::vector<std::vector<Row>> rows(ranges.size());
        std::vector<PartEnd> ends(ranges.size());
        FirstStop firstStop;
        readParts(ranges.size(), readThreads(options), [&](std::size_t i) {
            if (firstStop.needless(i))
                return;
            std::int64_t unreported = 0;
            std::uint64_t reported = 0;
            try {
                LineReader reader(log, ranges[i]);
                LineCutter cutter;
                TextLine line;
                while (reader.next(line)) {
                    ends[i].lines = line.number;
                    if (line.blank() || !options.range.admits(line.bytes))
                        continue;
                    const CutLine &cut = cutter.cut(line, LineCutter::Mode::View);
                    if (cut.status != CutStatus::Ok || !keep(cut, rows[i])) {
                        ends[i].corruptedLine = line.number;
                        break;
                    }
                    if (++unreported == SharedProgress::batch) {
                        shared.add(unreported, reader.bytesConsumed() - reported);
                        reported = reader.bytesConsumed();
                        unreported = 0;
                        if (firstStop.needless(i))
                            break;
                    }
                }
                shared.add(unreported, reader.bytesConsumed() - reported);
            } catch (...) {
                ends[i].failure = std::current_exception();
            }
            if (ends[i].stopped())
                firstStop.stoppedAt(i);
        });
        std::vector<Row> all;
        const std::uint64_t corrupted = joinParts(ends, [&](std::size_t i) {
            all.insert(all.end(), std::make_move_iterator(rows[i].begin()), std::make_move_iterator(rows[i].end()));
            rows[i] = {};
        });
        if (corrupted != 0)
            return Corrupted{corrupted};
        if (progress)
            progress(describe(shared.lines(), static_cast<std::uint64_t>(size)));
        return all;
    } catch (const FileFailure &failure) {
        return Unreadable{failure.description(), failure.systemError()};
    } catch (const Failure &failure) {
        return Failed{failure.description()};
    } catch (const std::bad_alloc &) {
        return Failed{failures::outOfMemory};
    }
}

} // namespace

Outcome<std::vector<PersonalUpload>> personalRows(const LogInput &log, std::string_view nick,
                                                  const AnalysisOptions &options, const ProgressCallback &progress,
                                                  std::uint64_t partBytes)
{
    return readMatches<PersonalUpload>(
        log, options, progress, partBytes, [&](const CutLine &cut, std::vector<PersonalUpload> &rows) {
            if (cut.Nick != nick)
                return true;
            const double bytes = lenientNumber(cut.ByteText);
            if (!std::isfinite(bytes))
                return false;
            rows.push_back({std::string(cut.FilePath), bytes / 1000000.0, std::string(cut.DurationText)});
            return true;
        });
}

Outcome<std::vector<FileUpload>> fileRows(const LogInput &log, std::string_view file, const AnalysisOptions &options,
                                          const ProgressCallback &progress, std::uint64_t partBytes)
{
    return readMatches<FileUpload>(log, options, progress, partBytes,
                                   [&](const CutLine &cut, std::vector<FileUpload> &rows) {
                                       if (cut.FilePath != file)
                                           return true;
                                       rows.push_back({std::string(cut.Nick), std::string(cut.DurationText),
                                                       std::string(firstChars(cut.DateTimeText, 16))});
                                       return true;
                                   });
}

} // namespace varnoth
