#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "analysis_options.h"
#include "opened_log.h"
#include "part_reading.h"

namespace varnoth {

// One log's share of a read: the lines that begin at or after `from` (a
// line's start) and before `to`. A stream is read from its start to its end.
struct LogStretch {
    std::size_t log = 0; // which log of the set
    const OpenedLog *opened = nullptr;
    std::uint64_t from = 0;
    std::uint64_t to = 0;
};

// The parts in which the stretches of a read are read, the same for both
// passes of a run: files split into consecutive parts, one per thread
// (mapped into memory once, or read through a buffer); streams cut into
// chunks of whole lines as their bytes come.
class ReadPlan {
public:
    // partBytes: parts of that size instead of one per thread (tests use it
    // to read small logs in many parts).
    ReadPlan(std::vector<LogStretch> stretches, ReadMethod method, unsigned threads, std::uint64_t partBytes = 0);
    ~ReadPlan();

    const std::vector<LogStretch> &stretches() const { return stretches_; }
    unsigned threads() const { return threads_; }
    // Parts waiting to be joined at most, so that a stream is read in
    // bounded memory.
    std::size_t inFlight() const;

    // The parts of the files (streams left out), for counting their lines.
    std::unique_ptr<PartSupply> fileParts();
    // The parts of every stretch, in log order.
    std::unique_ptr<PartSupply> allParts();
    // Whether any stretch is a stream, whose lines cannot be counted ahead.
    bool hasStream() const;

    // Bytes of the files to read and, of the streams, the bytes taken from
    // their files so far (for the progress of a read).
    std::uint64_t fileBytes() const;
    std::uint64_t streamBytesTaken() const { return streamTaken_.load(std::memory_order_relaxed); }
    std::uint64_t streamFileBytes() const;

    // Whether the mapped file of stretch i became shorter while it was read.
    bool mappingLost(std::size_t i) const;

    // Bytes of a stream cut into one part.
    static constexpr std::size_t chunkBytes = std::size_t{4} << 20;

private:
    friend class FilePartSupply;
    friend class AllPartSupply;
    struct Mapped;
    // The bytes of stretch i in memory (mapping it the first time), with
    // the file offset of their first byte; empty when it is read through a
    // buffer.
    const Mapped &mapped(std::size_t i);
    std::vector<LogPart> filePartsOf(std::size_t i);

    std::vector<LogStretch> stretches_;
    ReadMethod method_;
    unsigned threads_;
    std::uint64_t partBytes_;
    std::vector<std::unique_ptr<Mapped>> mapped_;
    std::atomic<std::uint64_t> streamTaken_{0};
};

} // namespace varnoth
