// Block comparison a 64-byte stretch at a time, and the sum of tallies.
#include "check/CheckTally.h"

#include <algorithm>
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
    // Equal stretches at the speed of memcmp; only those that differ are counted byte by byte.
    constexpr std::size_t kStretch = 1024;
    for (std::size_t i = 0; i < n; i += kStretch) {
        const std::size_t len = std::min(kStretch, n - i);
        if (std::memcmp(e + i, a + i, len) != 0) CountErrors(e + i, a + i, len, base + i, t);
    }
    return t;
}

} // namespace check
