// Cities and view regions against the map: every city stands on land, no two
// cities of one time stand on one point, every region frames the part of the
// map it is named for, and every region a narrative page links to exists.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "atlasdata/convert.h"
#include "data/text_items.h"
#include "support/inner_engine.h"
#include "engine/host.h"
#include "engine/mapstate.h"
#include "platform/text.h"

using namespace quil2a;
using texttest::atlas;
using texttest::recordCount;

namespace {

struct Box {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool holds(double x, double y) const { return x > x1 && x < x2 && y > y1 && y < y2; }
};

Box regionBox(const Atlas& a, int k)
{
    const auto f = plat::Split(a.vregxy[k], " ");
    Box b;
    if (f.size() != 4) return b;
    b.x1 = plat::Val(f[0]), b.y1 = plat::Val(f[1]), b.x2 = plat::Val(f[2]), b.y2 = plat::Val(f[3]);
    return b;
}

// The first city of that name (English set).
const citiestype* cityNamed(const Atlas& a, const std::string& name)
{
    for (int i = 1; i <= recordCount(a.city); ++i)
        if (a.city[i]->name == name) return a.city[i].get();
    return nullptr;
}

int regionRows(const Atlas& a)
{
    int n = 0;
    while (n <= a.vregname.ubound() && !a.vregname[n].empty()) ++n;
    return n;
}

}  // namespace

// The geography layer of the whole map at zoom index 13 (about 4.5 km a
// pixel): a city's pixel or one of its eight neighbours is land. A city put in
// the sea by a wrong sign or swapped coordinates fails.
TEST(TextMap, CitiesStandOnLand)
{
    texttest::LoadedSet s = texttest::loadSet(false);
    Atlas& a = *s.atlas;
    const int size = 1980;
    MapState m;
    m.makePictures(size, size);
    m.x0 = m.y0 = 17950;
    m.xc = m.yc = size / 2.0;
    m.scale = std::pow(0.8, 13);
    m.countrynameson = m.citieson = m.citynameson = false;
    NullHost host(size - 40, size - 40);
    testsupport::InnerEngine e(a, m, host);
    e.jumptodate();
    e.displaymap(*m.p, true);
    plat::RGBSurface& geo = m.p2->surface();
    ASSERT_EQ(geo.Pixel(int(e.screenx(15000)), int(e.screeny(19000))), a.watercolor);  // off Libya
    for (int i = 1; i <= recordCount(a.city); ++i) {
        const citiestype& c = *a.city[i];
        const int sx = int(e.screenx(c.x)), sy = int(e.screeny(c.y));
        int land = 0;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
                const plat::Color p = geo.Pixel(sx + dx, sy + dy);
                if (p != a.watercolor && p != plat::kOutside) ++land;
            }
        EXPECT_GT(land, 0) << c.name << " at " << c.x << ", " << c.y << " is in the sea";
    }
}

// Two cities shown at the same date never share a point (a renamed city ends
// the tenth before its new name begins).
TEST(TextMap, CitiesOfOneTimeStandApart)
{
    const Atlas& a = atlas(false);
    const int n = recordCount(a.city);
    for (int i = 1; i <= n; ++i) {
        const citiestype& c = *a.city[i];
        EXPECT_GE(c.x, 1) << c.name;
        EXPECT_LE(c.x, 35900) << c.name;
        EXPECT_GE(c.y, 1) << c.name;
        EXPECT_LE(c.y, 35900) << c.name;
        for (int j = i + 1; j <= n; ++j) {
            const citiestype& d = *a.city[j];
            const bool together = c.date1 <= d.date2 && d.date1 <= c.date2;
            if (together) EXPECT_GE(std::abs(c.x - d.x) + std::abs(c.y - d.y), 4) << c.name << " and " << d.name;
        }
    }
}

// The narrative pages' links name regions by row: each row must frame its own
// part of the map. A region list out of order fails here.
TEST(TextMap, ViewRegionsFrameWhatTheyAreNamedFor)
{
    const Atlas& a = atlas(false);
    const std::map<int, const char*> inside = {
        {1, "Paris"},     {2, "London"},  {3, "Madrid"},     {4, "Lyon"},      {5, "Rome"},      {6, "Prague"},
        {7, "Belgrade"},  {8, "Stockholm"}, {9, "Kiev"},     {10, "Baghdad"},  {11, "Palermo"},  {12, "Athens"},
        {13, "Konya"},    {14, "Cairo"},  {15, "Kaffa"},     {16, "Buda"},     {17, "Amsterdam"}, {18, "Warsaw"},
        {19, "Moscow"},   {20, "Tiflis"}, {21, "Jerusalem"}, {22, "Paris"},
    };
    const std::map<int, const char*> outside = {
        {2, "Paris"}, {3, "Marseille"}, {5, "Vienna"}, {12, "Sofia"}, {17, "Paris"}, {21, "Baghdad"}, {20, "Ankara"},
    };
    ASSERT_GE(regionRows(a), 23);
    for (const auto& [k, name] : inside) {
        const citiestype* c = cityNamed(a, name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_TRUE(regionBox(a, k).holds(c->x, c->y)) << "region " << k << " " << a.vregname[k] << " misses " << name;
    }
    for (const auto& [k, name] : outside) {
        const citiestype* c = cityNamed(a, name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_FALSE(regionBox(a, k).holds(c->x, c->y)) << "region " << k << " " << a.vregname[k] << " takes in " << name;
    }
    for (int k = 1; k < regionRows(a); ++k) {
        const Box b = regionBox(a, k);
        EXPECT_TRUE(b.x1 >= 1 && b.y1 >= 1 && b.x2 <= 35900 && b.y2 <= 35900 && b.x1 < b.x2 && b.y1 < b.y2)
            << "region " << k << ": " << a.vregxy[k];
    }
}

TEST(TextMap, EveryRegionANarrativePageLinksToExists)
{
    for (bool greek : {false, true}) {
        const Atlas& a = atlas(greek);
        const int rows = regionRows(a);
        const std::string folder = std::string(texttest::setName(greek)) + "\\";
        int links = 0;
        for (const auto& it : contentItems()) {
            const std::string key = it.key;
            if (key.rfind(folder, 0) != 0 || key.size() < 4 || key.substr(key.size() - 4) != ".htm") continue;
            const plat::Bytes page = texttest::plainItem(key);
            for (size_t p = page.find("vr="); p != std::string::npos; p = page.find("vr=", p + 3)) {
                const int row = quil2a::intval(page.substr(p + 3, page.find_first_not_of("0123456789", p + 3) - p - 3));
                ++links;
                EXPECT_TRUE(row >= 1 && row < rows) << key << " links to region " << row;
            }
        }
        if (!greek) EXPECT_GT(links, 0);
    }
}
