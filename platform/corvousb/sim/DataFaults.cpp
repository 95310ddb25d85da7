// Lost bytes and flipped bits on the data a board returns.
#include "platform/corvousb/sim/DataFaults.h"

namespace corvousb {

DataFaults::DataFaults(double bitErrorRate, unsigned seed, unsigned dropEvery)
    : rate_(bitErrorRate), dropEvery_(dropEvery), random_(seed) {
    if (rate_ > 0.0) drawNextError();
}

void DataFaults::drawNextError() {
    std::geometric_distribution<unsigned long long> gap(rate_);
    nextError_ += gap(random_);
}

void DataFaults::apply(std::span<std::uint8_t> data, std::size_t& got) {
    if (dropEvery_ > 0) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < got; ++i)
            if (++returned_ % dropEvery_ != 0) data[kept++] = data[i];
        got = kept;
    }
    if (rate_ <= 0.0) return;
    const unsigned long long end = bitsSeen_ + 8ull * got;
    for (; nextError_ < end; ++nextError_, drawNextError()) {
        const unsigned long long bit = nextError_ - bitsSeen_;
        data[bit / 8] ^= static_cast<std::uint8_t>(0x80u >> (bit % 8));
    }
    bitsSeen_ = end;
}

} // namespace corvousb
