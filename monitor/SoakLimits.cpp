// The soak limits' test.
#include "monitor/SoakLimits.h"

namespace monitor {

std::string SoakStopReason(const SoakLimits& limits, std::chrono::nanoseconds elapsed,
                           std::uint64_t errors) {
    if (limits.errors > 0 && errors >= limits.errors)
        return std::to_string(errors) + " errors reached the limit of " +
               std::to_string(limits.errors);
    if (limits.duration.count() > 0 && elapsed >= limits.duration)
        return "the run reached its limit of " + std::to_string(limits.duration.count()) + " s";
    return "";
}

} // namespace monitor
