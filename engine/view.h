// The colour tables of a scheme and the map box of a view region, worked out
// on the atlas alone; the engine's view operations (engine.h) use them.
#pragma once

#include "atlasdata/atlas.h"
#include "platform/text.h"

namespace quil2a {

// clrlist 1..256 from the scheme's palette rule (a number without a row leaves
// it), then the line colours of the scheme's line set.
void applyColorScheme(Atlas& a);

// In a scheme with a pale palette, colour index idx toggled between the pale
// and the full colour; false (nothing changed) in any other scheme.
bool togglePale(Atlas& a, int32_t idx);

// Reads a map box "x1 y1 x2 y2"; false when its first four blank-separated
// pieces are not all numbers.
bool parseMapBox(const plat::Bytes& text, double box[4]);

}  // namespace quil2a
