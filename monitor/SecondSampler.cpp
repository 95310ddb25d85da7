// Seconds from running totals.
#include "monitor/SecondSampler.h"

#include <algorithm>

namespace monitor {

using std::chrono::milliseconds;

void SecondSampler::start(nanoseconds now) {
    history_.clear();
    summary_ = {};
    origin_ = now;
    closedMs_ = 0;
    atClose_ = {};
}

void SecondSampler::close(std::uint32_t endMs, std::uint32_t lengthMs) {
    const SecondRecord second{endMs, lengthMs, summary_.totals - atClose_};
    history_.add(second);
    atClose_ = summary_.totals;
    closedMs_ = endMs;
    if (lengthMs < 1000) return; // a part-second's rate is no rate of a second
    const double rate = second.megabytesPerSecond();
    summary_.minMBps = std::min(summary_.minMBps.value_or(rate), rate);
    summary_.maxMBps = std::max(summary_.maxMBps.value_or(rate), rate);
}

std::size_t SecondSampler::closeUpTo(nanoseconds now) {
    const auto elapsedMs = std::chrono::duration_cast<milliseconds>(now - origin_).count();
    std::size_t closed = 0;
    for (; elapsedMs >= closedMs_ + 1000; ++closed)
        close(closedMs_ + 1000, 1000);
    return closed;
}

std::size_t SecondSampler::sample(nanoseconds now, const Counts& totals) {
    const std::size_t closed = closeUpTo(now);
    if (totals.errors() > summary_.totals.errors()) summary_.lastErrorAt = now - origin_;
    summary_.totals = totals;
    setElapsed(now);
    return closed;
}

std::size_t SecondSampler::finish(nanoseconds now) {
    std::size_t closed = closeUpTo(now);
    const auto endMs =
        static_cast<std::uint32_t>(std::chrono::duration_cast<milliseconds>(now - origin_).count());
    if (endMs > closedMs_ || summary_.totals != atClose_) {
        close(std::max(endMs, closedMs_), endMs > closedMs_ ? endMs - closedMs_ : 0);
        ++closed;
    }
    setElapsed(now);
    return closed;
}

void SecondSampler::setElapsed(nanoseconds now) {
    summary_.elapsed = now - origin_;
    const double seconds = std::chrono::duration<double>(summary_.elapsed).count();
    summary_.meanMBps =
        seconds > 0 ? static_cast<double>(summary_.totals.bytes) / 1e6 / seconds : 0.0;
}

} // namespace monitor
