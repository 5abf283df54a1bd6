#include <gtest/gtest.h>

#include "engine/render_world.h"
#include "support/pictures.h"

using namespace rendertest;

// A frame split by border 2 into a left and a right territory. Border 2 and the
// right point go; the left point, with a seed in the dirty rectangle, refills
// it and flows across the seam over what the right one left behind. The step
// must give the picture a full render of the new state gives.
TEST(LocalRefresh, RepairsTheSeamAcrossARemovedBorder)
{
    auto build = [](World& w, bool before) {
        w.geo(1, "C", "0,75 99,75");
        w.border(1, "10,10 90,10 90,60 10,60 10,10");
        w.fill(7, 1, "20,30,10 47,30,10");
        w.fill(9, 2, "5,5,10");
        if (before) w.border(2, "50,10 50,60"), w.fill(8, 2, "70,30,10");
    };
    World w, fresh;
    build(w, true);
    w.render();
    w.removeBorder(2);
    w.m.NActivePts = 2;  // the right point goes without a mark
    EXPECT_EQ(w.m.Nzones, 1);
    w.e.localrefresh();
    EXPECT_TRUE(w.m.localrefchanges);
    EXPECT_EQ(w.m.Nzones, 0);
    build(fresh, false);
    fresh.render();
    EXPECT_TRUE(testsupport::samePicture(testsupport::testName(), w.m.p1->image(), fresh.m.p1->image()));
}

// More borders leave in one step than the 500 rectangles hold: the list becomes
// one rectangle over the picture, and the whole political layer is repaired.
TEST(LocalRefresh, AFullRectangleListRepairsTheWholeLayer)
{
    auto build = [](World& w, int borders) {
        w.m.borderext = false;
        w.border(1, "5,5 95,5 95,75 5,75 5,5");
        for (int i = 0; i < borders; ++i) w.border(10 + i, std::to_string(10 + i) + ",5 " + std::to_string(10 + i) + ",75");
        w.fill(7, 1, "7,40,10");
        w.fill(8, 2, "93,40,10");
    };
    World w, fresh;
    build(w, 80);
    w.render();
    for (int round = 0; round < 7; ++round)
        for (int k = 2; k <= w.m.NActiveBdrs; ++k) w.e.invalidatezone(k);
    while (w.m.NActiveBdrs > 1) w.removeBorder(w.m.NActiveBdrs);
    w.e.localrefresh();
    build(fresh, 0);
    fresh.render();
    EXPECT_TRUE(testsupport::samePicture(testsupport::testName(), w.m.p1->image(), fresh.m.p1->image()));
    EXPECT_EQ(w.a.zone.outsideCount(), 0);
}

// A rectangle at the top left corner names row and column -1: there is nothing
// to repair, and no outside colour may be filled into the map.
TEST(LocalRefresh, ARectangleAtThePictureEdgeReadsAndFillsNothingOutside)
{
    World w;
    w.m.borderext = false;
    const int k = w.border(2, "3,3 8,8");
    w.fill(7, 1, "50,40,10");
    w.render();
    w.removeBorder(k);
    ASSERT_EQ(w.a.zone[1]->x1, 0);
    ASSERT_EQ(w.a.zone[1]->y1, 0);
    w.e.localrefresh();
    EXPECT_EQ(count(*w.m.p1, kFill1), 100 * 80);
}

TEST(LocalRefresh, ASeedExactlyAtThePictureWidthOrHeightFillsNothing)
{
    World w;
    w.render();
    const int k = w.fill(7, 1, "100,40,10 50,80,10");
    w.a.ActivePtnow[k] = w.m.somepaint = true;
    w.e.localrefresh();
    EXPECT_FALSE(w.m.localrefchanges);
    EXPECT_EQ(count(*w.m.p1, kGrey), 100 * 80);
    w.a.ptinfo[7] = "7:99,79,10";
    w.a.ActivePtnow[k] = w.m.somepaint = true;
    w.e.localrefresh();
    EXPECT_EQ(count(*w.m.p1, kFill1), 100 * 80);
}
