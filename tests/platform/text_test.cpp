#include <gtest/gtest.h>

#include <QStringDecoder>

#include "platform/codepage.h"
#include "platform/text.h"

using namespace plat;

TEST(Text, PositionsCountBytesFromOne)
{
    EXPECT_EQ(MidB("abcdef", 2, 3), "bcd");
    EXPECT_EQ(MidB("abcdef", 5), "ef");
    EXPECT_EQ(MidB("abc", 4), "");
    EXPECT_EQ(MidB("abc", 9, 2), "");
    EXPECT_EQ(MidB("abc", 2, -1), "");  // a negative length gives nothing
    EXPECT_EQ(MidB("abc", 0, 2), "ab");
    EXPECT_EQ(LeftB("abc", 0), "");
    EXPECT_EQ(LeftB("abc", 5), "abc");
    EXPECT_EQ(RightB("abc", 2), "bc");
    EXPECT_EQ(InStrB("a:b:c", ":"), 2);
    EXPECT_EQ(InStrB(3, "a:b:c", ":"), 4);
    EXPECT_EQ(InStrB(2, "^a^b", "^"), 3);
    EXPECT_EQ(InStrB("abc", ":"), 0);
    EXPECT_EQ(InStrB(10, "abc", "c"), 0);
}

TEST(Text, SplitCountsSeparators)
{
    EXPECT_TRUE(Split("", " ").empty());
    EXPECT_EQ(Split("a", " "), (std::vector<Bytes>{"a"}));
    EXPECT_EQ(Split("a b ", " "), (std::vector<Bytes>{"a", "b", ""}));
    EXPECT_EQ(Split("a  b", " "), (std::vector<Bytes>{"a", "", "b"}));
    EXPECT_EQ(Split("A]B]C", "]").size(), 3u);
}

TEST(Text, ReplaceAllIsOnePassOverNonOverlappingMatches)
{
    EXPECT_EQ(ReplaceAllB("1  2", "  ", " "), "1 2");
    EXPECT_EQ(ReplaceAllB("1   2", "  ", " "), "1  2");  // three blanks leave two
    EXPECT_EQ(ReplaceAllB("1    2", "  ", " "), "1  2");
}

TEST(Text, TrimAndCase)
{
    EXPECT_EQ(Trim("  a b \t"), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Uppercase("quillmere-el"), "QUILLMERE-EL");
    EXPECT_EQ(Lowercase("X0 = 5"), "x0 = 5");
}

TEST(Text, NumbersToTextAndBack)
{
    EXPECT_EQ(Str(int32_t(-42)), "-42");
    EXPECT_EQ(Str(1805.0), "1805");
    EXPECT_EQ(Str(1815.3), "1815.3");
    EXPECT_EQ(Str(Round(1815.26 * 10) / 10), "1815.3");
    EXPECT_EQ(Str(18153.0), "18153");
    EXPECT_DOUBLE_EQ(Val("1815.3abc"), 1815.3);
    EXPECT_DOUBLE_EQ(Val("  -12"), -12.0);
    EXPECT_DOUBLE_EQ(Val("x12"), 0.0);
    EXPECT_DOUBLE_EQ(Val(""), 0.0);
    EXPECT_DOUBLE_EQ(Val("."), 0.0);
    EXPECT_EQ(Int(-2.7), -2);
    EXPECT_EQ(Int(1e300), 2147483647);
    EXPECT_EQ(Int(-1e300), -2147483647 - 1);
    EXPECT_EQ(Int(std::nan("")), 0);
    EXPECT_DOUBLE_EQ(Round(2.5), 3.0);
    EXPECT_DOUBLE_EQ(Round(-2.5), -3.0);
}

// Our byte tables must agree with the system's converters wherever a byte is defined.
TEST(CodePages, TablesMatchTheSystemDecoders)
{
    for (auto [cp, name] : {std::pair{CodePage::Win1252, "windows-1252"}, std::pair{CodePage::Win1253, "windows-1253"}}) {
        QStringDecoder dec(name);
        ASSERT_TRUE(dec.isValid()) << name;
        for (int b = 0; b < 256; ++b) {
            char c = static_cast<char>(b);
            QString sys = dec.decode(QByteArrayView(&c, 1));
            char16_t ours = codePoint(static_cast<unsigned char>(b), cp);
            if (ours == 0xFFFD) continue;  // undefined bytes: systems differ
            ASSERT_EQ(sys.size(), 1) << name << " byte " << b;
            EXPECT_EQ(sys[0].unicode(), ours) << name << " byte " << b;
        }
    }
}

TEST(CodePages, EncodeDecodeRoundTrip)
{
    QString greek = QString::fromUtf8("Ελλάδα ΐ ώ ς €");
    EXPECT_TRUE(encodable(greek, CodePage::Win1253));
    EXPECT_FALSE(encodable(greek, CodePage::Win1252));
    Bytes b = encode(greek, CodePage::Win1253);
    EXPECT_EQ(b.size(), static_cast<size_t>(greek.size()));
    EXPECT_EQ(decode(b, CodePage::Win1253), greek);
    EXPECT_EQ(encode(QString::fromUtf8("Ωx"), CodePage::Win1252), "?x");
}

TEST(Text, StartsWithNumberAgreesWithVal)
{
    for (const char* s : {"12", "-3.5", "+.5", "7abc", "0"}) EXPECT_TRUE(plat::StartsWithNumber(s)) << s;
    for (const char* s : {"", "-", ".", "+.", "x1", " 1"}) EXPECT_FALSE(plat::StartsWithNumber(s)) << s;
}
