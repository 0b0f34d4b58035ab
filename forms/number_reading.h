#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "number_format.h"

namespace varnoth {

// Lenient reading: blanks, tabs and line feeds are dropped wherever they stand,
// then the longest leading number (sign, digits, one "." as decimal point,
// exponent) is read and the rest ignored. A text that does not begin with a
// number reads as 0. Never fails; a number too large for a double reads as
// an infinity.
double lenientNumber(std::string_view text);

// Strict conversion: the whole text, blanks around it allowed, must be a
// number in the user's format (decimal separator, digit grouping). Anything
// else, the empty text included, gives no value.
std::optional<double> strictNumber(std::string_view text, const NumberFormat &format);

// Stores a value into a whole-number field: halves go to the even neighbour,
// a value outside the 64-bit range throws Failure("Overflow").
std::int64_t storeWhole(double value);

[[noreturn]] void throwOverflow();

// Sums and differences of whole-number fields, held to the 64-bit range.
inline std::int64_t checkedAdd(std::int64_t a, std::int64_t b)
{
    if ((b > 0 && a > std::numeric_limits<std::int64_t>::max() - b)
        || (b < 0 && a < std::numeric_limits<std::int64_t>::min() - b))
        throwOverflow();
    return a + b;
}

} // namespace varnoth
