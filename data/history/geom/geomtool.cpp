// Geometry back end of the history compiler (GEOS C API).
//
//   geomtool faces INPUT FACES.wkt  > faces.txt
//   geomtool labels FACES.wkt REQUESTS > labels.txt
//
// faces: reads the geography item, the water seeds and the province classes and
// overlay shapes written by the compiler (map units), and writes the land faces
// cut by every class and shape boundary, a seed list for every face (also cut by
// the rivers, each naming its piece) and the border chains between faces, their loose ends carried
// along the coast to its vertices so that the drawn lines close exactly; and, for the water check,
// every face of the shore lines (G: seeded, water by the geography, area, a point
// inside); and deep seeds of a face that lie in another class (M: a border lost).
// labels: for each request (a set of faces) where in their union a name fits:
// on the piece holding the capital, and on the largest piece elsewhere.
#include <geos_c.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <queue>
#include <set>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

GEOSContextHandle_t ctx;

// Overlays snap to this grid (map units), which keeps them robust.
constexpr double kGrid = 0.01;
// Holes and parts of a dissolved class below this area (square map units) are gaps of the data.
constexpr double kSliver = 25;

void geosMessage(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    std::fprintf(stderr, "geos: ");
    std::vfprintf(stderr, fmt, ap);
    std::fputc('\n', stderr);
    va_end(ap);
}

GEOSGeometry* checked(GEOSGeometry* g, const char* what)
{
    if (!g) {
        std::fprintf(stderr, "geomtool: %s failed\n", what);
        std::exit(1);
    }
    return g;
}

GEOSGeometry* uunion(const GEOSGeometry* g) { return checked(GEOSUnaryUnionPrec_r(ctx, g, kGrid), "union"); }

void notice(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    std::vfprintf(stderr, fmt, ap);
    va_end(ap);
    std::fputc('\n', stderr);
}

[[noreturn]] void die(const std::string& why)
{
    std::fprintf(stderr, "geomtool: %s\n", why.c_str());
    std::exit(1);
}

struct Pt {
    double x, y;
};
using Line = std::vector<Pt>;

GEOSGeometry* makeLine(const Line& l)
{
    GEOSCoordSequence* cs = GEOSCoordSeq_create_r(ctx, static_cast<unsigned>(l.size()), 2);
    for (size_t i = 0; i < l.size(); ++i) GEOSCoordSeq_setXY_r(ctx, cs, static_cast<unsigned>(i), l[i].x, l[i].y);
    return GEOSGeom_createLineString_r(ctx, cs);
}

GEOSGeometry* makePoint(double x, double y) { return GEOSGeom_createPointFromXY_r(ctx, x, y); }

Line lineOf(const GEOSGeometry* g)
{
    Line l;
    const GEOSCoordSequence* cs = GEOSGeom_getCoordSeq_r(ctx, g);
    unsigned n = 0;
    GEOSCoordSeq_getSize_r(ctx, cs, &n);
    l.resize(n);
    for (unsigned i = 0; i < n; ++i) GEOSCoordSeq_getXY_r(ctx, cs, i, &l[i].x, &l[i].y);
    return l;
}

// Every line string inside g (any nesting), appended to out.
void collectLines(const GEOSGeometry* g, std::vector<Line>& out)
{
    const int type = GEOSGeomTypeId_r(ctx, g);
    if (type == GEOS_LINESTRING || type == GEOS_LINEARRING) {
        Line l = lineOf(g);
        if (l.size() >= 2) out.push_back(std::move(l));
    } else if (type == GEOS_MULTILINESTRING || type == GEOS_GEOMETRYCOLLECTION || type == GEOS_MULTIPOLYGON) {
        const int n = GEOSGetNumGeometries_r(ctx, g);
        for (int i = 0; i < n; ++i) collectLines(GEOSGetGeometryN_r(ctx, g, i), out);
    } else if (type == GEOS_POLYGON) {
        collectLines(GEOSGetExteriorRing_r(ctx, g), out);
        const int n = GEOSGetNumInteriorRings_r(ctx, g);
        for (int i = 0; i < n; ++i) collectLines(GEOSGetInteriorRingN_r(ctx, g, i), out);
    }
}

void collectPolygons(const GEOSGeometry* g, std::vector<GEOSGeometry*>& out)
{
    const int type = GEOSGeomTypeId_r(ctx, g);
    if (type == GEOS_POLYGON) {
        if (!GEOSisEmpty_r(ctx, g)) out.push_back(GEOSGeom_clone_r(ctx, g));
    } else if (type == GEOS_MULTIPOLYGON || type == GEOS_GEOMETRYCOLLECTION) {
        const int n = GEOSGetNumGeometries_r(ctx, g);
        for (int i = 0; i < n; ++i) collectPolygons(GEOSGetGeometryN_r(ctx, g, i), out);
    }
}

// The polygons of g without holes or parts below minArea, as one multipolygon.
GEOSGeometry* cleanPolygons(const GEOSGeometry* g, double minArea)
{
    std::vector<GEOSGeometry*> polys, kept;
    collectPolygons(g, polys);
    for (GEOSGeometry* p : polys) {
        double a = 0;
        GEOSArea_r(ctx, p, &a);
        if (a < minArea) {
            GEOSGeom_destroy_r(ctx, p);
            continue;
        }
        GEOSGeometry* shell = GEOSGeom_clone_r(ctx, GEOSGetExteriorRing_r(ctx, p));
        std::vector<GEOSGeometry*> holes;
        const int n = GEOSGetNumInteriorRings_r(ctx, p);
        for (int i = 0; i < n; ++i) {
            const GEOSGeometry* ring = GEOSGetInteriorRingN_r(ctx, p, i);
            GEOSGeometry* hp = GEOSGeom_createPolygon_r(ctx, GEOSGeom_clone_r(ctx, ring), nullptr, 0);
            double ha = 0;
            GEOSArea_r(ctx, hp, &ha);
            GEOSGeom_destroy_r(ctx, hp);
            if (ha >= minArea) holes.push_back(GEOSGeom_clone_r(ctx, ring));
        }
        kept.push_back(GEOSGeom_createPolygon_r(ctx, shell, holes.data(), static_cast<unsigned>(holes.size())));
        GEOSGeom_destroy_r(ctx, p);
    }
    return GEOSGeom_createCollection_r(ctx, GEOS_MULTIPOLYGON, kept.data(), static_cast<unsigned>(kept.size()));
}

GEOSGeometry* multiLine(const std::vector<Line>& lines)
{
    std::vector<GEOSGeometry*> parts;
    for (const Line& l : lines)
        if (l.size() >= 2) parts.push_back(makeLine(l));
    return GEOSGeom_createCollection_r(ctx, GEOS_MULTILINESTRING, parts.data(), static_cast<unsigned>(parts.size()));
}

// Noded union of lines, merged into chains between nodes.
std::vector<Line> nodeAndMerge(const std::vector<Line>& lines)
{
    GEOSGeometry* ml = multiLine(lines);
    GEOSGeometry* noded = uunion(ml);
    GEOSGeom_destroy_r(ctx, ml);
    GEOSGeometry* merged = GEOSLineMerge_r(ctx, noded);
    GEOSGeom_destroy_r(ctx, noded);
    std::vector<Line> out;
    collectLines(merged, out);
    GEOSGeom_destroy_r(ctx, merged);
    return out;
}

// Point inside polygon g far from its boundary: centre and radius.
void inscribed(const GEOSGeometry* g, double& cx, double& cy, double& r)
{
    double x1, y1, x2, y2;
    GEOSGeom_getXMin_r(ctx, g, &x1);
    GEOSGeom_getYMin_r(ctx, g, &y1);
    GEOSGeom_getXMax_r(ctx, g, &x2);
    GEOSGeom_getYMax_r(ctx, g, &y2);
    const double tol = std::max(0.25, std::min(x2 - x1, y2 - y1) / 200.0);
    GEOSGeometry* mic = GEOSMaximumInscribedCircle_r(ctx, g, tol);
    Line l = mic ? lineOf(mic) : Line{};
    if (mic) GEOSGeom_destroy_r(ctx, mic);
    if (l.size() >= 2) {
        cx = l[0].x;
        cy = l[0].y;
        r = std::hypot(l[1].x - l[0].x, l[1].y - l[0].y);
    } else {
        GEOSGeometry* p = GEOSPointOnSurface_r(ctx, g);
        GEOSGeomGetX_r(ctx, p, &cx);
        GEOSGeomGetY_r(ctx, p, &cy);
        GEOSGeom_destroy_r(ctx, p);
        r = 0;
    }
}

