#include <gtest/gtest.h>

#include "engine/render_world.h"
#include "support/pictures.h"

using namespace rendertest;

namespace {

void place(World& w, int i, const char* name, double x, double y)
{
    auto pl = std::make_unique<quil2a::placetype>();
    pl->name = name, pl->xlab = x, pl->ylab = y, pl->fontsize = 1, pl->active = true;
    w.a.place[i] = std::move(pl);
    w.m.countrynameson = true;
}

// The columns and rows that hold text or marks: {left, top, right, bottom}.
std::array<int, 4> ink(plat::Picture& pic)
{
    std::array<int, 4> b{1 << 20, 1 << 20, -1, -1};
    for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x)
            if (const plat::Color c = px(pic, x, y); c != kGrey && c != kBlack)
                b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x), std::max(b[3], y)};
    return b;
}

}  // namespace

// "North]Alpha^Beta" is cut at "^" and broken at "]": the same picture as two
// one-line labels half a line above and below the point; "^Gamma^x" shows Gamma.
TEST(MapText, ALabelIsCutAtCaretAndBrokenAtBracket)
{
    plat::Picture probe(10, 10);
    probe.graphics().SetTextSize(18);
    const double h = probe.graphics().TextHeight();
    World w(200, 100), two(200, 100);
    place(w, 1, "North]Alpha^Beta", 100, 50);
    place(w, 2, "^Gamma^x", 40, 90);
    place(two, 1, "North", 100, 50 - h / 2);
    place(two, 2, "Alpha", 100, 50 + h / 2);
    place(two, 3, "Gamma", 40, 90);
    w.render();
    two.render();
    EXPECT_TRUE(testsupport::samePicture(testsupport::testName(), w.m.p->image(), two.m.p->image()));
    EXPECT_NE(w.m.p->image(), w.m.p1->image());
    EXPECT_TRUE(w.m.p->graphics().UseOldRenderer());
}

// Scale 0.25: city text of size 12 and a mark of arm 2 at pixel (100, 50).
TEST(MapText, ACityNameTakesTheRightUnlessItIsCrowdedOrOffThePicture)
{
    auto run = [](int width, bool blocked) {
        auto w = std::make_unique<World>(width, 100, 0.25);
        w->m.citieson = w->m.citynameson = true;
        w->m.borderext = false;
        auto c = std::make_unique<quil2a::citiestype>();
        c->name = "Villa", c->x = 400, c->y = 200, c->date1 = 10000, c->date2 = 20030;
        w->a.city[1] = std::move(c);
        // Two lines, as the samples fall on every second column.
        if (blocked) w->border(1, "460,0 460,188"), w->border(2, "464,0 464,188");
        w->render();
        return ink(*w->m.p);
    };
    const auto right = run(200, false);
    EXPECT_EQ(right[0], 98);   // the mark's left arm
    EXPECT_GT(right[2], 115);  // the name after it
    EXPECT_LT(right[3], 60);
    const auto below = run(200, true);
    EXPECT_GT(below[3], 60);
    EXPECT_LT(below[0], 95);
    // Near the right edge the samples off the picture count as border: the name goes left.
    const auto left = run(106, false);
    EXPECT_EQ(left[2], 102);  // the mark's right arm
    EXPECT_LT(left[0], 85);
    EXPECT_LT(left[3], 60);
}

TEST(MapText, TheMeasuresKeptAreBounded)
{
    World w(60, 40);
    place(w, 1, "", 30, 20);
    for (size_t i = 0; i < testsupport::InnerEngine::kMaxMeasured + 100; ++i) {
        w.a.place[1]->name = "Name " + std::to_string(i);
        w.e.displaymaptext(*w.m.p, true);
        ASSERT_LE(w.e.measuredTexts(), testsupport::InnerEngine::kMaxMeasured);
    }
}
