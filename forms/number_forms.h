#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "number_format.h"

namespace varnoth {

// The display patterns of numbers in captions and grid cells.
enum class Pattern {
    Megabytes,    // "#####0.00": at least one integer digit, two decimals
    TwoDecimals,  // "0.00": the same effect
    PointTwo,     // ".00": no zero before the point for values below 1
    PointThree,   // ".000"
    PointOne,     // "##.0"
    TwoDigits,    // "00": a whole number with at least two digits
};

// Whole number, "-" before a negative one, no blanks: 12 gives "12".
std::string plainDecimal(std::int64_t value);

// One blank where a plus sign would stand, "." as the point, no trailing
// zeros, no zero before the point below 1, 15 significant digits, exponent
// form from 1E+15 on: 1234 gives " 1234", 0.75 gives " .75".
std::string signSpaced(double value);

// A pattern applied with the user's decimal separator; the value is brought
// to the shown decimals by the nearest one, halves away from zero.
std::string formatPattern(double value, Pattern pattern, const NumberFormat &format);

// The number a pattern shows for a value: the value brought to the pattern's
// decimals, as formatPattern does (2.675 with "0.00" gives 2.68).
double shownValue(double value, Pattern pattern);

// How a number is written as a line of a text file: the sign-spaced form with
// the user's decimal separator and one trailing blank (" 1234 ").
std::string numericPrintForm(double value, const NumberFormat &format);

} // namespace varnoth
