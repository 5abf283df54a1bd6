// The window's key commands and the interface timer's tick.
#include <gtest/gtest.h>

#include "interaction_support.h"

using apptest::Interaction;
using quil2a::MapCursor;

TEST(InteractionKeys, DateKeysStepATenthAndStopAtTheRangeEnds)
{
    Interaction t;
    quil2a::Atlas& a = t.atlas();
    t.key(Qt::Key_Plus);
    t.key(Qt::Key_Equal);
    EXPECT_DOUBLE_EQ(t.m().maindate, 1805.2);
    EXPECT_EQ(t.dateText(), "1805.2");
    EXPECT_TRUE(t.m().timeforward);
    t.key(Qt::Key_Minus);
    QTest::keyClick(&t.win(), '_');
    t.key(Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(t.m().maindate, 1804.9);
    EXPECT_FALSE(t.m().timeforward);

    // A change record at each end would be applied again by a step past it.
    a.headline[1] = "Again";
    a.DChanges[20030 - 10000] = "hd1 ";
    a.DChanges[10001 - 10000] = "hd1 ";
    t.m().maindate = 2003.0;
    t.engine().jumptodate();
    t.m().timeforward = false;
    for (int i = 0; i < 5; ++i) t.key(Qt::Key_Plus);
    EXPECT_EQ(t.m().maindate, 2003.0);
    EXPECT_TRUE(t.m().timeforward);
    EXPECT_EQ(t.dateText(), "2003.0");
    EXPECT_EQ(t.m().currenthead, "");
    t.m().maindate = 1000.0;
    t.engine().jumptodate();
    for (int i = 0; i < 5; ++i) t.key(Qt::Key_Minus);
    EXPECT_EQ(t.m().maindate, 1000.0);
    EXPECT_FALSE(t.m().timeforward);
    EXPECT_EQ(t.m().currenthead, "");
}

TEST(InteractionKeys, KeysBelongToTheDateFieldWhileItIsEdited)
{
    Interaction t;
    quil2a::MainWindow& w = t.win();
    Interaction::click(w.NewEditDate, QPoint(10, 10));
    ASSERT_TRUE(w.NewEditDate->editfocus);
    t.key(Qt::Key_PageUp);
    t.key(Qt::Key_Space);
    EXPECT_DOUBLE_EQ(t.m().maindate, 1805.0);
    EXPECT_NEAR(t.m().scale, t.pow8(13), 1e-15);
    EXPECT_FALSE(w.KeyDown("+"));
    EXPECT_DOUBLE_EQ(t.m().maindate, 1805.0);

    // A click on the map takes the focus: the keys act again.
    t.clickMap(QPoint(5, 5));
    EXPECT_FALSE(w.NewEditDate->editfocus);
    t.key(Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(t.m().maindate, 1805.1);
}

TEST(InteractionKeys, StopZoomAndHelpKeys)
{
    Interaction t;
    quil2a::MainWindow& w = t.win();

    // Space, Return and Enter stop a running animation where it stands.
    for (Qt::Key k : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        w.setDateFieldText("1900");
        Interaction::click(w.GoBtn, QPoint(5, 5));
        ASSERT_NE(w.EvoTimer.Mode(), 0);
        w.EvoTimer_Action();
        t.clickMap(t.canvasAt(8500, 11000));
        ASSERT_TRUE(t.labelShown());
        const int renders = t.dialog.boxes;
        t.key(k);
        EXPECT_EQ(w.EvoTimer.Mode(), 0) << k;
        EXPECT_EQ(t.s().targetdate, t.m().maindate);
        EXPECT_GT(t.m().maindate, 1805.0);
        EXPECT_EQ(t.dialog.boxes, renders + 1);
        EXPECT_FALSE(t.labelShown());
        // The transport shows the stopped state: every speed tick dark red.
        EXPECT_EQ(w.TimeCtl->shownPicture().image().pixel(56, 12) & 0xFFFFFFu, 0x402020u);
    }

    t.key(Qt::Key_PageUp);
    EXPECT_NEAR(t.m().scale, t.pow8(12), 1e-15);
    t.key(Qt::Key_PageDown);
    t.key(Qt::Key_PageDown);
    EXPECT_NEAR(t.m().scale, t.pow8(14), 1e-15);
    // Letters that share the zoom keys' bytes do not zoom.
    QTest::keyClicks(&w, QString::fromUtf8("\u00CB\u00CC"));
    EXPECT_NEAR(t.m().scale, t.pow8(14), 1e-15);
    EXPECT_FALSE(w.KeyDown(plat::ChrB(203)));
    EXPECT_NEAR(t.m().scale, t.pow8(13), 1e-15);

    t.narr->pages.clear();
    t.m().NarrWinOpen = false;
    t.key(Qt::Key_F1);
    ASSERT_EQ(t.narr->pages.size(), 1u);
    EXPECT_EQ(t.narr->pages[0], "help.htm#home");
    EXPECT_TRUE(t.m().NarrWinOpen);
}

TEST(InteractionKeys, TheTickFadesTheLabelAndTheHeadline)
{
    Interaction t;
    t.clickMap(t.canvasAt(8500, 11000));
    ASSERT_TRUE(t.labelShown());
    for (int i = 0; i < 69; ++i) t.tick();
    EXPECT_TRUE(t.labelShown());
    t.tick();
    EXPECT_FALSE(t.labelShown());
    EXPECT_EQ(t.m().IDfadeout, 0);

    // A click on water while it is held: gone within 10 ticks.
    t.clickMap(t.canvasAt(8500, 11000));
    t.clickMap(t.canvasAt(7500, 9500));
    for (int i = 0; i < 10; ++i) t.tick();
    EXPECT_FALSE(t.labelShown());

    // A headline is held, faded and cleared on the 20th tick at speed 4.
    t.m().currenthead = "News";
    t.m().hfadeout = 0;
    t.engine().displayhead();
    for (int i = 0; i < 19; ++i) t.tick();
    EXPECT_EQ(t.m().hfadeout, 1);
    t.tick();
    EXPECT_EQ(t.m().hfadeout, 0);
}

TEST(InteractionKeys, TheTickShowsTheCursorOfTheModifierKeys)
{
    Interaction t;
    quil2a::MainWindow& w = t.win();
    t.tick();
    EXPECT_EQ(w.mapCursor(), MapCursor::StandardPointer);
    EXPECT_FALSE(w.resetmouse);

    t.held = Qt::AltModifier;
    t.tick();
    EXPECT_EQ(w.mapCursor(), MapCursor::HandOpen);
    EXPECT_EQ(t.map()->cursor().shape(), Qt::OpenHandCursor);
    t.held = {};
    t.tick();
    EXPECT_EQ(t.map()->cursor().shape(), Qt::ArrowCursor);

    t.held = Qt::ControlModifier;
    t.tick();
    EXPECT_EQ(w.mapCursor(), MapCursor::MagnifyLarger);
    EXPECT_EQ(t.map()->cursor().shape(), Qt::BitmapCursor);
    const QImage larger = t.map()->cursor().pixmap().toImage();
    t.held = Qt::ControlModifier | Qt::ShiftModifier;
    t.tick();
    EXPECT_EQ(w.mapCursor(), MapCursor::MagnifySmaller);
    const QImage smaller = t.map()->cursor().pixmap().toImage();
    // The two magnifiers differ by the upright of the plus only.
    EXPECT_NE(larger, smaller);
    EXPECT_EQ(larger.pixel(6, 4), 0xFF000000u);
    EXPECT_EQ(smaller.pixel(6, 4), 0xFFFFFFFFu);
    EXPECT_EQ(larger.pixel(8, 6), smaller.pixel(8, 6));

    // During a pan the closed hand stays, unless Control is pressed.
    t.held = Qt::AltModifier;
    t.press(t.map(), QPoint(100, 100), Qt::AltModifier);
    t.tick();
    EXPECT_EQ(w.mapCursor(), MapCursor::HandClosed);
    t.held = {};
    t.tick();
    EXPECT_EQ(w.mapCursor(), MapCursor::HandClosed);
    t.held = Qt::ControlModifier;
    t.tick();
    EXPECT_EQ(w.mapCursor(), MapCursor::MagnifyLarger);
    t.release(t.map(), QPoint(100, 100));
    t.held = {};
    t.tick();
    EXPECT_EQ(w.mapCursor(), MapCursor::StandardPointer);
}
