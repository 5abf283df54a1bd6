#include "dialog/drawn.h"

#include <QMouseEvent>
#include <QPainter>

namespace quil2a {

DrawnControl::DrawnControl(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    pic_ = plat::NewPicture(1, 1);
}

DrawnControl::~DrawnControl() = default;

void DrawnControl::setBackdrop(const plat::Picture* pic)
{
    backdrop_ = pic;
    painted_ = false;
    update();
}

void DrawnControl::paintPass(bool erase)
{
    const int w = std::max(width(), 1), h = std::max(height(), 1);
    if (pic_->Width() != w || pic_->Height() != h) {
        pic_ = plat::NewPicture(w, h);
        erase = true;
    }
    plat::Graphics& g = pic_->graphics();
    if (erase || !backdrop_) {
        g.SetForeColor(eraseColor);
        g.FillRect(0, 0, w, h);
    }
    if (backdrop_) g.DrawPicture(*backdrop_, 0, 0);
    if (onPaint) onPaint(g);
    painted_ = true;
}

void DrawnControl::Refresh(bool erase)
{
    paintPass(erase);
    update();
}

const plat::Picture& DrawnControl::shownPicture()
{
    if (!painted_ || pic_->Width() != std::max(width(), 1) || pic_->Height() != std::max(height(), 1)) paintPass(true);
    return *pic_;
}

void DrawnControl::paintEvent(QPaintEvent*)
{
    const plat::Picture& pic = shownPicture();
    QPainter painter(this);
    painter.drawImage(0, 0, pic.image());
}

void DrawnControl::resizeEvent(QResizeEvent*) { painted_ = false; }

void DrawnControl::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || tracking_) return;
    const QPoint pt = e->position().toPoint();
    tracking_ = onMouseDown ? onMouseDown(pt.x(), pt.y()) : false;
}

void DrawnControl::mouseMoveEvent(QMouseEvent* e)
{
    if (!tracking_) return;
    const QPoint pt = e->position().toPoint();
    if (onMouseDrag) onMouseDrag(pt.x(), pt.y());
}

void DrawnControl::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !tracking_) return;
    tracking_ = false;
    const QPoint pt = e->position().toPoint();
    if (onMouseUp) onMouseUp(pt.x(), pt.y());
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
