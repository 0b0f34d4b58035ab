#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "forms/failure.h"
#include "forms/number_reading.h"

using namespace varnoth;

TEST(NumberReading, LenientReadsTheLeadingNumber)
{
    const std::pair<const char *, double> cases[] = {
        {"4123456)", 4123456},
        {" 1234 ", 1234},
        {"12 34", 1234},
        {"1.5E3x", 1500},
        {"abc", 0},
        {"", 0},
        {"-2.5", -2.5},
        {"1.5E", 1.5},
        {".5", 0.5},
        {"1\t2\n3", 123},
        {"+7", 7},
        {"1e-400", 0},
        {"12,34", 12},
        {"5.", 5},
        // Plain digits are read eight at a time: a non-digit anywhere among them ends the number there.
        {"1234567/", 1234567},
        {"12345678:", 12345678},
        {"123456789012345", 123456789012345.0},
        {"1234567890123456", 1234567890123456.0},
        {"98765432", 98765432},
        {"9876543210", 9876543210.0},
        {"0000000000000001", 1},
        {"1234:678", 1234},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(lenientNumber(text), expected) << text;
    EXPECT_TRUE(std::isinf(lenientNumber("1e400")));
}

// Plain digits are read a word at a time, shifted by the text's length:
// every length and every place of a stray character, against the C
// library's reading of the digits before it.
TEST(NumberReading, DigitsOfEveryLengthAgreeWithOneByOne)
{
    std::mt19937 random(5);
    const NumberFormat dot{".", ","};
    for (int i = 0; i < 100000; ++i) {
        std::string text(1 + random() % 17, '0');
        for (char &c : text)
            c = random() % 12 == 0 ? ":/x#"[random() % 4] : static_cast<char>('0' + random() % 10);
        std::size_t digits = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
            ++digits;
        const double leading = digits == 0 ? 0 : std::strtod(text.substr(0, digits).c_str(), nullptr);
        ASSERT_EQ(lenientNumber(text), leading) << text;
        const auto strict = strictNumber(text, dot);
        ASSERT_EQ(strict.has_value(), digits == text.size()) << text;
        if (strict) {
            ASSERT_EQ(*strict, leading) << text;
        }
    }
}

TEST(NumberReading, StrictConversion)
{
    const NumberFormat dot{".", ","};
    const NumberFormat comma{",", "."};
    EXPECT_EQ(strictNumber("07", dot), 7);
    EXPECT_EQ(strictNumber(" 12 ", dot), 12);
    EXPECT_EQ(strictNumber("1,234.5", dot), 1234.5);
    EXPECT_EQ(strictNumber("2,5", comma), 2.5);
    EXPECT_EQ(strictNumber("-3", dot), -3);
    for (const char *bad : {":0", "", " ", "1:", "0x1", "1e", "..", ",5", "1234567/", "/2345678", "123456789:"})
        EXPECT_FALSE(strictNumber(bad, dot).has_value()) << bad;
    EXPECT_EQ(strictNumber("2.5", comma), 25); // "." groups digits there
}

TEST(NumberReading, StoringAWholeNumberRoundsHalvesToEven)
{
    EXPECT_EQ(storeWhole(2.5), 2);
    EXPECT_EQ(storeWhole(3.5), 4);
    EXPECT_EQ(storeWhole(-2.5), -2);
    EXPECT_THROW(storeWhole(1e19), Failure);
    EXPECT_THROW(storeWhole(std::nan("")), Failure);
}

TEST(NumberReading, CheckedAddStaysInRange)
{
    EXPECT_THROW(checkedAdd(9223372036854775807LL, 1), Failure);
    EXPECT_THROW(checkedAdd(-9223372036854775807LL - 1, -1), Failure);
}
