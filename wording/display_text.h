#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varnoth {

// Columns a UTF-8 text takes in a terminal with a monospaced font: East Asian
// wide and fullwidth characters (CJK, Hangul, fullwidth forms, the common
// emoji blocks) take two, combining marks and zero-width characters none,
// every other character one; a byte that is not part of valid UTF-8 counts one.
std::size_t displayWidth(std::string_view text);

// The text with every control character (C0, DEL, C1) and every bidirectional
// override or isolate replaced by U+FFFD: nicks and paths come from other
// people, and such characters could move the cursor, recolour a terminal or
// reorder what is shown around them.
std::string printable(std::string_view text);

} // namespace varnoth
