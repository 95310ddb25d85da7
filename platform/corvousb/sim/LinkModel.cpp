// The time model of the chip's USB link.
#include "platform/corvousb/sim/LinkModel.h"

#include <algorithm>
#include <cmath>

namespace corvousb {

namespace {

Nanos RequestCost(BusSpeed speed) {
    return speed == BusSpeed::Full ? kFullSpeedRequestCost : kHighSpeedRequestCost;
}

} // namespace

double BulkRate(BusSpeed speed, bool synchronous) {
    if (speed == BusSpeed::Full) return kFullSpeedRate;
    return synchronous ? kHighSpeedSyncRate : kHighSpeedAsyncRate;
}

std::size_t PacketSize(BusSpeed speed) {
    return speed == BusSpeed::Full ? kFullSpeedPacket : kHighSpeedPacket;
}

Nanos LinkDirection::transferTime(std::size_t bytes) const {
    if (bytes == 0) return Nanos(0);
    const auto size = static_cast<std::size_t>(std::max(transferSize, 1));
    const auto requests = static_cast<long long>((bytes + size - 1) / size);
    const double seconds = static_cast<double>(bytes) / BulkRate(speed, synchronous);
    return Nanos(std::llround(seconds * 1e9)) + requests * RequestCost(speed);
}

std::size_t LinkDirection::bytesWithin(Nanos budget) const {
    const auto size = static_cast<std::size_t>(std::max(transferSize, 1));
    const Nanos full = transferTime(size);
    if (budget <= Nanos(0)) return 0;
    const auto requests = static_cast<std::size_t>(budget / full);
    const Nanos rest = budget - static_cast<long long>(requests) * full - RequestCost(speed);
    const double part =
        rest > Nanos(0) ? static_cast<double>(rest.count()) * 1e-9 * BulkRate(speed, synchronous)
                        : 0.0;
    return requests * size + std::min(size - 1, static_cast<std::size_t>(part));
}

Nanos Milliseconds(int ms) {
    return std::chrono::milliseconds(std::max(ms, 0));
}

} // namespace corvousb
