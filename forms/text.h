#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnoth {

// Texts are held as UTF-8. These operations count characters (code points),
// not bytes, so that what they cut matches what the user sees.

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A byte inside a UTF-8 character, after its first byte.
inline bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte position n characters after byte position `from`, stopping at the end.
std::size_t stepForward(std::string_view text, std::size_t from, std::size_t n);

// The byte position n characters before byte position `from`, stopping at the start.
std::size_t stepBack(std::string_view text, std::size_t from, std::size_t n);

std::size_t charCount(std::string_view text);

// The last n characters of text; the whole text when it is shorter.
std::string_view lastChars(std::string_view text, std::size_t n);

// The first n characters of text; the whole text when it is shorter.
std::string_view firstChars(std::string_view text, std::size_t n);

// True when the text is empty or holds only blanks and tabs.
bool isBlank(std::string_view text);

} // namespace varnoth
