// The roller: direction from the point pressed, throttle, shifted preview,
// the one render on release, drags repeated while the pointer rests.
#include <gtest/gtest.h>

#include "interaction_support.h"
#include "platform/clock.h"

using apptest::Interaction;

namespace {
struct Roller : Interaction {
    quil2a::Canvas* ctl() { return win().roller; }
    // The frame the roller shows, 0..8; -1 for none.
    int frame()
    {
        const QImage shown = ctl()->shownPicture().image().convertToFormat(QImage::Format_RGB32);
        for (int k = 0; k <= 8; ++k)
            if (app->pictures().btnf(k)->image().convertToFormat(QImage::Format_RGB32) == shown) return k;
        return -1;
    }
};
}  // namespace

TEST(InteractionRoller, TheDirectionFromTheMiddleChoosesFrameAndStep)
{
    Roller t;
    const double step = 5 / t.m().scale;
    struct Case {
        QPoint at;
        int frame, dx, dy;  // view travel in steps
    } const cases[] = {
        {{37, 27}, 1, 1, 0},  {{40, 40}, 2, 1, 1},   {{27, 37}, 3, 0, 1},  {{17, 37}, 4, -1, 1},
        {{17, 27}, 5, -1, 0}, {{15, 15}, 6, -1, -1}, {{27, 17}, 7, 0, -1}, {{37, 17}, 8, 1, -1},
        {{50, 27}, 1, 1, 0},  {{32, 31}, 0, 0, 0},   {{44, 44}, 0, 0, 0},
    };
    t.press(t.ctl(), QPoint(27, 27));
    for (const Case& c : cases) {
        const double x0 = t.m().x0, y0 = t.m().y0;
        t.now += 100000;
        t.drag(t.ctl(), c.at);
        EXPECT_EQ(t.frame(), c.frame) << c.at.x() << "," << c.at.y();
        EXPECT_DOUBLE_EQ(t.m().x0 - x0, c.dx * step);
        EXPECT_DOUBLE_EQ(t.m().y0 - y0, c.dy * step);
    }
    t.release(t.ctl(), QPoint(44, 44));
}

TEST(InteractionRoller, StepsAreThrottledPreviewedAndRenderedOnRelease)
{
    Roller t;
    t.m().scale = 0.1;
    const double x0 = t.m().x0;
    const int renders = t.dialog.renders;
    t.press(t.ctl(), QPoint(40, 27));
    for (double gap : {100000.0, 50000.0, 49999.0}) {  // the second and third come too soon
        t.now += gap;
        t.drag(t.ctl(), QPoint(40, 27));
    }
    EXPECT_DOUBLE_EQ(t.m().x0, x0 + 50);
    for (int i = 0; i < 9; ++i) {
        t.now += 100000;
        t.drag(t.ctl(), QPoint(40, 27));
    }
    EXPECT_DOUBLE_EQ(t.m().x0, x0 + 500);
    EXPECT_EQ(t.win().rollerdx, 50);
    EXPECT_EQ(t.dialog.renders, renders);
    EXPECT_EQ(t.mapPixel(100, 200), t.pPixel(170, 220));  // p shown 50 pixels to the left

    t.release(t.ctl(), QPoint(40, 27));
    EXPECT_EQ(t.win().rollerdx, 0);
    EXPECT_EQ(t.frame(), 0);
    EXPECT_EQ(t.dialog.renders, renders + 1);
    EXPECT_EQ(t.mapPixel(100, 200), t.pPixel(120, 220));
    EXPECT_EQ(t.win().focusControl(), t.map());
}

TEST(InteractionRoller, DragsRepeatWhileThePointerRests)
{
    Roller t;
    t.win().Microseconds = [] { return plat::Microseconds(); };
    const double y0 = t.m().y0, step = 5 / t.m().scale;
    t.press(t.ctl(), QPoint(27, 40));  // below the middle, and no move at all
    for (int i = 0; i < 250 && t.m().y0 < y0 + 2 * step; ++i) QTest::qWait(20);
    EXPECT_GE(t.m().y0, y0 + 2 * step);
    t.release(t.ctl(), QPoint(27, 40));
    const double stopped = t.m().y0;
    QTest::qWait(150);
    EXPECT_EQ(t.m().y0, stopped);
}
