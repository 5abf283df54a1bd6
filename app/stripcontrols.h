// The main window's drawn controls, each a drawn control of its own: the time
// transport, the zoom gauge, the roller, the date buttons, the window buttons
// and the edge strips. The window makes and places them; each draws itself and
// turns its clicks into date and view changes through the engine's front door
// and the window's ControlHost.
#pragma once

#include <cstdint>

#include "app/controlhost.h"
#include "widgets/canvas.h"

namespace quil2a {

// A button of the strip: the finger pointer while the mouse is over it, the
// standard pointer after; the keyboard focus when it is pressed.
class StripControl : public Canvas {
    Q_OBJECT
public:
    StripControl(ControlHost& host, const char* name);

protected:
    ControlHost& host_;
};

// The time transport: to start, back, pause, forward, to end, and a row of
// eight speed ticks on each side of the pause symbol.
class TimeTransport : public StripControl {
    Q_OBJECT
public:
    explicit TimeTransport(ControlHost& host);
    void Paint(plat::Graphics& g);
    bool MouseDown(int x, int y);
    void MouseUp(int x, int y);

private:
    // The lines of a symbol: 1 to start, 2 back, 3 pause, 4 forward, 5 to end.
    static void drawSymbol(plat::Graphics& g, int zone);
    // The animation timer restarted from the speed table.
    void restart();
};

// The zoom gauge: minus, plus and a marker 4 pixels a zoom step.
class ZoomGauge : public StripControl {
    Q_OBJECT
public:
    explicit ZoomGauge(ControlHost& host);
    void Paint(plat::Graphics& g);
    bool MouseDown(int x, int y);
    void MouseUp(int x, int y);
    // One step of scale, undone when it would leave the limits (the limits themselves are allowed).
    static double stepped(const ShellState& s, double scale, bool zoomIn);

    // The marker's x, written by every paint.
    int32_t zoomx = 0;
};

// The pan roller: held down, the direction from its middle to the pointer
// moves the view; the release renders the map once.
class Roller : public StripControl {
    Q_OBJECT
public:
    explicit Roller(ControlHost& host);
    bool MouseDown(int x, int y);
    void MouseDrag(int x, int y);
    void MouseUp(int x, int y);

    // Map scroll since the drag began (pixels) and the time of the last step (microseconds).
    int32_t rollerdx = 0, rollerdy = 0;
    double tlastroller = 0;
};

// The date step: plus in the upper half, minus in the lower.
class DateStep : public StripControl {
    Q_OBJECT
public:
    explicit DateStep(ControlHost& host);
    void Paint(plat::Graphics& g);
    bool MouseDown(int x, int y);
    void MouseUp(int x, int y);
};

// The swap with the remembered date: two arrows.
class DateSwap : public StripControl {
    Q_OBJECT
public:
    explicit DateSwap(ControlHost& host);
    void Paint(plat::Graphics& g);
    bool MouseDown(int x, int y);
    void MouseUp(int x, int y);
};

// Jump (hollow arrow) or go (arrow with its shaft) to the typed date.
class DateArrow : public StripControl {
    Q_OBJECT
public:
    enum class Kind { Jump, Go };
    DateArrow(ControlHost& host, Kind kind);
    void Paint(plat::Graphics& g);
    bool MouseDown(int x, int y);
    void MouseUp(int x, int y);

private:
    void draw(plat::Graphics& g);
    Kind kind_;
};

// A window button: the options dialog, the narrative or the help page. It
// acts on release, wherever the release happens.
class WindowButton : public StripControl {
    Q_OBJECT
public:
    enum class Kind { Dialog, Narrative, Help };
    WindowButton(ControlHost& host, Kind kind);
    void Paint(plat::Graphics& g);
    bool MouseDown(int x, int y);
    void MouseUp(int x, int y);

private:
    void drawIcon(plat::Graphics& g);
    Kind kind_;
};

// An edge strip of the window: in full screen a click on it leaves full
// screen; it draws nothing.
class EdgeStrip : public Canvas {
    Q_OBJECT
public:
    EdgeStrip(ControlHost& host, const char* name, Qt::CursorShape fullScreenCursor);
    bool MouseDown(int x, int y);

private:
    ControlHost& host_;
};

}  // namespace quil2a
