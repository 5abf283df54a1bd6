// The options dialog in the program: made by the main window's first render,
// discarded on close and made afresh, switching the real window to full screen.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

#include "app/app_harness.h"
#include "dialog/maindlg.h"
#include "dialog_fixture.h"

TEST(MainDlgInTheProgram, MadeByTheFirstRenderAndAfreshAfterAClose)
{
    apptest::Harness h;
    h.open();
    quil2a::MainDlg* d = h.app->existingDlg();
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(h.win().optionsDialog(), d);
    EXPECT_NE(d->VuReg->backdrop(), nullptr);  // the stored colour thumbnail

    dlgtest::choose(d->Qtype, 0);
    d->SortArrow_MouseUp(0, 0);
    d->Show();
    // In the middle of the main screen, clear of the main window's strip.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((d->frameGeometry().center() - screen.center()).manhattanLength(), 4);  // within the frame's width
    const std::array<int, 4> box{d->vmx1, d->vmy1, d->vmx2, d->vmy2};
    d->Close();
    EXPECT_EQ(h.app->existingDlg(), nullptr);
    EXPECT_EQ(h.win().optionsDialog(), nullptr);

    // Opened again with the view as it was: its thumbnail frames the view at once.
    h.app->WindowOptions_Action();
    d = h.app->existingDlg();
    ASSERT_TRUE(d);
    EXPECT_EQ((std::array<int, 4>{d->vmx1, d->vmy1, d->vmx2, d->vmy2}), box);
    d->Close();

    h.app->engine().jumpTo(h.app->state().maindate);
    d = h.app->existingDlg();
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->Qtype->currentIndex(), 2);
    EXPECT_EQ(d->ListIndex(), 0);
    EXPECT_FALSE(d->sortup);

    // Full screen and back: the menu bar goes and returns, the narrative and
    // the dialog stay hidden.
    h.win().show();
    h.m().NarrWinOpen = true;
    d->Show();
    d->FullScreenBox->click();
    EXPECT_TRUE(h.s().FullScreen);
    EXPECT_TRUE(h.win().isFullScreen());
    EXPECT_FALSE(h.win().menuBar()->isVisible());
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(h.m().NarrWinOpen);
    d->FullScreenBox->click();
    EXPECT_FALSE(h.s().FullScreen);
    EXPECT_FALSE(h.win().isFullScreen());
    EXPECT_TRUE(h.win().menuBar()->isVisible());
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(h.m().NarrWinOpen);
}
