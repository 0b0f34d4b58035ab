#pragma once

#include <optional>
#include <string_view>

#include "forms/number_format.h"

namespace varnoth {

// An upload's duration as three numbers.
struct DurationParts {
    double hours = 0;
    double minutes = 0;
    double seconds = 0;

    double totalSeconds() const { return hours * 3600 + minutes * 60 + seconds; }
};

// A duration written as a clock: one or more hour digits, ':', two minute
// digits, ':', two second digits ("0:03:12", "10:00:01"). Nothing for any
// other text. Hours beyond 2^53 are not exact.
std::optional<DurationParts> readClockDuration(std::string_view text);

// Reads a duration text as cut from a log line. A clock duration is read
// whole; any other text gives its first character as hours, characters 3-4
// as minutes and its last two as seconds, each of which must be a number in
// the user's format. Nothing when a part is not a number, or when the hours
// are too many to count exactly.
std::optional<DurationParts> readDuration(std::string_view text, const NumberFormat &format);

// The same for a text that the line cutter has read as a clock duration
// already (clock: what readClockDuration gave for it, when it was one).
std::optional<DurationParts> readDuration(std::string_view text, const NumberFormat &format,
                                          const std::optional<DurationParts> &clock);

} // namespace varnoth
