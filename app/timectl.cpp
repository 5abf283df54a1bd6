// The time transport: the drawn control with its five symbols and two rows
// of speed ticks.
#include "app/stripcontrols.h"

namespace quil2a {

namespace {
// Timer period (ms) and tenth-year steps per tick, by speed index 1..8.
constexpr int kPeriod[9] = {0, 3000, 1000, 400, 150, 60, 15, 15, 1};
constexpr int kSteps[9] = {0, 1, 1, 1, 1, 1, 1, 10, 10};
}  // namespace

TimeTransport::TimeTransport(ControlHost& host) : StripControl(host, "TimeCtl")
{
    onPaint = [this](plat::Graphics& g) { Paint(g); };
    onMouseDown = [this](int x, int y) { return MouseDown(x, y); };
    onMouseUp = [this](int x, int y) { MouseUp(x, y); };
}

void TimeTransport::drawSymbol(plat::Graphics& g, int zone)
{
    switch (zone) {
    case 1:  // to start
        g.DrawLine(0, 8, 0, 16);
        g.DrawLine(5, 8, 5, 16);
        g.DrawLine(4, 9, 4, 15);
        g.DrawLine(3, 10, 3, 14);
        g.DrawLine(2, 11, 2, 13);
        g.DrawLine(1, 12, 2, 12);
        break;
    case 2:  // back
        g.DrawLine(12, 8, 12, 16);
        g.DrawLine(11, 9, 11, 15);
        g.DrawLine(10, 10, 10, 14);
        g.DrawLine(9, 11, 9, 13);
        g.DrawLine(8, 12, 9, 12);
        break;
    case 3:  // pause
        g.DrawLine(47, 8, 47, 16);
        g.DrawLine(48, 8, 48, 16);
        g.DrawLine(52, 8, 52, 16);
        g.DrawLine(53, 8, 53, 16);
        break;
    case 4:  // forward
        g.DrawLine(88, 8, 88, 16);
        g.DrawLine(89, 9, 89, 15);
        g.DrawLine(90, 10, 90, 14);
        g.DrawLine(91, 11, 91, 13);
        g.DrawLine(92, 12, 91, 12);
        break;
    case 5:  // to end
        g.DrawLine(95, 8, 95, 16);
        g.DrawLine(96, 9, 96, 15);
        g.DrawLine(97, 10, 97, 14);
        g.DrawLine(98, 11, 98, 13);
        g.DrawLine(99, 12, 98, 12);
        g.DrawLine(100, 8, 100, 16);
        break;
    default:
        break;
    }
}

void TimeTransport::restart()
{
    const MapState& m = host_.map();
    host_.animationTimer().setMode(0);
    host_.animationTimer().setPeriod(kPeriod[m.speedi]);
    host_.shell().timesteps = kSteps[m.speedi];
    host_.animationTimer().setMode(2);
}

bool TimeTransport::MouseDown(int x, int)
{
    const MapState& m = host_.map();
    MapEngine& e = host_.engine();
    ShellState& s = host_.shell();
    host_.setFocusControl(this);
    plat::Graphics& g = graphics();
    g.SetForeColor(s.ctlgrey2);

    int A = 6, B = 13, C = 87, D = 94;
    const int E = 45, F = 54;
    const bool running = host_.animationTimer().Mode() != 0;
    if (!running) {
        B = 45;
        C = 54;
    } else if (!m.timeforward) {
        B = 6;
    } else {
        C = 94;
    }

    if (x <= A) {
        e.setForward(false);
        drawSymbol(g, 1);
        s.targetdate = m.mindate;
        e.setSpeed(8);
    } else if (A < x && x <= B) {
        e.setForward(false);
        drawSymbol(g, 2);
        if (m.maindate <= s.targetdate || s.targetdate < m.mindate) s.targetdate = m.mindate;
        e.setSpeed(3);
    } else if (E < x && x <= F) {
        e.setForward(false);
        drawSymbol(g, 3);
        host_.animationTimer().setMode(0);
        e.redraw();
        return true;
    } else if (C < x && x <= D) {
        e.setForward(true);
        drawSymbol(g, 4);
        if (s.targetdate <= m.maindate || s.targetdate > m.maxdate) s.targetdate = m.maxdate;
        e.setSpeed(3);
    } else if (x > D) {
        e.setForward(true);
        drawSymbol(g, 5);
        e.setSpeed(8);
        s.targetdate = m.maxdate;
    } else if (m.timeforward) {
        e.setSpeed(m.speedi + (x > s.speedbandx ? 1 : -1));
    } else {
        e.setSpeed(m.speedi + (x > s.speedbandx ? -1 : 1));
    }
    restart();
    return true;
}

void TimeTransport::MouseUp(int, int)
{
    host_.refreshControls();
    host_.focusMap();
}

void TimeTransport::Paint(plat::Graphics& g)
{
    const MapState& m = host_.map();
    ShellState& s = host_.shell();
    const int W = width(), H = height();

    g.SetForeColor(s.ctlgrey1);
    g.DrawLine(0, 0, W - 1, 0);
    g.DrawLine(0, H - 1, W - 1, H - 1);
    for (int zone : {1, 2, 4, 5, 3}) drawSymbol(g, zone);

    auto tickX = [](bool forward, int i) { return forward ? 52 + 4 * i : 47 - 4 * i; };
    auto tick = [&g](int x) {
        g.DrawLine(x, 10, x, 14);
        g.DrawLine(x + 1, 10, x + 1, 14);
    };
    g.SetForeColor(host_.animationTimer().Mode() != 0 ? s.ctlgrey1 : s.ctldarkred);
    for (int i = 1; i <= 8; ++i) {
        if (i == m.speedi + 1) g.SetForeColor(s.ctldarkred);
        const int x = tickX(m.timeforward, i);
        tick(x);
        if (i == m.speedi) s.speedbandx = x;
    }
    g.SetForeColor(s.ctldarkred);
    for (int i = 1; i <= 8; ++i) tick(tickX(!m.timeforward, i));
}

}  // namespace quil2a
