// Draws the pictures of the narrative and help pages into ITEMS/im:
//  - screenshots of the program's own windows (main window, narrative window,
//    options dialog and parts of them), taken on the offscreen platform from the
//    items under ITEMS, so that they show the pages and data as they are now;
//  - "0.png", the map of the year 1000 drawn by the map engine;
//  - "dubrovnik.png" and "portrait.png", two illustrations drawn here.
// Usage:
//   build/tools/quillmere-page-pictures ITEMS [NAME.png ...]
// draws every picture, or only those named. data/pages/pictures.sh runs it.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>


#include "app/application.h"
#include "app/editdate.h"
#include "app/mainwindow.h"
#include "app/settings.h"
#include "app/stripcontrols.h"
#include "atlasdata/content.h"
#include "atlasdata/loaders.h"
#include "data/stored_items.h"
#include "dialog/maindlg.h"
#include "engine/engine.h"
#include "engine/host.h"
#include "engine/mapstate.h"
#include "hypertext/narrwin.h"
#include "platform/resources.h"
#include "tools/headless.h"

namespace {

// Widest picture a page shows whole in the narrative window at its first size
// (its viewer is 456 pixels wide, with margins of 6).
constexpr int kMaxWidth = 444;
// Pictures scaled down from a whole window or screen, and the map of 1000, fit
// the narrative window of a screen 1280 pixels wide.
constexpr int kOverviewWidth = 420;

std::string g_items;       // the items folder read and written
std::set<std::string> g_only;  // pictures asked for; empty for all
int g_failures = 0;

bool wanted(const std::string& name) { return g_only.empty() || g_only.count(name) > 0; }

void save(const QImage& img, const std::string& name)
{
    const std::string path = g_items + "/im/" + name;
    if (img.width() > kMaxWidth) std::fprintf(stderr, "warning: %s is %d pixels wide\n", name.c_str(), img.width());
    if (!img.convertToFormat(QImage::Format_RGB32).save(QString::fromStdString(path), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        ++g_failures;
        return;
    }
    std::printf("%s: %d x %d\n", path.c_str(), img.width(), img.height());
}

// Serves the TEXT items from the items folder as the program stores them
// (scrambled), and the pictures (PICT) the program was built with. False when
// the folder holds no item.
bool serveItemsFolder()
{
    static std::map<int, plat::Bytes> items;
    items.clear();
    for (const auto& it : quil2a::contentItems()) {
        std::string rel = it.key;
        std::replace(rel.begin(), rel.end(), '\\', '/');
        std::ifstream in(g_items + "/" + rel, std::ios::binary);
        if (!in) continue;
        items[it.resource] =
            quil2a::scrambleBytes(plat::Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    }
    plat::setResourceProvider([](const std::string& type, int n) -> plat::Bytes {
        if (type == "TEXT") {
            auto it = items.find(n);
            return it == items.end() ? plat::Bytes() : it->second;
        }
        return quillmere_data::storedResource(type, n);
    });
    return !items.empty();
}

QImage grabOf(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Every pixel doubled: small controls stay sharp and readable.
QImage doubled(const QImage& img) { return img.scaled(img.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation); }

// A thin grey line round the picture's edge, to set a dialog's grey off the page.
QImage bordered(QImage img)
{
    QPainter p(&img);
    p.setPen(QColor(0x8c, 0x8c, 0x8c));
    p.drawRect(0, 0, img.width() - 1, img.height() - 1);
    return img;
}

QImage fitWidth(const QImage& img, int w)
{
    return img.width() <= w ? img : img.scaledToWidth(w, Qt::SmoothTransformation);
}

// The rectangle of a child widget in the coordinates of a top-level one.
QRect placeIn(const QWidget* child, const QWidget* top)
{
    return QRect(child->mapTo(top, QPoint(0, 0)), child->size());
}

void pump()
{
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

}  // namespace

// ---------------------------------------------------------------- illustrations

namespace {

// A walled harbour town on its rock above the sea, with the mountain behind it.
QImage drawDubrovnik()
{
    const int W = 420, H = 270;
    QImage img(W, H, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    uint32_t seed = 1358;
    const auto r01 = [&] {  // a fixed sequence in [0, 1)
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        return (seed >> 8) / double(1 << 24);
    };

    // Sky, warm at the horizon.
    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, QColor(0x8f, 0xb8, 0xdc));
    sky.setColorAt(1, QColor(0xf3, 0xe3, 0xc6));
    p.fillRect(0, 0, W, 150, sky);

    // Far mountain ridge and the nearer hill above the town.
    QPainterPath far;
    far.moveTo(0, 120);
    far.cubicTo(60, 88, 120, 70, 190, 62);
    far.cubicTo(250, 56, 300, 74, 350, 70);
    far.cubicTo(385, 67, 405, 80, W, 86);
    far.lineTo(W, 160);
    far.lineTo(0, 160);
    far.closeSubpath();
    p.fillPath(far, QColor(0x9a, 0xa8, 0xa6));
    QPainterPath hill;
    hill.moveTo(0, 132);
    hill.cubicTo(80, 110, 170, 92, 250, 98);
    hill.cubicTo(320, 103, 370, 118, W, 124);
    hill.lineTo(W, 170);
    hill.lineTo(0, 170);
    hill.closeSubpath();
    QLinearGradient hillShade(0, 95, 0, 170);
    hillShade.setColorAt(0, QColor(0x7c, 0x8f, 0x6a));
    hillShade.setColorAt(1, QColor(0x5f, 0x73, 0x52));
    p.fillPath(hill, hillShade);
    // Scrub on the hill.
    for (int i = 0; i < 90; ++i) {
        const double x = r01() * W, y = 112 + r01() * 50;
        if (!hill.contains(QPointF(x, y - 3))) continue;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x4e, 0x62, 0x43, 150));
        p.drawEllipse(QPointF(x, y), 2.5 + r01() * 2, 1.5 + r01());
    }
    // The fort on the hilltop.
    p.setPen(QPen(QColor(0x8a, 0x80, 0x70), 1));
    p.setBrush(QColor(0xe2, 0xd8, 0xc2));
    p.drawRect(QRectF(236, 88, 24, 11));
    p.setPen(Qt::NoPen);
    for (double bx = 236; bx < 259; bx += 4) p.drawRect(QRectF(bx, 86, 2.2, 2));

    // Sea.
    QLinearGradient sea(0, 150, 0, H);
    sea.setColorAt(0, QColor(0x3d, 0x86, 0xa8));
    sea.setColorAt(1, QColor(0x1c, 0x4f, 0x78));
    p.fillRect(0, 150, W, H - 150, sea);

    // The rock the town stands on, and the small rock of the western fort.
    QPainterPath rock;
    rock.moveTo(70, 168);
    rock.cubicTo(90, 150, 150, 140, 230, 142);
    rock.cubicTo(290, 143, 330, 150, 352, 172);
    rock.cubicTo(340, 190, 315, 206, 280, 214);
    rock.cubicTo(230, 224, 150, 226, 108, 214);
    rock.cubicTo(86, 205, 72, 190, 70, 168);
    rock.closeSubpath();
    QLinearGradient rockShade(0, 140, 0, 226);
    rockShade.setColorAt(0, QColor(0xb5, 0xa6, 0x8c));
    rockShade.setColorAt(1, QColor(0x7a, 0x6b, 0x58));
    p.setPen(Qt::NoPen);
    p.fillPath(rock, rockShade);
    QPainterPath islet;
    islet.moveTo(14, 200);
    islet.cubicTo(16, 176, 30, 162, 46, 162);
    islet.cubicTo(60, 163, 68, 182, 66, 204);
    islet.cubicTo(50, 212, 28, 212, 14, 200);
    p.fillPath(islet, rockShade);

    // Town walls: a pale band round the rock's top with towers.
    const QColor stone(0xea, 0xdf, 0xc6), stoneDark(0xc9, 0xba, 0x9c);
    QPainterPath walls;
    walls.moveTo(86, 176);
    walls.lineTo(88, 154);
    walls.cubicTo(120, 142, 170, 136, 226, 136);
    walls.cubicTo(280, 137, 318, 144, 338, 160);
    walls.lineTo(336, 180);
    walls.cubicTo(300, 198, 220, 206, 150, 202);
    walls.cubicTo(115, 199, 94, 190, 86, 176);
    walls.closeSubpath();
    p.fillPath(walls, stone);
    p.setPen(QPen(stoneDark, 1.2));
    p.drawPath(walls);

    // Houses inside the walls: rows of pale fronts under terracotta roofs.
    const QColor roofs[] = {QColor(0xc4, 0x55, 0x3a), QColor(0xb8, 0x4a, 0x33), QColor(0xd0, 0x66, 0x45),
                            QColor(0xa9, 0x45, 0x30)};
    const QColor fronts[] = {QColor(0xf2, 0xe8, 0xd2), QColor(0xe9, 0xdc, 0xbf), QColor(0xf7, 0xef, 0xdd)};
    p.save();
    p.setClipPath(walls);
    for (int row = 0; row < 6; ++row) {
        const double baseY = 150 + row * 9.5;
        double x = 80 + r01() * 8;
        while (x < 345) {
            const double w = 11 + r01() * 9, h = 8 + r01() * 4;
            const QRectF front(x, baseY - h + 6, w, h);
            p.setPen(QPen(QColor(0xb0, 0xa0, 0x84), 0.6));
            p.setBrush(fronts[int(r01() * 3) % 3]);
            p.drawRect(front);
            QPolygonF roof;
            roof << QPointF(x - 1, front.top()) << QPointF(x + w / 2, front.top() - 4.5 - r01() * 1.5)
                 << QPointF(x + w + 1, front.top());
            p.setPen(Qt::NoPen);
            p.setBrush(roofs[int(r01() * 4) % 4]);
            p.drawPolygon(roof);
            // A window or two.
            p.setBrush(QColor(0x6d, 0x5a, 0x48));
            if (w > 14) p.drawRect(QRectF(x + 3, front.top() + 3, 2, 2.5));
            p.drawRect(QRectF(x + w - 5, front.top() + 3, 2, 2.5));
            x += w + 1 + r01() * 2;
        }
    }
    p.restore();

    // The sea wall: the face of the walls above the rock, with a few loopholes.
    QPainterPath face;
    face.moveTo(336, 178);
    face.cubicTo(300, 196, 220, 204, 150, 200);
    face.cubicTo(115, 197, 94, 188, 86, 174);
    face.lineTo(88, 188);
    face.cubicTo(98, 202, 118, 211, 150, 214);
    face.cubicTo(220, 218, 300, 210, 334, 192);
    face.closeSubpath();
    QLinearGradient faceShade(0, 176, 0, 216);
    faceShade.setColorAt(0, QColor(0xe4, 0xd6, 0xb8));
    faceShade.setColorAt(1, QColor(0xc4, 0xb2, 0x90));
    p.setPen(QPen(stoneDark, 1));
    p.setBrush(faceShade);
    p.drawPath(face);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8a, 0x7a, 0x62));
    for (double t = 0.08; t < 0.95; t += 0.09) {
        const QPointF at = face.pointAtPercent(t * 0.5);
        p.drawRect(QRectF(at.x() - 1, at.y() + 4, 2, 3));
    }

    // The main street's bell tower and the cathedral dome.
    p.setPen(QPen(stoneDark, 1));
    p.setBrush(stone);
    p.drawRect(QRectF(262, 128, 9, 30));
    QPolygonF spire;
    spire << QPointF(261, 128) << QPointF(266.5, 117) << QPointF(272, 128);
    p.setBrush(QColor(0x8c, 0x8a, 0x72));
    p.drawPolygon(spire);
    p.setBrush(stone);
    p.drawRect(QRectF(190, 150, 26, 14));
    p.setBrush(QColor(0x9b, 0xa3, 0x8c));
    p.drawChord(QRectF(192, 139, 22, 22), 0, 180 * 16);

    // Towers: the great round one on the landward height, the fort on the islet,
    // a tower on the seaward corner and the harbour fort.
    const auto battlements = [&](double left, double right, double top) {
        p.setPen(Qt::NoPen);
        p.setBrush(stone);
        for (double bx = left; bx < right - 1; bx += 4) p.drawRect(QRectF(bx, top - 3, 2.4, 3));
    };
    const auto shadeSides = [&](const QRectF& r) {
        QLinearGradient shade(r.left(), 0, r.right(), 0);
        shade.setColorAt(0, QColor(255, 255, 255, 50));
        shade.setColorAt(0.6, QColor(0, 0, 0, 0));
        shade.setColorAt(1, QColor(0, 0, 0, 60));
        p.fillRect(r, shade);
    };
    const auto squareTower = [&](double cx, double top, double w, double h) {
        const QRectF r(cx - w / 2, top, w, h);
        p.setPen(QPen(stoneDark, 1));
        p.setBrush(stone);
        p.drawRect(r);
        shadeSides(r);
        battlements(r.left(), r.right(), top);
        p.setBrush(QColor(0x6d, 0x5e, 0x4c));
        p.drawRect(QRectF(cx - 1, top + 6, 2, 4));
    };
    const auto roundTower = [&](double cx, double top, double w, double h) {
        // A sloping base, the round body and its crown.
        QPolygonF base;
        base << QPointF(cx - w / 2, top + h * 0.6) << QPointF(cx + w / 2, top + h * 0.6)
             << QPointF(cx + w / 2 + 4, top + h) << QPointF(cx - w / 2 - 4, top + h);
        p.setPen(QPen(stoneDark, 1));
        p.setBrush(stone);
        p.drawPolygon(base);
        const QRectF body(cx - w / 2, top, w, h * 0.6);
        p.drawRect(body);
        shadeSides(body);
        shadeSides(QRectF(cx - w / 2 - 4, top + h * 0.6, w + 8, h * 0.4));
        p.setPen(QPen(stoneDark, 1));
        p.setBrush(stone.lighter(104));
        p.drawEllipse(QRectF(cx - w / 2, top - 3, w, 6));
        battlements(cx - w / 2, cx + w / 2, top - 1);
    };
    roundTower(152, 114, 22, 40);
    squareTower(40, 150, 26, 22);
    squareTower(98, 162, 14, 22);
    squareTower(335, 152, 16, 30);

    // The harbour: a breakwater and boats.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc2, 0xb4, 0x98));
    p.drawRoundedRect(QRectF(338, 184, 64, 6), 3, 3);
    p.setBrush(QColor(0xa8, 0x99, 0x7c));
    p.drawRect(QRectF(340, 189, 60, 2));
    const auto boat = [&](double x, double y, double s, bool sail) {
        QPainterPath hull;
        hull.moveTo(x - 9 * s, y);
        hull.lineTo(x + 9 * s, y);
        hull.cubicTo(x + 7 * s, y + 4 * s, x - 6 * s, y + 4 * s, x - 9 * s, y);
        p.fillPath(hull, QColor(0x5a, 0x3b, 0x26));
        if (!sail) return;
        p.setPen(QPen(QColor(0x4a, 0x35, 0x25), 1));
        p.drawLine(QPointF(x, y), QPointF(x, y - 16 * s));
        QPainterPath lateen;
        lateen.moveTo(x - 7 * s, y - 2 * s);
        lateen.lineTo(x + 3 * s, y - 18 * s);
        lateen.cubicTo(x + 6 * s, y - 10 * s, x + 6 * s, y - 5 * s, x + 1 * s, y - 2 * s);
        lateen.closeSubpath();
        p.setPen(Qt::NoPen);
        p.fillPath(lateen, QColor(0xf4, 0xec, 0xd8));
    };
    boat(372, 208, 1.0, true);
    boat(395, 228, 1.2, true);
    boat(250, 244, 1.4, true);
    boat(318, 222, 0.8, false);

    // Light on the water.
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    for (int i = 0; i < 60; ++i) {
        const double x = r01() * W, y = 214 + r01() * (H - 216);
        if (rock.contains(QPointF(x, y)) || islet.contains(QPointF(x, y))) continue;
        const double len = 4 + r01() * 10;
        p.drawLine(QPointF(x, y), QPointF(x + len, y));
    }
    // Foam at the foot of the rocks.
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath foam;
    foam.moveTo(72, 190);
    foam.cubicTo(90, 214, 150, 229, 220, 226);
    foam.cubicTo(280, 223, 330, 205, 352, 176);
    p.drawPath(foam);
    p.drawArc(QRectF(12, 186, 56, 26), 200 * 16, 140 * 16);

    // A thin frame.
    p.setPen(QPen(QColor(0x5c, 0x52, 0x44), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, W - 1, H - 1));
    p.end();
    return img;
}

// An oval cameo: a silhouette in profile, facing left, with the two-cornered hat.
QImage drawPortrait()
{
    const int W = 240, H = 300;
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(QColor(0xfc, 0xfa, 0xf4));  // the page's background
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF oval(12, 8, W - 24, H - 16);
    // Frame: a gilt ring.
    QLinearGradient gilt(0, 0, W, H);
    gilt.setColorAt(0, QColor(0xe6, 0xc8, 0x7a));
    gilt.setColorAt(0.5, QColor(0xb0, 0x87, 0x3a));
    gilt.setColorAt(1, QColor(0xe0, 0xbd, 0x6a));
    p.setPen(Qt::NoPen);
    p.setBrush(gilt);
    p.drawEllipse(oval);
    const QRectF inner = oval.adjusted(8, 8, -8, -8);
    QRadialGradient ground(inner.center() + QPointF(-20, -30), inner.height() * 0.7);
    ground.setColorAt(0, QColor(0xf8, 0xf1, 0xdf));
    ground.setColorAt(1, QColor(0xe3, 0xd3, 0xb0));
    p.setBrush(ground);
    p.drawEllipse(inner);

    QPainterPath clip;
    clip.addEllipse(inner);
    p.setClipPath(clip);

    const QColor ink(0x1f, 0x26, 0x3a);
    // Coat: shoulders running off the bottom of the oval.
    QPainterPath coat;
    coat.moveTo(20, 300);
    coat.cubicTo(28, 250, 62, 222, 104, 212);
    coat.lineTo(180, 200);
    coat.cubicTo(208, 214, 226, 250, 232, 300);
    coat.closeSubpath();
    p.fillPath(coat, ink);
    // Lapel edge and buttons.
    p.setPen(QPen(ink.lighter(170), 1.4));
    p.setBrush(Qt::NoBrush);
    QPainterPath lapel;
    lapel.moveTo(112, 214);
    lapel.cubicTo(100, 236, 92, 262, 90, 300);
    p.drawPath(lapel);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc9, 0xa5, 0x52));
    for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(104 - i * 2.6, 238 + i * 18), 2.2, 2.2);

    // Head in profile, facing left: forehead, brow, nose, lips, chin, throat,
    // then the nape and the back of the head.
    QPainterPath head;
    head.moveTo(104, 96);
    head.lineTo(104, 104);
    head.cubicTo(99, 110, 96, 117, 95, 124);   // forehead
    head.cubicTo(94, 127, 93, 129, 91, 130);   // brow
    head.cubicTo(87, 134, 82, 140, 79, 145);   // nose ridge
    head.cubicTo(79, 148, 84, 149, 90, 149);   // nose tip and under it
    head.cubicTo(89, 151, 88, 153, 88, 154);   // upper lip
    head.cubicTo(90, 155, 91, 156, 90, 157);   // mouth
    head.cubicTo(89, 159, 89, 160, 90, 162);   // lower lip
    head.cubicTo(92, 164, 91, 166, 89, 170);   // under the lip
    head.cubicTo(89, 176, 94, 180, 102, 181);  // chin
    head.cubicTo(108, 182, 112, 184, 114, 188);  // under the chin
    head.lineTo(118, 204);                     // throat
    head.lineTo(170, 200);
    head.cubicTo(168, 188, 170, 176, 176, 166);  // nape
    head.cubicTo(184, 152, 186, 130, 178, 112);  // back of the head
    head.lineTo(172, 96);
    head.closeSubpath();
    p.fillPath(head, ink);
    // An ear and a lock of hair on the temple, a shade lighter and darker.
    QPainterPath ear;
    ear.moveTo(150, 132);
    ear.cubicTo(158, 128, 162, 140, 160, 150);
    ear.cubicTo(158, 158, 152, 158, 150, 152);
    ear.closeSubpath();
    p.fillPath(ear, ink.lighter(125));
    QPainterPath lock;
    lock.moveTo(104, 108);
    lock.cubicTo(100, 114, 102, 121, 108, 124);
    lock.cubicTo(106, 117, 110, 112, 118, 109);
    lock.closeSubpath();
    p.fillPath(lock, ink.darker(160));

    // The high standing collar.
    QPainterPath collar;
    collar.moveTo(108, 216);
    collar.cubicTo(112, 204, 116, 198, 120, 196);
    collar.lineTo(172, 190);
    collar.cubicTo(180, 196, 184, 204, 184, 210);
    collar.cubicTo(160, 206, 130, 208, 108, 216);
    collar.closeSubpath();
    p.fillPath(collar, ink.lighter(140));
    p.setPen(QPen(QColor(0xc9, 0xa5, 0x52), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(collar);

    // The two-cornered hat worn crosswise: a wide half-moon, its brim edge lit,
    // with the cockade and its loop near the front corner.
    QPainterPath hat;
    hat.moveTo(34, 112);
    hat.cubicTo(70, 100, 96, 98, 124, 100);
    hat.cubicTo(156, 102, 188, 106, 214, 116);
    hat.cubicTo(210, 86, 190, 56, 160, 42);
    hat.cubicTo(138, 32, 104, 32, 84, 42);
    hat.cubicTo(58, 56, 38, 84, 34, 112);
    hat.closeSubpath();
    QLinearGradient felt(0, 34, 0, 116);
    felt.setColorAt(0, QColor(0x2a, 0x2c, 0x33));
    felt.setColorAt(1, QColor(0x0e, 0x0f, 0x13));
    p.fillPath(hat, felt);
    p.setPen(QPen(QColor(0x7a, 0x6e, 0x56), 1.6));
    QPainterPath brim;
    brim.moveTo(38, 110);
    brim.cubicTo(72, 99, 96, 97, 124, 98);
    brim.cubicTo(156, 100, 186, 104, 210, 113);
    p.drawPath(brim);
    p.setPen(QPen(QColor(0xb8, 0x93, 0x45), 2.2));
    p.drawLine(QPointF(76, 58), QPointF(80, 90));
    const QPointF ck(77, 58);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2b, 0x4a, 0x9a));
    p.drawEllipse(ck, 7.5, 7.5);
    p.setBrush(QColor(0xf4, 0xf1, 0xe8));
    p.drawEllipse(ck, 5, 5);
    p.setBrush(QColor(0xc0, 0x2a, 0x2a));
    p.drawEllipse(ck, 2.6, 2.6);

    // Epaulette on the near shoulder, with its fringe.
    QPainterPath ep;
    ep.moveTo(150, 218);
    ep.cubicTo(170, 208, 198, 210, 214, 224);
    ep.lineTo(210, 232);
    ep.cubicTo(192, 222, 170, 222, 154, 228);
    ep.closeSubpath();
    p.fillPath(ep, QColor(0xc9, 0xa5, 0x52));
    p.setPen(QPen(QColor(0xc9, 0xa5, 0x52), 1.6));
    for (int i = 0; i < 10; ++i) {
        const double t = i / 9.0;
        const double x = 156 + t * 54;
        const double y = 228 - std::sin(t * 3.14159) * 5 + t * 3;
        p.drawLine(QPointF(x, y), QPointF(x + 1, y + 13));
    }
    p.setClipping(false);

    // The ring's inner edge.
    p.setPen(QPen(QColor(0x8a, 0x68, 0x2c), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(inner);
    p.end();
    return img;
}

}  // namespace

