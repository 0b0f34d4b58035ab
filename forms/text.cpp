#include "text.h"

#include <cstdint>
#include <cstring>

namespace varnoth {

std::size_t stepForward(std::string_view text, std::size_t from, std::size_t n)
{
    if (from + n <= text.size()) {
        // Plain ASCII, tested eight bytes at a time: one character per byte.
        std::uint64_t high = 0;
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t w;
            std::memcpy(&w, text.data() + from + i, 8);
            high |= w;
        }
        high &= 0x8080808080808080ull;
        for (; i < n; ++i)
            high |= static_cast<unsigned char>(text[from + i]) & 0x80u;
        if (high == 0)
            return from + n;
    }
    std::size_t at = from;
    while (n > 0 && at < text.size()) {
        ++at;
        while (at < text.size() && isContinuationByte(text[at]))
            ++at;
        --n;
    }
    return at;
}

std::size_t stepBack(std::string_view text, std::size_t from, std::size_t n)
{
    std::size_t at = from;
    while (n > 0 && at > 0) {
        --at;
        while (at > 0 && isContinuationByte(text[at]))
            --at;
        --n;
    }
    return at;
}

std::size_t charCount(std::string_view text)
{
    std::size_t n = 0;
    for (char c : text)
        n += isContinuationByte(c) ? 0 : 1;
    return n;
}

std::string_view lastChars(std::string_view text, std::size_t n)
{
    return text.substr(stepBack(text, text.size(), n));
}

std::string_view firstChars(std::string_view text, std::size_t n)
{
    return text.substr(0, stepForward(text, 0, n));
}

bool isBlank(std::string_view text)
{
    for (char c : text) {
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

} // namespace varnoth
