#include "engine/view.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quil2a {

void applyColorScheme(Atlas& a)
{
    if (const SchemeInfo* s = schemeInfo(a.colorscheme)) {
        for (int i = 1; i <= 256; ++i) {
            switch (s->palette) {
            case PaletteRule::Colour: a.clrlist[i] = a.clrlist0[i]; break;
            case PaletteRule::Grey: a.clrlist[i] = a.clrlist1[i]; break;
            case PaletteRule::NearWhite: a.clrlist[i] = a.clrlist2[i]; break;
            case PaletteRule::Members: {
                const auto& mem = a.EUmem[i];
                a.clrlist[i] = (mem && mem->status) ? a.clrlist0[i] : a.clrlist2[i];
                break;
            }
            }
        }
    }
    if (lineSet(a.colorscheme) == LineSet::Set0) {
        a.watercolor = a.watercolor0;
        a.coastcolor = a.coastcolor0;
        a.rivercolor = a.rivercolor0;
        a.bordercolor = a.bordercolor0;
    } else {
        a.watercolor = a.watercolor1;
        a.coastcolor = a.coastcolor1;
        a.rivercolor = a.rivercolor1;
        a.bordercolor = a.bordercolor1;
    }
}

bool togglePale(Atlas& a, int32_t idx)
{
    const SchemeInfo* s = schemeInfo(a.colorscheme);
    if (!s || !s->pale) return false;
    const Table<Color>& pale = s->palette == PaletteRule::Grey ? a.clrlist1 : a.clrlist2;
    a.clrlist[idx] = a.clrlist[idx] == pale[idx] ? a.clrlist0[idx] : pale[idx];
    return true;
}

void MapEngine::applyScheme(ColorScheme s)
{
    a.colorscheme = s;
    applyColorScheme(a);
}

void MapEngine::setView(double x0, double y0, double scale, bool render)
{
    // Held within the range start-up accepts, so that the view saved is the
    // view restored; a coordinate that is no number leaves the old one.
    const auto within = [](double v, double old) { return std::isnan(v) ? old : std::clamp(v, kViewLow, kViewHigh); };
    m.x0 = within(x0, m.x0);
    m.y0 = within(y0, m.y0);
    m.scale = scale;
    if (render && m.p) displaymap(*m.p, true);
}

void SetColor(MapEngine& engine)
{
    applyColorScheme(engine.atlas());
    MapState& m = engine.state();
    if (m.p) engine.displaymap(*m.p, true);
}


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
    engine.setView((x1 + x2) / 2, (y1 + y2) / 2, m.scale, false);
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


void redrawLabels(MapEngine& engine)
{
    MapState& m = engine.state();
    if (!m.p) return;
    if (m.p1) m.p->graphics().DrawPicture(*m.p1, 0, 0, m.mapscreenwid, m.mapscreenht);
    engine.displaymaptext(*m.p, false);
}

}  // namespace quil2a
