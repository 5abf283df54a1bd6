#include <gtest/gtest.h>

#include "atlasdata/changes.h"

using namespace quil2a;

TEST(ChangeIndex, AppendGoesToTheSlotOfTheDateAndStopsAtTheIndexEnds)
{
    Atlas a;
    EXPECT_TRUE(appendChange(a, 18000, "cc12"));
    EXPECT_TRUE(appendChange(a, 18000, "hd3"));
    EXPECT_EQ(a.DChanges[8000], "cc12 hd3 ");
    EXPECT_TRUE(appendChange(a, 10000, "bi1"));
    EXPECT_TRUE(appendChange(a, 21000, "bi2"));
    EXPECT_EQ(a.DChanges[0], "bi1 ");
    EXPECT_EQ(a.DChanges[11000], "bi2 ");
    for (int64_t d : {9999LL, 21001LL, -1LL, 4294977296LL}) EXPECT_FALSE(appendChange(a, d, "bi3")) << d;
    EXPECT_EQ(a.DChanges.outsideCount(), 0);
}

TEST(ChangeIndex, TokensReadAsTheStepReadsThem)
{
    ChangeToken t = readChangeToken("bk345");
    EXPECT_EQ(t.kind, ChangeKind::bk);
    EXPECT_EQ(t.number, 345);

    t = readChangeToken("pc40:5,9");
    EXPECT_EQ(t.kind, ChangeKind::pc);
    EXPECT_EQ(t.id, 40);
    EXPECT_EQ(t.a, 5);
    EXPECT_EQ(t.b, 9);

    t = readChangeToken("zc7:12,-3");
    EXPECT_EQ(t.kind, ChangeKind::zc);
    EXPECT_EQ(t.id, 7);
    EXPECT_EQ(t.a, 12);
    EXPECT_EQ(t.b, -3);

    // The value after the comma is everything left, read by intval.
    t = readChangeToken("pi5:0,1,2");
    EXPECT_EQ(t.b, 1 * 100 + (',' - 48) * 10 + 2);

    t = readChangeToken("ha150");
    EXPECT_EQ(t.kind, ChangeKind::ha);
    EXPECT_EQ(t.page, "150");
    EXPECT_EQ(readChangeToken("hax-1").page, "x-1");  // text, not a number

    EXPECT_EQ(readChangeToken("hd0").number, 0);
    EXPECT_EQ(readChangeToken("no-4").number, -4);
}

TEST(ChangeIndex, MalformedPiecesReadAsNoKind)
{
    for (const char* p : {"bx12", "b12", "xx5", "e12", "", "h", "pi12", "pi12,0:5", "zc3,4"})
        EXPECT_EQ(readChangeToken(p).kind, ChangeKind::None) << p;
    // The colon and the comma are enough, whatever surrounds them.
    ChangeToken t = readChangeToken("po9:,");
    EXPECT_EQ(t.kind, ChangeKind::po);
    EXPECT_EQ(t.id, 9);
    EXPECT_EQ(t.a, 0);
    EXPECT_EQ(t.b, 0);
}

TEST(ChangeIndex, ReverseKinds)
{
    const std::pair<ChangeKind, ChangeKind> swapped[] = {
        {ChangeKind::bi, ChangeKind::bo}, {ChangeKind::bs, ChangeKind::bk}, {ChangeKind::bu, ChangeKind::bd},
        {ChangeKind::pi, ChangeKind::po}, {ChangeKind::ni, ChangeKind::no}, {ChangeKind::ei, ChangeKind::eo},
    };
    for (auto [x, y] : swapped) {
        EXPECT_EQ(reverseKind(x), y) << changeKindText(x);
        EXPECT_EQ(reverseKind(y), x) << changeKindText(y);
    }
    for (ChangeKind k : {ChangeKind::pc, ChangeKind::zc, ChangeKind::cc, ChangeKind::hd, ChangeKind::ha, ChangeKind::None})
        EXPECT_EQ(reverseKind(k), k) << changeKindText(k);
    // Every kind's text names it back.
    for (int k = 1; k <= static_cast<int>(ChangeKind::ha); ++k)
        EXPECT_EQ(changeKindOf(changeKindText(static_cast<ChangeKind>(k))), static_cast<ChangeKind>(k));
}

TEST(ChangeIndex, ARecordIsWalkedUpToItsFirstShortPiece)
{
    auto kinds = [](const char* record) {
        std::vector<ChangeKind> out;
        for (const auto& t : readChangeRecord(record)) out.push_back(t.kind);
        return out;
    };
    EXPECT_TRUE(kinds("").empty());
    EXPECT_EQ(kinds("bi1 pc40:5,9 ha150 "), (std::vector{ChangeKind::bi, ChangeKind::pc, ChangeKind::ha}));
    // An empty "ha" is two bytes long and ends the walk.
    EXPECT_EQ(kinds("hd1 ha cc2 "), (std::vector{ChangeKind::hd}));
    // Unknown kinds are passed over, the walk goes on.
    EXPECT_EQ(kinds("bq7 ei3 "), (std::vector{ChangeKind::ei}));
    // The stored order is kept, also for two tokens of one item.
    const auto ts = readChangeRecord("pc40:5,9 pc40:9,7 ");
    ASSERT_EQ(ts.size(), 2u);
    EXPECT_EQ(ts[0].b, 9);
    EXPECT_EQ(ts[1].a, 9);
    EXPECT_EQ(ts[1].b, 7);
}

TEST(ChangeIndex, LimitsOfTheTables)
{
    Atlas a;
    auto ok = [&a](const char* piece) { return withinAtlasLimits(a, readChangeToken(piece)); };
    for (const char* p : {"bi1", "bk10000", "pi33000:0,256", "po1:256,0", "ei1", "eo256", "cc500", "zc256:1200,-1000",
                          "zc1:0,0", "ni1200", "no1", "hd0", "hd450", "ha150", "ha", "bq99999"})
        EXPECT_TRUE(ok(p)) << p;
    for (const char* p : {"bi0", "bo10001", "pi0:0,5", "pi33001:0,5", "pc5:257,1", "pc5:1,-1", "ei0", "eo257",
                          "cc0", "cc501", "zc0:0,1", "zc257:0,1", "zc3:1201,1", "zc3:0,-1001", "zc3:0,-2147483648",
                          "ni0", "no1201", "hd-1", "hd451"})
        EXPECT_FALSE(ok(p)) << p;
    EXPECT_FALSE(withinAtlasLimits(a, ChangeToken{ChangeKind::ha, 0, 0, 0, 0, "150 hd5"}));
}
