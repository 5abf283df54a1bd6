// The date step, swap, jump and go controls beside the date field.
#include <cmath>

#include "app/application.h"
#include "app/editdate.h"
#include "app/mainwindow.h"
#include "platform/msgbox.h"

namespace quil2a {

// Date step: plus in the upper half, minus in the lower.

void MainWindow::IncDecCtl_Paint(plat::Graphics& g)
{
    g.SetForeColor(app_.state().ctlbackcolor);
    g.FillRect(0, 0, IncDecCtl->width(), IncDecCtl->height());
    g.SetForeColor(app_.shell().ctlgrey1);
    g.DrawLine(4, 0, 4, 4);
    g.DrawLine(2, 2, 6, 2);
    g.DrawLine(2, 12, 6, 12);
}

bool MainWindow::IncDecCtl_MouseDown(int, int y)
{
    const ShellState& s = app_.shell();
    setFocusControl(IncDecCtl);
    plat::Graphics& g = IncDecCtl->graphics();
    const bool upper = y < IncDecCtl->height() / 2;
    g.SetForeColor(upper ? s.ctlgrey2 : s.ctlgrey1);
    g.DrawLine(4, 0, 4, 4);
    g.DrawLine(2, 2, 6, 2);
    g.SetForeColor(upper ? s.ctlgrey1 : s.ctlgrey2);
    g.DrawLine(2, 12, 6, 12);
    return true;
}

void MainWindow::IncDecCtl_MouseUp(int x, int y)
{
    MapState& m = app_.state();
    const int W = IncDecCtl->width(), H = IncDecCtl->height();
    if (x >= 0 && x <= W && y >= 0 && y <= H) {
        const int dir = y < H / 2 ? 1 : -1;
        m.timeforward = dir > 0;
        // At a range end the date stays and no change record is applied again.
        if (stepDate(dir)) app_.engine().gotodate();
        else app_.engine().showdate();
    }
    IncDecCtl->Refresh(false);
    setFocusControl(MapCanvas);
}

// Swap with the remembered date.

namespace {
void drawSwapArrows(plat::Graphics& g, plat::Color upper, plat::Color lower)
{
    g.SetForeColor(upper);
    g.DrawLine(8, 1, 3, 4);
    g.DrawLine(3, 4, 23, 4);
    g.SetForeColor(lower);
    g.DrawLine(3, 7, 23, 7);
    g.DrawLine(23, 7, 18, 10);
}
}  // namespace

void MainWindow::SwapCtl_Paint(plat::Graphics& g)
{
    const ShellState& s = app_.shell();
    drawSwapArrows(g, s.ctlgrey1, s.ctlgrey1);
}

bool MainWindow::SwapCtl_MouseDown(int, int)
{
    const ShellState& s = app_.shell();
    setFocusControl(SwapCtl);
    const bool later = app_.state().maindate < s.swapdate;
    drawSwapArrows(SwapCtl->graphics(), later ? s.ctlgrey1 : s.ctlgrey2, later ? s.ctlgrey2 : s.ctlgrey1);
    return true;
}

void MainWindow::SwapCtl_MouseUp(int x, int y)
{
    MapState& m = app_.state();
    ShellState& s = app_.shell();
    SwapCtl->Refresh(false);
    if (x > 0 && x < SwapCtl->width() && y > 0 && y < SwapCtl->height()) {
        std::swap(m.maindate, s.swapdate);
        app_.engine().jumpdate();
    }
    setFocusControl(MapCanvas);
}

// Jump and go to the typed date.

namespace {
void drawArrow(plat::Graphics& g, bool fullShaft)
{
    g.DrawLine(2, 6, 15, 6);
    g.DrawLine(2, 8, 15, 8);
    g.DrawLine(2, 6, 2, 8);
    if (fullShaft) g.DrawLine(2, 7, 16, 7);
    else g.DrawLine(14, 7, 16, 7);
    g.DrawLine(13, 4, 16, 7);
    g.DrawLine(13, 10, 16, 7);
}
}  // namespace

void MainWindow::JmpBtn_Paint(plat::Graphics& g)
{
    g.SetForeColor(app_.state().ctlbackcolor);
    g.FillRect(0, 0, Width(), Height());
    g.SetForeColor(app_.shell().ctlgrey1);
    drawArrow(g, false);
}

bool MainWindow::JmpBtn_MouseDown(int, int)
{
    setFocusControl(JmpBtn);
    plat::Graphics& g = JmpBtn->graphics();
    g.SetForeColor(app_.shell().ctlgrey2);
    drawArrow(g, false);
    return true;
}

void MainWindow::GoBtn_Paint(plat::Graphics& g)
{
    g.SetForeColor(app_.state().ctlbackcolor);
    g.FillRect(0, 0, Width(), Height());
    g.SetForeColor(app_.shell().ctlgrey1);
    drawArrow(g, true);
}

bool MainWindow::GoBtn_MouseDown(int, int)
{
    setFocusControl(GoBtn);
    plat::Graphics& g = GoBtn->graphics();
    g.SetForeColor(app_.shell().ctlgrey2);
    drawArrow(g, true);
    return true;
}

namespace {
// The typed date limited to the range and put on the tenth grid.
double typedTarget(double v, const MapState& m)
{
    const double limited = std::clamp(v, m.mindate, m.maxdate);
    return plat::Round(limited * 10.0) / 10.0;
}

void tellUser(Atlas& a, int n)
{
    const plat::Bytes& text = a.quilstring[n];
    if (!text.empty()) plat::MsgBox(text);
}
}  // namespace

void MainWindow::JmpBtn_MouseUp(int, int)
{
    MapState& m = app_.state();
    ShellState& s = app_.shell();
    JmpBtn->Refresh(false);
    const double v = plat::Val(NewEditDate->EditText);
    s.targetdate = typedTarget(v, m);
    if (std::abs(v - m.maindate) < 0.09) {
        tellUser(app_.atlas(), 39);
    } else {
        m.maindate = s.targetdate;
        JmpBtn->Refresh(false);
        app_.engine().jumpdate();
    }
    setFocusControl(MapCanvas);
}

void MainWindow::GoBtn_MouseUp(int, int)
{
    MapState& m = app_.state();
    ShellState& s = app_.shell();
    GoBtn->Refresh(false);
    const double v = plat::Val(NewEditDate->EditText);
    s.targetdate = typedTarget(v, m);
    if (std::abs(v - m.maindate) < 0.09) {
        tellUser(app_.atlas(), 40);
    } else {
        m.timeforward = m.maindate < s.targetdate;
        m.speedi = 8;
        s.timesteps = 25;
        EvoTimer.setMode(2);
        EvoTimer.setPeriod(1);
        setFocusControl(TimeCtl);
        TimeCtl->Refresh(false);
    }
    setFocusControl(MapCanvas);
}

}  // namespace quil2a
