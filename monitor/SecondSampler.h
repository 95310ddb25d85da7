// Turns the loop's running totals, read after each transfer, into figures per second: a second
// holds what the transfers that ended within it added.
#pragma once

#include "monitor/SecondHistory.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace monitor {

using std::chrono::nanoseconds;

// The indicators of a run so far.
struct RunSummary {
    nanoseconds elapsed{0}; // from the start to the latest transfer (or the stop)
    Counts totals;
    double meanMBps = 0;                    // bytes over the elapsed time
    std::optional<double> minMBps, maxMBps; // of the whole seconds, none before the first
    std::optional<nanoseconds> lastErrorAt; // when the errors last grew, from the start
};

class SecondSampler {
  public:
    explicit SecondSampler(std::size_t capacity = kDaySeconds) : history_(capacity) {}

    // A new run from `now`, its counters at zero; the history starts empty.
    void start(nanoseconds now);
    // The totals after a transfer that ended at `now`. Closes the seconds that ended before it
    // and returns how many.
    std::size_t sample(nanoseconds now, const Counts& totals);
    // At the stop: closes the seconds that ended, then the part of a second since, if any time
    // passed. Returns how many seconds were closed.
    std::size_t finish(nanoseconds now);

    const SecondHistory& history() const { return history_; }
    const RunSummary& summary() const { return summary_; }

  private:
    std::size_t closeUpTo(nanoseconds now);
    void close(std::uint32_t endMs, std::uint32_t lengthMs);
    void setElapsed(nanoseconds now);

    SecondHistory history_;
    RunSummary summary_;
    nanoseconds origin_{0};
    std::uint32_t closedMs_ = 0; // end of the last closed second
    Counts atClose_;             // the totals when it closed
};

} // namespace monitor
