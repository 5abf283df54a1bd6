// Pieces shared by the full render, the dirty-rectangle refresh and the text
// layer: where a seed is drawn, the border stroke and the fill-point paint of
// one active slot, and the hashes that tell a kept layer from a changed one.
//
// No pixel outside a picture is ever read or written. Pixel() gives
// plat::kOutside there, which equals no map colour; where the map would look
// beyond a picture, the position counts as follows:
//   - HitABorder: no line;
//   - a fill seed (render or refresh): no seed, nothing filled;
//   - the seam repair: a stop, like a line, so nothing is repaired there;
//   - city-name placement: bordercolor, so that a name stays on the picture;
//   - the identification label's fade: blankgrey, the map's background.
#pragma once

#include <cstdint>
#include <string_view>

#include "atlasdata/atlas.h"
#include "atlasdata/convert.h"
#include "engine/engine.h"

namespace quil2a::mapdraw {

// Hashes that tell a kept layer from a changed one (FNV-1a over bytes).
constexpr uint64_t kHashStart = 1469598103934665603ull;
inline uint64_t mix(uint64_t h, const void* data, size_t n)
{
    const auto* b = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ull;
    return h;
}
template <class T>
uint64_t mixv(uint64_t h, const T& v)
{
    return mix(h, &v, sizeof v);
}

inline bool isLineColor(const Atlas& a, plat::Color c)
{
    return c == a.bordercolor || c == a.watercolor || c == a.coastcolor || c == a.rivercolor;
}

// Extension of loose border ends in pixels: 4.5 x scale above scale 0.2, else 0.
inline double extensionLength(double scale) { return scale > 0.2 ? 4.5 * scale : 0.0; }

// Where a fill point's seed is drawn on a picture whose last column and row
// are maxX and maxY: true when it lies on the picture and its region is above
// 0.05 pixel at the engine's scale; its picture position goes to sx, sy.
inline bool seedDrawn(const MapEngine& e, const Seed& seed, double maxX, double maxY, double& sx, double& sy)
{
    sx = e.screenx(seed.x);
    sy = e.screeny(seed.y);
    return sx >= 0 && sx <= maxX && sy >= 0 && sy <= maxY && seed.size * e.state().scale > 0.05;
}

// Draws the border of active slot `slot` on pic in the graphics' colour: the box
// test against W x H, loose ends extended when borderext is on above scale 0.2,
// a thick border as three lines above scale 0.03. True when a segment was drawn.
// a is e's atlas, whose coordinates are parsed on first use.
bool strokeBorder(MapEngine& e, Atlas& a, plat::Picture& pic, double W, double H, int32_t slot);

// Floods the regions of the seeds of fill slot `slot` that are not yet its
// colour or a line. A seed counts when 0 <= sx <= maxX and 0 <= sy <= maxY and
// its region is above 0.05 pixel. True when a fill was made.
bool paintFillPoint(MapEngine& e, Atlas& a, plat::Picture& pic, double maxX, double maxY, int32_t slot);

}  // namespace quil2a::mapdraw
