#include <gtest/gtest.h>

#include "atlasdata/convert.h"

using quil2a::intval;
using quil2a::RGBgamma;

// A leading minus signs the number; every other byte counts as a digit worth
// its code minus 48 (bytes unsigned), and the value wraps modulo 2^32.
TEST(Intval, SignDigitsOtherBytesAndWrapping)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"  -42 ", -42}, {"42", 42}, {"", 0}, {"   ", 0}, {"-", 0}, {"0018000", 18000},
        {"12.5", 1185}, {"4 2", 242}, {"--5", 25}, {"+7", -43}, {"1-", 7}, {"a", 49}, {"\xFF", 207},
        {"2147483647", 2147483647}, {"2147483648", -2147483647 - 1}, {"4294967296", 0}, {"4294967297", 1},
        {"-2147483648", -2147483647 - 1}, {"99999999999999999999", static_cast<int32_t>(uint32_t(1661992959u))},
    };
    for (auto [text, value] : cases) EXPECT_EQ(intval(text), value) << text;
    // a very long run of digits: the place value wraps too, without a fault
    EXPECT_NO_FATAL_FAILURE(intval(std::string(5000, '9')));
}

TEST(RGBgamma, GammaOneLeavesChannelsAndPointSevenDarkensMidTones)
{
    EXPECT_EQ(RGBgamma(10, 20, 30, 1.0), plat::RGB(10, 20, 30));
    EXPECT_EQ(RGBgamma(10, 20, 30, 1.0005), plat::RGB(10, 20, 30));
    EXPECT_NE(RGBgamma(100, 100, 100, 0.998), plat::RGB(100, 100, 100));
    EXPECT_EQ(RGBgamma(0, 255, 0, 0.7), plat::RGB(0, 255, 0));
    EXPECT_EQ(RGBgamma(1, 1, 1, 0.7), plat::RGB(0, 0, 0));
    EXPECT_EQ(RGBgamma(48, 112, 160, 0.7), plat::RGB(23, 78, 131));
    for (int c = 0; c <= 255; ++c) EXPECT_LE(plat::Red(RGBgamma(c, c, c, 0.7)), c) << c;
}
