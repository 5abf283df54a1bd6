// Fitting the view to a map box, and reading a box.
#include <gtest/gtest.h>

#include <cmath>

#include "dialog/setlocation.h"

TEST(SetLocation, CentresTheBoxAtTheLargestScaleItFits)
{
    quil2a::Atlas a;
    quil2a::MapState m;
    quil2a::NullHost host;
    quil2a::MapEngine e(a, m, host);
    m.xc = 300;
    m.yc = 200;
    quil2a::SetLocation(e, 600, 400, 5000, 7000, 5000, 7000, false);
    EXPECT_DOUBLE_EQ(m.y0, 7000);
    EXPECT_NEAR(m.scale, std::pow(0.8, 7), 1e-12);  // a point fits at once
    quil2a::SetLocation(e, 600, 400, 0, 0, 38000, 38000, false);
    EXPECT_DOUBLE_EQ(m.x0, 19000);
    EXPECT_NEAR(m.scale, std::pow(0.8, 20), 1e-12);
    quil2a::SetLocation(e, 600, 400, -1e6, -1e6, 1e6, 1e6, false);
    EXPECT_NEAR(m.scale, std::pow(0.8, 21), 1e-12);  // the smallest tried
}

TEST(SetLocation, MapBoxNeedsFourNumbers)
{
    double box[4] = {};
    EXPECT_TRUE(quil2a::parseMapBox("10 -20 30.5 40 extra", box));
    EXPECT_EQ(box[1], -20);
    EXPECT_EQ(box[2], 30.5);
    for (const char* bad : {"", "1 2 3", "1 2 3 x", "1  2 3 4"}) EXPECT_FALSE(quil2a::parseMapBox(bad, box)) << bad;
}
