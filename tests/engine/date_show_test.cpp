#include <gtest/gtest.h>

#include <cmath>

#include "engine/date_fixture.h"

using datetest::Rig;

TEST(DateShow, GridTextAndRounding)
{
    Rig r;
    struct Case { double in; double out; const char* text; };
    for (Case c : {Case{1805, 1805, "1805.0"}, Case{1815.3, 1815.3, "1815.3"}, Case{2003, 2003, "2003.0"},
                   Case{1000, 1000, "1000.0"}, Case{1815.26, 1815.3, "1815.3"}, Case{1815.24, 1815.2, "1815.2"},
                   Case{1899.96, 1900.0, "1900.0"}}) {
        r.m.maindate = c.in;
        r.e.showdate();
        EXPECT_EQ(r.m.maindate, c.out) << c.in;
        EXPECT_EQ(r.host.dateText, c.text) << c.in;
    }
}

// The animation adds 0.1 again and again and stops on exact equality with a
// target on the grid; the rebuild compares date10 / 10 and date * 10 with data.
TEST(DateShow, RepeatedTenthsStayExactlyOnTheGrid)
{
    Rig r;
    r.m.maindate = 1000.0;
    for (int d10 = 10001; d10 <= 21000; ++d10) {
        r.m.maindate += 0.1;
        r.e.showdate();
        ASSERT_EQ(r.m.maindate, d10 / 10.0) << d10;
        ASSERT_EQ(r.m.maindate * 10, static_cast<double>(d10)) << d10;
    }
    for (int d10 = 20999; d10 >= 10000; --d10) {
        r.m.maindate -= 0.1;
        r.e.showdate();
        ASSERT_EQ(r.m.maindate, d10 / 10.0) << d10;
    }
    EXPECT_EQ(r.host.dateText, "1000.0");
}

TEST(Projection, ExampleViewAndInverse)
{
    Rig r;
    r.m.x0 = 10500;
    r.m.y0 = 12000;
    r.m.scale = 0.25;
    r.m.xc = 400;
    r.m.yc = 300;
    EXPECT_EQ(r.e.screenx(10500), 400);
    EXPECT_EQ(r.e.screeny(12000), 300);
    EXPECT_EQ(r.e.screenx(10900), 500);
    EXPECT_EQ(r.e.screeny(11600), 200);
    r.m.scale = std::pow(0.8, 27);
    for (double x : {-5000.0, 0.0, 1.5, 10500.0, 35900.25})
        EXPECT_NEAR(r.e.mapx(r.e.screenx(x)), x, 1e-6);
    for (double y : {-5000.0, 0.0, 7.75, 12000.0, 35900.0})
        EXPECT_NEAR(r.e.mapy(r.e.screeny(y)), y, 1e-6);
}
