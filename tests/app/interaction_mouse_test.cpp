// The map canvas's mouse: identification label, recolouring double click,
// Control-click zoom about the point, Alt-drag pan, and clicks that must
// change nothing.
#include <gtest/gtest.h>

#include "interaction_support.h"

using apptest::Interaction;

namespace {
// Seeds of the mini atlas's territories (map units).
constexpr double kAlandX = 8500, kAlandY = 11000;
constexpr double kBetatownX = 12000, kBetatownY = 10500;

plat::Color labelPixel(Interaction& t, int x, int y) { return t.m().IDpic->surface().Pixel(x, y); }

std::unique_ptr<quil2a::placetype> placeRecord(const char* name, double x1, double y1, double x2, double y2)
{
    auto r = std::make_unique<quil2a::placetype>();
    r->name = name;
    r->x1 = x1;
    r->y1 = y1;
    r->x2 = x2;
    r->y2 = y2;
    r->xseed = kAlandX;
    r->yseed = kAlandY;
    r->active = true;
    return r;
}

int64_t outsideReads(quil2a::Atlas& a)
{
    return a.clrlist.outsideCount() + a.clicknames.outsideCount() + a.place.outsideCount() +
           a.city.outsideCount() + a.quilstring.outsideCount();
}
}  // namespace

TEST(InteractionMouse, AClickNamesTheTerritoryInAFramedLabelAboveThePoint)
{
    Interaction t;
    const QPoint at = t.canvasAt(kAlandX, kAlandY);
    t.clickMap(at);
    EXPECT_EQ(t.win().IDlabelText, "Aland");
    EXPECT_EQ(t.m().IDfadeout, 70);
    EXPECT_EQ(t.win().lastclicktime, t.now);
    ASSERT_TRUE(t.labelShown());

    // Width: 9 pixels of margin, the ink, 11 pixels of margin ending in the frame.
    const QRect r = t.win().IDcanvas->geometry();
    const int lw = r.width();
    bool inkInLastColumn = false;
    for (int y = 1; y < 17; ++y) {
        inkInLastColumn |= labelPixel(t, lw - 11, y) != 0x101010u;
        for (int x = lw - 10; x <= lw - 2; ++x) ASSERT_EQ(labelPixel(t, x, y), 0x101010u) << x << "," << y;
    }
    EXPECT_TRUE(inkInLastColumn);
    EXPECT_EQ(labelPixel(t, 0, 5), 0xC0C0C0u);
    EXPECT_EQ(labelPixel(t, lw - 1, 5), 0xC0C0C0u);
    EXPECT_EQ(labelPixel(t, 5, 17), 0xC0C0C0u);
    // Centred above the click (window coordinates; the canvas lies at 20, 54).
    const int X = at.x() + 20, Y = at.y() + 20;
    EXPECT_EQ(r.left(), X - lw / 2);
    EXPECT_EQ(r.top(), Y + 15);
    EXPECT_EQ(r.bottom() + 2, at.y() + 54);

    // Near the canvas's top left corner the label stays one pixel inside.
    t.m().x0 = kAlandX + (t.m().xc - 25) / t.m().scale;
    t.m().y0 = kAlandY + (t.m().yc - 25) / t.m().scale;
    t.app->engine().displaymap(*t.m().p, true);
    t.clickMap(t.canvasAt(kAlandX, kAlandY));
    ASSERT_TRUE(t.labelShown());
    EXPECT_EQ(t.win().IDcanvas->geometry().topLeft(), QPoint(21, 55));
}

TEST(InteractionMouse, TheLabelJoinsCityPlaceAndNation)
{
    Interaction t;
    quil2a::Atlas& a = t.atlas();
    const QPoint betatown = t.canvasAt(kBetatownX, kBetatownY);
    t.clickMap(betatown);
    EXPECT_EQ(t.win().IDlabelText, "Betatown, Beland");

    a.clicknames[2]->name = "Kingdom of Beland";
    t.clickMap(betatown);
    EXPECT_EQ(t.win().IDlabelText, "Betatown, Beland (Nation: Kingdom of Beland)");

    // "$" drops the qualifier and the mark; "]" shows as a blank, "^" ends the place name.
    a.clicknames[2]->name = "Kingdom$";
    a.place[2]->name = "Be]l^and";
    t.clickMap(betatown);
    EXPECT_EQ(t.win().IDlabelText, "Betatown, Be l (Kingdom)");

    // A nation name of one character gets no brackets; neither place nor city: the nation alone.
    a.clicknames[2]->name = "K";
    t.clickMap(betatown);
    EXPECT_EQ(t.win().IDlabelText, "Betatown, Be l");
    a.clicknames[1]->name = "Al^and]$";
    t.clickMap(t.canvasAt(8000, 14500));  // the south-west: no box holds it, no city near
    EXPECT_EQ(t.win().IDlabelText, "Al^and]");

    // An empty name hides the label.
    a.clicknames[1]->name.clear();
    t.clickMap(t.canvasAt(8000, 14500));
    EXPECT_EQ(t.m().IDfadeout, 0);
    EXPECT_FALSE(t.labelShown());

    // A text wider than the label picture is cut at its edge.
    a.clicknames[1]->name = std::string(200, 'W');
    t.clickMap(t.canvasAt(8000, 14500));
    EXPECT_EQ(t.win().IDcanvas->width(), 510);
}

