// The strip's three window buttons: each draws its icon in single lines and
// pixels, shows a bright pressed look while held, and acts on release
// (wherever the release happens).
#include <utility>

#include "app/application.h"
#include "app/mainwindow.h"
#include "dialog/maindlg.h"

namespace quil2a {

namespace {
// The icons' parts, in control coordinates.
void drawDlgIcon(plat::Graphics& g)
{
    g.DrawRect(0, 1, 13, 9);
    g.DrawLine(0, 0, 1, 0);
    g.DrawLine(6, 1, 6, 9);
    g.DrawLine(0, 5, 12, 5);
}

void drawNarrIcon(plat::Graphics& g)
{
    g.DrawRect(0, 1, 13, 9);
    g.DrawLine(0, 0, 1, 0);
    g.DrawLine(2, 3, 9, 3);
    g.DrawLine(2, 5, 8, 5);
    g.DrawLine(2, 7, 9, 7);
}

void drawHelpFrame(plat::Graphics& g)
{
    g.DrawRect(0, 1, 13, 10);
    g.DrawLine(0, 0, 1, 0);
}

// The question mark's six single pixels.
void drawHelpMark(plat::Graphics& g)
{
    for (auto [x, y] : {std::pair{5, 4}, {6, 3}, {7, 4}, {7, 5}, {6, 6}, {6, 8}}) g.DrawLine(x, y, x, y);
}
}  // namespace

void MainWindow::wireWindowButtons()
{
    DlgB->onPaint = [this](plat::Graphics& g) { DlgB_Paint(g); };
    DlgB->onMouseDown = [this](int x, int y) { return DlgB_MouseDown(x, y); };
    DlgB->onMouseUp = [this](int x, int y) { DlgB_MouseUp(x, y); };
    NarrB->onPaint = [this](plat::Graphics& g) { NarrB_Paint(g); };
    NarrB->onMouseDown = [this](int x, int y) { return NarrB_MouseDown(x, y); };
    NarrB->onMouseUp = [this](int x, int y) { NarrB_MouseUp(x, y); };
    HelpB->onPaint = [this](plat::Graphics& g) { HelpB_Paint(g); };
    HelpB->onMouseDown = [this](int x, int y) { return HelpB_MouseDown(x, y); };
    HelpB->onMouseUp = [this](int x, int y) { HelpB_MouseUp(x, y); };
}

void MainWindow::DlgB_Paint(plat::Graphics& g)
{
    g.SetForeColor(app_.state().ctlbackcolor);
    g.FillRect(0, 0, Width(), Height());
    g.SetForeColor(app_.shell().ctlgrey1);
    drawDlgIcon(g);
}

bool MainWindow::DlgB_MouseDown(int, int)
{
    plat::Graphics& g = DlgB->graphics();
    g.SetForeColor(app_.shell().ctlgrey2);
    drawDlgIcon(g);
    return true;
}

void MainWindow::DlgB_MouseUp(int, int)
{
    DlgB->Refresh(false);
    if (MainDlg* d = app_.Dlg()) {
        d->Show();
        d->SetFocus();
    }
    setFocusControl(MapCanvas);
}

void MainWindow::NarrB_Paint(plat::Graphics& g)
{
    g.SetForeColor(app_.state().ctlbackcolor);
    g.FillRect(0, 0, Width(), Height());
    g.SetForeColor(app_.shell().ctlgrey1);
    drawNarrIcon(g);
}

bool MainWindow::NarrB_MouseDown(int, int)
{
    plat::Graphics& g = NarrB->graphics();
    g.SetForeColor(app_.shell().ctlgrey2);
    drawNarrIcon(g);
    return true;
}

void MainWindow::NarrB_MouseUp(int, int)
{
    if (NarrativeWindow* w = app_.NarrWin()) {
        w->Show();
        w->SetFocus();
        app_.state().NarrWinOpen = true;
        narrWinJump();
    }
    NarrB->Refresh(false);
    setFocusControl(MapCanvas);
}

void MainWindow::HelpB_Paint(plat::Graphics& g)
{
    g.SetForeColor(app_.state().ctlbackcolor);
    g.FillRect(0, 0, Width(), Height());
    g.SetForeColor(app_.shell().ctlgrey1);
    drawHelpFrame(g);
    drawHelpMark(g);
}

bool MainWindow::HelpB_MouseDown(int, int)
{
    plat::Graphics& g = HelpB->graphics();
    g.SetForeColor(app_.state().ctlbackcolor);
    g.FillRect(0, 0, Width(), Height());
    g.SetForeColor(app_.shell().ctlgrey2);
    drawHelpFrame(g);
    drawHelpMark(g);
    return true;
}

void MainWindow::HelpB_MouseUp(int, int)
{
    // The help page is shown, but the narrative window is not given the focus.
    showHelp();
    HelpB->Refresh(false);
    setFocusControl(MapCanvas);
}

}  // namespace quil2a
