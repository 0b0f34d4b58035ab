#pragma once

#include <chrono>
#include <cstdint>

namespace varnoth {

// Decides when a long read reports its progress: every 50 ms, checking the
// clock only every few thousand lines so that the per-line cost stays nil.
class ProgressPacer {
public:
    bool due(std::int64_t done)
    {
        if ((done & 4095) != 0)
            return false;
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < std::chrono::milliseconds(50))
            return false;
        last_ = now;
        return true;
    }

private:
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

} // namespace varnoth
