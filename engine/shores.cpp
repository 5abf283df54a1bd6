#include "engine/shores.h"

#include <algorithm>

#include "platform/text.h"

namespace quil2a {

namespace {
// The map's left edge: shore ends on it are closed along it.
constexpr double kLeftEdge = 1.0;
// The map's right and bottom edges.
constexpr double kFrame = 35900.0;
constexpr int32_t kBand = 64;
constexpr size_t kBands = 35904 / kBand + 1;
size_t bandOf(double y) { return static_cast<size_t>(std::clamp(y, 0.0, 35903.0)) / kBand; }

bool shoreType(const plat::Bytes& info)
{
    const std::string_view type = geoLineType(info);
    return type == "C" || type == "I" || type == "L";
}
}  // namespace

void Shores::update(Atlas& a, uint64_t dataHash)
{
    if (built_ && dataHash == key_) return;
    built_ = true;
    key_ = dataHash;
    segs_.clear();
    leftEnds_.clear();
    bands_.assign(kBands, {});
    for (int32_t i = 0; i <= a.geodata.ubound(); ++i) {
        if (plat::Len(a.geodata[i]) <= 1 || !shoreType(a.geoinfo[i])) continue;
        const std::vector<MapPoint>& pts = a.coords.geo(static_cast<size_t>(i), a.geodata[i]);
        if (pts.size() < 2) continue;
        for (size_t k = 0; k + 1 < pts.size(); ++k) segs_.push_back({pts[k].x, pts[k].y, pts[k + 1].x, pts[k + 1].y});
        const MapPoint& f = pts.front();
        const MapPoint& b = pts.back();
        if (f.x == b.x && f.y == b.y) continue;
        if (f.x <= kLeftEdge) leftEnds_.push_back(f.y);
        if (b.x <= kLeftEdge) leftEnds_.push_back(b.y);
    }
    for (uint32_t k = 0; k < segs_.size(); ++k) {
        const Segment& g = segs_[k];
        for (size_t b = bandOf(std::min(g.y1, g.y2)); b <= bandOf(std::max(g.y1, g.y2)); ++b) bands_[b].push_back(k);
    }
    // The water seeds' parity, by majority of the first few.
    int odd = 0, even = 0;
    for (int32_t i = 1; i <= a.wtinfo.ubound() && odd + even < 15; ++i) {
        const plat::Bytes& w = a.wtinfo[i];
        if (!waterSeedEntry(w)) break;
        const std::vector<Seed>& seeds = a.coords.water(static_cast<size_t>(i), w);
        if (seeds.empty()) continue;
        (parity(seeds.front().x, seeds.front().y) ? odd : even)++;
    }
    waterParity_ = odd + even == 0 ? -1 : even > odd ? 0 : 1;
}

int Shores::parity(double x, double y) const
{
    int n = 0;
    for (const uint32_t k : bands_[bandOf(y)]) {
        const Segment& s = segs_[k];
        if ((s.y1 > y) == (s.y2 > y)) continue;
        const double xi = s.x1 + (y - s.y1) * double(s.x2 - s.x1) / double(s.y2 - s.y1);
        if (xi < x) ++n;
    }
    for (double e : leftEnds_)
        if (e < y) ++n;
    return n & 1;
}

bool Shores::water(double x, double y) const
{
    // Beyond the map's frame nothing is drawn.
    if (!(x > kLeftEdge && x < kFrame && y > kLeftEdge && y < kFrame)) return false;
    return waterParity_ >= 0 && !segs_.empty() && parity(x, y) == waterParity_;
}

}  // namespace quil2a
