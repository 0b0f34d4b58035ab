#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "analysis/exact_sum.h"

using namespace varnoth;

namespace {

double sumOf(const std::vector<double> &terms)
{
    ExactSum sum;
    for (double term : terms)
        sum.add(term);
    return sum.value();
}

} // namespace

TEST(ExactSum, IsTheSumRoundedOnce)
{
    struct Case {
        std::vector<double> terms;
        double expected;
    };
    const Case cases[] = {
        {{}, 0},
        {{4123456, 1500000, 123456}, 5746912},
        // Ten times 0.1 is a little above 1: rounded once it is 1 (added up step by step, 0.9999999999999999).
        {std::vector<double>(10, 0.1), 1.0},
        {{1e308, 1e308, -1e308}, 1e308},
        {{1e308, 1e308}, INFINITY},
        {{0x1p-1074, 0x1p-1074, -0.5, 0.5}, 0x1p-1073},
        {{9007199254740992.0, 1, 0.5}, 9007199254740994.0},
        {{4503599627370496.0, 4503599627370496.0, 4503599627370496.0, 0.25}, 13510798882111488.0},
        {{-2.5, 1}, -1.5},
    };
    for (const Case &c : cases)
        EXPECT_EQ(sumOf(c.terms), c.expected) << c.terms.size();
}

// Any order of the terms, any split into partial sums merged later: the same bits.
TEST(ExactSum, DoesNotDependOnOrderOrSplitting)
{
    std::mt19937_64 random(3);
    for (int round = 0; round < 200; ++round) {
        std::vector<double> terms(1 + random() % 300);
        for (double &t : terms) {
            switch (random() % 4) {
            case 0:
                t = static_cast<double>(random() % 700000000);
                break;
            case 1:
                t = std::ldexp(static_cast<double>(random() % 1000) - 500, static_cast<int>(random() % 200) - 100);
                break;
            case 2:
                t = static_cast<double>(random() % 100) / 10;
                break;
            default:
                t = static_cast<double>(random() >> 11) * 1e-3;
            }
        }
        const double whole = sumOf(terms);
        std::shuffle(terms.begin(), terms.end(), random);
        ExactSum merged, part;
        for (double t : terms) {
            part.add(t);
            if (random() % 7 == 0) {
                merged.add(part);
                part = ExactSum();
            }
        }
        merged.add(part);
        ASSERT_EQ(merged.value(), whole) << round;
    }
}