TEST(InteractionMouse, TheSmallestBoxAndTheFirstCityNearTheClickAreNamed)
{
    Interaction t;
    quil2a::Atlas& a = t.atlas();
    const QPoint at = t.canvasAt(kAlandX, kAlandY);
    const double mx = plat::Round(t.engine().mapx(at.x() + 20)), my = plat::Round(t.engine().mapy(at.y() + 20));

    a.place[4] = placeRecord("Edge", mx, my - 100, mx + 100, my + 100);  // its edge passes through the point
    a.place[5] = placeRecord("Middle", mx - 100, my - 100, mx + 100, my + 100);
    a.place[6] = placeRecord("Twin", mx - 200, my - 50, mx + 200, my + 50);  // the same area, later
    t.clickMap(at);
    EXPECT_EQ(t.win().IDlabelText, "Middle (Nation: Aland)");
    a.place[5]->active = false;
    t.clickMap(at);
    EXPECT_EQ(t.win().IDlabelText, "Twin (Nation: Aland)");
    // A seed in another territory does not count.
    a.place[6]->xseed = kBetatownX;
    a.place[6]->yseed = kBetatownY;
    t.clickMap(at);
    EXPECT_EQ(t.win().IDlabelText, "Aland");

    // Cities: a sum of distances of exactly 25 is too far; the last living day counts;
    // the first in table order wins over a nearer one.
    auto cityRecord = [&](const char* name, double x, double y, int32_t d2) {
        auto c = std::make_unique<quil2a::citiestype>();
        c->name = name;
        c->x = x;
        c->y = y;
        c->date1 = 10000;
        c->date2 = d2;
        return c;
    };
    a.city[3] = cityRecord("Far", mx + 10, my + 15, 20030);
    a.city[4] = cityRecord("Dying", mx + 12, my + 12, 18050);
    a.city[5] = cityRecord("Nearest", mx, my, 20030);
    t.clickMap(at);
    EXPECT_EQ(t.win().IDlabelText, "Dying, Aland");
    a.city[4]->date2 = 18049;
    t.clickMap(at);
    EXPECT_EQ(t.win().IDlabelText, "Nearest, Aland");
}

TEST(InteractionMouse, WaterShortensAHeldLabelOnly)
{
    Interaction t;
    const QPoint water = t.canvasAt(7500, 9500);  // the lake
    ASSERT_EQ(t.m().p1->surface().Pixel(water.x() + 20, water.y() + 20), t.atlas().watercolor);
    t.clickMap(t.canvasAt(kAlandX, kAlandY));
    t.now += 1e6;
    t.m().IDfadeout = 40;
    t.clickMap(water);
    EXPECT_EQ(t.m().IDfadeout, 10);
    t.m().IDfadeout = 6;
    t.clickMap(water);
    EXPECT_EQ(t.m().IDfadeout, 6);
    EXPECT_EQ(t.win().lastclicktime, t.now - 1e6);
    EXPECT_EQ(t.win().focusControl(), t.map());
}

