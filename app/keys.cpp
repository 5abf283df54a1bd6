// The window's key commands and the interface timer: date steps, stop, zoom
// and help from the keyboard; headline and label fades and the map's cursor
// for the modifier keys on every tick.
#include "app/editdate.h"
#include "app/mainwindow.h"
#include "app/stripcontrols.h"

namespace quil2a {

void MainWindow::stepKey(int dir)
{
    // At a range end the date stays and no change record is applied.
    if (!app_.engine().step(dir)) app_.engine().showdate();
}

void MainWindow::showHelp()
{
    NarrativeWindow* w = app_.narrative();
    if (!w) return;
    w->Show();
    app_.engine().setNarrativeFollows(true);
    w->Update("help.htm#home");
}

bool MainWindow::KeyDown(const plat::Bytes& key)
{
    if (NewEditDate->editfocus) return false;
    const MapState& m = app_.map();
    if (key == "+" || key == "=") {
        stepKey(1);
    } else if (key == "-" || key == "_") {
        stepKey(-1);
    } else if (key == " " || key == plat::ChrB(13) || key == plat::ChrB(3)) {
        app_.shell().targetdate = m.maindate;
        EvoTimer.setMode(0);
        TimeCtl->Refresh(false);
        app_.engine().redraw();
    } else if (key == plat::ChrB(kZoomInKey)) {
        setzoom(-1);
    } else if (key == plat::ChrB(kZoomOutKey)) {
        setzoom(1);
    } else if (key == plat::ChrB(kHelpKey)) {
        showHelp();
    }
    return false;
}

void MainWindow::setMapCursor(MapCursor c)
{
    if (c == mapCursor_) return;
    mapCursor_ = c;
    MapCanvas->setMouseCursor(quil2a::mapCursor(c));
}

void MainWindow::OtherTimer_Action()
{
    const MapState& m = app_.map();
    if (m.hfadeout > 0) app_.engine().displayhead();
    if (m.IDfadeout > 0) app_.engine().fadeID();

    const Qt::KeyboardModifiers mods = asyncModifiers ? asyncModifiers() : Qt::KeyboardModifiers();
    const bool panning = app_.shell().mouseaction == 1;
    if ((mods & Qt::AltModifier) && !panning) {
        setMapCursor(MapCursor::HandOpen);
        resetmouse = true;
    } else if (mods & Qt::ControlModifier) {
        setMapCursor(mods & Qt::ShiftModifier ? MapCursor::MagnifySmaller : MapCursor::MagnifyLarger);
        resetmouse = true;
    } else if (resetmouse && !panning) {
        setMapCursor(MapCursor::StandardPointer);
    }
}

}  // namespace quil2a
