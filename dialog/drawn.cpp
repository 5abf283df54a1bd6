#include "dialog/drawn.h"

namespace quil2a {

DrawnControl::DrawnControl(QWidget* parent, const QString& name) : Canvas(parent, name)
{
    eraseColor = 0xFFFFFF;
    eraseUnlessBackdrop = true;
}

PopupArrow::PopupArrow(QWidget* parent, const QString& name) : DrawnControl(parent, name)
{
    eraseColor = plat::RGB(236, 236, 236);
    onPaint = [this](plat::Graphics& g) {
        // Rows of a triangle, widest at the base.
        const int w = width(), h = height();
        const int rows = std::max((w + 1) / 2, 1);
        const int top = (h - rows) / 2;
        g.SetForeColor(plat::RGB(64, 64, 64));
        for (int r = 0; r < rows; ++r) {
            const int half = Facing == 2 ? r : rows - 1 - r;
            g.DrawLine(w / 2 - half, top + r, (w - 1) / 2 + half, top + r);
        }
    };
}

}  // namespace quil2a