// A uniform grid over segments for nearest-vertex and distance queries.
class SegGrid {
public:
    explicit SegGrid(double cell) : cell_(cell) {}
    void add(const Line& l)
    {
        for (size_t i = 0; i + 1 < l.size(); ++i) {
            const size_t id = segs_.size();
            segs_.push_back({l[i], l[i + 1]});
            const int gx1 = key(std::min(l[i].x, l[i + 1].x)), gx2 = key(std::max(l[i].x, l[i + 1].x));
            const int gy1 = key(std::min(l[i].y, l[i + 1].y)), gy2 = key(std::max(l[i].y, l[i + 1].y));
            for (int gx = gx1; gx <= gx2; ++gx)
                for (int gy = gy1; gy <= gy2; ++gy) cells_[pack(gx, gy)].push_back(id);
        }
    }
    void add(const Line& l, int tag)
    {
        const size_t first = segs_.size();
        add(l);
        tags_.resize(segs_.size(), -1);
        for (size_t i = first; i < segs_.size(); ++i) tags_[i] = tag;
    }
    // Distance from p to the nearest segment within reach (or a large number).
    double distance(Pt p, double reach) const
    {
        double best = 1e18;
        visit(p, reach, [&](const Seg& s) { best = std::min(best, segDist(p, s)); });
        return best;
    }
    // The same, over the segments added with a tag other than `tag`.
    double distanceExcept(Pt p, double reach, int tag) const
    {
        double best = 1e18;
        visitIds(p, reach, [&](size_t id) {
            if (id < tags_.size() && tags_[id] != tag) best = std::min(best, segDist(p, segs_[id]));
        });
        return best;
    }
    // The point of the nearest segment within reach nearest to p, and that
    // segment's end point nearer to it; false when none.
    bool nearestOnSegment(Pt p, double reach, Pt& on, Pt& end) const
    {
        double best = reach;
        bool found = false;
        visit(p, reach, [&](const Seg& s) {
            const double d = segDist(p, s);
            if (d > best || (found && d == best)) return;
            const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y, len = dx * dx + dy * dy;
            const double t = len > 0 ? std::clamp(((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / len, 0.0, 1.0) : 0;
            on = {s.a.x + t * dx, s.a.y + t * dy};
            end = t < 0.5 ? s.a : s.b;
            best = d;
            found = true;
        });
        return found;
    }
    // The nearest end point within reach of a segment added with the tag of a
    // segment through p; false when none.
    bool nearestVertexAlong(Pt p, double reach, Pt& out) const
    {
        std::set<int> on;
        visitIds(p, 0.01, [&](size_t id) {
            if (segDist(p, segs_[id]) < 0.01) on.insert(tag(id));
        });
        double best = reach * reach;
        bool found = false;
        visitIds(p, reach, [&](size_t id) {
            if (!on.count(tag(id))) return;
            for (const Pt& q : {segs_[id].a, segs_[id].b}) {
                const double d = (q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y);
                if (d < best || (d == best && found && (q.x < out.x || (q.x == out.x && q.y < out.y)))) {
                    out = q;
                    best = d;
                    found = true;
                }
            }
        });
        return found;
    }
    // The ids of the segments in the cells within reach of p (an id may come
    // more than once), and the tag a segment was added with (-1 for none).
    template <class F>
    void visitIds(Pt p, double reach, F f) const
    {
        const int gx1 = key(p.x - reach), gx2 = key(p.x + reach), gy1 = key(p.y - reach), gy2 = key(p.y + reach);
        for (int gx = gx1; gx <= gx2; ++gx)
            for (int gy = gy1; gy <= gy2; ++gy) {
                auto it = cells_.find(pack(gx, gy));
                if (it == cells_.end()) continue;
                for (size_t id : it->second) f(id);
            }
    }
    int tag(size_t id) const { return id < tags_.size() ? tags_[id] : -1; }
    size_t size() const { return segs_.size(); }
    std::pair<Pt, Pt> segment(size_t id) const { return {segs_[id].a, segs_[id].b}; }

private:
    struct Seg {
        Pt a, b;
    };
    int key(double v) const { return static_cast<int>(std::floor(v / cell_)); }
    static long long pack(int gx, int gy) { return (static_cast<long long>(gx) << 32) ^ static_cast<unsigned>(gy); }
    static double segDist(Pt p, const Seg& s)
    {
        const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
        const double len = dx * dx + dy * dy;
        double t = len > 0 ? ((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / len : 0;
        t = std::clamp(t, 0.0, 1.0);
        return std::hypot(s.a.x + t * dx - p.x, s.a.y + t * dy - p.y);
    }
    template <class F>
    void visit(Pt p, double reach, F f) const
    {
        visitIds(p, reach, [&](size_t id) { f(segs_[id]); });
    }
    double cell_;
    std::vector<Seg> segs_;
    std::vector<int> tags_;
    std::unordered_map<long long, std::vector<size_t>> cells_;
};

// Polygons with an index for point location.
class PolyIndex {
public:
    ~PolyIndex()
    {
        for (auto* p : prepared_) GEOSPreparedGeom_destroy_r(ctx, p);
        if (tree_) GEOSSTRtree_destroy_r(ctx, tree_);
    }
    void add(const GEOSGeometry* g, int id)
    {
        geoms_.push_back(g);
        ids_.push_back(id);
    }
    void build()
    {
        tree_ = GEOSSTRtree_create_r(ctx, 10);
        for (size_t i = 0; i < geoms_.size(); ++i) {
            prepared_.push_back(GEOSPrepare_r(ctx, geoms_[i]));
            GEOSSTRtree_insert_r(ctx, tree_, geoms_[i], reinterpret_cast<void*>(i + 1));
        }
    }
    // Ids of every polygon that contains (x, y).
    std::vector<int> locateAll(double x, double y) const
    {
        GEOSGeometry* pt = makePoint(x, y);
        std::vector<size_t> hits;
        GEOSSTRtree_query_r(
            ctx, tree_, pt, [](void* item, void* data) {
                static_cast<std::vector<size_t>*>(data)->push_back(reinterpret_cast<size_t>(item) - 1);
            },
            &hits);
        std::sort(hits.begin(), hits.end());
        std::vector<int> out;
        for (size_t i : hits)
            if (GEOSPreparedContains_r(ctx, prepared_[i], pt) == 1) out.push_back(ids_[i]);
        GEOSGeom_destroy_r(ctx, pt);
        return out;
    }
    int locate(double x, double y) const
    {
        auto all = locateAll(x, y);
        return all.empty() ? -1 : all.front();
    }
    // The distance from (x, y) to the polygons of an id.
    double distance(int id, double x, double y) const
    {
        GEOSGeometry* pt = makePoint(x, y);
        double best = 1e18;
        for (size_t i = 0; i < geoms_.size(); ++i) {
            double d = 0;
            if (ids_[i] == id && GEOSDistance_r(ctx, geoms_[i], pt, &d) == 1) best = std::min(best, d);
        }
        GEOSGeom_destroy_r(ctx, pt);
        return best;
    }
    // Ids of the polygons within d of g, in order, each once.
    std::vector<int> within(const GEOSGeometry* g, double d) const
    {
        double x1, y1, x2, y2;
        GEOSGeom_getXMin_r(ctx, g, &x1);
        GEOSGeom_getYMin_r(ctx, g, &y1);
        GEOSGeom_getXMax_r(ctx, g, &x2);
        GEOSGeom_getYMax_r(ctx, g, &y2);
        GEOSGeometry* box = GEOSGeom_createRectangle_r(ctx, x1 - d, y1 - d, x2 + d, y2 + d);
        std::vector<size_t> hits;
        GEOSSTRtree_query_r(
            ctx, tree_, box, [](void* item, void* data) {
                static_cast<std::vector<size_t>*>(data)->push_back(reinterpret_cast<size_t>(item) - 1);
            },
            &hits);
        GEOSGeom_destroy_r(ctx, box);
        std::set<int> out;
        for (size_t i : hits) {
            double dist = 0;
            if (!out.count(ids_[i]) && GEOSDistance_r(ctx, geoms_[i], g, &dist) == 1 && dist <= d) out.insert(ids_[i]);
        }
        return {out.begin(), out.end()};
    }
    // The polygon nearest to (x, y).
    int nearest(double x, double y) const
    {
        GEOSGeometry* pt = makePoint(x, y);
        struct Q {
            const PolyIndex* self;
        } q{this};
        const void* item = GEOSSTRtree_nearest_generic_r(
            ctx, tree_, reinterpret_cast<const void*>(pt), pt,
            [](const void* a, const void* b, double* d, void* data) -> int {
                const auto* self = static_cast<Q*>(data)->self;
                const GEOSGeometry* ga = static_cast<const GEOSGeometry*>(a);
                const GEOSGeometry* gb = static_cast<const GEOSGeometry*>(b);
                return GEOSDistance_r(ctx, self->itemGeom(ga), self->itemGeom(gb), d);
            },
            &q);
        GEOSGeom_destroy_r(ctx, pt);
        if (!item) return -1;
        const size_t i = reinterpret_cast<size_t>(item) - 1;
        return i < ids_.size() ? ids_[i] : -1;
    }

private:
    // Items of the tree are indices + 1; anything else is the query point.
    const GEOSGeometry* itemGeom(const void* item) const
    {
        const size_t i = reinterpret_cast<size_t>(item);
        return i >= 1 && i <= geoms_.size() ? geoms_[i - 1] : static_cast<const GEOSGeometry*>(item);
    }
    std::vector<const GEOSGeometry*> geoms_;
    std::vector<int> ids_;
    std::vector<const GEOSPreparedGeometry*> prepared_;
    GEOSSTRtree* tree_ = nullptr;
};

struct GeoFeature {
    char kind;
    Line pts;
};

std::vector<std::string> readLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) die("cannot read " + path);
    std::vector<std::string> out;
    std::string s;
    while (std::getline(in, s)) {
        if (!s.empty() && s.back() == '\r') s.pop_back();
        out.push_back(s);
    }
    return out;
}

Line parsePoints(const std::string& s)
{
    Line l;
    std::istringstream in(s);
    std::string tok;
    while (in >> tok) {
        const auto c = tok.find(',');
        if (c == std::string::npos) continue;
        l.push_back({std::atof(tok.substr(0, c).c_str()), std::atof(tok.substr(c + 1).c_str())});
    }
    return l;
}

std::vector<GeoFeature> readGeo(const std::string& path)
{
    auto lines = readLines(path);
    std::vector<GeoFeature> out;
    for (size_t i = 0; i + 2 < lines.size(); i += 3) {
        const auto c = lines[i].find(',');
        if (c == std::string::npos || c + 1 >= lines[i].size()) continue;
        out.push_back({lines[i][c + 1], parsePoints(lines[i + 2])});
    }
    return out;
}

std::vector<Pt> readWater(const std::string& path)
{
    std::vector<Pt> out;
    for (const auto& s : readLines(path)) {
        const auto c = s.find(':');
        if (c == std::string::npos) continue;
        double x = 0, y = 0, size = 0;
        if (std::sscanf(s.c_str() + c + 1, "%lf,%lf,%lf", &x, &y, &size) == 3) out.push_back({x, y});
    }
    return out;
}

bool samePt(Pt a, Pt b) { return a.x == b.x && a.y == b.y; }

// Polygons of the arrangement of lines.
std::vector<GEOSGeometry*> polygonize(const std::vector<Line>& lines)
{
    GEOSGeometry* ml = multiLine(lines);
    GEOSGeometry* noded = uunion(ml);
    GEOSGeom_destroy_r(ctx, ml);
    const GEOSGeometry* arr[1] = {noded};
    GEOSGeometry* polys = GEOSPolygonize_r(ctx, arr, 1);
    GEOSGeom_destroy_r(ctx, noded);
    std::vector<GEOSGeometry*> out;
    collectPolygons(polys, out);
    GEOSGeom_destroy_r(ctx, polys);
    return out;
}

// Seeds of one piece: the inscribed centre, then the centres of further
// discs along the piece so that narrow or long parts get their own seed.
void pieceSeeds(const GEOSGeometry* g, std::vector<std::pair<Pt, double>>& seeds)
{
    double cx, cy, r;
    inscribed(g, cx, cy, r);
    if (r < 2.0) return;
    seeds.push_back({{cx, cy}, r});
    double x1, y1, x2, y2;
    GEOSGeom_getXMin_r(ctx, g, &x1);
    GEOSGeom_getYMin_r(ctx, g, &y1);
    GEOSGeom_getXMax_r(ctx, g, &x2);
    GEOSGeom_getYMax_r(ctx, g, &y2);
    double step = std::max(3.0, std::min(r / 3.0, 30.0));
    while ((x2 - x1) / step * (y2 - y1) / step > 40000) step *= 1.3;
    const GEOSPreparedGeometry* pg = GEOSPrepare_r(ctx, g);
    GEOSGeometry* boundary = GEOSBoundary_r(ctx, g);
    const GEOSPreparedGeometry* pb = GEOSPrepare_r(ctx, boundary);
    std::vector<std::pair<Pt, double>> cand;
    for (double y = y1 + step / 2; y < y2; y += step)
        for (double x = x1 + step / 2; x < x2; x += step) {
            GEOSGeometry* pt = makePoint(x, y);
            if (GEOSPreparedContains_r(ctx, pg, pt) == 1) {
                double d = 0;
                GEOSPreparedDistance_r(ctx, pb, pt, &d);
                if (d >= 2.0) cand.push_back({{x, y}, d});
            }
            GEOSGeom_destroy_r(ctx, pt);
        }
    GEOSPreparedGeom_destroy_r(ctx, pb);
    GEOSGeom_destroy_r(ctx, boundary);
    GEOSPreparedGeom_destroy_r(ctx, pg);
    std::stable_sort(cand.begin(), cand.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    const size_t first = seeds.size() - 1;
    for (const auto& c : cand) {
        bool covered = false;
        for (size_t i = first; i < seeds.size() && !covered; ++i) {
            const double d = std::hypot(c.first.x - seeds[i].first.x, c.first.y - seeds[i].first.y);
            covered = d < seeds[i].second * 0.9;
        }
        if (!covered) seeds.push_back(c);
        if (seeds.size() - first >= 1000) break;
    }
    // A seed is used only while it lies in the picture: a coarse lattice of
    // seeds keeps every view of a large piece seeded.
    const double lattice = 300;
    const GEOSPreparedGeometry* pg2 = GEOSPrepare_r(ctx, g);
    GEOSGeometry* boundary2 = GEOSBoundary_r(ctx, g);
    const GEOSPreparedGeometry* pb2 = GEOSPrepare_r(ctx, boundary2);
    for (double y = std::floor(y1 / lattice) * lattice + lattice / 2; y < y2; y += lattice)
        for (double x = std::floor(x1 / lattice) * lattice + lattice / 2; x < x2; x += lattice) {
            bool near = false;
            for (size_t i = first; i < seeds.size() && !near; ++i)
                near = std::hypot(x - seeds[i].first.x, y - seeds[i].first.y) < lattice / 2;
            if (near) continue;
            GEOSGeometry* pt = makePoint(x, y);
            if (GEOSPreparedContains_r(ctx, pg2, pt) == 1) {
                double d = 0;
                GEOSPreparedDistance_r(ctx, pb2, pt, &d);
                if (d >= 4.0) seeds.push_back({{x, y}, d});
            }
            GEOSGeom_destroy_r(ctx, pt);
        }
    GEOSPreparedGeom_destroy_r(ctx, pb2);
    GEOSGeom_destroy_r(ctx, boundary2);
    GEOSPreparedGeom_destroy_r(ctx, pg2);
}

// Cells: the pieces into which the cut lines split the provinces they cross,
// each named by points inside it. A cell becomes a shape of its own id; a point
// whose piece is a whole province (the cut missed it) is reported on stdout.
void addCells(const std::vector<GEOSGeometry*>& provinces, const std::vector<Line>& cutLines,
              const std::vector<std::pair<int, Pt>>& points, std::map<int, std::vector<GEOSGeometry*>>& shapeParts)
{
    if (points.empty()) return;
    GEOSGeometry* cuts = multiLine(cutLines);
    const GEOSPreparedGeometry* pc = GEOSPrepare_r(ctx, cuts);
    std::vector<const GEOSGeometry*> used;
    for (const GEOSGeometry* g : provinces) {
        bool take = GEOSPreparedIntersects_r(ctx, pc, g) == 1;
        if (!take) {
            const GEOSPreparedGeometry* pg = GEOSPrepare_r(ctx, g);
            for (const auto& [id, p] : points) {
                GEOSGeometry* pt = makePoint(p.x, p.y);
                take = GEOSPreparedContains_r(ctx, pg, pt) == 1;
                GEOSGeom_destroy_r(ctx, pt);
                if (take) break;
            }
            GEOSPreparedGeom_destroy_r(ctx, pg);
        }
        if (take) used.push_back(g);
    }
    GEOSPreparedGeom_destroy_r(ctx, pc);
    GEOSGeom_destroy_r(ctx, cuts);
    std::vector<Line> lines = cutLines;
    for (const GEOSGeometry* g : used) collectLines(g, lines);
    auto atoms = polygonize(lines);
    PolyIndex idx;
    for (size_t i = 0; i < atoms.size(); ++i) idx.add(atoms[i], static_cast<int>(i));
    idx.build();
    PolyIndex provIdx;
    for (size_t i = 0; i < used.size(); ++i) provIdx.add(used[i], static_cast<int>(i));
    provIdx.build();
    std::map<int, std::vector<GEOSGeometry*>> cells;
    for (const auto& [id, p] : points) {
        // The smallest piece holding the point: holes of the data make larger rings around it.
        int best = -1;
        double bestA = 0;
        for (int a : idx.locateAll(p.x, p.y)) {
            double ar = 0;
            GEOSArea_r(ctx, atoms[a], &ar);
            if (best < 0 || ar < bestA) {
                best = a;
                bestA = ar;
            }
        }
        if (best < 0) {
            std::printf("W cell %d point %.0f,%.0f lies in no province\n", id, p.x, p.y);
            continue;
        }
        const int pv = provIdx.locate(p.x, p.y);
        if (pv >= 0) {
            double pa = 0;
            GEOSArea_r(ctx, used[pv], &pa);
            if (bestA > 0.995 * pa)
                std::printf("W cell %d point %.0f,%.0f: no cut line splits its province (%.0f of %.0f)\n", id, p.x, p.y, bestA, pa);
        }
        cells[id].push_back(GEOSGeom_clone_r(ctx, atoms[best]));
    }
    for (auto& [id, parts] : cells)
        for (auto* g : parts) {
            double ar = 0;
            GEOSArea_r(ctx, g, &ar);
            std::printf("A %d %.0f\n", id, ar);
            shapeParts[id].push_back(g);
        }
    for (auto* a : atoms) GEOSGeom_destroy_r(ctx, a);
}

std::string fmt(double v)
{
    char b[64];
    std::snprintf(b, sizeof b, "%.3f", v);
    return b;
}

// What the compiler hands the faces command: the geography and water items,
// the simplification tolerance, and the polygons of every province class and shape.
struct FacesInput {
    std::string geoPath, waterPath;
    double tol = 8;
    std::map<int, std::vector<GEOSGeometry*>> classParts;
    std::map<int, std::vector<GEOSGeometry*>> shapeParts;
};

FacesInput readFacesInput(const std::string& inputPath)
{
    FacesInput in;
    auto& [geoPath, waterPath, tol, classParts, shapeParts] = in;
    std::vector<GEOSGeometry*> provinces;
    std::vector<Line> cutLines;
    std::vector<std::pair<int, Pt>> cellPoints;
    GEOSWKTReader* reader = GEOSWKTReader_create_r(ctx);
    for (const auto& s : readLines(inputPath)) {
        if (s.rfind("GEO ", 0) == 0) geoPath = s.substr(4);
        else if (s.rfind("WATER ", 0) == 0) waterPath = s.substr(6);
        else if (s.rfind("TOL ", 0) == 0) tol = std::atof(s.c_str() + 4);
        else if (s.rfind("C ", 0) == 0 || s.rfind("S ", 0) == 0) {
            const auto sp = s.find(' ', 2);
            const int id = std::atoi(s.substr(2, sp - 2).c_str());
            GEOSGeometry* g = GEOSWKTReader_read_r(ctx, reader, s.c_str() + sp + 1);
            if (!g) die("bad polygon in " + s.substr(0, 40));
            if (!GEOSisValid_r(ctx, g)) {
                GEOSGeometry* v = GEOSMakeValid_r(ctx, g);
                GEOSGeom_destroy_r(ctx, g);
                g = v;
            }
            if (s[0] == 'C') provinces.push_back(GEOSGeom_clone_r(ctx, g));
            (s[0] == 'C' ? classParts : shapeParts)[id].push_back(g);
        } else if (s.rfind("L ", 0) == 0) {
            const auto sp = s.find(' ', 2);
            Line l = parsePoints(s.substr(sp + 1));
            if (l.size() >= 2) cutLines.push_back(std::move(l));
        } else if (s.rfind("Q ", 0) == 0) {
            int id = 0;
            double x = 0, y = 0;
            if (std::sscanf(s.c_str() + 2, "%d %lf %lf", &id, &x, &y) == 3) cellPoints.push_back({id, {x, y}});
        }
    }
    GEOSWKTReader_destroy_r(ctx, reader);
    addCells(provinces, cutLines, cellPoints, shapeParts);
    for (auto* g : provinces) GEOSGeom_destroy_r(ctx, g);
    return in;
}

// Land from the geography: faces of the coast and lake lines that hold no water
// seed and that the geography does not draw as water (a lake or bay too small
// for a seed stays water all the same).
struct Land {
    std::vector<Line> shore, rivers;
    std::vector<GEOSGeometry*> faces;
    GEOSGeometry* all = nullptr;
};

// Whether a face of the shore lines is water as the geography draws it. Land
// lies left of every coast and island line and left of the Caspian's ring (a
// hole of the mainland, so running the other way round); water lies left of
// every other lake line. The frame along the map edge tells nothing. Shore
// edges of the face vote, up to nine of them.
class ShoreSides {
public:
    explicit ShoreSides(const std::vector<GeoFeature>& geo)
    {
        for (const auto& f : geo) {
            if (f.kind != 'C' && f.kind != 'I' && f.kind != 'L') continue;
            double twice = 0;
            for (size_t i = 0; i + 1 < f.pts.size(); ++i)
                twice += f.pts[i].x * f.pts[i + 1].y - f.pts[i + 1].x * f.pts[i].y;
            const bool closed = f.pts.size() > 2 && samePt(f.pts.front(), f.pts.back());
            segs_.add(f.pts, static_cast<int>(waterLeft_.size()));
            waterLeft_.push_back(f.kind == 'L' && !(closed && twice < 0));
        }
    }
    bool water(const GEOSGeometry* face) const
    {
        std::vector<Line> rings;
        collectLines(face, rings);
        const GEOSPreparedGeometry* pg = GEOSPrepare_r(ctx, face);
        int wet = 0, dry = 0;
        for (const Line& r : rings)
            for (size_t k = 0; k + 1 < r.size() && wet + dry < 9; ++k) {
                const Pt p = r[k], q = r[k + 1];
                const double len = std::hypot(q.x - p.x, q.y - p.y);
                if (len <= 0) continue;
                const Pt m{(p.x + q.x) / 2, (p.y + q.y) / 2};
                int side = 0;
                segs_.visitIds(m, 0.01, [&](size_t id) {
                    const auto [a, b] = segs_.segment(id);
                    if (side || onFrame(a, b) || lineDist(m, a, b) > 0.01) return;
                    const double ab = std::hypot(b.x - a.x, b.y - a.y), off = std::min(0.25, len / 8);
                    const Pt left{m.x - (b.y - a.y) / ab * off, m.y + (b.x - a.x) / ab * off};
                    const Pt right{2 * m.x - left.x, 2 * m.y - left.y};
                    const bool wl = waterLeft_[static_cast<size_t>(segs_.tag(id))];
                    if (contains(pg, left)) side = wl ? 1 : -1;
                    else if (contains(pg, right)) side = wl ? -1 : 1;
                });
                if (side > 0) ++wet;
                if (side < 0) ++dry;
            }
        GEOSPreparedGeom_destroy_r(ctx, pg);
        return wet > dry;
    }

private:
    static bool onFrame(Pt a, Pt b)
    {
        const auto edge = [](double u, double v) { return u == v && (u <= 1 || u >= 35900); };
        return edge(a.x, b.x) || edge(a.y, b.y);
    }
    static double lineDist(Pt p, Pt a, Pt b)
    {
        const double dx = b.x - a.x, dy = b.y - a.y, len = dx * dx + dy * dy;
        const double t = len > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len, 0.0, 1.0) : 0;
        return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
    }
    static bool contains(const GEOSPreparedGeometry* pg, Pt p)
    {
        GEOSGeometry* pt = makePoint(p.x, p.y);
        const bool in = GEOSPreparedContains_r(ctx, pg, pt) == 1;
        GEOSGeom_destroy_r(ctx, pt);
        return in;
    }
    SegGrid segs_{64};
    std::vector<bool> waterLeft_;
};

Land readLand(const std::string& geoPath, const std::string& waterPath)
{
    Land out;
    auto& [shore, rivers, landFaces, land] = out;
    const auto geo = readGeo(geoPath);
    const auto water = readWater(waterPath);
    for (const auto& f : geo) {
        if (f.kind == 'C' || f.kind == 'I' || f.kind == 'L') shore.push_back(f.pts);
        else if (f.kind == 'R') rivers.push_back(f.pts);
    }
    {
        auto faces = polygonize(shore);
        PolyIndex idx;
        for (size_t i = 0; i < faces.size(); ++i) idx.add(faces[i], static_cast<int>(i));
        idx.build();
        std::vector<bool> wet(faces.size(), false);
        for (const Pt& w : water)
            for (int i : idx.locateAll(w.x, w.y)) wet[i] = true;
        // Every face: whether a water seed lies in it, whether the geography
        // draws it as water, its area and a point inside it.
        const ShoreSides sides(geo);
        for (size_t i = 0; i < faces.size(); ++i) {
            const bool truth = sides.water(faces[i]);
            double area = 0, x = 0, y = 0;
            GEOSArea_r(ctx, faces[i], &area);
            GEOSGeometry* p = GEOSPointOnSurface_r(ctx, faces[i]);
            GEOSGeomGetX_r(ctx, p, &x);
            GEOSGeomGetY_r(ctx, p, &y);
            GEOSGeom_destroy_r(ctx, p);
            std::printf("G %d %d %s %s %s\n", wet[i] ? 1 : 0, truth ? 1 : 0, fmt(area).c_str(), fmt(x).c_str(), fmt(y).c_str());
            if (wet[i] || truth) GEOSGeom_destroy_r(ctx, faces[i]);
            else landFaces.push_back(faces[i]);
        }
    }
    {
        std::vector<GEOSGeometry*> copies;
        for (auto* f : landFaces) copies.push_back(GEOSGeom_clone_r(ctx, f));
        GEOSGeometry* coll =
            GEOSGeom_createCollection_r(ctx, GEOS_GEOMETRYCOLLECTION, copies.data(), static_cast<unsigned>(copies.size()));
        land = uunion(coll);
        GEOSGeom_destroy_r(ctx, coll);
    }
    notice("land: %zu faces", landFaces.size());
    return out;
}

// Class polygons dissolved, each with the land no province covers nearest to
// it (a river mouth, a strait, a dike, a seam between two countries' data, a
// coast drawn beyond the provinces': without it two classes meet without a
// boundary there, and their land falls into one face); boundaries between
// them and the shapes' outlines.
struct Boundaries {
    std::vector<std::pair<int, GEOSGeometry*>> classes, shapes;
    std::vector<Line> lines;
};

Boundaries dissolve(std::map<int, std::vector<GEOSGeometry*>>& classParts,
                    std::map<int, std::vector<GEOSGeometry*>>& shapeParts, const GEOSGeometry* land)
{
    Boundaries out;
    auto& [classes, shapes, borderLines] = out;
    {
        std::vector<GEOSGeometry*> copies;
        for (auto& [id, parts] : classParts)
            for (GEOSGeometry* g : parts) copies.push_back(GEOSGeom_clone_r(ctx, g));
        GEOSGeometry* coll =
            GEOSGeom_createCollection_r(ctx, GEOS_GEOMETRYCOLLECTION, copies.data(), static_cast<unsigned>(copies.size()));
        GEOSGeometry* coveredRaw = uunion(coll);
        GEOSGeom_destroy_r(ctx, coll);
        GEOSGeometry* covered = cleanPolygons(coveredRaw, 0);
        GEOSGeom_destroy_r(ctx, coveredRaw);
        GEOSGeometry* landArea = cleanPolygons(land, 0);
        GEOSGeometry* gaps = checked(GEOSDifferencePrec_r(ctx, landArea, covered, kGrid), "gaps");
        GEOSGeom_destroy_r(ctx, landArea);
        GEOSGeom_destroy_r(ctx, covered);
        std::vector<GEOSGeometry*> gapPolys;
        collectPolygons(gaps, gapPolys);
        GEOSGeom_destroy_r(ctx, gaps);
        PolyIndex idx, shapeIdx;
        for (auto& [id, parts] : classParts)
            for (GEOSGeometry* g : parts) idx.add(g, id);
        idx.build();
        for (auto& [id, parts] : shapeParts)
            for (GEOSGeometry* g : parts) shapeIdx.add(g, id);
        shapeIdx.build();
        size_t filled = 0;
        for (GEOSGeometry* g : gapPolys) {
            double a = 0, x = 0, y = 0;
            GEOSArea_r(ctx, g, &a);
            // A gap beside one class only (a coast the provinces draw short of
            // the geography's) stays out: its face is that class's.
            const auto near = a < kSliver ? std::vector<int>{} : idx.within(g, 1);
            if (near.size() < 2) {
                GEOSGeom_destroy_r(ctx, g);
                continue;
            }
            GEOSGeometry* p = GEOSPointOnSurface_r(ctx, g);
            GEOSGeomGetX_r(ctx, p, &x);
            GEOSGeomGetY_r(ctx, p, &y);
            GEOSGeom_destroy_r(ctx, p);
            const int c = idx.nearest(x, y);
            // A shape beside the gap as near as that class (a cell of its
            // province above all) takes the gap too.
            const int sh = shapeIdx.nearest(x, y);
            if (sh >= 0 && shapeIdx.distance(sh, x, y) <= idx.distance(c, x, y) + 1)
                shapeParts[sh].push_back(GEOSGeom_clone_r(ctx, g));
            classParts[c].push_back(g);
            ++filled;
        }
        notice("gaps between the provinces: %zu filled", filled);
    }
    std::vector<GEOSGeometry*> all;
    for (auto& [id, parts] : classParts) {
        GEOSGeometry* coll =
            GEOSGeom_createCollection_r(ctx, GEOS_GEOMETRYCOLLECTION, parts.data(), static_cast<unsigned>(parts.size()));
        GEOSGeometry* raw = uunion(coll);
        GEOSGeometry* u = cleanPolygons(raw, kSliver);
        GEOSGeom_destroy_r(ctx, raw);
        GEOSGeom_destroy_r(ctx, coll);
        classes.push_back({id, u});
        all.push_back(GEOSGeom_clone_r(ctx, u));
    }
    {
        std::vector<Line> bl;
        for (auto& c : classes) collectLines(c.second, bl);
        GEOSGeometry* ml = multiLine(bl);
        GEOSGeometry* noded = uunion(ml);
        GEOSGeom_destroy_r(ctx, ml);
        GEOSGeometry* allColl =
            GEOSGeom_createCollection_r(ctx, GEOS_GEOMETRYCOLLECTION, all.data(), static_cast<unsigned>(all.size()));
        GEOSGeometry* outerRaw = uunion(allColl);
        GEOSGeometry* outer = cleanPolygons(outerRaw, kSliver);
        GEOSGeom_destroy_r(ctx, outerRaw);
        GEOSGeom_destroy_r(ctx, allColl);
        GEOSGeometry* outerB = GEOSBoundary_r(ctx, outer);
        GEOSGeometry* inner = GEOSDifferencePrec_r(ctx, noded, outerB, kGrid);
        collectLines(inner, borderLines);
        GEOSGeom_destroy_r(ctx, inner);
        GEOSGeom_destroy_r(ctx, outerB);
        GEOSGeom_destroy_r(ctx, outer);
        GEOSGeom_destroy_r(ctx, noded);
    }
    for (auto& [id, parts] : shapeParts) {
        GEOSGeometry* coll =
            GEOSGeom_createCollection_r(ctx, GEOS_GEOMETRYCOLLECTION, parts.data(), static_cast<unsigned>(parts.size()));
        GEOSGeometry* raw = uunion(coll);
        GEOSGeometry* u = cleanPolygons(raw, kSliver);
        GEOSGeom_destroy_r(ctx, raw);
        GEOSGeom_destroy_r(ctx, coll);
        shapes.push_back({id, u});
        collectLines(u, borderLines);
    }
    notice("classes: %zu, shapes: %zu, boundary lines: %zu", classes.size(), shapes.size(), borderLines.size());
    return out;
}

// Rivers, indexed by segment, for the nearest river point to a border vertex.
class RiverIndex {
public:
    struct Hit {
        int river = -1;
        size_t seg = 0;
        double pos = 0, d = 1e18;
        Pt at{0, 0};
    };
    explicit RiverIndex(const std::vector<Line>& rivers) : rivers_(rivers), grid_(64)
    {
        for (size_t r = 0; r < rivers_.size(); ++r) {
            const Line& l = rivers_[r];
            first_.push_back(grid_.size());
            grid_.add(l, static_cast<int>(r));
            std::vector<double> along{0};
            for (size_t i = 0; i + 1 < l.size(); ++i)
                along.push_back(along.back() + std::hypot(l[i + 1].x - l[i].x, l[i + 1].y - l[i].y));
            along_.push_back(std::move(along));
        }
    }
    // The nearest river point within reach (river -1 when none); with river >= 0 only on that river.
    Hit nearest(Pt p, double reach, int river = -1) const
    {
        Hit best;
        grid_.visitIds(p, reach, [&](size_t id) {
            const int r = grid_.tag(id);
            if (river >= 0 && r != river) return;
            const size_t i = id - first_[static_cast<size_t>(r)];
            const Pt a = rivers_[r][i], b = rivers_[r][i + 1];
            const double dx = b.x - a.x, dy = b.y - a.y, len = dx * dx + dy * dy;
            const double t = len > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len, 0.0, 1.0) : 0;
            const Pt q{a.x + t * dx, a.y + t * dy};
            const double d = std::hypot(q.x - p.x, q.y - p.y);
            if (d <= reach && (d < best.d || (d == best.d && (r < best.river || (r == best.river && i < best.seg)))))
                best = {r, i, along_[r][i] + t * std::sqrt(len), d, q};
        });
        return best;
    }
    // The rivers that come within reach of p, in order.
    std::vector<int> riversNear(Pt p, double reach) const
    {
        std::set<int> out;
        grid_.visitIds(p, reach, [&](size_t id) {
            const int r = grid_.tag(id);
            if (!out.count(r) && nearest(p, reach, r).river >= 0) out.insert(r);
        });
        return {out.begin(), out.end()};
    }
    // The river's course from hit a to hit b (same river), both ends included.
    Line course(const Hit& a, const Hit& b) const
    {
        const Line& l = rivers_[a.river];
        Line out{a.at};
        if (a.pos <= b.pos)
            for (size_t i = a.seg + 1; i <= b.seg; ++i) out.push_back(l[i]);
        else
            for (size_t i = a.seg; i > b.seg; --i) out.push_back(l[i]);
        out.push_back(b.at);
        Line clean;
        for (const Pt& p : out)
            if (clean.empty() || std::hypot(p.x - clean.back().x, p.y - clean.back().y) > 0.5) clean.push_back(p);
        return clean;
    }

private:
    const std::vector<Line>& rivers_;
    SegGrid grid_;                   // river segments, tagged with their river
    std::vector<size_t> first_;      // each river's first segment id in the grid
    std::vector<std::vector<double>> along_;
};

// A border that runs along a river, less than kAlongRiver from it, is moved
// onto the river: the strip between them would be too narrow to fill. A
// junction on such a stretch moves with it, and the other borders that end
// there follow; a junction moves once, a point on the shore never. Only where
// the strip holds no other border, and each stretch of river takes one border.
constexpr double kAlongRiver = 30;
constexpr double kLeastRun = 40;

int followRivers(std::vector<Line>& pieces, const std::vector<Line>& rivers, const SegGrid& shore)
{
    const RiverIndex idx(rivers);
    using Key = std::pair<double, double>;
    auto keyOf = [](Pt p) { return Key{p.x, p.y}; };
    std::map<Key, std::vector<std::pair<size_t, int>>> nodes;
    for (size_t k = 0; k < pieces.size(); ++k) {
        nodes[keyOf(pieces[k].front())].push_back({k, 0});
        nodes[keyOf(pieces[k].back())].push_back({k, 1});
    }
    std::set<Key> moved;
    std::vector<std::array<double, 4>> boxes(pieces.size());
    auto boxOf = [&](size_t k) {
        std::array<double, 4> b{1e18, 1e18, -1e18, -1e18};
        for (const Pt& p : pieces[k]) b = {std::min(b[0], p.x), std::min(b[1], p.y), std::max(b[2], p.x), std::max(b[3], p.y)};
        boxes[k] = b;
    };
    for (size_t k = 0; k < pieces.size(); ++k) boxOf(k);
    std::map<int, std::vector<std::pair<double, double>>> claimed;
    int runsMoved = 0;
    for (size_t k = 0; k < pieces.size(); ++k) {
        const size_t n = pieces[k].size();
        if (n < 2) continue;
        std::vector<RiverIndex::Hit> hit(n);
        const bool closed = samePt(pieces[k].front(), pieces[k].back());
        for (size_t i = 0; i < n; ++i) {
            const bool end = i == 0 || i + 1 == n;
            // A vertex on the shore stays: the faces on its two sides close there.
            if (shore.distance(pieces[k][i], 1) < 0.5) continue;
            if (!end || (!closed && !moved.count(keyOf(pieces[k][i])))) hit[i] = idx.nearest(pieces[k][i], kAlongRiver);
        }
        // Whether the segment from vertex i to i + 1 keeps near river r all along.
        auto segNear = [&](size_t i, int r) {
            const Line& l = pieces[k];
            for (int q = 1; q < 4; ++q) {
                const Pt p{l[i].x + (l[i + 1].x - l[i].x) * q / 4, l[i].y + (l[i + 1].y - l[i].y) * q / 4};
                if (idx.nearest(p, kAlongRiver, r).river < 0) return false;
            }
            return true;
        };
        // Runs of vertices near one river (where rivers join, the one followed longest).
        std::vector<std::pair<size_t, size_t>> runs;
        for (size_t i = 0; i < n;) {
            if (hit[i].river < 0) {
                ++i;
                continue;
            }
            size_t bestJ = i;
            int bestR = -1;
            for (int r : idx.riversNear(pieces[k][i], kAlongRiver)) {
                size_t j = i;
                while (j + 1 < n && hit[j + 1].river >= 0 && idx.nearest(pieces[k][j + 1], kAlongRiver, r).river >= 0 &&
                       segNear(j, r))
                    ++j;
                if (j > bestJ) {
                    bestJ = j;
                    bestR = r;
                }
            }
            if (bestR >= 0) {
                for (size_t q = i; q <= bestJ; ++q) hit[q] = idx.nearest(pieces[k][q], kAlongRiver, bestR);
                runs.push_back({i, bestJ});
            }
            i = bestJ + 1;
        }
        if (runs.empty()) continue;
        const Line l = pieces[k];
        Line out;
        size_t next = 0;
        std::vector<std::pair<Key, Pt>> shifts;
        for (const auto& [a, b] : runs) {
            const RiverIndex::Hit &ha = hit[a], &hb = hit[b];
            double borderLen = 0;
            bool monotone = true;
            for (size_t i = a; i < b; ++i) {
                borderLen += std::hypot(l[i + 1].x - l[i].x, l[i + 1].y - l[i].y);
                if ((hit[i + 1].pos - hit[i].pos) * (hb.pos - ha.pos) < 0) monotone = false;
            }
            const double extent = std::fabs(hb.pos - ha.pos);
            if (!monotone || extent < kLeastRun || extent < 0.5 * borderLen) continue;
            const double lo = std::min(ha.pos, hb.pos), hi = std::max(ha.pos, hb.pos);
            auto& taken = claimed[ha.river];
            if (std::any_of(taken.begin(), taken.end(), [&](const auto& t) { return t.first < hi && lo < t.second; })) continue;
            const Line course = idx.course(ha, hb);
            // Junctions that move with the run.
            std::set<Key> ends;
            if (a == 0) ends.insert(keyOf(l.front()));
            if (b + 1 == n) ends.insert(keyOf(l.back()));
            // The strip between the border and the river: narrow and crossed by no other border.
            Line ring(l.begin() + static_cast<long>(a), l.begin() + static_cast<long>(b) + 1);
            ring.insert(ring.end(), course.rbegin(), course.rend());
            ring.push_back(ring.front());
            if (ring.size() < 4) continue;
            GEOSCoordSequence* cs = GEOSCoordSeq_create_r(ctx, static_cast<unsigned>(ring.size()), 2);
            for (size_t i = 0; i < ring.size(); ++i) GEOSCoordSeq_setXY_r(ctx, cs, static_cast<unsigned>(i), ring[i].x, ring[i].y);
            GEOSGeometry* raw = GEOSGeom_createPolygon_r(ctx, GEOSGeom_createLinearRing_r(ctx, cs), nullptr, 0);
            GEOSGeometry* strip = GEOSMakeValid_r(ctx, raw);
            GEOSGeom_destroy_r(ctx, raw);
            double area = 0;
            GEOSArea_r(ctx, strip, &area);
            bool ok = area <= kAlongRiver * extent;
            double x1, y1, x2, y2;
            GEOSGeom_getXMin_r(ctx, strip, &x1);
            GEOSGeom_getYMin_r(ctx, strip, &y1);
            GEOSGeom_getXMax_r(ctx, strip, &x2);
            GEOSGeom_getYMax_r(ctx, strip, &y2);
            const GEOSPreparedGeometry* ps = GEOSPrepare_r(ctx, strip);
            for (size_t o = 0; o < pieces.size() && ok; ++o) {
                if (o == k || boxes[o][0] > x2 || boxes[o][2] < x1 || boxes[o][1] > y2 || boxes[o][3] < y1) continue;
                // A border that ends at a moving junction crosses the strip from there: its
                // end segment is left out.
                Line other = pieces[o];
                if (ends.count(keyOf(other.back()))) other.pop_back();
                if (!other.empty() && ends.count(keyOf(other.front()))) other.erase(other.begin());
                if (other.size() < 2) continue;
                GEOSGeometry* g = makeLine(other);
                if (GEOSPreparedIntersects_r(ctx, ps, g) == 1) ok = false;
                GEOSGeom_destroy_r(ctx, g);
            }
            GEOSPreparedGeom_destroy_r(ctx, ps);
            GEOSGeom_destroy_r(ctx, strip);
            if (!ok) continue;
            taken.push_back({lo, hi});
            out.insert(out.end(), l.begin() + static_cast<long>(next), l.begin() + static_cast<long>(a));
            out.insert(out.end(), course.begin(), course.end());
            next = b + 1;
            if (a == 0) shifts.push_back({keyOf(l.front()), course.front()});
            if (b + 1 == n) shifts.push_back({keyOf(l.back()), course.back()});
            ++runsMoved;
        }
        if (next == 0) continue;
        out.insert(out.end(), l.begin() + static_cast<long>(next), l.end());
        pieces[k] = std::move(out);
        boxOf(k);
        // The other borders at a moved junction end at its new place.
        for (const auto& [from, to] : shifts) {
            auto list = nodes[from];
            nodes.erase(from);
            for (const auto& [o, e] : list) {
                if (o == k) continue;
                (e == 0 ? pieces[o].front() : pieces[o].back()) = to;
                boxOf(o);
            }
            auto& at = nodes[keyOf(to)];
            at.insert(at.end(), list.begin(), list.end());
            moved.insert(keyOf(to));
        }
    }
    return runsMoved;
}

// Chains, simplified together so that they neither cross nor touch anew, then
// clipped to the land; an end on the shore moves to the nearest shore vertex,
// a loose end near the shore is carried on to it.
// How far a loose border end is carried to the shore at most, and how near it
// counts as on the shore (the land is cut on a grid of 0.01), in map units.
constexpr double kLooseReach = 400;
constexpr double kOnShore = 0.05;

std::vector<Line> borderPieces(const std::vector<Line>& borderLines, const Land& landGeo, double tol)
{
    const GEOSGeometry* land = landGeo.all;
    SegGrid shoreGrid(64);
    for (size_t i = 0; i < landGeo.shore.size(); ++i) shoreGrid.add(landGeo.shore[i], static_cast<int>(i));
    std::vector<Line> chains = nodeAndMerge(borderLines);
    {
        GEOSGeometry* ml = multiLine(chains);
        GEOSGeometry* simple = GEOSTopologyPreserveSimplify_r(ctx, ml, tol);
        GEOSGeom_destroy_r(ctx, ml);
        chains.clear();
        collectLines(simple, chains);
        GEOSGeom_destroy_r(ctx, simple);
    }
    std::vector<Line> pieces;
    {
        GEOSGeometry* ml = multiLine(chains);
        GEOSGeometry* clipped = GEOSIntersectionPrec_r(ctx, ml, land, kGrid);
        GEOSGeom_destroy_r(ctx, ml);
        GEOSGeometry* merged = GEOSLineMerge_r(ctx, clipped);
        GEOSGeom_destroy_r(ctx, clipped);
        collectLines(merged, pieces);
        GEOSGeom_destroy_r(ctx, merged);
    }
    // Ends of open pieces: a closed one (a ring of a class or shape inland)
    // touching an end does not tie it to the shore.
    std::map<std::pair<double, double>, int> endCount;
    for (const Line& l : pieces) {
        if (samePt(l.front(), l.back())) continue;
        ++endCount[{l.front().x, l.front().y}];
        ++endCount[{l.back().x, l.back().y}];
    }
    const double reach = 4 * tol + 40;
    int carried = 0;
    for (Line& l : pieces) {
        for (int end = 0; end < 2 && !samePt(l.front(), l.back()); ++end) {
            Pt& p = end == 0 ? l.front() : l.back();
            if (endCount[{p.x, p.y}] != 1) continue;
            // A loose end is carried to the nearest vertex of the shore line
            // nearest to it (failing one within reach, to the nearer end of the
            // shore segment; on the frame along the map edge, an integer line,
            // to the nearest point): across to the line where it is off it,
            // then along the line, where the border runs to no effect. Moved to
            // the vertex instead, a long last segment would swing across the
            // neighbours' land; taken to another line's vertex, it might cross a
            // narrow strip (a dike, a spit) and shrink to a point; left off the
            // shore (by the rounding below too, or where the provinces leave a
            // river mouth between them), it leaves the faces on its two sides one.
            Pt v, on;
            if (!shoreGrid.nearestOnSegment(p, kLooseReach, on, v)) continue;
            const bool frame = on.x <= 1 || on.x >= 35900 || on.y <= 1 || on.y >= 35900;
            if (!shoreGrid.nearestVertexAlong(on, reach, v) && frame) v = on;
            Line add;
            if (std::hypot(on.x - p.x, on.y - p.y) >= kOnShore) add.push_back(on);
            add.push_back(v);
            if (end == 0) l.insert(l.begin(), add.rbegin(), add.rend());
            else l.insert(l.end(), add.begin(), add.end());
            ++carried;
        }
        for (size_t i = 1; i < l.size();) {
            if (samePt(l[i], l[i - 1])) l.erase(l.begin() + static_cast<long>(i));
            else ++i;
        }
    }
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(), [](const Line& l) { return l.size() < 2; }), pieces.end());
    const int along = followRivers(pieces, landGeo.rivers, shoreGrid);
    // Junctions on the integer grid the item is written in.
    for (Line& l : pieces)
        for (Pt& p : l) {
            p.x = std::round(p.x);
            p.y = std::round(p.y);
        }
    notice("border pieces: %zu (%d ends carried to the shore, %d runs moved onto rivers)", pieces.size(), carried, along);
    return pieces;
}

