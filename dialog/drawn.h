// The dialog's self-drawn controls: a canvas that keeps its own picture
// (backdrop first, then its paint handler, exact pixels) and the small arrow
// that flips the sort direction.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "platform/picture.h"

namespace quil2a {

class DrawnControl : public QWidget {
    Q_OBJECT
public:
    explicit DrawnControl(QWidget* parent, const QString& name = QString());
    ~DrawnControl() override;

    std::function<void(plat::Graphics&)> onPaint;
    // Returns whether the drag and the release of this press are wanted.
    std::function<bool(int x, int y)> onMouseDown;
    std::function<void(int x, int y)> onMouseDrag;
    std::function<void(int x, int y)> onMouseUp;

    // Drawn at (0, 0) before the paint handler; null for none.
    void setBackdrop(const plat::Picture* pic);
    const plat::Picture* backdrop() const { return backdrop_; }
    plat::Color eraseColor = 0xFFFFFF;

    // Paints now (erasing first when asked) and shows the result.
    void Refresh(bool erase = true);
    // What the control shows, painted first when it has not been.
    const plat::Picture& shownPicture();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void paintPass(bool erase);

    std::unique_ptr<plat::Picture> pic_;
    const plat::Picture* backdrop_ = nullptr;
    bool painted_ = false;
    bool tracking_ = false;
};

// A small triangle: Facing 2 points up, 3 points down.
class PopupArrow : public DrawnControl {
    Q_OBJECT
public:
    explicit PopupArrow(QWidget* parent, const QString& name = QString());
    int Facing = 3;
};

}  // namespace quil2a
