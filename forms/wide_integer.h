#pragma once

#include <cstdint>
#include <string>

namespace varnoth {

// A whole number of 128 bits (two's complement), for exact figures made of
// 64-bit counts times small factors: a sum of hours counted in seconds can
// pass 2^64, where a double is no longer exact.
class WideInteger {
public:
    WideInteger() = default;
    WideInteger(std::int64_t value) // NOLINT: a wide integer stands in for any 64-bit one
        : high_(value < 0 ? ~std::uint64_t{0} : 0)
        , low_(static_cast<std::uint64_t>(value))
    {
    }

    // this × factor + value. The caller keeps the result within ±2^126.
    WideInteger &multiplyAdd(std::uint32_t factor, std::int64_t value);

    // Divides by divisor (at least 1), rounding down (towards minus
    // infinity); returns the remainder, from 0 to divisor - 1.
    std::uint64_t divideBy(std::uint64_t divisor);

    bool negative() const { return (high_ >> 63) != 0; }
    // The number's decimal digits, "-" before a negative one.
    std::string text() const;
    // The nearest double (within one rounding of it).
    double toDouble() const;

    friend bool operator==(const WideInteger &, const WideInteger &) = default;

private:
    WideInteger(std::uint64_t high, std::uint64_t low)
        : high_(high)
        , low_(low)
    {
    }
    WideInteger negated() const;
    bool fitsInt64() const { return high_ == (negative() ? ~std::uint64_t{0} : 0) && (low_ >> 63) == (high_ & 1); }

    std::uint64_t high_ = 0;
    std::uint64_t low_ = 0;
};

} // namespace varnoth
