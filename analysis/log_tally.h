#pragma once

#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

#include "analysis_options.h"
#include "analysis_report.h"
#include "forms/line_reader.h"
#include "outcome.h"
#include "progress.h"

namespace varnoth {

// What a read added to a tally.
struct ReadDone {
    std::int64_t uploads = 0; // upload lines read and counted
    bool fromStart = false;   // the logs were read again from their start
    bool anythingNew() const { return fromStart || uploads > 0; }
};

// How far a log was read: a drill-down reads the same bytes (from a line's
// start `from`, for a view that has read the bytes before).
struct LogExtent {
    LogInput log;
    std::uint64_t bytes = 0;   // read up to here (a stream: all of it)
    std::uint64_t lineEnd = 0; // where the last whole line read ends (bytes, unless a last line waits)
    std::uint64_t from = 0;
};

// The counts of one or more logs read as one log, kept between reads: fed
// what the logs hold beyond what was read before (all of it the first
// time, then what was appended), each time in parts side by side, joined in
// log order; a report of everything read so far can be made at any moment
// without spending the counts.
//
// A last line without its line end is not counted by a read: it waits for
// the rest of its bytes, and a report counts it or not as asked. A read
// that does not end well (a corrupted line, a failure, a log that changed
// under it, a cancel) leaves the tally as it was.
class LogTally {
public:
    // logs: in the order they are read as one log. partBytes as in ReadPlan.
    LogTally(std::vector<LogInput> logs, AnalysisOptions options, std::uint64_t partBytes = 0);
    ~LogTally();
    LogTally(const LogTally &) = delete;
    LogTally &operator=(const LogTally &) = delete;

    enum class Reading {
        // What was appended to the last log since it was read, when the
        // bytes read before are as they were; the logs from their start
        // again otherwise.
        Refresh,
        // The same, but a log replaced at its path (rotated, or begun anew
        // shorter than what was read) is read to its end and then from its
        // new start, the counts kept.
        Follow,
    };

    // Reads the logs: all of them the first time. Progress as analyzeLog();
    // a stop requested through stop cancels the read within a few
    // milliseconds (Cancelled).
    Outcome<ReadDone> read(Reading reading = Reading::Refresh, const ProgressCallback &progress = {},
                           std::stop_token stop = {});

    // How a report takes a last line without its line end.
    enum class LastLine {
        End,     // counted as ended, as by a read of the logs once: a line that cannot be cut is Corrupted
        IfWhole, // counted when it can be cut, else left to wait
        Wait,    // left to wait for its line end
    };
    // Everything read so far, ranked and summed up.
    Outcome<AnalysisReport> report(LastLine lastLine = LastLine::End) const;

    // Frees what only later reads need (the tables' indexes) once no read
    // will follow.
    void settle();

    const std::vector<LogInput> &logs() const { return logs_; }
    const AnalysisOptions &options() const { return options_; }
    // The logs and how far each was read, for a drill-down of the same bytes.
    std::vector<LogExtent> extents() const;
    // Upload lines counted so far (a waiting last line not included).
    std::int64_t uploads() const;

private:
    struct State;
    std::vector<LogInput> logs_;
    AnalysisOptions options_;
    std::uint64_t partBytes_;
    std::unique_ptr<State> state_;
};

} // namespace varnoth
