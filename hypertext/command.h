// Command links of the pages: set the date ("d", in tenths of a year), fit the
// view to a named region ("vr") and choose the colour scheme ("cs"), then jump.
#pragma once

#include <functional>

#include "engine/engine.h"
#include "engine/host.h"
#include "platform/text.h"

namespace quil2a {

// Runs the "&"-separated key=value items after the first "?" of the target
// (the whole target when it has none), then jumps to maindate. The canvas
// size is the map canvas's, for fitting a region.
void ProcessCMD(MapEngine& engine, int canvasWidth, int canvasHeight, const Bytes& target);

// ProcessCMD for a viewer's command links, with the map canvas's size as the
// host has it at the click.
std::function<void(const Bytes&)> commandRunner(MapEngine& engine, const EngineHost& host);

}  // namespace quil2a