TEST(InteractionMouse, ClicksThatFindNothingChangeNothingAndStayInsideTheTables)
{
    Interaction t;
    quil2a::Atlas& a = t.atlas();
    const QPoint aland = t.canvasAt(kAlandX, kAlandY);

    // A colour index without a click-name record.
    a.clicknames[1].reset();
    t.clickMap(aland);
    EXPECT_EQ(t.m().IDfadeout, 0);
    EXPECT_FALSE(t.labelShown());
    EXPECT_EQ(t.win().lastclicktime, 0.0);

    // A colour that is no palette colour.
    t.m().p1->surface().SetPixel(aland.x() + 20, aland.y() + 20, 0x010203);
    t.clickMap(aland);
    EXPECT_EQ(t.win().lastclicktime, 0.0);

    // Place and city tables that end at their first entry: the searches stop there.
    t.m().p1->surface().SetPixel(aland.x() + 20, aland.y() + 20, a.clrlist[2]);
    a.place[1].reset();
    a.city[1].reset();
    a.place[3] = std::make_unique<quil2a::placetype>(*a.place[2]);  // beyond the end: never looked at
    a.place[3]->x1 = a.place[3]->y1 = -1e6;
    a.place[3]->x2 = a.place[3]->y2 = 1e6;
    t.clickMap(aland);
    EXPECT_EQ(t.win().IDlabelText, "Beland");

    // Every place and city slot filled: the searches end at the tables' ends.
    for (int i = 1; i <= a.place.ubound(); ++i) a.place[i] = std::make_unique<quil2a::placetype>();
    for (int i = 1; i <= a.city.ubound(); ++i) a.city[i] = std::make_unique<quil2a::citiestype>();
    t.now += 1e6;
    t.clickMap(aland);
    EXPECT_EQ(outsideReads(a), 0);
}

TEST(InteractionMouse, ACanvasLargerThanTheLayersReadsNothingBeyondThem)
{
    Interaction t(QSize(800, 600));
    quil2a::MainWindow& w = t.win();
    w.setWindowSize(1400, 1000);  // a window stretched past the screen
    ASSERT_GT(w.MapCanvas->width(), t.m().p->Width());
    ASSERT_GT(w.MapCanvas->height(), t.m().p->Height());
    w.Resized();

    const QPoint beyond(w.MapCanvas->width() - 5, w.MapCanvas->height() - 5);
    t.clickMap(beyond);
    t.clickMap(QPoint(900, 100));
    EXPECT_EQ(t.m().IDfadeout, 0);
    EXPECT_EQ(w.lastclicktime, 0.0);
    EXPECT_EQ(outsideReads(t.atlas()), 0);

    // A zoom-click there still centres the point.
    t.clickMap(beyond, Qt::ControlModifier);
    EXPECT_NEAR(t.engine().screenx(t.m().x0), t.m().xc, 1e-6);

    // The pan preview blanks what the picture leaves uncovered on the right and below.
    t.press(t.map(), QPoint(100, 100), Qt::AltModifier);
    t.drag(t.map(), QPoint(100, 100));
    const plat::Color blank = t.atlas().blankgrey;
    EXPECT_EQ(t.mapPixel(w.MapCanvas->width() - 1, 300), blank);
    EXPECT_EQ(t.mapPixel(300, w.MapCanvas->height() - 1), blank);
    EXPECT_EQ(t.mapPixel(700, 500), t.pPixel(720, 520));
    t.release(t.map(), QPoint(100, 100));
}

