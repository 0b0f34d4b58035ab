#include "text.h"

namespace varnoth {
namespace {

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::size_t charCount(std::string_view text)
{
    std::size_t n = 0;
    for (char c : text)
        n += isContinuationByte(c) ? 0 : 1;
    return n;
}

std::string_view lastChars(std::string_view text, std::size_t n)
{
    std::size_t pos = text.size();
    while (n > 0 && pos > 0) {
        --pos;
        while (pos > 0 && isContinuationByte(text[pos]))
            --pos;
        --n;
    }
    return text.substr(pos);
}

std::string_view firstChars(std::string_view text, std::size_t n)
{
    std::size_t pos = 0;
    while (n > 0 && pos < text.size()) {
        ++pos;
        while (pos < text.size() && isContinuationByte(text[pos]))
            ++pos;
        --n;
    }
    return text.substr(0, pos);
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
