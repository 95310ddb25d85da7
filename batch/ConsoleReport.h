// The run on the console: one line per step on the standard output as it ends, a summary line,
// and progress on the standard error during long steps when that is a terminal.
#pragma once

#include "batch/Runner.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace batch {

// "[2/3] burst: FAIL  transfers 10, rate 3.125 MB/s (min 5), library-errors 0 (max 0)"
std::string StepLine(const StepResult& r, int number, int count);
// "Summary: 3 steps, 2 passed, 1 failed, 0 errors, 0 aborted, 0 not run: exit 1 (a limit failed)"
std::string SummaryLine(const RunReport& report);
// The figure as the reports show it: "rate 3.125 MB/s (min 5)".
std::string FigureText(const Figure& f);

class ConsoleObserver : public RunObserver {
  public:
    // Progress goes to `progress` at most once per `every`; null: no progress.
    explicit ConsoleObserver(std::FILE* progress,
                             std::chrono::milliseconds every = std::chrono::seconds(1))
        : progress_(progress), every_(every) {}

    void stepStarted(const Step& step, int number, int count) override;
    void stepProgress(const StepProgress& p) override;
    void stepEnded(const StepResult& r, int number) override;

  private:
    std::FILE* progress_;
    std::chrono::milliseconds every_;
    std::string stepName_;
    int count_ = 0;
    bool shown_ = false;
    std::chrono::steady_clock::time_point lastShown_;
};

} // namespace batch