TEST(InteractionMouse, ControlClickMakesThePointTheOriginAndZooms)
{
    Interaction t;
    const QPoint at(100, 80);
    const double mx = t.engine().mapx(120), my = t.engine().mapy(100);
    const int renders = t.dialog.boxes;
    t.clickMap(at, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(t.m().x0, mx);
    EXPECT_DOUBLE_EQ(t.m().y0, my);
    EXPECT_NEAR(t.m().scale, t.pow8(12), 1e-15);
    EXPECT_EQ(t.dialog.boxes, renders + 1);
    // The point is drawn at the picture's (xc, yc): 20 pixels left of and above the canvas's middle.
    EXPECT_DOUBLE_EQ(t.engine().screenx(mx), t.m().xc);
    EXPECT_EQ(t.mapPixel(plat::Int(t.m().xc) - 20, plat::Int(t.m().yc) - 20),
              t.pPixel(plat::Int(t.m().xc), plat::Int(t.m().yc)));

    t.clickMap(at, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NEAR(t.m().scale, t.pow8(13), 1e-15);
    // Control and Alt together: the zoom, no pan.
    t.press(t.map(), at, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(t.map()->tracking());
    EXPECT_EQ(t.s().mouseaction, 0);
    EXPECT_NEAR(t.m().scale, t.pow8(12), 1e-15);
    t.release(t.map(), at);

    // At the zoom limit the point still moves to the origin.
    t.m().scale = t.pow8(7);
    const double mx2 = t.engine().mapx(300);
    t.clickMap(QPoint(280, 80), Qt::ControlModifier);
    EXPECT_NEAR(t.m().scale, t.pow8(7), 1e-15);
    EXPECT_DOUBLE_EQ(t.m().x0, mx2);
}

TEST(InteractionMouse, AltDragPansTheMapAndPreviewsTheShift)
{
    Interaction t;
    quil2a::MainWindow& w = t.win();
    const double x0 = t.m().x0, y0 = t.m().y0, scale = t.m().scale;
    const plat::Color blank = t.atlas().blankgrey;

    t.press(t.map(), QPoint(200, 150), Qt::AltModifier);
    EXPECT_EQ(t.s().mouseaction, 1);
    EXPECT_EQ(w.mapCursor(), quil2a::MapCursor::HandClosed);
    t.drag(t.map(), QPoint(230, 160));
    // 30 right and 10 down: a 10-pixel strip on the left, none on top.
    for (int x = 0; x < 10; ++x) EXPECT_EQ(t.mapPixel(x, 200), blank) << x;
    EXPECT_EQ(t.mapPixel(10, 200), t.pPixel(10, 210));
    EXPECT_EQ(t.mapPixel(300, 0), t.pPixel(290, 10));
    EXPECT_EQ(t.m().x0, x0);  // nothing moves before the release

    const int renders = t.dialog.boxes;
    t.release(t.map(), QPoint(230, 160));
    EXPECT_EQ(t.s().mouseaction, 0);
    EXPECT_DOUBLE_EQ(t.m().x0, x0 - 30 / scale);
    EXPECT_DOUBLE_EQ(t.m().y0, y0 - 10 / scale);
    EXPECT_EQ(t.dialog.boxes, renders + 1);
    EXPECT_EQ(t.mapPixel(300, 200), t.pPixel(320, 220));

    // While the mouse mode is not normal a click only takes the focus.
    t.s().mouseaction = 5;
    w.setFocusControl(w.TimeCtl);
    t.clickMap(QPoint(200, 150), Qt::ControlModifier);
    EXPECT_EQ(w.focusControl(), t.map());
    EXPECT_DOUBLE_EQ(t.m().x0, x0 - 30 / scale);
    EXPECT_EQ(t.m().scale, scale);

    // The wheel does nothing.
    t.s().mouseaction = 0;
    QWheelEvent wheel(QPointF(200, 150), t.map()->mapToGlobal(QPointF(200, 150)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(t.map(), &wheel);
    EXPECT_EQ(t.m().scale, scale);
    EXPECT_DOUBLE_EQ(t.m().x0, x0 - 30 / scale);
}

TEST(InteractionMouse, AQuickSecondClickRecoloursANationInTheGreyScheme)
{
    Interaction t;
    quil2a::Atlas& a = t.atlas();
    const QPoint aland = t.canvasAt(kAlandX, kAlandY);
    const int X = aland.x() + 20, Y = aland.y() + 20;

    // Colour scheme 0: a quick second click identifies again.
    t.clickMap(aland);
    t.m().IDfadeout = 30;
    t.now += 100000;
    t.clickMap(aland);
    EXPECT_EQ(t.m().IDfadeout, 70);

    a.colorscheme = 2;
    for (int i = 1; i <= 256; ++i) a.clrlist[i] = a.clrlist1[i];
    t.app->engine().displaymap(*t.m().p, true);
    ASSERT_EQ(t.m().p1->surface().Pixel(X, Y), a.clrlist1[1]);

    t.now += 1e6;
    t.clickMap(aland);
    EXPECT_TRUE(t.labelShown());
    const double first = t.now;
    t.now += 400000;
    t.clickMap(aland);
    EXPECT_FALSE(t.labelShown());
    EXPECT_EQ(a.clrlist[1], a.clrlist0[1]);
    EXPECT_EQ(t.m().p1->surface().Pixel(X, Y), a.clrlist0[1]);
    EXPECT_EQ(t.mapPixel(aland.x(), aland.y()), t.pPixel(X, Y));
    EXPECT_EQ(t.win().lastclicktime, first);
    t.now += 90000;  // still within half a second of the first
    t.clickMap(aland);
    EXPECT_EQ(a.clrlist[1], a.clrlist1[1]);
    t.now += 100000;
    t.clickMap(aland);
    EXPECT_EQ(a.clrlist[1], a.clrlist1[1]);
    EXPECT_TRUE(t.labelShown());

    // The near-white scheme toggles with its own palette.
    a.colorscheme = 4;
    for (int i = 1; i <= 256; ++i) a.clrlist[i] = a.clrlist2[i];
    t.app->engine().displaymap(*t.m().p, true);
    t.now += 1e6;
    t.clickMap(aland);
    t.now += 1000;
    t.clickMap(aland);
    EXPECT_EQ(a.clrlist[1], a.clrlist0[1]);
}
