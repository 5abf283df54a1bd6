// The strip's window buttons, the full-screen edge strips and the hidden
// mouse-mode row.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QMenuBar>

#include "app_harness.h"
#include "dialog/maindlg.h"

using apptest::Harness;

TEST(WindowButtons, IconsPressedLookAndAReleaseAnywhereActs)
{
    Harness h;
    h.open();
    quil2a::MainWindow& w = h.win();
    auto pixel = [](quil2a::Canvas* c, QPoint at) { return apptest::shownPixel(c, at.x(), at.y()); };
    // A point of each icon and one beside it: the dialog's divider, the page's
    // short middle line, the question mark's dot and the gap above it.
    for (auto [button, on, off] : {std::tuple{w.DlgB, QPoint(6, 7), QPoint(13, 5)}, {w.NarrB, QPoint(8, 5), QPoint(9, 5)},
                                   {w.HelpB, QPoint(6, 8), QPoint(6, 7)}}) {
        const std::string name = button->objectName().toStdString();
        button->Refresh(true);
        EXPECT_EQ(pixel(button, on), h.s().ctlgrey1) << name;
        EXPECT_EQ(pixel(button, off), h.m().ctlbackcolor) << name;
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(4, 4));
        EXPECT_EQ(pixel(button, on), h.s().ctlgrey2) << name;
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 90));  // outside the button
        EXPECT_EQ(pixel(button, on), h.s().ctlgrey1) << name;
    }
    ASSERT_NE(h.app->existingDlg(), nullptr);
    EXPECT_TRUE(h.app->existingDlg()->isVisible());
    // Opening showed the narrative for the date; the narrative button again, then the help page.
    ASSERT_EQ(h.narr->pages.size(), 3u);
    EXPECT_EQ(h.narr->pages[1], h.narr->pages[0]);
    EXPECT_EQ(h.narr->pages[2], "help.htm#home");
}

TEST(EdgeStrips, AClickInFullScreenLeavesItAndUnticksTheBox)
{
    Harness h;
    h.open();
    quil2a::MainWindow& w = h.win();
    w.show();
    quil2a::MainDlg& d = *h.app->Dlg();
    for (quil2a::Canvas* edge : {w.topedge, w.leftedge, w.rightedge, w.lowedge}) {
        Harness::click(edge, QPoint(1, 1));  // the normal window: nothing
        EXPECT_FALSE(h.s().FullScreen);
        d.Show();
        d.FullScreenBox->click();
        ASSERT_TRUE(w.isFullScreen());
        Harness::click(edge, QPoint(1, 1));
        EXPECT_FALSE(h.s().FullScreen) << edge->objectName().toStdString();
        EXPECT_FALSE(w.isFullScreen());
        EXPECT_TRUE(w.menuBar()->isVisible());
        EXPECT_FALSE(d.FullScreenBox->isChecked());
        EXPECT_FALSE(d.isVisible());
    }
}

TEST(EditingModes, OnlyTheNormalModeTakesClicks)
{
    Harness h;
    h.open();
    quil2a::MainWindow& w = h.win();
    const double x0 = h.m().x0, scale = h.m().scale;
    const QPoint west(int(h.app->engine().screenx(8500)) - 20, int(h.app->engine().screeny(11000)) - 20);
    w.EditingMenu->setCurrentIndex(2);
    for (Qt::KeyboardModifiers mods : {Qt::NoModifier, Qt::ControlModifier, Qt::AltModifier})
        QTest::mouseClick(w.MapCanvas, Qt::LeftButton, mods, west);
    EXPECT_TRUE(w.IDlabelText.empty());
    EXPECT_EQ(h.m().x0, x0);
    EXPECT_EQ(h.m().scale, scale);
    w.EditingMenu->setCurrentIndex(0);
    QTest::mouseClick(w.MapCanvas, Qt::LeftButton, {}, west);
    EXPECT_FALSE(w.IDlabelText.empty());
}
