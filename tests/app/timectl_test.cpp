// The time transport: its zones by state, the speed ticks, and the animation
// tick stopping exactly at its target.
#include <gtest/gtest.h>

#include <QTimer>

#include "app_harness.h"

using apptest::Harness;

namespace {
constexpr plat::Color kLight = 0xC0C0C0, kDark = 0x402020;

struct Transport : Harness {
    Transport() { open(); }
    bool running() { return win().EvoTimer.Mode() != 0; }
    void clickAt(int x) { Harness::click(win().TimeCtl, QPoint(x, 12)); }
};
}  // namespace

TEST(TimeCtl, EveryClickWhileStoppedStartsExceptPause)
{
    struct Case {
        int x;
        bool running, forward;
        double target;
        int speed;
    };
    const Case cases[] = {
        {0, true, false, 1000.0, 8}, {6, true, false, 1000.0, 8}, {7, true, false, 1000.0, 3},
        {45, true, false, 1000.0, 3}, {46, false, false, 0.0, 4}, {54, false, false, 0.0, 4},
        {55, true, true, 2003.0, 3}, {94, true, true, 2003.0, 3}, {95, true, true, 2003.0, 8},
    };
    for (const Case& c : cases) {
        Transport t;
        t.clickAt(c.x);
        EXPECT_EQ(t.running(), c.running) << c.x;
        EXPECT_EQ(t.m().timeforward, c.forward) << c.x;
        EXPECT_EQ(t.s().targetdate, c.target) << c.x;
        EXPECT_EQ(t.m().speedi, c.speed) << c.x;
        if (c.running) {
            EXPECT_EQ(t.win().EvoTimer.Period(), c.speed == 8 ? 1 : 400) << c.x;
        }
        EXPECT_EQ(t.win().focusControl(), t.win().MapCanvas) << c.x;
    }
}

TEST(TimeCtl, SpeedTicksAndSpeedChangesWhileRunning)
{
    Transport t;
    quil2a::Canvas* ctl = t.win().TimeCtl;
    // At open: sixteen dark ticks, the band at tick 4 of the backward row.
    for (int x : {15, 31, 43, 56, 84}) EXPECT_EQ(apptest::shownPixel(ctl, x, 12), kDark) << x;
    EXPECT_EQ(t.s().speedbandx, 31);

    t.clickAt(70);  // forward at speed 3
    t.clickAt(90);  // a click on the running direction's symbol: faster
    t.clickAt(90);
    ASSERT_EQ(t.m().speedi, 5);
    EXPECT_EQ(t.win().EvoTimer.Period(), 60);
    for (int x : {56, 60, 64, 68, 72}) EXPECT_EQ(apptest::shownPixel(ctl, x + 1, 14), kLight) << x;
    for (int x : {76, 80, 84, 15, 43}) EXPECT_EQ(apptest::shownPixel(ctl, x, 10), kDark) << x;
    EXPECT_EQ(t.s().speedbandx, 72);
    t.clickAt(72);
    EXPECT_EQ(t.m().speedi, 4);
    t.clickAt(73);
    t.clickAt(73);
    EXPECT_EQ(t.m().speedi, 6);
    EXPECT_TRUE(t.m().timeforward);
    EXPECT_EQ(t.s().targetdate, 2003.0);

    // Reversing on the other play symbol, then the back symbol is a speed change.
    t.clickAt(10);
    EXPECT_FALSE(t.m().timeforward);
    EXPECT_EQ(t.m().speedi, 3);
    EXPECT_EQ(t.s().targetdate, 1000.0);
    t.clickAt(10);
    EXPECT_EQ(t.m().speedi, 4);

    // Faster than 8 stays 8, slower than 1 stays 1.
    t.clickAt(2);
    t.clickAt(8);
    EXPECT_EQ(t.m().speedi, 8);
    EXPECT_EQ(t.s().timesteps, 10);
    for (int i = 0; i < 9; ++i) t.clickAt(40);
    EXPECT_EQ(t.m().speedi, 1);
    EXPECT_EQ(t.win().EvoTimer.Period(), 3000);

    // Pause: stopped, and the ticks go dark on the backward side.
    t.clickAt(50);
    EXPECT_FALSE(t.running());
    EXPECT_FALSE(t.m().timeforward);
    for (int x : {15, 43, 56, 84}) EXPECT_EQ(apptest::shownPixel(ctl, x, 12), kDark) << x;
}

