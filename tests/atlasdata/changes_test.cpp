#include <gtest/gtest.h>

#include "atlasdata/changes.h"

using namespace quil2a;

TEST(ChangeIndex, AppendStaysWithinTheIndex)
{
    Atlas a;
    EXPECT_TRUE(appendChange(a, 18000, "cc12"));
    EXPECT_TRUE(appendChange(a, 18000, "hd3"));
    EXPECT_TRUE(appendChange(a, 21000, "bi2"));
    EXPECT_EQ(a.DChanges[8000], "cc12 hd3 ");
    EXPECT_EQ(a.DChanges[11000], "bi2 ");
    for (int64_t d : {9999LL, 21001LL, 4294977296LL}) EXPECT_FALSE(appendChange(a, d, "bi3")) << d;
    EXPECT_EQ(a.DChanges.outsideCount(), 0);
}

TEST(ChangeIndex, TokensReadAsTheStepReadsThem)
{
    EXPECT_EQ(readChangeToken("bk345").number, 345);
    const ChangeToken t = readChangeToken("zc7:12,-3");
    EXPECT_EQ(t.kind, ChangeKind::zc);
    EXPECT_EQ(t.id, 7);
    EXPECT_EQ(t.a, 12);
    EXPECT_EQ(t.b, -3);
    // Everything after the first comma is the new value, read by intval.
    EXPECT_EQ(readChangeToken("pi5:0,1,2").b, 1 * 100 + (',' - 48) * 10 + 2);
    EXPECT_EQ(readChangeToken("hax-1").page, "x-1");
    // Unknown kinds, and value kinds without a colon and a comma after it.
    for (const char* p : {"bx12", "e12", "h", "pi12", "pi12,0:5"})
        EXPECT_EQ(readChangeToken(p).kind, ChangeKind::None) << p;
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
    for (ChangeKind k : {ChangeKind::pc, ChangeKind::zc, ChangeKind::cc, ChangeKind::hd, ChangeKind::ha})
        EXPECT_EQ(reverseKind(k), k) << changeKindText(k);
}

TEST(ChangeIndex, ARecordIsWalkedInStoredOrderUpToItsFirstShortPiece)
{
    auto kinds = [](const char* record) {
        std::vector<ChangeKind> out;
        for (const auto& t : readChangeRecord(record)) out.push_back(t.kind);
        return out;
    };
    EXPECT_EQ(kinds("bi1 bq7 pc40:5,9 ha150 "), (std::vector{ChangeKind::bi, ChangeKind::pc, ChangeKind::ha}));
    EXPECT_EQ(kinds("hd1 ha cc2 "), (std::vector{ChangeKind::hd}));  // an empty page ends the walk
    const auto ts = readChangeRecord("pc40:5,9 pc40:9,7 ");
    ASSERT_EQ(ts.size(), 2u);
    EXPECT_EQ(ts[1].a, 9);
    EXPECT_EQ(ts[1].b, 7);
}

TEST(ChangeIndex, LimitsOfTheTables)
{
    Atlas a;
    auto ok = [&a](const char* piece) { return withinAtlasLimits(a, readChangeToken(piece)); };
    for (const char* p : {"bk10000", "pi33000:0,256", "eo256", "cc500", "zc256:1200,-1000", "zc1:0,0", "ni1200",
                          "hd0", "hd450", "ha", "bq99999"})
        EXPECT_TRUE(ok(p)) << p;
    for (const char* p : {"bi0", "bo10001", "pi33001:0,5", "pc5:257,1", "pc5:1,-1", "ei0", "cc501", "zc257:0,1",
                          "zc3:1201,1", "zc3:0,-1001", "zc3:0,-2147483648", "no1201", "hd-1", "hd451"})
        EXPECT_FALSE(ok(p)) << p;
    EXPECT_FALSE(withinAtlasLimits(a, ChangeToken{ChangeKind::ha, 0, 0, 0, 0, "150 hd5"}));
}
