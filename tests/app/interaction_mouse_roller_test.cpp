// The map canvas's mouse: the identification label, the Control-click zoom,
// the Alt-drag pan, the recolouring double click, clicks that find nothing;
// the roller: direction, throttle, shifted preview, drags repeated at rest.
#include <gtest/gtest.h>

#include "interaction_support.h"
#include "platform/clock.h"

using apptest::Interaction;

namespace {
constexpr double kAlandX = 8500, kAlandY = 11000;      // a seed of the west
constexpr double kBetatownX = 12000, kBetatownY = 10500;  // a city of the east

std::unique_ptr<quil2a::placetype> place(const char* name, double x1, double y1, double x2, double y2)
{
    auto r = std::make_unique<quil2a::placetype>();
    *r = {.xseed = kAlandX, .yseed = kAlandY, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .name = name, .active = true};
    return r;
}
std::unique_ptr<quil2a::citiestype> city(const char* name, double x, double y, int32_t date2)
{
    return std::make_unique<quil2a::citiestype>(quil2a::citiestype{x, y, 10000, date2, name, ""});
}
}  // namespace

TEST(InteractionMouse, TheLabelNamesCityPlaceAndNationAboveTheClick)
{
    Interaction t;
    quil2a::Atlas& a = t.atlas();
    EXPECT_EQ(t.clickLabel(kAlandX, kAlandY), "Aland");
    EXPECT_EQ(t.m().IDfadeout, 70);
    // 9 pixels before the ink, 11 after it; the middle above the click, its lower edge one pixel above.
    const QRect r = t.win().IDcanvas->geometry();
    const QPoint at = t.canvasAt(kAlandX, kAlandY) + QPoint(20, 54);
    const plat::RGBSurface& label = t.m().IDpic->surface();
    for (int y = 1; y < 17; ++y)
        for (int x = r.width() - 10; x < r.width() - 1; ++x) ASSERT_EQ(label.Pixel(x, y), 0x101010u);
    EXPECT_EQ(r.left(), at.x() - r.width() / 2);
    EXPECT_EQ(r.bottom() + 2, at.y());

    EXPECT_EQ(t.clickLabel(kBetatownX, kBetatownY), "Betatown, Beland");
    a.clicknames[2]->name = "Kingdom of Beland";
    EXPECT_EQ(t.clickLabel(kBetatownX, kBetatownY), "Betatown, Beland (Nation: Kingdom of Beland)");
    a.clicknames[2]->name = "Kingdom$";
    a.place[2]->name = "Be]l^and";
    EXPECT_EQ(t.clickLabel(kBetatownX, kBetatownY), "Betatown, Be l (Kingdom)");
    a.clicknames[1]->name = "Al^and]$";  // the south-west: no box, no city
    EXPECT_EQ(t.clickLabel(8000, 14500), "Al^and]");
    a.clicknames[1]->name = std::string(200, 'W');
    t.clickLabel(8000, 14500);
    EXPECT_EQ(t.win().IDcanvas->width(), 510);  // cut at the picture's edge

    // Near the top left corner the label stays one pixel inside the canvas.
    t.engine().setView(kAlandX + (t.m().xc - 25) / t.m().scale, kAlandY + (t.m().yc - 25) / t.m().scale, t.m().scale);
    t.clickLabel(kAlandX, kAlandY);
    EXPECT_EQ(t.win().IDcanvas->geometry().topLeft(), QPoint(21, 55));
}

TEST(InteractionMouse, TheSmallestBoxAndTheFirstCityWithinReachAreNamed)
{
    Interaction t;
    quil2a::Atlas& a = t.atlas();
    const QPoint at = t.canvasAt(kAlandX, kAlandY);
    const double mx = plat::Round(t.engine().mapx(at.x() + 20)), my = plat::Round(t.engine().mapy(at.y() + 20));
    a.place[4] = place("Edge", mx, my - 90, mx + 90, my + 90);  // its edge runs through the point
    a.place[5] = place("Middle", mx - 100, my - 100, mx + 100, my + 100);
    a.place[6] = place("Twin", mx - 200, my - 50, mx + 200, my + 50);  // as large, later
    EXPECT_EQ(t.clickLabel(kAlandX, kAlandY), "Middle (Nation: Aland)");
    a.place[5]->active = false;
    EXPECT_EQ(t.clickLabel(kAlandX, kAlandY), "Twin (Nation: Aland)");
    a.place[6]->xseed = kBetatownX;  // its seed shows another colour
    EXPECT_EQ(t.clickLabel(kAlandX, kAlandY), "Aland");

    a.city[3] = city("Far", mx + 10, my + 15, 20030);  // a distance of exactly 25
    a.city[4] = city("Last day", mx + 12, my + 12, 18050);
    a.city[5] = city("Nearest", mx, my, 20030);
    EXPECT_EQ(t.clickLabel(kAlandX, kAlandY), "Last day, Aland");
    a.city[4]->date2 = 18049;
    EXPECT_EQ(t.clickLabel(kAlandX, kAlandY), "Nearest, Aland");
}

