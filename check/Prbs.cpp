// The pseudo-random sequence generator, a whole 64-bit word per step.
#include "check/Prbs.h"

#include <bit>
#include <cstring>

namespace check {

std::optional<int> PrbsTaps(int order) {
    switch (order) {
    case 7:
        return 6;
    case 15:
        return 14;
    case 23:
        return 18;
    case 31:
        return 28;
    default:
        return std::nullopt;
    }
}

PrbsGenerator::PrbsGenerator(int order) : order_(order) {
    const std::uint8_t ones[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    start(ones);
}

PrbsGenerator::PrbsGenerator(int order, std::span<const std::uint8_t> seed) : order_(order) {
    start(seed);
}

void PrbsGenerator::start(std::span<const std::uint8_t> seed) {
    const int n = order_, m = *PrbsTaps(order_);
    // Squaring x^n + x^m + 1 over GF(2) doubles both exponents.
    bigN_ = n;
    bigM_ = m;
    while (bigM_ < 64) {
        bigN_ *= 2;
        bigM_ *= 2;
    }
    // The first 128 bits, one at a time from the seed; the words follow from them.
    bool bits[128];
    for (int k = 0; k < 128; ++k)
        bits[k] = k < n ? (seed[static_cast<std::size_t>(k / 8)] >> (7 - k % 8)) & 1
                        : bits[k - n] != bits[k - m];
    history_ = 0;
    for (bool b : bits)
        history_ = history_ << 1 | static_cast<unsigned>(b);
    pendingBytes_ = 0;
}

// The oldest 64 bits of the history go out while 64 new ones come in.
std::uint64_t PrbsGenerator::nextWord() {
    const auto out = static_cast<std::uint64_t>(history_ >> 64);
    const auto fresh =
        static_cast<std::uint64_t>((history_ >> (bigN_ - 64)) ^ (history_ >> (bigM_ - 64)));
    history_ = history_ << 64 | fresh;
    return out;
}

std::size_t PrbsGenerator::drainPending(std::span<std::uint8_t> out, std::size_t i) {
    for (; pendingBytes_ > 0 && i < out.size(); ++i, --pendingBytes_) {
        out[i] = static_cast<std::uint8_t>(pending_ >> 56);
        pending_ <<= 8;
    }
    return i;
}

void PrbsGenerator::fill(std::span<std::uint8_t> out) {
    std::size_t i = drainPending(out, 0);
    for (; i + 8 <= out.size(); i += 8) {
        std::uint64_t word = nextWord();
        if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
        std::memcpy(out.data() + i, &word, 8);
    }
    if (i == out.size()) return;
    pending_ = nextWord();
    pendingBytes_ = 8;
    drainPending(out, i);
}

} // namespace check
