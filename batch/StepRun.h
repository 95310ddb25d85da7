// What the step runners share: the step's clock, its information-box text and library errors.
#pragma once

#include "batch/Judge.h"
#include "batch/Runner.h"

#include <chrono>
#include <string>

namespace batch {

// One running step.
class StepRun {
  public:
    StepRun(const Step& step, RunObserver& observer);

    // Takes what the information box shows now into the step's text (kept to its first and last
    // 32 KiB) and returns it.
    std::string takeInfoText();
    // Library errors since the step started.
    std::size_t libraryErrors() const;
    bool tooManyLibraryErrors() const;
    double elapsed() const;
    RunObserver& observer() { return observer_; }
    const Step& step() const { return step_; }

    // The result with these measurements; the verdict from the figures, the library errors and
    // whether the step was stopped by a quit signal.
    StepResult finish(Measurements m, bool aborted);
    // The result of an EEPROM step from its figures.
    StepResult finish(std::vector<Figure> figures, bool aborted);

    // The last rate line of a transfer's text ("KBytes/s" or "Bytes/s"), in bytes per second;
    // 0 when there is none or its rate is not positive.
    static double RateOf(const std::string& text);

  private:
    const Step& step_;
    RunObserver& observer_;
    std::chrono::steady_clock::time_point start_;
    std::size_t errorsBefore_;
    std::string head_, tail_;
    bool cut_ = false;
};

// Sums transfers' rates over their timed spans.
struct RateSum {
    double bytes = 0, seconds = 0;
    void add(double bytesPerSecond, double span);
    std::optional<double> mbps() const;
};

StepResult RunTransferStep(const Step& step, RunObserver& observer);
StepResult RunLoopStep(const Step& step, RunObserver& observer);
StepResult RunEepromCheckStep(const Step& step, RunObserver& observer);
StepResult RunEepromProgramStep(const Step& step, RunObserver& observer);

} // namespace batch
