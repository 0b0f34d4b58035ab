#pragma once

#include <string_view>

#include "forms/number_format.h"
#include "forms/text.h"

namespace varnoth {

// An upload's duration as three numbers.
struct DurationParts {
    double hours = 0;
    double minutes = 0;
    double seconds = 0;

    double totalSeconds() const { return hours * 3600 + minutes * 60 + seconds; }
};

// A duration written as a clock: one or more hour digits, ':', two minute
// digits, ':', two second digits ("0:03:12", "10:00:01"), read into parts;
// false for any other text. Hours beyond 2^53 are not exact. (Inline, as
// every log line is read with it, and with a flag rather than an optional,
// whose copies go through memory: the parts then stay in registers.)
inline bool readClockDuration(std::string_view text, DurationParts &parts)
{
    const std::size_t n = text.size();
    if (n < 7 || text[n - 6] != ':' || text[n - 3] != ':')
        return false;
    const char *m = text.data() + n - 5;
    const char *s = text.data() + n - 2;
    if (!isDigit(m[0]) || !isDigit(m[1]) || !isDigit(s[0]) || !isDigit(s[1]))
        return false;
    double hours = 0;
    for (std::size_t i = 0; i < n - 6; ++i) {
        if (!isDigit(text[i]))
            return false;
        hours = hours * 10 + (text[i] - '0');
    }
    auto twoDigits = [](const char *at) { return static_cast<double>((at[0] - '0') * 10 + (at[1] - '0')); };
    parts = {hours, twoDigits(m), twoDigits(s)};
    return true;
}

// readDuration for a text that is not a clock duration.
bool readOtherDuration(std::string_view text, const NumberFormat &format, DurationParts &parts);

// Reads a duration text as cut from a log line into parts. A clock
// duration is read whole; any other text gives its first character as
// hours, characters 3-4 as minutes and its last two as seconds, each of
// which must be a number in the user's format. False when a part is not a
// number, or when the hours are too many to count exactly.
inline bool readDuration(std::string_view text, const NumberFormat &format, DurationParts &parts)
{
    if (readClockDuration(text, parts)) {
        // Beyond 2^53 a count of hours is no longer exact: not a real duration.
        return parts.hours <= 9007199254740992.0;
    }
    return readOtherDuration(text, format, parts);
}

} // namespace varnoth
