// A small hand-made map for the renderer's tests: a fresh Atlas and MapState
// with distinct line colours, a palette of three fills and a view in which one
// map unit is `scale` pixels from the picture's top left corner.
#pragma once

#include <algorithm>
#include <limits>
#include <memory>
#include <sstream>
#include <string>

#include "atlasdata/atlas.h"
#include "engine/engine.h"
#include "engine/host.h"
#include "engine/mapstate.h"

namespace rendertest {

constexpr plat::Color kWater = 0x2060A0, kCoast = 0x204080, kRiver = 0x3050B0;
constexpr plat::Color kGrey = 0xC0C0C0, kCityName = 0x202020;
constexpr plat::Color kFill1 = 0xE0A060, kFill2 = 0x60C060, kFill3 = 0xA060E0;
constexpr plat::Color kBlack = 0x000000, kRed = 0xFF0000;

struct World {
    std::unique_ptr<quil2a::Atlas> atlas = std::make_unique<quil2a::Atlas>();
    quil2a::MapState m;
    quil2a::NullHost host;
    quil2a::MapEngine e{*atlas, m, host};
    quil2a::Atlas& a = *atlas;

    World(int w = 100, int h = 80, double scale = 1.0) : host(w - 40, h - 40)
    {
        a.watercolor = kWater;
        a.coastcolor = kCoast;
        a.rivercolor = kRiver;
        a.bordercolor = kBlack;
        a.blankgrey = kGrey;
        a.placenamecolor = kBlack;
        a.citynamecolor = kCityName;
        a.clrlist[1] = kFill1;
        a.clrlist[2] = kFill2;
        a.clrlist[3] = kFill3;
        for (int i = 0; i <= a.zone.ubound(); ++i) a.zone[i] = std::make_unique<quil2a::zonetype>();
        m.makePictures(w, h);
        m.x0 = 0;
        m.y0 = 0;
        m.xc = 0;
        m.yc = 0;
        m.scale = scale;
        m.countrynameson = m.citieson = m.citynameson = false;
    }

    // Geography feature i of line type t, points "x,y x,y ...".
    void geo(int i, const std::string& type, const std::string& pts)
    {
        a.geoinfo[i] = std::to_string(i) + "," + type;
        a.geodata[i] = pts;
    }

    // Border id in the next active slot, its box taken from its points.
    int border(int id, const std::string& pts, bool thick = false)
    {
        a.bdrdata[id] = pts;
        const int k = ++m.NActiveBdrs;
        a.ActiveBdr[k] = thick ? -id : id;
        auto box = std::make_unique<quil2a::zonetype>();
        box->x1 = box->y1 = std::numeric_limits<double>::max();
        box->x2 = box->y2 = std::numeric_limits<double>::lowest();
        std::istringstream in(pts);
        std::string tok;
        while (in >> tok) {
            const auto c = tok.find(',');
            const double x = std::stod(tok.substr(0, c)), y = std::stod(tok.substr(c + 1));
            box->x1 = std::min(box->x1, x);
            box->y1 = std::min(box->y1, y);
            box->x2 = std::max(box->x2, x);
            box->y2 = std::max(box->y2, y);
        }
        a.ActiveBzone[k] = std::move(box);
        return k;
    }

    // Fill point id in the next active slot with colour index ci and seeds "x,y,size ...".
    int fill(int id, int ci, const std::string& seeds)
    {
        a.ptinfo[id] = std::to_string(id) + ":" + seeds;
        const int k = ++m.NActivePts;
        a.ActivePt[k] = id;
        a.ActiveClr[k] = ci;
        return k;
    }

    // Removes border slot k as a date step does: its box is invalidated first,
    // then the last slot moves into it.
    void removeBorder(int k)
    {
        e.invalidatezone(k);
        const int n = m.NActiveBdrs;
        a.ActiveBdr[k] = a.ActiveBdr[n];
        a.ActiveBzone[k]->set(*a.ActiveBzone[n]);
        a.ActiveBdrawnow[k] = a.ActiveBdrawnow[n];
        m.NActiveBdrs = n - 1;
    }

    // Removes fill slot k without marking anything.
    void removeFill(int k)
    {
        const int n = m.NActivePts;
        a.ActivePt[k] = a.ActivePt[n];
        a.ActiveClr[k] = a.ActiveClr[n];
        a.ActivePtnow[k] = a.ActivePtnow[n];
        m.NActivePts = n - 1;
    }

    void render() { e.displaymap(*m.p, true); }
};

inline plat::Color px(plat::Picture& pic, int x, int y) { return pic.surface().Pixel(x, y); }

inline int count(plat::Picture& pic, plat::Color c)
{
    int n = 0;
    for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x)
            if (pic.surface().Pixel(x, y) == c) ++n;
    return n;
}

inline bool same(const plat::Picture& a, const plat::Picture& b) { return a.image() == b.image(); }

// The first pixel where two pictures differ, as "x,y a b", or "" when equal.
inline std::string firstDifference(plat::Picture& a, plat::Picture& b)
{
    for (int y = 0; y < std::min(a.Height(), b.Height()); ++y)
        for (int x = 0; x < std::min(a.Width(), b.Width()); ++x)
            if (a.surface().Pixel(x, y) != b.surface().Pixel(x, y)) {
                std::ostringstream s;
                s << x << "," << y << " " << std::hex << a.surface().Pixel(x, y) << " " << b.surface().Pixel(x, y);
                return s.str();
            }
    return "";
}

}  // namespace rendertest
