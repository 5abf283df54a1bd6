// The zoom gauge, the window's key commands and the interface timer's tick.
#include <gtest/gtest.h>

#include "interaction_support.h"

using apptest::Interaction;
using quil2a::MapCursor;

TEST(InteractionKeys, DateStopZoomAndHelpKeys)
{
    Interaction t;
    quil2a::MainWindow& w = t.win();
    for (Qt::Key k : {Qt::Key_Plus, Qt::Key_Equal, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Underscore}) t.key(k);
    EXPECT_DOUBLE_EQ(t.m().maindate, 1805.1);
    EXPECT_FALSE(t.m().timeforward);
    // At the range ends the date stays and no change record is applied again.
    t.atlas().headline[1] = "Again";
    t.atlas().DChanges[20030 - 10000] = "hd1 ";
    t.engine().rebuildAt(2003.0);
    t.key(Qt::Key_Plus);
    EXPECT_EQ(t.m().maindate, 2003.0);
    EXPECT_TRUE(t.m().timeforward);
    EXPECT_EQ(t.m().currenthead, "");

    // Space, Return and Enter stop the animation where it stands.
    for (Qt::Key k : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        w.setDateFieldText("1900");
        Interaction::click(w.GoBtn, QPoint(5, 5));
        w.EvoTimer_Action();
        const int renders = t.dialog.renders;
        t.key(k);
        EXPECT_EQ(w.EvoTimer.Mode(), 0);
        EXPECT_EQ(t.s().targetdate, t.m().maindate);
        EXPECT_LT(t.m().maindate, 2003.0);
        EXPECT_EQ(t.dialog.renders, renders + 1);
    }

    t.key(Qt::Key_PageUp);
    EXPECT_NEAR(t.m().scale, Interaction::pow8(12), 1e-15);
    t.key(Qt::Key_PageDown);
    t.key(Qt::Key_PageDown);
    // Letters that share the zoom keys' bytes do not zoom.
    QTest::keyClicks(&w, QString::fromUtf8("\u00CB\u00CC"));
    EXPECT_NEAR(t.m().scale, Interaction::pow8(14), 1e-15);

    t.m().NarrWinOpen = false;
    t.narr->pages.clear();
    t.key(Qt::Key_F1);
    EXPECT_EQ(t.narr->pages, std::vector<plat::Bytes>{"help.htm#home"});
    EXPECT_TRUE(t.m().NarrWinOpen);

    // While the date field is edited the keys are its own; a click on the map gives them back.
    Interaction::click(w.NewEditDate, QPoint(10, 10));
    const double date = t.m().maindate;
    t.key(Qt::Key_PageUp);
    EXPECT_FALSE(w.KeyDown("+"));
    EXPECT_EQ(t.m().maindate, date);
    EXPECT_NEAR(t.m().scale, Interaction::pow8(14), 1e-15);
    t.clickMap(QPoint(5, 5));
    t.key(Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(t.m().maindate, date - 0.1);
}

TEST(InteractionKeys, TheTickFadesTheLabelAndSetsTheModifierCursor)
{
    Interaction t;
    quil2a::MainWindow& w = t.win();
    t.clickLabel(8500, 11000);
    for (int i = 0; i < 69; ++i) w.OtherTimer_Action();
    EXPECT_TRUE(t.labelShown());
    w.OtherTimer_Action();
    EXPECT_FALSE(t.labelShown());
    // A click on water while the label is held: gone within 10 ticks.
    t.clickLabel(8500, 11000);
    t.clickLabel(7500, 9500);  // the lake
    for (int i = 0; i < 10; ++i) w.OtherTimer_Action();
    EXPECT_FALSE(t.labelShown());

    auto cursorFor = [&](Qt::KeyboardModifiers mods) {
        t.held = mods;
        w.OtherTimer_Action();
        return w.mapCursor();
    };
    EXPECT_EQ(cursorFor(Qt::AltModifier), MapCursor::HandOpen);
    EXPECT_EQ(t.map()->cursor().shape(), Qt::OpenHandCursor);
    EXPECT_EQ(cursorFor({}), MapCursor::StandardPointer);
    EXPECT_EQ(cursorFor(Qt::ControlModifier), MapCursor::MagnifyLarger);
    const QImage larger = t.map()->cursor().pixmap().toImage();
    EXPECT_EQ(cursorFor(Qt::ControlModifier | Qt::ShiftModifier), MapCursor::MagnifySmaller);
    const QImage smaller = t.map()->cursor().pixmap().toImage();
    EXPECT_EQ(larger.pixel(6, 4), 0xFF000000u);  // the plus's upright
    EXPECT_EQ(smaller.pixel(6, 4), 0xFFFFFFFFu);

    // During a pan the closed hand stays unless Control is pressed.
    t.press(t.map(), QPoint(100, 100), Qt::AltModifier);
    EXPECT_EQ(cursorFor(Qt::AltModifier), MapCursor::HandClosed);
    EXPECT_EQ(cursorFor({}), MapCursor::HandClosed);
    EXPECT_EQ(cursorFor(Qt::ControlModifier), MapCursor::MagnifyLarger);
    t.release(t.map(), QPoint(100, 100));
    EXPECT_EQ(cursorFor({}), MapCursor::StandardPointer);
}

TEST(InteractionZoom, StepsStopAtTheLimitsAndTheMarkerFollows)
{
    Interaction t;
    quil2a::MainWindow& w = t.win();
    auto gauge = [&](int x) { Interaction::click(w.ZoomCtl, QPoint(x, 12)); };
    w.ZoomCtl->Refresh(false);
    EXPECT_EQ(w.ZoomCtl->zoomx, 35);  // 0.8^13
    for (int i = 0; i < 7; ++i) gauge(60);
    EXPECT_NEAR(t.m().scale, Interaction::pow8(7), 1e-15);
    EXPECT_EQ(w.ZoomCtl->zoomx, 59);
    // A refresh leaves no old marker behind.
    EXPECT_EQ(w.ZoomCtl->shownPicture().image().pixel(35, 12) & 0xFFFFFFu, 0x101010u);
    for (int i = 0; i < 15; ++i) gauge(1);
    EXPECT_NEAR(t.m().scale, Interaction::pow8(21), 1e-15);
    EXPECT_EQ(w.ZoomCtl->zoomx, 3);
    EXPECT_EQ(w.focusControl(), w.MapCanvas);

    // Pressed on the minus, released on the marker's column: in. The release decides.
    t.press(w.ZoomCtl, QPoint(1, 12));
    t.release(w.ZoomCtl, QPoint(w.ZoomCtl->zoomx, 12));
    EXPECT_NEAR(t.m().scale, Interaction::pow8(20), 1e-15);

    // setzoom renders the map also when a limit refuses the step.
    const int renders = t.dialog.renders;
    w.setzoom(1);
    w.setzoom(1);
    EXPECT_NEAR(t.m().scale, Interaction::pow8(21), 1e-15);
    EXPECT_EQ(t.dialog.renders, renders + 2);

    // A scale above the range only steps back; its marker lies beyond the gauge.
    t.m().scale = 0.64;
    w.setzoom(-1);
    EXPECT_EQ(t.m().scale, 0.64);
    EXPECT_EQ(w.ZoomCtl->zoomx, 79);
    gauge(66);
    EXPECT_NEAR(t.m().scale, 0.512, 1e-15);
}
