#include "exact_sum.h"

#include <array>
#include <bit>
#include <cmath>

namespace varnoth {

namespace {

std::uint64_t magnitudeOf(std::int64_t value)
{
    return value < 0 ? static_cast<std::uint64_t>(-(value + 1)) + 1 : static_cast<std::uint64_t>(value);
}

// The bit of a whole number in units of 2^-1074.
constexpr int unitBit = 1074;

} // namespace

// A signed fixed-point number in units of 2^-1074, the smallest step of a
// double, as 32-bit digits held in 64-bit words: a term adds less than 2^33
// to a word, so a word takes 2^29 terms before it must pass its carry on.
// 70 digits cover every double (2^1024) with room for 2^40 of the largest.
class ExactSum::Wide {
public:
    void add(std::uint64_t magnitude, int bitOffset, bool negative)
    {
        const auto at = static_cast<std::size_t>(bitOffset / 32);
        const int shift = bitOffset % 32;
        const std::uint64_t low = (magnitude & 0xFFFFFFFFu) << shift;
        const std::uint64_t high = (magnitude >> 32) << shift;
        const std::int64_t parts[3] = {static_cast<std::int64_t>(low & 0xFFFFFFFFu),
                                       static_cast<std::int64_t>((low >> 32) + (high & 0xFFFFFFFFu)),
                                       static_cast<std::int64_t>(high >> 32)};
        for (std::size_t i = 0; i < 3; ++i)
            digits_[at + i] += negative ? -parts[i] : parts[i];
        if (++terms_ == (1u << 29))
            normalize();
    }

    void add(const Wide &other)
    {
        normalize();
        for (std::size_t i = 0; i < digits_.size(); ++i)
            digits_[i] += other.digits_[i];
        normalize();
    }

    // Every digit but the top one in [0, 2^32); the top one carries the sign.
    void normalize()
    {
        for (std::size_t i = 0; i + 1 < digits_.size(); ++i) {
            const std::int64_t carry = digits_[i] >> 32; // rounds down, also below zero
            digits_[i] -= carry * (std::int64_t{1} << 32);
            digits_[i + 1] += carry;
        }
        terms_ = 0;
    }

    double value()
    {
        normalize();
        const bool negative = digits_.back() < 0;
        if (negative) {
            for (std::int64_t &digit : digits_)
                digit = -digit;
            normalize();
        }
        std::size_t top = digits_.size();
        while (top > 0 && digits_[top - 1] == 0)
            --top;
        if (top == 0)
            return 0.0;
        const int bits = 32 * static_cast<int>(top - 1) + std::bit_width(static_cast<std::uint64_t>(digits_[top - 1]));
        double magnitude;
        if (bits <= 64) {
            magnitude = std::ldexp(static_cast<double>(bitsFrom(0)), -unitBit);
        } else {
            // The top 64 bits, with any bit below them folded into the lowest
            // one, convert to the correctly rounded double.
            const int from = bits - 64;
            std::uint64_t top64 = bitsFrom(from);
            if (anyBitBelow(from))
                top64 |= 1;
            magnitude = std::ldexp(static_cast<double>(top64), from - unitBit);
        }
        return negative ? -magnitude : magnitude;
    }

private:
    static constexpr std::size_t count = 70;

    std::uint64_t digit(std::size_t i) const { return i < digits_.size() ? static_cast<std::uint64_t>(digits_[i]) : 0; }
    // The 64 bits from bit `from` up (normalized digits).
    std::uint64_t bitsFrom(int from) const
    {
        const auto at = static_cast<std::size_t>(from / 32);
        const int shift = from % 32;
        const std::uint64_t low = digit(at) | (digit(at + 1) << 32);
        return shift == 0 ? low : (low >> shift) | (digit(at + 2) << (64 - shift));
    }
    bool anyBitBelow(int from) const
    {
        const auto at = static_cast<std::size_t>(from / 32);
        for (std::size_t i = 0; i < at; ++i) {
            if (digits_[i] != 0)
                return true;
        }
        return (digit(at) & ((std::uint64_t{1} << (from % 32)) - 1)) != 0;
    }

    std::array<std::int64_t, count> digits_{};
    std::uint32_t terms_ = 0;
};

ExactSum::ExactSum(const ExactSum &other)
    : whole_(other.whole_)
    , wide_(other.wide_ ? std::make_unique<Wide>(*other.wide_) : nullptr)
{
}

ExactSum &ExactSum::operator=(const ExactSum &other)
{
    if (this != &other) {
        whole_ = other.whole_;
        wide_ = other.wide_ ? std::make_unique<Wide>(*other.wide_) : nullptr;
    }
    return *this;
}

ExactSum::ExactSum() noexcept = default;
ExactSum::ExactSum(ExactSum &&) noexcept = default;
ExactSum &ExactSum::operator=(ExactSum &&) noexcept = default;
ExactSum::~ExactSum() = default;

ExactSum::Wide &ExactSum::wide()
{
    if (!wide_)
        wide_ = std::make_unique<Wide>();
    return *wide_;
}

void ExactSum::addFraction(double value)
{
    if (value == 0)
        return;
    int exponent;
    const double mantissa =
        std::frexp(std::fabs(value), &exponent); // value = mantissa * 2^exponent, mantissa in [0.5, 1)
    // As a 53-bit whole number times 2^(exponent - 53), at least 2^-1074.
    int offset = exponent - 53 + unitBit;
    auto whole = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
    if (offset < 0) { // below the normal range the low bits are zero
        whole >>= -offset;
        offset = 0;
    }
    wide().add(whole, offset, value < 0);
}

void ExactSum::add(const ExactSum &other)
{
    const std::int64_t b = other.whole_;
    if ((b > 0 && whole_ > INT64_MAX - b) || (b < 0 && whole_ < INT64_MIN - b))
        wide().add(magnitudeOf(b), unitBit, b < 0);
    else
        whole_ += b;
    if (other.wide_)
        wide().add(*other.wide_);
}

double ExactSum::value() const
{
    if (!wide_)
        return static_cast<double>(whole_);
    Wide sum = *wide_;
    if (whole_ != 0)
        sum.add(magnitudeOf(whole_), unitBit, whole_ < 0);
    return sum.value();
}

} // namespace varnoth
