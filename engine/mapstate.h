// The map engine's state: date, view, layer pictures, counts, flags,
// display switches and the two fades. A test makes a fresh MapState.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/picture.h"
#include "platform/text.h"

namespace quil2a {

// One item of the text layer as drawn on p: a label line or a city with its
// mark and name. The box holds every pixel the item reads or writes.
struct TextItem {
    bool city = false;
    int32_t index = 0;
    int32_t size = 0;
    plat::Bytes text;
    int32_t x = 0, y = 0;       // label line: DrawString position
    double sx = 0, sy = 0;      // city point
    int32_t arm = 0;
    bool names = false;
    double h = 0, w = 0;        // city name: line height and width
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // box, [x1, x2) x [y1, y2)
    uint64_t key = 0;
};

// The text layer last drawn on p over a copy of p1, and p's version then.
struct TextLayerRecord {
    bool valid = false;
    uint64_t pVersion = 0;
    std::vector<TextItem> items;
};

// What the geography layer kept in p2 was drawn for: the view, the picture
// size, the colours and the geography data; p2's serial and version after.
struct GeoLayerKey {
    bool valid = false;
    uint64_t p2serial = 0, p2version = 0;
    int32_t w = 0, h = 0;
    double x0 = 0, y0 = 0, scale = 0, xc = 0, yc = 0;
    uint32_t blankgrey = 0, watercolor = 0, coastcolor = 0, rivercolor = 0;
    bool scheme0 = false;
    uint64_t data = 0;
    bool operator==(const GeoLayerKey&) const = default;
};

// The range of the view origin's coordinates, in map units: the engine keeps
// the view within it and start-up accepts a stored view within it.
inline constexpr double kViewLow = 1.0, kViewHigh = 35900.0;

struct MapState {
    // Date, in years on the tenth grid.
    double maindate = 1805.0;
    double mindate = 1000.0;
    double maxdate = 2003.0;
    bool timeforward = true;

    // View: map point (x0, y0) is drawn at picture point (xc, yc).
    double x0 = 10500.0, y0 = 12000.0;
    double xc = 0.0, yc = 0.0;
    double scale = 0.054975581388800036;  // 0.8^13
    int32_t mapscreenwid = 0, mapscreenht = 0;

    // The layer pictures, each the screen's size:
    std::unique_ptr<plat::Picture> p;   // the map as shown: p1 with the labels and city marks
    std::unique_ptr<plat::Picture> p1;  // the political layer: p2 with borders and territory fills
    std::unique_ptr<plat::Picture> p2;  // the geography layer: background, geography lines, water
    // What p's text layer holds, for a step that redraws only what changed.
    TextLayerRecord textLayer;
    // What p2 holds, so that a render of the same view starts from it.
    GeoLayerKey geoLayer;

    // Active-list counts, per-step flags, dirty rectangles.
    int32_t NActiveBdrs = 0, NActivePts = 0;
    bool somebdraw = false, somepaint = false, localrefchanges = false;
    int32_t Nzones = 0;

    // Display switches.
    bool countrynameson = true, citieson = true, citynameson = true, headlineson = true, borderext = true;

    // Animation speed index 1..8 (slowest to fastest; the time transport's
    // ticks): the headline holds shorter from 7 on.
    int32_t speedi = 4;

    // Headline strip and identification label.
    int32_t hfadeout = 0;
    plat::Bytes currenthead;
    std::unique_ptr<plat::Picture> headpic;  // screen width x 100
    plat::Color ctlbackcolor = plat::RGB(16, 16, 16);
    int32_t IDfadeout = 0;
    std::unique_ptr<plat::Picture> IDpic;    // 500 x 20

    // The narrative window is shown and follows the date.
    bool NarrWinOpen = false;

    // The last date applied by a date step, in tenths; 0 before any.
    int32_t lastAppliedDate10 = 0;

    // Makes p, p1, p2 (w x h), headpic and IDpic as the main window does.
    void makePictures(int w, int h);
};

}  // namespace quil2a
