#include "tail_marks.h"

#include <algorithm>
#include <bit>

#include "forms/simd.h"

namespace varnoth {
namespace {

// Bits b..63 set (b in 0..63).
std::uint64_t bitsFrom(std::size_t b)
{
    return ~std::uint64_t{0} << b;
}

// Bits 0..b set (b in 0..63).
std::uint64_t bitsUpTo(std::size_t b)
{
    return b == 63 ? ~std::uint64_t{0} : (std::uint64_t{1} << (b + 1)) - 1;
}

#ifdef VARNOTH_AVX2
VARNOTH_AVX2_TARGET NearMarks nearMarksAvx2(const char *p)
{
    const __m256i low = simd::load32(p);
    const __m256i high = simd::load32(p + 32);
    return {simd::equal64(low, high, ','), simd::equal64(low, high, '('), simd::equal64(low, high, ')'),
            simd::highBits64(low, high)};
}
#endif

} // namespace

NearMarks nearMarks(std::string_view text)
{
    const char *p = text.data() + text.size() - 64;
#ifdef VARNOTH_AVX2
    if (simd::avx2)
        return nearMarksAvx2(p);
#endif
    NearMarks m;
#ifdef VARNOTH_SSE2
    const __m128i comma = _mm_set1_epi8(',');
    const __m128i open = _mm_set1_epi8('(');
    const __m128i close = _mm_set1_epi8(')');
    for (int i = 0; i < 64; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        auto bits = [&](__m128i hits) {
            return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(hits))) << i;
        };
        m.commas |= bits(_mm_cmpeq_epi8(v, comma));
        m.opens |= bits(_mm_cmpeq_epi8(v, open));
        m.closes |= bits(_mm_cmpeq_epi8(v, close));
        m.high |= bits(v);
    }
#else
    for (int i = 0; i < 64; ++i) {
        m.commas |= std::uint64_t{p[i] == ','} << i;
        m.opens |= std::uint64_t{p[i] == '('} << i;
        m.closes |= std::uint64_t{p[i] == ')'} << i;
        m.high |= std::uint64_t{(static_cast<unsigned char>(p[i]) & 0x80u) != 0} << i;
    }
#endif
    return m;
}

TailMarks::TailMarks(std::string_view text, bool singleByte)
    : text_(text)
    , singleByte_(singleByte)
{
    mark(0);
}

bool TailMarks::extend()
{
    if (marked_ == words || reach_ < 64 * marked_)
        return false;
    mark(marked_);
    return true;
}

void TailMarks::mark(std::size_t w)
{
    marked_ = w + 1;
    const std::size_t covered = std::min(text_.size(), 64 * (w + 1));
    if (covered <= 64 * w)
        return;
    // Bit i stands for the byte at index base + i, the first b of which lie before the text.
    const std::ptrdiff_t base = static_cast<std::ptrdiff_t>(text_.size()) - static_cast<std::ptrdiff_t>(64 * (w + 1));
    std::uint64_t commas = 0, parens = 0, high = 0;
    const std::size_t b = 64 * (w + 1) - covered;
#ifdef VARNOTH_SSE2
    const __m128i comma = _mm_set1_epi8(',');
    const __m128i paren = _mm_set1_epi8('(');
    // Whole 16-byte groups from the top of the word down to where the text begins.
    std::size_t stop = 64;
    while (stop >= b + 16) {
        stop -= 16;
        const __m128i v =
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(text_.data() + base + static_cast<std::ptrdiff_t>(stop)));
        commas |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, comma))))
                  << stop;
        parens |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, paren))))
                  << stop;
        high |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(v))) << stop;
    }
#else
    const std::size_t stop = 64;
#endif
    for (std::size_t i = b; i < stop; ++i) {
        const char c = text_[static_cast<std::size_t>(base + static_cast<std::ptrdiff_t>(i))];
        commas |= std::uint64_t{c == ','} << i;
        parens |= std::uint64_t{c == '('} << i;
        high |= std::uint64_t{(static_cast<unsigned char>(c) & 0x80u) != 0} << i;
    }
    commas_[w] = commas;
    parens_[w] = parens;
    if (!singleByte_ && high != 0) // the reach ends before the last non-ASCII byte
        reach_ = 64 * (w + 1) - static_cast<std::size_t>(63 - std::countl_zero(high)) - 1;
    else
        reach_ = covered;
}

// The marks of word w at offsets from..to. Offsets low..high of the word are
// bits 64(w+1)-high .. 64(w+1)-low.
std::uint64_t TailMarks::marksIn(const Bits &bits, std::size_t w, std::size_t from, std::size_t to)
{
    const std::size_t low = std::max(from, 64 * w + 1);
    const std::size_t high = std::min(to, 64 * w + 64);
    if (low > high)
        return 0;
    return bits[w] & bitsFrom(64 * (w + 1) - high) & bitsUpTo(64 * (w + 1) - low);
}

std::size_t TailMarks::first(const Bits &bits, std::size_t from, std::size_t to)
{
    for (std::size_t w = (from - 1) / 64; w < words && 64 * w < to; ++w) {
        // The smallest offset is the highest bit.
        const std::uint64_t masked = marksIn(bits, w, from, to);
        if (masked != 0)
            return 64 * (w + 1) - static_cast<std::size_t>(63 - std::countl_zero(masked));
    }
    return 0;
}

std::size_t TailMarks::last(const Bits &bits, std::size_t from, std::size_t to)
{
    for (std::size_t w = std::min((to - 1) / 64 + 1, words); w-- > 0;) {
        if (64 * w + 64 < from)
            break;
        // The largest offset is the lowest bit.
        const std::uint64_t masked = marksIn(bits, w, from, to);
        if (masked != 0)
            return 64 * (w + 1) - static_cast<std::size_t>(std::countr_zero(masked));
    }
    return 0;
}

} // namespace varnoth
