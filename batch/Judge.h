// Judging a step's measurements against its limits.
#pragma once

#include "batch/Plan.h"
#include "batch/StepResult.h"

#include <optional>
#include <vector>

namespace batch {

// What a transfer or loop step measured; unset figures were not measured.
struct Measurements {
    std::optional<double> rateMBps{};
    std::optional<double> wrongBytes{}, bitErrorRate{}, payloadErrors{};
    std::optional<double> lostFrames{}, headerErrors{}, trailerErrors{};
    double libraryErrors = 0;
    double transfers = 0; // transfers made (repetitions or ticks)
};

// The figures, in report order: each measured one, judged where the step has a limit for it;
// a limit on a figure that was not measured fails.
std::vector<Figure> Judge(const Measurements& m, const Limits& limits);

} // namespace batch
