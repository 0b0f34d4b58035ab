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
};

// Reads a duration text as cut from a log line. "H:MM:SS" with any number of
// hour digits is read whole; any other text gives its first character as
// hours, characters 3-4 as minutes and its last two as seconds, each of which
// must be a number in the user's format. No value when a part is not a number.
std::optional<DurationParts> readDuration(std::string_view text, const NumberFormat &format);

} // namespace varnoth
