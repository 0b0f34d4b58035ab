#include "duration.h"

#include "forms/number_reading.h"
#include "forms/text.h"

namespace varnoth {
namespace {

double twoDigits(const char *at)
{
    return (at[0] - '0') * 10 + (at[1] - '0');
}

// The 1-based cut of count characters from position start, stopping at the end.
std::string_view middle(std::string_view text, std::size_t start, std::size_t count)
{
    const std::string_view tail = text.substr(firstChars(text, start - 1).size());
    return firstChars(tail, count);
}

} // namespace

std::optional<DurationParts> readClockDuration(std::string_view text)
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
    return DurationParts{hours, twoDigits(m), twoDigits(s)};
}

std::optional<DurationParts> readDuration(std::string_view text, const NumberFormat &format)
{
    return readDuration(text, format, readClockDuration(text));
}

std::optional<DurationParts> readDuration(std::string_view text, const NumberFormat &format,
                                          const std::optional<DurationParts> &clock)
{
    if (clock) {
        // Beyond 2^53 a count of hours is no longer exact: not a real duration.
        if (clock->hours > 9007199254740992.0)
            return std::nullopt;
        return clock;
    }
    const auto h = strictNumber(middle(text, 1, 1), format);
    const auto m = strictNumber(middle(text, 3, 2), format);
    const auto s = strictNumber(lastChars(text, 2), format);
    if (!h || !m || !s)
        return std::nullopt;
    return DurationParts{*h, *m, *s};
}

} // namespace varnoth
