#include "char_decoding.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VARNOTH_SSE2 1
#endif

namespace varnoth {
namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned ones keep their C1 code.
constexpr std::array<char32_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t windows1252Char(unsigned char b)
{
    return b >= 0x80 && b < 0xA0 ? cp1252High[b - 0x80] : char32_t{b};
}

// Length of the valid UTF-8 sequence starting at bytes[i], or 0 when invalid.
std::size_t utf8Sequence(std::string_view bytes, std::size_t i)
{
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80)
        return 1;
    std::size_t length;
    char32_t cp;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        cp = b0 & 0x1Fu;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        cp = b0 & 0x0Fu;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        cp = b0 & 0x07u;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        // Runs of plain ASCII are skipped sixteen or eight bytes at a time.
#ifdef VARNOTH_SSE2
        if (n - i >= 16
            && _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes.data() + i))) == 0) {
            i += 16;
            continue;
        }
#endif
        if (n - i >= 8) {
            std::uint64_t w;
            std::memcpy(&w, bytes.data() + i, 8);
            if ((w & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        const std::size_t length = utf8Sequence(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
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
