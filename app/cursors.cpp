#include "app/cursors.h"

#include <QPixmap>
#include <cmath>

namespace quil2a {

namespace {
constexpr QRgb kInk = 0xFF000000u, kRim = 0xFFFFFFFFu, kClear = 0x00000000u;
constexpr int kLens = 6;  // the lens's middle, also the hot spot
}  // namespace

QImage magnifierImage(bool larger)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(kClear);
    auto put = [&img](int x, int y, QRgb c) {
        if (x >= 0 && y >= 0 && x < 16 && y < 16) img.setPixel(x, y, c);
    };
    // Lens: a white rim, a black ring, white glass.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const double d = std::hypot(x - kLens, y - kLens);
            if (d <= 3.6) put(x, y, kRim);
            else if (d <= 5.2) put(x, y, kInk);
            else if (d <= 6.3) put(x, y, kRim);
        }
    // Handle: a black bar three pixels thick down to the corner, with a white rim.
    for (int y = 9; y < 16; ++y)
        for (int x = 9; x < 16; ++x) {
            const int off = std::abs(x - y);
            if (off <= 1) put(x, y, kInk);
            else if (off == 2 && img.pixel(x, y) != kInk) put(x, y, kRim);
        }
    // The sign in the glass.
    for (int x = kLens - 2; x <= kLens + 2; ++x) put(x, kLens, kInk);
    if (larger)
        for (int y = kLens - 2; y <= kLens + 2; ++y) put(kLens, y, kInk);
    return img;
}

QCursor mapCursor(MapCursor which)
{
    switch (which) {
    case MapCursor::HandOpen: return QCursor(Qt::OpenHandCursor);
    case MapCursor::HandClosed: return QCursor(Qt::ClosedHandCursor);
    case MapCursor::MagnifyLarger:
    case MapCursor::MagnifySmaller:
        return QCursor(QPixmap::fromImage(magnifierImage(which == MapCursor::MagnifyLarger)), kLens, kLens);
    case MapCursor::StandardPointer: break;
    }
    return QCursor(Qt::ArrowCursor);
}

}  // namespace quil2a
