#include <gtest/gtest.h>

#include <cmath>

#include "engine/date_fixture.h"
#include "platform/msgbox.h"

using datetest::Rig;
using P = std::pair<int, int>;

TEST(DateRebuild, BorderGradesFollowTheDate)
{
    Rig r;
    r.a->bdract[3] = "i18000 o18500";
    r.a->bdract[4] = "s18000 d18200";
    r.a->bdract[5] = "i18000 u18100";
    r.a->bdract[6] = "s18000 k18100";
    r.a->bdract[7] = "x18000";  // a letter of no weight
    r.jump(1799.9);
    EXPECT_EQ(r.borders(), std::vector<int>{});
    r.jump(1800.0);  // a token dated exactly the date applies
    EXPECT_EQ(r.borders(), (std::vector<int>{-6, -4, 3, 5}));
    r.jump(1815.0);
    EXPECT_EQ(r.borders(), (std::vector<int>{-5, -4, 3}));
    r.jump(1849.9);
    EXPECT_EQ(r.borders(), (std::vector<int>{-5, 3, 4}));
    r.jump(1850.0);
    EXPECT_EQ(r.borders(), (std::vector<int>{-5, 4}));
}

TEST(DateRebuild, SlotsInIdOrderWithTheirBoxes)
{
    Rig r;
    r.a->bdract[900] = "i10000";
    r.a->bdract[12] = "s10000";
    r.a->bdract[450] = "i10000";
    r.a->bdrzone[900] = "1 2 30 40";
    r.a->bdrzone[12] = "-5 6 7 8";
    r.a->bdrzone[450] = "100 200";  // too few numbers: the rest are 0
    r.jump(1500);
    ASSERT_EQ(r.m.NActiveBdrs, 3);
    EXPECT_EQ(r.a->ActiveBdr[1], -12);
    EXPECT_EQ(r.a->ActiveBdr[2], 450);
    EXPECT_EQ(r.a->ActiveBdr[3], 900);
    auto box = [&r](int k) {
        const auto& z = *r.a->ActiveBzone[k];
        return std::vector<double>{z.x1, z.y1, z.x2, z.y2};
    };
    EXPECT_EQ(box(1), (std::vector<double>{-5, 6, 7, 8}));
    EXPECT_EQ(box(2), (std::vector<double>{100, 200, 0, 0}));
    EXPECT_EQ(box(3), (std::vector<double>{1, 2, 30, 40}));
    // A later rebuild with fewer borders lowers the count.
    r.a->bdract[450] = "";
    r.jump(1500);
    EXPECT_EQ(r.borders(), (std::vector<int>{-12, 900}));
}

TEST(DateRebuild, FillPointsTakeTheirLastValue)
{
    Rig r;
    r.a->ptact[40] = "18000,5 18500,0";
    r.a->ptact[41] = "17000,9 17500,12 19000,3";
    r.a->ptact[42] = "";
    r.jump(1799.9);
    EXPECT_EQ(r.points(), (std::vector<P>{{41, 12}}));
    r.jump(1800.0);
    EXPECT_EQ(r.points(), (std::vector<P>{{40, 5}, {41, 12}}));
    r.jump(1850.0);
    EXPECT_EQ(r.points(), (std::vector<P>{{41, 12}}));
    r.jump(1950);
    EXPECT_EQ(r.points(), (std::vector<P>{{41, 3}}));
    r.jump(1600);
    EXPECT_EQ(r.points(), std::vector<P>{});
}

TEST(DateRebuild, DateIsClampedRoundedAndShownBeforeTheLists)
{
    Rig r;
    r.a->bdract[1] = "i18153";
    r.jump(950);
    EXPECT_EQ(r.m.maindate, 1000.0);
    EXPECT_EQ(r.host.dateText, "1000.0");
    r.jump(2050.25);
    EXPECT_EQ(r.m.maindate, 2003.0);
    EXPECT_EQ(r.host.dateText, "2003.0");
    r.jump(std::nan(""));
    EXPECT_EQ(r.host.dateText, "1000.0");
    r.jump(1815.26);  // rounded up to 1815.3 before the border is tested
    EXPECT_EQ(r.m.maindate, 1815.3);
    EXPECT_EQ(r.borders(), std::vector<int>{1});
    EXPECT_EQ(r.m.lastAppliedDate10, 18153);
    EXPECT_EQ(r.host.narrJumps, 4);
}