TEST(TimeCtl, ToEndStopsExactlyAtTheEndOfTheRange)
{
    Transport t;
    t.app->engine().rebuildAt(1999.5);
    t.clickAt(100);
    std::vector<double> dates;
    for (int i = 0; i < 4; ++i) {
        t.win().EvoTimer_Action();
        dates.push_back(t.m().maindate);
    }
    EXPECT_EQ(dates, (std::vector<double>{2000.5, 2001.5, 2002.5, 2003.0}));
    EXPECT_FALSE(t.running());
    EXPECT_EQ(t.dateText(), "2003.0");
    EXPECT_EQ(apptest::shownPixel(t.win().TimeCtl, 84, 12), kDark);

    // To start at the start of the range: the first tick stops without a step.
    t.app->engine().rebuildAt(1000.0);
    t.clickAt(3);
    EXPECT_TRUE(t.running());
    t.win().EvoTimer_Action();
    EXPECT_FALSE(t.running());
    EXPECT_EQ(t.m().maindate, 1000.0);
}

TEST(TimeCtl, BackAfterGoAndPauseResumesTowardsTheTypedDate)
{
    Transport t;
    t.win().setDateFieldText("1500");
    Harness::click(t.win().GoBtn, QPoint(5, 5));
    t.win().EvoTimer_Action();
    t.clickAt(50);
    EXPECT_EQ(t.s().targetdate, 1500.0);
    t.clickAt(30);
    EXPECT_EQ(t.s().targetdate, 1500.0);
    EXPECT_EQ(t.m().speedi, 3);
    t.clickAt(50);
    t.clickAt(70);
    EXPECT_EQ(t.s().targetdate, 2003.0);
}

// A tick runs all its steps before any other event: a click queued meanwhile
// cannot turn the animation round or move it past its target.
TEST(TimeCtl, ATickDoesNotYieldToOtherEvents)
{
    Transport t;
    t.win().setDateFieldText("1900");
    Harness::click(t.win().GoBtn, QPoint(5, 5));
    std::vector<double> seen;
    QTimer::singleShot(0, [&] { seen.push_back(t.m().maindate); });
    t.win().EvoTimer_Action();
    EXPECT_TRUE(seen.empty());
    EXPECT_DOUBLE_EQ(t.m().maindate, 1807.5);
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, std::vector<double>{1807.5});
}

// A message box shown by a step runs its own event loop; a tick of the
// animation timer delivered inside it must not run.
TEST(TimeCtl, AMessageDuringATickCannotReenterTheTick)
{
    Transport t;
    t.app->installMessageBoxes();
    int ticksInsideBox = 0;
    t.app->runModal = [&](const QString&) {
        const double before = t.m().maindate;
        QEventLoop loop;
        QTimer::singleShot(30, &loop, &QEventLoop::quit);
        loop.exec();
        t.win().EvoTimer_Action();
        if (t.m().maindate != before) ++ticksInsideBox;
    };
    // A narrative anchor on the way whose page reports an error.
    quil2a::Atlas& a = t.app->atlas();
    a.DChanges[18060 - 10000] = "ha999 ";
    a.anchorinfo[++a.maxanchorinfo] = "18060,999";
    ASSERT_NE(t.narr, nullptr);
    t.narr->onUpdate = [] { plat::MsgBox("Error 1"); };

    t.narr->pages.clear();
    t.win().setDateFieldText("1810");
    Harness::click(t.win().GoBtn, QPoint(5, 5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !t.running(); }, 5000));
    EXPECT_EQ(t.m().maindate, 1810.0);
    EXPECT_EQ(ticksInsideBox, 0);
    EXPECT_EQ(t.narr->pages, std::vector<plat::Bytes>{"t999.htm#18060"});

    // Any other message shown while the animation runs holds it as well.
    t.win().setDateFieldText("1900");
    Harness::click(t.win().GoBtn, QPoint(5, 5));
    t.app->showMessage("Error 1");
    EXPECT_EQ(ticksInsideBox, 0);
    plat::setMsgBoxHandler(nullptr);
}

TEST(TimeCtl, TheNarrativeShowsThePassageInForceWhicheverWayTheMapAnimates)
{
    Transport t;  // at 1805.0; the test atlas's passages begin at 1000.0, 1500.0 and 1800.0
    const auto passage = [](double date) {
        return plat::Bytes(date >= 1800 ? "t151.htm#18000" : date >= 1500 ? "t150.htm#15000" : "t150.htm#10000");
    };
    std::vector<std::pair<double, plat::Bytes>> shown;
    t.narr->onUpdate = [&] { shown.emplace_back(t.m().maindate, t.narr->pages.back()); };
    for (int x : {3, 100}) {  // to the start, then to the end
        shown.clear();
        t.clickAt(x);
        t.ticksUntilStopped();
        ASSERT_EQ(shown.size(), 2u) << x;  // one for each start of a passage passed
        for (const auto& [date, page] : shown) EXPECT_EQ(page, passage(date)) << date;
        EXPECT_EQ(t.narr->pages.back(), passage(t.m().maindate));
    }
}
