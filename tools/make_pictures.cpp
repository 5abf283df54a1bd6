// Draws the program's stored pictures: the two splash pictures (350 x 150,
// English and Greek) and the nine roller frames (54 x 54). Usage:
//   build/tools/quillmere-pictures data/pictures
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cstdio>
#include <cstdlib>

namespace {

QFont serif(int px, bool bold = false, bool italic = false)
{
    // As the program's own text: Liberation Serif, Times only standing in.
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("Times")});
    f.setPixelSize(px);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// A small sketch of coast and territories for the right side of the splash.
void drawMapSketch(QPainter& p, const QRectF& area)
{
    p.save();
    p.setClipRect(area);
    QLinearGradient sea(area.topLeft(), area.bottomRight());
    sea.setColorAt(0, QColor(0x9f, 0xbc, 0xc4));
    sea.setColorAt(1, QColor(0x86, 0xa8, 0xb3));
    p.fillRect(area, sea);

    const QPointF o = area.topLeft();
    auto poly = [&](std::initializer_list<QPointF> pts, QColor fill) {
        QPainterPath path;
        bool first = true;
        for (QPointF q : pts) {
            q += o;
            if (first) path.moveTo(q);
            else path.lineTo(q);
            first = false;
        }
        path.closeSubpath();
        p.setBrush(fill);
        p.setPen(QPen(QColor(0x5a, 0x44, 0x2c), 0.9));
        p.drawPath(path);
    };
    // Territories, west to east.
    poly({{0, 70}, {22, 58}, {40, 62}, {44, 84}, {30, 104}, {8, 108}, {0, 100}}, QColor(0xd9, 0xb9, 0x8c));
    poly({{22, 58}, {34, 34}, {58, 28}, {70, 44}, {62, 64}, {40, 62}}, QColor(0xc9, 0xa0, 0xa8));
    poly({{58, 28}, {76, 10}, {100, 14}, {104, 38}, {84, 50}, {70, 44}}, QColor(0xb6, 0xc4, 0x92));
    poly({{70, 44}, {84, 50}, {92, 70}, {78, 84}, {62, 64}}, QColor(0xe3, 0xd0, 0x92));
    poly({{84, 50}, {104, 38}, {130, 46}, {136, 70}, {112, 78}, {92, 70}}, QColor(0xa9, 0xb3, 0xc9));
    poly({{100, 14}, {124, 0}, {150, 0}, {150, 40}, {130, 46}, {104, 38}}, QColor(0xcf, 0xc2, 0xa4));
    poly({{92, 70}, {112, 78}, {118, 100}, {104, 118}, {90, 100}}, QColor(0xd7, 0xa8, 0x86));
    poly({{130, 46}, {150, 40}, {150, 96}, {136, 70}}, QColor(0xbd, 0xa6, 0xc4));
    poly({{44, 84}, {62, 64}, {78, 84}, {70, 112}, {56, 130}, {48, 110}}, QColor(0xc4, 0xb4, 0x86));
    poly({{118, 108}, {132, 104}, {140, 118}, {124, 124}}, QColor(0xe0, 0xc4, 0x9a));

    // Graticule.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 90), 0.7));
    for (int i = 0; i < 6; ++i) {
        QPainterPath m;
        const double x = o.x() + 10 + i * 28;
        m.moveTo(x, area.top());
        m.quadTo(x + 10, area.center().y(), x + 2, area.bottom());
        p.drawPath(m);
    }
    for (int j = 0; j < 5; ++j) {
        QPainterPath m;
        const double y = o.y() + 14 + j * 30;
        m.moveTo(area.left(), y);
        m.quadTo(area.center().x(), y - 10, area.right(), y);
        p.drawPath(m);
    }
    p.restore();

    p.setPen(QPen(QColor(0x3b, 0x2a, 0x1a), 1));
    p.drawLine(area.topLeft() - QPointF(0.5, 0), area.bottomLeft() - QPointF(0.5, 0));
}

void drawQuill(QPainter& p, QPointF tip, double length, double angleDeg)
{
    p.save();
    p.translate(tip);
    p.rotate(angleDeg);
    QPainterPath vane;
    vane.moveTo(0, 0);
    vane.cubicTo(length * 0.25, -length * 0.10, length * 0.70, -length * 0.16, length, -length * 0.05);
    vane.cubicTo(length * 0.75, length * 0.02, length * 0.35, length * 0.06, length * 0.10, length * 0.02);
    vane.closeSubpath();
    QLinearGradient g(0, 0, length, 0);
    g.setColorAt(0, QColor(0xf8, 0xf3, 0xe6));
    g.setColorAt(1, QColor(0xe6, 0xdc, 0xc4));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x5a, 0x44, 0x2c), 0.8));
    p.drawPath(vane);
    p.setPen(QPen(QColor(0x5a, 0x44, 0x2c), 1.0));
    p.drawLine(QPointF(0, 0), QPointF(length * 0.97, -length * 0.06));
    // Barbs.
    p.setPen(QPen(QColor(0x8a, 0x74, 0x5a), 0.5));
    for (int i = 1; i < 9; ++i) {
        const double x = length * (0.2 + i * 0.08);
        p.drawLine(QPointF(x, -x * 0.06), QPointF(x + 6, -x * 0.06 - 7));
    }
    p.restore();
}

