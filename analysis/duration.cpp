#include "duration.h"

#include "forms/number_reading.h"
#include "forms/text.h"

namespace varnoth {
namespace {

bool allDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

double digitsValue(std::string_view digits)
{
    double value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// The 1-based cut of count characters from position start, stopping at the end.
std::string_view middle(std::string_view text, std::size_t start, std::size_t count)
{
    const std::string_view tail = text.substr(firstChars(text, start - 1).size());
    return firstChars(tail, count);
}

} // namespace

std::optional<DurationParts> readDuration(std::string_view text, const NumberFormat &format)
{
    const std::size_t n = text.size();
    // The usual "H:MM:SS", read at once.
    if (n == 7 && text[1] == ':' && text[4] == ':' && allDigits(text.substr(0, 1)) && allDigits(text.substr(2, 2))
        && allDigits(text.substr(5, 2)))
        return DurationParts{static_cast<double>(text[0] - '0'), static_cast<double>((text[2] - '0') * 10 + (text[3] - '0')),
                             static_cast<double>((text[5] - '0') * 10 + (text[6] - '0'))};
    if (n >= 7 && text[n - 3] == ':' && text[n - 6] == ':' && allDigits(text.substr(0, n - 6))
        && allDigits(text.substr(n - 5, 2)) && allDigits(text.substr(n - 2, 2))) {
        const double hours = digitsValue(text.substr(0, n - 6));
        // Beyond 2^53 a count of hours is no longer exact: not a real duration.
        if (hours > 9007199254740992.0)
            return std::nullopt;
        return DurationParts{hours, digitsValue(text.substr(n - 5, 2)), digitsValue(text.substr(n - 2, 2))};
    }
    const auto h = strictNumber(middle(text, 1, 1), format);
    const auto m = strictNumber(middle(text, 3, 2), format);
    const auto s = strictNumber(lastChars(text, 2), format);
    if (!h || !m || !s)
        return std::nullopt;
    return DurationParts{*h, *m, *s};
}

} // namespace varnoth
