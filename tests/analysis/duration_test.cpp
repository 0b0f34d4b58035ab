#include <gtest/gtest.h>

#include "analysis/duration.h"

using namespace varnoth;

TEST(Duration, ReadsTheThreeParts)
{
    const NumberFormat dot{".", ","};
    struct Case {
        const char *text;
        double h, m, s;
    };
    const Case good[] = {
        {"0:03:12", 0, 3, 12},
        {"10:00:01", 10, 0, 1},
        {"9:59:59", 9, 59, 59},
        {"123456:07:08", 123456, 7, 8},
        // Not the H:MM:SS form: first character, characters 3-4, last two.
        {"0:.5:12", 0, 0.5, 12},
        {"1 03 12", 1, 3, 12},
    };
    for (const auto &c : good) {
        DurationParts d;
        ASSERT_TRUE(readDuration(c.text, dot, d)) << c.text;
        EXPECT_EQ(d.hours, c.h) << c.text;
        EXPECT_EQ(d.minutes, c.m) << c.text;
        EXPECT_EQ(d.seconds, c.s) << c.text;
    }
    DurationParts unread;
    for (const char *bad : {"", "10:00:0", "0:03:1", "a:03:12", "0:3:12x", "99999999999999999999:00:00"})
        EXPECT_FALSE(readDuration(bad, dot, unread)) << bad;
}
