#include "part_counting.h"

#include "forms/line_count.h"

namespace varnoth {

// The upload lines of a part, counted without cutting them when the whole
// log is read; cut only to read their dates when a range is asked.
std::int64_t countLines(const LogPart &part, const DateRange &range, SharedProgress &shared, std::stop_token stop)
{
    std::int64_t count = 0;
    if (range.whole()) {
        std::int64_t told = 0;
        auto tell = [&](std::uint64_t lines) {
            shared.add(static_cast<std::int64_t>(lines), 0);
            told += static_cast<std::int64_t>(lines);
        };
        count = static_cast<std::int64_t>(part.file ? countFilledLines(*part.file, part.range, part.hardEnd, tell)
                                                    : countFilledLines(part.bytes, part.range, part.logStart, tell));
        shared.add(count - told, 0);
        return count;
    }
    LineReader reader = part.reader();
    TextLine line;
    std::int64_t unreported = 0;
    while (reader.next(line)) {
        if (!line.blank() && range.admits(line.bytes) && ++unreported == linesPerBatch) {
            count += unreported;
            shared.add(unreported, 0);
            unreported = 0;
            if (stop.stop_requested())
                break;
        }
    }
    return count + unreported;
}

// The second pass over one part: every line cut and counted, up to the
// part's first corrupted line. A last line without its line end, where it
// may yet get one, is kept aside uncounted.
void countPart(const LogPart &part, bool lastLineWaits, const AnalysisOptions &options, PartCount &count, PartEnd &end,
               SharedProgress &shared, std::stop_token stop, const std::function<bool()> &needless)
{
    UploadCounter counter(count.tally, options);
    std::int64_t unreported = 0;
    std::uint64_t reported = 0;
    std::uint64_t consumed = 0;
    try {
        LineReader reader = part.reader();
        // Queued paths are the lines' own bytes: counted before those move.
        reader.whenBytesMove([&] { counter.flush(); });
        TextLine line;
        while (reader.next(line)) {
            if (!line.ended && lastLineWaits) {
                count.hasTail = true;
                count.tail.assign(line.bytes);
                break;
            }
            end.lines = line.number;
            if (!counter.count(line)) {
                end.corruptedLine = line.number;
                break;
            }
            if (++unreported == linesPerBatch) {
                consumed = reader.bytesConsumed();
                shared.add(unreported, consumed - reported);
                reported = consumed;
                unreported = 0;
                if (stop.stop_requested() || needless())
                    break;
            }
        }
        consumed = reader.bytesConsumed();
        counter.finish();
    } catch (...) {
        // The queued files of earlier lines are counted first, as when each
        // is counted at once: a failure among them is the one reported.
        try {
            counter.flush();
            end.failure = std::current_exception();
        } catch (...) {
            end.failure = std::current_exception();
        }
    }
    shared.add(unreported, consumed > reported ? consumed - reported : 0);
}

} // namespace varnoth
