// The run monitor: follows loop mode and the run events, keeps each run's seconds and the event
// log, and stops a loop at its soak limits as if the user unchecked "Loop".
#pragma once

#include "monitor/EventLog.h"
#include "monitor/SecondSampler.h"
#include "monitor/SoakLimits.h"

#include <chrono>
#include <functional>

namespace monitor {

struct Clocks {
    std::function<std::chrono::nanoseconds()> monotonic; // for the seconds of a run
    std::function<WallTime()> wall;                      // for the time stamps
};

// Watches loop mode and listens to the run events from now on, with no run, no limits and an
// empty log (the clocks are kept).
void StartRunMonitor();
// The clocks the monitor reads; empty ones mean the system's.
void SetClocks(Clocks clocks);

SoakLimits& Limits();
const SecondSampler& Sampler();
const EventLog& Log();
// When the current (or last) run started, by the wall clock.
WallTime RunStart();
// Whether Verify was on at any time of the run: its counts belong in the figures.
bool RunHasChecks();
bool RunActive();

enum class Change { RunStarted, SecondsClosed, RunStopped, LineLogged };
// Told after each change the monitor window shows; replaces the previous one.
void OnMonitorChange(std::function<void(Change)> listener);

} // namespace monitor
