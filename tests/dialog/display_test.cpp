// Label switches, the headline switch and the colour schemes.
#include <gtest/gtest.h>

#include <QCheckBox>

#include "dialog_fixture.h"
#include "hypertext/command.h"

using dlgtest::choose;
using dlgtest::World;

namespace {
int count(const plat::Picture& p, plat::Color c)
{
    int n = 0;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) n += (p.image().pixel(x, y) & 0xFFFFFF) == c;
    return n;
}
}  // namespace

TEST(DisplayOptions, LabelBoxesRedrawTheTextLayerAsAFullRenderWould)
{
    World w;
    quil2a::MainDlg& d = w.show(1500.0);
    auto labelsOnly = [&] { return w.m.p->image() == w.m.p1->image(); };
    auto asFullRender = [&] {
        const QImage shown = w.m.p->image();
        w.e.displaymap(*w.m.p, true);
        return shown == w.m.p->image();
    };
    ASSERT_FALSE(labelsOnly());
    const int boxes = w.host.boxUpdates, draws = w.host.canvasDraws;

    d.CountryNamesBox->click();
    EXPECT_FALSE(w.m.countrynameson);
    EXPECT_FALSE(labelsOnly());  // the cities are still drawn
    d.CitiesBox->click();
    EXPECT_FALSE(w.m.citieson);
    EXPECT_TRUE(w.m.citynameson);
    EXPECT_FALSE(d.CityNamesBox->isEnabled());
    EXPECT_TRUE(labelsOnly());
    EXPECT_EQ(w.host.boxUpdates, boxes);  // no full render
    EXPECT_EQ(w.host.canvasDraws, draws + 2);

    d.CitiesBox->click();
    EXPECT_TRUE(d.CityNamesBox->isEnabled());
    d.CityNamesBox->click();
    EXPECT_FALSE(w.m.citynameson);
    d.CountryNamesBox->click();
    EXPECT_FALSE(labelsOnly());
    EXPECT_TRUE(asFullRender());

    const int before = w.host.canvasDraws;
    d.HeadlinesBox->click();
    EXPECT_FALSE(w.m.headlineson);
    EXPECT_EQ(w.host.canvasDraws, before);
}

TEST(ColourSchemes, EachRowRecoloursTheMapAndItsThumbnail)
{
    World w;
    quil2a::MainDlg& d = w.show(1500.0);
    for (int i = 1; i <= 256; ++i) {
        w.a.clrlist0[i] = 0xA00000 | i;
        w.a.clrlist1[i] = 0xB00000 | i;
        w.a.clrlist2[i] = 0xC00000 | i;
        w.a.EUmem[i] = std::make_unique<quil2a::EUmemtype>();
    }
    ASSERT_GE(w.m.NActivePts, 2);
    const int member = w.a.ActiveClr[1], other = w.a.ActiveClr[2];
    ASSERT_NE(member, other);
    w.a.EUmem[member]->status = true;

    // row: scheme, thumbnail, palette of the member's and the other's colour
    const struct {
        int scheme, picture;
        plat::Color member, other;
    } rows[] = {{0, quil2a::kVuReg1, 0xA00000, 0xA00000}, {2, quil2a::kVuReg2, 0xB00000, 0xB00000},
                {4, quil2a::kVuReg3, 0xC00000, 0xC00000}, {5, quil2a::kVuReg4, 0xA00000, 0xC00000}};
    for (int row = 0; row < 4; ++row) {
        const int refreshes = w.host.viewChanges;
        choose(d.SelectCS, row);
        EXPECT_EQ(static_cast<int>(w.a.colorscheme), rows[row].scheme);
        EXPECT_EQ(w.thumbnail(), rows[row].picture);
        EXPECT_GT(count(*w.m.p1, rows[row].member | member), 0) << row;
        EXPECT_GT(count(*w.m.p1, rows[row].other | other), 0) << row;
        EXPECT_EQ(w.a.watercolor, row == 0 ? w.a.watercolor0 : w.a.watercolor1);
        EXPECT_EQ(w.host.viewChanges, refreshes + 1);
    }
}

TEST(ColourSchemes, ASchemeSetByACommandLinkShowsInTheList)
{
    World w;
    quil2a::MainDlg& d = w.show(1500.0);
    // link, scheme, row, thumbnail
    const struct {
        const char* link;
        int scheme, row, picture;
    } links[] = {{"qlmx?cs=4", 4, 2, quil2a::kVuReg3}, {"qlmx?cs=1", 1, 1, quil2a::kVuReg2},
                 {"qlmx?cs=9", 9, 1, quil2a::kVuReg2}, {"qlmx?cs=5", 5, 3, quil2a::kVuReg4}};
    for (const auto& l : links) {
        quil2a::ProcessCMD(w.e, l.link);
        EXPECT_EQ(static_cast<int>(w.a.colorscheme), l.scheme) << l.link;
        EXPECT_EQ(d.SelectCS->currentIndex(), l.row) << l.link;
        EXPECT_EQ(w.thumbnail(), l.picture) << l.link;
    }
}
