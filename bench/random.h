#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace varnoth::bench {

// A small, fast generator (splitmix64): the same seed always gives the same
// numbers, on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : state_(seed * 0x9E3779B97F4A7C15ull + 1)
    {
    }
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint32_t below(std::uint64_t n) { return static_cast<std::uint32_t>(next() % n); }
    double unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }
    // Skewed towards small indices: a few items are very popular.
    std::uint32_t popular(std::uint32_t n)
    {
        const double u = unit();
        return std::min<std::uint32_t>(n - 1, static_cast<std::uint32_t>(std::pow(u, 3.0) * n));
    }

private:
    std::uint64_t state_;
};

} // namespace varnoth::bench
