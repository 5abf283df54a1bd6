// Command links: date, view region and colour scheme.
#include <gtest/gtest.h>

#include "engine/engine.h"
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
        for (int i = 1; i <= 256; ++i) {
            a.clrlist0[i] = 0x100000u + i;
            a.clrlist1[i] = 0x200000u + i;
            a.clrlist[i] = a.clrlist0[i];
        }
        a.watercolor0 = 1;
        a.watercolor1 = 2;
        a.watercolor = 1;
    }
    void run(const char* target) { quil2a::ProcessCMD(engine, 600, 400, target); }

    quil2a::Atlas a;
    quil2a::MapState m;
    quil2a::NullHost host{600, 400};
    quil2a::MapEngine engine{a, m, host};
};

}  // namespace

TEST(ProcessCMD, DateItemsSetTheDateAndOthersAreSkipped)
{
    Map t;
    t.run("qlmx?d=10005&quil?");
    EXPECT_DOUBLE_EQ(t.m.maindate, 1000.5);
    t.run("d=15002");  // no "?": the whole target is the query
    EXPECT_DOUBLE_EQ(t.m.maindate, 1500.2);
    t.run("qlmx?d=12000&x=1&d=13000&d 14000&d =16000");
    EXPECT_DOUBLE_EQ(t.m.maindate, 1300.0);
    t.run("qlmx?");
    EXPECT_DOUBLE_EQ(t.m.maindate, 1300.0);
}

TEST(ProcessCMD, RegionItemFitsTheViewOnlyToALoadedBox)
{
    Map t;
    t.run("qlmx?vr=2");
    EXPECT_DOUBLE_EQ(t.m.x0, 2000.0);
    EXPECT_DOUBLE_EQ(t.m.y0, 3000.0);
    const double fitted = t.m.scale;
    t.run("qlmx?vr=1");
    EXPECT_NEAR(t.m.scale, std::pow(0.8, 20), 1e-12);

    // Region 0, beyond the table, too few numbers, not a number, never loaded.
    for (const char* link : {"qlmx?vr=0", "qlmx?vr=51", "qlmx?vr=3", "qlmx?vr=50", "qlmx?vr=7", "qlmx?vr=-1"}) {
        t.m.x0 = 5;
        t.m.y0 = 6;
        t.m.scale = fitted;
        t.run(link);
        EXPECT_EQ(t.m.x0, 5) << link;
        EXPECT_EQ(t.m.y0, 6) << link;
        EXPECT_EQ(t.m.scale, fitted) << link;
    }
    EXPECT_EQ(t.a.vregxy.outsideCount(), 0);
}

TEST(ProcessCMD, SchemeItemRebuildsThePaletteAndLineColours)
{
    Map t;
    t.run("qlmx?cs=2");
    EXPECT_EQ(t.a.colorscheme, 2);
    EXPECT_EQ(t.a.clrlist[1], 0x200001u);
    EXPECT_EQ(t.a.clrlist[256], 0x200100u);
    EXPECT_EQ(t.a.watercolor, 2u);
    t.run("qlmx?cs=0&d=15000");
    EXPECT_EQ(t.a.clrlist[7], 0x100007u);
    EXPECT_EQ(t.a.watercolor, 1u);
}
