// Placeholders until the date operations are built.
#include "engine/engine.h"

namespace quil2a {

void MapEngine::showdate() {}
void MapEngine::jumptodate() {}
void MapEngine::jumpdate() {}
void MapEngine::setActiveB(int32_t, int32_t) {}
void MapEngine::setclickname(int32_t, int32_t) {}
void MapEngine::gotodate() {}

}  // namespace quil2a
