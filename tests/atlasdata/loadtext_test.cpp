#include <gtest/gtest.h>

#include "atlasdata/content.h"
#include "atlasdata/served.h"

using namespace quil2a;
using loadtest::Served;
using testsupport::crlf;

TEST(TextLoader, TheMiniAtlasFillsItsTables)
{
    plat::MsgBoxRecorder messages;
    auto a = testsupport::loadAtlas(testsupport::miniAtlasFolder());
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(a->quilstring[1], "Nation: ");
    EXPECT_EQ(a->place[4]->evodata, "i10000 o17000");
    EXPECT_EQ(a->people[2]->date2, 16800);
    EXPECT_EQ(a->events[2]->name, "Division of Beland");
    EXPECT_EQ(a->headline[3], "Beland reunited");
    EXPECT_EQ(a->vregxy[2], "10500 8000 15000 16000");
    EXPECT_EQ(a->clicknames[7]->evodata, "");
    EXPECT_EQ(a->anchorinfo[3], "18000,151");
    EXPECT_EQ(a->DChanges[0], "bi1 bi3 pi1:0,1 pi2:0,2 pi3:0,2 pi4:0,4 zc1:0,1 zc2:0,2 zc4:0,4 ni1 ni2 ni4 ha150 ");
    EXPECT_EQ(a->DChanges[5000], "bs2 pc3:2,3 zc3:0,3 ni3 hd2 ha150 ");
    for (auto& z : a->zone) ASSERT_NE(z, nullptr);
    for (auto& z : a->ActiveBzone) ASSERT_NE(z, nullptr);
    EXPECT_EQ(testsupport::outsideAccesses(*a), 0);
    EXPECT_TRUE(fileEOF(*a));  // the reader is left closed
}

TEST(TextLoader, TheGreekSetComesFromItsOwnFolder)
{
    Served s;
    s.items.set("el\\headstr.mit", crlf({"300:\xC1\xE8\xDE\xED\xE1"}));
    auto a = s.load(true);
    EXPECT_EQ(a->headline[1], "\xC1\xE8\xDE\xED\xE1");
    EXPECT_EQ(a->headline[2], "");
}

TEST(TextLoader, InterfaceStrings)
{
    Served s;
    s.items.set("en\\quilstr.mit", crlf({"1@\"Nation: \"", "", "3@a@\"x\"", "\"No at\"", "5@\"", " 6@ \"Sp\" "}));
    auto a = s.load();
    EXPECT_EQ(a->quilstring[1], "Nation: ");
    EXPECT_EQ(a->quilstring[2], "");      // a blank line still takes its index
    EXPECT_EQ(a->quilstring[3], "@\"x");  // only the first "@" goes
    EXPECT_EQ(a->quilstring[4], "No at");
    EXPECT_EQ(a->quilstring[5], "");
    EXPECT_EQ(a->quilstring[6], "\"Sp");  // the text after the "@" is not trimmed again
}

TEST(TextLoader, PlaceRecordsAndTheCoarseFactor)
{
    Served s;
    s.items.set("en\\places.mit", crlf({"1:First", "100 24 1 2 3 4 5 6 7 16000 17000 99", "d1",  //
                                        "Second", ":100 24 1 2 3 4 5 6 7 16100 17100", "",          //
                                        "3: Third ", "100 1 1 1 1 1 700 1 1 1 1", "d3",             //
                                        "x", "4:Never", "1 1 1 1 1 1 1 1 1 1 1", "d4"}));
    auto a = s.load();
    const placetype& p = *a->place[1];
    EXPECT_EQ(p.xlab, 729.1666666666667);  // one multiplication, not 100 * 175 / 24
    EXPECT_EQ(p.ylab, 175.0);
    EXPECT_EQ(p.xseed, 1 * 7.291666666666667);
    EXPECT_EQ(p.y2, 6 * 7.291666666666667);
    EXPECT_EQ(p.fontsize, 7);  // never scaled
    EXPECT_EQ(p.date1, 16000);
    EXPECT_EQ(p.date2, 17000);
    EXPECT_EQ(a->place[2]->name, "Second");  // no colon: the whole line
    EXPECT_EQ(a->place[2]->xlab, 100.0);
    EXPECT_EQ(a->place[2]->descriptor, "");  // a blank third line is taken as the line
    EXPECT_EQ(a->place[3]->name, "Third");
    EXPECT_EQ(a->place[3]->x2, 700 * 7.291666666666667);  // the factor does not carry over
    EXPECT_EQ(a->place[4], nullptr);                       // a one-byte first line ends the item
}

TEST(TextLoader, PeopleAndEventsSqueezeDoubleBlanks)
{
    Served s;
    s.items.set("en\\people.mit", crlf({"1:Anna", "2  16000  16800", "d1", "2:Boris", "2   16000 16800", "d2"}));
    s.items.set("en\\events.mit", crlf({"4   15000 15010", "Other", "d2", "  ", "5 1 2", "Not read", "d"}));
    auto a = s.load();
    EXPECT_EQ(a->people[1]->date1, 16000);
    EXPECT_EQ(a->people[1]->date2, 16800);
    // Three blanks leave two: an empty field, and the rest move one place on.
    EXPECT_EQ(a->people[2]->date1, 0);
    EXPECT_EQ(a->people[2]->date2, 16000);
    EXPECT_EQ(a->events[1]->placeID, 4);
    EXPECT_EQ(a->events[1]->date2, 15000);
    EXPECT_EQ(a->events[2], nullptr);
}