TEST(InteractionMouse, ClicksThatFindNothingChangeNothingAndStayInsideTheTables)
{
    Interaction t(QSize(800, 600));
    quil2a::Atlas& a = t.atlas();
    auto outside = [&a] {
        return a.clrlist.outsideCount() + a.clicknames.outsideCount() + a.place.outsideCount() + a.city.outsideCount();
    };
    a.clicknames[1].reset();
    t.clickLabel(kAlandX, kAlandY);
    EXPECT_FALSE(t.labelShown());
    EXPECT_EQ(t.win().lastclicktime, 0.0);

    // Tables that end at their first entry, or are full to their ends.
    a.place[1].reset();
    a.city[1].reset();
    a.place[3] = place("Beyond the end", kBetatownX - 99, kBetatownY - 99, kBetatownX + 99, kBetatownY + 99);
    a.place[3]->xseed = kBetatownX;
    a.place[3]->yseed = kBetatownY;
    EXPECT_EQ(t.clickLabel(kBetatownX, kBetatownY), "Beland");
    for (auto& r : a.place) r = std::make_unique<quil2a::placetype>();
    for (auto& r : a.city) r = std::make_unique<quil2a::citiestype>();
    t.clickLabel(kBetatownX, kBetatownY);
    EXPECT_EQ(outside(), 0);

    // A canvas larger than the screen-sized layers: a click beyond them identifies nothing.
    t.win().setWindowSize(1400, 1000);
    t.win().Resized();
    ASSERT_GT(t.map()->width(), t.m().p1->Width());
    const double last = t.win().lastclicktime;
    t.now += 1e6;
    t.clickMap(QPoint(t.map()->width() - 5, t.map()->height() - 5));
    EXPECT_EQ(t.win().lastclicktime, last);
    EXPECT_EQ(outside(), 0);
    // The pan preview blanks what the picture leaves uncovered.
    t.press(t.map(), QPoint(100, 100), Qt::AltModifier);
    t.drag(t.map(), QPoint(100, 100));
    EXPECT_EQ(t.mapPixel(t.map()->width() - 1, t.map()->height() - 1), a.blankgrey);
    t.release(t.map(), QPoint(100, 100));
}

// Where palette entries share a colour (the grey and near-white schemes may),
// the click names the nation whose fill point coloured the clicked territory.
TEST(InteractionMouse, ASharedColourNamesTheNationDrawnThere)
{
    Interaction t;
    quil2a::Atlas& a = t.atlas();
    for (int i = 1; i <= 6; ++i) a.clrlist[i] = a.clrlist[1];
    t.engine().redraw();
    EXPECT_EQ(t.clickLabel(kBetatownX, kBetatownY), "Betatown, Beland");
    t.now += 1e6;
    EXPECT_EQ(t.clickLabel(kAlandX, kAlandY), "Aland");
    EXPECT_EQ(t.engine().territoryIndex(*t.m().p1, -1, 0), 0);
}

