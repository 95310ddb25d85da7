// The real clock: steady time, with waits that sleep and then spin to their mark.
#include "platform/corvousb/sim/Clock.h"

#include <thread>

namespace corvousb {

namespace {

// Sleeping wakes up late by tens of microseconds; the last stretch before the mark is spun.
constexpr Nanos kSpin = std::chrono::microseconds(1000);

} // namespace

Nanos RealClock::now() const {
    return std::chrono::duration_cast<Nanos>(std::chrono::steady_clock::now().time_since_epoch());
}

void RealClock::sleepUntil(Nanos t) {
    const Nanos wait = t - now();
    if (wait > kSpin) std::this_thread::sleep_for(wait - kSpin);
    while (now() < t) {
    }
}

} // namespace corvousb
