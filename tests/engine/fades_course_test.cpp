#include <gtest/gtest.h>

#include "engine/render_world.h"

using namespace rendertest;

namespace {

// The countdown after each call of displayhead from a new headline until the
// strip is cleared, and the ramp element of the text each call left (0: none).
std::vector<std::pair<int, int>> headlineCourse(int speedi, int raiseAt = -1)
{
    World w(300, 100);
    for (int k = 1; k <= 10; ++k) w.a.headcolor[k] = plat::RGB(20 * k, 20 * k, 20 * k);
    w.m.ctlbackcolor = 0x000001;
    w.m.currenthead = "HEADLINE";
    w.m.speedi = speedi;
    w.m.headpic->graphics().SetUseOldRenderer(true);  // exact text colours
    std::vector<std::pair<int, int>> calls;
    do {
        if (w.m.hfadeout == raiseAt) w.m.speedi = 7;
        w.e.displayhead();
        int shade = 0;
        for (int k = 1; k <= 10; ++k)
            if (count(*w.m.headpic, w.a.headcolor[k]) > 0) shade = k;
        calls.emplace_back(w.m.hfadeout, shade);
    } while (w.m.hfadeout > 0 && calls.size() < 50);
    EXPECT_EQ(w.host.headDraws, int(calls.size()));
    return calls;
}

}  // namespace

TEST(Fades, TheHeadlineHoldsThenFadesThroughTheRampAtEitherSpeed)
{
    std::vector<std::pair<int, int>> slow{{20, 10}};
    for (int f = 19; f >= 10; --f) slow.push_back({f, 10});  // hold: the strip stays as drawn
    for (int f = 10; f >= 2; --f) slow.push_back({f - 1, f});
    slow.push_back({0, 0});
    EXPECT_EQ(headlineCourse(4), slow);
    EXPECT_EQ(headlineCourse(7), (std::vector<std::pair<int, int>>{{13, 10}, {12, 10}, {11, 10}, {10, 10}, {1, 10}, {0, 0}}));
    // Raised to speed 7 at countdown 6: that step is the last one drawn.
    const auto raised = headlineCourse(4, 6);
    EXPECT_EQ(std::vector(raised.end() - 3, raised.end()), (std::vector<std::pair<int, int>>{{6, 7}, {1, 6}, {0, 0}}));
}

// The label holds 50 ticks, then blends into the map in 20 steps and is hidden.
// Where it lies beyond the map picture it fades into the map's background.
TEST(Fades, TheIdentificationLabelBlendsIntoTheMapUnderIt)
{
    World w(300, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 300; ++x) w.m.p->surface().SetPixel(x, y, plat::RGB(x, y * 2, x + y));
    w.m.p->surface().SetPixel(100, 0, plat::RGB(10, 20, 30));
    w.m.IDpic->graphics().SetForeColor(plat::RGB(200, 100, 50));
    w.m.IDpic->graphics().FillRect(0, 0, 500, 20);
    w.host.idLeft = 100, w.host.idTop = 20, w.host.idWidth = 500;  // map rows -14..5
    w.m.IDfadeout = 70;
    for (int i = 0; i < 50; ++i) w.e.fadeID();
    EXPECT_EQ(w.host.idRefreshes, 0);
    w.e.fadeID();  // 0.05 of the map, 0.95 of the label, each channel cut
    EXPECT_EQ(px(*w.m.IDpic, 0, 14), plat::RGB(190, 96, 49));
    for (int i = 0; i < 19; ++i) w.e.fadeID();
    EXPECT_EQ(w.m.IDfadeout, 0);
    EXPECT_EQ(w.host.idWidth, 0);
    EXPECT_EQ(w.host.idRefreshes, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 500; ++x) {
            const bool onMap = y >= 14 && x < 200;
            ASSERT_EQ(px(*w.m.IDpic, x, y), onMap ? px(*w.m.p, 100 + x, y - 14) : kGrey) << x << "," << y;
        }
    w.e.fadeID();
    EXPECT_EQ(w.host.idRefreshes, 20);
}
