// The date step, swap, jump and go controls beside the date field.
#include <cmath>

#include "app/stripcontrols.h"
#include "platform/msgbox.h"

namespace quil2a {

// Date step: plus in the upper half, minus in the lower.

DateStep::DateStep(ControlHost& host) : StripControl(host, "IncDecCtl")
{
    onPaint = [this](plat::Graphics& g) { Paint(g); };
    onMouseDown = [this](int x, int y) { return MouseDown(x, y); };
    onMouseUp = [this](int x, int y) { MouseUp(x, y); };
}

void DateStep::Paint(plat::Graphics& g)
{
    g.SetForeColor(host_.map().ctlbackcolor);
    g.FillRect(0, 0, width(), height());
    g.SetForeColor(host_.shell().ctlgrey1);
    g.DrawLine(4, 0, 4, 4);
    g.DrawLine(2, 2, 6, 2);
    g.DrawLine(2, 12, 6, 12);
}

bool DateStep::MouseDown(int, int y)
{
    const ShellState& s = host_.shell();
    host_.setFocusControl(this);
    plat::Graphics& g = graphics();
    const bool upper = y < height() / 2;
    g.SetForeColor(upper ? s.ctlgrey2 : s.ctlgrey1);
    g.DrawLine(4, 0, 4, 4);
    g.DrawLine(2, 2, 6, 2);
    g.SetForeColor(upper ? s.ctlgrey1 : s.ctlgrey2);
    g.DrawLine(2, 12, 6, 12);
    return true;
}

void DateStep::MouseUp(int x, int y)
{
    const int W = width(), H = height();
    if (x >= 0 && x <= W && y >= 0 && y <= H) {
        const int dir = y < H / 2 ? 1 : -1;
        // At a range end the date stays and no change record is applied again.
        if (!host_.engine().step(dir)) host_.engine().showdate();
    }
    Refresh(false);
    host_.focusMap();
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

DateSwap::DateSwap(ControlHost& host) : StripControl(host, "SwapCtl")
{
    onPaint = [this](plat::Graphics& g) { Paint(g); };
    onMouseDown = [this](int x, int y) { return MouseDown(x, y); };
    onMouseUp = [this](int x, int y) { MouseUp(x, y); };
}

void DateSwap::Paint(plat::Graphics& g)
{
    const ShellState& s = host_.shell();
    drawSwapArrows(g, s.ctlgrey1, s.ctlgrey1);
}

bool DateSwap::MouseDown(int, int)
{
    const ShellState& s = host_.shell();
    host_.setFocusControl(this);
    const bool later = host_.map().maindate < s.swapdate;
    drawSwapArrows(graphics(), later ? s.ctlgrey1 : s.ctlgrey2, later ? s.ctlgrey2 : s.ctlgrey1);
    return true;
}

void DateSwap::MouseUp(int x, int y)
{
    ShellState& s = host_.shell();
    Refresh(false);
    if (x > 0 && x < width() && y > 0 && y < height()) s.swapdate = host_.engine().swapDate(s.swapdate);
    host_.focusMap();
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

DateArrow::DateArrow(ControlHost& host, Kind kind)
    : StripControl(host, kind == Kind::Jump ? "JmpBtn" : "GoBtn"), kind_(kind)
{
    onPaint = [this](plat::Graphics& g) { Paint(g); };
    onMouseDown = [this](int x, int y) { return MouseDown(x, y); };
    onMouseUp = [this](int x, int y) { MouseUp(x, y); };
}

void DateArrow::draw(plat::Graphics& g) { drawArrow(g, kind_ == Kind::Go); }

void DateArrow::Paint(plat::Graphics& g)
{
    g.SetForeColor(host_.map().ctlbackcolor);
    g.FillRect(0, 0, host_.Width(), host_.Height());
    g.SetForeColor(host_.shell().ctlgrey1);
    draw(g);
}

bool DateArrow::MouseDown(int, int)
{
    host_.setFocusControl(this);
    plat::Graphics& g = graphics();
    g.SetForeColor(host_.shell().ctlgrey2);
    draw(g);
    return true;
}

namespace {
// The typed date limited to the range and put on the tenth grid.
double typedTarget(double v, const MapState& m)
{
    const double limited = std::clamp(v, m.mindate, m.maxdate);
    return plat::Round(limited * 10.0) / 10.0;
}

void tellUser(const Atlas& a, int n)
{
    const plat::Bytes& text = a.quilstring[n];
    if (!text.empty()) plat::MsgBox(text);
}
}  // namespace

void DateArrow::MouseUp(int, int)
{
    const MapState& m = host_.map();
    ShellState& s = host_.shell();
    Refresh(false);
    const double v = plat::Val(host_.typedDate());
    s.targetdate = typedTarget(v, m);
    if (std::abs(v - m.maindate) < 0.09) {
        tellUser(host_.atlas(), kind_ == Kind::Jump ? 39 : 40);
    } else if (kind_ == Kind::Jump) {
        Refresh(false);
        host_.engine().jumpTo(s.targetdate);
    } else {
        host_.engine().setForward(m.maindate < s.targetdate);
        host_.engine().setSpeed(8);
        s.timesteps = 25;
        host_.animationTimer().setMode(2);
        host_.animationTimer().setPeriod(1);
        host_.showTransport();
    }
    host_.focusMap();
}

}  // namespace quil2a