// ---------------------------------------------------------------- the map of 1000

namespace {

QImage drawMapOf1000()
{
    auto atlas = quil2a::loadServedAtlas(quil2a::Language::English, 1);
    quil2a::Atlas& a = *atlas;
    a.colorscheme = quil2a::ColorScheme::Colour;
    for (int i = 1; i <= 256; ++i) a.clrlist[i] = a.clrlist0[i];

    const int w = kOverviewWidth, h = 316;
    quil2a::MapState m;
    m.makePictures(w, h);
    m.x0 = 11000;
    m.y0 = 12950;
    m.xc = w / 2.0;
    m.yc = h / 2.0;
    m.scale = std::pow(0.8, 16);
    m.countrynameson = true;
    m.citieson = m.citynameson = false;
    quil2a::NullHost host(w, h);
    quil2a::MapEngine engine(a, m, host);
    engine.rebuildAt(1000.0);
    engine.redraw();
    QImage img = m.p->image().copy(0, 0, w, h).convertToFormat(QImage::Format_RGB32);
    QPainter p(&img);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.drawRect(0, 0, w - 1, h - 1);
    return img;
}

}  // namespace

// ---------------------------------------------------------------- screenshots

namespace {

// A window as it would stand on a desktop: a slim title bar over its grab.
QImage framed(QWidget* w)
{
    const QImage inside = grabOf(w);
    const int bar = 22;
    QImage img(inside.width() + 2, inside.height() + bar + 1, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, bar);
    g.setColorAt(0, QColor(0xee, 0xee, 0xee));
    g.setColorAt(1, QColor(0xd2, 0xd2, 0xd2));
    p.fillRect(0, 0, img.width(), bar, g);
    p.setPen(QColor(0x30, 0x30, 0x30));
    QFont f = QApplication::font();
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, img.width(), bar), Qt::AlignCenter, w->windowTitle());
    // Close, minimise and maximise buttons at the left.
    const QColor buttons[] = {QColor(0xd9, 0x5b, 0x50), QColor(0xe2, 0xb0, 0x3a), QColor(0x6c, 0xb0, 0x4e)};
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(buttons[i]);
        p.drawEllipse(QPointF(14 + i * 18, bar / 2.0), 5.5, 5.5);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawImage(1, bar, inside);
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, img.width() - 1, img.height() - 1);
    return img;
}

