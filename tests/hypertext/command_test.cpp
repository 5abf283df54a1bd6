// Command links: date, view region and colour scheme.
#include <gtest/gtest.h>

#include <cmath>

#include "hypertext/command.h"

namespace {
struct Map {
    Map()
    {
        m.makePictures(200, 150);
        m.xc = 300;
        m.yc = 200;
        a.vregxy[1] = "0 0 38000 38000";
        a.vregxy[2] = "1000 2000 3000 4000";
        a.vregxy[3] = "1000 2000 3000";
        a.vregxy[50] = "10 10 20 x";
        a.clrlist1[9] = 0x123456;
        a.watercolor1 = 2;
    }
    void run(const char* target) { quil2a::ProcessCMD(engine, 600, 400, target); }
    quil2a::Atlas a;
    quil2a::MapState m;
    quil2a::NullHost host{600, 400};
    quil2a::MapEngine engine{a, m, host};
};
}  // namespace

TEST(ProcessCMD, ItemsSetDateRegionAndScheme)
{
    Map t;
    t.run("qlmx?d=10005&quil?");
    EXPECT_DOUBLE_EQ(t.m.maindate, 1000.5);
    t.run("d=15002");  // no "?": the whole target is the query
    EXPECT_DOUBLE_EQ(t.m.maindate, 1500.2);
    t.run("qlmx?d=12000&x=1&d=13000&d 14000&d =16000");
    EXPECT_DOUBLE_EQ(t.m.maindate, 1300.0);

    t.run("qlmx?vr=2");
    EXPECT_DOUBLE_EQ(t.m.x0, 2000.0);
    EXPECT_DOUBLE_EQ(t.m.y0, 3000.0);
    t.run("qlmx?vr=1");
    EXPECT_NEAR(t.m.scale, std::pow(0.8, 20), 1e-12);

    // The palette and line colours follow the scheme.
    t.run("qlmx?cs=2");
    EXPECT_EQ(t.a.colorscheme, 2);
    EXPECT_EQ(t.a.clrlist[9], 0x123456u);
    EXPECT_EQ(t.a.watercolor, 2u);
}

TEST(ProcessCMD, RegionsNotLoadedOrWithoutAFullBoxAreIgnored)
{
    Map t;
    for (const char* link : {"qlmx?vr=0", "qlmx?vr=51", "qlmx?vr=3", "qlmx?vr=50", "qlmx?vr=7", "qlmx?vr=-1"}) {
        t.m.x0 = 5;
        t.m.scale = 0.125;
        t.run(link);
        EXPECT_EQ(t.m.x0, 5) << link;
        EXPECT_EQ(t.m.scale, 0.125) << link;
    }
    EXPECT_EQ(t.a.vregxy.outsideCount(), 0);
}
