// View operations shared by the options dialog, the command links and the
// tools: the colour scheme, fitting the view to a map box and the label redraw.
#pragma once

#include "atlasdata/atlas.h"
#include "engine/engine.h"
#include "platform/text.h"

namespace quil2a {

// clrlist 1..256 from the scheme's palette rule (a number without a row leaves
// it), then the line colours of the scheme's line set.
void applyColorScheme(Atlas& a);

// In a scheme with a pale palette, colour index idx toggled between the pale
// and the full colour; false (nothing changed) in any other scheme.
bool togglePale(Atlas& a, int32_t idx);

// applyColorScheme, then the map rendered again into p with its layers; the
// caller repaints the map canvas.
void SetColor(MapEngine& engine);

// Puts the middle of the box x1 y1 x2 y2 (map units, two opposite corners in
// either order) in the middle of the view and picks the largest power of 0.8 below
// 0.25 at which the box fits the canvas with a 40-pixel margin (down to
// 0.8^21). With redraw the map is rendered into p with its layers; the caller
// repaints the canvas and the zoom control.
void SetLocation(MapEngine& engine, int canvasWidth, int canvasHeight, double x1, double y1, double x2,
                 double y2, bool redraw);

// Reads a map box "x1 y1 x2 y2"; false when its first four blank-separated
// pieces are not all numbers.
bool parseMapBox(const plat::Bytes& text, double box[4]);

// The labels drawn again over the political layer in p after a display
// switch changed; the caller repaints the canvas.
void redrawLabels(MapEngine& engine);

}  // namespace quil2a
