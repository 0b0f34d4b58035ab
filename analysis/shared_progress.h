#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>

#include "progress.h"

namespace varnoth {

// The progress of a read that several threads share. Each thread adds what
// it has done now and then; whichever finds a report due makes it, so the
// callback is called from the reading threads, but never from two at once,
// and at most every 50 ms.
class SharedProgress {
public:
    // What to report after `lines` lines and `bytes` bytes in all.
    using Describe = std::function<Progress(std::int64_t lines, std::uint64_t bytes)>;

    SharedProgress(const ProgressCallback &callback, Describe describe)
        : callback_(callback)
        , describe_(std::move(describe))
    {
    }

    void add(std::int64_t lines, std::uint64_t bytes)
    {
        const std::int64_t allLines = lines_ += lines;
        const std::uint64_t allBytes = bytes_ += bytes;
        if (!callback_)
            return;
        std::unique_lock lock(mutex_, std::try_to_lock);
        if (!lock.owns_lock())
            return;
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < std::chrono::milliseconds(50))
            return;
        last_ = now;
        callback_(describe_(allLines, allBytes));
    }

    std::int64_t lines() const { return lines_; }

    // Lines that a thread adds at a time: often enough for a steady display,
    // seldom enough to cost nothing.
    static constexpr std::int64_t batch = 4096;

private:
    const ProgressCallback &callback_;
    Describe describe_;
    std::atomic<std::int64_t> lines_{0};
    std::atomic<std::uint64_t> bytes_{0};
    std::mutex mutex_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

} // namespace varnoth
