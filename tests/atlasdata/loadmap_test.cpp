#include <gtest/gtest.h>

#include <set>

#include "atlasdata/content.h"
#include "atlasdata/convert.h"
#include "atlasdata/loaders.h"
#include "platform/msgbox.h"
#include "support/atlas_loader.h"
#include "support/items.h"

using namespace quil2a;
using plat::Color;
using testsupport::crlf;

namespace {

constexpr Color kWhite = 0xFFFFFF;

// The mini atlas with some items replaced.
struct Served {
    testsupport::TestItems items{testsupport::miniAtlasFolder()};
    plat::MsgBoxRecorder messages;
    std::unique_ptr<Atlas> load(uint32_t seed = 1) { return testsupport::loadServedAtlas(false, seed); }
};

int clampChannel(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

}  // namespace

TEST(MapLoader, ColourListEndsAtALineWithoutAComma)
{
    Served s;
    s.items.set("clrs.txt", crlf({"10,20,30", "Aland: 200, 100 ,50", "200,100,50", "255,255,255", "end", "1,2,3"}));
    auto a = s.load();
    EXPECT_EQ(a->clrlist0[1], RGBgamma(10, 20, 30, 0.7));
    EXPECT_EQ(a->clrlist0[2], RGBgamma(200, 100, 50, 0.7));
    EXPECT_EQ(a->clrlist0[2], a->clrlist0[3]);  // a label changes nothing
    EXPECT_EQ(a->clrlist0[4], kWhite);
    EXPECT_EQ(a->clrlist1[4], kWhite);  // white stays white in the grey palette
    // The line that ends the list leaves white; the rest stay black in the colour palette.
    EXPECT_EQ(a->clrlist0[5], kWhite);
    EXPECT_EQ(a->clrlist1[5], kWhite);
    std::set<Color> darkGreys;
    for (int i = 6; i <= 256; ++i) {
        EXPECT_EQ(a->clrlist0[i], 0u) << i;
        const Color c = a->clrlist1[i];
        // At most six passes of at most 3 each, never below 0.
        EXPECT_LE(plat::Red(c), 18);
        EXPECT_LE(plat::Green(c), 18);
        EXPECT_LE(plat::Blue(c), 18);
        darkGreys.insert(c);
    }
    EXPECT_GT(darkGreys.size(), 20u);  // the equal blacks were pulled apart
    for (int i = 1; i <= 256; ++i) EXPECT_EQ(a->clrlist[i], a->clrlist0[i]);
    EXPECT_EQ(a->blankgrey, a->clrlist0[7]);
    EXPECT_TRUE(s.messages.messages().empty());
}

TEST(MapLoader, AColourFileWithoutAnEndLineStartsOverFromItsFirstLine)
{
    Served s;
    s.items.set("clrs.txt", crlf({"10,20,30", "40,50,60", "70,80,90"}));
    auto a = s.load();
    for (int i = 1; i <= 256; ++i) EXPECT_EQ(a->clrlist0[i], a->clrlist0[(i - 1) % 3 + 1]) << i;
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
        auto a = s.load(seed);
        plat::Random r(seed);
        const int v = 1 + r.InRange(-3, 3);
        const int g2 = v + r.InRange(-3, 3);
        const int b2 = v + r.InRange(-3, 3);
        if (v < 0 && (g2 > 0 || b2 > 0)) ++telling;
        EXPECT_EQ(a->clrlist1[1], RGBgamma(clampChannel(v), clampChannel(g2), clampChannel(b2), 0.7)) << seed;
    }
    EXPECT_GT(telling, 0);
}

TEST(MapLoader, EqualGreysAreSeparatedButWhiteIsNot)
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        Served s;
        std::vector<const char*> lines(12, "120,120,120");
        lines.push_back("255,255,255");
        lines.push_back("255,255,255");
        lines.push_back("end");
        Bytes text;
        for (const char* l : lines) text += Bytes(l) + "\r\n";
        s.items.set("clrs.txt", text);
        auto a = s.load(seed);
        std::set<Color> greys;
        for (int i = 1; i <= 12; ++i) greys.insert(a->clrlist1[i]);
        EXPECT_EQ(greys.size(), 12u) << seed;
        EXPECT_EQ(a->clrlist1[13], kWhite);
        EXPECT_EQ(a->clrlist1[14], kWhite);
    }
}

