#include <gtest/gtest.h>

#include <array>

#include "engine/render_world.h"

using namespace rendertest;

namespace {

// The rectangle of zone slot j as {x1, y1, x2, y2}.
std::array<double, 4> zoneOf(World& w, int j)
{
    const auto& r = *w.a.zone[j];
    return {r.x1, r.y1, r.x2, r.y2};
}

// A border slot whose box, at scale 1 from (0, 0), is the given pixel box.
int boxSlot(World& w, int id, double x1, double y1, double x2, double y2)
{
    int k = w.border(id, "0,0 1,1");
    auto& b = *w.a.ActiveBzone[k];
    b.x1 = x1;
    b.y1 = y1;
    b.x2 = x2;
    b.y2 = y2;
    return k;
}

}  // namespace

TEST(InvalidateZone, RecordsTheWidenedBoxClampedToThePicture)
{
    World w(100, 80);
    const int inside = boxSlot(w, 1, 20.4, 30.6, 40.5, 50.2);
    const int overhang = boxSlot(w, 2, -30, 70, 98, 200);
    const int leftOf = boxSlot(w, 3, -40, 10, -5.6, 20);    // R = -6 + 5 < 0
    const int below = boxSlot(w, 4, 10, 85.2, 20, 90);      // T = 85 - 5 = 80 = H: still recorded
    const int farBelow = boxSlot(w, 5, 10, 85.6, 20, 90);   // T = 86 - 5 > H
    w.e.invalidatezone(inside);
    w.e.invalidatezone(overhang);
    w.e.invalidatezone(leftOf);
    w.e.invalidatezone(farBelow);
    ASSERT_EQ(w.m.Nzones, 2);
    EXPECT_EQ(zoneOf(w, 1), (std::array<double, 4>{15, 26, 46, 55}));
    EXPECT_EQ(zoneOf(w, 2), (std::array<double, 4>{0, 65, 100, 80}));
    w.e.invalidatezone(below);
    EXPECT_EQ(w.m.Nzones, 3);
    EXPECT_EQ(zoneOf(w, 3), (std::array<double, 4>{5, 80, 25, 80}));
}

TEST(InvalidateZone, SkipsOnlyRectanglesStrictlyInsideAListedOne)
{
    World w(100, 80);
    const int big = boxSlot(w, 1, 20, 20, 60, 60);       // 15..65
    const int small = boxSlot(w, 2, 30, 30, 40, 40);     // 25..45: strictly inside
    const int touching = boxSlot(w, 3, 20, 30, 40, 40);  // x1 = 15: on the listed edge line
    w.e.invalidatezone(big);
    w.e.invalidatezone(small);
    EXPECT_EQ(w.m.Nzones, 1);
    w.e.invalidatezone(touching);
    EXPECT_EQ(w.m.Nzones, 2);
    w.e.invalidatezone(big);  // equal to a listed one: recorded again
    EXPECT_EQ(w.m.Nzones, 3);
}

TEST(InvalidateZone, AFullListBecomesOneRectangleOverThePicture)
{
    World w(100, 80);
    for (int i = 0; i < 500; ++i) {
        const int k = boxSlot(w, 1 + i, i % 90, (i / 90) * 12, i % 90, (i / 90) * 12);
        w.e.invalidatezone(k);
    }
    ASSERT_EQ(w.m.Nzones, 500);
    const int k = boxSlot(w, 600, 50, 50, 51, 51);
    w.e.invalidatezone(k);
    EXPECT_EQ(w.m.Nzones, 1);
    EXPECT_EQ(zoneOf(w, 1), (std::array<double, 4>{0, 0, 100, 80}));
    EXPECT_EQ(w.a.zone.outsideCount(), 0);
}

