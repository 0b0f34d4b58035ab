#pragma once

#include <cstdint>
#include <functional>

#include "line_reader.h"

namespace varnoth {

// The lines that begin in a part of a file and are not blank, as LineReader
// would hand them over, counted 64 bytes at a time without cutting the
// lines apart: a line counts when its last byte other than a blank or a tab
// is not a line break. (A line longer than the reader takes counts as
// LineReader::next() hands it over only when it is not all blanks.)
// counted, when given, is told the lines counted since it was told last,
// every few megabytes. Throws FileFailure.
std::uint64_t countFilledLines(const LogInput &input, ByteRange range,
                               const std::function<void(std::uint64_t)> &counted = {});
// The same for a part of bytes in memory (a byte order mark is passed over
// only where they begin a log), and for a part of an open file whose bytes
// from hardEnd on are not read.
std::uint64_t countFilledLines(std::string_view bytes, ByteRange range, bool logStart,
                               const std::function<void(std::uint64_t)> &counted = {});
std::uint64_t countFilledLines(const OpenFile &file, ByteRange range, std::uint64_t hardEnd,
                               const std::function<void(std::uint64_t)> &counted = {});

} // namespace varnoth
