// The main window opened on the mini atlas, with a clock and modifier keys
// the test sets, and a count of full renders.
#pragma once

#include <cmath>

#include "app_harness.h"

namespace apptest {

// Every full render tells the dialog the visible box: counted here.
struct DialogDouble : quil2a::OptionsDialog {
    int renders = 0;
    void Show() override {}
    void Hide() override {}
    void SetFocus() override {}
    void Close() override {}
    void setVisibleMapBox(int, int, int, int) override { ++renders; }
    void fullScreenEnded() override {}
};

struct Interaction : Harness {
    DialogDouble dialog;
    double now = 5e9;  // microseconds
    Qt::KeyboardModifiers held;

    explicit Interaction(QSize screen = QSize(1280, 800)) : Harness("quillmere", screen)
    {
        open();
        win().setOptionsDialog(&dialog);
        win().Microseconds = [this] { return now; };
        win().asyncModifiers = [this] { return held; };
    }
    ~Interaction() { win().setOptionsDialog(nullptr); }

    quil2a::Atlas& atlas() { return app->atlas(); }
    quil2a::MapEngine& engine() { return app->engine(); }
    quil2a::Canvas* map() { return win().MapCanvas; }
    // The canvas point where a map point is drawn.
    QPoint canvasAt(double x, double y)
    {
        return QPoint(plat::Int(engine().screenx(x)) - 20, plat::Int(engine().screeny(y)) - 20);
    }
    void press(QWidget* w, QPoint at, Qt::KeyboardModifiers mods = {}) { QTest::mousePress(w, Qt::LeftButton, mods, at); }
    void release(QWidget* w, QPoint at) { QTest::mouseRelease(w, Qt::LeftButton, {}, at); }
    // A move with the button held, sent straight to the control.
    void drag(QWidget* w, QPoint to)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(to), w->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(w, &e);
    }
    void clickMap(QPoint at, Qt::KeyboardModifiers mods = {})
    {
        press(map(), at, mods);
        release(map(), at);
    }
    plat::Bytes clickLabel(double x, double y)
    {
        now += 1e6;
        clickMap(canvasAt(x, y));
        return win().IDlabelText;
    }
    void key(Qt::Key k) { QTest::keyClick(&win(), k); }
    plat::Color mapPixel(int x, int y) { return shownPixel(map(), x, y); }
    plat::Color pPixel(int x, int y) { return m().p->surface().Pixel(x, y); }
    static double pow8(int k) { return std::pow(0.8, k); }
    bool labelShown() { return win().IDcanvas->isVisibleTo(&win().surface()); }
};

}  // namespace apptest