// The faces on the two sides of a segment; -1 where no face lies.
bool sides(const PolyIndex& faceIdx, Pt p, Pt q, int& a, int& b)
{
    const double len = std::hypot(q.x - p.x, q.y - p.y);
    a = b = -1;
    if (len <= 0) return false;
    const double mx = (p.x + q.x) / 2, my = (p.y + q.y) / 2;
    const double nx = -(q.y - p.y) / len, ny = (q.x - p.x) / len;
    const double off = std::min(0.25, len / 8);
    a = faceIdx.locate(mx + nx * off, my + ny * off);
    b = faceIdx.locate(mx - nx * off, my - ny * off);
    return true;
}

// Seeds: the faces cut further by the rivers. A seed this far inside its piece
// lies in its face's class whatever the simplification and the moves onto the
// rivers did to the borders; one in another class (M) shows a border lost.
constexpr double kDeepSeed = 40;

void printSeeds(const std::vector<Line>& arrangement, const std::vector<Line>& rivers,
                const std::vector<GEOSGeometry*>& faces, const PolyIndex& faceIdx, const PolyIndex& classIdx,
                const std::vector<int>& faceCls)
{
    std::vector<Line> withRivers = arrangement;
    withRivers.insert(withRivers.end(), rivers.begin(), rivers.end());
    auto parts = polygonize(withRivers);
    // Clearance of a seed: its distance to any other face, so that a seed
    // drawn at a small scale still lands in its own face (or on its coast).
    SegGrid faceGrid(64);
    for (size_t i = 0; i < faces.size(); ++i) {
        std::vector<Line> ring;
        collectLines(faces[i], ring);
        for (const Line& l : ring) faceGrid.add(l, static_cast<int>(i));
    }
    constexpr double kReach = 600;
    size_t nseeds = 0, piece = 0;
    for (GEOSGeometry* g : parts) {
        std::vector<std::pair<Pt, double>> seeds;
        pieceSeeds(g, seeds);
        if (!seeds.empty()) {
            const int f = faceIdx.locate(seeds[0].first.x, seeds[0].first.y);
            if (f >= 0)
                for (const auto& s : seeds) {
                    const double clear = std::min(kReach, faceGrid.distanceExcept(s.first, kReach, f));
                    std::printf("D %d %s %s %s %s %zu\n", f, fmt(s.first.x).c_str(), fmt(s.first.y).c_str(),
                                fmt(s.second).c_str(), fmt(clear).c_str(), piece);
                    ++nseeds;
                    if (s.second < kDeepSeed) continue;
                    const int c = classIdx.locate(s.first.x, s.first.y);
                    if (c >= 0 && c != faceCls[static_cast<size_t>(f)])
                        std::printf("M %d %s %s %d\n", f, fmt(s.first.x).c_str(), fmt(s.first.y).c_str(), c);
                }
            ++piece;
        }
        GEOSGeom_destroy_r(ctx, g);
    }
    notice("seeds: %zu in %zu pieces", nseeds, parts.size());
}

