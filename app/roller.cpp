// The roller: a pan joystick. Held down, the direction from its middle to
// the pointer moves the view 5 pixels at most every 100 ms while the canvas
// shows the map picture shifted; the release renders the map once.
#include <cmath>

#include "app/stripcontrols.h"

namespace quil2a {

namespace {
constexpr int kMiddle = 27, kDeadZone = 7, kRim = 23, kStep = 5;
constexpr double kThrottle = 100000.0;  // microseconds

// Picture shift of one step by direction 0..8 (the view travels the other way).
struct Shift {
    int sx, sy;
};
constexpr Shift kShift[9] = {{0, 0},   {-kStep, 0},     {-kStep, -kStep}, {0, -kStep},     {kStep, -kStep},
                             {kStep, 0}, {kStep, kStep}, {0, kStep},      {-kStep, kStep}};

// 0 near the middle or beyond the ring, else 1 (right) to 8 clockwise.
int rollerDirection(int x, int y)
{
    const int dx = x - kMiddle, dy = y - kMiddle;
    const int d = static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    if (d < kDeadZone || d > kRim) return 0;
    int a = static_cast<int>(std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 57.3 + 22.5);
    if (a < 0) a += 360;
    return a / 45 + 1;
}
}  // namespace

Roller::Roller(ControlHost& host) : StripControl(host, "roller")
{
    setBackdrop(host_.pictures().btn0f());
    onMouseDown = [this](int x, int y) { return MouseDown(x, y); };
    onMouseDrag = [this](int x, int y) { MouseDrag(x, y); };
    onMouseUp = [this](int x, int y) { MouseUp(x, y); };
    // Drags keep coming while the pointer rests in the roller.
    dragRepeatMs = 20;
}

bool Roller::MouseDown(int, int)
{
    host_.setFocusControl(this);
    return true;
}

void Roller::MouseDrag(int x, int y)
{
    const double now = host_.microseconds();
    if (now - tlastroller < kThrottle) return;
    tlastroller = now;

    const int k = rollerDirection(x, y);
    if (const plat::Picture* frame = host_.pictures().btnf(k)) graphics().DrawPicture(*frame, 0, 0);
    const Shift s = kShift[k];
    // At the edge of the view's range the view moves less, or not at all.
    const quil2a::MapState& m = host_.engine().state();
    const double x0 = m.x0, y0 = m.y0;
    host_.engine().panPreview(s.sx, s.sy);
    rollerdx -= plat::Int(plat::Round((x0 - m.x0) * m.scale));
    rollerdy -= plat::Int(plat::Round((y0 - m.y0) * m.scale));
    host_.showShiftedMap(-20 - rollerdx, -20 - rollerdy);
}

void Roller::MouseUp(int, int)
{
    if (const plat::Picture* rest = host_.pictures().btn0f()) graphics().DrawPicture(*rest, 0, 0);
    rollerdx = 0;
    rollerdy = 0;
    host_.engine().redraw();
    host_.focusMap();
}

}  // namespace quil2a
