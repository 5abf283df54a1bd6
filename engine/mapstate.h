// The map engine's state: date, view, layer pictures, counts, flags,
// display switches and the two fades. A test makes a fresh MapState.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/picture.h"
#include "platform/text.h"

namespace quil2a {

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

    // Layer pictures: the map with labels, the political layer, the geography layer.
    std::unique_ptr<plat::Picture> p, p1, p2;

    // Active-list counts, per-step flags, dirty rectangles.
    int32_t NActiveBdrs = 0, NActivePts = 0;
    bool somebdraw = false, somepaint = false, localrefchanges = false;
    int32_t Nzones = 0;

    // Display switches.
    bool countrynameson = true, citieson = true, citynameson = true, headlineson = true, borderext = true;

    // Headline strip and identification label.
    int32_t speedi = 4;
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
