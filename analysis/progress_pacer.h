#pragma once

#include <chrono>
#include <cstdint>

namespace varnoth {

// Decides when a long read reports its progress: about every 1 % of the
// lines or every 100 ms, whichever comes first, checking the clock only
// every few thousand lines so that the per-line cost stays nil.
class ProgressPacer {
public:
    explicit ProgressPacer(std::int64_t total)
        : step_(total / 100 > 0 ? total / 100 : 1), last_(std::chrono::steady_clock::now())
    {
    }

    bool due(std::int64_t done)
    {
        if (done - lastDone_ >= step_ || (done & 4095) == 0) {
            const auto now = std::chrono::steady_clock::now();
            if (done - lastDone_ >= step_ || now - last_ >= std::chrono::milliseconds(100)) {
                last_ = now;
                lastDone_ = done;
                return true;
            }
        }
        return false;
    }

private:
    std::int64_t step_;
    std::int64_t lastDone_ = 0;
    std::chrono::steady_clock::time_point last_;
};

} // namespace varnoth
