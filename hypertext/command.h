// Command links of the pages: set the date ("d", in tenths of a year), fit the
// view to a named region ("vr") and choose the colour scheme ("cs"), then jump.
#pragma once

#include <functional>

#include "engine/engine.h"
#include "platform/text.h"

namespace quil2a {

// Runs the "&"-separated key=value items after the first "?" of the target
// (the whole target when it has none), then jumps to maindate.
void ProcessCMD(MapEngine& engine, const Bytes& target);

// ProcessCMD for a viewer's command links.
std::function<void(const Bytes&)> commandRunner(MapEngine& engine);

}  // namespace quil2a
