#pragma once

#include <string>
#include <string_view>

namespace varnoth {

// Log lines come from clients of several ages: a line is read as UTF-8 when
// it is valid UTF-8, otherwise as Windows-1252, one character per byte.

bool isValidUtf8(std::string_view bytes);

// Decodes a line into characters, by the rule above.
void decodeLine(std::string_view bytes, std::u32string &out);

void appendUtf8(std::u32string_view chars, std::string &out);

} // namespace varnoth
