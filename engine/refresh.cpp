// The dirty-rectangle refresh of a date step: rectangles are recorded for
// borders that leave or thin, restored in p1 from the geography layer p2, and
// whatever meets them is drawn and filled again; the seams along their edges
// are then repaired.
#include <algorithm>
#include <cmath>
#include <memory>
#include <span>
#include <vector>

#include "engine/engine.h"
#include "engine/mapdraw.h"
#include "platform/text.h"

namespace quil2a {

using plat::Int;

namespace {

constexpr int kMargin = 5;
// Geography lines of an unknown type are pure red; the seam repair stops at them.
constexpr plat::Color kOtherLine = 0xFF0000;

// Whether the box (x1, y1)-(x2, y2) meets the rectangle r grown by its margin.
bool meetsZone(const zonetype* r, double x1, double y1, double x2, double y2)
{
    return r && r->x1 - kMargin < x2 && r->y1 - kMargin < y2 && x1 < r->x2 + kMargin && y1 < r->y2 + kMargin;
}

}  // namespace

// The rectangles with their margin by the cells of the box around them, so
// that a seed is tested only against those of its cell. A rectangle is listed
// in every cell its margin box reaches; with too many listings (rectangles far
// larger than the cells) every cell lists every rectangle.
class MapEngine::ZoneGrid {
public:
    ZoneGrid(const MapEngine& e, int32_t nz, double x1, double y1, double x2, double y2) : x1_(x1), y1_(y1)
    {
        constexpr double kCell = 64;
        constexpr int kMaxSide = 64;
        constexpr size_t kMaxListed = 1 << 16;
        gw_ = static_cast<int>(std::clamp((x2 - x1) / kCell + 1, 1.0, double(kMaxSide)));
        gh_ = static_cast<int>(std::clamp((y2 - y1) / kCell + 1, 1.0, double(kMaxSide)));
        cw_ = std::max((x2 - x1) / gw_, 1e-9);
        ch_ = std::max((y2 - y1) / gh_, 1e-9);
        struct Span {
            int32_t j;
            int cx1, cy1, cx2, cy2;
        };
        std::vector<Span> spans;
        size_t listed = 0;
        for (int32_t j = 1; j <= nz; ++j) {
            const zonetype* r = e.a.zone[j].get();
            if (!r) continue;
            const Span s{j, cellX(r->x1 - kMargin), cellY(r->y1 - kMargin), cellX(r->x2 + kMargin), cellY(r->y2 + kMargin)};
            listed += size_t(s.cx2 - s.cx1 + 1) * size_t(s.cy2 - s.cy1 + 1);
            spans.push_back(s);
        }
        if (listed > kMaxListed) {
            gw_ = gh_ = 1;
            cw_ = ch_ = 1e300;
            for (Span& s : spans) s.cx1 = s.cy1 = s.cx2 = s.cy2 = 0;
        }
        start_.assign(size_t(gw_) * gh_ + 1, 0);
        for (const Span& s : spans)
            for (int cy = s.cy1; cy <= s.cy2; ++cy)
                for (int cx = s.cx1; cx <= s.cx2; ++cx) ++start_[size_t(cy) * gw_ + cx + 1];
        for (size_t c = 1; c < start_.size(); ++c) start_[c] += start_[c - 1];
        zones_.resize(start_.back());
        std::vector<uint32_t> at(start_.begin(), start_.end() - 1);
        for (const Span& s : spans)
            for (int cy = s.cy1; cy <= s.cy2; ++cy)
                for (int cx = s.cx1; cx <= s.cx2; ++cx) zones_[at[size_t(cy) * gw_ + cx]++] = s.j;
    }

    // The rectangles listed in the cell of a point inside the box.
    std::span<const int32_t> zonesAt(double x, double y) const
    {
        const size_t c = size_t(cellY(y)) * gw_ + cellX(x);
        return {zones_.data() + start_[c], zones_.data() + start_[c + 1]};
    }

private:
    // Cells by a rounding that never decreases, clamped to the grid.
    int cellX(double x) const { return static_cast<int>(std::clamp(std::floor((x - x1_) / cw_), 0.0, double(gw_ - 1))); }
    int cellY(double y) const { return static_cast<int>(std::clamp(std::floor((y - y1_) / ch_), 0.0, double(gh_ - 1))); }

