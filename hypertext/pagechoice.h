// The narrative page and anchor for the date shown.
#pragma once

#include "atlasdata/atlas.h"
#include "hypertext/narrative.h"
#include "engine/mapstate.h"

namespace quil2a {

// While the narrative window is open, shows the page of the last anchor at or
// before maindate (the first anchor for a date before it), at that anchor.
void NarrWinJump(const Atlas& atlas, const MapState& state, NarrativeWindow& window);

}  // namespace quil2a
