// Block comparison a 64-byte stretch at a time, and the sum of tallies.
#include "check/CheckTally.h"

#include <bit>
#include <cstring>

namespace check {

void CheckTally::add(const CheckTally& later, std::uint64_t base) {
    if (!first && later.first) {
        first = later.first;
        first->offset += base;
    }
    compared += later.compared;
    wrongBytes += later.wrongBytes;
    wrongBits += later.wrongBits;
    missing += later.missing;
    frames += later.frames;
    relocks += later.relocks;
    unchecked += later.unchecked;
    everLocked = everLocked || later.everLocked;
}

namespace {

std::uint64_t Load(const std::uint8_t* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Counts the errors of one stretch byte by byte; only stretches with an error come here.
void CountErrors(const std::uint8_t* e, const std::uint8_t* a, std::size_t n, std::uint64_t at,
                 CheckTally& t) {
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned diff = static_cast<unsigned>(e[i] ^ a[i]);
        if (diff == 0) continue;
        if (!t.first) t.first = FirstError{at + i, e[i], a[i]};
        ++t.wrongBytes;
        t.wrongBits += static_cast<unsigned>(std::popcount(diff));
    }
}

} // namespace

CheckTally CompareBlocks(std::span<const std::uint8_t> expected,
                         std::span<const std::uint8_t> actual, std::uint64_t base) {
    CheckTally t;
    const std::size_t n = actual.size();
    t.compared = n;
    const std::uint8_t* e = expected.data();
    const std::uint8_t* a = actual.data();
    constexpr std::size_t kStretch = 64;
    std::size_t i = 0;
    for (; i + kStretch <= n; i += kStretch) {
        std::uint64_t diff = 0;
        for (std::size_t w = 0; w < kStretch; w += 8)
            diff |= Load(e + i + w) ^ Load(a + i + w);
        if (diff != 0) CountErrors(e + i, a + i, kStretch, base + i, t);
    }
    CountErrors(e + i, a + i, n - i, base + i, t);
    return t;
}

} // namespace check
