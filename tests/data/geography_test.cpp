// The committed geography: every feature and water seed inside the map and the
// data model, and water that never floods land where a territory lies.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "atlasdata/convert.h"
#include "support/inner_engine.h"
#include "support/stored_atlas.h"
#include "platform/text.h"
#include "support/viewed_map.h"

using namespace quil2a;

namespace {

class Geography : public testsupport::StoredAtlasSuite<Geography> {};

bool insideMap(int32_t v) { return v >= 1 && v <= 35900; }

// Water at the point and no coast, lake or river line within two pixels: a seed
// of an island too small to draw at this zoom lies next to its coast line, a
// seed in a flooded territory lies in open water.
bool underOpenWater(plat::Picture& p2, int x, int y, const Atlas& at)
{
    if (p2.surface().Pixel(x, y) != at.watercolor) return false;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            plat::Color c = p2.surface().Pixel(x + dx, y + dy);
            if (c == at.coastcolor || c == at.rivercolor) return false;
        }
    return true;
}

// The map drawn for a view (its centre in map units) at a date, its layers kept.
struct Drawn : testsupport::ViewedMap {
    Drawn(Atlas& at, double x0, double y0, double scale, int w, int h, double date) : ViewedMap(at, w, h, x0, y0, scale)
    {
        jump(date);
    }
};

}  // namespace

TEST_F(Geography, FeaturesAndSeedsLieInsideTheMap)
{
    int features = 0;
    for (int i = 0; i <= 400; ++i) {
        const Bytes& data = a().geodata[i];
        if (data.empty()) continue;
        ++features;
        const Bytes& info = a().geoinfo[i];
        int32_t comma = plat::InStrB(info, ",");
        ASSERT_GT(comma, 0) << "feature " << i;
        EXPECT_NE(Bytes("CILRE").find(plat::MidB(info, comma + 1, 1)), Bytes::npos) << "feature " << i << ": " << info;
        EXPECT_EQ(plat::Split(plat::Trim(a().geozone[i]), " ").size(), 4u) << "feature " << i;
        auto points = plat::Split(data, " ");
        EXPECT_GE(points.size(), 2u) << "feature " << i;
        for (const Bytes& pt : points) {
            int32_t c = plat::InStrB(pt, ",");
            ASSERT_GT(c, 1) << "feature " << i << " point '" << pt << "'";
            EXPECT_TRUE(insideMap(intval(plat::LeftB(pt, c - 1))) && insideMap(intval(plat::MidB(pt, c + 1))))
                << "feature " << i << " point " << pt;
        }
    }
    EXPECT_GT(features, 100);

    // Seeds are used from id 1 up to the first missing id: none may lie beyond a gap.
    int seeds = 0;
    while (seeds + 1 <= 2000 && !a().wtinfo[seeds + 1].empty()) ++seeds;
    EXPECT_GT(seeds, 100);
    for (int i = seeds + 1; i <= 2000; ++i) EXPECT_TRUE(a().wtinfo[i].empty()) << "seed " << i << " after a gap";
    for (int i = 1; i <= seeds; ++i) {
        auto f = plat::Split(plat::MidB(a().wtinfo[i], plat::InStrB(a().wtinfo[i], ":") + 1), ",");
        ASSERT_GE(f.size(), 3u) << a().wtinfo[i];
        EXPECT_TRUE(insideMap(intval(f[0])) && insideMap(intval(f[1]))) << a().wtinfo[i];
        EXPECT_GT(intval(f[2]), 0) << a().wtinfo[i];
    }
}

// Every territory seed that a render uses must lie on land in the geography
// layer: a water seed on land, or a coast left open, floods it.
TEST_F(Geography, WaterNeverFloodsATerritory)
{
    struct View {
        double x0, y0, scale;
        int w, h;
    };
    const View views[] = {{17000, 14000, 0.028147497671065603, 1000, 700},  // the whole map
                          {10500, 12000, 0.054975581388800036, 1152, 800},  // the default view
                          {14524, 16181, 0.13421772800000006, 900, 700},    // the Aegean
                          {10727, 8779, 0.2097152, 900, 700},               // the Danish straits
                          {15773, 14923, 0.2621440000000001, 700, 600}};    // the Bosporus
    for (const View& v : views) {
        Drawn d(a(), v.x0, v.y0, v.scale, v.w, v.h, 1815.6);
        MapState& m = d.m;
        testsupport::InnerEngine& engine = d.engine;
        int used = 0, flooded = 0;
        for (int k = 1; k <= m.NActivePts; ++k) {
            const Bytes& info = a().ptinfo[a().ActivePt[k]];
            for (const Bytes& seed : plat::Split(plat::MidB(info, plat::InStrB(info, ":") + 1), " ")) {
                auto f = plat::Split(seed, ",");
                if (f.size() < 3) continue;
                double sx = engine.screenx(intval(f[0])), sy = engine.screeny(intval(f[1]));
                if (sx < 0 || sy < 0 || sx > v.w - 1 || sy > v.h - 1 || intval(f[2]) * v.scale <= 0.05) continue;
                ++used;
                if (underOpenWater(*m.p2, plat::Int(sx), plat::Int(sy), a())) ++flooded;
            }
        }
        EXPECT_GT(used, 20) << "view at scale " << v.scale;
        EXPECT_LE(flooded * 200, used) << flooded << " of " << used << " territory seeds under water at scale " << v.scale;
    }
}

// Lough Neagh and the Firth of Forth in the views they were reported in. The
// lake was left out of the geography and drawn as land; the firth, cut off by
// the view's edge from its one seed at the mouth, was left grey.
TEST_F(Geography, NamedWatersAreWaterInTheirViews)
{
    struct Case {
        const char* water;
        double x, y;  // map units
        double x0, y0;
        int zoom, w, h;
    };
    const Case cases[] = {{"Lough Neagh (-6.45, 54.62)", 6330, 8107, 6225, 8053, 4, 1000, 700},
                          {"the Firth of Forth (-3.05, 56.05)", 7323, 7800, 6225, 8053, 4, 1000, 700},
                          {"Lough Neagh (-6.45, 54.62)", 6330, 8107, 6225, 8053, 7, 1000, 700},
                          {"the Firth of Forth (-3.05, 56.05)", 7323, 7800, 5056, 7900, 7, 1000, 700}};
    for (const Case& c : cases) {
        Drawn d(a(), c.x0, c.y0, std::pow(0.8, c.zoom), c.w, c.h, 1600);
        const int x = plat::Int(d.engine.screenx(c.x)), y = plat::Int(d.engine.screeny(c.y));
        EXPECT_EQ(d.m.p1->surface().Pixel(x, y), a().watercolor) << c.water << " at zoom " << c.zoom;
    }
}
