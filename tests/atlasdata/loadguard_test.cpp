#include <gtest/gtest.h>

#include "atlasdata/convert.h"
#include "atlasdata/served.h"

using namespace quil2a;
using loadtest::Served;
using testsupport::crlf;

namespace {

Bytes skippedMessage(const char* item) { return Bytes("Error: ") + item + " has lines outside the atlas's limits; they were skipped."; }

}  // namespace

TEST(LoaderLimits, MapRecordsOutsideTheirTablesAreSkippedAndReportedOncePerItem)
{
    Served s;
    s.items.set("bdr2.txt", crlf({"10001:far", "0 0 1 1", "0,0 1,1", "i16000", "4:kept", "0 0 1 1", "0,0 1,1",
                                  "i16000 o9999 s21001 i", "99999999999:huge", "z", "z", "i16000"}));
    s.items.set("geo2.txt", crlf({"401,C", "z", "z", "-1,C", "z", "z", "400,R", "1 1 2 2", "1,1 2,2"}));
    s.items.set("wt1.txt", crlf({"2001:1,1,1", "-5:1,1,1", "2000:2,2,2"}));
    s.items.set("pt1.txt", crlf({"33001:x", "16000,1", "7:y", "16000,257 16100,-1 16200,4 16300,0", "33000:z",
                                 "16000,256"}));
    s.items.set("eus.txt", crlf({"0:i16000", "257:i16000", "abc:i16000", "3:i9000", "4:i16000"}));
    auto a = s.load();

    EXPECT_EQ(s.messages.count(skippedMessage("bdr2.txt")), 1);
    EXPECT_EQ(s.messages.count(skippedMessage("geo2.txt")), 1);
    EXPECT_EQ(s.messages.count(skippedMessage("wt1.txt")), 1);
    EXPECT_EQ(s.messages.count(skippedMessage("pt1.txt")), 1);
    EXPECT_EQ(s.messages.count(skippedMessage("eus.txt")), 1);
    EXPECT_EQ(s.messages.messages().size(), 5u);
    EXPECT_EQ(testsupport::outsideAccesses(*a), 0);

    // What lies within the tables loads as ever.
    EXPECT_EQ(a->maxbdrID, 4);
    EXPECT_EQ(a->bdract[4], "i16000 o9999 s21001 i");
    EXPECT_EQ(a->geoinfo[400], "400,R");
    EXPECT_EQ(a->wtinfo[2000], "2000:2,2,2");
    EXPECT_EQ(a->ptact[7], "16200,4 16300,0");  // the values skipped are no part of the rebuild
    EXPECT_EQ(a->EUmem[3]->evodata, "i9000");  // only its token lies outside
    // Tokens naming a colour outside the palette or a date outside the index are left out.
    EXPECT_EQ(a->DChanges[6000], "ei4 bi4 pi33000:0,256 ");
    EXPECT_EQ(a->DChanges[6100], "");
    EXPECT_EQ(a->DChanges[6200], "pi7:0,4 ");  // chained to the value kept before it
    EXPECT_EQ(a->DChanges[6300], "po7:4,0 ");
}

namespace {

// n records made by make(k), k from first on, joined with CR LF.
template <class F>
Bytes records(int first, int n, F make)
{
    Bytes out;
    for (int k = first; k < first + n; ++k) out += make(k);
    return out;
}

}  // namespace

TEST(LoaderLimits, TextRecordsPastTheirTablesAreSkipped)
{
    Served s;
    s.items.set("en\\quilstr.mit", records(1, 102, [](int k) { return "@\"s" + std::to_string(k) + "\"\r\n"; }));
    s.items.set("en\\places.mit", records(1, 1201, [](int k) {
                    return std::to_string(k) + ":P" + std::to_string(k) + "\r\n:1 1 1 1 1 1 1 1 1 10000 20000\r\nd\r\n";
                }));
    s.items.set("en\\people.mit", records(1, 1001, [](int k) { return "1:H" + std::to_string(k) + "\r\n1 1 1\r\nd\r\n"; }));
    s.items.set("en\\events.mit", records(1, 1001, [](int k) { return "1 1 1\r\nE" + std::to_string(k) + "\r\nd\r\n"; }));
    s.items.set("en\\headstr.mit", records(1, 451, [](int k) { return "1:h" + std::to_string(k) + "\r\n"; }));
    s.items.set("en\\cities.mit", records(1, 501, [](int k) { return ":1 1 16000 16100\r\nC" + std::to_string(k) + "\r\nd\r\n"; }));
    s.items.set("en\\vreg.mit", records(0, 52, [](int k) { return "R" + std::to_string(k) + "\r\n0 0 1 1\r\n"; }));
    s.items.set("cnam1.txt", records(1, 257, [](int k) {
                    return std::to_string(k) + ":" + (k == 2 ? "16700,p1201 16710,p-1001 16720,p3" : "") + "\r\n";
                }));
    s.items.set("dnam1.txt", crlf({"1201:i16800", "0:i16800", "no colon", "5:i16810", "2:i16820"}));
    s.items.set("head1.txt", crlf({"16900:750", "16900:298", "9999:300", "16910:749"}));
    s.items.set("hta1.txt", "17100,15 2\r\n" + records(2, 2000, [](int) { return Bytes("17110,150\r\n"); }));
    auto a = s.load();

    for (const char* item : {"quilstr.mit", "places.mit", "people.mit", "events.mit", "headstr.mit", "cities.mit",
                             "vreg.mit", "cnam1.txt", "dnam1.txt", "head1.txt", "hta1.txt"})
        EXPECT_EQ(s.messages.count(skippedMessage(item)), 1) << item;
    EXPECT_EQ(s.messages.messages().size(), 11u);
    EXPECT_EQ(testsupport::outsideAccesses(*a), 0);

    EXPECT_EQ(a->quilstring[100], "s100");
    EXPECT_EQ(a->place[1200]->name, "P1200");
    EXPECT_EQ(a->people[1000]->name, "H1000");
    EXPECT_EQ(a->events[1000]->name, "E1000");
    EXPECT_EQ(a->headline[450], "h450");
    EXPECT_EQ(a->city[500]->name, "C500");
    EXPECT_EQ(a->vregname[50], "R50");
    ASSERT_NE(a->clicknames[256], nullptr);
    EXPECT_EQ(a->maxanchorinfo, 2000);
    EXPECT_EQ(a->anchorinfo[1], "17100,15 2");  // the anchor stays, its token cannot
    EXPECT_EQ(a->DChanges[7100], "");
    const Bytes& lastDates = a->DChanges[6101];
    EXPECT_EQ(lastDates.substr(lastDates.size() - 6), "cc500 ");
    EXPECT_EQ(a->DChanges[6700], "");
    EXPECT_EQ(a->DChanges[6710], "");
    EXPECT_EQ(a->DChanges[6720], "");  // its old value names no person
    EXPECT_EQ(a->DChanges[6810], "ni5 ");
    EXPECT_EQ(a->DChanges[6820], "ni2 ");
    EXPECT_EQ(a->DChanges[6900], "");
    EXPECT_EQ(a->DChanges[6910], "hd450 ");
}