// The main and narrative windows where the program puts them, on a plain desktop.
QImage desktop(QWidget* main, QWidget* narr)
{
    const QImage a = framed(main), b = framed(narr);
    const QPoint pa = main->pos(), pb = narr->pos();
    const int m = 14;
    const QRect all = QRect(pa, a.size()).united(QRect(pb, b.size())).adjusted(-m, -m, m, m);
    QImage img(all.size(), QImage::Format_RGB32);
    img.fill(QColor(0x9d, 0xae, 0xbd));
    QPainter p(&img);
    for (const auto& [pic, at] : {std::pair{a, pa}, std::pair{b, pb}}) {
        const QPoint o = at - all.topLeft();
        p.fillRect(QRect(o + QPoint(4, 4), pic.size()), QColor(0x6a, 0x7a, 0x88));
        p.drawImage(o, pic);
    }
    return img;
}

// The dialog's grab around some of its controls, with a combo box's list open
// over it where the program puts it; the list may reach past the dialog's edge.
QImage withOpenList(QWidget* dlg, const QImage& whole, QRect around, QComboBox* box, int maxHeight)
{
    box->showPopup();
    pump();
    QWidget* popup = box->view() ? box->view()->window() : nullptr;
    if (!popup || !popup->isVisible()) {
        std::fprintf(stderr, "warning: the list of %s did not open\n", qPrintable(box->objectName()));
        return whole.copy(around);
    }
    const QImage list = grabOf(popup);
    const QRect at(popup->pos() - dlg->mapToGlobal(QPoint(0, 0)), list.size());
    box->hidePopup();
    pump();

    const QRect all = around.united(at.adjusted(-10, -10, 10, 10));
    QImage img(all.size(), QImage::Format_RGB32);
    img.fill(dlg->palette().color(QPalette::Window));
    QPainter p(&img);
    p.drawImage(-all.topLeft(), whole);
    p.fillRect(at.translated(-all.topLeft() + QPoint(3, 3)), QColor(0, 0, 0, 60));
    p.drawImage(at.topLeft() - all.topLeft(), list);
    p.end();
    if (img.height() <= maxHeight) return img;
    // A long list fades out at the foot of the picture.
    img = img.copy(0, 0, img.width(), maxHeight);
    QPainter f(&img);
    const int fade = 60;
    QLinearGradient g(0, maxHeight - fade, 0, maxHeight);
    QColor clear = dlg->palette().color(QPalette::Window);
    clear.setAlpha(0);
    g.setColorAt(0, clear);
    g.setColorAt(1, dlg->palette().color(QPalette::Window));
    f.fillRect(QRect(0, maxHeight - fade, img.width(), fade), g);
    return img;
}

