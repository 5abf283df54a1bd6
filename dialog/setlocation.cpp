#include "dialog/setlocation.h"

#include <utility>

namespace quil2a {

namespace {
constexpr double kScaleStep = 0.8;
constexpr double kStartBelow = 0.25;
constexpr double kSmallest = 0.01;
constexpr double kMargin = 40.0;
}  // namespace

void SetLocation(MapEngine& engine, int canvasWidth, int canvasHeight, double x1, double y1, double x2,
                 double y2, bool redraw)
{
    MapState& m = engine.state();
    m.x0 = (x1 + x2) / 2;
    m.y0 = (y1 + y2) / 2;
    // A box dragged up or to the left comes with its corners reversed.
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);

    double s = 1.0;
    do {
        s *= kScaleStep;
    } while (!(s < kStartBelow));
    m.scale = s;

    for (;;) {
        const bool fits = engine.screenx(x1) > -kMargin && engine.screenx(x2) < canvasWidth + kMargin &&
                          engine.screeny(y1) > -kMargin && engine.screeny(y2) < canvasHeight + kMargin;
        if (fits) break;
        m.scale *= kScaleStep;
        if (m.scale < kSmallest) break;
    }

    if (redraw && m.p) engine.displaymap(*m.p, true);
}

bool parseMapBox(const plat::Bytes& text, double box[4])
{
    const auto parts = plat::Split(text, " ");
    if (parts.size() < 4) return false;
    for (int i = 0; i < 4; ++i)
        if (!plat::StartsWithNumber(parts[static_cast<size_t>(i)])) return false;
    for (int i = 0; i < 4; ++i) box[i] = plat::Val(parts[static_cast<size_t>(i)]);
    return true;
}

}  // namespace quil2a
