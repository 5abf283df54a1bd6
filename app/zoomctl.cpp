// The zoom gauge of the control strip.
#include <cmath>

#include "app/stripcontrols.h"

namespace quil2a {

namespace {
void drawSigns(plat::Graphics& g, int W, int m, bool minus, bool plus)
{
    if (minus) g.DrawLine(0, m, 4, m);
    if (plus) {
        g.DrawLine(W - 5, m, W - 1, m);
        g.DrawLine(W - 3, m - 2, W - 3, m + 2);
    }
}
}  // namespace

ZoomGauge::ZoomGauge(ControlHost& host) : StripControl(host, "ZoomCtl")
{
    onPaint = [this](plat::Graphics& g) { Paint(g); };
    onMouseDown = [this](int x, int y) { return MouseDown(x, y); };
    onMouseUp = [this](int x, int y) { MouseUp(x, y); };
}

double ZoomGauge::stepped(const ShellState& s, double scale, bool zoomIn)
{
    const double next = zoomIn ? scale / s.scalestep : scale * s.scalestep;
    if (zoomIn ? s.maxscale < next : next < s.minscale) return scale;
    return next;
}

void ZoomGauge::Paint(plat::Graphics& g)
{
    const ShellState& s = host_.shell();
    const int W = width(), H = height();
    // The gauge's ground, so that a refresh without erasing leaves no old marker.
    g.SetForeColor(host_.map().ctlbackcolor);
    g.FillRect(0, 0, W, H);

    g.SetForeColor(s.ctlgrey1);
    g.DrawLine(0, 0, W - 1, 0);
    g.DrawLine(0, H - 1, W - 1, H - 1);
    const int m = H / 2 + 1;
    drawSigns(g, W, m, true, true);
    // Zoom-out steps below the largest zoom, fractional; 4 pixels a step.
    const double n = (std::log(host_.map().scale) - std::log(s.maxscale)) / std::log(s.scalestep);
    zoomx = plat::Int(plat::Round(W - 4 * n - 6));
    g.DrawLine(zoomx, 4, zoomx, H - 5);
    g.DrawLine(zoomx + 1, 4, zoomx + 1, H - 5);
}

bool ZoomGauge::MouseDown(int x, int)
{
    host_.setFocusControl(this);
    plat::Graphics& g = graphics();
    g.SetForeColor(host_.shell().ctlgrey2);
    const bool out = x < zoomx;
    drawSigns(g, width(), height() / 2 + 1, out, !out);
    return true;
}

void ZoomGauge::MouseUp(int x, int)
{
    const MapState& m = host_.map();
    // The side is judged again where the button was let go.
    host_.engine().setView(m.x0, m.y0, stepped(host_.shell(), m.scale, x >= zoomx));
    host_.focusMap();
}

}  // namespace quil2a
