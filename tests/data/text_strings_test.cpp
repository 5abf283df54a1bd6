// The interface strings of both sets: every entry the program reads is there,
// texts that run on into a number keep their blank, captions fit the dialog's
// controls, and headlines fit the strip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/text_items.h"
#include "platform/picture.h"
#include "platform/text.h"

using namespace quil2a;
using texttest::atlas;
using texttest::setName;

namespace {

// Entries the menus, the dialog, the identify label, the date field, the
// export and the page links read.
std::vector<int> readEntries()
{
    std::vector<int> v = {1, 25, 26, 27, 28, 33, 34, 39, 40};
    for (int k = 2; k <= 23; ++k) v.push_back(k);
    for (int k = 42; k <= 53; ++k) v.push_back(k);
    for (int k = 55; k <= 63; ++k) v.push_back(k);
    return v;
}

struct Measure {
    plat::Picture pic{8, 8};
    Measure(const char* font, int size, bool greek)
    {
        pic.graphics().SetTextFont(font);
        pic.graphics().SetTextSize(size);
        pic.graphics().SetCodePage(greek ? plat::CodePage::Win1253 : plat::CodePage::Win1252);
    }
    int width(const std::string& s) { return pic.graphics().StringWidth(s); }
};

}  // namespace

TEST(TextStrings, EveryEntryTheProgramReadsIsFilled)
{
    for (bool greek : {false, true}) {
        SCOPED_TRACE(setName(greek));
        const Atlas& a = atlas(greek);
        for (int k : readEntries()) EXPECT_FALSE(a.quilstring[k].empty()) << "entry " << k;
        // Each line is "n@" and the quoted text, n being its index; nothing
        // past the table.
        const auto lines = plat::Split(texttest::plainItem(std::string(setName(greek)) + "\\quilstr.mit"), "\r\n");
        ASSERT_GE(lines.size(), 64u);
        ASSERT_LE(lines.size(), 101u);  // the last piece follows the final CR LF
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            const std::string prefix = std::to_string(i + 1) + "@\"";
            EXPECT_EQ(lines[i].rfind(prefix, 0), 0u) << lines[i];
            EXPECT_EQ(lines[i].back(), '"') << lines[i];
        }
    }
}

// 1 stands before a nation's name, 33 before a year, 46 before a year in a
// caption and a file name; 34 follows a year.
TEST(TextStrings, TextsThatRunOnIntoOthersKeepTheirBlank)
{
    for (bool greek : {false, true}) {
        SCOPED_TRACE(setName(greek));
        const Atlas& a = atlas(greek);
        for (int k : {1, 33, 46}) EXPECT_EQ(a.quilstring[k].back(), ' ') << "entry " << k;
        EXPECT_EQ(a.quilstring[34].front(), ' ');
        // The export's default file name is entry 46, the year and ".png".
        for (char c : a.quilstring[46]) EXPECT_EQ(std::string("/\\:*?\"<>|").find(c), std::string::npos);
    }
}

// The dialog's texts are Arial 10 in English and 9 in Greek; each caption must
// fit its control, less the room that a box, a radio circle, a popup arrow or
// a button's frame takes.
TEST(TextStrings, CaptionsFitTheirControls)
{
    struct Fit {
        int entry, room;
    };
    const Fit fits[] = {
        {2, 100}, {6, 71}, {9, 47}, {12, 105}, {20, 100},          // labels
        {10, 96}, {11, 96}, {17, 96}, {18, 96}, {19, 96},          // buttons
        {13, 140}, {14, 140}, {15, 140}, {16, 140}, {25, 122},     // check boxes
        {21, 89}, {22, 89}, {23, 89},                              // radio buttons
        {3, 85}, {4, 85}, {5, 85}, {7, 85}, {8, 85},               // query popups
        {42, 151}, {43, 151}, {44, 151}, {45, 151},                // scheme popup
    };
    for (bool greek : {false, true}) {
        SCOPED_TRACE(setName(greek));
        const Atlas& a = atlas(greek);
        Measure m("Arial", greek ? 9 : 10, greek);
        for (const Fit& f : fits)
            EXPECT_LE(m.width(a.quilstring[f.entry]), f.room) << "entry " << f.entry << ": " << a.quilstring[f.entry];
        // Region names share the 175-pixel popup with its arrow.
        for (int k = 0; k <= a.vregname.ubound() && !a.vregname[k].empty(); ++k)
            EXPECT_LE(m.width(a.vregname[k]), 151) << "region " << k << ": " << a.vregname[k];
    }
}

// The strip draws a headline in Times 16 from 10 pixels in, over a window 0.6
// of the screen wide: 700 pixels leave room on a 1280-pixel screen.
TEST(TextStrings, HeadlinesFitTheStrip)
{
    for (bool greek : {false, true}) {
        SCOPED_TRACE(setName(greek));
        const Atlas& a = atlas(greek);
        Measure m(plat::kSerif, 16, greek);
        for (int k = 1; k <= a.headline.ubound() && !a.headline[k].empty(); ++k)
            EXPECT_LE(m.width(a.headline[k]), 700) << "headline " << k << ": " << a.headline[k];
    }
}
