// The four edge strips: in full screen a click on the window's outermost
// edge brings back the normal window and its menu bar, and unticks the
// dialog's full-screen box; pointing at one there shows a resize arrow.
#include "app/stripcontrols.h"

namespace quil2a {

EdgeStrip::EdgeStrip(ControlHost& host, const char* name, Qt::CursorShape fullScreenCursor)
    : Canvas(&host.surface(), QString::fromLatin1(name)), host_(host)
{
    eraseBackground = false;
    onMouseDown = [this](int x, int y) { return MouseDown(x, y); };
    onMouseEnter = [this, fullScreenCursor] {
        if (host_.shell().FullScreen) setMouseCursor(fullScreenCursor);
    };
    onMouseExit = [this] { setMouseCursor(Qt::ArrowCursor); };
}

bool EdgeStrip::MouseDown(int, int)
{
    if (!host_.shell().FullScreen) return false;
    host_.leaveFullScreen();
    return false;
}

}  // namespace quil2a
