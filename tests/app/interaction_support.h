// The main window opened on the mini atlas, with a clock and modifier keys
// the test sets, and a count of full renders.
#pragma once

#include <QWheelEvent>
#include <cmath>

#include "app_harness.h"
#include "platform/clock.h"

namespace apptest {

// Counts the renders: every full render tells the dialog the visible box.
struct DialogDouble : quil2a::OptionsDialog {
    int boxes = 0;
    void Show() override {}
    void Hide() override {}
    void SetFocus() override {}
    void Close() override {}
    void setVisibleMapBox(int, int, int, int) override { ++boxes; }
};

struct Interaction : Harness {
    DialogDouble dialog;
    double now = 5e9;  // microseconds since the system started
    Qt::KeyboardModifiers held;

    explicit Interaction(QSize screen = QSize(1280, 800)) : Harness("quillmere", screen)
    {
        open();
        win().setOptionsDialog(&dialog);
        win().Microseconds = [this] { return now; };
        win().asyncModifiers = [this] { return held; };
    }
    ~Interaction() { win().setOptionsDialog(nullptr); }

    quil2a::MapEngine& engine() { return app->engine(); }
    quil2a::Atlas& atlas() { return app->atlas(); }
    quil2a::Canvas* map() { return win().MapCanvas; }

    // The canvas point where a map point is drawn.
    QPoint canvasAt(double x, double y)
    {
        return QPoint(plat::Int(engine().screenx(x)) - 20, plat::Int(engine().screeny(y)) - 20);
    }
    void press(QWidget* w, QPoint at, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(w, Qt::LeftButton, mods, at);
    }
    void drag(QWidget* w, QPoint to, Qt::KeyboardModifiers mods = {})
    {
        // A move with the button held, sent straight to the control.
        QMouseEvent e(QEvent::MouseMove, QPointF(to), w->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton, mods);
        QCoreApplication::sendEvent(w, &e);
    }
    void release(QWidget* w, QPoint at, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseRelease(w, Qt::LeftButton, mods, at);
    }
    void clickMap(QPoint at, Qt::KeyboardModifiers mods = {})
    {
        press(map(), at, mods);
        release(map(), at, mods);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(&win(), k, mods); }
    void tick() { win().OtherTimer_Action(); }

    plat::Color mapPixel(int x, int y) { return map()->shownPicture().image().pixel(x, y) & 0xFFFFFFu; }
    plat::Color pPixel(int x, int y) { return m().p->surface().Pixel(x, y); }
    double pow8(int k) { return std::pow(0.8, k); }
    bool labelShown() { return win().IDcanvas->isVisibleTo(&win().surface()); }
};

}  // namespace apptest
