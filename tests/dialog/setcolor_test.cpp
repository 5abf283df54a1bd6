// The palette and line colours of each colour scheme.
#include <gtest/gtest.h>

#include "dialog/setcolor.h"

TEST(SetColor, EachSchemeTakesItsPaletteAndLineColours)
{
    quil2a::Atlas a;
    for (int i = 0; i <= 256; ++i) {
        a.clrlist0[i] = 0x100000u + i;
        a.clrlist1[i] = 0x200000u + i;
        a.clrlist2[i] = 0x300000u + i;
    }
    a.bordercolor0 = 10;
    a.bordercolor1 = 11;
    a.EUmem[3] = std::make_unique<quil2a::EUmemtype>();
    a.EUmem[3]->status = true;
    a.EUmem[4] = std::make_unique<quil2a::EUmemtype>();  // not a member; index 5 has no record

    const struct {
        int scheme;
        uint32_t base3, base4;  // palette of indexes 3 and 4
        plat::Color border;
    } cases[] = {{0, 0x100000, 0x100000, 10}, {1, 0x200000, 0x200000, 11}, {2, 0x200000, 0x200000, 11},
                 {3, 0x300000, 0x300000, 11}, {4, 0x300000, 0x300000, 11}, {5, 0x100000, 0x300000, 11}};
    for (const auto& c : cases) {
        a.colorscheme = c.scheme;
        a.clrlist[0] = 0xABCDEF;
        quil2a::applyColorScheme(a);
        EXPECT_EQ(a.clrlist[3], c.base3 + 3) << c.scheme;
        EXPECT_EQ(a.clrlist[4], c.base4 + 4) << c.scheme;
        EXPECT_EQ(a.bordercolor, c.border) << c.scheme;
        EXPECT_EQ(a.clrlist[0], 0xABCDEFu);
    }
    EXPECT_EQ(a.clrlist[5], 0x300005u);

    // A scheme outside 0..5 keeps the palette; only the line colours follow.
    a.colorscheme = 9;
    quil2a::applyColorScheme(a);
    EXPECT_EQ(a.clrlist[3], 0x100003u);
    EXPECT_EQ(a.bordercolor, 11u);
    a.colorscheme = -1;
    quil2a::applyColorScheme(a);
    EXPECT_EQ(a.bordercolor, 10u);
}
