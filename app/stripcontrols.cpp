#include "app/stripcontrols.h"

#include "app/mainwindow.h"

namespace quil2a {

StripControl::StripControl(MainWindow& win, const char* name)
    : Canvas(&win.surface(), QString::fromLatin1(name)), win_(win)
{
    acceptFocus = true;
    eraseBackground = true;
    onMouseEnter = [this] { setMouseCursor(Qt::PointingHandCursor); };
    onMouseExit = [this] { setMouseCursor(Qt::ArrowCursor); };
}

App& StripControl::app() const { return win_.app(); }

}  // namespace quil2a
