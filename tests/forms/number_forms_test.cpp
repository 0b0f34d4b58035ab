#include <gtest/gtest.h>

#include "forms/number_forms.h"

using namespace varnoth;

namespace {

struct PatternCase {
    double value;
    Pattern pattern;
    const char *expected;
};

const NumberFormat dot{".", ","};
const NumberFormat comma{",", "."};

} // namespace

TEST(NumberForms, Patterns)
{
    const PatternCase cases[] = {
        {0.5, Pattern::Megabytes, "0.50"},     {0.125, Pattern::Megabytes, "0.13"},
        {1234.567, Pattern::Megabytes, "1234.57"}, {0, Pattern::Megabytes, "0.00"},
        {12345678.9, Pattern::Megabytes, "12345678.90"},
        {0.5, Pattern::TwoDecimals, "0.50"},   {3, Pattern::TwoDecimals, "3.00"},
        {1234.567, Pattern::TwoDecimals, "1234.57"},
        {0.5, Pattern::PointTwo, ".50"},       {3, Pattern::PointTwo, "3.00"},
        {2.125, Pattern::PointTwo, "2.13"},    {0, Pattern::PointTwo, ".00"},
        {0.995, Pattern::PointTwo, "1.00"},
        {0.25, Pattern::PointThree, ".250"},   {12.3456, Pattern::PointThree, "12.346"},
        {10, Pattern::PointThree, "10.000"},
        {34.5, Pattern::PointOne, "34.5"},     {7.25, Pattern::PointOne, "7.3"},
        {0.4, Pattern::PointOne, ".4"},        {0, Pattern::PointOne, ".0"},
        {5, Pattern::TwoDigits, "05"},         {0, Pattern::TwoDigits, "00"},
        {123, Pattern::TwoDigits, "123"},
        // Halves go away from zero on the decimal value, also where the
        // binary double lies just below it.
        {1.005, Pattern::TwoDecimals, "1.01"}, {2.675, Pattern::TwoDecimals, "2.68"},
        {-0.125, Pattern::TwoDecimals, "-0.13"}, {-0.001, Pattern::TwoDecimals, "0.00"},
        {0.1 + 0.2, Pattern::TwoDecimals, "0.30"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatPattern(c.value, c.pattern, dot), c.expected) << c.value;
}

TEST(NumberForms, PatternsUseTheUsersDecimalSeparator)
{
    EXPECT_EQ(formatPattern(4.125, Pattern::Megabytes, comma), "4,13");
    EXPECT_EQ(formatPattern(0.5, Pattern::PointTwo, comma), ",50");
    EXPECT_EQ(formatPattern(12, Pattern::TwoDigits, comma), "12");
}

TEST(NumberForms, SignSpacedForm)
{
    const std::pair<double, const char *> cases[] = {
        {1234, " 1234"}, {12.5, " 12.5"}, {0.75, " .75"},  {-0.75, "-.75"}, {0, " 0"},
        {-3, "-3"},      {1e15, " 1E+15"}, {1.5e16, " 1.5E+16"}, {999999999999999, " 999999999999999"},
        {0.0001, " .0001"}, {0.00001, " 1E-05"}, {0.1 + 0.2, " .3"}, {1e100, " 1E+100"},
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(signSpaced(value), expected) << value;
}

TEST(NumberForms, NumericPrintFormUsesTheLocaleAndATrailingBlank)
{
    EXPECT_EQ(numericPrintForm(0, dot), " 0 ");
    EXPECT_EQ(numericPrintForm(1234, dot), " 1234 ");
    EXPECT_EQ(numericPrintForm(1e15, dot), " 1E+15 ");
    EXPECT_EQ(numericPrintForm(2.5, comma), " 2,5 ");
}
