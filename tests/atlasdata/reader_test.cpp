#include <gtest/gtest.h>

#include "atlasdata/content.h"
#include "atlasdata/scramblekey.h"
#include "data/stored_items.h"
#include "platform/msgbox.h"
#include "support/items.h"

using namespace quil2a;
using testsupport::TestItems;

namespace {

// An atlas whose content list holds exactly the texts the test set.
struct Reader {
    TestItems items;
    std::unique_ptr<Atlas> a = std::make_unique<Atlas>();
    void fill() { Fillcfilelist(*a); }
    std::vector<Bytes> readAll(const Bytes& name, const Bytes& folder = "")
    {
        OpenThisFile(*a, name, folder, false, true);
        std::vector<Bytes> lines;
        do lines.push_back(GetLine(*a));
        while (!fileEOF(*a));
        return lines;
    }
};

}  // namespace

TEST(ItemReader, LineRules)
{
    Reader r;
    r.items.set("bdr2.txt", "A\r\nB\r\n" + Bytes(10, 'x'));
    r.items.set("clrs.txt", Bytes("first\r\nsecond"));
    r.items.set("eus.txt", Bytes("one\r\n\r\nthree\r\n"));
    r.items.set("geo2.txt", Bytes("lone\rcr and\nlf ok\r\n"));
    r.fill();
    EXPECT_EQ(r.readAll("bdr2.txt"), (std::vector<Bytes>{"A", "B", Bytes(10, 'x')}));
    EXPECT_EQ(r.readAll("clrs.txt"), (std::vector<Bytes>{"first", "second"}));
    EXPECT_EQ(r.readAll("eus.txt"), (std::vector<Bytes>{"one", "", "three"}));
    EXPECT_EQ(r.readAll("geo2.txt"), (std::vector<Bytes>{"lone\rcr and\nlf ok"}));
}

TEST(ItemReader, AtTheEndReadingStartsAgainFromTheFirstLine)
{
    Reader r;
    r.items.set("bdr2.txt", "Alpha\r\nBeta\r\n");
    r.fill();
    OpenThisFile(*r.a, "bdr2.txt", "", false, true);
    EXPECT_FALSE(fileEOF(*r.a));  // nothing read yet
    EXPECT_EQ(GetLine(*r.a), "Alpha");
    EXPECT_EQ(GetLine(*r.a), "Beta");
    EXPECT_TRUE(fileEOF(*r.a));
    EXPECT_EQ(GetLine(*r.a), "Alpha");
    fileClose(*r.a);
    EXPECT_TRUE(fileEOF(*r.a));
    EXPECT_EQ(GetLine(*r.a), "");  // closed: one empty line and the end
    EXPECT_TRUE(fileEOF(*r.a));
}

TEST(ItemReader, ASecondItemOpenedHalfWayIsReadFromTheOldPosition)
{
    Reader r;
    r.items.set("bdr2.txt", "12345\r\nsecond line\r\n");
    r.items.set("clrs.txt", "abcdefghij\r\nklmnop\r\n");
    r.items.set("eus.txt", "short one\r\n");
    r.fill();
    OpenThisFile(*r.a, "bdr2.txt", "", false, true);
    EXPECT_EQ(GetLine(*r.a), "12345");  // position is now 6, the CR
    OpenThisFile(*r.a, "clrs.txt", "", false, true);
    EXPECT_EQ(GetLine(*r.a), "hij");  // from byte 8 of the new text
    EXPECT_EQ(GetLine(*r.a), "klmnop");
    // a position beyond the end of the new text: one empty line and the end
    OpenThisFile(*r.a, "bdr2.txt", "", false, true);
    EXPECT_EQ(GetLine(*r.a), "12345");
    EXPECT_EQ(GetLine(*r.a), "second line");  // position 18
    r.a->reader.filereadpos = 18;
    OpenThisFile(*r.a, "eus.txt", "", false, true);
    EXPECT_EQ(GetLine(*r.a), "");
    EXPECT_TRUE(fileEOF(*r.a));
}

