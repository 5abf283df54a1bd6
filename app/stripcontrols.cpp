#include "app/stripcontrols.h"


namespace quil2a {

StripControl::StripControl(ControlHost& host, const char* name)
    : Canvas(&host.surface(), QString::fromLatin1(name)), host_(host)
{
    acceptFocus = true;
    eraseBackground = true;
    onMouseEnter = [this] { setMouseCursor(Qt::PointingHandCursor); };
    onMouseExit = [this] { setMouseCursor(Qt::ArrowCursor); };
}

}  // namespace quil2a