TEST(DateRebuild, LabelsClickNamesAndMemberships)
{
    Rig r;
    r.place(1, "France", "i18000 o18500 i18700");
    r.place(2, "^Old]Name^Tail", "o10000 i19000");
    r.place(4, "Beyond a gap", "i10000");  // not reached: the pass ends at place 3
    r.person(3, "Napoleon]I");
    r.clickname(1, "18000,p1 18050,h-3 18100,p99");
    r.clickname(2, "", "kept");
    r.a->EUmem[12]->evodata = "i19580";
    r.a->EUmem[13]->evodata = "i19730 o20000";
    r.a->EUmem[14]->status = true;  // no tokens: keeps its status

    r.jump(1804.9);
    EXPECT_TRUE(r.a->place[1]->active);
    EXPECT_FALSE(r.a->place[2]->active);
    EXPECT_FALSE(r.a->place[4]->active);
    EXPECT_EQ(r.a->clicknames[1]->name, "France");
    EXPECT_EQ(r.a->clicknames[2]->name, "kept");
    r.jump(1805);  // a token dated exactly the date applies
    EXPECT_EQ(r.a->clicknames[1]->name, "Napoleon I");
    r.jump(1812);  // place 99 was never loaded: the name stays
    EXPECT_EQ(r.a->clicknames[1]->name, "Napoleon I");
    r.jump(1860);
    EXPECT_FALSE(r.a->place[1]->active);
    r.jump(1990);
    EXPECT_TRUE(r.a->place[1]->active);
    EXPECT_TRUE(r.a->place[2]->active);
    EXPECT_TRUE(r.a->EUmem[12]->status);
    EXPECT_TRUE(r.a->EUmem[13]->status);
    EXPECT_TRUE(r.a->EUmem[14]->status);
    r.jump(2000);
    EXPECT_FALSE(r.a->EUmem[13]->status);
    r.jump(1957.9);
    EXPECT_FALSE(r.a->EUmem[12]->status);
    EXPECT_TRUE(r.a->EUmem[14]->status);
}

TEST(DateRebuild, MembershipViewRecolours)
{
    Rig r;
    for (int i = 1; i <= 256; ++i) {
        r.a->clrlist0[i] = 0x100000u + i;
        r.a->clrlist2[i] = 0x200000u + i;
        r.a->clrlist[i] = 0x300000u + i;
    }
    r.a->EUmem[12]->evodata = "i19580";
    r.a->EUmem[200]->status = true;
    r.jump(1960);  // scheme 0: the palette stays
    EXPECT_EQ(r.a->clrlist[12], 0x300000u + 12);
    r.a->colorscheme = quil2a::ColorScheme::Membership;
    r.jump(1960);
    EXPECT_EQ(r.a->clrlist[12], 0x100000u + 12);
    EXPECT_EQ(r.a->clrlist[200], 0x100000u + 200);
    EXPECT_EQ(r.a->clrlist[1], 0x200000u + 1);
    EXPECT_EQ(r.a->clrlist[256], 0x200000u + 256);
    r.jump(1950);
    EXPECT_EQ(r.a->clrlist[12], 0x200000u + 12);
}

TEST(DateRebuild, SetClickNameMarkup)
{
    Rig r;
    r.clickname(5, "", "before");
    struct Case { const char* name; const char* shown; };
    for (Case c : {Case{"^Lead", "Lead"}, Case{"Two^Parts", "Two"}, Case{"A]B]C", "A B C"}, Case{"^", ""},
                   Case{"^^x", ""}, Case{"^A^B", "A"}}) {
        r.place(1, c.name);
        r.e.setclickname(5, 1);
        EXPECT_EQ(r.a->clicknames[5]->name, c.shown) << c.name;
    }
    r.a->clicknames[5]->name = "before";
    for (int id : {0, -7, 1201, -1001, 5000, INT32_MIN}) {
        r.e.setclickname(5, id);
        EXPECT_EQ(r.a->clicknames[5]->name, "before") << id;
    }
    r.e.setclickname(999, 1);  // no such colour index
    r.e.setclickname(0, 1);
    EXPECT_EQ(r.a->clicknames.outsideCount() + r.a->place.outsideCount() + r.a->people.outsideCount(), 0);
}

TEST(DateRebuild, LimitsReportEachItemLeftOutAndStayInTheTables)
{
    Rig r;
    plat::MsgBoxRecorder box;
    for (int id = 1; id <= 2502; ++id) r.a->bdract[id] = "i10000";
    for (int id = 1; id <= 6003; ++id) r.a->ptact[id] = "10000,4";
    r.jump(1500);
    EXPECT_EQ(r.m.NActiveBdrs, 2500);
    EXPECT_EQ(r.m.NActivePts, 6000);
    EXPECT_EQ(box.count("Error: too many active borders."), 2);
    EXPECT_EQ(box.count("Error: too many active points."), 3);
    EXPECT_EQ(r.a->ActiveBdr[2500], 2500);  // the lowest ids are kept
    EXPECT_EQ(r.a->ActivePt[6000], 6000);
    EXPECT_EQ(r.host.narrJumps, 1);  // the rebuild still completes
    EXPECT_EQ(r.outsideActiveTables(), 0);
}

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
