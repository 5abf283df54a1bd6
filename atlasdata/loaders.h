// Loading the atlas from the stored items into its tables.
#pragma once

#include "atlasdata/atlas.h"

namespace quil2a {

// Line colours, palettes, the six map items and their change tokens.
void loadmapdata(Atlas& a);
// The language items: quilstr, places, people, events, cities, click names,
// headlines, anchors, view regions and their change tokens.
void loadtextdata(Atlas& a);

}  // namespace quil2a
