// The four edge strips: in full screen a click on the window's outermost
// edge brings back the normal window and its menu bar, and unticks the
// dialog's full-screen box; pointing at one there shows a resize arrow.
#include <QCheckBox>

#include "app/application.h"
#include "app/mainwindow.h"
#include "app/stripcontrols.h"
#include "dialog/maindlg.h"

namespace quil2a {

EdgeStrip::EdgeStrip(MainWindow& win, const char* name, Qt::CursorShape fullScreenCursor)
    : Canvas(&win.surface(), QString::fromLatin1(name)), win_(win)
{
    eraseBackground = false;
    onMouseDown = [this](int x, int y) { return MouseDown(x, y); };
    onMouseEnter = [this, fullScreenCursor] {
        if (win_.app().shell().FullScreen) setMouseCursor(fullScreenCursor);
    };
    onMouseExit = [this] { setMouseCursor(Qt::ArrowCursor); };
}

bool EdgeStrip::MouseDown(int, int)
{
    if (!win_.app().shell().FullScreen) return false;
    win_.app().setFullScreen(false);
    win_.app().setMenuBarVisible(true);
    if (MainDlg* d = win_.app().Dlg()) {
        // The box's own handler runs as for a change made by the user.
        if (d->CheckBox1->isChecked()) {
            d->CheckBox1->setChecked(false);
            d->CheckBox1_Action();
        }
    }
    return false;
}

}  // namespace quil2a
