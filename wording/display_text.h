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

// The text cut to at most `columns` display columns: a longer one keeps
// the characters that fit in columns - 1 and ends with "…" (U+2026).
std::string cutToWidth(std::string text, std::size_t columns);

// The one rule for showing a name or path from a log (or any text from
// outside, such as a path or an option typed by the user): nicks and paths
// come from other people, and some characters could move the cursor,
// recolour or ring a terminal, reorder what is shown around them
// ("photo<U+202E>gpj.exe" read as "photoexe.jpg") or hide that they are there.
// Each of them is shown as a visible character instead:
// - C0 controls and DEL as their control pictures (ESC as U+241B "␛", TAB as
//   U+2409 "␉"), C1 controls (U+0080-U+009F) as U+FFFD;
// - as U+FFFD: the bidirectional embeddings, overrides and isolates
//   (U+202A-U+202E, U+2066-U+2069) and marks (U+200E, U+200F, U+061C); the
//   characters that take no room or hide text: zero-width space, joiners and
//   word joiner (U+200B-U+200D, U+2060-U+2064), the deprecated format
//   characters U+206A-U+206F, the byte order mark U+FEFF, the soft hyphen
//   U+00AD, the combining grapheme joiner U+034F, the Hangul fillers
//   (U+115F, U+1160, U+3164, U+FFA0), the Khmer inherent vowels U+17B4 and
//   U+17B5, the Mongolian vowel separator U+180E, the line and paragraph
//   separators U+2028 and U+2029, the interlinear annotation characters
//   U+FFF9-U+FFFB, the shorthand and musical format controls and the tags
//   (U+E0000-U+E007F);
// - a byte that is not part of valid UTF-8 as U+FFFD.
// Variation selectors stay (emoji need them; they change a glyph, not the
// order or what is there). Where the exact text matters (JSON, CSV, the
// drill-down's matching, copied rows) the text is kept as it is.
std::string printable(std::string_view text);

} // namespace varnoth