// Border chains between faces: the noded pieces, merged, then cut where
// the faces on their two sides change (a piece may touch the shore or
// another face between its nodes), each run with the faces on its sides.
void printChains(const std::vector<Line>& pieces, const PolyIndex& faceIdx)
{
    std::vector<Line> noded;
    GEOSGeometry* ml = multiLine(pieces);
    GEOSGeometry* u = uunion(ml);
    GEOSGeom_destroy_r(ctx, ml);
    GEOSGeometry* m = GEOSLineMerge_r(ctx, u);
    GEOSGeom_destroy_r(ctx, u);
    collectLines(m, noded);
    GEOSGeom_destroy_r(ctx, m);
    size_t kept = 0, lost = 0;
    auto emit = [&](int a, int b, const Line& l, size_t from, size_t to) {
        if (a < 0 || b < 0 || a == b) {
            if (a != b) ++lost;
            return;
        }
        std::printf("B %d %d", a, b);
        for (size_t i = from; i <= to; ++i) std::printf(" %.0f,%.0f", l[i].x, l[i].y);
        std::printf("\n");
        ++kept;
    };
    for (const Line& l : noded) {
        size_t from = 0;
        int ra = -2, rb = -2;
        for (size_t i = 0; i + 1 < l.size(); ++i) {
            int a, b;
            if (!sides(faceIdx, l[i], l[i + 1], a, b)) {
                a = ra;
                b = rb;
            }
            // A segment that runs past the shore (its ends are rounded to
            // the grid) parts two faces along only some of its length.
            for (int k = 1; k < 8 && (a < 0 || b < 0 || a == b); ++k) {
                const double t = k / 8.0;
                const Pt p{l[i].x + (l[i + 1].x - l[i].x) * t, l[i].y + (l[i + 1].y - l[i].y) * t};
                const Pt q{p.x + (l[i + 1].x - l[i].x) / 64, p.y + (l[i + 1].y - l[i].y) / 64};
                int c, d;
                if (sides(faceIdx, p, q, c, d) && c >= 0 && d >= 0 && c != d) {
                    a = c;
                    b = d;
                }
            }
            if (i > 0 && (a != ra || b != rb)) {
                emit(ra, rb, l, from, i);
                from = i;
            }
            ra = a;
            rb = b;
        }
        if (l.size() >= 2) emit(ra, rb, l, from, l.size() - 1);
    }
    notice("chains: %zu from %zu lines, %zu runs beside no face", kept, noded.size(), lost);
}

