// Soak limits: a loop stops by itself after a duration or a number of errors.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace monitor {

struct SoakLimits {
    std::chrono::seconds duration{0}; // 0: no limit
    std::uint64_t errors = 0;         // 0: no limit
};

// Why the loop must stop now, for the event log; empty while it may go on.
std::string SoakStopReason(const SoakLimits& limits, std::chrono::nanoseconds elapsed,
                           std::uint64_t errors);

} // namespace monitor
