// A map drawn headless for a view: map point (x0, y0) in the middle of a
// w x h picture at scale; jump draws it whole for a date, its layers kept.
#pragma once

#include "atlasdata/atlas.h"
#include "engine/mapstate.h"
#include "support/inner_engine.h"

namespace testsupport {

struct ViewedMap {
    quil2a::MapState m;
    quil2a::NullHost host;
    InnerEngine engine;
    ViewedMap(quil2a::Atlas& atlas, int w, int h, double x0, double y0, double scale) : host(w, h), engine(atlas, m, host)
    {
        m.makePictures(w, h);
        m.x0 = x0;
        m.y0 = y0;
        m.xc = w / 2.0;
        m.yc = h / 2.0;
        m.scale = scale;
    }
    void jump(double date)
    {
        m.maindate = date;
        engine.jumptodate();
        engine.displaymap(*m.p, true);
    }
};

}  // namespace testsupport
