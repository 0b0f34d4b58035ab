#include "duration.h"

#include "forms/number_reading.h"
#include "forms/text.h"

namespace varnoth {
namespace {

// The 1-based cut of count characters from position start, stopping at the end.
std::string_view middle(std::string_view text, std::size_t start, std::size_t count)
{
    const std::string_view tail = text.substr(firstChars(text, start - 1).size());
    return firstChars(tail, count);
}

} // namespace

bool readOtherDuration(std::string_view text, const NumberFormat &format, DurationParts &parts)
{
    const auto h = strictNumber(middle(text, 1, 1), format);
    const auto m = strictNumber(middle(text, 3, 2), format);
    const auto s = strictNumber(lastChars(text, 2), format);
    if (!h || !m || !s)
        return false;
    parts = {*h, *m, *s};
    return true;
}

} // namespace varnoth
