#include <gtest/gtest.h>

#include "atlasdata/convert.h"

using quil2a::intval;
using quil2a::RGBgamma;

TEST(Intval, SignAndDigits)
{
    EXPECT_EQ(intval("  -42 "), -42);
    EXPECT_EQ(intval("42"), 42);
    EXPECT_EQ(intval(""), 0);
    EXPECT_EQ(intval("   "), 0);
    EXPECT_EQ(intval("-"), 0);
    EXPECT_EQ(intval("0018000"), 18000);
}

// Every byte counts as a digit worth its code minus 48.
TEST(Intval, NonDigitsCountByTheirCodes)
{
    EXPECT_EQ(intval("12.5"), 1185);
    EXPECT_EQ(intval("4 2"), 242);
    EXPECT_EQ(intval("--5"), 25);
    EXPECT_EQ(intval("+7"), -43);
    EXPECT_EQ(intval("1-"), 7);      // a minus after the first byte is a digit of -3
    EXPECT_EQ(intval("a"), 49);
    EXPECT_EQ(intval("\xFF"), 207);  // bytes are unsigned
}

TEST(Intval, WrapsModulo2To32)
{
    EXPECT_EQ(intval("2147483647"), 2147483647);
    EXPECT_EQ(intval("2147483648"), -2147483647 - 1);
    EXPECT_EQ(intval("4294967296"), 0);
    EXPECT_EQ(intval("4294967297"), 1);
    EXPECT_EQ(intval("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(intval("99999999999999999999"), static_cast<int32_t>(uint32_t(1661992959u)));
    // a very long run of digits: the place value wraps too, without a fault
    EXPECT_NO_FATAL_FAILURE(intval(std::string(5000, '9')));
}

TEST(RGBgamma, GammaOneLeavesChannels)
{
    EXPECT_EQ(RGBgamma(10, 20, 30, 1.0), plat::RGB(10, 20, 30));
    EXPECT_EQ(RGBgamma(10, 20, 30, 1.0005), plat::RGB(10, 20, 30));
    EXPECT_NE(RGBgamma(100, 100, 100, 0.998), plat::RGB(100, 100, 100));
}

TEST(RGBgamma, PointSevenDarkensMidTonesAndKeepsTheEnds)
{
    EXPECT_EQ(RGBgamma(0, 255, 0, 0.7), plat::RGB(0, 255, 0));
    EXPECT_EQ(RGBgamma(1, 1, 1, 0.7), plat::RGB(0, 0, 0));
    EXPECT_EQ(RGBgamma(48, 112, 160, 0.7), plat::RGB(23, 78, 131));
    for (int c = 0; c <= 255; ++c) {
        plat::Color col = RGBgamma(c, c, c, 0.7);
        EXPECT_LE(plat::Red(col), c);
    }
}
