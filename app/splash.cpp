#include "app/splash.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace quil2a {

Splash::Splash(const plat::Picture* backdrop)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Splash"));
    backdrop_ = backdrop;
    setWindowTitle(QStringLiteral("Quillmere"));
    setAttribute(Qt::WA_NoSystemBackground);
    setFixedSize(350, 150);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->geometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
    timer1_.setSingleShot(true);
    timer1_.setInterval(5000);
    connect(&timer1_, &QTimer::timeout, this, [this] { Close(); });
    timer1_.start();
}

void Splash::setBackdrop(const plat::Picture* pic)
{
    backdrop_ = pic;
    update();
}

void Splash::Close()
{
    if (closed_) return;
    closed_ = true;
    timer1_.stop();
    hide();
    deleteLater();
    emit gone();
}

// Closed by the window manager: closed for good as well.
void Splash::closeEvent(QCloseEvent* e)
{
    e->accept();
    Close();
}

void Splash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (backdrop_) painter.drawImage(0, 0, backdrop_->image());
}

void Splash::mousePressEvent(QMouseEvent* e) { e->accept(); }

void Splash::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    Close();
}

}  // namespace quil2a
