#include <gtest/gtest.h>

#include "engine/date_fixture.h"
#include "platform/msgbox.h"

using datetest::Rig;
using P = std::pair<int, int>;

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
    const int jumps = r.host.narrJumps;
    r.step(true);
    EXPECT_EQ(r.a->clicknames[7]->name, "Twelve");
    EXPECT_EQ(r.m.currenthead, "War");
    EXPECT_EQ(r.m.hfadeout, 0);
    EXPECT_EQ(r.host.narrJumps, jumps);  // the narrative window is closed
    r.step(true);
    EXPECT_EQ(r.a->clicknames[7]->name, "Three");
    r.step(false);
    EXPECT_EQ(r.a->clicknames[7]->name, "Twelve");
    r.m.NarrWinOpen = true;
    r.step(false);  // 1815.6 -> 1815.5: zc back to 0 names nothing
    EXPECT_EQ(r.a->clicknames[7]->name, "Twelve");
    EXPECT_EQ(r.host.narrJumps, jumps + 1);  // back past the anchor: the passage in force is chosen again
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

// Steps over data beyond the tables, and steps that do not move the date.

TEST(DateStepLimits, AppendsBeyondTheSlotTablesAreSkipped)
{
    Rig r;
    plat::MsgBoxRecorder box;
    for (int id = 1; id <= 2500; ++id) r.a->bdract[id] = "i10000";
    for (int id = 1; id <= 6000; ++id) r.a->ptact[id] = "10000,4";
    r.jump(1500);
    r.record(15001) = "bi3000 bs3001 pi7000:0,5 ";
    r.step(true);
    EXPECT_EQ(r.m.NActiveBdrs, 2500);
    EXPECT_EQ(r.m.NActivePts, 6000);
    EXPECT_EQ(r.a->ActiveBdr[2500], 2500);
    EXPECT_EQ(r.a->ActivePt[6000], 6000);
    // Removal still works at the limit, and the slot it frees is used again.
    r.record(15002) = "bo17 po17:4,0 bi3000 pi7000:0,5 ";
    r.step(true);
    EXPECT_EQ(r.m.NActiveBdrs, 2500);
    EXPECT_EQ(r.a->ActiveBdr[17], 2500);
    EXPECT_EQ(r.a->ActiveBdr[2500], 3000);
    EXPECT_EQ(r.a->ActivePt[6000], 7000);
    EXPECT_EQ(r.a->ActiveClr[6000], 5);
    EXPECT_EQ(r.outsideActiveTables(), 0);
    EXPECT_TRUE(box.messages().empty());  // the step reports nothing
}

TEST(DateStepLimits, IndexesOutsideTheirTablesAreSkipped)
{
    Rig r;
    r.a->colorscheme = quil2a::ColorScheme::Membership;
    r.place(1, "One");
    r.clickname(1, "", "kept");
    r.a->headline[3] = "Kept";
    r.jump(1500);
    r.m.currenthead = "Kept";
    r.m.hfadeout = 5;
    r.record(15001) = "ni5000 no-1 ni0 ni2 ni1 ei0 ei257 eo-4 ei99999999999 zc999:0,1 zc1:0,5000 zc1:0,-1 "
                      "hd451 hd-1 bi-2147483648 bu2147483648 ";
    r.step(true);
    EXPECT_TRUE(r.a->place[1]->active);
    EXPECT_EQ(r.a->clicknames[1]->name, "kept");
    EXPECT_EQ(r.m.currenthead, "Kept");
    EXPECT_EQ(r.m.hfadeout, 5);
    EXPECT_EQ(r.a->place.outsideCount() + r.a->people.outsideCount() + r.a->clicknames.outsideCount() +
                  r.a->EUmem.outsideCount() + r.a->clrlist.outsideCount() + r.a->clrlist0.outsideCount() +
                  r.a->clrlist2.outsideCount() + r.a->headline.outsideCount() + r.a->bdrzone.outsideCount(),
              0);
    r.step(false);
    EXPECT_FALSE(r.a->place[1]->active);
    EXPECT_EQ(r.outsideActiveTables(), 0);
}