// Border 1 frames the map, border 2 splits it into two territories. When border 2
// and the right-hand territory go, the step must give the picture that a full
// render of the new state gives: the left territory, refilled inside the
// rectangle, flows across the seam over what the right one left behind.
TEST(LocalRefresh, RepairsTheSeamAcrossARemovedBorder)
{
    auto build = [](World& w, bool after) {
        w.geo(1, "C", "0,75 99,75");
        w.border(1, "10,10 90,10 90,60 10,60 10,10");
        if (!after) w.border(2, "50,10 50,60");
        w.fill(7, 1, "20,30,10 47,30,10");  // its second seed lies in the rectangle
        if (!after) w.fill(8, 2, "70,30,10");
        w.fill(9, 3, "5,5,10");
    };
    World w(100, 80);
    build(w, false);
    w.render();
    ASSERT_EQ(px(*w.m.p1, 70, 30), kFill2);

    w.removeBorder(2);
    w.removeFill(2);
    EXPECT_EQ(w.m.Nzones, 1);
    w.m.localrefchanges = false;
    w.e.localrefresh();
    EXPECT_TRUE(w.m.localrefchanges);
    EXPECT_EQ(w.m.Nzones, 0);

    World fresh(100, 80);
    build(fresh, true);
    fresh.render();
    EXPECT_EQ(firstDifference(*w.m.p1, *fresh.m.p1), "");
    EXPECT_EQ(px(*w.m.p1, 70, 30), kFill1);
}

TEST(LocalRefresh, AFullListRepairsAllOfThePoliticalLayer)
{
    auto build = [](World& w, int borders) {
        w.border(1, "5,5 95,5 95,75 5,75 5,5");
        for (int i = 0; i < borders; ++i) w.border(10 + i, std::to_string(10 + i) + ",5 " + std::to_string(10 + i) + ",75");
        w.fill(7, 1, "7,40,10");
        w.fill(8, 2, "93,40,10");
    };
    World w(100, 80, 0.125);  // no extension of the border ends
    w.m.scale = 1;
    w.m.borderext = false;
    build(w, 80);
    w.render();
    // 80 borders leave, each invalidated several times: far more than 500 rectangles.
    for (int round = 0; round < 7; ++round)
        for (int k = 2; k <= w.m.NActiveBdrs; ++k) w.e.invalidatezone(k);
    while (w.m.NActiveBdrs > 1) w.removeBorder(w.m.NActiveBdrs);
    EXPECT_LE(w.m.Nzones, 500);
    w.e.localrefresh();

    World fresh(100, 80);
    fresh.m.borderext = false;
    build(fresh, 0);
    fresh.render();
    EXPECT_EQ(firstDifference(*w.m.p1, *fresh.m.p1), "");
    EXPECT_EQ(w.a.zone.outsideCount(), 0);
}

// A rectangle at the top left corner reaches row and column -1: the inside is
// the map background and the outside is no colour, which must not be filled
// into the map (a fill with an outside colour used to turn it black).
TEST(LocalRefresh, SeamsAtThePictureEdgeReadAndFillNothingOutside)
{
    World w(100, 80);
    w.m.borderext = false;
    const int k = w.border(2, "3,3 8,8");
    w.fill(7, 1, "50,40,10");
    w.render();
    ASSERT_EQ(px(*w.m.p1, 12, 12), kFill1);
    w.removeBorder(k);
    ASSERT_EQ(zoneOf(w, 1), (std::array<double, 4>{0, 0, 13, 13}));
    w.e.localrefresh();
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x) ASSERT_EQ(px(*w.m.p1, x, y), kFill1) << x << "," << y;
    EXPECT_EQ(count(*w.m.p1, kFill1), 100 * 80);
}

TEST(LocalRefresh, ASeedExactlyAtThePictureWidthFillsNothing)
{
    World w(100, 80);
    w.render();
    const int k = w.fill(7, 1, "100,40,10 50,80,10");  // x = W, then y = H
    w.a.ActivePtnow[k] = true;
    w.m.somepaint = true;
    w.m.localrefchanges = false;
    w.e.localrefresh();
    EXPECT_FALSE(w.m.localrefchanges);
    EXPECT_FALSE(w.a.ActivePtnow[k]);
    EXPECT_EQ(count(*w.m.p1, kGrey), 100 * 80);
    // One pixel inside it fills.
    w.a.ptinfo[7] = "7:99,79,10";
    w.a.ActivePtnow[k] = true;
    w.m.somepaint = true;
    w.e.localrefresh();
    EXPECT_TRUE(w.m.localrefchanges);
    EXPECT_EQ(count(*w.m.p1, kFill1), 100 * 80);
}

