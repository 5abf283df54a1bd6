#include <gtest/gtest.h>

#include "engine/render_world.h"

using namespace rendertest;

namespace {

struct Box {
    int x1 = 1 << 30, y1 = 1 << 30, x2 = -1, y2 = -1;
    bool empty() const { return x2 < 0; }
};

// The box of every pixel that is not the map background.
Box ink(plat::Picture& pic)
{
    Box b;
    for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x)
            if (px(pic, x, y) != kGrey) {
                b.x1 = std::min(b.x1, x);
                b.y1 = std::min(b.y1, y);
                b.x2 = std::max(b.x2, x);
                b.y2 = std::max(b.y2, y);
            }
    return b;
}

void place(World& w, int i, const char* name, double x, double y, int fontsize = 1)
{
    auto pl = std::make_unique<quil2a::placetype>();
    pl->name = name;
    pl->xlab = x;
    pl->ylab = y;
    pl->fontsize = fontsize;
    pl->active = true;
    w.a.place[i] = std::move(pl);
}

void city(World& w, int i, const char* name, double x, double y, int d1 = 10000, int d2 = 20030)
{
    auto c = std::make_unique<quil2a::citiestype>();
    c->name = name;
    c->x = x;
    c->y = y;
    c->date1 = d1;
    c->date2 = d2;
    w.a.city[i] = std::move(c);
}

int lineHeight(int size)
{
    plat::Picture pic(10, 10);
    pic.graphics().SetTextFont("Times");
    pic.graphics().SetTextSize(size);
    return pic.graphics().TextHeight();
}

}  // namespace

TEST(MapText, AOneLineLabelStandsOnItsPointAndIsCentredOnIt)
{
    World w(200, 100);
    w.m.countrynameson = true;
    place(w, 1, "HIH", 100, 60);
    w.render();
    const Box b = ink(*w.m.p);
    ASSERT_FALSE(b.empty());
    EXPECT_NEAR(b.y2, 59, 1);  // capitals sit on the baseline
    EXPECT_NEAR((b.x1 + b.x2) / 2.0, 100, 1.5);
}

// "North]Alpha^Beta" is cut at "^" and broken at "]": the same picture as two
// one-line labels, North half a line above the point and Alpha half a line below.
TEST(MapText, ALabelIsCutAtCaretAndBrokenAtBracket)
{
    const double h = lineHeight(18);
    World w(200, 100);
    w.m.countrynameson = true;
    place(w, 1, "North]Alpha^Beta", 100, 50);
    place(w, 2, "^Gamma^Delta", 40, 90);
    w.render();

    World two(200, 100);
    two.m.countrynameson = true;
    place(two, 1, "North", 100, 50 - h / 2);
    place(two, 2, "Alpha", 100, 50 + h / 2);
    place(two, 3, "Gamma", 40, 90);
    two.render();
    EXPECT_EQ(firstDifference(*w.m.p, *two.m.p), "");

    // Three lines: the middle one on the point.
    World three(200, 100);
    three.m.countrynameson = true;
    place(three, 1, "A]North]B", 100, 50);
    three.render();
    World mid(200, 100);
    mid.m.countrynameson = true;
    place(mid, 1, "A", 100, 50 - h);
    place(mid, 2, "North", 100, 50);
    place(mid, 3, "B", 100, 50 + h);
    mid.render();
    EXPECT_EQ(firstDifference(*three.m.p, *mid.m.p), "");

    // Nothing visible from a lone caret or an empty name; the loop stops at the
    // first missing record.
    World none(200, 100);
    none.m.countrynameson = true;
    place(none, 1, "^", 100, 50);
    place(none, 2, "", 100, 50);
    place(none, 4, "Lost", 100, 50);
    none.render();
    EXPECT_TRUE(ink(*none.m.p).empty());
}

TEST(MapText, LabelSizesRunFromNineToThirtySix)
{
    auto drawn = [](double scale, int fontsize) {
        auto w = std::make_unique<World>(300, 120, scale);
        w->m.countrynameson = true;
        place(*w, 1, "Wide", 150 / scale, 80 / scale, fontsize);
        w->render();
        return w;
    };
    EXPECT_TRUE(ink(*drawn(8.0 / 18, 1)->m.p).empty());  // Round gives 8
    const Box nine = ink(*drawn(0.5, 1)->m.p);
    EXPECT_FALSE(nine.empty());
    EXPECT_LE(nine.y2 - nine.y1, 9);
    auto big = drawn(1, 3);  // 54, drawn at 36
    auto capped = drawn(1, 2);
    EXPECT_EQ(firstDifference(*big->m.p, *capped->m.p), "");
    auto inactive = drawn(1, 1);
    inactive->a.place[1]->active = false;
    inactive->render();
    EXPECT_TRUE(ink(*inactive->m.p).empty());
}

