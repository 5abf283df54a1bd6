#include "app/appicon.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace quil2a {

namespace {
// Europe, the Mediterranean and the Near East in the 200 x 200 thumbnail.
const QRect kCut(18, 6, 112, 112);
}  // namespace

const std::vector<int>& iconSizes()
{
    static const std::vector<int> sizes{16, 24, 32, 48, 64, 128, 256};
    return sizes;
}

QImage atlasIcon(const QImage& thumbnail, int size)
{
    if (thumbnail.isNull() || size < 1) return {};
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const double s = size;
    const QRectF outer(0.5, 0.5, s - 1, s - 1);
    const double radius = s * 0.16;
    // The control strip's dark frame around the map.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(16, 16, 16));
    p.drawRoundedRect(outer, radius, radius);
    const double inset = std::max(1.0, s * 0.07);
    const QRectF inner = outer.adjusted(inset, inset, -inset, -inset);
    QPainterPath clip;
    clip.addRoundedRect(inner, radius * 0.6, radius * 0.6);
    p.setClipPath(clip);
    p.drawImage(inner, thumbnail, QRectF(kCut));
    p.setClipping(false);
    p.setPen(QPen(QColor(192, 192, 192), std::max(1.0, s / 64)));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(inner, radius * 0.6, radius * 0.6);
    p.end();
    return icon;
}

QIcon atlasIcons(const QImage& thumbnail)
{
    QIcon icon;
    for (int size : iconSizes()) {
        const QImage img = atlasIcon(thumbnail, size);
        if (!img.isNull()) icon.addPixmap(QPixmap::fromImage(img));
    }
    return icon;
}

}  // namespace quil2a
