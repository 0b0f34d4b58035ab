#include "char_decoding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "forms/simd.h"

namespace varnoth {
namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned ones keep their C1 code.
constexpr std::array<char32_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t windows1252Char(unsigned char b)
{
    return b >= 0x80 && b < 0xA0 ? cp1252High[b - 0x80] : char32_t{b};
}

// The first byte above 127 at or after `from`, or n when none.
std::size_t nextHighByte(const unsigned char *s, std::size_t from, std::size_t n)
{
    std::size_t i = from;
#ifdef VARNOTH_SSE2
    if (n >= 16) {
        auto highIn = [&](std::size_t at) {
            return static_cast<unsigned>(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(s + at))));
        };
        for (; n - i > 16; i += 16) {
            if (const unsigned high = highIn(i))
                return i + static_cast<std::size_t>(std::countr_zero(high));
        }
        // The last 16 bytes, some of them perhaps tested already.
        const unsigned high = highIn(n - 16) >> (i - (n - 16));
        return high != 0 ? i + static_cast<std::size_t>(std::countr_zero(high)) : n;
    }
#endif
    while (i < n && s[i] < 0x80)
        ++i;
    return i;
}

#ifdef VARNOTH_AVX2
// The check of Keiser and Lemire ("Validating UTF-8 in less than one
// instruction per byte", 2021), 32 bytes at a time and without a branch:
// each byte is judged together with the byte before it by looking up their
// nibbles in three tables, whose entries are sets of the faults that pair of
// nibbles allows; a fault found by all three lookups is real. A byte that
// must continue a three- or four-byte character is found from the bytes two
// and three before it.
namespace utf8 {

constexpr char tooShort = 1 << 0;  // a first byte not followed by a continuation
constexpr char tooLong = 1 << 1;   // a continuation after ASCII
constexpr char overlong3 = 1 << 2; // E0 80..9F
constexpr char tooLarge = 1 << 3;  // F4 90..BF, F5.. 80..BF
constexpr char surrogate = 1 << 4; // ED A0..BF
constexpr char overlong2 = 1 << 5; // C0, C1
constexpr char large1000 = 1 << 6; // F5.. 80..8F; also F0 80..8F, an overlong 4
constexpr char twoConts = -128;    // a continuation after a continuation
constexpr char carry = tooShort | tooLong | twoConts;

// By the high nibble of the first byte of a pair.
VARNOTH_AVX2_INLINE __m256i firstHigh()
{
    return _mm256_setr_epi8(tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, twoConts, twoConts,
                            twoConts, twoConts, tooShort | overlong2, tooShort, tooShort | overlong3 | surrogate,
                            tooShort | tooLarge | large1000, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong,
                            tooLong, tooLong, twoConts, twoConts, twoConts, twoConts, tooShort | overlong2, tooShort,
                            tooShort | overlong3 | surrogate, tooShort | tooLarge | large1000);
}

// By the low nibble of the first byte.
VARNOTH_AVX2_INLINE __m256i firstLow()
{
    constexpr char big = carry | tooLarge | large1000;
    return _mm256_setr_epi8(carry | overlong3 | overlong2 | large1000, carry | overlong2, carry, carry,
                            carry | tooLarge, big, big, big, big, big, big, big, big, big | surrogate, big, big,
                            carry | overlong3 | overlong2 | large1000, carry | overlong2, carry, carry,
                            carry | tooLarge, big, big, big, big, big, big, big, big, big | surrogate, big, big);
}

// By the high nibble of the second byte.
VARNOTH_AVX2_INLINE __m256i secondHigh()
{
    constexpr char x80 = tooLong | overlong2 | twoConts | overlong3 | large1000;
    constexpr char x90 = tooLong | overlong2 | twoConts | overlong3 | tooLarge;
    constexpr char xA0 = tooLong | overlong2 | twoConts | surrogate | tooLarge;
    return _mm256_setr_epi8(tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, x80, x90,
                            xA0, xA0, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort,
                            tooShort, tooShort, tooShort, tooShort, x80, x90, xA0, xA0, tooShort, tooShort, tooShort,
                            tooShort);
}

VARNOTH_AVX2_INLINE __m256i highNibbles(__m256i v)
{
    return _mm256_and_si256(_mm256_srli_epi16(v, 4), _mm256_set1_epi8(0x0F));
}

// The faults of the 32 bytes at p, each judged with the three bytes
// before it (which must be readable): not zero when there are any.
VARNOTH_AVX2_INLINE __m256i faults(const unsigned char *p)
{
    const char *bytes = reinterpret_cast<const char *>(p);
    const __m256i input = simd::load32(bytes);
    const __m256i first = simd::load32(bytes - 1);
    const __m256i pair = _mm256_and_si256(
        _mm256_and_si256(_mm256_shuffle_epi8(firstHigh(), highNibbles(first)),
                         _mm256_shuffle_epi8(firstLow(), _mm256_and_si256(first, _mm256_set1_epi8(0x0F)))),
        _mm256_shuffle_epi8(secondHigh(), highNibbles(input)));
    // A byte two after 0xE0.. or three after 0xF0.. must be a continuation:
    // exactly those pairs show twoConts.
    const __m256i third = _mm256_subs_epu8(simd::load32(bytes - 2), _mm256_set1_epi8(static_cast<char>(0xE0 - 0x80)));
    const __m256i fourth = _mm256_subs_epu8(simd::load32(bytes - 3), _mm256_set1_epi8(static_cast<char>(0xF0 - 0x80)));
    const __m256i continues = _mm256_and_si256(_mm256_or_si256(third, fourth), _mm256_set1_epi8(twoConts));
    return _mm256_xor_si256(continues, pair);
}

} // namespace utf8

