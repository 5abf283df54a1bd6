#include <gtest/gtest.h>

#include <vector>

#include "engine/render_world.h"

using namespace rendertest;

namespace {

constexpr plat::Color kStrip = 0x101010;

struct Strip : World {
    Strip() : World(300, 100)
    {
        for (int k = 1; k <= 10; ++k) a.headcolor[k] = plat::RGB(20 + 20 * k, 20 + 20 * k, 20 + 20 * k);
        m.ctlbackcolor = kStrip;
        m.currenthead = "HEADLINE";
        // Exact text colours, so that the shade drawn can be read back.
        m.headpic->graphics().SetUseOldRenderer(true);
        m.headpic->graphics().SetForeColor(kStrip);
        m.headpic->graphics().FillRect(0, 0, 300, 100);
    }

    // The ramp element the strip shows (0: cleared; -1: something else).
    int shade()
    {
        bool onlyStrip = true;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 300; ++x) {
                const plat::Color c = px(*m.headpic, x, y);
                if (c == kStrip) continue;
                onlyStrip = false;
                for (int k = 1; k <= 10; ++k)
                    if (c == a.headcolor[k]) return k;
            }
        return onlyStrip ? 0 : -1;
    }

    // Calls displayhead until the countdown is 0 again; one line a call.
    std::vector<std::pair<int, int>> run(int changeSpeedAt = -1, int newSpeed = 0)
    {
        std::vector<std::pair<int, int>> calls;  // countdown after the call, shade shown
        do {
            if (m.hfadeout == changeSpeedAt) m.speedi = newSpeed;
            e.displayhead();
            calls.emplace_back(m.hfadeout, shade());
        } while (m.hfadeout > 0 && calls.size() < 100);
        return calls;
    }
};

}  // namespace

TEST(HeadlineStrip, TheSlowCourseHoldsTenCallsAndFadesThroughNineShades)
{
    Strip s;
    s.m.speedi = 4;
    const auto calls = s.run();
    std::vector<std::pair<int, int>> expected{{20, 10}};
    for (int f = 19; f >= 10; --f) expected.push_back({f, 10});  // hold: the strip is left as drawn
    for (int f = 10; f >= 2; --f) expected.push_back({f - 1, f});
    expected.push_back({0, 0});
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(s.host.headDraws, 21);
}

TEST(HeadlineStrip, TheFastCourseTakesSixCalls)
{
    Strip s;
    s.m.speedi = 7;
    const std::vector<std::pair<int, int>> expected{{13, 10}, {12, 10}, {11, 10}, {10, 10}, {1, 10}, {0, 0}};
    EXPECT_EQ(s.run(), expected);
    EXPECT_EQ(s.host.headDraws, 6);
}

TEST(HeadlineStrip, ASpeedChangeOrANewHeadlineTakesEffectAtTheNextCall)
{
    Strip s;
    s.m.speedi = 4;
    const auto calls = s.run(6, 8);  // speed 8 once the countdown reaches 6
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[calls.size() - 2], (std::pair<int, int>{1, 6}));
    EXPECT_EQ(calls.back(), (std::pair<int, int>{0, 0}));

    // A new headline in the middle of a fade starts over at full brightness.
    s.m.speedi = 4;
    s.run();
    s.m.hfadeout = 0;
    s.e.displayhead();
    for (int i = 0; i < 12; ++i) s.e.displayhead();
    ASSERT_EQ(s.m.hfadeout, 8);
    s.m.currenthead = "OTHER";
    s.m.hfadeout = 0;
    s.e.displayhead();
    EXPECT_EQ(s.m.hfadeout, 20);
    EXPECT_EQ(s.shade(), 10);
}

namespace {

struct Label : World {
    static constexpr plat::Color kLabel = 0xC86432;  // 200, 100, 50

    explicit Label(int w = 600) : World(w, 100)
    {
        // A map with a different colour in every column and row.
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < w; ++x) m.p->surface().SetPixel(x, y, plat::RGB(x % 256, y * 2, (x + y) % 256));
        m.IDpic->graphics().SetForeColor(kLabel);
        m.IDpic->graphics().FillRect(0, 0, 500, 20);
        host.idLeft = 30;
        host.idTop = 54;  // map rows 20..39
        host.idWidth = 500;
    }

