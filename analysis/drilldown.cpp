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
#include "progress_pacer.h"

namespace varnoth {
namespace {

// Reads the log once, cutting every line as the views do, and hands each cut
// line to keep(), which adds a row when the line matches and returns false
// for a line that cannot be used.
template <class Row, class Keep>
Outcome<std::vector<Row>> readMatches(const LogInput &log, const DateRange &range, const ProgressCallback &progress,
                                      Keep keep)
{
    try {
        std::error_code error;
        const double size = log.bytes()
                                ? static_cast<double>(log.bytes()->size())
                                : static_cast<double>(std::filesystem::file_size(pathFromUtf8(log.path()), error));
        auto report = [&](std::int64_t lines, std::uint64_t bytes) {
            if (progress)
                progress({RunPhase::ReadingDrilldown, lines, 0,
                          error || size == 0 ? 1.0 : std::min(1.0, static_cast<double>(bytes) / size)});
        };
        report(0, 0);
        std::vector<Row> rows;
        LineReader reader(log);
        LineCutter cutter;
        ProgressPacer pacer;
        TextLine line;
        std::int64_t lines = 0;
        while (reader.next(line)) {
            if (line.blank() || !range.admits(line.bytes))
                continue;
            ++lines;
            const CutLine &cut = cutter.cut(line, LineCutter::Mode::View);
            if (cut.status != CutStatus::Ok || !keep(cut, rows))
                return Corrupted{line.number};
            if (pacer.due(lines))
                report(lines, reader.bytesConsumed());
        }
        report(lines, reader.bytesConsumed());
        return rows;
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
                                                  const AnalysisOptions &options, const ProgressCallback &progress)
{
    return readMatches<PersonalUpload>(
        log, options.range, progress, [&](const CutLine &cut, std::vector<PersonalUpload> &rows) {
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
                                          const ProgressCallback &progress)
{
    return readMatches<FileUpload>(log, options.range, progress,
                                   [&](const CutLine &cut, std::vector<FileUpload> &rows) {
                                       if (cut.FilePath != file)
                                           return true;
                                       rows.push_back({std::string(cut.Nick), std::string(cut.DurationText),
                                                       std::string(firstChars(cut.DateTimeText, 16))});
                                       return true;
                                   });
}

} // namespace varnoth
