#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varnoth {

// The commas, "(" and ")" among the last 64 bytes of a text and its bytes
// above 127, one bit per byte: bit b stands for the byte at offset 64 - b
// from the end (offset 1 is the last byte).
struct NearMarks {
    std::uint64_t commas = 0, opens = 0, closes = 0, high = 0;

    // The smallest offset from `from` on (1 <= from) that holds a comma, or
    // 0 when none of the last 64 bytes does.
    std::size_t firstComma(std::size_t from) const
    {
        const std::uint64_t bits = from <= 64 ? commas & (~std::uint64_t{0} >> (from - 1)) : 0;
        return bits != 0 ? static_cast<std::size_t>(std::countl_zero(bits)) + 1 : 0;
    }
    // The largest offset in [from, to] that holds "(", or 0 (1 <= from, to <= 64).
    std::size_t lastOpen(std::size_t from, std::size_t to) const
    {
        const std::uint64_t bits = opens & (~std::uint64_t{0} << (64 - to)) & (~std::uint64_t{0} >> (from - 1));
        return bits != 0 ? 64 - static_cast<std::size_t>(std::countr_zero(bits)) : 0;
    }
    // The largest offset below `before` that holds ")", or 0 (1 <= before <= 64).
    std::size_t lastCloseBelow(std::size_t before) const
    {
        const std::uint64_t bits = closes & (~std::uint64_t{0} << (65 - before));
        return bits != 0 ? 64 - static_cast<std::size_t>(std::countr_zero(bits)) : 0;
    }
    // How many of the last bytes are ASCII, up to 64.
    std::size_t asciiTail() const { return static_cast<std::size_t>(std::countl_zero(high)); }
};

// The marks of the last 64 bytes of a text of 64 bytes or more.
NearMarks nearMarks(std::string_view text);

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

    // The commas and "(" of the last 64 bytes, for the common case (valid
    // up to offset min(64, reach())).
    NearMarks near() const { return {commas_[0], parens_[0], 0, 0}; }

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
