#include "kit/foundation/StringValues.h"

#include <gtest/gtest.h>

using kit::boolValue;
using kit::finiteNumber;
using kit::intValue;

TEST(StringTruthRule, MatchesThePlatformOnTheTrickyStrings)
{
    for (auto s : { "YES", "yes", "Y", "true", "TRUE", "t", "1", "+000009", "  \t\n7", "-1", "0001", "9abc" })
        EXPECT_TRUE(boolValue(s)) << s;
    for (auto s : { "", "NO", "no", "false", "0", "-00000", "+t", "0t", "++", "+-1", " ", "x", "00", "-" })
        EXPECT_FALSE(boolValue(s)) << s;
}

TEST(StringIntValue, ReadsDecimalOnlyAndClampsOnOverflow)
{
    EXPECT_EQ(intValue("123a"), 123);
    EXPECT_EQ(intValue("0x1A"), 0);
    EXPECT_EQ(intValue("  -42"), -42);
    EXPECT_EQ(intValue("+007"), 7);
    EXPECT_EQ(intValue("010"), 10);
    EXPECT_EQ(intValue(""), 0);
    EXPECT_EQ(intValue("abc"), 0);
    EXPECT_EQ(intValue("--5"), 0);
    EXPECT_EQ(intValue("99999999999999999999"), 2147483647);
    EXPECT_EQ(intValue("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(intValue("2147483647"), 2147483647);
    EXPECT_EQ(intValue("-2147483648"), -2147483647 - 1);
}

TEST(StringFiniteNumber, TakesTheWholeTextAsAFiniteNumberOrNothing)
{
    EXPECT_EQ(finiteNumber("2"), 2);
    EXPECT_EQ(finiteNumber("-0.5"), -0.5);
    EXPECT_EQ(finiteNumber("1e3"), 1000);
    for (auto s : { "", " 2", "2 ", "2x", "nan", "inf", "-inf", "1e999", "0x10", "+" })
        EXPECT_FALSE(finiteNumber(s)) << s;
}
