#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varnoth {

// The commas and "(" among the last bytes of a line, one bit per byte, so
// that the cutter's backward scans can jump from one mark to the next instead
// of testing every character. Offsets count from the end as the cutter's do:
// offset 1 is the last byte. Only offsets 1..reach() are covered: the last 64
// bytes at first, up to `window` after extend(), and on a UTF-8 line only
// those after its last non-ASCII byte, where bytes and characters coincide.
class TailMarks {
public:
    static constexpr std::size_t window = 128;

    // singleByte: every byte is a character (ASCII or Windows-1252 text).
    TailMarks(std::string_view text, bool singleByte);

    std::size_t reach() const { return reach_; }

    // Covers the next 64 bytes back; false when the reach cannot grow.
    bool extend();

    // The smallest offset in [from, to] that holds a comma, or 0 when none.
    // Requires 1 <= from and to <= reach().
    std::size_t firstComma(std::size_t from, std::size_t to) const { return first(commas_, from, to); }

    // The largest offset in [from, to] that holds "(", or 0 when none.
    std::size_t lastParen(std::size_t from, std::size_t to) const { return last(parens_, from, to); }

    // The same two searches within the last 64 bytes, for the common case:
    // require 1 <= from, to <= min(64, reach()).
    std::size_t nearComma(std::size_t from) const
    {
        const std::uint64_t bits = from <= 64 ? commas_[0] & (~std::uint64_t{0} >> (from - 1)) : 0;
        return bits != 0 ? static_cast<std::size_t>(std::countl_zero(bits)) + 1 : 0;
    }
    std::size_t nearLastParen(std::size_t from, std::size_t to) const
    {
        const std::uint64_t bits = parens_[0] & (~std::uint64_t{0} << (64 - to)) & (~std::uint64_t{0} >> (from - 1));
        return bits != 0 ? 64 - static_cast<std::size_t>(std::countr_zero(bits)) : 0;
    }

private:
    static constexpr std::size_t words = window / 64;
    // Word w covers offsets 64w+1 .. 64w+64; bit b of it is offset 64(w+1) - b.
    using Bits = std::uint64_t[words];

    void mark(std::size_t w);
    static std::size_t first(const Bits &bits, std::size_t from, std::size_t to);
    static std::size_t last(const Bits &bits, std::size_t from, std::size_t to);
    static std::uint64_t marksIn(const Bits &bits, std::size_t w, std::size_t from, std::size_t to);

    std::string_view text_;
    bool singleByte_;
    std::size_t marked_ = 0; // words filled so far
    Bits commas_{};
    Bits parens_{};
    std::size_t reach_ = 0;
};

} // namespace varnoth