TEST(TextLoader, CityTokensStandAtTheFirstTenthShownAndTheFirstNotShown)
{
    Served s;
    s.items.set("en\\cities.mit", crlf({"24 48 10000 20099", "One", "d", ":24 48 10001 20100", "Two", "d"}));
    auto a = s.load();
    EXPECT_EQ(a->city[1]->x, 175.0);
    EXPECT_EQ(a->city[2]->y, 48.0);
    EXPECT_EQ(a->DChanges[10100], "cc1 ");
    EXPECT_EQ(a->DChanges[1], "cc2 ");
    EXPECT_EQ(a->DChanges[10101], "");
}

TEST(TextLoader, ClickNamesCarryTheirPreviousValues)
{
    Served s;
    s.items.set("cnam1.txt", crlf({"9:", "8:", "77: 16305,p12 16310,x-4 ", "", "5:16320,p1"}));
    auto a = s.load();
    EXPECT_EQ(a->clicknames[3]->evodata, "16305,p12 16310,x-4");
    EXPECT_EQ(a->DChanges[6305], "zc3:0,12 ");  // the line number is the colour index
    EXPECT_EQ(a->DChanges[6310], "zc3:12,-4 ");
    EXPECT_EQ(a->clicknames[4], nullptr);  // a blank line ends the item
    EXPECT_EQ(a->DChanges[6320], "");
}

TEST(TextLoader, LabelDatesHeadlineDatesAndAnchors)
{
    Served s;
    s.items.set("dnam1.txt", crlf({"2:i16400 o16410 x16420 I16430", "3:"}));
    s.items.set("head1.txt", crlf({"16500:300", "16510:299", "16520:305"}));
    s.items.set("hta1.txt", Bytes("16600,150\r\n16610 ,  152 \r\n16620,153"));  // no closing line end
    auto a = s.load();
    EXPECT_EQ(a->place[2]->evodata, "i16400 o16410 x16420 I16430");
    EXPECT_EQ(a->place[1]->evodata, "");
    EXPECT_EQ(a->DChanges[6400], "ni2 ");
    EXPECT_EQ(a->DChanges[6420], "no2 ");  // any other letter hides the label
    EXPECT_EQ(a->DChanges[6430], "no2 ");
    EXPECT_EQ(a->DChanges[6500], "hd1 ");
    EXPECT_EQ(a->DChanges[6510], "hd0 ");
    EXPECT_EQ(a->DChanges[6520], "hd6 ");
    EXPECT_EQ(a->maxanchorinfo, 3);
    EXPECT_EQ(a->anchorinfo[2], "16610 ,  152");
    EXPECT_EQ(a->DChanges[6610], "ha152 ");

    s.items.set("hta1.txt", crlf({"16600,150", "16610,152", ""}));
    EXPECT_EQ(s.load()->maxanchorinfo, 2);
}

TEST(TextLoader, TokensOfOneDateStandInLoaderAndItemOrder)
{
    Served s;
    s.items.set("eus.txt", crlf({"4:i16300", "6:o16300"}));
    s.items.set("bdr2.txt", crlf({"8:b", "0 0 1 1", "0,0 1,1", "s16300", "5:a", "0 0 1 1", "0,0 1,1", "i16300"}));
    s.items.set("pt1.txt", crlf({"9:x", "16300,5", "6:y", "16000,3 16300,0"}));
    s.items.set("en\\cities.mit", crlf({":1 1 16300 16400", "C1", "d", ":1 1 16000 16299", "C2", "d"}));
    s.items.set("cnam1.txt", crlf({"1:16300,p2", "2:16000,p1 16300,p-2"}));
    s.items.set("dnam1.txt", crlf({"3:o16300", "1:i16300"}));
    s.items.set("head1.txt", crlf({"16300:301", "16300:300"}));
    s.items.set("hta1.txt", crlf({"16300,152", "16300,153"}));
    auto a = s.load();
    EXPECT_EQ(a->DChanges[6300],
              "ei4 eo6 bi5 bs8 pi9:0,5 po6:3,0 cc1 cc2 zc1:0,2 zc2:1,-2 no3 ni1 hd2 hd1 ha152 ha153 ");
}

TEST(TextLoader, AMissingItemReadsAsOneEmptyLine)
{
    Served s;
    s.items.remove("en\\people.mit");
    s.items.remove("en\\quilstr.mit");
    auto a = s.load();
    EXPECT_EQ(s.messages.count("Error 1"), 2);
    EXPECT_EQ(s.messages.messages().size(), 2u);
    EXPECT_EQ(a->people[1], nullptr);
    EXPECT_EQ(a->events[1]->name, "Founding of Aland");  // the next item is read from its start
}
