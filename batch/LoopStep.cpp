// A loop step: "Loop" checked, the timer's ticks delivered on the loop period for a duration or
// a tick count, then "Loop" unchecked, which prints the loop's statistics.
#include "batch/CheckFigures.h"
#include "batch/SetupDriver.h"
#include "batch/StepRun.h"

#include "core/IoMode.h"
#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "engine/DataCheck.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/model/quitsignal.h"

#include <thread>

namespace batch {

namespace {

using Clock = std::chrono::steady_clock;

// Waits until `when`, a little at a time so a quit signal is seen at once. False on a signal.
bool WaitUntil(Clock::time_point when) {
    constexpr auto kSlice = std::chrono::milliseconds(20);
    for (auto now = Clock::now(); now < when; now = Clock::now()) {
        if (uirt::QuitSignal() != 0) return false;
        std::this_thread::sleep_for(std::min<Clock::duration>(when - now, kSlice));
    }
    return uirt::QuitSignal() == 0;
}

} // namespace

StepResult RunLoopStep(const Step& step, RunObserver& observer) {
    StepRun run(step, observer);
    EnterTransferSettings(step.transfer);
    SetLoop(true, step.periodMs);
    const auto period = std::chrono::milliseconds(step.periodMs);
    const bool timed = step.seconds.has_value();
    const double total = timed ? *step.seconds : static_cast<double>(*step.ticks);
    RateSum rate;
    bool aborted = false;
    long long ticks = 0;
    for (Clock::time_point next = Clock::now() + period;; next += period) {
        if ((timed ? run.elapsed() : static_cast<double>(ticks)) >= total) break;
        if (!WaitUntil(next)) {
            aborted = true;
            break;
        }
        // A tick later than its period is delivered at once, like a late timer's.
        if (Clock::now() > next + period) next = Clock::now();
        if (!TickLoop()) break; // a library error stopped the loop
        ++ticks;
        rate.add(StepRun::RateOf(run.takeInfoText()), ElapsedTimeDouble());
        if (GetLoopState() == 0) break;
        run.observer().stepProgress(
            {.elapsed = run.elapsed(),
             .done = timed ? run.elapsed() : static_cast<double>(ticks),
             .total = total,
             .unit = timed ? "s" : "ticks",
             .rateMBps = rate.mbps().value_or(0),
             .errors = static_cast<double>(run.libraryErrors() + GetLostFrames() +
                                           CheckTotals().wrongBytes)});
    }
    // A loop stopped by a library error has printed no statistics and counts as stopped by it.
    const bool stoppedByError = GetLoopState() == 0;
    if (!stoppedByError) SetLoop(false, step.periodMs);
    Measurements m{.transfers = static_cast<double>(ticks)};
    CheckSum checks;
    if (CheckTotals().compared + CheckTotals().missing + CheckTotals().unchecked > 0)
        checks.add(CheckTotals());
    AddCheckFigures(m, step.transfer, checks);
    if (step.transfer.ioMode == IOMODE_EXTENDED_READ) {
        m.lostFrames = static_cast<double>(GetLostFrames());
        m.headerErrors = static_cast<double>(GetHeaderErrors());
        m.trailerErrors = static_cast<double>(GetTrailerErrors());
        const double t = ElapsedTimeDouble();
        if (t > 0) m.rateMBps = static_cast<double>(GetTotalByteCount()) / t / 1e6;
    } else {
        m.rateMBps = rate.mbps();
    }
    StepResult result = run.finish(m, aborted);
    if (stoppedByError && result.verdict != Verdict::Aborted) {
        result.verdict = Verdict::Error;
        result.problem = "the loop was stopped by a library error";
    }
    return result;
}

} // namespace batch
