// A hand-made map for the renderer's tests: a fresh Atlas and MapState with
// distinct line colours and three fills; map point (x, y) is picture pixel
// (x * scale, y * scale).
#pragma once

#include <memory>
#include <sstream>
#include <string>

#include "atlasdata/atlas.h"
#include "support/inner_engine.h"

namespace rendertest {

constexpr plat::Color kWater = 0x2060A0, kCoast = 0x204080, kRiver = 0x3050B0, kGrey = 0xC0C0C0;
constexpr plat::Color kFill1 = 0xE0A060, kFill2 = 0x60C060, kBlack = 0, kCityName = 0x202020;

struct World {
    std::unique_ptr<quil2a::Atlas> atlas = std::make_unique<quil2a::Atlas>();
    quil2a::Atlas& a = *atlas;
    quil2a::MapState m;
    quil2a::NullHost host;
    testsupport::InnerEngine e{a, m, host};

    World(int w = 100, int h = 80, double scale = 1.0) : host(w - 40, h - 40)
    {
        a.watercolor = kWater, a.coastcolor = kCoast, a.rivercolor = kRiver, a.blankgrey = kGrey;
        a.citynamecolor = kCityName;
        a.clrlist[1] = kFill1, a.clrlist[2] = kFill2;
        m.makePictures(w, h);
        m.x0 = m.y0 = m.xc = m.yc = 0;
        m.scale = scale;
        m.countrynameson = m.citieson = m.citynameson = false;
    }
    void geo(int i, const std::string& type, const std::string& pts)
    {
        a.geoinfo[i] = std::to_string(i) + "," + type;
        a.geodata[i] = pts;
    }
    // A border in the next active slot; its box is that of its points.
    int border(int id, const std::string& pts, bool thick = false)
    {
        const int k = ++m.NActiveBdrs;
        a.bdrdata[id] = pts;
        a.ActiveBdr[k] = thick ? -id : id;
        auto b = std::make_unique<quil2a::zonetype>();
        std::istringstream in(pts);
        char comma;
        bool first = true;
        for (double x, y; in >> x >> comma >> y; first = false) {
            b->x1 = first ? x : std::min(b->x1, x), b->y1 = first ? y : std::min(b->y1, y);
            b->x2 = first ? x : std::max(b->x2, x), b->y2 = first ? y : std::max(b->y2, y);
        }
        a.ActiveBzone[k] = std::move(b);
        return k;
    }
    int fill(int id, int ci, const std::string& seeds)
    {
        const int k = ++m.NActivePts;
        a.ptinfo[id] = std::to_string(id) + ":" + seeds;
        a.ActivePt[k] = id;
        a.ActiveClr[k] = ci;
        return k;
    }
    // As a date step removes border slot k: invalidated, then the last slot moved in.
    void removeBorder(int k)
    {
        e.invalidatezone(k);
        const int n = m.NActiveBdrs--;
        a.ActiveBdr[k] = a.ActiveBdr[n];
        a.ActiveBzone[k]->set(*a.ActiveBzone[n]);
    }
    void render() { e.displaymap(*m.p, true); }
};

inline plat::Color px(plat::Picture& pic, int x, int y) { return pic.surface().Pixel(x, y); }

inline int count(plat::Picture& pic, plat::Color c)
{
    int n = 0;
    for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x) n += pic.surface().Pixel(x, y) == c;
    return n;
}

}  // namespace rendertest