TEST(DateStepLimits, DateOutsideTheChangeIndexReadsNoRecord)
{
    Rig r;
    r.m.maxdate = 2500;
    r.jump(2200);
    r.step(true);
    r.step(false);
    r.step(false);
    EXPECT_EQ(r.a->DChanges.outsideCount(), 0);
    EXPECT_EQ(r.host.dateText, "2199.9");
}

// The step control at a range end clamps the date and still steps: the record
// of the end date must not be applied a second time.
TEST(DateStepRangeEnds, StepAtMaxdateAppliesNothingAgain)
{
    Rig r;
    r.a->bdract[5] = "i20030";
    r.a->bdract[6] = "i10000 u20030";
    r.a->ptact[40] = "20030,8";
    r.record(20030) = "bi5 bu6 pi40:0,8 ";
    r.jump(2002.9);
    r.step(true);
    EXPECT_EQ(r.borders(), (std::vector<int>{-6, 5}));
    for (int i = 0; i < 3; ++i) r.step(true);
    EXPECT_EQ(r.m.maindate, 2003.0);
    EXPECT_EQ(r.borders(), (std::vector<int>{-6, 5}));
    EXPECT_EQ(r.points(), (std::vector<P>{{40, 8}}));
    // Stepping back from there undoes the record once.
    r.step(false);
    EXPECT_EQ(r.borders(), std::vector<int>{6});
    EXPECT_EQ(r.points(), std::vector<P>{});
}

TEST(DateStepRangeEnds, StepBackAtMindateUndoesNothingAgain)
{
    Rig r;
    r.a->bdract[6] = "i10000 u10001";
    r.a->ptact[40] = "10000,3 10001,0";
    r.record(10001) = "bu6 po40:3,0 ";
    r.jump(1000.1);
    r.step(false);
    EXPECT_EQ(r.borders(), std::vector<int>{6});
    EXPECT_EQ(r.points(), (std::vector<P>{{40, 3}}));
    for (int i = 0; i < 3; ++i) r.step(false);
    EXPECT_EQ(r.m.maindate, 1000.0);
    EXPECT_EQ(r.host.dateText, "1000.0");
    EXPECT_EQ(r.borders(), std::vector<int>{6});
    EXPECT_EQ(r.points(), (std::vector<P>{{40, 3}}));
    // A jump to the end date followed by a clamped step applies nothing either.
    r.jump(1000.0);
    r.step(false);
    EXPECT_EQ(r.borders(), std::vector<int>{6});
    EXPECT_EQ(r.points(), (std::vector<P>{{40, 3}}));
    r.step(true);
    EXPECT_EQ(r.borders(), std::vector<int>{-6});
    EXPECT_EQ(r.points(), std::vector<P>{});
}

// The front door's step plays a tenth in its direction and refuses to leave the range.
TEST(DateStep, FrontDoorStepKeepsTheRange)
{
    Rig r;
    r.a->bdract[10] = "i20030";
    r.record(20030) = "bi10 ";
    r.jump(2002.9);
    EXPECT_TRUE(r.e.step(1));
    EXPECT_DOUBLE_EQ(r.m.maindate, 2003.0);
    EXPECT_TRUE(r.m.timeforward);
    EXPECT_EQ(r.borders(), std::vector<int>{10});
    EXPECT_FALSE(r.e.step(1));
    EXPECT_DOUBLE_EQ(r.m.maindate, 2003.0);
    EXPECT_TRUE(r.e.step(-1));
    EXPECT_FALSE(r.m.timeforward);
    EXPECT_DOUBLE_EQ(r.m.maindate, 2002.9);
    EXPECT_TRUE(r.borders().empty());
    r.e.rebuildAt(999.0);
    EXPECT_DOUBLE_EQ(r.m.maindate, 1000.0);
    EXPECT_FALSE(r.e.step(-1));
}
