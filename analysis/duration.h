#pragma once

#include <optional>
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
// digits, ':', two second digits ("0:03:12", "10:00:01"). Nothing for any
// other text. Hours beyond 2^53 are not exact. (Inline, as every log line
// is read with it: its parts then stay in registers.)
inline std::optional<DurationParts> readClockDuration(std::string_view text)
{
    const std::size_t n = text.size();
    if (n < 7 || text[n - 6] != ':' || text[n - 3] != ':')
        return std::nullopt;
    const char *m = text.data() + n - 5;
    const char *s = text.data() + n - 2;
    if (!isDigit(m[0]) || !isDigit(m[1]) || !isDigit(s[0]) || !isDigit(s[1]))
        return std::nullopt;
    double hours = 0;
    for (std::size_t i = 0; i < n - 6; ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        hours = hours * 10 + (text[i] - '0');
    }
    auto twoDigits = [](const char *at) { return static_cast<double>((at[0] - '0') * 10 + (at[1] - '0')); };
    return DurationParts{hours, twoDigits(m), twoDigits(s)};
}

// readDuration for a text that is not a clock duration.
std::optional<DurationParts> readOtherDuration(std::string_view text, const NumberFormat &format);

// Reads a duration text as cut from a log line. A clock duration is read
// whole; any other text gives its first character as hours, characters 3-4
// as minutes and its last two as seconds, each of which must be a number in
// the user's format. Nothing when a part is not a number, or when the hours
// are too many to count exactly.
inline std::optional<DurationParts> readDuration(std::string_view text, const NumberFormat &format)
{
    if (const auto clock = readClockDuration(text)) {
        // Beyond 2^53 a count of hours is no longer exact: not a real duration.
        if (clock->hours > 9007199254740992.0)
            return std::nullopt;
        return clock;
    }
    return readOtherDuration(text, format);
}

} // namespace varnoth
