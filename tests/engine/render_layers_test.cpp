#include <gtest/gtest.h>

#include <vector>

#include "engine/render_world.h"

using namespace rendertest;

namespace {

// Black pixels of row y between x1 and x2.
int blackInRow(plat::Picture& pic, int y, int x1 = 0, int x2 = -1)
{
    if (x2 < 0) x2 = pic.Width() - 1;
    int n = 0;
    for (int x = x1; x <= x2; ++x) n += px(pic, x, y) == kBlack;
    return n;
}

}  // namespace

TEST(DisplayMap, GeographyLinesAreColouredByTheirType)
{
    World w;
    w.geo(0, "C", "5,5 30,5");      // coast, feature 0 drawn like any other
    w.geo(1, "R", "5,10 30,10");    // river
    w.geo(2, "E", "5,15 30,15");    // lake edge: water colour in scheme 0
    w.geo(3, "7", "5,20 30,20");    // unknown type: pure red
    w.geo(4, "L", "9");             // one character: skipped
    w.geo(5, "C", "40,40");         // a single point draws nothing
    w.a.geoinfo[6] = "R";           // no "," in the info line: its first byte is the type
    w.a.geodata[6] = "5,25 30,25";
    w.render();
    plat::Picture& p = *w.m.p;
    EXPECT_EQ(px(p, 0, 0), kGrey);
    EXPECT_EQ(px(p, 17, 5), kCoast);
    EXPECT_EQ(px(p, 17, 10), kRiver);
    EXPECT_EQ(px(p, 17, 15), kWater);
    EXPECT_EQ(px(p, 17, 20), kRed);
    EXPECT_EQ(px(p, 17, 25), kRiver);
    EXPECT_EQ(px(p, 40, 40), kGrey);

    w.a.colorscheme = 2;
    w.render();
    EXPECT_EQ(px(p, 17, 15), kCoast);
}

TEST(DisplayMap, AGeographySegmentCrossingThePictureFromFarOutsideIsDrawn)
{
    World w;
    w.geo(1, "C", "-100000,40 100000,40");
    w.render();
    EXPECT_EQ(blackInRow(*w.m.p, 40), 0);
    for (int x = 0; x < 100; ++x) ASSERT_EQ(px(*w.m.p, x, 40), kCoast) << x;
}

TEST(DisplayMap, WaterSeedsStopAtTheFirstBadEntryAndKeepInsideThePicture)
{
    // Four closed coast boxes; a seed in each decides whether it turns to water.
    World w(100, 80, 0.5);
    w.geo(1, "C", "0,0 220,0 220,40 0,40 0,0");          // pixels 0..110 x 0..20
    w.geo(2, "C", "0,60 40,60 40,100 0,100 0,60");       // 0..20 x 30..50
    w.geo(3, "C", "60,60 100,60 100,100 60,100 60,60");  // 30..50 x 30..50
    w.geo(4, "C", "120,60 160,60 160,100 120,100 120,60");
    w.a.wtinfo[1] = "1:198,20,1";   // sx = 99 = W - 1: used
    w.a.wtinfo[2] = "2:20,80,3";    // size x scale 1.5: used
    w.a.wtinfo[3] = "3:80,80,0";    // size 0: not used
    w.a.wtinfo[4] = "x";            // too short: the list ends here
    w.a.wtinfo[5] = "5:140,80,3";   // never read
    w.render();
    plat::Picture& p = *w.m.p;
    EXPECT_EQ(px(p, 10, 40), kWater);
    EXPECT_EQ(px(p, 40, 40), kGrey);
    EXPECT_EQ(px(p, 70, 40), kGrey);
    EXPECT_EQ(px(p, 50, 10), kWater);
    EXPECT_EQ(px(p, 0, 30), kCoast);  // the coast stops the water
    EXPECT_EQ(px(p, 10, 60), kGrey);  // and it does not leak below

    // A seed half a pixel inside the right edge (sx = W - 0.5) is not used;
    // size x scale of exactly 0.1 is not used either.
    World v(100, 80, 0.5);
    v.geo(1, "C", "0,0 220,0 220,40 0,40 0,0");
    v.a.wtinfo[1] = "1:199,20,5";
    v.a.wtinfo[2] = "2:100,20,0";
    v.render();
    EXPECT_EQ(px(*v.m.p, 50, 10), kGrey);
    v.m.scale = 0.05;  // 2 x 0.05 = 0.1
    v.a.wtinfo[1] = "1:100,200,2";
    v.a.geodata[1] = "0,0 2200,0 2200,400 0,400 0,0";
    v.render();
    EXPECT_EQ(px(*v.m.p, 50, 10), kGrey);
    v.a.wtinfo[1] = "1:100,200,3";
    v.render();
    EXPECT_EQ(px(*v.m.p, 50, 10), kWater);
}

