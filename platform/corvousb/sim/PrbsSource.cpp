// The shift-register stream source.
#include "platform/corvousb/sim/PrbsSource.h"

namespace corvousb {

namespace {
unsigned Tap(unsigned order) {
    return order == 7 ? 6 : order == 15 ? 14 : order == 23 ? 18 : 28;
}
} // namespace

PrbsSource::PrbsSource(unsigned order)
    : order_(order), tap_(Tap(order)), state_((1u << order) - 1) {}

void PrbsSource::fill(std::span<std::uint8_t> out) {
    // The register's oldest bit goes out first; the new bit is b[k - n] ^ b[k - m].
    const std::uint32_t mask = (1u << order_) - 1;
    for (std::uint8_t& byte : out) {
        unsigned value = 0;
        for (int i = 0; i < 8; ++i) {
            const unsigned oldest = (state_ >> (order_ - 1)) & 1;
            const unsigned fresh = oldest ^ ((state_ >> (tap_ - 1)) & 1);
            value = value << 1 | oldest;
            state_ = ((state_ << 1) | fresh) & mask;
        }
        byte = static_cast<std::uint8_t>(value);
    }
}

} // namespace corvousb
