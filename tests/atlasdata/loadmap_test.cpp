#include <gtest/gtest.h>

#include <set>

#include "atlasdata/convert.h"
#include "atlasdata/served.h"

using namespace quil2a;
using loadtest::Served;
using plat::Color;
using testsupport::crlf;

namespace {

constexpr Color kWhite = 0xFFFFFF;

int clampChannel(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

}  // namespace

TEST(MapLoader, ColourListEndsAtALineWithoutAComma)
{
    Served s;
    s.items.set("clrs.txt", crlf({"Aland: 200, 100 ,50", "200,100,50", "255,255,255", "end", "1,2,3"}));
    auto a = s.load();
    EXPECT_EQ(a->clrlist0[1], RGBgamma(200, 100, 50, 0.7));
    EXPECT_EQ(a->clrlist0[2], a->clrlist0[1]);  // the label changes nothing
    EXPECT_EQ(a->clrlist1[3], kWhite);          // white stays white in the grey palette
    EXPECT_EQ(a->clrlist0[4], kWhite);          // the closing line leaves white
    EXPECT_EQ(a->clrlist1[4], kWhite);
    std::set<Color> darkGreys;
    for (int i = 5; i <= 256; ++i) {
        EXPECT_EQ(a->clrlist0[i], 0u) << i;
        // The equal blacks are pulled apart: at most six passes of at most 3.
        const Color c = a->clrlist1[i];
        EXPECT_LE(std::max({plat::Red(c), plat::Green(c), plat::Blue(c)}), 18);
        darkGreys.insert(c);
    }
    EXPECT_GT(darkGreys.size(), 20u);
    EXPECT_EQ(a->blankgrey, a->clrlist0[7]);
}

TEST(MapLoader, AColourFileWithoutAnEndLineStartsOverFromItsFirstLine)
{
    Served s;
    s.items.set("clrs.txt", crlf({"10,20,30", "40,50,60", "70,80,90"}));
    auto a = s.load();
    for (int i = 4; i <= 256; ++i) EXPECT_EQ(a->clrlist0[i], a->clrlist0[(i - 1) % 3 + 1]) << i;
    EXPECT_EQ(a->clrlist0[256], RGBgamma(10, 20, 30, 0.7));
}

TEST(MapLoader, GreyJitterStartsFromTheUnclampedGrey)
{
    // 0,3,0 has the grey 1: a first draw below -1 takes it under 0, and the
    // second and third draws must start from there, not from the clamped 0.
    int telling = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        Served s;
        s.items.set("clrs.txt", crlf({"0,3,0", "end"}));
        auto a = s.load(false, seed);
        plat::Random r(seed);
        const int v = 1 + r.InRange(-3, 3);
        const int g2 = v + r.InRange(-3, 3);
        const int b2 = v + r.InRange(-3, 3);
        if (v < 0 && (g2 > 0 || b2 > 0)) ++telling;
        EXPECT_EQ(a->clrlist1[1], RGBgamma(clampChannel(v), clampChannel(g2), clampChannel(b2), 0.7)) << seed;
    }
    EXPECT_GT(telling, 0);
}

TEST(MapLoader, EqualGreysAreSeparated)
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        Served s;
        Bytes text;
        for (int i = 0; i < 12; ++i) text += "120,120,120\r\n";
        s.items.set("clrs.txt", text + "end\r\n");
        auto a = s.load(false, seed);
        std::set<Color> greys;
        for (int i = 1; i <= 12; ++i) greys.insert(a->clrlist1[i]);
        EXPECT_EQ(greys.size(), 12u) << seed;
    }
}

TEST(MapLoader, NearWhitePalette)
{
    Served s;
    auto a = s.load();
    std::set<Color> all(a->clrlist2.begin() + 1, a->clrlist2.end());
    EXPECT_EQ(all.size(), 256u);
    EXPECT_EQ(*all.begin(), plat::RGB(229, 229, 229));
    EXPECT_EQ(*all.rbegin(), plat::RGB(234, 230, 232));
    EXPECT_EQ(a->clrlist2[2], plat::RGB(229, 229, 230));
    EXPECT_EQ(a->clrlist2[8], plat::RGB(229, 230, 229));
    EXPECT_EQ(a->clrlist2[256], plat::RGB(234, 230, 232));
}

TEST(MapLoader, MembershipLines)
{
    Served s;
    s.items.set("eus.txt", crlf({"12:i19580", " 3 : o19600 ", "12:o19700", "no colon here", "5:i19800"}));
    auto a = s.load();
    EXPECT_EQ(a->DChanges[9580], "ei12 ");
    EXPECT_EQ(a->DChanges[9600], "eo3 ");
    EXPECT_EQ(a->DChanges[9700], "eo12 ");
    EXPECT_EQ(a->EUmem[12]->evodata, "o19700");  // the later line replaces the first
    EXPECT_EQ(a->DChanges[9800], "");            // reading stopped at the line without a colon
    EXPECT_EQ(a->EUmem[5]->evodata, "");
    EXPECT_EQ(a->EUmem[0], nullptr);
}

TEST(MapLoader, BorderTokensGoByAscendingId)
{
    Served s;
    s.items.set("bdr2.txt", crlf({"7:late", "1 2 3 4", "1,2 3,4", "i15500 u15500", "0:ignored", "0 0 0 0", "0,0",
                                  "i15500", "-3:ignored", "x", "y", "i15500", "3:early", "5 6 7 8", "5,6 7,8",
                                  "s15500 k16500"}));
    auto a = s.load();
    EXPECT_EQ(a->DChanges[5500], "bs3 bi7 bu7 ");
    EXPECT_EQ(a->DChanges[6500], "bk3 ");
    EXPECT_EQ(a->maxbdrID, 7);
    EXPECT_EQ(a->bdrdata[3], "5,6 7,8");
    EXPECT_EQ(a->bdract[0], "");  // a record below 1 leaves no trace
}

TEST(MapLoader, FillPointTokens)
{
    Served s;
    s.items.set("pt1.txt", crlf({"33:lake 1,2,3", "10015,12 10810,0 11010,7 11510,9 11610,00", "0:dropped",
                                 "10015,1", "2:first zero", "10015,0 10910,4"}));
    auto a = s.load();
    EXPECT_EQ(a->DChanges[15], "pi33:0,12 pi2:0,0 ");  // file order, and the first token is always "pi"
    EXPECT_EQ(a->DChanges[810], "po33:12,0 ");
    EXPECT_EQ(a->DChanges[1010], "pi33:0,7 ");
    EXPECT_EQ(a->DChanges[1510], "pc33:7,9 ");
    EXPECT_EQ(a->DChanges[1610], "pc33:9,00 ");  // only the text "0" means absent
    EXPECT_EQ(a->DChanges[910], "pi2:0,4 ");
}