    double x1_, y1_, cw_ = 1, ch_ = 1;
    int gw_ = 1, gh_ = 1;
    std::vector<uint32_t> start_;
    std::vector<int32_t> zones_;
};

void MapEngine::invalidatezone(int32_t slot)
{
    const zonetype* b = a.ActiveBzone[slot].get();
    if (!b) return;
    // In 64 bits: a projected value that saturates stays far off the picture.
    int64_t L = int64_t(Int(plat::Round(screenx(b->x1)))) - kMargin;
    int64_t T = int64_t(Int(plat::Round(screeny(b->y1)))) - kMargin;
    int64_t R = int64_t(Int(plat::Round(screenx(b->x2)))) + kMargin;
    int64_t B = int64_t(Int(plat::Round(screeny(b->y2)))) + kMargin;
    if (R < 0 || B < 0 || L > m.mapscreenwid || T > m.mapscreenht) return;
    L = std::max<int64_t>(L, 0);
    T = std::max<int64_t>(T, 0);
    R = std::min<int64_t>(R, m.mapscreenwid);
    B = std::min<int64_t>(B, m.mapscreenht);

    if (m.Nzones < 0) m.Nzones = 0;
    for (int32_t j = 1; j <= m.Nzones; ++j) {
        const zonetype* r = a.zone[j].get();
        if (r && r->x1 < L && R < r->x2 && r->y1 < T && B < r->y2) return;
    }

    auto put = [&](int32_t j, double x1, double y1, double x2, double y2) {
        auto& rec = a.zone[j];
        if (!rec) rec = std::make_unique<zonetype>();
        rec->x1 = x1;
        rec->y1 = y1;
        rec->x2 = x2;
        rec->y2 = y2;
    };
    if (m.Nzones >= a.zone.ubound()) {
        // The list is full: one rectangle over the whole picture stands for all
        // of them, so this step repairs all of p1 instead of losing a border's box.
        m.Nzones = 1;
        put(1, 0, 0, m.mapscreenwid, m.mapscreenht);
        return;
    }
    ++m.Nzones;
    put(m.Nzones, double(L), double(T), double(R), double(B));
}

void MapEngine::localrefresh()
{
    using namespace mapdraw;
    if (!m.p1 || !m.p2) {
        m.Nzones = 0;
        return;
    }
    plat::Picture& pic = *m.p1;
    const int32_t nz = std::clamp<int32_t>(m.Nzones, 0, a.zone.ubound());
    const int32_t nb = std::clamp<int32_t>(m.NActiveBdrs, 0, a.ActiveBdr.ubound());
    const int32_t np = std::clamp<int32_t>(m.NActivePts, 0, a.ActivePt.ubound());

    // Stage 1: restore the rectangles from p2, mark what meets them.
    if (nz > 0) {
        for (int32_t j = 1; j <= nz; ++j) {
            const zonetype* r = a.zone[j].get();
            if (!r) continue;
            pic.graphics().DrawPicture(*m.p2, Int(r->x1), Int(r->y1), Int(r->x2 - r->x1 + 1), Int(r->y2 - r->y1 + 1),
                                       Int(r->x1), Int(r->y1));
        }
        // The box around all rectangles: nothing outside it meets one of them.
        double ux1 = 0, uy1 = 0, ux2 = 0, uy2 = 0;
        bool any = false;
        for (int32_t j = 1; j <= nz; ++j) {
            const zonetype* r = a.zone[j].get();
            if (!r) continue;
            ux1 = any ? std::min(ux1, r->x1) : r->x1;
            uy1 = any ? std::min(uy1, r->y1) : r->y1;
            ux2 = any ? std::max(ux2, r->x2) : r->x2;
            uy2 = any ? std::max(uy2, r->y2) : r->y2;
            any = true;
        }
        ux1 -= kMargin;
        uy1 -= kMargin;
        ux2 += kMargin;
        uy2 += kMargin;
        for (int32_t k = 1; k <= nb && any; ++k) {
            if (a.ActiveBdrawnow[k]) continue;
            const zonetype* b = a.ActiveBzone[k].get();
            if (!b) continue;
            const double bx1 = screenx(b->x1), by1 = screeny(b->y1), bx2 = screenx(b->x2), by2 = screeny(b->y2);
            if (!(ux1 < bx2 && uy1 < by2 && bx1 < ux2 && by1 < uy2)) continue;
            for (int32_t j = 1; j <= nz; ++j) {
                if (meetsZone(a.zone[j].get(), bx1, by1, bx2, by2)) {
                    a.ActiveBdrawnow[k] = true;
                    m.somebdraw = true;
                    break;
                }
            }
        }
        const ZoneGrid grid(*this, nz, ux1, uy1, ux2, uy2);
        for (int32_t k = 1; k <= np && any; ++k) {
            if (a.ActivePtnow[k]) continue;
            bool hit = false;
            const int32_t id = a.ActivePt[k];
            if (!a.ptinfo.valid(id)) continue;
            // No seed of a point whose seeds' box lies off the box around the rectangles meets one.
            const SeedBox& bb = a.coords.fillBox(static_cast<size_t>(id), a.ptinfo[id]);
            if (bb.x1 > bb.x2) continue;
            const double bx1 = screenx(bb.x1), bx2 = screenx(bb.x2), by1 = screeny(bb.y1), by2 = screeny(bb.y2);
            if (!(ux1 < std::max(bx1, bx2) && std::min(bx1, bx2) < ux2 && uy1 < std::max(by1, by2) && std::min(by1, by2) < uy2))
                continue;
            for (const Seed& seed : a.coords.fill(static_cast<size_t>(id), a.ptinfo[id])) {
                if (hit) break;
                if (!(seed.size * m.scale > 0.05)) continue;
                const double sx = screenx(seed.x), sy = screeny(seed.y);
                if (!(ux1 < sx && uy1 < sy && sx < ux2 && sy < uy2)) continue;
                for (const int32_t j : grid.zonesAt(sx, sy))
                    if ((hit = meetsZone(a.zone[j].get(), sx, sy, sx, sy))) break;
            }
            if (hit) {
                a.ActivePtnow[k] = true;
                m.somepaint = true;
            }
        }
    }

    // Stage 2: the marked borders, in the border colour.
    if (m.somebdraw) {
        pic.graphics().SetForeColor(a.bordercolor);
        for (int32_t k = 1; k <= nb; ++k) {
            if (!a.ActiveBdrawnow[k]) continue;
            if (strokeBorder(*this, a, pic, m.mapscreenwid, m.mapscreenht, k)) m.localrefchanges = true;
            a.ActiveBdrawnow[k] = false;
        }
        m.somebdraw = false;
    }

    // Stage 3: the marked fill points.
    if (m.somepaint) {
        for (int32_t k = 1; k <= np; ++k) {
            if (!a.ActivePtnow[k]) continue;
            if (paintFillPoint(*this, a, pic, m.mapscreenwid, m.mapscreenht, k)) m.localrefchanges = true;
            a.ActivePtnow[k] = false;
        }
        m.somepaint = false;
    }

    // Stage 4: seams. Each edge pixel is compared with its neighbour just outside
    // the rectangle. Rectangles reach one past the picture, so either pixel may lie
    // outside it: such a pair counts as a stop, like a line, and nothing is
    // read or filled there.
    plat::RGBSurface& s = pic.surface();
    const int W = pic.Width(), H = pic.Height();
    auto stop = [&](plat::Color c) { return c == kOtherLine || isLineColor(a, c); };
    auto seam = [&](int x, int y, int dx, int dy) {
        const int ox = x + dx, oy = y + dy;
        if (!pic.contains(x, y) || !pic.contains(ox, oy)) return;
        const plat::Color ci = s.Pixel(x, y), co = s.Pixel(ox, oy);
        if (ci == co || stop(ci) || stop(co)) return;
        if (ci == a.blankgrey) s.FloodFill(x, y, co);
        else s.FloodFill(ox, oy, ci);
        m.localrefchanges = true;
    };
    for (int32_t j = 1; j <= nz; ++j) {
        const zonetype* r = a.zone[j].get();
        if (!r) continue;
        // Every position more than one pixel outside the picture does nothing,
        // so the coordinates are first brought within two pixels of it.
        auto cx = [&](double v) { return Int(std::clamp(v, -2.0, W + 2.0)); };
        auto cy = [&](double v) { return Int(std::clamp(v, -2.0, H + 2.0)); };
        const int left = cx(r->x1), right = cx(r->x2), top = cy(r->y1), bottom = cy(r->y2);
        for (int x = left; x <= right; ++x) seam(x, top, 0, -1);
        for (int y = top + 1; y <= bottom; ++y) seam(right, y, 1, 0);
        for (int x = left; x <= right; ++x) seam(x, bottom, 0, 1);
        for (int y = top + 1; y <= bottom; ++y) seam(left, y, -1, 0);
    }

    m.Nzones = 0;
}

}  // namespace quil2a
