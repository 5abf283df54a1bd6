// The map engine: projection, full rebuild, date step, rendering, dirty
// rectangles, text layer and the two fades. Draws into pictures only; reaches
// the windows through EngineHost.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "atlasdata/atlas.h"
#include "engine/host.h"
#include "engine/mapstate.h"

namespace quil2a {

class MapEngine {
public:
    MapEngine(Atlas& atlas, MapState& state, EngineHost& host) : a(atlas), m(state), host(host) {}

    // Projection between map units and picture pixels.
    double screenx(double x) const { return (x - m.x0) * m.scale + m.xc; }
    double screeny(double y) const { return (y - m.y0) * m.scale + m.yc; }
    double mapx(double sx) const { return (sx - m.xc) / m.scale + m.x0; }
    double mapy(double sy) const { return (sy - m.yc) / m.scale + m.y0; }
    // The front door: callers outside the engine change the date and the
    // colours through these, which keep the working tables in step with
    // maindate and the palette with colorscheme.
    //
    // maindate = date, then jumpdate: rebuilt, rendered, shown.
    void jumpTo(double date);
    // maindate = date, then jumptodate: rebuilt only (the caller renders).
    void rebuildAt(double date);
    // One tenth of a year in direction dir (+1 or -1), played by gotodate;
    // timeforward follows dir. False at the range's end: nothing changes.
    bool step(int dir);
    // colorscheme = s with its palette and line colours (no render).
    void applyScheme(ColorScheme s);
    // Map point (x0, y0) to the picture's middle at scale, each coordinate
    // held within kViewLow..kViewHigh; with render, p is drawn again with its
    // layers (the caller repaints the canvas).
    void setView(double x0, double y0, double scale, bool render);

    // Puts maindate on the tenth grid and shows it in the date field.
    void showdate();

    // Full rebuild for maindate.
    void jumptodate();
    // jumptodate, full render of p, main window refresh.
    void jumpdate();
    void setActiveB(int32_t slot, int32_t id);
    void setclickname(int32_t index, int32_t id);

    // One tenth of a year, in the direction of timeforward.
    void gotodate();

    // Makes a copy into p1 that waits (see EngineHost::layersWaiting).
    void completeLayers()
    {
        if (m.p1) m.p1->completeCopy();
    }
    // Full render into pic; keepLayers also renews p1 and p2.
    void displaymap(plat::Picture& pic, bool keepLayers);
    // The part of the map the canvas shows, x1 y1 x2 y2 in whole map units;
    // every full render gives it to the host.
    std::array<int, 4> visibleMapBox() const;
    bool HitABorder(plat::Picture& pic, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // The colour index of the territory drawn at (x, y) of the political layer
    // `layer`, 0 for none: the palette entry of its colour, or, where several
    // entries share it, the one whose fill point has a seed in that territory.
    int32_t territoryIndex(const plat::Picture& layer, int x, int y) const;

    // Dirty rectangles of a date step.
    void invalidatezone(int32_t slot);
    void localrefresh();

    // Place labels, city marks and names.
    void displaymaptext(plat::Picture& pic, bool ownSize);
    // The texts whose measures are kept: a new label size or zoom adds some,
    // and at kMaxMeasured the cache starts again.
    static constexpr size_t kMaxMeasured = 8192;
    size_t measuredTexts() const { return metrics_.size(); }
    // The text layer of a date step on p: only the items that changed, and
    // those they meet, drawn again over what p1 changed. False when p does not
    // hold the text layer last recorded; nothing is drawn then.
    bool steptext();

    // One step of the headline strip and of the identification label.
    void displayhead();
    void fadeID();

    Atlas& atlas() { return a; }
    MapState& state() { return m; }
    const MapState& state() const { return m; }

private:
    // The step's dirty rectangles by cells of the map (refresh.cpp).
    class ZoneGrid;
    // Background, geography lines and water on pic.
    void drawGeography(plat::Picture& pic);
    GeoLayerKey geoLayerKey(int32_t W, int32_t H);
    // The text layer drawn whole on pic; record: pic is p over a fresh p1 (or
    // one copied late, which takes what the text covers before it is drawn).
    void drawText(plat::Picture& pic, bool ownSize, bool record);
    // The items of the text layer for W x H in drawing order, without drawing;
    // the text size the whole layer leaves set on the graphics.
    std::vector<TextItem> textItems(plat::Picture& pic, int32_t W, int32_t H, int32_t& endSize);
    void drawTextItem(plat::Picture& pic, const TextItem& it, plat::Picture* under = nullptr);
    void endText(plat::Picture& pic, int32_t endSize);
    struct TextMetrics {
        int32_t width = 0;
        QRect ink;
    };
    // Width and ink of a text in the graphics' present font, measured once
    // while the cache holds it.
    TextMetrics measure(const plat::Graphics& g, const plat::Bytes& text);
    std::unordered_map<std::string, TextMetrics> metrics_;

    Atlas& a;
    MapState& m;
    EngineHost& host;
};

}  // namespace quil2a
