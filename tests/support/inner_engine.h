// The engine's inner steps opened for tests and measurements, which check
// them one at a time; the program reaches the engine only through its front
// door (MapEngine's public operations).
#pragma once

#include "engine/engine.h"

namespace testsupport {

class InnerEngine : public quil2a::MapEngine {
public:
    using MapEngine::MapEngine;
    using MapEngine::displaymap;
    using MapEngine::displaymaptext;
    using MapEngine::gotodate;
    using MapEngine::invalidatezone;
    using MapEngine::jumpdate;
    using MapEngine::jumptodate;
    using MapEngine::kMaxMeasured;
    using MapEngine::localrefresh;
    using MapEngine::measuredTexts;
    using MapEngine::redrawLabels;
    using MapEngine::setActiveB;
    using MapEngine::setclickname;
    using MapEngine::steptext;
};

}  // namespace testsupport