// A text of 35 bytes or more whose first three bytes are ASCII: every later
// byte with the three before it, in blocks of 32 read from the text itself
// (the last block overlapping the one before).
VARNOTH_AVX2_TARGET bool validUtf8Avx2(const unsigned char *s, std::size_t n)
{
    __m256i found = utf8::faults(s + 3);
    for (std::size_t i = 35; i < n; i += 32)
        found = _mm256_or_si256(found, utf8::faults(s + std::min(i, n - 32)));
    // A character that the text's end cuts off.
    const bool cut = s[n - 1] >= 0xC0 || s[n - 2] >= 0xE0 || s[n - 3] >= 0xF0;
    return _mm256_testz_si256(found, found) != 0 && !cut;
}
#endif

} // namespace

bool isValidUtf8(std::string_view bytes)
{
#ifdef VARNOTH_AVX2
    if (simd::avx2 && bytes.size() >= 35 && ((bytes[0] | bytes[1] | bytes[2]) & 0x80) == 0)
        return validUtf8Avx2(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
#endif
    // The well-formed byte sequences of UTF-8 (shortest forms, no surrogates,
    // nothing above U+10FFFF), tested byte by byte without decoding. Plain
    // ASCII is passed over up to the next byte above 127; from there the
    // characters of a run of non-ASCII text are tested one after another.
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = bytes.size();
    auto continuation = [&](std::size_t at, unsigned char low = 0x80, unsigned char high = 0xBF) {
        return at < n && s[at] >= low && s[at] <= high;
    };
    std::size_t i = 0;
    for (;;) {
        i = nextHighByte(s, i, n);
        if (i == n)
            return true;
        do {
            const unsigned char c = s[i];
            if (c >= 0xC2 && c <= 0xDF) {
                if (!continuation(i + 1))
                    return false;
                i += 2;
            } else if (c >= 0xE0 && c <= 0xEF) {
                const unsigned char low = c == 0xE0 ? 0xA0 : 0x80;
                const unsigned char high = c == 0xED ? 0x9F : 0xBF;
                if (!continuation(i + 1, low, high) || !continuation(i + 2))
                    return false;
                i += 3;
            } else if (c >= 0xF0 && c <= 0xF4) {
                const unsigned char low = c == 0xF0 ? 0x90 : 0x80;
                const unsigned char high = c == 0xF4 ? 0x8F : 0xBF;
                if (!continuation(i + 1, low, high) || !continuation(i + 2) || !continuation(i + 3))
                    return false;
                i += 4;
            } else {
                return false;
            }
        } while (i < n && s[i] >= 0x80);
    }
}

void appendWindows1252(std::string_view bytes, std::string &out)
{
    for (char c : bytes) {
        const char32_t cp = windows1252Char(static_cast<unsigned char>(c));
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
}

std::size_t windows1252Utf8Length(std::string_view bytes)
{
    std::size_t length = 0;
    for (char c : bytes) {
        const char32_t cp = windows1252Char(static_cast<unsigned char>(c));
        length += cp < 0x80 ? 1 : cp < 0x800 ? 2 : 3;
    }
    return length;
}

} // namespace varnoth
