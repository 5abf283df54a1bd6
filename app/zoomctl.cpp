// The zoom gauge of the control strip and the one zoom step that the keys,
// the menu and the map's Control-click share.
#include <cmath>

#include "app/application.h"
#include "app/mainwindow.h"

namespace quil2a {

namespace {
// One step of scale, undone when it would leave the limits (the limits themselves are allowed).
double stepped(const ShellState& s, double scale, bool zoomIn)
{
    const double next = zoomIn ? scale / s.scalestep : scale * s.scalestep;
    if (zoomIn ? s.maxscale < next : next < s.minscale) return scale;
    return next;
}

void drawSigns(plat::Graphics& g, int W, int m, bool minus, bool plus)
{
    if (minus) g.DrawLine(0, m, 4, m);
    if (plus) {
        g.DrawLine(W - 5, m, W - 1, m);
        g.DrawLine(W - 3, m - 2, W - 3, m + 2);
    }
}
}  // namespace

void MainWindow::setzoom(int32_t direction)
{
    MapState& m = app_.state();
    m.scale = stepped(app_.shell(), m.scale, direction < 0);
    // Also at a limit the map is rendered once more.
    if (m.p) {
        app_.engine().displaymap(*m.p, true);
        MapCanvas->graphics().DrawPicture(*m.p, -20, -20);
    }
    ZoomCtl->Refresh(false);
}

void MainWindow::ZoomCtl_Paint(plat::Graphics& g)
{
    const ShellState& s = app_.shell();
    const int W = ZoomCtl->width(), H = ZoomCtl->height();
    // The gauge's ground, so that a refresh without erasing leaves no old marker.
    g.SetForeColor(app_.state().ctlbackcolor);
    g.FillRect(0, 0, W, H);

    g.SetForeColor(s.ctlgrey1);
    g.DrawLine(0, 0, W - 1, 0);
    g.DrawLine(0, H - 1, W - 1, H - 1);
    const int m = H / 2 + 1;
    drawSigns(g, W, m, true, true);
    // Zoom-out steps below the largest zoom, fractional; 4 pixels a step.
    const double n = (std::log(app_.state().scale) - std::log(s.maxscale)) / std::log(s.scalestep);
    zoomx = plat::Int(plat::Round(W - 4 * n - 6));
    g.DrawLine(zoomx, 4, zoomx, H - 5);
    g.DrawLine(zoomx + 1, 4, zoomx + 1, H - 5);
}

bool MainWindow::ZoomCtl_MouseDown(int x, int)
{
    setFocusControl(ZoomCtl);
    plat::Graphics& g = ZoomCtl->graphics();
    g.SetForeColor(app_.shell().ctlgrey2);
    const bool out = x < zoomx;
    drawSigns(g, ZoomCtl->width(), ZoomCtl->height() / 2 + 1, out, !out);
    return true;
}

void MainWindow::ZoomCtl_MouseUp(int x, int)
{
    MapState& m = app_.state();
    // The side is judged again where the button was let go.
    m.scale = stepped(app_.shell(), m.scale, x >= zoomx);
    ZoomCtl->Refresh(false);
    if (m.p) app_.engine().displaymap(*m.p, true);
    MapCanvas->Refresh(false);
    setFocusControl(MapCanvas);
}

}  // namespace quil2a