TEST(InteractionMouse, ControlClickCentresThePointAndAltDragPans)
{
    Interaction t;
    const double mx = t.engine().mapx(120), my = t.engine().mapy(100);
    t.clickMap(QPoint(100, 80), Qt::ControlModifier | Qt::AltModifier);  // Control wins
    EXPECT_EQ(t.m().x0, mx);
    EXPECT_EQ(t.m().y0, my);
    EXPECT_NEAR(t.m().scale, Interaction::pow8(12), 1e-15);
    EXPECT_EQ(t.s().mouseaction, 0);
    t.clickMap(QPoint(100, 80), Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NEAR(t.m().scale, Interaction::pow8(13), 1e-15);

    const double x0 = t.m().x0, y0 = t.m().y0, scale = t.m().scale;
    t.press(t.map(), QPoint(200, 150), Qt::AltModifier);
    EXPECT_EQ(t.win().mapCursor(), quil2a::MapCursor::HandClosed);
    t.drag(t.map(), QPoint(230, 160));
    // 30 right and 10 down: a 10-pixel blank strip on the left, none on top.
    EXPECT_EQ(t.mapPixel(9, 200), t.atlas().blankgrey);
    EXPECT_EQ(t.mapPixel(10, 200), t.pPixel(10, 210));
    EXPECT_EQ(t.mapPixel(300, 0), t.pPixel(290, 10));
    const int renders = t.dialog.renders;
    t.release(t.map(), QPoint(230, 160));
    EXPECT_DOUBLE_EQ(t.m().x0, x0 - 30 / scale);
    EXPECT_DOUBLE_EQ(t.m().y0, y0 - 10 / scale);
    EXPECT_EQ(t.dialog.renders, renders + 1);
    EXPECT_EQ(t.mapPixel(300, 200), t.pPixel(320, 220));

    // In another mouse mode a click only takes the focus.
    t.s().mouseaction = 5;
    t.win().setFocusControl(t.win().TimeCtl);
    t.clickMap(QPoint(200, 150), Qt::ControlModifier);
    EXPECT_EQ(t.win().focusControl(), t.map());
    EXPECT_EQ(t.m().scale, scale);
}

TEST(InteractionMouse, PanningAndZoomClicksKeepTheViewWhereStartUpAcceptsIt)
{
    Interaction t;
    t.m().x0 = quil2a::kViewHigh - 100;
    t.m().y0 = quil2a::kViewLow + 100;
    t.press(t.map(), QPoint(400, 50), Qt::AltModifier);  // dragged far left and down
    t.drag(t.map(), QPoint(0, 400));
    t.release(t.map(), QPoint(0, 400));
    EXPECT_EQ(t.m().x0, quil2a::kViewHigh);
    EXPECT_EQ(t.m().y0, quil2a::kViewLow);

    t.clickMap(QPoint(400, 20), Qt::ControlModifier);  // a point beyond the range
    EXPECT_EQ(t.m().x0, quil2a::kViewHigh);
    EXPECT_EQ(t.m().y0, quil2a::kViewLow);
}

TEST(InteractionMouse, AQuickSecondClickRecoloursANationInTheGreyScheme)
{
    Interaction t;
    quil2a::Atlas& a = t.atlas();
    const QPoint aland = t.canvasAt(kAlandX, kAlandY);
    a.colorscheme = quil2a::ColorScheme::GreyPale;
    for (int i = 1; i <= 256; ++i) a.clrlist[i] = a.clrlist1[i];
    t.engine().redraw();
    // Clicks at 0, 0.4 s, 0.49 s and 0.59 s: label, colour, grey again, label.
    for (double gap : {0.0, 400000.0, 90000.0, 100000.0}) {
        t.now += gap;
        t.clickMap(aland);
        if (gap == 400000.0) {
            EXPECT_FALSE(t.labelShown());
            EXPECT_EQ(t.mapPixel(aland.x(), aland.y()), a.clrlist0[1]);
        }
    }
    EXPECT_EQ(a.clrlist[1], a.clrlist1[1]);
    EXPECT_TRUE(t.labelShown());
    // Colour scheme 0: a quick second click identifies again.
    a.colorscheme = quil2a::ColorScheme::Colour;
    t.m().IDfadeout = 30;
    t.now += 1000;
    t.clickMap(aland);
    EXPECT_EQ(t.m().IDfadeout, 70);
}

namespace {
struct Roller : Interaction {
    quil2a::Canvas* ctl() { return win().roller; }
    // The frame the roller shows, 0..8; -1 for none.
    int frame()
    {
        const QImage shown = ctl()->shownPicture().image().convertToFormat(QImage::Format_RGB32);
        for (int k = 0; k <= 8; ++k)
            if (app->pictures().btnf(k)->image().convertToFormat(QImage::Format_RGB32) == shown) return k;
        return -1;
    }
};
}  // namespace

TEST(InteractionRoller, TheDirectionFromTheMiddleChoosesFrameAndStep)
{
    Roller t;
    const double step = 5 / t.m().scale;
    struct Case {
        QPoint at;
        int frame, dx, dy;  // view travel in steps
    } const cases[] = {
        {{37, 27}, 1, 1, 0},  {{40, 40}, 2, 1, 1},   {{27, 37}, 3, 0, 1},  {{17, 37}, 4, -1, 1},
        {{17, 27}, 5, -1, 0}, {{15, 15}, 6, -1, -1}, {{27, 17}, 7, 0, -1}, {{37, 17}, 8, 1, -1},
        {{50, 27}, 1, 1, 0},  {{32, 31}, 0, 0, 0},   {{44, 44}, 0, 0, 0},
    };
    t.press(t.ctl(), QPoint(27, 27));
    for (const Case& c : cases) {
        const double x0 = t.m().x0, y0 = t.m().y0;
        t.now += 100000;
        t.drag(t.ctl(), c.at);
        EXPECT_EQ(t.frame(), c.frame) << c.at.x() << "," << c.at.y();
        EXPECT_DOUBLE_EQ(t.m().x0 - x0, c.dx * step);
        EXPECT_DOUBLE_EQ(t.m().y0 - y0, c.dy * step);
    }
    t.release(t.ctl(), QPoint(44, 44));
}

TEST(InteractionRoller, StepsAreThrottledPreviewedAndRenderedOnRelease)
{
    Roller t;
    t.m().scale = 0.1;
    const double x0 = t.m().x0;
    const int renders = t.dialog.renders;
    t.press(t.ctl(), QPoint(40, 27));
    for (double gap : {100000.0, 50000.0, 49999.0}) {  // the second and third come too soon
        t.now += gap;
        t.drag(t.ctl(), QPoint(40, 27));
    }
    EXPECT_DOUBLE_EQ(t.m().x0, x0 + 50);
    for (int i = 0; i < 9; ++i) {
        t.now += 100000;
        t.drag(t.ctl(), QPoint(40, 27));
    }
    EXPECT_DOUBLE_EQ(t.m().x0, x0 + 500);
    EXPECT_EQ(t.win().roller->rollerdx, 50);
    EXPECT_EQ(t.dialog.renders, renders);
    EXPECT_EQ(t.mapPixel(100, 200), t.pPixel(170, 220));  // p shown 50 pixels to the left

    t.release(t.ctl(), QPoint(40, 27));
    EXPECT_EQ(t.win().roller->rollerdx, 0);
    EXPECT_EQ(t.frame(), 0);
    EXPECT_EQ(t.dialog.renders, renders + 1);
    EXPECT_EQ(t.mapPixel(100, 200), t.pPixel(120, 220));
    EXPECT_EQ(t.win().focusControl(), t.map());
}

TEST(InteractionRoller, StopsAtTheEdgeOfTheViewsRange)
{
    Roller t;
    t.m().scale = 0.1;
    t.m().x0 = quil2a::kViewHigh - 30;  // one step of 50 and then none
    t.press(t.ctl(), QPoint(40, 27));
    for (int i = 0; i < 3; ++i) {
        t.now += 100000;
        t.drag(t.ctl(), QPoint(40, 27));
    }
    EXPECT_EQ(t.m().x0, quil2a::kViewHigh);
    EXPECT_EQ(t.win().roller->rollerdx, 3);  // the preview moved as far as the view
    t.release(t.ctl(), QPoint(40, 27));
}

TEST(InteractionRoller, DragsRepeatWhileThePointerRests)
{
    Roller t;
    t.win().Microseconds = [] { return plat::Microseconds(); };
    const double y0 = t.m().y0, step = 5 / t.m().scale;
    t.press(t.ctl(), QPoint(27, 40));  // below the middle, and no move at all
    for (int i = 0; i < 250 && t.m().y0 < y0 + 2 * step; ++i) QTest::qWait(20);
    EXPECT_GE(t.m().y0, y0 + 2 * step);
    t.release(t.ctl(), QPoint(27, 40));
    const double stopped = t.m().y0;
    QTest::qWait(150);
    EXPECT_EQ(t.m().y0, stopped);
}
