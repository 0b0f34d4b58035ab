#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnoth {

// Texts are held as UTF-8. These operations count characters (code points),
// not bytes, so that what they cut matches what the user sees.

std::size_t charCount(std::string_view text);

// The last n characters of text; the whole text when it is shorter.
std::string_view lastChars(std::string_view text, std::size_t n);

// The first n characters of text; the whole text when it is shorter.
std::string_view firstChars(std::string_view text, std::size_t n);

// True when the text is empty or holds only blanks and tabs.
bool isBlank(std::string_view text);

} // namespace varnoth
