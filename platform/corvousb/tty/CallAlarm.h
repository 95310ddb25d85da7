// A deadline for one blocking system call of the calling thread.
//
// While a CallAlarm lives, a timer of the calling thread sends it CallAlarm::kSignal at the
// deadline and every millisecond after, until the alarm is destroyed. The signal's handler does
// nothing and is installed without SA_RESTART, so a blocking call under way then returns: with
// EINTR, or with what it moved so far. Repeating matters: a signal that comes just before the
// thread enters the call is spent there, and the next one ends the call a millisecond later.
#pragma once

#include <csignal>
#include <ctime>

namespace corvousb {

class CallAlarm {
  public:
    // The signal the alarm sends; Kestrel's own code uses no other real-time signal.
    static int signalNumber();

    // Arms the alarm `ms` milliseconds from now; armed() tells whether that worked (the system
    // may refuse a timer, e.g. past the limit of pending signals).
    explicit CallAlarm(int ms);
    ~CallAlarm();
    CallAlarm(const CallAlarm&) = delete;
    CallAlarm& operator=(const CallAlarm&) = delete;

    bool armed() const { return armed_; }

  private:
    timer_t timer_{};
    sigset_t unblocked_{};
    bool armed_ = false;
    bool wasBlocked_ = false;
};

} // namespace corvousb