void screenshots()
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(quil2a::settingsFilePath());

    // The program as it first opens, on a modest screen: 1805.0, the narrative
    // window beside the main window.
    quil2a::App::Options options;
    options.exeName = "quillmere";
    options.screenSize = QSize(1000, 640);
    quil2a::App app(options);
    app.runModal = [](const QString&) {};
    app.quit = [] {};
    app.Open();
    quil2a::MainWindow& mw = app.mainWindow();
    mw.Open();
    mw.show();
    pump();
    auto* narr = dynamic_cast<quil2a::NarrWin*>(app.NarrWin());
    if (!narr) {
        std::fprintf(stderr, "no narrative window\n");
        ++g_failures;
        return;
    }
    if (wanted("help-win-en.png")) save(fitWidth(desktop(&mw, narr), kOverviewWidth), "help-win-en.png");

    // The main window at its smallest width, a zoom step further out.
    mw.setWindowSize(450, 330);
    mw.setzoom(1);
    mw.Refresh(false);
    pump();
    const QImage main = grabOf(&mw);
    if (wanted("map-en.png")) save(main.copy(3, 0, main.width() - 6, main.height() - 3), "map-en.png");
    const auto part = [&](std::initializer_list<QWidget*> controls, int margin) {
        const QImage strip = grabOf(&mw.surface());
        QRect r;
        for (QWidget* c : controls) r = r.united(placeIn(c, &mw.surface()));
        r = r.adjusted(-margin, -margin, margin, margin).intersected(QRect(0, 0, strip.width(), 54));
        return doubled(strip.copy(r));
    };
    if (wanted("date.png")) save(part({static_cast<QWidget*>(mw.IncDecCtl), mw.NewEditDate, mw.JmpBtn, mw.GoBtn, mw.SwapCtl}, 6), "date.png");
    if (wanted("zmroll.png")) save(part({static_cast<QWidget*>(mw.ZoomCtl), mw.roller}, 6), "zmroll.png");

    // The options dialog, with the first item of the list chosen.
    quil2a::MainDlg* dlg = app.Dlg();
    dlg->Show();
    dlg->move(0, 0);
    pump();
    const QImage whole = grabOf(dlg);
    if (wanted("opt-en.png")) save(bordered(fitWidth(whole, kOverviewWidth)), "opt-en.png");
    const auto region = [&](std::initializer_list<QWidget*> controls, int margin) {
        QRect r;
        for (QWidget* c : controls) r = r.united(placeIn(c, dlg));
        return r.adjusted(-margin, -margin, margin, margin).intersected(whole.rect());
    };
    if (wanted("qlist-en.png"))
        save(bordered(whole.copy(region({dlg->ListLabel, dlg->QListBox, dlg->ShowPlaceAndDateBtn, dlg->QHTML, dlg->QScroll}, 8))),
             "qlist-en.png");
    if (wanted("psc-en.png"))
        save(bordered(whole.copy(region({dlg->PrintBtn, dlg->ClipBtn, dlg->ResolutionLabel, dlg->ResolutionGroup}, 8))), "psc-en.png");

    // The region list and the colour schemes' list, open.
    if (wanted("vr-en.png"))
        save(bordered(withOpenList(dlg, whole, region({dlg->VuReg, dlg->SelectReg}, 10), dlg->SelectReg, 420)),
             "vr-en.png");
    if (wanted("cs-en.png"))
        save(bordered(withOpenList(dlg, whole, region({dlg->SelectReg, dlg->SelectCS}, 10), dlg->SelectCS, 420)),
             "cs-en.png");

    // The time transport running forward: the lit ticks show the speed.
    if (wanted("timectl.png")) {
        const int fwd = 90, mid = mw.TimeCtl->height() / 2;
        mw.TimeCtl->MouseDown(fwd, mid);
        mw.TimeCtl->MouseUp(fwd, mid);
        save(part({static_cast<QWidget*>(mw.TimeCtl)}, 8), "timectl.png");
        mw.EvoTimer.setMode(0);
    }
}

}  // namespace

