// Running the plan's steps in order and deciding the run's outcome.
#include "batch/Runner.h"

#include "batch/ReportTime.h"
#include "batch/SetupDriver.h"
#include "batch/StepRun.h"

namespace batch {

namespace {

StepResult RunStep(const Step& step, RunObserver& observer) {
    switch (step.kind) {
    case StepKind::Transfer:
        return RunTransferStep(step, observer);
    case StepKind::Loop:
        return RunLoopStep(step, observer);
    case StepKind::EepromCheck:
        return RunEepromCheckStep(step, observer);
    case StepKind::EepromProgram:
        break;
    }
    return RunEepromProgramStep(step, observer);
}

} // namespace

void RunSteps(const Plan& plan, RunReport& report, RunObserver& observer) {
    EnterLinkSettings(plan.link);
    report.link = ShownLinkSettings();
    report.steps = plan.steps;
    report.outcome = Outcome::Passed;
    const int count = static_cast<int>(plan.steps.size());
    for (int i = 0; i < count; ++i) {
        const Step& step = plan.steps[static_cast<std::size_t>(i)];
        if (report.outcome == Outcome::LibraryError || report.outcome == Outcome::Interrupted) {
            report.results.push_back({.name = step.name, .kind = step.kind});
            continue;
        }
        observer.stepStarted(step, i + 1, count);
        report.results.push_back(RunStep(step, observer));
        const StepResult& r = report.results.back();
        observer.stepEnded(r, i + 1);
        if (r.verdict == Verdict::Aborted)
            report.outcome = Outcome::Interrupted;
        else if (r.verdict == Verdict::Error)
            report.outcome = Outcome::LibraryError;
        else if (r.verdict == Verdict::Fail)
            report.outcome = Outcome::LimitFailed;
    }
    report.ended = NowIso8601();
}

} // namespace batch
