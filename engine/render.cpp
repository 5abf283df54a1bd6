// The full render: background, geography, water, borders, fills, then the
// text layer; with keepLayers the geography layer p2 and the political layer
// p1 are kept for the dirty-rectangle refresh.
#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "engine/engine.h"
#include "engine/mapdraw.h"
#include "platform/text.h"

namespace quil2a {

using plat::Int;

namespace mapdraw {

namespace {

struct ScreenPoint {
    double x = 0, y = 0;
};

}  // namespace

bool strokeBorder(MapEngine& e, Atlas& a, plat::Picture& pic, double W, double H, int32_t slot)
{
    const MapState& m = e.state();
    const int64_t raw = a.ActiveBdr[slot];
    const bool thick = raw < 0;
    const int64_t id = raw < 0 ? -raw : raw;
    const zonetype* b = a.ActiveBzone[slot].get();
    if (!b) return false;
    if (!(e.screenx(b->x2) > 0 && e.screeny(b->y2) > 0 && e.screenx(b->x1) < W && e.screeny(b->y1) < H))
        return false;

    if (!a.bdrdata.valid(id)) return false;
    const std::vector<MapPoint>& pts = a.coords.border(static_cast<size_t>(id), a.bdrdata[id]);
    const int64_t n = static_cast<int64_t>(pts.size()) - 1;
    if (n < 1) return false;

    const bool extend = m.borderext && m.scale > 0.2;
    const double L = extensionLength(m.scale);
    const bool threeLines = thick && m.scale > 0.03;
    plat::Graphics& g = pic.graphics();

    ScreenPoint A, B;
    int64_t j = 0;
    for (const MapPoint& pt : pts) {
        B = {e.screenx(pt.x), e.screeny(pt.y)};
        if (j == 0) {
            A = B;
            ++j;
            continue;
        }
        if (extend) {
            if (j == 1 && !e.HitABorder(pic, Int(A.x), Int(A.y), Int(B.x), Int(B.y))) {
                const double d = std::sqrt((B.x - A.x) * (B.x - A.x) + (B.y - A.y) * (B.y - A.y));
                if (d > 0.001) {
                    A.x -= L * (B.x - A.x) / d;
                    A.y -= L * (B.y - A.y) / d;
                }
            }
            if (j == n && !e.HitABorder(pic, Int(B.x), Int(B.y), Int(A.x), Int(A.y))) {
                const double d = std::sqrt((B.x - A.x) * (B.x - A.x) + (B.y - A.y) * (B.y - A.y));
                if (d > 0.001) {
                    B.x += L * (B.x - A.x) / d;
                    B.y += L * (B.y - A.y) / d;
                }
            }
        }
        g.DrawLine(Int(A.x), Int(A.y), Int(B.x), Int(B.y));
        if (threeLines) {
            g.DrawLine(Int(A.x - 1), Int(A.y), Int(B.x - 1), Int(B.y));
            g.DrawLine(Int(A.x), Int(A.y - 1), Int(B.x), Int(B.y - 1));
        }
        A = B;
        ++j;
    }
    return true;
}

bool paintFillPoint(MapEngine& e, Atlas& a, plat::Picture& pic, double maxX, double maxY, int32_t slot)
{
    const plat::Color c = a.clrlist[a.ActiveClr[slot]];
    plat::RGBSurface& s = pic.surface();
    bool filled = false;
    const int32_t id = a.ActivePt[slot];
    if (!a.ptinfo.valid(id)) return false;
    // Read straight from the pixels; a fill may move them, so they are looked up again after one.
    const QImage* img = &std::as_const(pic).image();
    const int W = img->width(), H = img->height();
    const uchar* bits = img->constBits();
    const qsizetype bpl = img->bytesPerLine();
    // Beyond the width no seed fills anything, so the truncation below stays in range.
    maxX = std::min(maxX, static_cast<double>(W));
    maxY = std::min(maxY, static_cast<double>(H));
    for (const Seed& seed : a.coords.fill(static_cast<size_t>(id), a.ptinfo[id])) {
        double sx, sy;
        if (!seedDrawn(e, seed, maxX, maxY, sx, sy)) continue;
        // In range and not NaN, so the truncation is Int's.
        const int ix = static_cast<int>(sx), iy = static_cast<int>(sy);
        // A seed at exactly the picture's width or height names a pixel just
        // outside: it neither reads nor fills anything there.
        if (ix >= W || iy >= H) continue;
        const plat::Color here = reinterpret_cast<const uint32_t*>(bits + iy * bpl)[ix] & 0xFFFFFFu;
        if (here == c || isLineColor(a, here)) continue;
        s.FloodFill(ix, iy, c);
        filled = true;
        img = &std::as_const(pic).image();
        bits = img->constBits();
    }
    return filled;
}

}  // namespace mapdraw

GeoLayerKey MapEngine::geoLayerKey(int32_t W, int32_t H)
{
    GeoLayerKey k;
    k.valid = true;
    k.p2serial = m.p2 ? m.p2->serial() : 0;
    k.w = W;
    k.h = H;
    k.x0 = m.x0;
    k.y0 = m.y0;
    k.scale = m.scale;
    k.xc = m.xc;
    k.yc = m.yc;
    k.blankgrey = a.blankgrey;
    k.watercolor = a.watercolor;
    k.coastcolor = a.coastcolor;
    k.rivercolor = a.rivercolor;
    k.scheme0 = edgeAsWater(a.colorscheme);
    k.data = geoDataHash();
    return k;
}

uint64_t MapEngine::geoDataHash() const
{
    // The texts themselves for the short tables, where each long polyline text is.
    uint64_t h = mapdraw::kHashStart;
    auto mix = [&h](const void* p, size_t n) { h = mapdraw::mix(h, p, n); };
    for (int32_t i = 0; i <= a.geoinfo.ubound(); ++i) mix(a.geoinfo[i].data(), a.geoinfo[i].size() + 1);
    for (int32_t i = 0; i <= a.wtinfo.ubound(); ++i) mix(a.wtinfo[i].data(), a.wtinfo[i].size() + 1);
    for (int32_t i = 0; i <= a.geodata.ubound(); ++i) {
        const plat::Bytes& d = a.geodata[i];
        const char* ptr = d.data();
        const size_t n = d.size();
        mix(&ptr, sizeof ptr);
        mix(&n, sizeof n);
        if (n <= 32) mix(d.data(), n);
    }
    return h;
}

void MapEngine::drawGeography(plat::Picture& pic)
{
    using namespace mapdraw;
    const int W = pic.Width(), H = pic.Height();
    plat::Graphics& g = pic.graphics();
    plat::RGBSurface& s = pic.surface();
    g.SetForeColor(a.blankgrey);
    g.FillRect(0, 0, W, H);

    // Geography lines, coloured by the line type after the first "," of the info line.
    for (int32_t i = 0; i <= a.geodata.ubound(); ++i) {
        const std::string_view data = a.geodata[i];
        if (plat::Len(data) <= 1) continue;
        const std::string_view type = geoLineType(a.geoinfo[i]);
        plat::Color c = 0xFF0000;
        if (type == "C" || type == "I" || type == "L") c = a.coastcolor;
        else if (type == "R") c = a.rivercolor;
        else if (type == "E") c = edgeAsWater(a.colorscheme) ? a.watercolor : a.coastcolor;
        g.SetForeColor(c);
        bool first = true;
        double px = 0, py = 0;
        for (const MapPoint& pt : a.coords.geo(static_cast<size_t>(i), a.geodata[i])) {
            const double sx = screenx(pt.x), sy = screeny(pt.y);
            if (!first) g.DrawLine(Int(px), Int(py), Int(sx), Int(sy));
            first = false;
            px = sx;
            py = sy;
        }
    }

    // Water: seeds from 1 up to the first missing or malformed entry.
    for (int32_t i = 1; i <= a.wtinfo.ubound(); ++i) {
        const std::string_view w = a.wtinfo[i];
        if (!waterSeedEntry(w)) break;
        const Seed seed = a.coords.water(static_cast<size_t>(i), a.wtinfo[i]).front();
        const double sx = screenx(seed.x), sy = screeny(seed.y);
        if (!(sx >= 0 && sx <= W - 1 && sy >= 0 && sy <= H - 1 && seed.size * m.scale > 0.1)) continue;
        const plat::Color here = s.Pixel(Int(sx), Int(sy));
        if (here != a.watercolor && here != a.coastcolor) s.FloodFill(Int(sx), Int(sy), a.watercolor);
    }
    fillCutWater(pic);

}

// A seed is used only while it lies in the picture, so the picture's edge can
// cut a stretch of water (a firth, the open sea at a close zoom) off from all
// of them. Each run of bare pixels along the edge is asked of the shore lines
// at a pixel two in whose 5 x 5 square is bare: with no line within two
// pixels, a line's rounding cannot put the pixel on the wrong shore. Water is
// filled from there; runs too narrow for such a pixel stay as they are.
void MapEngine::fillCutWater(plat::Picture& pic)
{
    using namespace mapdraw;
    const int W = pic.Width(), H = pic.Height();
    if (W < 5 || H < 5) return;
    shores_.update(a, geoDataHash());
    plat::RGBSurface& s = pic.surface();
    const plat::Color bare = a.blankgrey;
    auto squareBare = [&](int cx, int cy) {
        for (int y = cy - 2; y <= cy + 2; ++y)
            for (int x = cx - 2; x <= cx + 2; ++x)
                if (s.Pixel(x, y) != bare) return false;
        return true;
    };
    // One edge: its pixel at t = 0..len-1 is (x0 + t * tx, y0 + t * ty); (dx, dy) points inwards.
    auto edge = [&](int len, int x0, int y0, int tx, int ty, int dx, int dy) {
        auto isBare = [&](int t) { return s.Pixel(x0 + t * tx, y0 + t * ty) == bare; };
        for (int t = 0; t < len; ++t) {
            if (!isBare(t)) continue;
            int end = t;
            while (end + 1 < len && isBare(end + 1)) ++end;
            const int mid = (t + end) / 2;
            for (int k = 0;; k += 3) {
                const int lo = mid - k, hi = mid + k;
                if (lo < t + 2 && hi > end - 2) break;
                int at = -1;
                for (const int c : {lo, hi}) {
                    if (c < t + 2 || c > end - 2) continue;
                    if (squareBare(x0 + c * tx + 2 * dx, y0 + c * ty + 2 * dy)) {
                        at = c;
                        break;
                    }
                }
                if (at < 0) continue;
                const int px = x0 + at * tx + 2 * dx, py = y0 + at * ty + 2 * dy;
                if (shores_.water(mapx(px + 0.5), mapy(py + 0.5))) s.FloodFill(px, py, a.watercolor);
                break;
            }
            t = end;
        }
    };
    edge(W, 0, 0, 1, 0, 0, 1);
    edge(W, 0, H - 1, 1, 0, 0, -1);
    edge(H, 0, 0, 0, 1, 1, 0);
    edge(H, W - 1, 0, 0, 1, -1, 0);
}

void MapEngine::displaymap(plat::Picture& pic, bool keepLayers)
{
    using namespace mapdraw;
    const int W = pic.Width(), H = pic.Height();
    plat::Graphics& g = pic.graphics();

    // The identification label goes with the old map.
    m.IDfadeout = 0;
    host.setIdLabelWidth(0);

    // p1 is drawn again below: a late copy of the last map is not wanted.
    const bool keepP1 = keepLayers && m.p1 && m.p1.get() != &pic;
    const bool lateP1 = keepP1 && &pic == m.p.get();
    if (lateP1) m.p1->dropCopy();

    // The geography layer depends only on the view, the size, the colours and
    // the geography data: when p2 still holds it for all of these, it is copied.
    const bool layers = keepLayers && m.p2 && m.p2.get() != &pic;
    GeoLayerKey key;
    bool kept = false;
    if (layers) {
        key = geoLayerKey(W, H);
        key.p2version = m.p2->version();
        kept = key == m.geoLayer;
    }
    if (kept) {
        g.DrawPicture(*m.p2, 0, 0);
    } else {
        drawGeography(pic);
        m.geoLayer.valid = false;
        if (layers && m.p2->Width() == W && m.p2->Height() == H) {
            // Only read back in blocks: kept packed.
            m.p2->packFrom(pic);
            m.geoLayer = key;
            m.geoLayer.p2version = m.p2->version();
        } else if (layers) {
            m.p2->graphics().DrawPicture(pic, 0, 0);
        }
    }

    g.SetForeColor(a.bordercolor);
    for (int32_t k = 1; k <= m.NActiveBdrs && k <= a.ActiveBdr.ubound(); ++k) strokeBorder(*this, a, pic, W, H, k);

    // Each fill point's tables lie apart in memory: they are asked for a few
    // points ahead, the text line first, then its parsed seeds.
    const int32_t np = std::min(m.NActivePts, a.ActivePt.ubound());
    auto textAhead = [&](int32_t k) {
        if (k <= np && a.ptinfo.valid(a.ActivePt[k])) __builtin_prefetch(&a.ptinfo[a.ActivePt[k]]);
    };
    auto seedsAhead = [&](int32_t k) {
        if (k > np || !a.ptinfo.valid(a.ActivePt[k])) return;
        const int32_t id = a.ActivePt[k];
        const std::vector<Seed>& seeds = a.coords.fill(static_cast<size_t>(id), a.ptinfo[id]);
        if (!seeds.empty()) __builtin_prefetch(seeds.data());
    };
    for (int32_t k = 1; k <= 8; ++k) textAhead(k);
    for (int32_t k = 1; k <= 4; ++k) seedsAhead(k);
    for (int32_t k = 1; k <= np; ++k) {
        textAhead(k + 8);
        seedsAhead(k + 4);
        paintFillPoint(*this, a, pic, W - 1, H - 1, k);
    }

    // p1 is p before its text: on p a late copy, made when p1 is next used.
    if (lateP1) m.p1->copyLater(pic);
    else if (keepP1) m.p1->graphics().DrawPicture(pic, 0, 0);

    // The text layer; on p over a fresh p1 it is recorded for the date step.
    drawText(pic, true, keepP1);

    if (lateP1 && m.p1->copyPending()) host.layersWaiting();

    const std::array<int, 4> box = visibleMapBox();
    host.setVisibleMapBox(box[0], box[1], box[2], box[3]);
}

std::array<int, 4> MapEngine::visibleMapBox() const
{
    // The canvas shows p from the picture's (20, 20).
    return {Int(mapx(20)), Int(mapy(20)), Int(mapx(host.mapCanvasWidth() + 20.0)), Int(mapy(host.mapCanvasHeight() + 20.0))};
}

bool MapEngine::HitABorder(plat::Picture& pic, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const plat::RGBSurface& s = pic.surface();
    for (int i = 5; i <= 10; ++i) {
        const double t = i / 10.0;
        const int x = plat::Int(t * x1 + (1 - t) * x2), y = plat::Int(t * y1 + (1 - t) * y2);
        // A sample off the picture counts as no line.
        if (!pic.contains(x, y)) continue;
        if (mapdraw::isLineColor(a, s.Pixel(x, y))) return true;
    }
    return false;
}

int32_t MapEngine::territoryIndex(const plat::Picture& layer, int x, int y) const
{
    using namespace mapdraw;
    if (!layer.contains(x, y)) return 0;
    const plat::Color c = layer.image().pixel(x, y) & 0xFFFFFFu;
    int32_t first = 0, shared = 0;
    for (int32_t i = 1; i <= a.clrlist.ubound(); ++i)
        if (a.clrlist[i] == c) {
            if (!first) first = i;
            ++shared;
        }
    if (shared < 2) return first;

    // The clicked territory, marked in a copy: its pixels are those that differ.
    plat::Picture region(layer.image());
    region.surface().FloodFill(x, y, c ^ 1u);
    const QImage& was = layer.image();
    const QImage& now = region.image();
    const double maxX = layer.Width() - 1, maxY = layer.Height() - 1;
    int32_t active = 0;
    const int32_t np = std::min(m.NActivePts, a.ActivePt.ubound());
    for (int32_t k = 1; k <= np; ++k) {
        const int32_t idx = a.ActiveClr[k];
        if (!a.clrlist.valid(idx) || a.clrlist[idx] != c) continue;
        if (!active) active = idx;
        const int32_t id = a.ActivePt[k];
        if (!a.ptinfo.valid(id)) continue;
        bool inside = false;
        for (const Seed& seed : a.coords.fill(static_cast<size_t>(id), a.ptinfo[id])) {
            double sx, sy;
            if (!seedDrawn(*this, seed, maxX, maxY, sx, sy)) continue;
            const int ix = Int(sx), iy = Int(sy);
            if (now.pixel(ix, iy) != was.pixel(ix, iy)) {
                inside = true;
                break;
            }
        }
        if (inside) return idx;
    }
    return active ? active : first;
}

}  // namespace quil2a
