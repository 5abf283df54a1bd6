// The colour scheme: the fill palette and line colours that go with
// Atlas::colorscheme.
#pragma once

#include "atlasdata/atlas.h"
#include "engine/engine.h"

namespace quil2a {

// clrlist 1..256 from the scheme's palette (0 colour, 1-2 grey, 3-4 near
// white, 5 members in colour and the rest near white; any other scheme leaves
// it), then the line colours from set 0 for schemes below 1, else set 1.
void applyColorScheme(Atlas& a);

// applyColorScheme, then the map rendered again into p with its layers; the
// caller repaints the map canvas.
void SetColor(MapEngine& engine);

}  // namespace quil2a
