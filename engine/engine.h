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
#include "engine/shores.h"

namespace quil2a {

class MapEngine {
public:
    MapEngine(Atlas& atlas, MapState& state, EngineHost& host) : a(atlas), m(state), host(host) {}

    // Projection between map units and picture pixels.
    double screenx(double x) const { return (x - m.x0) * m.scale + m.xc; }
    double screeny(double y) const { return (y - m.y0) * m.scale + m.yc; }
    double mapx(double sx) const { return (sx - m.xc) / m.scale + m.x0; }
    double mapy(double sy) const { return (sy - m.yc) / m.scale + m.y0; }
    // The front door. Everything outside the engine changes the date, the
    // view, the colours and the display switches through these: each keeps
    // the working tables in step with maindate and the palette with
    // colorscheme, renders what must be rendered and tells the host what to
    // show again.
    //
    // Date. maindate = date, then rebuilt, rendered and the main window repainted.
    void jumpTo(double date);
    // maindate = date, rebuilt only: the caller renders (redraw).
    void rebuildAt(double date);
    // One tenth of a year in direction dir (+1 or -1), drawing only what
    // changed; timeforward follows dir. False at the range's end: nothing changes.
    bool step(int dir);
    // Puts maindate on the tenth grid and shows it in the date field.
    void showdate();
    // The swap control: jumps to `other` and gives back the date it left.
    double swapDate(double other);

    // Animation: speedi (kept within 1..8) and the direction the transport shows.
    void setSpeed(int32_t speedi);
    void setForward(bool forward);

    // View. Every view origin and scale is set here: map point (x0, y0) to
    // the picture point (xc, yc) at scale, each coordinate held within
    // kViewLow..kViewHigh (one that is no number leaves the old one). With
    // render, p is drawn again with its layers and the host shows it
    // (drawMapCanvas, viewChanged).
    void setView(double x0, double y0, double scale, bool render = true);
    // The picture point (xc, yc) where the view origin is drawn: half the map
    // canvas's width and height.
    void setCentre(double xc, double yc, bool render);
    // The view moved by (dx, dy) map units.
    void panBy(double dx, double dy, bool render);
    // One step of a pan preview: the view moves by (sx, sy) picture pixels the
    // other way and the edge of p from which new map would come is blanked;
    // nothing is rendered (redraw when the pan ends).
    void panPreview(int sx, int sy);
    // The middle of the box x1 y1 x2 y2 (map units, two opposite corners in
    // either order) put in the middle of the view at the largest power of 0.8
    // below 0.25 at which the box fits the map canvas with a 40-pixel margin
    // (down to 0.8^21).
    void fitRegion(double x1, double y1, double x2, double y2, bool render);
    // p drawn again with its layers for the present view and shown.
    void redraw();

    // Colours. colorscheme = s with its palette and line colours (no render).
    void applyScheme(ColorScheme s);
    // applyScheme, then redraw.
    void setScheme(ColorScheme s);
    // In a scheme with a pale palette, colour index idx toggled between its
    // pale and full colour and the map redrawn; false (nothing changed) otherwise.
    bool togglePale(int32_t idx);

    // Display switches: the labels drawn again over the political layer and
    // shown when country names, cities or city names change; headlines and
    // border extension take effect from the next step or render.
    enum class Shown { CountryNames, Cities, CityNames, Headlines, BorderExtension };
    void setShown(Shown what, bool on);

    // The part of the map the canvas shows, x1 y1 x2 y2 in whole map units;
    // every full render gives it to the host.
    std::array<int, 4> visibleMapBox() const;

    // An export: the map rendered into pic (its own size) with the view's
    // middle at (xc, yc) of pic at scale; the view is then as it was and the
    // layers are left alone.
    void renderExport(plat::Picture& pic, double scale, double xc, double yc);

    // The territory under a click: the colour index of the territory drawn at
    // (x, y) of the political layer `layer`, 0 for none: the palette entry of
    // its colour, or, where several entries share it, the one whose fill point
    // has a seed in that territory.
    int32_t territoryIndex(const plat::Picture& layer, int x, int y) const;
    // Whether a line colour lies on pic at any of the points 0.5 to 1.0 of the
    // way from (x2, y2) to (x1, y1): the border stroke then leaves an end unextended.
    bool HitABorder(plat::Picture& pic, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    // One step of the headline strip and of the identification label (the
    // interface timer's tick).
    void displayhead();
    void fadeID();
    // The identification label's picture, which a click draws before it
    // starts the countdown, and the countdown in interface-timer ticks
    // (above 20 hold, 20 to 1 fade, 0 idle).
    plat::Picture* idLabel() { return m.IDpic.get(); }
    void setIdFade(int32_t ticks) { m.IDfadeout = ticks; }

    // The main window's part: p, p1 and p2 (w x h), the headline strip and
    // the label made for a screen; the strip's background and the headline
    // fade ramp from it up to `bright`.
    void makePictures(int w, int h) { m.makePictures(w, h); }
    void setControlColours(plat::Color back, plat::Color bright);
    // Whether the narrative window is shown and follows the date.
    void setNarrativeFollows(bool on) { m.NarrWinOpen = on; }

    // Makes a copy into p1 that waits (see EngineHost::layersWaiting).
    void completeLayers()
    {
        if (m.p1) m.p1->completeCopy();
    }

    // What the engine works on, to read: once the program has started, only
    // the engine changes them.
    const Atlas& atlas() const { return a; }
    const MapState& state() const { return m; }

protected:
    // The inner steps, in the engine's own order. Tests and measurements
    // reach them through a subclass of their own (tests/support/inner_engine.h).

    // Full rebuild for maindate.
    void jumptodate();
    // jumptodate, full render of p, main window refresh.
    void jumpdate();
    void setActiveB(int32_t slot, int32_t id);
    void setclickname(int32_t index, int32_t id);

    // One tenth of a year, in the direction of timeforward.
    void gotodate();

    // Full render into pic; keepLayers also renews p1 and p2.
    void displaymap(plat::Picture& pic, bool keepLayers);

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
    // The labels drawn again over the political layer in p.
    void redrawLabels();

private:
    // The step's dirty rectangles by cells of the map (refresh.cpp).
    class ZoneGrid;
    // Background, geography lines and water on pic.
    void drawGeography(plat::Picture& pic);
    // Water cut off from every seed by the picture's edge (see render.cpp).
    void fillCutWater(plat::Picture& pic);
    GeoLayerKey geoLayerKey(int32_t W, int32_t H);
    // The geography data (line info, water seeds, line texts) as one hash.
    uint64_t geoDataHash() const;
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
    Shores shores_;

    Atlas& a;
    MapState& m;
    EngineHost& host;
};

}  // namespace quil2a
