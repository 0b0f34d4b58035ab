#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnoth {

// Log lines come from clients of several ages: a line is read as UTF-8 when
// it is valid UTF-8, otherwise as Windows-1252, one character per byte.

bool isValidUtf8(std::string_view bytes);

// Appends Windows-1252 text as UTF-8.
void appendWindows1252(std::string_view bytes, std::string &out);

// Bytes that appendWindows1252 writes for the given text.
std::size_t windows1252Utf8Length(std::string_view bytes);

} // namespace varnoth