// Where faces meet off the shore: every ring segment of a face that no
// shore line holds, with the face across it (-1 for none), for the
// compiler's proof that the drawn borders seal every territory.
void printAdjacency(const std::vector<Line>& shore, const std::vector<GEOSGeometry*>& faces, const PolyIndex& faceIdx)
{
    SegGrid shoreSegs(64);
    for (const Line& l : shore) shoreSegs.add(l);
    for (size_t i = 0; i < faces.size(); ++i) {
        std::vector<Line> rings;
        collectLines(faces[i], rings);
        for (const Line& r : rings)
            for (size_t k = 0; k + 1 < r.size(); ++k) {
                const Pt p = r[k], q = r[k + 1];
                const Pt mid{(p.x + q.x) / 2, (p.y + q.y) / 2};
                if (shoreSegs.distance(mid, 1) < 0.01) continue;
                int a, b;
                if (!sides(faceIdx, p, q, a, b)) continue;
                const int self = static_cast<int>(i);
                if (a != self && b != self) continue;
                const int other = a == self ? b : a;
                if (other == self || (other >= 0 && other < self)) continue;
                std::printf("N %zu %d %s,%s %s,%s\n", i, other, fmt(p.x).c_str(), fmt(p.y).c_str(), fmt(q.x).c_str(),
                            fmt(q.y).c_str());
            }
    }
}

