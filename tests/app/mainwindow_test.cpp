// The main window: geometry from the screen, locks, open state, margins,
// the identification label and the engine's way into the window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app_harness.h"

using apptest::Harness;

namespace {
QRect at(QWidget* w) { return w->geometry(); }
}  // namespace

TEST(MainWindow, GeometryAndOpenStateOnA1280By800Screen)
{
    Harness h;
    h.open();
    quil2a::MainWindow& w = h.win();
    const int W = 768, H = 640;
    EXPECT_EQ(w.Width(), W);
    EXPECT_EQ(w.Height(), H);
    EXPECT_EQ(at(w.MapCanvas), QRect(20, 54, 727, 555));
    EXPECT_EQ(h.m().xc, 363.5);
    EXPECT_EQ(h.m().yc, 277.5);
    EXPECT_EQ(at(w.CtlCanvas), QRect(0, 0, W - 2, 54));
    EXPECT_EQ(at(w.roller), QRect(W - 54, 0, 54, 54));
    EXPECT_EQ(at(w.ZoomCtl), QRect(W - 165, 14, 68, 25));
    EXPECT_EQ(at(w.HelpB), QRect(W - 210, 19, 16, 13));
    EXPECT_EQ(at(w.NarrB), QRect(W - 193, 14, 16, 12));
    EXPECT_EQ(at(w.DlgB), QRect(W - 193, 26, 16, 12));
    EXPECT_EQ(at(w.topedge), QRect(0, 0, W, 3));
    EXPECT_EQ(at(w.lowedge), QRect(0, H - 3, W, 3));
    EXPECT_EQ(at(w.leftedge), QRect(0, 3, 3, H - 6));
    EXPECT_EQ(at(w.rightedge), QRect(W - 2, 3, 3, H - 6));
    EXPECT_EQ(w.EditingMenu->y(), H - 24);
    EXPECT_EQ(w.CiaMapBox->y(), H - 23);
    EXPECT_EQ(w.DevButton->y(), H - 22);
    EXPECT_EQ(w.DevLabel->y(), H - 22);
    // Unlocked controls keep their design places.
    EXPECT_EQ(at(w.TimeCtl), QRect(120, 14, 101, 25));
    EXPECT_EQ(at(w.GoBtn), QRect(88, 26, 20, 12));

    // The layer pictures are as large as the screen.
    EXPECT_EQ(h.m().mapscreenwid, 1280);
    EXPECT_EQ(h.m().mapscreenht, 800);
    EXPECT_EQ(h.m().headpic->Width(), 1280);

    // The narrative window beside it.
    ASSERT_NE(h.narr, nullptr);
    EXPECT_TRUE(h.m().NarrWinOpen);
    EXPECT_EQ(h.narr->width, 448);
    EXPECT_EQ(h.narr->height, 544);
    EXPECT_EQ(h.narr->top, w.Top() + 32);
    EXPECT_EQ(h.narr->left, w.Left() + W + 10);

    // Open leaves the animation stopped, the focus on the map, no label, and the headline ramp filled.
    EXPECT_EQ(w.EvoTimer.Mode(), 0);
    const auto& ramp = h.app->atlas().headcolor;
    EXPECT_EQ(ramp[0], 0u);
    EXPECT_EQ(ramp[1], plat::RGB(40, 40, 40));
    EXPECT_EQ(ramp[10], plat::RGB(253, 253, 253));
    EXPECT_EQ(w.focusControl(), w.MapCanvas);
    EXPECT_FALSE(w.IDcanvas->isVisibleTo(&w.surface()));
}

TEST(MainWindow, ResizingFollowsTheLocksAndRedrawsOnlyAfterOpen)
{
    Harness h;
    h.app->Open();
    quil2a::MainWindow& w = h.win();
    w.Resized();  // before Open has finished: nothing
    EXPECT_EQ(h.m().xc, 0.0);
    w.Open();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.resize(w.width() + 100, w.height() - 200);
    QTest::qWait(20);
    const int W = w.surface().width(), H = w.surface().height();
    ASSERT_EQ(W, w.Width());
    ASSERT_EQ(H, w.Height());
    EXPECT_EQ(W, 868);
    EXPECT_EQ(at(w.MapCanvas), QRect(20, 54, W - 41, H - 85));
    EXPECT_EQ(h.m().xc, (W - 41) / 2.0);
    EXPECT_EQ(h.m().yc, (H - 85) / 2.0);
    EXPECT_EQ(at(w.roller), QRect(W - 54, 0, 54, 54));
    EXPECT_EQ(at(w.ZoomCtl), QRect(W - 165, 14, 68, 25));
    EXPECT_EQ(h.m().mapscreenwid, 1280);  // the layers are kept
    w.hide();
}

TEST(MainWindow, MarginsHeadlineStripAndMapCanvas)
{
    Harness h;
    h.open();
    quil2a::MainWindow& w = h.win();
    w.Refresh(false);
    quil2a::Canvas& surface = w.surface();
    const int H = w.Height();
    EXPECT_EQ(apptest::shownPixel(&surface, 5, 300), 0x101010u);      // left margin
    EXPECT_EQ(apptest::shownPixel(&surface, 760, 300), 0x101010u);    // right margin
    EXPECT_EQ(apptest::shownPixel(&surface, 400, H - 10), 0x101010u); // bottom band

    // The headline strip lands at (0, height - 30).
    plat::Picture strip(1280, 100);
    strip.graphics().SetForeColor(0x123456);
    strip.graphics().FillRect(0, 0, 1280, 100);
    w.drawHeadStrip(strip);
    EXPECT_EQ(apptest::shownPixel(&surface, 300, H - 30), 0x123456u);
    EXPECT_EQ(apptest::shownPixel(&surface, 300, H - 31), 0x101010u);

    // The map canvas shows p from its picture point (20, 20), also when the
    // window first comes on screen after Open filled the canvas with water.
    h.m().p->surface().SetPixel(20, 20, 0xABCDEF);
    h.m().p->surface().SetPixel(21, 20, 0xFEDCBA);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(apptest::shownPixel(w.MapCanvas, 1, 0), 0xFEDCBAu);
    w.hide();
    w.MapCanvas->Refresh(false);
    EXPECT_EQ(apptest::shownPixel(w.MapCanvas, 0, 0), 0xABCDEFu);
}

TEST(MainWindow, StripClicksAndTheIdentificationLabel)
{
    Harness h;
    h.open();
    quil2a::MainWindow& w = h.win();
    EXPECT_FALSE(w.CtlCanvas_MouseDown(300, 5));
    QTest::mousePress(w.CtlCanvas, Qt::LeftButton, Qt::NoModifier, QPoint(300, 5));
    EXPECT_FALSE(w.CtlCanvas->tracking());
    QTest::mouseRelease(w.CtlCanvas, Qt::LeftButton, Qt::NoModifier, QPoint(300, 5));

    h.m().IDfadeout = 60;
    w.setIdLabelWidth(120);
    EXPECT_TRUE(w.IDcanvas->isVisibleTo(&w.surface()));
    Harness::click(w.IDcanvas, QPoint(10, 5));
    EXPECT_EQ(h.m().IDfadeout, 7);
    w.setIdLabelWidth(0);
    EXPECT_FALSE(w.IDcanvas->isVisibleTo(&w.surface()));
}
