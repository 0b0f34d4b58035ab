#include <gtest/gtest.h>

#include "forms/text.h"

using namespace varnoth;

TEST(Text, CutsCountCharactersNotBytes)
{
    EXPECT_EQ(charCount("abc"), 3u);
    EXPECT_EQ(charCount("Zoë→日本"), 6u);
    EXPECT_EQ(lastChars("abc", 5), "abc");
    EXPECT_EQ(lastChars("abcd", 2), "cd");
    EXPECT_EQ(lastChars("xÿz日", 3), "ÿz日");
    EXPECT_EQ(firstChars("日本語", 2), "日本");
    EXPECT_EQ(firstChars("ab", 9), "ab");
    EXPECT_EQ(lastChars("", 3), "");
}

TEST(Text, BlankMeansOnlyBlanksAndTabs)
{
    EXPECT_TRUE(isBlank(""));
    EXPECT_TRUE(isBlank(" \t "));
    EXPECT_FALSE(isBlank(" x"));
    EXPECT_FALSE(isBlank("\x0c"));
}
