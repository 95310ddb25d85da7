#include "platform/uirt/qt/TickTimer.h"

#include <QPointer>

namespace uirt::qt {

using Clock = TickSchedule::Clock;

void TickSchedule::start(Clock::time_point now, Clock::duration period) {
    period_ = period;
    due_ = now + period;
}

Clock::duration TickSchedule::next(Clock::time_point now) {
    due_ += period_;
    if (now - due_ > kMaxBacklog) due_ = now + period_;
    return due_ > now ? due_ - now : Clock::duration::zero();
}

TickTimer::TickTimer(QObject* parent) : QObject(parent) {
    shot_.setSingleShot(true);
    shot_.setTimerType(Qt::PreciseTimer);
    connect(&shot_, &QTimer::timeout, this, &TickTimer::fire);
}

void TickTimer::setInterval(int ms) {
    intervalMs_ = ms;
    if (active_) start();
}

void TickTimer::start() {
    active_ = true;
    const auto period = std::chrono::milliseconds(intervalMs_);
    schedule_.start(Clock::now(), period);
    arm(period);
}

void TickTimer::stop() {
    active_ = false;
    shot_.stop();
}

void TickTimer::fire() {
    QPointer<TickTimer> self(this);
    emit tick();
    // The tick's handler may have stopped, restarted or destroyed this timer.
    if (!self || !active_ || shot_.isActive()) return;
    arm(schedule_.next(Clock::now()));
}

// QTimer counts whole milliseconds; rounding up never delivers a tick before it is due, and
// the grid keeps the lateness from adding up.
void TickTimer::arm(Clock::duration delay) {
    shot_.start(std::chrono::ceil<std::chrono::milliseconds>(delay));
}

} // namespace uirt::qt
