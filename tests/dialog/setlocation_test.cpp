// Fitting the view to a map box, and reading a box.
#include <gtest/gtest.h>

#include <cmath>

#include "dialog/setlocation.h"

namespace {

struct View {
    View()
    {
        m.xc = 300;
        m.yc = 200;
    }
    quil2a::Atlas a;
    quil2a::MapState m;
    quil2a::NullHost host{600, 400};
    quil2a::MapEngine engine{a, m, host};
};

}  // namespace

TEST(SetLocation, CentresTheBoxAtTheLargestScaleItFits)
{
    View v;
    quil2a::SetLocation(v.engine, 600, 400, 5000, 7000, 5000, 7000, false);
    EXPECT_DOUBLE_EQ(v.m.x0, 5000);
    EXPECT_DOUBLE_EQ(v.m.y0, 7000);
    EXPECT_NEAR(v.m.scale, std::pow(0.8, 7), 1e-12);

    quil2a::SetLocation(v.engine, 600, 400, 0, 0, 38000, 38000, false);
    EXPECT_DOUBLE_EQ(v.m.x0, 19000);
    EXPECT_NEAR(v.m.scale, std::pow(0.8, 20), 1e-12);
    EXPECT_GT(v.engine.screeny(0), -40);
    EXPECT_LT(v.engine.screeny(38000), 440);

    // Too large for any scale: the smallest one tried.
    quil2a::SetLocation(v.engine, 600, 400, -1e6, -1e6, 1e6, 1e6, false);
    EXPECT_NEAR(v.m.scale, std::pow(0.8, 21), 1e-12);
    EXPECT_DOUBLE_EQ(v.m.x0, 0);
}

TEST(SetLocation, MapBoxNeedsFourNumbers)
{
    double box[4] = {};
    EXPECT_TRUE(quil2a::parseMapBox("10 -20 30.5 40 extra", box));
    EXPECT_EQ(box[1], -20);
    EXPECT_EQ(box[2], 30.5);
    for (const char* bad : {"", "1 2 3", "1 2 3 x", "1  2 3 4", "a b c d"}) EXPECT_FALSE(quil2a::parseMapBox(bad, box)) << bad;
}