    bool labelIsMapBelow()
    {
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 500; ++x)
                if (px(*m.IDpic, x, y) != px(*m.p, host.idLeft + x, host.idTop - 34 + y)) return false;
        return true;
    }
};

}  // namespace

TEST(IdentificationLabel, HoldsFiftyTicksThenBlendsIntoTheMapInTwenty)
{
    Label l;
    l.a.blankgrey = kGrey;
    l.m.IDfadeout = 70;
    for (int i = 0; i < 50; ++i) l.e.fadeID();
    EXPECT_EQ(l.m.IDfadeout, 20);
    EXPECT_EQ(l.host.idRefreshes, 0);
    EXPECT_EQ(count(*l.m.IDpic, Label::kLabel), 500 * 20);

    // First blend step: 0.05 of the map, 0.95 of the label, each channel cut to a whole number.
    l.m.p->surface().SetPixel(30, 20, plat::RGB(10, 20, 30));
    l.e.fadeID();
    EXPECT_EQ(px(*l.m.IDpic, 0, 0), plat::RGB(190, 96, 49));
    EXPECT_EQ(l.host.idRefreshes, 1);
    EXPECT_EQ(l.host.idWidth, 500);

    for (int i = 0; i < 18; ++i) l.e.fadeID();
    EXPECT_EQ(l.m.IDfadeout, 1);
    EXPECT_FALSE(l.labelIsMapBelow());
    l.e.fadeID();
    EXPECT_EQ(l.m.IDfadeout, 0);
    EXPECT_TRUE(l.labelIsMapBelow());
    EXPECT_EQ(l.host.idWidth, 0);
    EXPECT_EQ(l.host.idRefreshes, 20);
    l.e.fadeID();
    EXPECT_EQ(l.host.idRefreshes, 20);
}

TEST(IdentificationLabel, AClickOnTheLabelBlendsItAwayInSevenSteps)
{
    Label l;
    l.m.IDfadeout = 7;
    l.e.fadeID();
    // a = 14/20: the first step already takes most of the map colour.
    const plat::Color m0 = px(*l.m.p, 30, 20);
    EXPECT_EQ(px(*l.m.IDpic, 0, 0), plat::RGB(plat::Int(0.7 * plat::Red(m0) + 0.3 * 200),
                                              plat::Int(0.7 * plat::Green(m0) + 0.3 * 100),
                                              plat::Int(0.7 * plat::Blue(m0) + 0.3 * 50)));
    for (int i = 0; i < 6; ++i) l.e.fadeID();
    EXPECT_TRUE(l.labelIsMapBelow());
    EXPECT_EQ(l.host.idWidth, 0);
}

// The label is 500 pixels wide whatever its text: beyond the map picture it
// fades into the map's background colour and reads nothing outside.
TEST(IdentificationLabel, BeyondTheMapPictureTheLabelFadesIntoTheBackground)
{
    Label l(300);
    l.a.blankgrey = kGrey;
    l.host.idLeft = 100;
    l.host.idTop = 20;  // map rows -14..5
    l.m.IDfadeout = 1;
    l.e.fadeID();
    EXPECT_EQ(px(*l.m.IDpic, 0, 13), kGrey);
    EXPECT_EQ(px(*l.m.IDpic, 0, 14), px(*l.m.p, 100, 0));
    EXPECT_EQ(px(*l.m.IDpic, 199, 19), px(*l.m.p, 299, 5));
    EXPECT_EQ(px(*l.m.IDpic, 200, 19), kGrey);
    EXPECT_EQ(px(*l.m.IDpic, 499, 19), kGrey);
}

TEST(IdentificationLabel, AFullRenderEndsTheFade)
{
    Label l;
    l.m.IDfadeout = 40;
    l.render();
    EXPECT_EQ(l.m.IDfadeout, 0);
    EXPECT_EQ(l.host.idWidth, 0);
    l.e.fadeID();
    EXPECT_EQ(l.host.idRefreshes, 0);
    EXPECT_EQ(count(*l.m.IDpic, Label::kLabel), 500 * 20);
}
