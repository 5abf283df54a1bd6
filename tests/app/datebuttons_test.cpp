// Date step, swap, jump and go.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScreen>

#include "app_harness.h"

using apptest::Harness;

namespace {

struct Buttons : Harness {
    Buttons() { open(); }
    void jumpTo(double d) { app->engine().rebuildAt(d); }
    void step(bool up) { click(win().IncDecCtl, QPoint(5, up ? 3 : 12)); }
    void go(const char* typed)
    {
        win().setDateFieldText(typed);
        click(win().GoBtn, QPoint(5, 5));
    }
    void jump(const char* typed)
    {
        win().setDateFieldText(typed);
        click(win().JmpBtn, QPoint(5, 5));
    }
};
}  // namespace

TEST(DateButtons, StepMovesATenthAndChangesNothingAtTheRangeEnds)
{
    Buttons b;
    b.step(true);
    EXPECT_DOUBLE_EQ(b.m().maindate, 1805.1);
    EXPECT_EQ(b.dateText(), "1805.1");
    b.step(false);
    b.step(false);
    EXPECT_DOUBLE_EQ(b.m().maindate, 1804.9);
    EXPECT_EQ(b.win().focusControl(), b.win().MapCanvas);

    // A headline record at each end would show if a step there applied one again.
    quil2a::Atlas& a = b.app->atlas();
    a.headline[1] = "Again";
    a.DChanges[20030 - 10000] = "hd1 ";
    a.DChanges[10001 - 10000] = "hd1 ";
    b.jumpTo(2003.0);
    b.m().currenthead.clear();
    for (int i = 0; i < 3; ++i) b.step(true);
    EXPECT_EQ(b.m().maindate, 2003.0);
    EXPECT_TRUE(b.m().timeforward);
    EXPECT_EQ(b.dateText(), "2003.0");
    EXPECT_EQ(b.m().currenthead, "");

    b.jumpTo(1000.0);
    for (int i = 0; i < 3; ++i) b.step(false);
    EXPECT_EQ(b.m().maindate, 1000.0);
    EXPECT_FALSE(b.m().timeforward);
    EXPECT_EQ(b.m().currenthead, "");

    // Released outside: nothing; on the right or bottom edge: still a step.
    quil2a::Canvas* ctl = b.win().IncDecCtl;
    Harness::clickAndRelease(ctl, QPoint(5, 3), QPoint(12, 3));
    Harness::clickAndRelease(ctl, QPoint(5, 3), QPoint(5, -1));
    EXPECT_EQ(b.m().maindate, 1000.0);
    Harness::clickAndRelease(ctl, QPoint(5, 3), QPoint(11, 3));
    EXPECT_DOUBLE_EQ(b.m().maindate, 1000.1);
    Harness::clickAndRelease(ctl, QPoint(5, 3), QPoint(5, 17));  // bottom edge: the lower half
    EXPECT_EQ(b.m().maindate, 1000.0);
}

TEST(DateButtons, SwapExchangesWithTheRememberedDateInsideItsEdges)
{
    Buttons b;
    quil2a::Canvas* ctl = b.win().SwapCtl;
    // Pressed, the arrow towards the remembered date lights up: later, so the lower one.
    QTest::mousePress(ctl, Qt::LeftButton, Qt::NoModifier, QPoint(10, 6));
    EXPECT_EQ(apptest::shownPixel(ctl, 20, 7), 0xFDFDFDu);
    EXPECT_EQ(apptest::shownPixel(ctl, 20, 4), 0xC0C0C0u);
    for (QPoint edge : {QPoint(0, 6), QPoint(28, 6), QPoint(10, 0), QPoint(10, 14)}) {
        QTest::mouseRelease(ctl, Qt::LeftButton, Qt::NoModifier, edge);
        EXPECT_EQ(b.m().maindate, 1805.0);
        QTest::mousePress(ctl, Qt::LeftButton, Qt::NoModifier, QPoint(10, 6));
    }
    QTest::mouseRelease(ctl, Qt::LeftButton, Qt::NoModifier, QPoint(10, 6));
    EXPECT_EQ(apptest::shownPixel(ctl, 20, 7), 0xC0C0C0u);
    EXPECT_EQ(b.m().maindate, 2000.0);
    EXPECT_EQ(b.s().swapdate, 1805.0);
    EXPECT_EQ(b.dateText(), "2000.0");
    QTest::mousePress(ctl, Qt::LeftButton, Qt::NoModifier, QPoint(10, 6));
    EXPECT_EQ(apptest::shownPixel(ctl, 20, 4), 0xFDFDFDu);  // earlier: the upper arrow
    QTest::mouseRelease(ctl, Qt::LeftButton, Qt::NoModifier, QPoint(10, 6));
    EXPECT_EQ(b.m().maindate, 1805.0);
    EXPECT_EQ(b.s().swapdate, 2000.0);
}