int runFaces(const std::string& inputPath, const std::string& facesOut)
{
    FacesInput in = readFacesInput(inputPath);
    const Land landGeo = readLand(in.geoPath, in.waterPath);
    const auto& shore = landGeo.shore;
    const auto& rivers = landGeo.rivers;
    const auto& landFaces = landGeo.faces;
    const Boundaries bounds = dissolve(in.classParts, in.shapeParts, landGeo.all);
    const auto& classes = bounds.classes;
    const auto& shapes = bounds.shapes;
    const std::vector<Line> pieces = borderPieces(bounds.lines, landGeo, in.tol);

    // Faces: the arrangement of shore and border lines, land only.
    std::vector<Line> arrangement = shore;
    arrangement.insert(arrangement.end(), pieces.begin(), pieces.end());
    auto cand = polygonize(arrangement);
    PolyIndex landIdx;
    for (size_t i = 0; i < landFaces.size(); ++i) landIdx.add(landFaces[i], static_cast<int>(i));
    landIdx.build();
    std::vector<GEOSGeometry*> faces;
    std::vector<Pt> faceCentre;
    std::vector<double> faceR;
    for (GEOSGeometry* g : cand) {
        double cx, cy, r;
        inscribed(g, cx, cy, r);
        if (landIdx.locate(cx, cy) < 0) {
            GEOSGeom_destroy_r(ctx, g);
            continue;
        }
        faces.push_back(g);
        faceCentre.push_back({cx, cy});
        faceR.push_back(r);
    }
    PolyIndex classIdx, shapeIdx, faceIdx;
    for (auto& c : classes) classIdx.add(c.second, c.first);
    classIdx.build();
    for (auto& s : shapes) shapeIdx.add(s.second, s.first);
    shapeIdx.build();
    for (size_t i = 0; i < faces.size(); ++i) faceIdx.add(faces[i], static_cast<int>(i));
    faceIdx.build();

    GEOSWKTWriter* writer = GEOSWKTWriter_create_r(ctx);
    GEOSWKTWriter_setRoundingPrecision_r(ctx, writer, 2);
    GEOSWKTWriter_setTrim_r(ctx, writer, 1);
    std::ofstream fo(facesOut, std::ios::binary);
    std::vector<int> faceCls(faces.size());
    for (size_t i = 0; i < faces.size(); ++i) {
        const Pt c = faceCentre[i];
        int cls = classIdx.locate(c.x, c.y);
        auto sh = shapeIdx.locateAll(c.x, c.y);
        // Land no province covers (a spit, an islet the provinces leave out)
        // goes with the nearest class, and with the nearest shape where that
        // lies as near (a cell of the class's province above all).
        if (cls < 0) {
            cls = classIdx.nearest(c.x, c.y);
            const int s = shapeIdx.nearest(c.x, c.y);
            if (s >= 0 && sh.empty() && shapeIdx.distance(s, c.x, c.y) <= classIdx.distance(cls, c.x, c.y) + 1) sh = {s};
        }
        faceCls[i] = cls;
        std::string shs;
        for (int s : sh) shs += (shs.empty() ? "" : ",") + std::to_string(s);
        double area = 0;
        GEOSArea_r(ctx, faces[i], &area);
        std::printf("F %zu %d %s %s %s %s %s\n", i, cls, shs.empty() ? "-" : shs.c_str(), fmt(area).c_str(),
                    fmt(c.x).c_str(), fmt(c.y).c_str(), fmt(faceR[i]).c_str());
        char* wkt = GEOSWKTWriter_write_r(ctx, writer, faces[i]);
        fo << i << ' ' << wkt << '\n';
        GEOSFree_r(ctx, wkt);
    }
    GEOSWKTWriter_destroy_r(ctx, writer);

    printSeeds(arrangement, rivers, faces, faceIdx, classIdx, faceCls);
    printChains(pieces, faceIdx);
    printAdjacency(shore, faces, faceIdx);
    return 0;
}

