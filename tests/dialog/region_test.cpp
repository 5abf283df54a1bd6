// The view region: the region list, the thumbnail drag and what the thumbnail draws.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <cmath>

#include "dialog_fixture.h"

using dlgtest::choose;
using dlgtest::World;

TEST(ViewRegion, RegionListFitsTheViewAndReturnsToItsHeading)
{
    World w;
    w.a.vregname[3] = "Short";
    w.a.vregxy[3] = "1000 2000 3000";
    quil2a::MainDlg& d = w.show(1500.0);
    ASSERT_EQ(d.SelectReg->count(), 4);

    w.m.scale = 0.25;
    choose(d.SelectReg, 1);  // "Whole island": 6000 8000 15000 16000
    EXPECT_DOUBLE_EQ(w.m.x0, 10500);
    EXPECT_DOUBLE_EQ(w.m.y0, 12000);
    EXPECT_NEAR(w.m.scale, std::pow(0.8, 13), 1e-12);  // 4000 map units above the middle fit below 240 pixels
    EXPECT_EQ(d.SelectReg->currentIndex(), 0);
    EXPECT_EQ(w.host.viewChanges, 1);
    EXPECT_EQ(w.host.boxUpdates, 2);
    EXPECT_EQ(d.vmx1, plat::Int(w.e.mapx(20)));

    w.m.x0 = 5;
    for (int row : {3, 0}) {
        choose(d.SelectReg, row);
        EXPECT_EQ(d.SelectReg->currentIndex(), 0);
    }
    EXPECT_EQ(w.m.x0, 5);
    EXPECT_EQ(w.host.viewChanges, 1);
    EXPECT_EQ(w.a.vregxy.outsideCount(), 0);
}

TEST(ViewRegion, ThumbnailDragFitsTheBoxAsDrawnInEitherDirection)
{
    World w;
    quil2a::MainDlg& d = w.show(1500.0);
    d.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));

    // Pixel i stands for map (i - 11) * 205: 40..80 is 5945..14145, 50..70 is 7995..12095.
    QTest::mousePress(d.VuReg, Qt::LeftButton, Qt::NoModifier, QPoint(40, 50));
    EXPECT_EQ(d.vdragx, 40);
    d.VuReg_MouseDrag(80, 70);
    // The band keeps the visible map's proportions: its height does not follow the mouse.
    const int bottom = plat::Int(50 + d.aspect * 40);
    EXPECT_EQ(d.VuReg->shownPicture().image().pixel(80, bottom) & 0xFFFFFF, plat::RGB(255, 240, 0));
    QTest::mouseRelease(d.VuReg, Qt::LeftButton, Qt::NoModifier, QPoint(190, 190));
    EXPECT_EQ(d.vdragx, -1);
    EXPECT_DOUBLE_EQ(w.m.x0, 10045);
    EXPECT_DOUBLE_EQ(w.m.y0, 10045);
    const double forward = w.m.scale;
    EXPECT_LT(forward, std::pow(0.8, 7));
    EXPECT_EQ(w.host.viewChanges, 1);

    // Dragged up and to the left: the same box, the same fit.
    for (auto [x, y] : {std::pair{80, 70}, std::pair{80, 50}, std::pair{40, 70}}) {
        w.m.scale = 0.25;
        d.VuReg_MouseDown(x, y);
        d.VuReg_MouseDrag(x == 80 ? 40 : 80, y == 70 ? 50 : 70);
        d.VuReg_MouseUp(0, 0);
        EXPECT_DOUBLE_EQ(w.m.x0, 10045) << x << "," << y;
        EXPECT_DOUBLE_EQ(w.m.scale, forward) << x << "," << y;
    }
}

TEST(ViewRegion, ThumbnailDrawsTheItemBoxUnderTheVisibleBox)
{
    World w;
    quil2a::MainDlg& d = w.show(1500.0);
    auto px = [&](int x, int y) { return d.VuReg->shownPicture().image().pixel(x, y) & 0xFFFFFF; };

    // The first event lies in Aland: 6000 8000 10500 13000.
    const int a = quil2a::vux(6000), b = quil2a::vuy(8000);
    EXPECT_EQ(px(a, b), plat::RGB(253, 253, 253));
    EXPECT_EQ(px(a + 1, b + 1), plat::RGB(192, 192, 192));
    const int c = quil2a::vux(d.vmx2), e = quil2a::vuy(d.vmy2);
    EXPECT_EQ(px(c, e), plat::RGB(255, 240, 0));
    EXPECT_EQ(px(c - 1, e - 1), plat::RGB(240, 192, 0));
    EXPECT_EQ(px(2, 2), dlgtest::thumbColor(quil2a::kVuReg1));
    EXPECT_NEAR(d.aspect, double(d.vmy2 - d.vmy1) / (d.vmx2 - d.vmx1), 1e-12);

    // A visible box without width keeps the last proportions.
    const double before = d.aspect;
    d.setVisibleMapBox(5000, 5000, 5000, 9000);
    EXPECT_EQ(d.aspect, before);
    d.VuReg_MouseDown(30, 30);
    d.VuReg_MouseDrag(50, 40);
    EXPECT_EQ(px(50, plat::Int(30 + before * 20)), plat::RGB(255, 240, 0));
    d.VuReg_MouseUp(0, 0);

    // No selected item: no item box.
    d.QListBox->clearSelection();
    EXPECT_EQ(px(a, b), dlgtest::thumbColor(quil2a::kVuReg1));
}
