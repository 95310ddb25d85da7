// The clock the simulated boards take their time from: real time in the program, virtual in tests.
#pragma once

#include <chrono>

namespace corvousb {

using Nanos = std::chrono::nanoseconds;

class Clock {
  public:
    virtual ~Clock() = default;
    // Monotonic time since an arbitrary origin.
    virtual Nanos now() const = 0;
    // Returns once now() >= t; returns at once when t has passed.
    virtual void sleepUntil(Nanos t) = 0;
};

// The steady clock of the machine. sleepUntil sleeps most of the wait and spins the last
// fraction of a millisecond, so a wait ends within a few microseconds of its mark.
class RealClock : public Clock {
  public:
    Nanos now() const override;
    void sleepUntil(Nanos t) override;
};

// A clock that moves only when waited on: sleepUntil jumps to the mark without sleeping, so
// tests run the time model at full speed and deterministically.
class VirtualClock : public Clock {
  public:
    Nanos now() const override { return now_; }
    void sleepUntil(Nanos t) override {
        if (t > now_) now_ = t;
    }

  private:
    Nanos now_{0};
};

} // namespace corvousb