// Distance from p to segment ab in the maximum norm: the half side of the
// largest square about p that the segment leaves alone.
double squareDistance(Pt p, Pt a, Pt b)
{
    const double u0 = a.x - p.x, v0 = a.y - p.y, du = b.x - a.x, dv = b.y - a.y;
    auto at = [&](double t) { return std::max(std::fabs(u0 + t * du), std::fabs(v0 + t * dv)); };
    double best = std::min(at(0), at(1));
    if (du != dv) best = std::min(best, at(std::clamp((v0 - u0) / (du - dv), 0.0, 1.0)));
    if (du != -dv) best = std::min(best, at(std::clamp(-(u0 + v0) / (du + dv), 0.0, 1.0)));
    return best;
}

// The largest box of the given width-to-height ratio inside polygon g: with x
// divided by the ratio the box is a square, as large as the maximum-norm
// distance from its middle to the polygon's rings. Cells of the plane are
// split best first; a cell of half side h about a point at distance d holds
// no middle further than d + h from the rings, so the search stops when no
// cell can beat the best by a tenth of a unit. With a start point only its
// neighbourhood is searched: a window reaching 0.22 of the polygon's extent
// each way.
void largestBox(const GEOSGeometry* g, double aspect, double& bx, double& by, double& k, const Pt* start = nullptr)
{
    GEOSGeometry* u = GEOSGeom_transformXY_r(
        ctx, g,
        [](double* x, double*, void* data) {
            *x /= *static_cast<double*>(data);
            return 1;
        },
        &aspect);
    std::vector<Line> rings;
    collectLines(u, rings);
    double x1, y1, x2, y2;
    GEOSGeom_getXMin_r(ctx, u, &x1);
    GEOSGeom_getYMin_r(ctx, u, &y1);
    GEOSGeom_getXMax_r(ctx, u, &x2);
    GEOSGeom_getYMax_r(ctx, u, &y2);
    const double extent = std::max(x2 - x1, y2 - y1);
    const double gx0 = x1, gy0 = y1, gx1 = x2, gy1 = y2;
    if (start) {
        const double cx = start->x / aspect, cy = start->y, r = 0.22 * extent;
        x1 = std::max(x1, cx - r);
        x2 = std::min(x2, cx + r);
        y1 = std::max(y1, cy - r);
        y2 = std::min(y2, cy + r);
    }
    bx = (x1 + x2) / 2 * aspect;
    by = (y1 + y2) / 2;
    k = 0;
    if (!(x2 > x1 && y2 > y1)) {
        GEOSGeom_destroy_r(ctx, u);
        return;
    }
    // Ring segments on a grid of about 64 cells across: a segment in none of
    // the cells up to r cells from a point's cell (in the maximum norm) lies
    // more than r - 1 cells from the point.
    const double cell = std::max(extent / 64, 1.0);
    const int nx = static_cast<int>((gx1 - gx0) / cell) + 1, ny = static_cast<int>((gy1 - gy0) / cell) + 1;
    std::vector<std::vector<std::pair<Pt, Pt>>> grid(static_cast<size_t>(nx) * ny);
    auto col = [&](double x) { return static_cast<int>(std::floor((x - gx0) / cell)); };
    auto row = [&](double y) { return static_cast<int>(std::floor((y - gy0) / cell)); };
    for (const Line& r : rings)
        for (size_t i = 0; i + 1 < r.size(); ++i) {
            const int c1 = std::max(0, col(std::min(r[i].x, r[i + 1].x))), c2 = std::min(nx - 1, col(std::max(r[i].x, r[i + 1].x)));
            const int r1 = std::max(0, row(std::min(r[i].y, r[i + 1].y))), r2 = std::min(ny - 1, row(std::max(r[i].y, r[i + 1].y)));
            for (int gx = c1; gx <= c2; ++gx)
                for (int gy = r1; gy <= r2; ++gy) grid[static_cast<size_t>(gy) * nx + gx].push_back({r[i], r[i + 1]});
        }
    const GEOSPreparedGeometry* pu = GEOSPrepare_r(ctx, u);
    // The distance from p to the rings; 0 outside, which bounds a cell as well.
    auto distance = [&](Pt p) {
        GEOSGeometry* pt = makePoint(p.x, p.y);
        const bool in = GEOSPreparedContains_r(ctx, pu, pt) == 1;
        GEOSGeom_destroy_r(ctx, pt);
        if (!in) return 0.0;
        double d = 1e18;
        const int cx = col(p.x), cy = row(p.y);
        auto at = [&](int gx, int gy) {
            if (gx < 0 || gy < 0 || gx >= nx || gy >= ny) return;
            for (const auto& [a, b] : grid[static_cast<size_t>(gy) * nx + gx]) d = std::min(d, squareDistance(p, a, b));
        };
        at(cx, cy);
        for (int r = 1; r <= std::max(nx, ny) && d > (r - 1) * cell; ++r) {
            for (int gx = cx - r; gx <= cx + r; ++gx) {
                at(gx, cy - r);
                at(gx, cy + r);
            }
            for (int gy = cy - r + 1; gy < cy + r; ++gy) {
                at(cx - r, gy);
                at(cx + r, gy);
            }
        }
        return d;
    };
    struct Cell {
        Pt c;
        double h, d;
        double bound() const { return d + h; }
        bool operator<(const Cell& o) const { return bound() < o.bound(); }
    };
    constexpr double kPrecision = 0.1;
    std::priority_queue<Cell> todo;
    auto add = [&](Pt c, double h) {
        const Cell n{c, h, distance(c)};
        if (n.d > k) {
            k = n.d;
            bx = c.x * aspect;
            by = c.y;
        }
        if (n.bound() > k + kPrecision) todo.push(n);
    };
    const double side = std::min(x2 - x1, y2 - y1);
    for (double x = x1; x < x2; x += side)
        for (double y = y1; y < y2; y += side) add({x + side / 2, y + side / 2}, side / 2);
    while (!todo.empty()) {
        const Cell c = todo.top();
        todo.pop();
        if (c.bound() <= k + kPrecision) break;
        const double h = c.h / 2;
        for (const Pt& q : {Pt{c.c.x - h, c.c.y - h}, Pt{c.c.x + h, c.c.y - h}, Pt{c.c.x - h, c.c.y + h}, Pt{c.c.x + h, c.c.y + h}})
            add(q, h);
    }
    GEOSPreparedGeom_destroy_r(ctx, pu);
    GEOSGeom_destroy_r(ctx, u);
}

// Land parted by no more than this much sea (map units, 25 km) is one piece of
// a territory: Jutland and the Danish islands, Britain and Ireland.
constexpr double kCrossing = 100;

