#pragma once

#include <cstdint>
#include <memory>

namespace varnoth {

// A sum of doubles kept without rounding, so that it comes out the same
// whatever the order of its terms and however partial sums are merged: the
// parts of a log read on several threads give exactly the sum of one thread.
// Whole numbers (nearly every byte count and duration) are added as 64-bit
// integers; any other term goes to a fixed-point accumulator wide enough for
// every double, made only when such a term comes.
class ExactSum {
public:
    ExactSum() noexcept;
    ExactSum(const ExactSum &other);
    ExactSum &operator=(const ExactSum &other);
    ExactSum(ExactSum &&) noexcept;
    ExactSum &operator=(ExactSum &&) noexcept;
    ~ExactSum();

    // value must be finite.
    void add(double value)
    {
        if (value >= -4503599627370496.0 && value <= 4503599627370496.0) {
            const auto whole = static_cast<std::int64_t>(value);
            if (static_cast<double>(whole) == value && addWhole(whole))
                return;
        }
        addFraction(value);
    }
    void add(const ExactSum &other);

    // The sum rounded once to the nearest double (an infinity beyond the largest).
    double value() const;

private:
    class Wide;

    bool addWhole(std::int64_t value)
    {
        // Terms up to 2^52 cannot leave the range before 2^11 of them have
        // come; the rare sum that would is moved to the wide accumulator.
        if ((whole_ > 0 && whole_ > INT64_MAX / 2) || (whole_ < 0 && whole_ < INT64_MIN / 2))
            return false;
        whole_ += value;
        return true;
    }
    void addFraction(double value);
    Wide &wide();

    std::int64_t whole_ = 0;
    std::unique_ptr<Wide> wide_;
};

} // namespace varnoth
