// The map canvas's mouse: a plain click identifies what lies under it, a
// Control-click zooms about the point, an Alt-click pans by a drag, and in
// the grey and near-white schemes a quick second click recolours a nation.
#include <cmath>

#include "app/mainwindow.h"

namespace quil2a {

namespace {
// The map canvas shows p from its picture point (20, 20).
constexpr int kMargin = 20;
// Two clicks closer than this (microseconds) recolour in the schemes 2 and 4.
constexpr double kRecolourTime = 500000.0;

// The label's text from the city, the place and the nation with its qualifier q.
plat::Bytes labelText(const plat::Bytes& city, const plat::Bytes& place, const plat::Bytes& nation,
                      const plat::Bytes& q)
{
    plat::Bytes label = city.empty() ? place : (place.empty() ? city : city + ", " + place);
    if (label.empty()) return nation;
    label = plat::ReplaceAllB(label, "]", " ");
    const int32_t k = plat::InStrB(2, label, "^");
    if (k > 0) label = plat::LeftB(label, k - 1);
    if (plat::LeftB(label, 1) == "^") label = plat::MidB(label, 2);
    if (plat::InStrB(label, plat::LeftB(nation, 4)) == 0 && plat::Len(nation) > 1)
        label += " (" + q + nation + ")";
    return label;
}
}  // namespace

bool MainWindow::MapCanvas_MouseDown(int x, int y)
{
    setFocusControl(MapCanvas);
    const int X = x + kMargin, Y = y + kMargin;
    if (app_.shell().mouseaction != 0) return false;
    const Qt::KeyboardModifiers mods = MapCanvas->eventModifiers();
    if (mods & Qt::ControlModifier) {
        zoomClick(X, Y, mods & Qt::ShiftModifier);
        return false;
    }
    if (mods & Qt::AltModifier) {
        setMapCursor(MapCursor::HandClosed);
        app_.shell().mouseaction = 1;
        lastdragx = X;
        lastdragy = Y;
        return true;
    }
    identify(X, Y);
    return false;
}

void MainWindow::zoomClick(int X, int Y, bool out)
{
    MapEngine& e = app_.engine();
    e.setView(e.mapx(X), e.mapy(Y), app_.map().scale, false);
    setzoom(out ? 1 : -1);
}

void MainWindow::showShiftedMap(int ox, int oy)
{
    const MapState& m = app_.map();
    if (!m.p) return;
    const int W = MapCanvas->width(), H = MapCanvas->height();
    const int pW = m.p->Width(), pH = m.p->Height();
    plat::Graphics& g = MapCanvas->graphics();
    g.DrawPicture(*m.p, ox, oy);
    g.SetForeColor(app_.atlas().blankgrey);
    if (ox > 0) g.FillRect(0, 0, ox, H);
    if (oy > 0) g.FillRect(0, 0, W, oy);
    const int rx = W - pW - ox, ry = H - pH - oy;
    if (rx > 0) g.FillRect(W - rx, 0, rx, H);
    if (ry > 0) g.FillRect(0, H - ry, W, ry);
}

void MainWindow::MapCanvas_MouseDrag(int x, int y)
{
    if (app_.shell().mouseaction != 1) return;
    const int X = x + kMargin, Y = y + kMargin;
    showShiftedMap(X - lastdragx - kMargin, Y - lastdragy - kMargin);
}

void MainWindow::MapCanvas_MouseUp(int x, int y)
{
    ShellState& s = app_.shell();
    if (s.mouseaction != 1) return;
    MapEngine& e = app_.engine();
    s.mouseaction = 0;
    const int X = x + kMargin, Y = y + kMargin;
    // Both ends are projected before the origin moves.
    e.panBy(e.mapx(lastdragx) - e.mapx(X), e.mapy(lastdragy) - e.mapy(Y), true);
}

bool MainWindow::MapCanvas_MouseWheel(int, int, int, int) { return false; }

void MainWindow::identify(int X, int Y)
{
    const Atlas& a = app_.atlas();
    const MapState& m = app_.map();
    MapEngine& e = app_.engine();
    // A click beyond the political layer (a canvas larger than the screen) finds nothing.
    if (!m.p1 || !m.p1->contains(X, Y)) return;
    plat::RGBSurface& layer = m.p1->surface();
    const plat::Color c = layer.Pixel(X, Y);

    if (c == a.watercolor) {
        if (m.IDfadeout > 10) e.setIdFade(10);
        return;
    }
    const int32_t idx = e.territoryIndex(*m.p1, X, Y);
    if (idx == 0 || !a.clicknames[idx]) return;
    plat::Bytes nation = a.clicknames[idx]->name;

    if (std::abs(Microseconds() - lastclicktime) < kRecolourTime && e.togglePale(idx)) return;
    lastclicktime = Microseconds();

    const double mx = plat::Round(e.mapx(X)), my = plat::Round(e.mapy(Y));

    // The active place with the smallest box that holds the point and whose seed shows its colour.
    plat::Bytes place;
    double best = 1000000000.0;
    for (int32_t i = 1; i <= a.place.ubound(); ++i) {
        const placetype* r = a.place[i].get();
        if (!r) break;
        if (!r->active || !(r->x1 < mx && mx < r->x2 && r->y1 < my && my < r->y2)) continue;
        if (layer.Pixel(plat::Int(e.screenx(r->xseed)), plat::Int(e.screeny(r->yseed))) != c) continue;
        const double area = (r->x2 - r->x1) * (r->y2 - r->y1);
        if (area < best) {
            place = r->name;
            best = area;
        }
    }

    plat::Bytes q = a.quilstring[1];
    if (plat::InStrB(nation, "$") > 0) {
        nation = plat::LeftB(nation, plat::LenB(nation) - 1);
        q.clear();
    }

    // The first living city in table order close to the point.
    plat::Bytes city;
    const double now10 = m.maindate * 10.0;
    for (int32_t i = 1; i <= a.city.ubound(); ++i) {
        const citiestype* r = a.city[i].get();
        if (!r) break;
        if (r->date1 <= now10 && now10 <= r->date2 && std::abs(r->x - mx) + std::abs(r->y - my) < 25.0) {
            city = r->name;
            break;
        }
    }

    const plat::Bytes label = labelText(city, place, nation, q);
    if (label.empty()) {
        IDcanvas->setControlWidth(0);
        e.setIdFade(0);
        return;
    }
    showIdLabel(label, X, Y);
}

void MainWindow::showIdLabel(const plat::Bytes& label, int X, int Y)
{
    MapEngine& e = app_.engine();
    const MapState& m = app_.map();
    const ShellState& s = app_.shell();
    plat::Picture* idPic = e.idLabel();
    if (!idPic) return;
    plat::Picture& pic = *idPic;
    const int pw = pic.Width(), ph = pic.Height();
    const plat::Color back = m.ctlbackcolor;
    IDlabelText = label;

    plat::Graphics& g = pic.graphics();
    g.SetCodePage(app_.atlas().textCodePage());
    g.SetForeColor(back);
    g.FillRect(0, 0, pw, ph);
    g.SetForeColor(s.ctlgrey2);
    g.DrawString(label, 9, 13);

    // The rightmost ink on row 10, then the rightmost on any row up to 20 columns beyond it.
    const plat::RGBSurface& ink = pic.surface();
    int w = 0;
    for (int x = pw - 5; x >= 9; --x)
        if (ink.Pixel(x, 10) != back) {
            w = x;
            break;
        }
    bool found = false;
    for (int x = std::min(w + 20, pw - 1); x >= 9 && !found; --x)
        for (int y = 1; y <= ph - 1; ++y)
            if (ink.Pixel(x, y) != back) {
                w = x;
                found = true;
                break;
            }

    const int lw = w - 9 + 20;
    IDcanvas->setControlWidth(lw);
    g.SetForeColor(s.ctlgrey1);
    g.DrawRect(0, 0, lw, IDcanvas->height());

    int left = X - lw / 2;
    if (left < 21) left = 21;
    if (left + lw > MapCanvas->width() + 19) left = MapCanvas->width() + 19 - lw;
    int top = Y + 15;
    if (top < 55) top = 55;
    setControlBounds(IDcanvas, left, top, lw, IDcanvas->height());
    IDcanvas->Refresh(false);
    e.setIdFade(70);
}

}  // namespace quil2a