// A polygon's envelope, rounded outwards to whole units.
std::string envelope(const GEOSGeometry* g)
{
    double x1, y1, x2, y2;
    GEOSGeom_getXMin_r(ctx, g, &x1);
    GEOSGeom_getYMin_r(ctx, g, &y1);
    GEOSGeom_getXMax_r(ctx, g, &x2);
    GEOSGeom_getYMax_r(ctx, g, &y2);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.0f %.0f %.0f %.0f", x1, y1, x2, y2);
    return buf;
}

double areaOf(const GEOSGeometry* g)
{
    double a = 0;
    GEOSArea_r(ctx, g, &a);
    return a;
}

// The polygons within a crossing of the one holding p, and of each other.
std::vector<size_t> homeGroup(const std::vector<GEOSGeometry*>& polys, Pt p)
{
    std::vector<size_t> group;
    GEOSGeometry* pt = makePoint(p.x, p.y);
    for (size_t i = 0; i < polys.size() && group.empty(); ++i)
        if (GEOSContains_r(ctx, polys[i], pt) == 1) group.push_back(i);
    GEOSGeom_destroy_r(ctx, pt);
    std::vector<char> in(polys.size(), 0);
    for (size_t i : group) in[i] = 1;
    for (size_t k = 0; k < group.size(); ++k) {
        const GEOSGeometry* g = polys[group[k]];
        double gx1, gy1, gx2, gy2;
        GEOSGeom_getXMin_r(ctx, g, &gx1);
        GEOSGeom_getYMin_r(ctx, g, &gy1);
        GEOSGeom_getXMax_r(ctx, g, &gx2);
        GEOSGeom_getYMax_r(ctx, g, &gy2);
        for (size_t i = 0; i < polys.size(); ++i) {
            if (in[i]) continue;
            double x1, y1, x2, y2;
            GEOSGeom_getXMin_r(ctx, polys[i], &x1);
            GEOSGeom_getYMin_r(ctx, polys[i], &y1);
            GEOSGeom_getXMax_r(ctx, polys[i], &x2);
            GEOSGeom_getYMax_r(ctx, polys[i], &y2);
            if (x1 > gx2 + kCrossing || x2 < gx1 - kCrossing || y1 > gy2 + kCrossing || y2 < gy1 - kCrossing) continue;
            double d = 0;
            GEOSDistance_r(ctx, g, polys[i], &d);
            if (d > kCrossing) continue;
            in[i] = 1;
            group.push_back(i);
        }
    }
    return group;
}

// Requests: a key, the anchor "@x,y" (the capital, else a heartland point),
// a heartland point "~x,y" the label keeps near where it can, the label shapes
// "=w/h,w/h" and the faces. For each, on one line split by ";": the key; the
// home, the piece of the land holding the anchor (with the land within a
// crossing of it): its largest polygon's inscribed circle, the envelope of all
// the land, and for each shape its largest box (middle, half height), the
// largest in the polygon holding the heartland point (else the capital) and
// the box about the heartland point; the far piece, the polygon elsewhere with the
// largest box of the first shape: its circle, its envelope and a box of each
// shape; then the faces of the home and of the far piece.
int runLabels(const std::string& facesPath, const std::string& requestsPath)
{
    GEOSWKTReader* reader = GEOSWKTReader_create_r(ctx);
    std::vector<GEOSGeometry*> faces;
    for (const auto& s : readLines(facesPath)) {
        const auto sp = s.find(' ');
        if (sp == std::string::npos) continue;
        const size_t id = std::strtoul(s.c_str(), nullptr, 10);
        if (faces.size() <= id) faces.resize(id + 1, nullptr);
        faces[id] = GEOSWKTReader_read_r(ctx, reader, s.c_str() + sp + 1);
    }
    GEOSWKTReader_destroy_r(ctx, reader);
    std::vector<GEOSGeometry*> inner(faces.size(), nullptr);
    for (const auto& s : readLines(requestsPath)) {
        std::istringstream in(s);
        std::string key;
        if (!(in >> key)) continue;
        std::vector<GEOSGeometry*> parts;
        std::vector<size_t> ids;
        std::string tok;
        bool hasAnchor = false, hasHint = false;
        Pt anchor{0, 0}, hint{0, 0};
        std::vector<double> aspects;
        while (in >> tok) {
            if (tok[0] == '@') {
                hasAnchor = std::sscanf(tok.c_str() + 1, "%lf,%lf", &anchor.x, &anchor.y) == 2;
                continue;
            }
            if (tok[0] == '~') {
                hasHint = std::sscanf(tok.c_str() + 1, "%lf,%lf", &hint.x, &hint.y) == 2;
                continue;
            }
            if (tok[0] == '=') {
                std::istringstream as(tok.substr(1));
                std::string a;
                while (std::getline(as, a, ',')) aspects.push_back(std::atof(a.c_str()));
                continue;
            }
            const size_t id = std::strtoul(tok.c_str(), nullptr, 10);
            if (id < faces.size() && faces[id]) {
                parts.push_back(GEOSGeom_clone_r(ctx, faces[id]));
                ids.push_back(id);
            }
        }
        if (parts.empty()) continue;
        GEOSGeometry* coll =
            GEOSGeom_createCollection_r(ctx, GEOS_GEOMETRYCOLLECTION, parts.data(), static_cast<unsigned>(parts.size()));
        GEOSGeometry* u = uunion(coll);
        GEOSGeom_destroy_r(ctx, coll);
        std::vector<GEOSGeometry*> polys;
        collectPolygons(u, polys);
        const std::string all = envelope(u);
        GEOSGeom_destroy_r(ctx, u);

        std::vector<size_t> home;
        if (hasAnchor) home = homeGroup(polys, anchor);
        std::vector<char> isHome(polys.size(), 0);
        for (size_t i : home) isHome[i] = 1;
        // The home polygon holding the heartland point.
        int hintPoly = -1;
        if (hasHint) {
            GEOSGeometry* pt = makePoint(hint.x, hint.y);
            for (size_t i : home)
                if (hintPoly < 0 && GEOSContains_r(ctx, polys[i], pt) == 1) hintPoly = static_cast<int>(i);
            GEOSGeom_destroy_r(ctx, pt);
        }

        std::string homeOut, farOut;
        int far = -1;
        if (!home.empty()) {
            size_t largest = home[0];
            for (size_t i : home)
                if (areaOf(polys[i]) > areaOf(polys[largest])) largest = i;
            double cx, cy, r;
            inscribed(polys[largest], cx, cy, r);
            // The heartland point itself when it lies well inside: a sprawling
            // territory keeps its name on its heartland.
            if (hintPoly >= 0) {
                GEOSGeometry* pt = makePoint(hint.x, hint.y);
                GEOSGeometry* edge = GEOSBoundary_r(ctx, polys[hintPoly]);
                double d = 0;
                GEOSDistance_r(ctx, edge, pt, &d);
                GEOSGeom_destroy_r(ctx, edge);
                GEOSGeom_destroy_r(ctx, pt);
                if (d >= 0.6 * r) {
                    cx = hint.x;
                    cy = hint.y;
                    r = d;
                }
            }
            homeOut = fmt(cx) + " " + fmt(cy) + " " + fmt(r) + " " + all;
            // The polygon the label prefers: the heartland's, else the capital's.
            const size_t preferred = hintPoly >= 0 ? static_cast<size_t>(hintPoly) : home[0];
            for (double aspect : aspects) {
                double bx = 0, by = 0, k = 0, px = 0, py = 0, pk = 0;
                for (size_t i : home) {
                    double x, y, h;
                    largestBox(polys[i], aspect, x, y, h);
                    if (i == preferred) {
                        px = x;
                        py = y;
                        pk = h;
                    }
                    if (h > k) {
                        bx = x;
                        by = y;
                        k = h;
                    }
                }
                double hx = px, hy = py, hk = pk;
                if (hintPoly >= 0) largestBox(polys[hintPoly], aspect, hx, hy, hk, &hint);
                for (double v : {bx, by, k, px, py, pk, hx, hy, hk}) homeOut += " " + fmt(v);
            }
        }
        {
            // Largest first: a polygon smaller than the best box so far holds
            // no larger one. Without a shape, the largest polygon.
            std::vector<size_t> order;
            for (size_t i = 0; i < polys.size(); ++i)
                if (!isHome[i]) order.push_back(i);
            std::stable_sort(order.begin(), order.end(),
                             [&](size_t a, size_t b) { return areaOf(polys[a]) > areaOf(polys[b]); });
            if (aspects.empty() && !order.empty()) far = static_cast<int>(order[0]);
            double k = 0;
            for (size_t i : order) {
                if (aspects.empty() || areaOf(polys[i]) < 4 * k * k * aspects[0]) break;
                double x, y, h;
                largestBox(polys[i], aspects[0], x, y, h);
                if (far < 0 || h > k) {
                    far = static_cast<int>(i);
                    k = h;
                }
            }
        }
        if (far >= 0) {
            double cx, cy, r;
            inscribed(polys[far], cx, cy, r);
            farOut = fmt(cx) + " " + fmt(cy) + " " + fmt(r) + " " + envelope(polys[far]);
            for (double aspect : aspects) {
                double x, y, h;
                largestBox(polys[far], aspect, x, y, h);
                farOut += " " + fmt(x) + " " + fmt(y) + " " + fmt(h);
            }
        }
        // The faces of each: a point inside a face lies in its polygon.
        std::string homeFaces, farFaces;
        for (size_t id : ids) {
            if (!inner[id]) inner[id] = GEOSPointOnSurface_r(ctx, faces[id]);
            bool done = false;
            for (size_t i = 0; i < polys.size() && !done; ++i) {
                if (!isHome[i] && static_cast<int>(i) != far) continue;
                if (GEOSContains_r(ctx, polys[i], inner[id]) != 1) continue;
                (isHome[i] ? homeFaces : farFaces) += " " + std::to_string(id);
                done = true;
            }
        }
        for (GEOSGeometry* p : polys) GEOSGeom_destroy_r(ctx, p);
        std::printf("%s;%s;%s;%s;%s\n", key.c_str(), homeOut.c_str(), farOut.c_str(), homeFaces.c_str(), farFaces.c_str());
    }
    for (GEOSGeometry* g : inner)
        if (g) GEOSGeom_destroy_r(ctx, g);
    for (GEOSGeometry* g : faces)
        if (g) GEOSGeom_destroy_r(ctx, g);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    ctx = GEOS_init_r();
    GEOSContext_setErrorHandler_r(ctx, geosMessage);
    int rc = 2;
    if (argc == 4 && std::string(argv[1]) == "faces") rc = runFaces(argv[2], argv[3]);
    else if (argc == 4 && std::string(argv[1]) == "labels") rc = runLabels(argv[2], argv[3]);
    else std::fprintf(stderr, "usage: geomtool faces INPUT FACES.wkt | geomtool labels FACES.wkt REQUESTS\n");
    GEOS_finish_r(ctx);
    return rc;
}