TEST(ItemReader, KeyBytesRepeatEveryNineBytes)
{
    Reader r;
    Bytes plain(30, '\0');
    r.items.set("bdr2.txt", plain);
    r.fill();
    EXPECT_EQ(r.a->content.Nxmasks, 9);
    EXPECT_EQ(r.a->content.xmask[10], 0);
    // the stored bytes of zeros are the key itself
    const Bytes& stored = r.a->content.cfilelist.Item("bdr2.txt");
    ASSERT_EQ(stored.size(), 30u);
    for (size_t i : {0u, 9u, 18u, 27u}) EXPECT_EQ(uint8_t(stored[i]), r.a->content.xmask[1]);
    EXPECT_EQ(uint8_t(stored[8]), r.a->content.xmask[9]);
    EXPECT_EQ(uint8_t(stored[17]), r.a->content.xmask[9]);
    OpenThisFile(*r.a, "bdr2.txt", "", false, true);
    EXPECT_EQ(r.a->reader.filestring.bytes, plain);
    // the stored text is untouched by opening
    EXPECT_EQ(uint8_t(r.a->content.cfilelist.Item("bdr2.txt")[0]), kScrambleKey[0]);
}

TEST(ItemReader, ItemsShorterThanTenBytesReportError1)
{
    Reader r;
    r.items.set("bdr2.txt", "123456789");
    r.items.set("clrs.txt", "1234567890");
    r.fill();
    plat::MsgBoxRecorder rec;
    OpenThisFile(*r.a, "bdr2.txt", "", false, true);
    EXPECT_EQ(rec.count("Error 1"), 1);
    EXPECT_EQ(r.a->reader.filestring.bytes, scrambleBytes("123456789"));  // still scrambled
    OpenThisFile(*r.a, "clrs.txt", "", false, true);
    EXPECT_EQ(rec.count("Error 1"), 1);
    EXPECT_EQ(r.a->reader.filestring.bytes, "1234567890");
    OpenThisFile(*r.a, "missing.txt", "", false, true);
    EXPECT_EQ(rec.count("Error 1"), 2);
    EXPECT_EQ(r.a->reader.filestring.bytes, "");
    EXPECT_EQ(GetLine(*r.a), "");
    EXPECT_TRUE(fileEOF(*r.a));
}

TEST(ItemReader, KeysAndFoldersAreLookedUpExactly)
{
    Reader r;
    r.items.set("en\\help.htm", "<html>english</html>");
    r.items.set("el\\help.htm", "<html>greek</html>");
    r.fill();
    plat::MsgBoxRecorder rec;
    OpenThisFile(*r.a, "help.htm", "en", true, true);
    EXPECT_EQ(r.a->reader.filestring.bytes, "<html>english</html>");
    EXPECT_EQ(r.a->reader.filestring.codePage, plat::CodePage::Win1252);  // GreekText is false
    r.a->language = quil2a::Language::Greek;
    OpenThisFile(*r.a, "help.htm", "el", true, true);
    EXPECT_EQ(r.a->reader.filestring.bytes, "<html>greek</html>");
    EXPECT_EQ(r.a->reader.filestring.codePage, plat::CodePage::Win1253);
    OpenThisFile(*r.a, "help.htm", "el", false, true);
    EXPECT_EQ(r.a->reader.filestring.codePage, plat::CodePage::Win1252);
    EXPECT_EQ(rec.messages().size(), 0u);
    for (const char* bad : {"en/help.htm", "en\\\\help.htm", "\\help.htm"}) {
        OpenThisFile(*r.a, bad, "", false, true);
        EXPECT_EQ(r.a->reader.filestring.bytes, "") << bad;
    }
    EXPECT_EQ(rec.count("Error 1"), 3);
}

TEST(ContentList, EveryItemIsFetchedOnceEvenWhenEmpty)
{
    Reader r;
    r.fill();
    EXPECT_EQ(r.a->content.cfilelist.Count(), 98);
    EXPECT_EQ(r.items.fetches(168), 1);
    cflist(*r.a, 1);
    cflist(*r.a, 1);
    EXPECT_EQ(r.items.fetches(168), 1);
    EXPECT_EQ(cflist(*r.a, 1), "");
}

// The program's own stored items: every item of the list is embedded, long enough
// to open, and unscrambles to its plain file.
TEST(StoredItems, EveryContentItemIsEmbedded)
{
    quillmere_data::installStoredItems();
    auto a = std::make_unique<Atlas>();
    Fillcfilelist(*a);
    plat::MsgBoxRecorder rec;
    for (const auto& it : contentItems()) {
        Bytes stored = a->content.cfilelist.Item(it.key);
        EXPECT_GE(stored.size(), 10u) << it.key;
    }
    a->language = quil2a::Language::Greek;
    OpenThisFile(*a, "t177.htm", "el", false, true);  // the Greek set has no such page
    EXPECT_EQ(rec.count("Error 1"), 1);
    plat::setResourceProvider(nullptr);
}
