#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "forms/line_reader.h"
#include "forms/open_file.h"

namespace varnoth {

// One stretch of one log that a worker reads: the lines that begin in its
// range. Its bytes are in memory (a mapped file, or a stretch of a stream
// read once) or are read from an open file through a buffer.
struct LogPart {
    std::size_t log = 0;            // which stretch of the read (a log may have two)
    std::string_view bytes;         // the bytes in memory, range counted from their start ...
    const OpenFile *file = nullptr; // ... or the file, range counted from its start
    ByteRange range;
    std::uint64_t hardEnd = UINT64_MAX; // a file's bytes from here on are not read
    bool logStart = false;              // begins at the log's first byte
    bool lastOfLog = false;             // the last part of the log in this read
    std::size_t index = 0;              // its place among the parts of the read (set by readInParts)
    std::shared_ptr<const void> keep;   // what holds the bytes while the part is read

    LineReader reader() const { return file ? LineReader(*file, range, hardEnd) : LineReader(bytes, range, logStart); }
};

// Gives the parts of a read in log order, one call at a time: the parts of
// files known in advance, those of a stream as its bytes come. Nothing at
// the end. May throw FileFailure (the part where the failure stands is then
// the read's stop).
class PartSupply {
public:
    virtual ~PartSupply() = default;
    virtual std::optional<LogPart> next(std::stop_token stop) = 0;
    // The stretch whose parts are being supplied (the one a failure of next() is about).
    virtual std::size_t logSupplied() const = 0;
};

// How the reading of one part ended: at its end, at its first corrupted
// line, or at a failure.
struct PartEnd {
    std::uint64_t lines = 0;         // physical lines read, blank ones included
    std::uint64_t corruptedLine = 0; // numbered within the part; 0 when none
    std::exception_ptr failure;

    bool stopped() const { return corruptedLine != 0 || failure; }
};

// How a read in parts ended.
struct PartsEnd {
    bool cancelled = false;
    std::exception_ptr failure;
    std::size_t failureLog = 0; // the stretch of the part that failed
    std::size_t corruptedLog = 0;
    std::uint64_t corruptedLine = 0;  // counted from where the read of that log began; 0 when none
    std::vector<std::uint64_t> lines; // per stretch: physical lines of the parts joined
};

// The one way the logs are read: parts side by side on up to `threads`
// threads (the calling thread among them), each read into a Result of its
// own by read(part, result, end, needless) (needless() tells that an
// earlier part has stopped, so that this one need not be read on); the
// results then taken by join(part,
// result) in log order, by one thread at a time, up to and including the
// first part that stopped, as one read of the logs from start to end would
// have met their lines. Parts after a stopped one are not read. At most
// `inFlight` parts are read or wait to be joined at a time, so that a
// stream of any length is read in bounded memory. A stop requested through
// `stop` ends the read early (read() should test it now and then).
template <class Result, class Read, class Join>
PartsEnd readInParts(PartSupply &supply, unsigned threads, std::size_t inFlight, std::stop_token stop, Read read,
                     Join join)
{
    struct Slot {
        LogPart part;
        std::optional<Result> result;
        PartEnd end;
        bool done = false;
    };
    inFlight = std::max<std::size_t>(inFlight, 1);
    std::vector<Slot> slots(inFlight);
    std::mutex supplyMutex, stateMutex, joinMutex;
    std::condition_variable room;
    std::size_t supplied = 0, joined = 0;
    std::size_t firstStop = SIZE_MAX; // the first part that stopped, in log order
    bool exhausted = false, finished = false;
    PartsEnd outcome;
    std::vector<std::uint64_t> &linesBefore = outcome.lines; // per stretch, in parts joined so far

    auto joinReady = [&] {
        std::lock_guard joining(joinMutex);
        for (;;) {
            Slot *slot = nullptr;
            {
                std::lock_guard lock(stateMutex);
                if (finished || joined == supplied || !slots[joined % inFlight].done)
                    return;
                slot = &slots[joined % inFlight];
            }
            const PartEnd &end = slot->end;
            if (!end.failure && slot->result)
                join(slot->part, std::move(*slot->result));
            const std::size_t log = slot->part.log;
            if (linesBefore.size() <= log)
                linesBefore.resize(log + 1, 0);
            bool last = false;
            if (end.failure) {
                outcome.failure = end.failure;
                outcome.failureLog = log;
                last = true;
            } else if (end.corruptedLine != 0) {
                outcome.corruptedLog = log;
                outcome.corruptedLine = linesBefore[log] + end.corruptedLine;
                last = true;
            }
            linesBefore[log] += end.lines;
            slot->result.reset();
            slot->part = {};
            std::lock_guard lock(stateMutex);
            ++joined;
            finished = finished || last;
            room.notify_all();
        }
    };

    auto worker = [&] {
        for (;;) {
            std::size_t index = 0;
            {
                std::unique_lock supplying(supplyMutex);
                {
                    std::unique_lock lock(stateMutex);
                    room.wait(lock, [&] { return finished || exhausted || supplied - joined < inFlight; });
                    if (finished || exhausted)
                        return;
                }
                if (stop.stop_requested()) {
                    std::lock_guard lock(stateMutex);
                    exhausted = true;
                    room.notify_all();
                    return;
                }
                std::optional<LogPart> part;
                std::exception_ptr failure;
                try {
                    part = supply.next(stop);
                } catch (...) {
                    failure = std::current_exception();
                }
                std::lock_guard lock(stateMutex);
                if (!part && !failure) {
                    exhausted = true;
                    room.notify_all();
                    return;
                }
                index = supplied++;
                Slot &slot = slots[index % inFlight];
                slot.done = false;
                slot.end = {};
                slot.result.reset();
                if (failure) {
                    slot.end.failure = failure;
                    slot.part.log = supply.logSupplied();
                    slot.done = true;
                    exhausted = true; // nothing after a part that cannot be had
                    firstStop = std::min(firstStop, index);
                } else {
                    slot.part = std::move(*part);
                    slot.part.index = index;
                }
            }
            Slot &slot = slots[index % inFlight];
            bool needless;
            {
                std::lock_guard lock(stateMutex);
                needless = slot.done || index > firstStop;
            }
            if (!needless) {
                slot.result.emplace();
                auto needlessNow = [&, index] {
                    std::lock_guard lock(stateMutex);
                    return index > firstStop || finished;
                };
                try {
                    read(slot.part, *slot.result, slot.end, needlessNow);
                } catch (...) {
                    slot.end.failure = std::current_exception();
                }
                std::lock_guard lock(stateMutex);
                slot.done = true;
                if (slot.end.stopped())
                    firstStop = std::min(firstStop, index);
            } else {
                std::lock_guard lock(stateMutex);
                slot.done = true;
            }
            joinReady();
        }
    };

    std::vector<std::jthread> helpers;
    const unsigned helperCount = threads > 1 ? threads - 1 : 0;
    try {
        for (unsigned i = 0; i < helperCount; ++i)
            helpers.emplace_back(worker);
    } catch (const std::system_error &) {
        // The system has no more threads to give: the parts are read by fewer.
    }
    worker();
    for (std::jthread &helper : helpers)
        helper.join();
    joinReady();
    outcome.cancelled = stop.stop_requested() && !outcome.failure && outcome.corruptedLine == 0;
    return outcome;
}

// Lines that a reading thread counts before it tells the others, and
// before it looks whether it should stop.
inline constexpr std::int64_t linesPerBatch = 4096;

} // namespace varnoth
