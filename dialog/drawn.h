// The dialog's drawn controls: the window's drawn control as the dialog uses
// it (white ground, erased at every paint unless a backdrop covers it) and the
// small arrow that flips the sort direction.
#pragma once

#include "widgets/canvas.h"

namespace quil2a {

class DrawnControl : public Canvas {
    Q_OBJECT
public:
    explicit DrawnControl(QWidget* parent, const QString& name = QString());
};

// A small triangle: Facing 2 points up, 3 points down.
class PopupArrow : public DrawnControl {
    Q_OBJECT
public:
    explicit PopupArrow(QWidget* parent, const QString& name = QString());
    int Facing = 3;
};

}  // namespace quil2a
