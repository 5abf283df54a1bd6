// Zoom gauge and zoom steps: limits, marker, press and release sides.
#include <gtest/gtest.h>

#include "interaction_support.h"

using apptest::Interaction;

namespace {
plat::Color gauge(Interaction& t, int x, int y) { return t.win().ZoomCtl->shownPicture().image().pixel(x, y) & 0xFFFFFFu; }
// A click on the gauge, pressed and released at x.
void gaugeClick(Interaction& t, int x) { Interaction::click(t.win().ZoomCtl, QPoint(x, 12)); }
}  // namespace

TEST(InteractionZoom, GaugeStepsStopAtTheLimitsAndTheMarkerFollows)
{
    Interaction t;
    quil2a::MainWindow& w = t.win();
    w.ZoomCtl->Refresh(false);
    EXPECT_DOUBLE_EQ(t.m().scale, t.pow8(13));
    EXPECT_EQ(w.zoomx, 35);
    EXPECT_EQ(gauge(t, 35, 12), 0xC0C0C0u);

    for (int i = 0; i < 7; ++i) gaugeClick(t, 60);  // right of the marker: in
    EXPECT_NEAR(t.m().scale, t.pow8(7), 1e-15);
    EXPECT_EQ(w.zoomx, 59);
    // The old marker is gone from the gauge.
    EXPECT_EQ(gauge(t, 35, 12), 0x101010u);
    EXPECT_EQ(gauge(t, 59, 12), 0xC0C0C0u);
    EXPECT_EQ(w.focusControl(), w.MapCanvas);

    for (int i = 0; i < 15; ++i) gaugeClick(t, 1);  // left: out
    EXPECT_NEAR(t.m().scale, t.pow8(21), 1e-15);
    EXPECT_EQ(w.zoomx, 3);

    // setzoom has the same limits and renders the map also when it refuses.
    const int renders = t.dialog.boxes;
    w.setzoom(1);
    EXPECT_NEAR(t.m().scale, t.pow8(21), 1e-15);
    EXPECT_EQ(t.dialog.boxes, renders + 1);
    for (int i = 0; i < 20; ++i) w.setzoom(-1);
    EXPECT_NEAR(t.m().scale, t.pow8(7), 1e-15);
    EXPECT_EQ(w.zoomx, 59);
    EXPECT_EQ(t.dialog.boxes, renders + 21);
}

TEST(InteractionZoom, TheReleaseDecidesTheSideAndTheMarkerColumnZoomsIn)
{
    Interaction t;
    quil2a::MainWindow& w = t.win();
    w.ZoomCtl->Refresh(false);
    // Pressed on the minus side, the minus lights up; released on the plus side, it zooms in.
    QTest::mousePress(w.ZoomCtl, Qt::LeftButton, Qt::NoModifier, QPoint(2, 12));
    EXPECT_EQ(gauge(t, 2, 13), 0xFDFDFDu);
    EXPECT_EQ(gauge(t, 65, 13), 0xC0C0C0u);
    QTest::mouseRelease(w.ZoomCtl, Qt::LeftButton, Qt::NoModifier, QPoint(50, 12));
    EXPECT_NEAR(t.m().scale, t.pow8(12), 1e-15);
    EXPECT_EQ(gauge(t, 2, 13), 0xC0C0C0u);

    // Exactly on the marker's left column: in.
    const double before = t.m().scale;
    gaugeClick(t, w.zoomx);
    EXPECT_NEAR(t.m().scale, before / 0.8, 1e-15);
    gaugeClick(t, w.zoomx - 1);
    EXPECT_NEAR(t.m().scale, before, 1e-15);
}

TEST(InteractionZoom, AScaleAboveTheRangeOnlyStepsBack)
{
    Interaction t;
    quil2a::MainWindow& w = t.win();
    t.m().scale = 0.64;  // a settings index of 2
    w.ZoomCtl->Refresh(false);
    EXPECT_EQ(w.zoomx, 79);  // beyond the gauge: every click is left of it
    w.setzoom(-1);
    EXPECT_DOUBLE_EQ(t.m().scale, 0.64);
    gaugeClick(t, 66);
    EXPECT_NEAR(t.m().scale, 0.512, 1e-15);
}
