// The drawn-control base as each window uses it.
#include <gtest/gtest.h>

#include <QTest>

#include "dialog/drawn.h"

namespace {
plat::Color px(quil2a::Canvas& c, int x, int y) { return c.shownPicture().image().pixel(x, y) & 0xFFFFFFu; }
}  // namespace

TEST(DrawnControl, WithoutBackdropEveryPaintStartsWhiteWhereTheWindowsControlKeepsItsPixels)
{
    QWidget parent;
    quil2a::DrawnControl dialogs(&parent);
    quil2a::Canvas windows(&parent);
    int x = 1;
    for (quil2a::Canvas* c : {static_cast<quil2a::Canvas*>(&dialogs), &windows}) {
        c->resize(6, 4);
        c->onPaint = [&x](plat::Graphics& g) {
            g.SetForeColor(0x102030);
            g.DrawLine(x, 1, x, 1);
        };
        x = 1;
        c->Refresh(true);
        x = 3;
        c->Refresh(false);
    }
    EXPECT_EQ(px(dialogs, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(px(windows, 1, 1), 0x102030u);
    EXPECT_EQ(px(dialogs, 3, 1), 0x102030u);
}

TEST(DrawnControl, APressRefusedGetsNoDragNorRelease)
{
    QWidget parent;
    quil2a::DrawnControl c(&parent);
    c.resize(10, 10);
    bool take = false;
    int drags = 0, ups = 0;
    c.onMouseDown = [&take](int, int) { return take; };
    c.onMouseDrag = [&drags](int, int) { ++drags; };
    c.onMouseUp = [&ups](int, int) { ++ups; };
    auto pressDragRelease = [&c] {
        QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(&c, QPoint(5, 5));
        QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(5, 5));
    };
    pressDragRelease();
    EXPECT_EQ(drags + ups, 0);
    take = true;
    pressDragRelease();
    EXPECT_EQ(ups, 1);
}
