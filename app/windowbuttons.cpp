// The strip's three window buttons: each draws its icon in single lines and
// pixels, shows a bright pressed look while held, and acts on release
// (wherever the release happens).
#include <utility>

#include "app/stripcontrols.h"

namespace quil2a {

namespace {
// The icons' parts, in control coordinates.
void drawDlgIcon(plat::Graphics& g)
{
    g.DrawRect(0, 1, 13, 9);
    g.DrawLine(0, 0, 1, 0);
    g.DrawLine(6, 1, 6, 9);
    g.DrawLine(0, 5, 12, 5);
}

void drawNarrIcon(plat::Graphics& g)
{
    g.DrawRect(0, 1, 13, 9);
    g.DrawLine(0, 0, 1, 0);
    g.DrawLine(2, 3, 9, 3);
    g.DrawLine(2, 5, 8, 5);
    g.DrawLine(2, 7, 9, 7);
}

void drawHelpFrame(plat::Graphics& g)
{
    g.DrawRect(0, 1, 13, 10);
    g.DrawLine(0, 0, 1, 0);
}

// The question mark's six single pixels.
void drawHelpMark(plat::Graphics& g)
{
    for (auto [x, y] : {std::pair{5, 4}, {6, 3}, {7, 4}, {7, 5}, {6, 6}, {6, 8}}) g.DrawLine(x, y, x, y);
}
}  // namespace

WindowButton::WindowButton(ControlHost& host, Kind kind)
    : StripControl(host, kind == Kind::Dialog ? "DlgB" : kind == Kind::Narrative ? "NarrB" : "HelpB"), kind_(kind)
{
    // Only the help button leaves the focus where it is.
    acceptFocus = kind != Kind::Help;
    onPaint = [this](plat::Graphics& g) { Paint(g); };
    onMouseDown = [this](int x, int y) { return MouseDown(x, y); };
    onMouseUp = [this](int x, int y) { MouseUp(x, y); };
}

void WindowButton::drawIcon(plat::Graphics& g)
{
    switch (kind_) {
    case Kind::Dialog: drawDlgIcon(g); break;
    case Kind::Narrative: drawNarrIcon(g); break;
    case Kind::Help:
        drawHelpFrame(g);
        drawHelpMark(g);
        break;
    }
}

void WindowButton::Paint(plat::Graphics& g)
{
    g.SetForeColor(host_.map().ctlbackcolor);
    g.FillRect(0, 0, host_.Width(), host_.Height());
    g.SetForeColor(host_.shell().ctlgrey1);
    drawIcon(g);
}

bool WindowButton::MouseDown(int, int)
{
    plat::Graphics& g = graphics();
    // The help button's pressed look starts from a clear ground; the others draw over theirs.
    if (kind_ == Kind::Help) {
        g.SetForeColor(host_.map().ctlbackcolor);
        g.FillRect(0, 0, host_.Width(), host_.Height());
    }
    g.SetForeColor(host_.shell().ctlgrey2);
    drawIcon(g);
    return true;
}

void WindowButton::MouseUp(int, int)
{
    switch (kind_) {
    case Kind::Dialog:
        Refresh(false);
        host_.openOptions();
        break;
    case Kind::Narrative:
        host_.openNarrative();
        Refresh(false);
        break;
    case Kind::Help:
        // The help page is shown, but the narrative window is not given the focus.
        host_.showHelp();
        Refresh(false);
        break;
    }
    host_.focusMap();
}

}  // namespace quil2a
