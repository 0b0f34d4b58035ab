#include "char_decoding.h"

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

} // namespace

bool isValidUtf8(std::string_view bytes)
{
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