TEST(MapLoader, NearWhitePalette)
{
    Served s;
    auto a = s.load();
    std::set<Color> all;
    for (int i = 1; i <= 256; ++i) {
        const Color c = a->clrlist2[i];
        for (int ch : {plat::Red(c), plat::Green(c), plat::Blue(c)}) {
            EXPECT_GE(ch, 229);
            EXPECT_LE(ch, 235);
        }
        all.insert(c);
    }
    EXPECT_EQ(all.size(), 256u);
    EXPECT_EQ(a->clrlist2[1], plat::RGB(229, 229, 229));
    EXPECT_EQ(a->clrlist2[2], plat::RGB(229, 229, 230));
    EXPECT_EQ(a->clrlist2[8], plat::RGB(229, 230, 229));
    EXPECT_EQ(a->clrlist2[256], plat::RGB(234, 230, 232));
    EXPECT_EQ(a->clrlist2[0], 0u);
}

TEST(MapLoader, LineColoursAndPaletteFollowTheColourScheme)
{
    Served s;
    for (int scheme : {0, 2}) {
        auto a = std::make_unique<Atlas>();
        Fillcfilelist(*a);
        a->colorscheme = scheme;
        loadmapdata(*a);
        EXPECT_EQ(a->watercolor0, RGBgamma(48, 112, 160, 0.7));
        EXPECT_EQ(a->coastcolor1, RGBgamma(92, 92, 93, 0.7));
        EXPECT_EQ(a->citynamecolor, RGBgamma(32, 32, 32, 0.7));
        const bool set0 = scheme == 0;
        EXPECT_EQ(a->watercolor, set0 ? a->watercolor0 : a->watercolor1);
        EXPECT_EQ(a->coastcolor, set0 ? a->coastcolor0 : a->coastcolor1);
        EXPECT_EQ(a->rivercolor, set0 ? a->rivercolor0 : a->rivercolor1);
        EXPECT_EQ(a->bordercolor, 0u);
        for (int i = 1; i <= 256; ++i) EXPECT_EQ(a->clrlist[i], set0 ? a->clrlist0[i] : a->clrlist1[i]);
        EXPECT_EQ(a->blankgrey, a->clrlist[7]);
    }
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
    EXPECT_EQ(a->EUmem[3]->evodata, "o19600");
    EXPECT_EQ(a->DChanges[9800], "");  // reading stopped at the line without a colon
    EXPECT_EQ(a->EUmem[5]->evodata, "");
    EXPECT_EQ(a->EUmem[0], nullptr);
    for (int i = 1; i <= 256; ++i) ASSERT_NE(a->EUmem[i], nullptr);
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
    EXPECT_EQ(a->bdrinfo[7], "7:late");
    EXPECT_EQ(a->bdrzone[3], "5 6 7 8");
    EXPECT_EQ(a->bdrdata[3], "5,6 7,8");
    EXPECT_EQ(a->bdract[3], "s15500 k16500");
    EXPECT_EQ(a->bdrinfo[0], "");  // a record below 1 leaves no trace
    EXPECT_EQ(a->bdract[0], "");
}

TEST(MapLoader, FillPointTokens)
{
    Served s;
    s.items.set("pt1.txt", crlf({"33:lake 1,2,3", "10015,12 10810,0 11010,7 11510,9 11610,00", "0:dropped",
                                 "10005,1", "2:first zero", "10015,0 10910,4"}));
    auto a = s.load();
    EXPECT_EQ(a->ptinfo[33], "33:lake 1,2,3");
    EXPECT_EQ(a->ptact[33], "10015,12 10810,0 11010,7 11510,9 11610,00");
    // The point of the file's first record comes first in a shared record.
    EXPECT_EQ(a->DChanges[15], "pi33:0,12 pi2:0,0 ");
    EXPECT_EQ(a->DChanges[810], "po33:12,0 ");
    EXPECT_EQ(a->DChanges[1010], "pi33:0,7 ");
    EXPECT_EQ(a->DChanges[1510], "pc33:7,9 ");
    EXPECT_EQ(a->DChanges[1610], "pc33:9,00 ");  // only the text "0" means absent
    EXPECT_EQ(a->DChanges[910], "pi2:0,4 ");
    EXPECT_EQ(a->ptinfo[0], "");
}

TEST(MapLoader, GeographyWaterAndRectangleRecords)
{
    Served s;
    s.items.set("geo2.txt", crlf({"5,C coast", "1 2 3 4", "1,2 3,4"}));
    s.items.set("wt1.txt", crlf({"9:7500,9500,400", "bare line"}));
    auto a = s.load();
    EXPECT_EQ(a->geoinfo[5], "5,C coast");
    EXPECT_EQ(a->geozone[5], "1 2 3 4");
    EXPECT_EQ(a->geodata[5], "1,2 3,4");
    EXPECT_EQ(a->wtinfo[9], "9:7500,9500,400");
    EXPECT_EQ(a->wtinfo[0], "bare line");  // no colon: id 0
    for (auto& z : a->zone) ASSERT_NE(z, nullptr);
    for (auto& z : a->ActiveBzone) ASSERT_NE(z, nullptr);
    EXPECT_NE(a->zone[0].get(), a->zone[1].get());
}