TEST(DisplayMap, AFillStopsAtBordersAndSkipsLinesAndFilledRegions)
{
    World w;
    w.border(1, "10,10 60,10 60,50 10,50 10,10");
    w.border(2, "35,10 35,50");
    w.fill(7, 1, "20,30,10 25,30,10");  // two seeds in one region: filled once
    w.fill(8, 2, "35,30,10");            // on the border pixel: nothing
    w.fill(9, 2, "80,70,10");            // outside the frame
    w.render();
    plat::Picture& p = *w.m.p;
    EXPECT_EQ(px(p, 20, 30), kFill1);
    EXPECT_EQ(px(p, 34, 49), kFill1);
    EXPECT_EQ(px(p, 45, 30), kGrey);  // beyond the middle border
    EXPECT_EQ(px(p, 35, 30), kBlack);
    EXPECT_EQ(px(p, 5, 5), kFill2);   // everything around the frame
    EXPECT_EQ(count(p, kFill1), 24 * 39);
}

TEST(DisplayMap, LayersHoldGeographyAndPoliticalMapWithoutText)
{
    World w;
    w.geo(1, "C", "0,70 99,70");
    w.border(1, "10,10 60,10 60,50 10,50 10,10");
    w.fill(7, 1, "20,30,10");
    w.m.countrynameson = true;
    auto pl = std::make_unique<quil2a::placetype>();
    pl->xlab = 35;
    pl->ylab = 30;
    pl->name = "MMMM";
    pl->fontsize = 1;
    pl->active = true;
    w.a.place[1] = std::move(pl);
    w.render();
    EXPECT_EQ(px(*w.m.p2, 20, 30), kGrey);
    EXPECT_EQ(px(*w.m.p2, 10, 10), kGrey);
    EXPECT_EQ(px(*w.m.p2, 50, 70), kCoast);
    EXPECT_EQ(px(*w.m.p1, 10, 10), kBlack);
    EXPECT_EQ(px(*w.m.p1, 20, 30), kFill1);
    EXPECT_FALSE(same(*w.m.p, *w.m.p1));  // the label is only in p
    EXPECT_EQ(count(*w.m.p1, kFill1), 49 * 39);

    // Without keepLayers the layers stay as they were.
    plat::Picture other(100, 80);
    other.graphics().SetUseOldRenderer(true);
    w.a.clrlist[1] = kFill3;
    w.e.displaymap(other, false);
    EXPECT_EQ(px(other, 20, 30), kFill3);
    EXPECT_EQ(px(*w.m.p1, 20, 30), kFill1);
}

TEST(DisplayMap, HidesTheIdentificationLabelAndReportsTheVisibleBox)
{
    World w(100, 80, 0.5);
    w.m.x0 = 1000;
    w.m.y0 = 2000;
    w.m.xc = 50;
    w.m.yc = 40;
    w.m.IDfadeout = 33;
    w.host.idWidth = 250;
    w.render();
    EXPECT_EQ(w.m.IDfadeout, 0);
    EXPECT_EQ(w.host.idWidth, 0);
    // Canvas 60 x 40 from picture point (20, 20).
    EXPECT_EQ(w.host.vmx1, 1000 + (20 - 50) * 2);
    EXPECT_EQ(w.host.vmy1, 2000 + (20 - 40) * 2);
    EXPECT_EQ(w.host.vmx2, 1000 + (80 - 50) * 2);
    EXPECT_EQ(w.host.vmy2, 2000 + (60 - 40) * 2);
    EXPECT_EQ(w.host.boxUpdates, 1);
}

TEST(DisplayMap, ABorderIsDrawnOnlyWhenItsBoxMeetsThePicture)
{
    World w;
    w.m.borderext = false;
    int k = w.border(1, "20,40 80,40");
    w.a.ActiveBzone[k]->x1 = -10;  // the box's right edge exactly at x = 0
    w.a.ActiveBzone[k]->x2 = 0;
    w.render();
    EXPECT_EQ(blackInRow(*w.m.p, 40), 0);
    w.a.ActiveBzone[k]->x1 = 100;  // its left edge exactly at x = W
    w.a.ActiveBzone[k]->x2 = 120;
    w.render();
    EXPECT_EQ(blackInRow(*w.m.p, 40), 0);
    w.a.ActiveBzone[k]->x1 = 99.5;
    w.render();
    EXPECT_EQ(blackInRow(*w.m.p, 40), 61);
}

