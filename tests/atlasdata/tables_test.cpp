#include <gtest/gtest.h>

#include "atlasdata/colorscheme.h"
#include "atlasdata/content.h"
#include "atlasdata/language.h"

using namespace quil2a;

// Each popup row shows the scheme it chooses, and every scheme's row is found by its number.
TEST(SchemeTable, RowsAndSchemesAgree)
{
    for (int row = 0; row < kSchemeRowCount; ++row) {
        const SchemeInfo* s = schemeInfo(kSchemeRows[row].scheme);
        ASSERT_NE(s, nullptr) << row;
        EXPECT_EQ(s->dialogRow, row);
    }
    for (const SchemeInfo& s : kColorSchemes) {
        EXPECT_EQ(schemeInfo(s.scheme), &s);
        EXPECT_GE(s.dialogRow, 0);
        EXPECT_LT(s.dialogRow, kSchemeRowCount);
    }
    EXPECT_EQ(schemeInfo(static_cast<ColorScheme>(9)), nullptr);
    EXPECT_EQ(lineSet(static_cast<ColorScheme>(-1)), LineSet::Set0);
    EXPECT_EQ(lineSet(static_cast<ColorScheme>(9)), LineSet::Set1);
}

// Every set is found at its own row, by its code and by its name marks.
TEST(LanguageTable, CodesAndNameMarksFindTheirRow)
{
    for (const LanguageInfo& l : kLanguages) {
        EXPECT_EQ(&languageInfo(l.language), &l);
        Language found = Language::English;
        EXPECT_TRUE(languageOfCode(l.code, found));
        EXPECT_EQ(found, l.language);
        for (const char* mark : l.exeMarks)
            if (mark) EXPECT_EQ(languageOfExe(std::string("quillmere") + mark), l.language) << mark;
    }
    Language none = Language::Greek;
    EXPECT_FALSE(languageOfCode("fr", none));
    EXPECT_EQ(languageOfExe("quillmere"), Language::English);
}

// The list generated from items.list: item numbers rise, and the accessor tables reach the last.
TEST(ContentTable, ItemNumbersRiseAndFitTheTables)
{
    int last = 0;
    for (const ContentItem& it : contentItems()) {
        EXPECT_GT(it.n, last) << it.key;
        last = it.n;
    }
    EXPECT_EQ(last, contentItemMax());
    Atlas a;
    EXPECT_EQ(a.content.loaded.ubound(), last);
    EXPECT_EQ(a.content._permatext.ubound(), last);
}
