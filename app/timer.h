// A timer with the desktop framework's modes: 0 off, 1 once, 2 repeating.
// Setting the period of a running timer restarts it with the new period.
#pragma once

#include <QTimer>
#include <functional>

namespace quil2a {

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr);

    int Mode() const { return mode_; }
    void setMode(int mode);
    int Period() const { return period_; }
    void setPeriod(int ms);

    std::function<void()> onAction;

private:
    void restart();
    QTimer timer_;
    int mode_ = 0;
    int period_ = 1000;
};

}  // namespace quil2a