TEST(LocalRefresh, WithoutRectanglesDrawsOnlyTheMarkedBorders)
{
    World w(100, 80);
    w.m.borderext = false;
    const int a = w.border(1, "10,20 90,20");
    const int b = w.border(2, "10,40 90,40");
    const int dot = w.border(3, "30,60");
    const int off = w.border(4, "200,60 300,60");
    w.fill(7, 1, "50,30,10");
    w.render();
    // Clear p1 by hand so that what the refresh draws shows alone.
    w.m.p1->graphics().SetForeColor(kGrey);
    w.m.p1->graphics().FillRect(0, 0, 100, 80);
    for (int k : {b, dot, off}) w.a.ActiveBdrawnow[k] = true;
    w.m.somebdraw = true;
    w.m.localrefchanges = false;
    w.e.localrefresh();
    EXPECT_TRUE(w.m.localrefchanges);
    EXPECT_EQ(count(*w.m.p1, kBlack), 81);  // border 2 only
    EXPECT_EQ(px(*w.m.p1, 50, 40), kBlack);
    EXPECT_EQ(count(*w.m.p1, kFill1), 0);   // nothing restored or refilled
    for (int k : {a, b, dot, off}) EXPECT_FALSE(w.a.ActiveBdrawnow[k]);
    EXPECT_FALSE(w.m.somebdraw);

    // A single point and a border off the picture draw nothing.
    w.a.ActiveBdrawnow[dot] = w.a.ActiveBdrawnow[off] = true;
    w.m.somebdraw = true;
    w.m.localrefchanges = false;
    w.e.localrefresh();
    EXPECT_FALSE(w.m.localrefchanges);
    EXPECT_FALSE(w.a.ActiveBdrawnow[dot]);
    EXPECT_FALSE(w.a.ActiveBdrawnow[off]);
}

// The rectangle 35..55 is widened by five for the test: a box or seed at x 60
// does not meet it, one just left of it does. p1 is cleared by hand first, so
// that only what the refresh marked shows.
TEST(LocalRefresh, MarksWhatMeetsARectangleWidenedByFive)
{
    World w(100, 80);
    w.m.borderext = false;
    const int leaving = boxSlot(w, 1, 40, 40, 50, 50);
    auto boxFrom = [&](int k, double x1) {
        auto& b = *w.a.ActiveBzone[k];
        b.x1 = x1;
        b.x2 = x1 + 10;
        b.y1 = 40;
        b.y2 = 50;
    };
    boxFrom(w.border(2, "80,10 80,20"), 60);
    boxFrom(w.border(3, "85,10 85,20"), 59.5);
    w.fill(7, 2, "10,70,10 59,45,10");  // its second seed meets the rectangle: all seeds refill
    w.fill(8, 1, "60,45,10");           // would turn the map to colour 1 if marked
    w.fill(9, 3, "45,45,0");            // too small to count
    w.render();
    w.m.p1->graphics().SetForeColor(kGrey);
    w.m.p1->graphics().FillRect(0, 0, 100, 80);
    w.removeBorder(leaving);
    w.e.localrefresh();
    EXPECT_EQ(px(*w.m.p1, 85, 15), kBlack);
    EXPECT_EQ(px(*w.m.p1, 80, 15), kFill2);
    EXPECT_EQ(count(*w.m.p1, kFill1), 0);
    EXPECT_EQ(count(*w.m.p1, kFill3), 0);
    EXPECT_EQ(count(*w.m.p1, kFill2), 100 * 80 - 11);
}
