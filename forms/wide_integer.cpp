#include "wide_integer.h"

#include <algorithm>
#include <charconv>

namespace varnoth {

WideInteger &WideInteger::multiplyAdd(std::uint32_t factor, std::int64_t value)
{
    // The low word in 32-bit halves, each product below 2^64.
    const std::uint64_t lowProduct = (low_ & 0xFFFFFFFFu) * factor;
    const std::uint64_t highProduct = (low_ >> 32) * factor;
    const std::uint64_t low = lowProduct + (highProduct << 32);
    high_ = high_ * factor + (highProduct >> 32) + (low < lowProduct ? 1 : 0);
    low_ = low;
    const WideInteger add(value);
    low_ += add.low_;
    high_ += add.high_ + (low_ < add.low_ ? 1 : 0);
    return *this;
}

WideInteger WideInteger::negated() const
{
    const std::uint64_t low = ~low_ + 1;
    return {~high_ + (low == 0 ? 1 : 0), low};
}

std::uint64_t WideInteger::divideBy(std::uint64_t divisor)
{
    const bool below = negative();
    WideInteger magnitude = below ? negated() : *this;
    // Long division, a bit at a time; the remainder may need a 65th bit
    // (carry) before it is reduced.
    std::uint64_t remainder = 0;
    WideInteger quotient;
    for (int bit = 127; bit >= 0; --bit) {
        const std::uint64_t next = bit >= 64 ? (magnitude.high_ >> (bit - 64)) & 1 : (magnitude.low_ >> bit) & 1;
        const bool carry = (remainder >> 63) != 0;
        remainder = (remainder << 1) | next;
        quotient.high_ = (quotient.high_ << 1) | (quotient.low_ >> 63);
        quotient.low_ <<= 1;
        if (carry || remainder >= divisor) {
            remainder -= divisor;
            quotient.low_ |= 1;
        }
    }
    if (below) {
        // -(q·d + r) = -(q + 1)·d + (d - r), rounded down.
        quotient = quotient.negated();
        if (remainder != 0) {
            quotient.multiplyAdd(1, -1);
            remainder = divisor - remainder;
        }
    }
    *this = quotient;
    return remainder;
}

std::string WideInteger::text() const
{
    char digits[48];
    if (fitsInt64()) {
        const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::int64_t>(low_)).ptr;
        return std::string(digits, end);
    }
    WideInteger rest = negative() ? negated() : *this;
    std::string out;
    while (rest.high_ != 0 || rest.low_ != 0)
        out += static_cast<char>('0' + rest.divideBy(10));
    if (negative())
        out += '-';
    std::reverse(out.begin(), out.end());
    return out;
}

double WideInteger::toDouble() const
{
    if (negative())
        return -negated().toDouble();
    return static_cast<double>(high_) * 18446744073709551616.0 + static_cast<double>(low_);
}

} // namespace varnoth
