// The splash window: the product picture for five seconds, or until a click.
#pragma once

#include <QTimer>
#include <QWidget>

#include "platform/picture.h"

namespace quil2a {

class Splash : public QWidget {
    Q_OBJECT
public:
    explicit Splash(const plat::Picture* backdrop);

    void setBackdrop(const plat::Picture* pic);
    const plat::Picture* backdrop() const { return backdrop_; }
    // Closes the window for good; the accessor then makes a fresh one.
    void Close();
    bool closed() const { return closed_; }
    QTimer& timer1() { return timer1_; }

signals:
    // Once, when the window closes.
    void gone();

protected:
    void paintEvent(QPaintEvent*) override;
    void closeEvent(QCloseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    const plat::Picture* backdrop_ = nullptr;
    QTimer timer1_;
    bool closed_ = false;
};

}  // namespace quil2a
