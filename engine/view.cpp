#include "engine/view.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/engine.h"

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

void MapEngine::setScheme(ColorScheme s)
{
    applyScheme(s);
    redraw();
}

bool MapEngine::togglePale(int32_t idx)
{
    if (!quil2a::togglePale(a, idx)) return false;
    redraw();
    return true;
}

void MapEngine::redraw()
{
    if (!m.p) return;
    displaymap(*m.p, true);
    host.drawMapCanvas(*m.p);
    host.viewChanged();
}

void MapEngine::setView(double x0, double y0, double scale, bool render)
{
    // Held within the range start-up accepts, so that the view saved is the
    // view restored; a coordinate that is no number leaves the old one.
    const auto within = [](double v, double old) { return std::isnan(v) ? old : std::clamp(v, kViewLow, kViewHigh); };
    m.x0 = within(x0, m.x0);
    m.y0 = within(y0, m.y0);
    m.scale = scale;
    if (render) redraw();
}

void MapEngine::setCentre(double xc, double yc, bool render)
{
    m.xc = xc;
    m.yc = yc;
    if (render) redraw();
}

void MapEngine::panBy(double dx, double dy, bool render) { setView(m.x0 + dx, m.y0 + dy, m.scale, render); }

void MapEngine::panPreview(int sx, int sy)
{
    if (m.p) {
        plat::Graphics& g = m.p->graphics();
        const int pw = m.p->Width(), ph = m.p->Height();
        g.SetForeColor(a.blankgrey);
        if (sx > 0) g.FillRect(0, 0, sx, ph);
        if (sy > 0) g.FillRect(0, 0, pw, sy);
        if (sx < 0) g.FillRect(pw + sx, 0, -sx, ph);
        if (sy < 0) g.FillRect(0, ph + sy, pw, -sy);
    }
    panBy(-sx / m.scale, -sy / m.scale, false);
}

void MapEngine::setSpeed(int32_t speedi) { m.speedi = std::clamp(speedi, 1, 8); }

void MapEngine::setForward(bool forward) { m.timeforward = forward; }

double MapEngine::swapDate(double other)
{
    const double left = m.maindate;
    jumpTo(other);
    return left;
}

void MapEngine::setShown(Shown what, bool on)
{
    switch (what) {
    case Shown::CountryNames: m.countrynameson = on; break;
    case Shown::Cities: m.citieson = on; break;
    case Shown::CityNames: m.citynameson = on; break;
    case Shown::Headlines: m.headlineson = on; return;
    case Shown::BorderExtension: m.borderext = on; return;
    }
    if (!m.p) return;
    redrawLabels();
    host.drawMapCanvas(*m.p);
}

void MapEngine::renderExport(plat::Picture& pic, double scale, double xc, double yc)
{
    const double keptScale = m.scale, keptXc = m.xc, keptYc = m.yc;
    m.scale = scale;
    m.xc = xc;
    m.yc = yc;
    displaymap(pic, false);
    m.scale = keptScale;
    m.xc = keptXc;
    m.yc = keptYc;
}

namespace {
constexpr double kScaleStep = 0.8;
constexpr double kStartBelow = 0.25;
constexpr double kSmallest = 0.01;
constexpr double kMargin = 40.0;
}  // namespace

void MapEngine::fitRegion(double x1, double y1, double x2, double y2, bool render)
{
    const double x0 = std::clamp((x1 + x2) / 2, kViewLow, kViewHigh), y0 = std::clamp((y1 + y2) / 2, kViewLow, kViewHigh);
    // A box dragged up or to the left comes with its corners reversed.
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);

    double s = 1.0;
    do {
        s *= kScaleStep;
    } while (!(s < kStartBelow));

    const double w = host.mapCanvasWidth(), h = host.mapCanvasHeight();
    for (;;) {
        // The box's edges on the picture at scale s about (x0, y0).
        const bool fits = (x1 - x0) * s + m.xc > -kMargin && (x2 - x0) * s + m.xc < w + kMargin &&
                          (y1 - y0) * s + m.yc > -kMargin && (y2 - y0) * s + m.yc < h + kMargin;
        if (fits) break;
        s *= kScaleStep;
        if (s < kSmallest) break;
    }
    setView(x0, y0, s, render);
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


void MapEngine::redrawLabels()
{
    if (!m.p) return;
    if (m.p1) m.p->graphics().DrawPicture(*m.p1, 0, 0, m.mapscreenwid, m.mapscreenht);
    displaymaptext(*m.p, false);
}

}  // namespace quil2a
