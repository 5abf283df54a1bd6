// The application shell's own state: time transport, the remembered date,
// zoom factors and limits, the control colours. The engine's state is
// MapState, the atlas's is Atlas; one App owns all three.
#pragma once

#include <cstdint>

#include "platform/picture.h"

namespace quil2a {

struct ShellState {
    // Time transport. While the animation timer runs, targetdate is on the
    // tenth grid and within mindate..maxdate.
    double targetdate = 0.0;
    int32_t timesteps = 0;
    int32_t speedbandx = 0;
    // The remembered second date of the swap control.
    double swapdate = 0.0;

    // Zoom: the index read from the settings, the step factor and the limits.
    int32_t scaleindex = 0;
    double scalestep = 0.0, minscale = 0.0, maxscale = 0.0;

    // Control colours (ctlbackcolor is MapState's: the headline strip uses it).
    plat::Color ctlgrey1 = 0, ctlgrey2 = 0, ctldarkred = 0;

    bool FullScreen = false;

    // Mouse mode of the map: 0 normal, 1 a pan drag under way; other values
    // belong to the developer row and make the map ignore clicks.
    int32_t mouseaction = 0;
    // The developer row's check box; nothing reads it.
    bool showciamap = false;
};

}  // namespace quil2a
