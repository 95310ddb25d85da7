// The pseudo-random sequence generator: a byte recurrence worked a stretch of bytes at a time.
#include "check/Prbs.h"

#include <algorithm>
#include <cstring>

namespace check {

namespace {

// Bytes that `near` must reach: the stretch read back was written several stretches before.
constexpr std::size_t kMinNear = 512;
constexpr std::size_t kStretch = 64;

// out[j] = out[j - lag] ^ out[j - near] for j from `from` up to the last whole stretch before
// `size`; returns where it stopped. near >= kMinNear > kStretch, so a stretch never reads bytes of
// its own. Built for AVX2 as well as the baseline, chosen at load time.
__attribute__((target_clones("avx2", "default"))) std::size_t
XorStretches(std::uint8_t* out, std::size_t from, std::size_t size, std::size_t lag,
             std::size_t near) {
    typedef std::uint8_t Vector __attribute__((vector_size(32), aligned(1)));
    std::size_t i = from;
    for (; i + kStretch <= size; i += kStretch)
        for (std::size_t v = 0; v < kStretch; v += sizeof(Vector)) {
            const Vector a = *reinterpret_cast<const Vector*>(out + i + v - lag);
            const Vector b = *reinterpret_cast<const Vector*>(out + i + v - near);
            *reinterpret_cast<Vector*>(out + i + v) = a ^ b;
        }
    return i;
}

bool BitAt(std::span<const std::uint8_t> b, std::size_t k) {
    return (b[k / 8] >> (7 - k % 8)) & 1;
}

} // namespace

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

bool FollowsSequence(int order, std::span<const std::uint8_t> bytes) {
    const auto n = static_cast<std::size_t>(order), m = static_cast<std::size_t>(*PrbsTaps(order));
    for (std::size_t k = n; k < bytes.size() * 8; ++k)
        if (BitAt(bytes, k) != (BitAt(bytes, k - n) != BitAt(bytes, k - m))) return false;
    return true;
}

PrbsGenerator::PrbsGenerator(int order) : order_(order) {
    const std::uint8_t ones[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    start(ones);
}

PrbsGenerator::PrbsGenerator(int order, std::span<const std::uint8_t> seed) : order_(order) {
    start(seed);
}

void PrbsGenerator::start(std::span<const std::uint8_t> seed) {
    const auto n = static_cast<std::size_t>(order_),
               m = static_cast<std::size_t>(*PrbsTaps(order_));
    // Squaring the polynomial over GF(2) doubles both exponents: eight times gives whole bytes.
    lag_ = n;
    near_ = m;
    while (near_ < kMinNear) {
        lag_ *= 2;
        near_ *= 2;
    }
    // The first lag_ bytes one bit at a time; every later byte follows from them.
    std::array<bool, kMaxLag * 8> bits{};
    for (std::size_t k = 0; k < lag_ * 8; ++k)
        bits[k] = k < n ? BitAt(seed, k) : bits[k - n] != bits[k - m];
    for (std::size_t j = 0; j < lag_; ++j) {
        unsigned byte = 0;
        for (std::size_t i = 0; i < 8; ++i)
            byte = byte << 1 | static_cast<unsigned>(bits[8 * j + i]);
        window_[j] = static_cast<std::uint8_t>(byte);
    }
    unread_ = lag_;
}

void PrbsGenerator::fill(std::span<std::uint8_t> out) {
    const std::size_t size = out.size();
    std::size_t i = 0;
    for (; unread_ > 0 && i < size; --unread_)
        out[i++] = window_[lag_ - unread_];
    const std::size_t first = i; // bytes from here on are made now
    // The byte `back` places before position j: in `out` or still in the window.
    const auto before = [&](std::size_t j, std::size_t back) {
        return j >= first + back ? out[j - back] : window_[lag_ + j - first - back];
    };
    for (; i < size && i < first + lag_; ++i)
        out[i] = static_cast<std::uint8_t>(before(i, lag_) ^ before(i, near_));
    i = XorStretches(out.data(), i, size, lag_, near_);
    for (; i < size; ++i)
        out[i] = static_cast<std::uint8_t>(out[i - lag_] ^ out[i - near_]);
    // Keep the latest lag_ bytes made.
    const std::size_t made = size - first;
    if (made >= lag_) {
        std::memcpy(window_.data(), out.data() + size - lag_, lag_);
    } else if (made > 0) {
        std::memmove(window_.data(), window_.data() + made, lag_ - made);
        std::memcpy(window_.data() + lag_ - made, out.data() + first, made);
    }
}

} // namespace check