QImage splash(bool greek)
{
    QImage img(350, 150, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QRadialGradient paper(QPointF(100, 60), 260);
    paper.setColorAt(0, QColor(0xf3, 0xe9, 0xd2));
    paper.setColorAt(1, QColor(0xd9, 0xc7, 0x9f));
    p.fillRect(img.rect(), paper);

    drawMapSketch(p, QRectF(200, 0, 150, 150));
    drawQuill(p, QPointF(34, 136), 136, -7);

    const QColor ink(0x3b, 0x2a, 0x1a);
    p.setPen(ink);
    p.setFont(serif(31, true));
    p.drawText(QRectF(10, 22, 186, 40), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("QUILLMERE"));
    p.setPen(QPen(ink, 1));
    p.drawLine(QPointF(30, 66.5), QPointF(176, 66.5));

    p.setFont(serif(greek ? 13 : 14, false, true));
    const QString line1 = greek ? QStringLiteral("Ιστορικός άτλας της Ευρώπης") : QStringLiteral("A historical atlas of Europe");
    p.drawText(QRectF(6, 72, 194, 22), Qt::AlignHCenter | Qt::AlignVCenter, line1);
    p.setFont(serif(15, true));
    p.drawText(QRectF(6, 94, 194, 22), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("1000 \u2013 2003"));

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(ink);
    p.drawRect(0, 0, 349, 149);
    p.setPen(QColor(0xf8, 0xf1, 0xdf));
    p.drawRect(1, 1, 347, 147);
    return img;
}

// Direction k (1..8): right, down-right, down, down-left, left, up-left, up, up-right.
QImage rollerFrame(int k)
{
    QImage img(54, 54, QImage::Format_RGB32);
    img.fill(QColor(16, 16, 16));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(27, 27);

    p.setPen(QPen(QColor(0x48, 0x48, 0x48), 1));
    p.setBrush(QColor(0x24, 0x24, 0x24));
    p.drawEllipse(c, 24.5, 24.5);

    const double dirAngle = (k - 1) * 45.0;
    if (k > 0) {
        // The chosen sector lit faintly.
        QPainterPath wedge;
        wedge.moveTo(c);
        wedge.arcTo(QRectF(c.x() - 24, c.y() - 24, 48, 48), -(dirAngle - 22.5), -45.0);
        wedge.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3a, 0x3a, 0x3a));
        p.drawPath(wedge);
    }

    for (int d = 1; d <= 8; ++d) {
        const double a = qDegreesToRadians((d - 1) * 45.0);
        const QPointF u(std::cos(a), std::sin(a));
        const QPointF n(-u.y(), u.x());
        const double r = 17.5, len = 5.0, half = 3.6;
        const QPointF tip = c + u * (r + len / 2);
        const QPointF base = c + u * (r - len / 2);
        QPolygonF tri;
        tri << tip << base + n * half << base - n * half;
        p.setPen(Qt::NoPen);
        p.setBrush(d == k ? QColor(253, 253, 253) : QColor(192, 192, 192));
        p.drawPolygon(tri);
    }

    QPointF knob = c;
    if (k > 0) {
        const double a = qDegreesToRadians(dirAngle);
        knob += QPointF(std::cos(a), std::sin(a)) * 2.5;
    }
    QRadialGradient g(knob - QPointF(2, 2), 9);
    g.setColorAt(0, QColor(0x80, 0x80, 0x80));
    g.setColorAt(1, QColor(0x34, 0x34, 0x34));
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    p.setBrush(g);
    p.drawEllipse(knob, 7, 7);
    return img;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    bool ok = splash(false).save(out + QStringLiteral("/flash1.png"));
    ok = splash(true).save(out + QStringLiteral("/flashgr.png")) && ok;
    for (int k = 0; k <= 8; ++k) ok = rollerFrame(k).save(out + QStringLiteral("/btn%1f.png").arg(k)) && ok;
    if (!ok) {
        std::fprintf(stderr, "could not write the pictures to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
