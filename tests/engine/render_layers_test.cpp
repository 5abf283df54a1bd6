#include <gtest/gtest.h>

#include "engine/render_world.h"

using namespace rendertest;

TEST(DisplayMap, AFillStaysInsideItsBordersAndTheLayersKeepTheirStages)
{
    World w;
    w.m.borderext = false;
    w.geo(0, "R", "0,70 99,70");
    w.geo(1, "7", "0,75 99,75");  // an unknown line type is pure red
    w.border(1, "10,10 60,10 60,50 10,50 10,10");
    w.border(2, "35,10 35,50");
    w.fill(7, 1, "20,30,10 25,30,10");  // two seeds in one region
    w.fill(8, 2, "35,30,10");            // on a border pixel: nothing
    w.a.wtinfo[1] = "1:50,77,5";
    w.m.IDfadeout = 30;
    w.render();
    EXPECT_EQ(count(*w.m.p, kFill1), 24 * 39);
    EXPECT_EQ(count(*w.m.p, kFill2), 0);
    EXPECT_EQ(px(*w.m.p, 45, 30), kGrey);
    EXPECT_EQ(px(*w.m.p, 50, 72), kGrey);
    EXPECT_EQ(px(*w.m.p, 50, 75), 0xFF0000u);
    EXPECT_EQ(px(*w.m.p, 50, 79), kWater);
    EXPECT_EQ(px(*w.m.p2, 35, 30), kGrey);  // geography only
    EXPECT_EQ(px(*w.m.p1, 20, 30), kFill1);
    EXPECT_EQ(w.m.IDfadeout, 0);
    EXPECT_EQ(w.host.vmx2, 80);  // canvas 60 wide from picture x 20
}

// The only water seed lies far outside the picture: water the picture's edge
// cuts off from it is still filled, by the side of the shores it lies on. Land
// cut by the map's left edge (its coast ends there) and an island stay bare.
TEST(DisplayMap, WaterCutOffFromEverySeedByThePictureEdgeIsFilled)
{
    World w;
    w.geo(1, "C", "0,30 40,30 40,60 0,60");
    w.geo(2, "I", "60,10 90,10 90,25 60,25 60,10");
    w.a.wtinfo[1] = "1:500,500,5";
    w.render();
    EXPECT_EQ(px(*w.m.p, 20, 45), kGrey);
    EXPECT_EQ(px(*w.m.p, 75, 17), kGrey);
    EXPECT_EQ(px(*w.m.p, 20, 70), kWater);
    EXPECT_EQ(px(*w.m.p, 95, 50), kWater);
    EXPECT_EQ(px(*w.m.p, 5, 5), kWater);
}

// A coast at x = 49; the border ends at x = 48.6. Above scale 0.2 its free ends
// grow by 4.5 x scale pixels, so the end now reaches the coast.
TEST(DisplayMap, ALooseBorderEndIsExtendedOnlyAboveScale02)
{
    auto end = [](double scale, bool ext) {
        World w(100, 80, scale);
        w.m.borderext = ext;
        w.geo(1, "C", "245,0 245,395");
        w.border(1, "100,200 243,200");
        w.render();
        return std::pair{px(*w.m.p, 49, 40), px(*w.m.p, 19, 40)};
    };
    EXPECT_EQ(end(0.2, true), std::pair(kCoast, kGrey));
    EXPECT_EQ(end(0.2000001, true), std::pair(kBlack, kBlack));
    EXPECT_EQ(end(0.2000001, false), std::pair(kCoast, kGrey));

    // At scale 1 an end already on a line stays; a later border reaching
    // towards an earlier one grows 4.5 pixels and crosses it.
    World w;
    w.geo(1, "C", "49,0 49,79");
    w.border(1, "20,40 49,40");
    w.border(2, "30,60 30,43");
    w.render();
    EXPECT_EQ(px(*w.m.p, 50, 40), kGrey);
    EXPECT_EQ(px(*w.m.p, 15, 40), kBlack);
    EXPECT_EQ(px(*w.m.p, 30, 38), kBlack);
    EXPECT_EQ(px(*w.m.p, 30, 37), kGrey);
}

TEST(DisplayMap, AThickBorderIsThreeLinesOnlyAboveScale003)
{
    // Rows holding black, with their pixel counts.
    auto rows = [](double scale, bool thick) {
        World w(100, 80, scale);
        w.border(1, "660,1320 1980,1320", thick);
        w.render();
        std::vector<int> r;
        for (int y = 0; y < 80; ++y) {
            int n = 0;
            for (int x = 0; x < 100; ++x) n += px(*w.m.p, x, y) == kBlack;
            if (n) r.push_back(n);
        }
        return r;
    };
    const auto one = rows(0.03, true);
    ASSERT_EQ(one.size(), 1u);
    // One pixel up, and in place with one more pixel to the left.
    EXPECT_EQ(rows(0.0301, true), (std::vector<int>{one[0], one[0] + 1}));
    EXPECT_EQ(rows(0.0301, false).size(), 1u);
}
