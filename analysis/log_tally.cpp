#include "log_tally.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <new>

#include "forms/failure.h"
#include "opened_log.h"
#include "part_counting.h"
#include "part_reading.h"
#include "read_plan.h"
#include "read_threads.h"
#include "report_builder.h"
#include "shared_progress.h"

namespace varnoth {
namespace {

// Bytes kept from just before where a log was read up to: a log whose
// bytes there differ was written anew, not appended to.
constexpr std::size_t sampleBytes = 64;

// A stretch of a read, beside what the plan knows of it.
struct StretchInfo {
    std::uint64_t linesBefore = 0; // physical lines of the log before the stretch
    bool lastLineWaits = false;    // an unterminated last line waits for its end
    bool savedLine = false;        // the waiting last line of a log begun anew, ended
};

void reportTo(const ProgressCallback &progress, const Progress &p)
{
    if (progress)
        progress(p);
}

} // namespace

// Where the reading of one log stands between reads.
struct LogMark {
    std::shared_ptr<OpenedLog> opened;
    std::uint64_t readTo = 0;    // just past the last whole line counted
    std::uint64_t linesRead = 0; // physical lines before readTo
    std::uint64_t seen = 0;      // bytes of the log the last read saw: readTo and the tail
    std::string sample;          // the bytes just before readTo
    std::string tail;            // a last line without its line end, from readTo on
    bool hasTail = false;
    FileState state; // a stream's file when it was read
};

struct LogTally::State {
    UploadTally tally;
    std::vector<LogMark> marks;
    bool read = false;
};

LogTally::LogTally(std::vector<LogInput> logs, AnalysisOptions options, std::uint64_t partBytes)
    : logs_(std::move(logs))
    , options_(std::move(options))
    , partBytes_(partBytes)
    , state_(std::make_unique<State>())
{
}

LogTally::~LogTally() = default;

namespace {

// What a read is to read: stretches of the logs, in order.
struct Plan {
    bool fromStart = false;
    std::vector<LogStretch> stretches;
    std::vector<StretchInfo> info;
    std::vector<std::shared_ptr<OpenedLog>> opened; // per stretch, kept alive for the read
    std::deque<std::string> savedTails;             // waiting last lines read again from memory
};

std::string bytesOf(const OpenedLog &log, std::uint64_t from, std::uint64_t to)
{
    if (to <= from)
        return {};
    if (!log.file())
        return std::string(log.memory().substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
    std::string bytes(static_cast<std::size_t>(to - from), '\0');
    bytes.resize(log.file()->readAt(from, bytes.data(), bytes.size()));
    return bytes;
}

void addStretch(Plan &plan, std::size_t log, std::shared_ptr<OpenedLog> opened, std::uint64_t from, std::uint64_t to,
                StretchInfo info)
{
    plan.stretches.push_back({log, opened.get(), from, to});
    plan.info.push_back(info);
    plan.opened.push_back(std::move(opened));
}

// Every log from its start: the last one's unterminated last line waits
// (unless it is a stream, which has ended when its last line does).
void planFromStart(Plan &plan, const std::vector<LogInput> &logs, std::size_t &failingLog)
{
    plan.fromStart = true;
    for (std::size_t i = 0; i < logs.size(); ++i) {
        failingLog = i;
        auto opened = std::make_shared<OpenedLog>(logs[i]);
        const bool stream = opened->stream();
        const std::uint64_t size = stream ? 0 : opened->sizeNow();
        addStretch(plan, i, std::move(opened), 0, size, {0, i + 1 == logs.size() && !stream});
    }
}

} // namespace

Outcome<ReadDone> LogTally::read(Reading reading, const ProgressCallback &progress, std::stop_token stop)
{
    State &state = *state_;
    Plan plan;
    std::size_t failingLog = logs_.size() - 1; // the log a failure is about
    try {
        if (logs_.empty())
            return ReadDone{};
        // What changed since the last read.
        if (!state.read) {
            planFromStart(plan, logs_, failingLog);
        } else {
            for (std::size_t i = 0; i < logs_.size() && !plan.fromStart; ++i) {
                failingLog = i;
                const LogMark &mark = state.marks[i];
                const OpenedLog &opened = *mark.opened;
                const bool last = i + 1 == logs_.size();
                if (opened.stream()) {
                    // Read once: only a compressed file can be read again,
                    // and is when it is another file or was written since.
                    FileState now;
                    if (opened.gzip() && opened.file() &&
                        (!stateOfPath(logs_[i].path(), now) || now.identity != mark.state.identity ||
                         now.size != mark.state.size || now.modified != mark.state.modified))
                        plan.fromStart = true;
                    continue;
                }
                FileState atPath;
                const bool replaced = opened.file() && stateOfPath(logs_[i].path(), atPath) &&
                                      atPath.identity != opened.opened().identity;
                const std::uint64_t size = opened.sizeNow();
                const bool shrunk = size < mark.seen;
                const bool rewritten =
                    !shrunk && bytesOf(opened, mark.readTo - mark.sample.size(), mark.readTo) != mark.sample;
                if (rewritten || (!last && (replaced || shrunk || size != mark.seen)) ||
                    (reading == Reading::Refresh && (replaced || shrunk))) {
                    plan.fromStart = true;
                    continue;
                }
                if (!last)
                    continue;
                if (replaced) {
                    // Rotated: the old file to its end, its last line ended
                    // there, then the new file from its start.
                    addStretch(plan, i, mark.opened, mark.readTo, size, {mark.linesRead, false});
                    auto renewed = std::make_shared<OpenedLog>(logs_[i]);
                    const std::uint64_t renewedSize = renewed->stream() ? 0 : renewed->sizeNow();
                    addStretch(plan, i, std::move(renewed), 0, renewedSize, {0, true});
                } else if (shrunk) {
                    // Begun anew in place: a waiting last line of the old
                    // bytes is ended, then the log is read from its new start.
                    if (mark.hasTail) {
                        plan.savedTails.push_back(mark.tail);
                        auto saved =
                            std::make_shared<OpenedLog>(LogInput::inMemory(plan.savedTails.back(), logs_[i].path()));
                        addStretch(plan, i, std::move(saved), 0, mark.tail.size(), {mark.linesRead, false, true});
                    }
                    addStretch(plan, i, mark.opened, 0, size, {0, true});
                } else if (size > mark.seen) {
                    addStretch(plan, i, mark.opened, mark.readTo, size, {mark.linesRead, true});
                }
            }
            if (plan.fromStart) {
                plan = Plan{};
                planFromStart(plan, logs_, failingLog);
            }
        }
        if (plan.stretches.empty())
            return ReadDone{};

        ReadPlan parts(plan.stretches, options_.readMethod, readThreads(options_), partBytes_);
        const bool hasStream = parts.hasStream();

        // The first pass: the upload lines of the files, counted so that the
        // progress can say how many are still to come.
        std::int64_t lineCount = 0;
        if (progress) {
            reportTo(progress, {RunPhase::CountingLines, 0, 0, 0});
            SharedProgress shared(progress, [](std::int64_t lines, std::uint64_t) {
                return Progress{RunPhase::CountingLines, 0, lines, 0};
            });
            std::vector<std::int64_t> counted(plan.stretches.size(), 0);
            auto supply = parts.fileParts();
            const PartsEnd end = readInParts<std::int64_t>(
                *supply, parts.threads(), parts.inFlight(), stop,
                [&](const LogPart &part, std::int64_t &count, PartEnd &, const auto &) {
                    count = countLines(part, options_.range, shared, stop);
                },
                [&](const LogPart &, std::int64_t &&count) { lineCount += count; });
            if (end.cancelled)
                return Cancelled{};
            if (end.failure) {
                failingLog = plan.stretches[end.failureLog].log;
                std::rethrow_exception(end.failure);
            }
        }

        // The second pass: every line cut and counted, part by part.
        const std::uint64_t allBytes = parts.fileBytes() + parts.streamFileBytes();
        SharedProgress shared(progress, [&](std::int64_t lines, std::uint64_t bytes) {
            if (!hasStream)
                return Progress{RunPhase::ReadingInformation, lines, lineCount,
                                lineCount > 0 ? std::min(1.0, static_cast<double>(lines) / lineCount) : 1.0};
            const double done = static_cast<double>(bytes + parts.streamBytesTaken());
            return Progress{RunPhase::ReadingInformation, lines, std::max<std::int64_t>(lines, lineCount),
                            allBytes > 0 ? std::min(1.0, done / static_cast<double>(allBytes)) : 0.0};
        });
        reportTo(progress, {RunPhase::ReadingInformation, 0, lineCount, 0});
        UploadTally read;
        bool first = true;
        std::vector<std::optional<std::string>> tails(plan.stretches.size());
        auto supply = parts.allParts();
        const PartsEnd end = readInParts<PartCount>(
            *supply, parts.threads(), parts.inFlight(), stop,
            [&](const LogPart &part, PartCount &count, PartEnd &partEnd, const auto &needless) {
                const bool waits = part.lastOfLog && plan.info[part.log].lastLineWaits;
                countPart(part, waits, options_, count, partEnd, shared, stop, needless);
                // Only the first part's names are looked up again, as the
                // others join it: their indexes go before the join.
                if (part.index > 0)
                    count.tally.tallies.dropIndexes();
            },
            [&](const LogPart &part, PartCount &&count) {
                if (first)
                    read = std::move(count.tally);
                else
                    read.append(std::move(count.tally));
                first = false;
                if (count.hasTail)
                    tails[part.log] = std::move(count.tail);
            });
        // A log that changed under the read: what it read does not describe it.
        for (std::size_t k = 0; k < plan.stretches.size(); ++k) {
            const LogStretch &s = plan.stretches[k];
            if (s.opened->stream() || !s.opened->file())
                continue;
            FileState atPath;
            if (parts.mappingLost(k) || s.opened->sizeNow() < s.to ||
                (reading == Reading::Refresh && stateOfPath(logs_[s.log].path(), atPath) &&
                 atPath.identity != s.opened->opened().identity))
                return LogChanged{logs_[s.log].path()};
        }
        if (end.cancelled)
            return Cancelled{};
        if (end.failure) {
            failingLog = plan.stretches[end.failureLog].log;
            std::rethrow_exception(end.failure);
        }
        if (end.corruptedLine != 0) {
            const std::size_t log = plan.stretches[end.corruptedLog].log;
            return Corrupted{plan.info[end.corruptedLog].linesBefore + end.corruptedLine,
                             logs_.size() > 1 ? logs_[log].path() : std::string()};
        }

        // The read is kept: the counts, and where each log now stands.
        std::vector<LogMark> marks = plan.fromStart ? std::vector<LogMark>(logs_.size()) : state.marks;
        for (std::size_t k = 0; k < plan.stretches.size(); ++k) {
            const LogStretch &s = plan.stretches[k];
            failingLog = s.log;
            LogMark &mark = marks[s.log];
            if (plan.info[k].savedLine)
                continue; // the log's mark comes from the stretch after it
            mark.opened = plan.opened[k];
            mark.state = s.opened->opened();
            mark.hasTail = tails[k].has_value();
            mark.tail = tails[k].value_or(std::string());
            const std::uint64_t lines = k < end.lines.size() ? end.lines[k] : 0;
            mark.linesRead = plan.info[k].linesBefore + lines;
            if (s.opened->stream()) {
                mark.readTo = mark.seen = 0;
                continue;
            }
            mark.seen = s.to;
            mark.readTo = s.to - mark.tail.size();
            // A waiting first line may follow a byte order mark: it is read
            // again from the log's start.
            if (s.from == 0 && mark.linesRead == 0)
                mark.readTo = 0;
            mark.sample =
                bytesOf(*s.opened, mark.readTo - std::min<std::uint64_t>(mark.readTo, sampleBytes), mark.readTo);
        }
        ReadDone done;
        done.uploads = read.uploads;
        done.fromStart = plan.fromStart;
        if (plan.fromStart || !state.read) {
            state.tally = std::move(read);
        } else {
            try {
                state.tally.append(std::move(read));
            } catch (...) {
                // Counts half joined are no counts: the next read starts over.
                state.read = false;
                throw;
            }
        }
        state.marks = std::move(marks);
        state.read = true;
        reportTo(progress, {RunPhase::ReadingInformation, state.tally.uploads, state.tally.uploads, 1});
        return done;
    } catch (const FileFailure &failure) {
        return Unreadable{failure.description(), failure.systemError(),
                          logs_.size() > 1 && failingLog < logs_.size() ? logs_[failingLog].path() : std::string()};
    } catch (const Failure &failure) {
        return Failed{failure.description()};
    } catch (const std::bad_alloc &) {
        return Failed{failures::outOfMemory};
    }
}

Outcome<AnalysisReport> LogTally::report(LastLine lastLine) const
{
    const State &state = *state_;
    // A waiting last line (only the last log has one), counted on top of
    // the tally when asked.
    const LogMark *waiting = state.marks.empty() || !state.marks.back().hasTail ? nullptr : &state.marks.back();
    if (!waiting || lastLine == LastLine::Wait)
        return buildReport(state.tally, nullptr, options_.range);
    UploadTally more;
    {
        UploadCounter counter(more, options_);
        TextLine line;
        line.bytes = waiting->tail;
        line.number = waiting->linesRead + 1;
        line.ascii = std::none_of(waiting->tail.begin(), waiting->tail.end(),
                                  [](char c) { return static_cast<unsigned char>(c) > 127; });
        line.ended = false;
        try {
            if (!counter.count(line)) {
                if (lastLine == LastLine::IfWhole)
                    return buildReport(state.tally, nullptr, options_.range);
                return Corrupted{line.number, logs_.size() > 1 ? logs_.back().path() : std::string()};
            }
            counter.finish();
        } catch (const Failure &failure) {
            return Failed{failure.description()};
        }
    }
    return buildReport(state.tally, &more, options_.range);
}

void LogTally::settle()
{
    state_->tally.tallies.dropIndexes();
}

std::vector<LogExtent> LogTally::extents() const
{
    std::vector<LogExtent> extents;
    for (std::size_t i = 0; i < logs_.size(); ++i) {
        LogExtent extent{logs_[i], UINT64_MAX, UINT64_MAX};
        if (i < state_->marks.size() && state_->marks[i].opened && !state_->marks[i].opened->stream()) {
            extent.bytes = state_->marks[i].seen;
            extent.lineEnd = state_->marks[i].readTo;
        }
        extents.push_back(std::move(extent));
    }
    return extents;
}

std::int64_t LogTally::uploads() const
{
    return state_->tally.uploads;
}

} // namespace varnoth
