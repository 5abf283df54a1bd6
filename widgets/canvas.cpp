#include "widgets/canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <utility>

namespace quil2a {

Canvas::Canvas(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(false);
    pic_ = plat::NewPicture(1, 1);
    pic_->graphics().SetUseOldRenderer(true);
    connect(&dragRepeat_, &QTimer::timeout, this, [this] {
        if (tracking_ && onMouseDrag) onMouseDrag(lastDrag_.x(), lastDrag_.y());
    });
}

Canvas::~Canvas() = default;

void Canvas::setBackdrop(const plat::Picture* pic)
{
    settle();
    backdrop_ = pic;
    painted_ = false;
    update();
}

void Canvas::fitPicture()
{
    const int w = std::max(width(), 1), h = std::max(height(), 1);
    if (pic_->Width() == w && pic_->Height() == h) return;
    auto fresh = plat::NewPicture(w, h);
    fresh->graphics().SetUseOldRenderer(true);
    // What was shown stays where the new size still covers it.
    fresh->graphics().DrawPicture(*pic_, 0, 0);
    pic_ = std::move(fresh);
    painted_ = false;
}

bool Canvas::covers(const plat::Picture& src, int dx, int dy) const
{
    return dx <= 0 && dy <= 0 && src.Width() + dx >= width() && src.Height() + dy >= height();
}

void Canvas::showLive(const plat::Picture& src, int dx, int dy)
{
    if (transparent() || !covers(src, dx, dy)) {
        graphics().DrawPicture(src, dx, dy);
        return;
    }
    live_ = &src;
    liveDx_ = dx;
    liveDy_ = dy;
    liveVersion_ = src.version();
    // Its own picture is not needed until the showing ends.
    if (pic_->Width() > 1 || pic_->Height() > 1) {
        pic_ = plat::NewPicture(1, 1);
        pic_->graphics().SetUseOldRenderer(true);
    }
    update();
}

void Canvas::liveChanged(const std::vector<QRect>& rects)
{
    if (!live_) return;
    for (const QRect& r : rects) update(r.translated(liveDx_, liveDy_));
    liveVersion_ = live_->version();
}

void Canvas::settle()
{
    if (!live_) return;
    const plat::Picture* src = live_;
    live_ = nullptr;
    fitPicture();
    pic_->graphics().DrawPicture(*src, liveDx_, liveDy_);
    painted_ = true;
}

void Canvas::paintPass(bool erase)
{
    settle();
    fitPicture();
    plat::Graphics& g = pic_->graphics();
    // A paint the system owes after a resize erases as the control says.
    if (erase || (!painted_ && eraseBackground) || (eraseUnlessBackdrop && !backdrop_)) {
        g.SetForeColor(eraseColor);
        g.FillRect(0, 0, pic_->Width(), pic_->Height());
    }
    if (backdrop_) g.DrawPicture(*backdrop_, 0, 0);
    if (onPaint) onPaint(g);
    painted_ = true;
}

void Canvas::Refresh(bool erase)
{
    paintPass(erase);
    update();
}

plat::Graphics& Canvas::graphics()
{
    settle();
    fitPicture();
    if (!painted_) paintPass(false);
    update();
    return pic_->graphics();
}

const plat::Picture& Canvas::shownPicture()
{
    settle();
    fitPicture();
    if (!painted_) paintPass(false);
    return *pic_;
}

void Canvas::setMouseCursor(Qt::CursorShape shape) { setCursor(shape); }
void Canvas::setMouseCursor(const QCursor& cursor) { setCursor(cursor); }

void Canvas::setControlWidth(int w)
{
    resize(std::max(w, 0), height());
    setVisible(w > 0);
}

void Canvas::paintEvent(QPaintEvent* e)
{
    if (transparent()) return;
    if (live_ && !covers(*live_, liveDx_, liveDy_)) settle();
    if (live_ && live_->version() != liveVersion_) {
        // The live picture changed without notice: all of it is shown again.
        liveVersion_ = live_->version();
        update();
    }
    if (!live_) {
        fitPicture();
        if (!painted_) paintPass(false);
    }
    QPainter painter(this);
    const QImage& img = std::as_const(live_ ? *live_ : *pic_).image();
    const QPoint from = live_ ? QPoint(-liveDx_, -liveDy_) : QPoint();
    plat::drawImageByRects(painter, e->region(), img, from);
}

void Canvas::showEvent(QShowEvent*)
{
    // Coming on screen is a paint the system asks for: the paint handler runs.
    painted_ = false;
    // A control that paints all of itself spares the windows under it.
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent());
}

void Canvas::resizeEvent(QResizeEvent*)
{
    if (onResize) onResize(width(), height());
}

void Canvas::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || tracking_) return;
    modifiers_ = e->modifiers();
    const QPoint pt = e->position().toPoint();
    tracking_ = onMouseDown ? onMouseDown(pt.x(), pt.y()) : false;
    lastDrag_ = pt;
    if (tracking_ && dragRepeatMs > 0) dragRepeat_.start(dragRepeatMs);
}

void Canvas::mouseMoveEvent(QMouseEvent* e)
{
    if (!tracking_) return;
    modifiers_ = e->modifiers();
    const QPoint pt = e->position().toPoint();
    lastDrag_ = pt;
    if (dragRepeat_.isActive()) dragRepeat_.start(dragRepeatMs);
    if (onMouseDrag) onMouseDrag(pt.x(), pt.y());
}

void Canvas::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !tracking_) return;
    tracking_ = false;
    dragRepeat_.stop();
    modifiers_ = e->modifiers();
    const QPoint pt = e->position().toPoint();
    if (onMouseUp) onMouseUp(pt.x(), pt.y());
}

void Canvas::wheelEvent(QWheelEvent* e)
{
    const QPoint pt = e->position().toPoint();
    const QPoint d = e->angleDelta();
    if (onMouseWheel && onMouseWheel(pt.x(), pt.y(), d.x(), d.y())) e->accept();
    else e->ignore();
}

void Canvas::enterEvent(QEnterEvent*)
{
    if (onMouseEnter) onMouseEnter();
}

void Canvas::leaveEvent(QEvent*)
{
    if (onMouseExit) onMouseExit();
}

}  // namespace quil2a
