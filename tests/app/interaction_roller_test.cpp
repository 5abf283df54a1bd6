// The roller: direction from the point pressed, dead zone and rim, throttle,
// shifted preview and the one render on release.
#include <gtest/gtest.h>

#include "interaction_support.h"

using apptest::Interaction;

namespace {
struct Roller : Interaction {
    quil2a::Canvas* ctl() { return win().roller; }
    // The frame the roller shows, 0..8, or -1 for none of them.
    int frame()
    {
        const QImage shown = ctl()->shownPicture().image().convertToFormat(QImage::Format_RGB32);
        for (int k = 0; k <= 8; ++k) {
            const plat::Picture* f = app->pictures().btnf(k);
            if (f && f->image().convertToFormat(QImage::Format_RGB32) == shown) return k;
        }
        return -1;
    }
    // One drag event 100 ms after the last.
    void dragTo(QPoint at)
    {
        now += 100000;
        drag(ctl(), at);
    }
};
}  // namespace

TEST(InteractionRoller, TheDirectionFromTheMiddleChoosesFrameAndStep)
{
    Roller t;
    ASSERT_EQ(t.frame(), 0);
    const double step = 5 / t.m().scale;
    struct Case {
        QPoint at;
        int frame;
        double dx, dy;  // view travel in steps
    };
    const Case cases[] = {
        {{37, 27}, 1, 1, 0},   {{40, 40}, 2, 1, 1},  {{27, 37}, 3, 0, 1},   {{17, 37}, 4, -1, 1},
        {{17, 27}, 5, -1, 0},  {{15, 15}, 6, -1, -1}, {{27, 17}, 7, 0, -1}, {{37, 17}, 8, 1, -1},
        {{50, 27}, 1, 1, 0},   {{27, 27}, 0, 0, 0},  {{32, 31}, 0, 0, 0},   {{51, 27}, 0, 0, 0},
        {{44, 44}, 0, 0, 0},
    };
    t.press(t.ctl(), QPoint(27, 27));
    EXPECT_EQ(t.win().focusControl(), t.ctl());
    for (const Case& c : cases) {
        const double x0 = t.m().x0, y0 = t.m().y0;
        t.dragTo(c.at);
        EXPECT_EQ(t.frame(), c.frame) << c.at.x() << "," << c.at.y();
        EXPECT_DOUBLE_EQ(t.m().x0 - x0, c.dx * step) << c.at.x() << "," << c.at.y();
        EXPECT_DOUBLE_EQ(t.m().y0 - y0, c.dy * step) << c.at.x() << "," << c.at.y();
    }
    t.release(t.ctl(), QPoint(44, 44));
}

TEST(InteractionRoller, StepsAreThrottledThePreviewShiftsAndTheReleaseRenders)
{
    Roller t;
    quil2a::MainWindow& w = t.win();
    t.m().scale = 0.1;
    t.engine().displaymap(*t.m().p, true);
    const double x0 = t.m().x0;
    const int renders = t.dialog.boxes;

    t.press(t.ctl(), QPoint(40, 27));
    t.dragTo(QPoint(40, 27));
    t.now += 50000;
    t.drag(t.ctl(), QPoint(40, 27));  // 50 ms later: ignored
    EXPECT_DOUBLE_EQ(t.m().x0, x0 + 50);
    t.now += 49999;
    t.drag(t.ctl(), QPoint(40, 27));
    EXPECT_DOUBLE_EQ(t.m().x0, x0 + 50);
    for (int i = 0; i < 9; ++i) t.dragTo(QPoint(40, 27));
    EXPECT_DOUBLE_EQ(t.m().x0, x0 + 500);
    EXPECT_EQ(w.rollerdx, 50);
    EXPECT_EQ(w.rollerdy, 0);
    EXPECT_EQ(t.dialog.boxes, renders);  // nothing rendered while dragging

    // The canvas shows p moved 50 pixels left; the right edge of p is blank.
    EXPECT_EQ(t.mapPixel(100, 200), t.pPixel(170, 220));
    EXPECT_EQ(t.pPixel(t.m().p->Width() - 1, 300), t.atlas().blankgrey);

    t.release(t.ctl(), QPoint(40, 27));
    EXPECT_EQ(w.rollerdx, 0);
    EXPECT_EQ(t.frame(), 0);
    EXPECT_EQ(t.dialog.boxes, renders + 1);
    EXPECT_EQ(w.focusControl(), t.map());
    EXPECT_EQ(t.mapPixel(100, 200), t.pPixel(120, 220));

    // A press and release with no step still renders once.
    t.press(t.ctl(), QPoint(27, 27));
    t.release(t.ctl(), QPoint(27, 27));
    EXPECT_EQ(t.dialog.boxes, renders + 2);
    EXPECT_DOUBLE_EQ(t.m().x0, x0 + 500);
}

TEST(InteractionRoller, DragsRepeatWhileThePointerRests)
{
    Roller t;
    t.win().Microseconds = [] { return plat::Microseconds(); };
    const double x0 = t.m().x0, step = 5 / t.m().scale;
    t.press(t.ctl(), QPoint(27, 40));  // below the middle, then no move at all
    const double y0 = t.m().y0;
    for (int i = 0; i < 250 && t.m().y0 < y0 + 2 * step; ++i) QTest::qWait(20);
    EXPECT_GE(t.m().y0, y0 + 2 * step);
    EXPECT_EQ(t.m().x0, x0);
    EXPECT_EQ(t.frame(), 3);
    t.release(t.ctl(), QPoint(27, 40));
    const double stopped = t.m().y0;
    QTest::qWait(150);
    EXPECT_EQ(t.m().y0, stopped);
}