TEST(MapText, BothSwitchesOffLeaveThePictureAndItsSettingsAlone)
{
    World w(200, 100);
    place(w, 1, "Alpha", 100, 50);
    city(w, 1, "Town", 60, 60);
    w.m.citynameson = true;  // alone it draws nothing
    plat::Picture& p = *w.m.p;
    w.render();
    p.graphics().SetUseOldRenderer(false);
    p.graphics().SetForeColor(0x123456);
    w.e.displaymaptext(p, true);
    EXPECT_FALSE(p.graphics().UseOldRenderer());
    EXPECT_EQ(p.graphics().ForeColor(), 0x123456u);
    EXPECT_TRUE(ink(p).empty());

    w.m.countrynameson = true;
    w.e.displaymaptext(p, true);
    EXPECT_TRUE(p.graphics().UseOldRenderer());
    EXPECT_EQ(p.graphics().TextFont(), "Times");
    EXPECT_FALSE(ink(p).empty());
}

TEST(MapText, CitiesShowFromTheirFirstToTheirLastDateAndFromScale005)
{
    World w(100, 80, 0.05);
    w.m.citieson = true;
    w.m.maindate = 1815.3;
    city(w, 1, "Town", 1000, 800, 18153, 18153);  // pixel (50, 40)
    w.render();
    EXPECT_EQ(px(*w.m.p, 50, 40), kCityName);
    EXPECT_EQ(count(*w.m.p, kCityName), 1);  // arm 0 and text size 3: one pixel, no name

    w.m.maindate = 1815.4;
    w.render();
    EXPECT_EQ(count(*w.m.p, kCityName), 0);
    w.m.maindate = 1815.2;
    w.render();
    EXPECT_EQ(count(*w.m.p, kCityName), 0);

    w.m.maindate = 1815.3;
    w.m.scale = 0.0499;
    w.m.x0 = 1000 - 50 / 0.0499;
    w.m.y0 = 800 - 40 / 0.0499;
    w.render();
    EXPECT_EQ(count(*w.m.p, kCityName), 0);
}

TEST(MapText, ACityNameGoesRightOfItsMarkUnlessSomethingIsThere)
{
    // Scale 0.25: text size 12, arm 2. City at pixel (100, 50).
    auto world = [](int w) {
        auto x = std::make_unique<World>(w, 100, 0.25);
        x->m.citieson = x->m.citynameson = true;
        x->m.borderext = false;
        return x;
    };
    const int h = lineHeight(12);

    auto clear = world(200);
    city(*clear, 1, "Villa", 400, 200);
    clear->render();
    Box b = ink(*clear->m.p);
    EXPECT_EQ(b.x1, 98);                // the mark's left arm
    EXPECT_GE(b.x2, 100 + h / 3 + 10);  // the name runs on to the right
    EXPECT_LE(b.y2, 50 + h / 3 + h / 2);

    // Borders through the right-hand box (the samples fall on every second
    // column, so one line could slip between them): the name goes below.
    auto blocked = world(200);
    city(*blocked, 1, "Villa", 400, 200);
    blocked->border(1, "460,0 460,188");  // x = 115 and 116, down to y = 47
    blocked->border(2, "464,0 464,188");
    blocked->render();
    plat::Picture& p = *blocked->m.p;
    int below = 0, right = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const plat::Color c = px(p, x, y);
            if (c == kGrey || c == kBlack) continue;
            if (y > 53) ++below;
            if (x > 102 && y <= 52) ++right;
        }
    EXPECT_GT(below, 10);
    EXPECT_EQ(right, 0);

    // Near the right edge the name does not run off the picture: it goes left.
    auto edge = world(106);
    city(*edge, 1, "Villa", 400, 200);
    edge->render();
    b = ink(*edge->m.p);
    EXPECT_EQ(b.x2, 102);  // the mark's right arm
    EXPECT_LT(b.x1, 100 - h / 3 - 10);
}