// The offscreen platform's notices about raising windows and grabbing the
// keyboard (the open lists ask for both) say nothing about the pictures.
void quietOffscreen(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (msg.startsWith(QLatin1String("This plugin does not support"))) return;
    if (type != QtDebugMsg) std::fprintf(stderr, "%s\n", qPrintable(msg));
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ITEMS [NAME.png ...]\n", argv[0]);
        return 2;
    }
    g_items = argv[1];
    static const std::set<std::string> kPictures = {
        "help-win-en.png", "map-en.png", "timectl.png", "date.png", "zmroll.png", "opt-en.png", "qlist-en.png",
        "psc-en.png",      "vr-en.png",  "cs-en.png",   "0.png",    "dubrovnik.png", "portrait.png"};
    for (int i = 2; i < argc; ++i) {
        if (!kPictures.count(argv[i])) {
            std::fprintf(stderr, "%s: no picture %s is drawn here\n", argv[0], argv[i]);
            return 2;
        }
        g_only.insert(argv[i]);
    }

    startHeadless("quillmere-page-pictures");
    qInstallMessageHandler(quietOffscreen);
    QApplication qapp(argc, argv);
    QDir().mkpath(QString::fromStdString(g_items + "/im"));

    if (wanted("dubrovnik.png")) save(drawDubrovnik(), "dubrovnik.png");
    if (wanted("portrait.png")) save(drawPortrait(), "portrait.png");
    // The screenshots show the pages with the pictures just drawn.
    if (!serveItemsFolder()) {
        std::fprintf(stderr, "%s: no stored items under %s\n", argv[0], g_items.c_str());
        return 1;
    }
    if (wanted("0.png")) save(drawMapOf1000(), "0.png");
    if (std::any_of(kPictures.begin(), kPictures.end(), [](const std::string& n) {
            return wanted(n) && n != "0.png" && n != "dubrovnik.png" && n != "portrait.png";
        }))
        screenshots();
    return g_failures ? 1 : 0;
}
