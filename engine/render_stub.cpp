// Placeholders until the renderer is built.
#include "engine/engine.h"

namespace quil2a {

void MapEngine::displaymap(plat::Picture&, bool) {}
bool MapEngine::HitABorder(plat::Picture&, int32_t, int32_t, int32_t, int32_t) { return false; }
void MapEngine::invalidatezone(int32_t) {}
void MapEngine::localrefresh() {}
void MapEngine::displaymaptext(plat::Picture&, bool) {}
void MapEngine::displayhead() {}
void MapEngine::fadeID() {}

}  // namespace quil2a