TEST(DateButtons, GoAnimatesToTheTypedDateOnTheTenthGrid)
{
    Buttons b;
    b.jumpTo(1800.0);
    b.go("1805.27");
    EXPECT_EQ(b.s().targetdate, 1805.3);
    EXPECT_TRUE(b.m().timeforward);
    EXPECT_EQ(b.m().speedi, 8);
    EXPECT_EQ(b.s().timesteps, 25);
    EXPECT_EQ(b.win().EvoTimer.Mode(), 2);
    EXPECT_EQ(b.win().EvoTimer.Period(), 1);
    std::vector<double> dates;
    while (b.win().EvoTimer.Mode() != 0 && dates.size() < 10) {
        b.win().EvoTimer_Action();
        dates.push_back(b.m().maindate);
    }
    EXPECT_EQ(dates, (std::vector<double>{1802.5, 1805.0, 1805.3}));

    b.go("3000");
    EXPECT_EQ(b.s().targetdate, 2003.0);
    b.ticksUntilStopped();
    EXPECT_EQ(b.m().maindate, 2003.0);
    b.go("3000");  // already there: the first tick stops without a step
    EXPECT_EQ(b.ticksUntilStopped(), 1);
    EXPECT_EQ(b.m().maindate, 2003.0);
    b.go("500");
    EXPECT_EQ(b.s().targetdate, 1000.0);
    EXPECT_FALSE(b.m().timeforward);
    EXPECT_TRUE(b.messages.messages().empty());
}

TEST(DateButtons, GoWithTheRealTimerStopsExactlyAtTheTypedDate)
{
    Buttons b;
    b.win().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b.win()));
    b.go("1863.7");
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.win().EvoTimer.Mode() == 0; }, 10000));
    EXPECT_EQ(b.m().maindate, 1863.7);
    EXPECT_EQ(b.dateText(), "1863.7");
    QTest::qWait(20);
    EXPECT_EQ(b.m().maindate, 1863.7);
    b.win().hide();
}

TEST(DateButtons, JumpAndGoToTheDateShownOnlyTellTheUser)
{
    Buttons b;
    b.jump("1805.04");
    EXPECT_EQ(b.messages.messages(), std::vector<plat::Bytes>{"The map already shows this date."});
    EXPECT_EQ(b.m().maindate, 1805.0);
    b.go("1805.1");  // a tenth away: one step
    EXPECT_EQ(b.ticksUntilStopped(), 1);
    EXPECT_DOUBLE_EQ(b.m().maindate, 1805.1);

    b.jump("1453");
    EXPECT_EQ(b.m().maindate, 1453.0);
    EXPECT_EQ(b.dateText(), "1453.0");
    EXPECT_EQ(b.win().focusControl(), b.win().MapCanvas);

    // The date shown, typed while an animation runs: the message, and the
    // animation ends at the tenth nearest the typed date.
    b.messages.clear();
    b.go("1500");
    b.win().EvoTimer_Action();
    b.go("1455.46");
    EXPECT_EQ(b.messages.messages().size(), 1u);
    EXPECT_DOUBLE_EQ(b.s().targetdate, 1455.5);
    b.ticksUntilStopped();
    EXPECT_DOUBLE_EQ(b.m().maindate, 1455.5);
}

// The map canvas shows the map picture itself, painting again only what each
// step changed: after steps, on the window, it is the picture from (20, 20).
TEST(DateButtons, TheWindowShowsTheMapAfterEachStep)
{
    Buttons b;
    b.win().show();
    QCoreApplication::processEvents();
    quil2a::Canvas* c = b.win().MapCanvas;
    const auto onScreen = [&] {
        const QPoint at = c->mapTo(c->window(), QPoint(0, 0));
        return c->screen()->grabWindow(c->window()->winId(), at.x(), at.y(), c->width(), c->height()).toImage();
    };
    // Pixels that differ between the window and the map from (20, 20).
    const auto differ = [&] {
        const QImage shown = onScreen();
        const QImage& p = b.m().p->image();
        int n = 0;
        for (int y = 0; y < c->height(); ++y)
            for (int x = 0; x < c->width(); ++x) n += ((shown.pixel(x, y) ^ p.pixel(x + 20, y + 20)) & 0xFFFFFF) != 0;
        return n;
    };
    b.jump("1699.7");
    QCoreApplication::processEvents();
    EXPECT_EQ(differ(), 0);
    // Animated across 1700, where a border goes and a territory changes colour.
    b.go("1700.3");
    for (int i = 0; i < 10 && b.win().EvoTimer.Mode() != 0; ++i) {
        b.win().EvoTimer_Action();
        QCoreApplication::processEvents();
        ASSERT_EQ(differ(), 0) << b.m().maindate;
    }
    EXPECT_EQ(b.m().maindate, 1700.3);
    // Drawn on by hand, the canvas keeps its own copy and shows that.
    c->graphics().SetForeColor(0x123456);
    c->graphics().FillRect(0, 0, 4, 4);
    QCoreApplication::processEvents();
    EXPECT_EQ(onScreen().pixel(1, 1) & 0xFFFFFFu, 0x123456u);
    EXPECT_EQ(differ(), 16);
    b.jump("1900");
    QCoreApplication::processEvents();
    EXPECT_EQ(differ(), 0);
}
