// What a check found: bytes compared, wrong bytes and bits, the first error, and what a checker
// could not compare.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace check {

struct FirstError {
    std::uint64_t offset = 0; // from the start of the block, or of the run for totals
    std::uint8_t expected = 0, actual = 0;
};

struct CheckTally {
    std::uint64_t compared = 0, wrongBytes = 0, wrongBits = 0;
    std::optional<FirstError> first;
    std::uint64_t missing = 0;   // bytes written but not read back
    std::uint64_t frames = 0;    // frames whose payload was compared
    std::uint64_t relocks = 0;   // a stream checker's locks after its first
    std::uint64_t unchecked = 0; // stream bytes passed while looking for the sequence
    bool everLocked = false;     // a stream checker found the sequence

    bool clean() const { return wrongBytes == 0 && missing == 0 && relocks == 0; }
    // Adds the tally of a later block whose byte 0 is at `base` in the run.
    void add(const CheckTally& later, std::uint64_t base);
};

// Compares `actual` with the same number of bytes of `expected` (which holds at least as many);
// offsets count from `base`.
CheckTally CompareBlocks(std::span<const std::uint8_t> expected,
                         std::span<const std::uint8_t> actual, std::uint64_t base = 0);

} // namespace check
