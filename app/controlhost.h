// What a drawn control of the main window reaches, and no more: the engine's
// front door, the tables and the map state to read, the shell's own state, the
// stored pictures, and the few things of the window it sits in. The main
// window implements it; the controls never see the application object.
#pragma once

#include "app/pictures.h"
#include "app/shellstate.h"
#include "app/timer.h"
#include "atlasdata/atlas.h"
#include "engine/engine.h"
#include "engine/mapstate.h"
#include "platform/text.h"

namespace quil2a {

class Canvas;

class ControlHost {
public:
    virtual ~ControlHost() = default;

    virtual MapEngine& engine() = 0;
    virtual const MapState& map() const = 0;
    virtual const Atlas& atlas() const = 0;
    virtual ShellState& shell() = 0;
    virtual StoredPictures& pictures() = 0;

    // The window's surface, the controls' parent, and its inner size.
    virtual Canvas& surface() = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Keyboard focus among the controls; focusMap gives it back to the map canvas.
    virtual void setFocusControl(Canvas* c) = 0;
    virtual void focusMap() = 0;
    // The whole window repainted without erasing.
    virtual void refreshControls() = 0;

    // The animation timer, and the time transport shown running with the focus.
    virtual Timer& animationTimer() = 0;
    virtual void showTransport() = 0;
    // The date field's text.
    virtual plat::Bytes typedDate() const = 0;
    // The microsecond clock.
    virtual double microseconds() = 0;
    // p shown in the map canvas with its top left at (ox, oy), the uncovered strips blank.
    virtual void showShiftedMap(int ox, int oy) = 0;

    // The window buttons and the edge strips.
    virtual void openOptions() = 0;
    virtual void openNarrative() = 0;
    virtual void showHelp() = 0;
    virtual void leaveFullScreen() = 0;
};

}  // namespace quil2a
