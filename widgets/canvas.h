// The drawn control of every window: it keeps its own picture, which its
// backdrop and paint handler (and any direct drawing) write with exact pixels,
// and shows that picture unscaled. Mouse events follow the desktop convention
// of the atlas: a mouse-down handler that returns false gets no drag and no
// release.
#pragma once

#include <QCursor>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/picture.h"
#include "platform/text.h"

namespace quil2a {

class Canvas : public QWidget {
    Q_OBJECT
public:
    explicit Canvas(QWidget* parent, const QString& name = QString());
    ~Canvas() override;

    std::function<void(plat::Graphics&)> onPaint;
    std::function<bool(int x, int y)> onMouseDown;
    std::function<void(int x, int y)> onMouseDrag;
    std::function<void(int x, int y)> onMouseUp;
    std::function<void()> onMouseEnter;
    std::function<void()> onMouseExit;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    // The key as a one-character byte string; true when the key was taken.
    std::function<bool(const plat::Bytes& key)> onKeyDown;
    // After the size changed (width, height).
    std::function<void(int w, int h)> onResize;
    // The wheel turned over the control (x, y, deltaX, deltaY); true when it was used.
    std::function<bool(int x, int y, int dx, int dy)> onMouseWheel;

    // Whether the system erases the control before its paint, and with what.
    bool eraseBackground = true;
    plat::Color eraseColor = 0x101010;
    // Whether every paint erases first while there is no backdrop, also a
    // refresh that does not ask for it.
    bool eraseUnlessBackdrop = false;
    // Whether the control takes the keyboard focus.
    bool acceptFocus = false;
    // Above 0: while a taken press is held and the pointer rests, the drag
    // handler is called again at the last point every so many milliseconds.
    int dragRepeatMs = 0;

    // Drawn at (0, 0) before the paint handler; null for none.
    void setBackdrop(const plat::Picture* pic);
    const plat::Picture* backdrop() const { return backdrop_; }

    // Paints the control now (erasing first when asked) and shows it.
    void Refresh(bool erase = true);
    // Shows src from its (-dx, -dy) as src is at each paint, with no copy of
    // its own, while src covers the control and nothing else is drawn on it;
    // src must outlive the showing. Anything drawn or refreshed on the control
    // first takes a copy and ends it.
    void showLive(const plat::Picture& src, int dx, int dy);
    // The rectangles of the live picture (its pixels) that changed.
    void liveChanged(const std::vector<QRect>& rects);
    const plat::Picture* live() const { return live_; }
    // Ends a live showing, keeping what it showed in the control's picture.
    void settle();
    // The control's own picture (it changes with the control's size).
    const plat::Picture& picture()
    {
        settle();
        return *pic_;
    }
    // The control's graphics for drawing outside its paint; shown at the next update.
    plat::Graphics& graphics();
    // What the control shows, painted first if it has not been since its last resize.
    const plat::Picture& shownPicture();

    void setMouseCursor(Qt::CursorShape shape);
    void setMouseCursor(const QCursor& cursor);
    // The modifier keys held at the last mouse event on the control.
    Qt::KeyboardModifiers eventModifiers() const { return modifiers_; }
    // A width of 0 hides the control, any other shows it.
    void setControlWidth(int w);

    // Whether a mouse-down was taken and its drag and release are due.
    bool tracking() const { return tracking_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    bool transparent() const { return !onPaint && !backdrop_ && !eraseBackground; }
    void fitPicture();
    void paintPass(bool erase);
    bool covers(const plat::Picture& src, int dx, int dy) const;

    std::unique_ptr<plat::Picture> pic_;
    const plat::Picture* backdrop_ = nullptr;
    const plat::Picture* live_ = nullptr;
    int liveDx_ = 0, liveDy_ = 0;
    uint64_t liveVersion_ = 0;  // of the live picture at its last notice
    bool painted_ = false;
    bool tracking_ = false;
    Qt::KeyboardModifiers modifiers_;
    QTimer dragRepeat_;
    QPoint lastDrag_;
};

}  // namespace quil2a
