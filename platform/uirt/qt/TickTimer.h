// The timer behind a timer control: ticks on a fixed grid of deadlines, so that a tick handled
// late (behind a long repaint, a busy machine) does not push every later tick back.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

namespace uirt::qt {

// The deadlines of a periodic tick, kept on an absolute grid from the start. After a late
// tick the missed ones are due at once, so the tick count over a run matches the period;
// a stall longer than kMaxBacklog restarts the grid instead, so a long pause never comes back
// as a burst of ticks.
class TickSchedule {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kMaxBacklog = std::chrono::milliseconds(250);

    // Starts the grid: the first tick is due one period after `now`.
    void start(Clock::time_point now, Clock::duration period);
    // After a tick handled at `now`: how long until the next one is due (zero when behind).
    Clock::duration next(Clock::time_point now);

  private:
    Clock::duration period_{};
    Clock::time_point due_{};
};

class TickTimer : public QObject {
    Q_OBJECT
  public:
    explicit TickTimer(QObject* parent);

    int interval() const { return intervalMs_; }
    bool isActive() const { return active_; }
    // A new interval takes effect at once on a running timer: the grid restarts from now.
    void setInterval(int ms);
    void start();
    void stop();

  signals:
    void tick();

  private:
    void fire();
    void arm(TickSchedule::Clock::duration delay);

    QTimer shot_;
    TickSchedule schedule_;
    int intervalMs_ = 0;
    bool active_ = false; // also true while a tick is being handled
};

} // namespace uirt::qt
