// The four edge strips: in full screen a click on the window's outermost
// edge brings back the normal window and its menu bar, and unticks the
// dialog's full-screen box. Their cursors are set where they are made.
#include <QCheckBox>

#include "app/application.h"
#include "app/mainwindow.h"
#include "dialog/maindlg.h"

namespace quil2a {

void MainWindow::wireEdgeStrips()
{
    for (Canvas* edge : {topedge, leftedge, rightedge, lowedge})
        edge->onMouseDown = [this](int x, int y) { return EdgeStrip_MouseDown(x, y); };
}

bool MainWindow::EdgeStrip_MouseDown(int, int)
{
    if (!app_.shell().FullScreen) return false;
    app_.setFullScreen(false);
    app_.setMenuBarVisible(true);
    if (MainDlg* d = app_.Dlg()) {
        // The box's own handler runs as for a change made by the user.
        if (d->CheckBox1->isChecked()) {
            d->CheckBox1->setChecked(false);
            d->CheckBox1_Action();
        }
    }
    return false;
}

}  // namespace quil2a
