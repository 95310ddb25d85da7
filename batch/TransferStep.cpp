// A transfer step: "Apply" pressed as many times as the step's repetitions.
#include "batch/CheckFigures.h"
#include "batch/SetupDriver.h"
#include "batch/StepRun.h"

#include "core/IoMode.h"
#include "core/time_utils.h"
#include "engine/DataCheck.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/quitsignal.h"

namespace batch {

StepResult RunTransferStep(const Step& step, RunObserver& observer) {
    StepRun run(step, observer);
    EnterTransferSettings(step.transfer);
    const unsigned long long lost = GetLostFrames(), header = GetHeaderErrors(),
                             trailer = GetTrailerErrors();
    CheckSum checks;
    RateSum rate;
    bool aborted = false;
    int done = 0;
    while (done < step.repetitions && !run.tooManyLibraryErrors()) {
        if (uirt::QuitSignal() != 0) {
            aborted = true;
            break;
        }
        const std::uint64_t checksBefore = ChecksMade();
        PressApply();
        ++done;
        rate.add(StepRun::RateOf(run.takeInfoText()), ElapsedTimeDouble());
        if (ChecksMade() != checksBefore) checks.add(LatestCheck());
        run.observer().stepProgress(
            {.elapsed = run.elapsed(),
             .done = static_cast<double>(done),
             .total = static_cast<double>(step.repetitions),
             .unit = "transfers",
             .rateMBps = rate.mbps().value_or(0),
             .errors = static_cast<double>(run.libraryErrors() + checks.tally.wrongBytes)});
    }
    Measurements m{.rateMBps = rate.mbps(), .transfers = static_cast<double>(done)};
    AddCheckFigures(m, step.transfer, checks);
    if (step.transfer.ioMode == IOMODE_EXTENDED_READ) {
        m.lostFrames = static_cast<double>(GetLostFrames() - lost);
        m.headerErrors = static_cast<double>(GetHeaderErrors() - header);
        m.trailerErrors = static_cast<double>(GetTrailerErrors() - trailer);
    }
    return run.finish(m, aborted);
}

} // namespace batch
