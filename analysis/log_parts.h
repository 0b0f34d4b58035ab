#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

#include "analysis_options.h"
#include "forms/line_reader.h"

namespace varnoth {

// The threads a read of the log uses: options.threads, or every hardware
// thread when that is 0.
unsigned readThreads(const AnalysisOptions &options);

// The threads named by a setting such as the environment variable
// VARNOTH_THREADS: a whole number from 1 to 1024; 0 (every hardware thread)
// when the text is missing or is not such a number.
unsigned threadsSetting(const char *text);

// Splits a log into consecutive parts to be read side by side: one part per
// thread (a small log is one part), or parts of partBytes bytes each when
// partBytes is not 0 (so that tests read a small log in many parts). The
// last part reaches to the end of the file, however long it has become.
std::vector<ByteRange> splitLog(const LogInput &log, unsigned threads, std::uint64_t partBytes);

// Calls work(i) for every part i on up to `threads` threads, the calling
// thread among them, each taking the next part not yet taken; returns when
// all parts are done. work must not throw.
void readParts(std::size_t parts, unsigned threads, const std::function<void(std::size_t)> &work);

// How the reading of one part ended: at its end, at its first corrupted
// line, or at a failure.
struct PartEnd {
    std::uint64_t lines = 0;         // physical lines read, blank ones included
    std::uint64_t corruptedLine = 0; // numbered within the part; 0 when none
    std::exception_ptr failure;

    bool stopped() const { return corruptedLine != 0 || failure; }
};

// The first part that stopped early. The parts after it need not be read:
// a read of the whole log would have stopped before them.
class FirstStop {
public:
    void stoppedAt(std::size_t part)
    {
        std::size_t first = first_.load();
        while (part < first && !first_.compare_exchange_weak(first, part)) {
        }
    }
    bool needless(std::size_t part) const { return part > first_.load(std::memory_order_relaxed); }

private:
    std::atomic<std::size_t> first_{static_cast<std::size_t>(-1)};
};

// Takes the parts in log order, calling take(i) for each up to and including
// the first that stopped, as one read of the whole log would have met their
// lines. Rethrows that part's failure; returns its corrupted line numbered
// within the whole file, or 0 when every part was read to its end.
template <class Take> std::uint64_t joinParts(const std::vector<PartEnd> &ends, Take take)
{
    std::uint64_t linesBefore = 0;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        take(i);
        if (ends[i].failure)
            std::rethrow_exception(ends[i].failure);
        if (ends[i].corruptedLine != 0)
            return linesBefore + ends[i].corruptedLine;
        linesBefore += ends[i].lines;
    }
    return 0;
}

} // namespace varnoth
