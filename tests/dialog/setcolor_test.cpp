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
    a.EUmem[3]->status = true;  // index 4 has no record: not a member
    // scheme, colour of indexes 3 and 4, border colour
    const uint32_t cases[][4] = {{0, 0x100003, 0x100004, 10}, {1, 0x200003, 0x200004, 11}, {4, 0x300003, 0x300004, 11},
                                 {5, 0x100003, 0x300004, 11}, {9, 0x100003, 0x300004, 11}, {0xFFFFFFFF, 0x100003, 0x300004, 10}};
    for (const auto& c : cases) {
        a.colorscheme = static_cast<int32_t>(c[0]);
        quil2a::applyColorScheme(a);
        EXPECT_EQ(a.clrlist[3], c[1]) << c[0];
        EXPECT_EQ(a.clrlist[4], c[2]) << c[0];
        EXPECT_EQ(a.bordercolor, c[3]) << c[0];
    }
    EXPECT_EQ(a.clrlist[0], 0u);  // never touched
}
