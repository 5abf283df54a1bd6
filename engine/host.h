// The engine's one way out to the windows: the application implements it,
// tests record it. No widget is ever included by the engine.
#pragma once

#include <QRect>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "platform/text.h"

namespace quil2a {

class EngineHost {
public:
    virtual ~EngineHost() = default;

    // Main window: the date field's text (then repainted).
    virtual void setDateFieldText(const plat::Bytes& text) = 0;
    // Main window: the map canvas's size and drawing p into it at (-20, -20).
    virtual int mapCanvasWidth() const = 0;
    virtual int mapCanvasHeight() const = 0;
    virtual void drawMapCanvas(const plat::Picture& p) = 0;
    // Only the rectangles of p (picture pixels) changed since p was last
    // drawn or shown; a host that does not show p draws all of it.
    virtual void drawMapCanvasRects(const plat::Picture& p, const std::vector<QRect>& rects)
    {
        drawMapCanvas(p);
    }
    // Main window: repaint without erasing.
    virtual void refreshMainWindow() = 0;
    // The view or the colours changed and p, drawn again, is on the map
    // canvas: the controls that show the view (the zoom gauge) repaint.
    virtual void viewChanged() {}
    // Main window: the headline strip picture drawn at (0, window height - 30).
    virtual void drawHeadStrip(const plat::Picture& headpic) = 0;
    // Identification label control: window coordinates; width 0 hides it.
    virtual int idLabelLeft() const = 0;
    virtual int idLabelTop() const = 0;
    virtual void setIdLabelWidth(int w) = 0;
    virtual void refreshIdLabel() = 0;

    // Narrative window (MapState::NarrWinOpen says whether it follows the date).
    // Shows the narrative page for the date shown when the window is open.
    virtual void narrWinJump() = 0;

    // Options dialog: the visible map box in map units, then the thumbnail repainted.
    virtual void setVisibleMapBox(int x1, int y1, int x2, int y2) = 0;

    // The map's layer p1 waits for its copy from p: a host with idle time
    // has MapEngine::completeLayers make it then; else it is made when first used.
    virtual void layersWaiting() {}
};

// A host without windows: remembers what it was told. Tools and tests use it.
class NullHost : public EngineHost {
public:
    NullHost(int canvasW = 800, int canvasH = 600) : canvasW(canvasW), canvasH(canvasH) {}
    void setDateFieldText(const plat::Bytes& text) override { dateText = text; }
    int mapCanvasWidth() const override { return canvasW; }
    int mapCanvasHeight() const override { return canvasH; }
    void drawMapCanvas(const plat::Picture&) override { ++canvasDraws; }
    void drawMapCanvasRects(const plat::Picture& p, const std::vector<QRect>&) override
    {
        ++canvasPartDraws;
        drawMapCanvas(p);
    }
    void refreshMainWindow() override { ++mainRefreshes; }
    void viewChanged() override { ++viewChanges; }
    void drawHeadStrip(const plat::Picture&) override { ++headDraws; }
    int idLabelLeft() const override { return idLeft; }
    int idLabelTop() const override { return idTop; }
    void setIdLabelWidth(int w) override { idWidth = w; }
    void refreshIdLabel() override { ++idRefreshes; }
    void narrWinJump() override { ++narrJumps; }
    void setVisibleMapBox(int a, int b, int c, int d) override
    {
        vmx1 = a; vmy1 = b; vmx2 = c; vmy2 = d;
        ++boxUpdates;
    }

    int canvasW, canvasH;
    plat::Bytes dateText;
    int canvasDraws = 0, canvasPartDraws = 0, mainRefreshes = 0, viewChanges = 0, headDraws = 0, idRefreshes = 0;
    int idLeft = 0, idTop = 0, idWidth = 0;
    int narrJumps = 0, boxUpdates = 0;
    int vmx1 = 0, vmy1 = 0, vmx2 = 0, vmy2 = 0;
};

}  // namespace quil2a
