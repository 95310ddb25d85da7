// Binding of the timer control: a TickTimer of the panel window, no widget.
#include <cmath>

#include "platform/uirt/qt/ControlBinding.h"
#include "platform/uirt/qt/TickTimer.h"

namespace uirt::qt {

namespace {

class TimerBinding final : public ControlBinding {
  public:
    void create(ControlView& v, const BindingSite& site) const override {
        auto* t = new TickTimer(site.window); // owned by the panel window
        t->setObjectName(qs(site.control.res->constName));
        site.onInput(t, &TickTimer::tick, input::timerTick);
        v.timer = t;
    }
    void showTimer(ControlView& v, const ControlState& c) const override {
        TickTimer& timer = *v.timer;
        const int ms = std::max(1, static_cast<int>(std::lround(c.interval * 1000.0)));
        if (timer.interval() != ms) timer.setInterval(ms);
        if (c.enabled && !timer.isActive())
            timer.start();
        else if (!c.enabled && timer.isActive())
            timer.stop();
    }
};

} // namespace

const ControlBinding& timerBinding = TimerBinding();

} // namespace uirt::qt
