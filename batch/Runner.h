// Runs a plan's steps on the connected board, judging each against its limits.
#pragma once

#include "batch/Plan.h"
#include "batch/StepResult.h"

namespace batch {

// How far a long step has come, for the progress display.
struct StepProgress {
    double elapsed = 0; // seconds since the step started
    double done = 0;    // transfers or ticks made, or seconds for a timed loop
    double total = 0;   // of `done`'s unit
    const char* unit = "";
    double rateMBps = 0; // so far, 0 when not measured
    double errors = 0;   // library errors, wrong bytes and frame errors so far
};

// Told what happens while the steps run. All calls come from the running thread.
class RunObserver {
  public:
    virtual ~RunObserver() = default;
    virtual void stepStarted(const Step& step, int number, int count) {
        (void)step, (void)number, (void)count;
    }
    // After each transfer or tick.
    virtual void stepProgress(const StepProgress& progress) { (void)progress; }
    virtual void stepEnded(const StepResult& result, int number) { (void)result, (void)number; }
};

// Runs the steps in order on the board the program is connected to, through the setup panel.
// A step whose library errors pass its limit stops the run (the steps after it are not run);
// so does a quit signal (the step is marked aborted). Fills report.results, .link, .ended and
// .outcome.
void RunSteps(const Plan& plan, RunReport& report, RunObserver& observer);

} // namespace batch
