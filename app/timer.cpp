#include "app/timer.h"

#include <algorithm>

namespace quil2a {

Timer::Timer(QObject* parent) : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (mode_ == 1) mode_ = 0;
        if (onAction) onAction();
    });
}

void Timer::restart()
{
    timer_.stop();
    if (mode_ == 0) return;
    timer_.setSingleShot(mode_ == 1);
    timer_.start(std::max(period_, 0));
}

void Timer::setMode(int mode)
{
    mode_ = (mode == 1 || mode == 2) ? mode : 0;
    restart();
}

void Timer::setPeriod(int ms)
{
    period_ = ms;
    if (mode_ != 0) restart();
}

}  // namespace quil2a