TEST(LoaderLimits, APlaceNotLoadedTakesNoLabelDates)
{
    Served s;
    s.items.set("dnam1.txt", crlf({"5:i16810", "2:i16820"}));
    auto a = s.load();
    EXPECT_EQ(a->DChanges[6810], "");
    EXPECT_EQ(a->DChanges[6820], "ni2 ");
    EXPECT_EQ(s.messages.count(skippedMessage("dnam1.txt")), 1);
}

TEST(LoaderLimits, AnItemEndingInsideARecordLeavesThatRecordOut)
{
    Served s;
    s.items.set("en\\places.mit", crlf({"1:One", ":1 2 3 4 5 6 7 8 9 10 11", "d1", "2:Two", ":1 1 1 1 1 1 1 1 1 1 1"}));
    s.items.set("en\\vreg.mit", crlf({"Heading", "0 0 0 0", "Cut"}));
    s.items.set("bdr2.txt", crlf({"1:a", "0 0 1 1", "0,0 1,1", "i16000", "2:b", "0 0 1 1"}));
    s.items.set("pt1.txt", Bytes("5:alone"));
    s.items.set("geo2.txt", crlf({"3,C", "1 1 2 2"}));
    auto a = s.load();
    EXPECT_EQ(a->place[1]->name, "One");
    EXPECT_EQ(a->place[2], nullptr);
    EXPECT_EQ(a->vregname[0], "Heading");
    EXPECT_EQ(a->vregname[1], "");
    EXPECT_EQ(a->bdract[1], "i16000");
    EXPECT_EQ(a->bdrinfo[2], "");
    EXPECT_EQ(a->maxbdrID, 1);
    EXPECT_EQ(a->ptinfo[5], "");
    EXPECT_EQ(a->geoinfo[3], "");
    // The start of the item was not read a second time as further records.
    EXPECT_EQ(a->place[3], nullptr);
    EXPECT_EQ(a->DChanges[6000], "bi1 ");
    for (const char* item : {"places.mit", "vreg.mit", "bdr2.txt", "pt1.txt", "geo2.txt"})
        EXPECT_EQ(s.messages.count(skippedMessage(item)), 1) << item;
}

TEST(LoaderLimits, MissingNumbersReadAsZero)
{
    Served s;
    s.items.set("en\\places.mit", crlf({"1:Short", "5 6", "d"}));
    s.items.set("en\\cities.mit", crlf({":7", "C", "d"}));
    s.items.set("clrs.txt", crlf({"10,20", "end"}));
    auto a = s.load();
    ASSERT_NE(a->place[1], nullptr);
    EXPECT_EQ(a->place[1]->xlab, 5 * 7.291666666666667);
    EXPECT_EQ(a->place[1]->ylab, 6 * 7.291666666666667);
    EXPECT_EQ(a->place[1]->xseed, 0.0);
    EXPECT_EQ(a->place[1]->date2, 0);
    EXPECT_EQ(a->place[1]->descriptor, "d");
    ASSERT_NE(a->city[1], nullptr);
    EXPECT_EQ(a->city[1]->x, 7.0);
    EXPECT_EQ(a->city[1]->y, 0.0);
    EXPECT_EQ(a->clrlist0[1], RGBgamma(10, 20, 0, 0.7));
    for (const char* item : {"places.mit", "cities.mit", "clrs.txt"})
        EXPECT_EQ(s.messages.count(Bytes("Error: ") + item + " has lines with missing numbers; they were read as 0."), 1)
            << item;
}
