// Zoom gauge and zoom step: the limits, the marker and the side of a click.
#include <gtest/gtest.h>

#include "interaction_support.h"

using apptest::Interaction;

TEST(InteractionZoom, StepsStopAtTheLimitsAndTheMarkerFollows)
{
    Interaction t;
    quil2a::MainWindow& w = t.win();
    auto gauge = [&](int x) { Interaction::click(w.ZoomCtl, QPoint(x, 12)); };
    w.ZoomCtl->Refresh(false);
    EXPECT_EQ(w.zoomx, 35);  // 0.8^13
    for (int i = 0; i < 7; ++i) gauge(60);
    EXPECT_NEAR(t.m().scale, Interaction::pow8(7), 1e-15);
    EXPECT_EQ(w.zoomx, 59);
    // A refresh leaves no old marker behind.
    EXPECT_EQ(w.ZoomCtl->shownPicture().image().pixel(35, 12) & 0xFFFFFFu, 0x101010u);
    for (int i = 0; i < 15; ++i) gauge(1);
    EXPECT_NEAR(t.m().scale, Interaction::pow8(21), 1e-15);
    EXPECT_EQ(w.zoomx, 3);
    EXPECT_EQ(w.focusControl(), w.MapCanvas);

    // Pressed on the minus, released on the marker's column: in. The release decides.
    t.press(w.ZoomCtl, QPoint(1, 12));
    t.release(w.ZoomCtl, QPoint(w.zoomx, 12));
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
    EXPECT_EQ(w.zoomx, 79);
    gauge(66);
    EXPECT_NEAR(t.m().scale, 0.512, 1e-15);
}