TEST(DisplayMap, ALooseEndIsExtendedUntilItTouchesTheCoast)
{
    // A coast at x = 49; a border ending at x = 48.6 stops one pixel short of it.
    // scale 0.2 exactly: no extension. Map 243 is 48.6 pixels.
    {
        World w(100, 80, 0.2);
        w.geo(1, "C", "245,0 245,395");  // x = 49
        w.border(1, "100,200 243,200");   // 20..48.6 at y = 40
        w.render();
        EXPECT_EQ(px(*w.m.p, 49, 40), kCoast);
        EXPECT_EQ(px(*w.m.p, 48, 40), kBlack);
        EXPECT_EQ(px(*w.m.p, 19, 40), kGrey);
    }
    // Just above 0.2: L = 0.9 pixel takes the end to 49.5, onto the coast,
    // and the start from 20 to 19.1.
    {
        World w(100, 80, 0.2000001);
        w.geo(1, "C", "245,0 245,395");
        w.border(1, "100,200 243,200");
        w.render();
        EXPECT_EQ(px(*w.m.p, 49, 40), kBlack);
        EXPECT_EQ(px(*w.m.p, 19, 40), kBlack);
        EXPECT_EQ(px(*w.m.p, 50, 40), kGrey);
    }
    // The same with borderext off: nothing moves.
    {
        World w(100, 80, 0.2000001);
        w.m.borderext = false;
        w.geo(1, "C", "245,0 245,395");
        w.border(1, "100,200 243,200");
        w.render();
        EXPECT_EQ(px(*w.m.p, 49, 40), kCoast);
    }
    // Export scale 1.0: L = 4.5. An end on the coast stays; the other end of a
    // two-point border still grows, and a later border stops at the first one.
    {
        World w(100, 80, 1.0);
        w.geo(1, "C", "49,0 49,79");
        w.border(1, "20,40 49,40");   // ends on the coast: only the start grows
        w.border(2, "30,60 30,43");   // ends 3 pixels short of border 1: runs over it
        w.render();
        plat::Picture& p = *w.m.p;
        EXPECT_EQ(blackInRow(p, 40), 35);  // from Int(15.5) to 49
        EXPECT_EQ(px(p, 14, 40), kGrey);
        EXPECT_EQ(px(p, 50, 40), kGrey);
        EXPECT_EQ(px(p, 30, 41), kBlack);
        EXPECT_EQ(px(p, 30, 38), kBlack);  // 43 - 4.5
        EXPECT_EQ(px(p, 30, 37), kGrey);
        EXPECT_EQ(px(p, 30, 64), kBlack);  // its free start moved 4.5 down
        EXPECT_EQ(px(p, 30, 65), kGrey);
    }
}

TEST(DisplayMap, AThickBorderHasItsTwoExtraLinesOnlyAboveScale003)
{
    auto rows = [](double scale, bool thick) {
        World w(100, 80, scale);
        const int u = int(1 / scale);
        w.border(1, std::to_string(20 * u) + "," + std::to_string(40 * u) + " " + std::to_string(60 * u) + "," +
                        std::to_string(40 * u),
                 thick);
        w.render();
        std::vector<int> r;
        for (int y = 0; y < 80; ++y)
            if (int n = blackInRow(*w.m.p, y)) r.push_back(n);
        return r;
    };
    const auto thin = rows(0.03, true);
    ASSERT_EQ(thin.size(), 1u);
    const int len = thin[0];
    const auto three = rows(0.0301, true);
    ASSERT_EQ(three.size(), 2u);
    EXPECT_EQ(three[0], len);      // the line one pixel up
    EXPECT_EQ(three[1], len + 1);  // in place and one pixel to the left
    EXPECT_EQ(rows(0.0301, false).size(), 1u);
}

TEST(HitABorder, SamplesTheHalfSegmentNextToTheEndAndNothingOffThePicture)
{
    World w;
    plat::Picture& p = *w.m.p;
    p.graphics().SetForeColor(kGrey);
    p.graphics().FillRect(0, 0, 100, 80);
    p.surface().SetPixel(50, 10, kRiver);
    EXPECT_TRUE(w.e.HitABorder(p, 50, 10, 90, 10));   // on the end itself
    EXPECT_TRUE(w.e.HitABorder(p, 10, 10, 90, 10));   // the midpoint
    EXPECT_FALSE(w.e.HitABorder(p, 90, 10, 50, 10));  // the other end is not sampled
    EXPECT_FALSE(w.e.HitABorder(p, 20, 10, 60, 10));  // 50 lies on the far half
    EXPECT_FALSE(w.e.HitABorder(p, 10, 10, 96, 10));  // between the samples 53 and 44
    p.surface().SetPixel(99, 79, kFill1);
    EXPECT_FALSE(w.e.HitABorder(p, 99, 79, 98, 79));  // a fill is no line
    EXPECT_FALSE(w.e.HitABorder(p, -50, -50, -10, -10));
    EXPECT_FALSE(w.e.HitABorder(p, 200, 40, 100, 40));
}
