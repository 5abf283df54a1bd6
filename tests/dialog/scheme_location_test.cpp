// The palette and line colours of each colour scheme; fitting the view to a
// map box, and reading a box.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/engine.h"
#include "engine/view.h"

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
        a.colorscheme = static_cast<quil2a::ColorScheme>(c[0]);
        quil2a::applyColorScheme(a);
        EXPECT_EQ(a.clrlist[3], c[1]) << c[0];
        EXPECT_EQ(a.clrlist[4], c[2]) << c[0];
        EXPECT_EQ(a.bordercolor, c[3]) << c[0];
    }
    EXPECT_EQ(a.clrlist[0], 0u);  // never touched
}

TEST(SetLocation, CentresTheBoxAtTheLargestScaleItFits)
{
    quil2a::Atlas a;
    quil2a::MapState m;
    quil2a::NullHost host{600, 400};
    quil2a::MapEngine e(a, m, host);
    e.setCentre(300, 200, false);
    e.fitRegion(5000, 7000, 5000, 7000, false);
    EXPECT_DOUBLE_EQ(m.y0, 7000);
    EXPECT_NEAR(m.scale, std::pow(0.8, 7), 1e-12);  // a point fits at once
    e.fitRegion(0, 0, 38000, 38000, false);
    EXPECT_DOUBLE_EQ(m.x0, 19000);
    EXPECT_NEAR(m.scale, std::pow(0.8, 20), 1e-12);
    e.fitRegion(-1e6, -1e6, 1e6, 1e6, false);
    EXPECT_NEAR(m.scale, std::pow(0.8, 21), 1e-12);  // the smallest tried
    // A box beyond the view's range puts the view at its edge.
    e.fitRegion(40000, -500, 41000, -100, false);
    EXPECT_EQ(m.x0, quil2a::kViewHigh);
    EXPECT_EQ(m.y0, quil2a::kViewLow);
}

TEST(SetLocation, MapBoxNeedsFourNumbers)
{
    double box[4] = {};
    EXPECT_TRUE(quil2a::parseMapBox("10 -20 30.5 40 extra", box));
    EXPECT_EQ(box[1], -20);
    EXPECT_EQ(box[2], 30.5);
    for (const char* bad : {"", "1 2 3", "1 2 3 x", "1  2 3 4"}) EXPECT_FALSE(quil2a::parseMapBox(bad, box)) << bad;
}
