#include <gtest/gtest.h>

#include "engine/date_fixture.h"

using datetest::Rig;

TEST(DateStep, BorderSignRules)
{
    Rig r;
    r.a->bdract[10] = "s10000";
    r.a->bdract[11] = "i10000";
    r.a->bdract[12] = "i10000";
    r.jump(1500);
    // A thin-border-out for a thick border finds nothing; thickening flips
    // whatever sign it finds, so a thick border turns thin.
    r.record(15001) = "bo10 bu10 bu11 bd12 ";
    r.step(true);
    EXPECT_EQ(r.borders(), (std::vector<int>{-12, -11, 10}));
    r.record(15002) = "bk11 bk12 bo13 ";
    r.step(true);
    EXPECT_EQ(r.borders(), std::vector<int>{10});
}

TEST(DateStep, LabelsRedrawOnlyInsideThePicture)
{
    Rig r;
    r.m.makePictures(800, 600);
    r.m.x0 = 10500;
    r.m.y0 = 12000;  // scale 0.25, (xc, yc) = (400, 300): x = 8900 is picture x 0
    r.place(1, "In", "", 10500, 12000);
    r.place(2, "Edge", "", 8900, 12000);
    r.place(3, "Far", "", 10500, 14400);  // picture y 900
    r.jump(1700);
    r.record(17001) = "ni2 ni3 ";
    r.step(true);
    EXPECT_TRUE(r.a->place[2]->active);
    EXPECT_TRUE(r.a->place[3]->active);
    EXPECT_EQ(r.host.canvasDraws, 0);
    r.record(17002) = "ni1 ";
    r.step(true);
    EXPECT_TRUE(r.a->place[1]->active);
    EXPECT_EQ(r.host.canvasDraws, 1);
    r.step(false);  // the same record backward hides the label
    EXPECT_FALSE(r.a->place[1]->active);
    EXPECT_EQ(r.host.canvasDraws, 2);
    r.record(17002) = "cc12 ";  // a city change always redraws the text
    r.step(true);
    EXPECT_EQ(r.host.canvasDraws, 3);
}

TEST(DateStep, EmptyRecordTouchesOnlyTheDateField)
{
    Rig r;
    r.m.p->graphics().SetForeColor(0x123456);
    r.m.p->graphics().FillRect(0, 0, 64, 48);
    r.jump(1900);
    r.step(true);
    EXPECT_EQ(r.host.dateText, "1900.1");
    EXPECT_EQ(r.host.canvasDraws, 0);
    EXPECT_EQ(r.m.p->surface().Pixel(10, 10), 0x123456u);
}

TEST(DateStep, CityRedrawCopiesThePoliticalLayerUnderTheText)
{
    Rig r;
    r.m.p1->graphics().SetForeColor(0x00AA00);
    r.m.p1->graphics().FillRect(0, 0, 64, 48);
    r.jump(1900);
    r.record(19001) = "cc3 ";
    r.step(true);
    EXPECT_EQ(r.host.canvasDraws, 1);
    EXPECT_EQ(r.m.p->surface().Pixel(0, 0), 0x00AA00u);
    EXPECT_EQ(r.m.p->surface().Pixel(63, 47), 0x00AA00u);
}

TEST(DateStep, ClickNamesHeadlinesAndNarrative)
{
    Rig r;
    r.place(12, "Twelve");
    r.person(3, "Three");
    r.clickname(7, "", "start");
    r.a->headline[6] = "War";
    r.jump(1815.5);
    r.record(18156) = "zc7:0,12 hd6 ha150 ";
    r.record(18157) = "zc7:12,-3 ";
    r.m.headlineson = false;
    r.m.hfadeout = 40;
    r.step(true);
    EXPECT_EQ(r.a->clicknames[7]->name, "Twelve");
    EXPECT_EQ(r.m.currenthead, "War");
    EXPECT_EQ(r.m.hfadeout, 0);
    EXPECT_EQ(r.host.narrUpdates, 0);  // the narrative window is closed
    r.step(true);
    EXPECT_EQ(r.a->clicknames[7]->name, "Three");
    r.step(false);
    EXPECT_EQ(r.a->clicknames[7]->name, "Twelve");
    r.m.NarrWinOpen = true;
    r.step(false);  // 1815.6 -> 1815.5: zc back to 0 names nothing
    EXPECT_EQ(r.a->clicknames[7]->name, "Twelve");
    EXPECT_EQ(r.host.lastNarrPage, "t150.htm#18155");
    EXPECT_EQ(r.host.narrUpdates, 1);
    EXPECT_EQ(r.host.headDraws, 0);  // headlines were off throughout

    r.m.headlineson = true;  // on: the strip starts at once with its countdown
    r.m.currenthead = "";
    r.step(true);
    EXPECT_EQ(r.m.currenthead, "War");
    EXPECT_GT(r.m.hfadeout, 0);
    EXPECT_GT(r.host.headDraws, 0);
}

TEST(DateStep, ShortPieceEndsTheWalkAndUnknownKindsAreSkipped)
{
    Rig r;
    r.jump(1900);
    r.record(19001) = "bx5 bi1 ha bi2 ";
    r.step(true);
    EXPECT_EQ(r.borders(), std::vector<int>{1});
}
